#pragma once
// The ration page of the horse window: feed selection, amounts, balance, feeding plan,
// analysis and help, and the meal sheet. The horse window embeds it as its ration tab.
//
// The page holds no arithmetic: the library (ration/ration_page.h, ration/evaluation.h,
// ration/horse_reports.h, the chart geometry) computes, the page shows what comes back.
// Every change of the ration runs the requirement and the evaluation again and refreshes
// what is shown, then tells the horse window through Changed().

#include <QMessageBox>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/services.h"

class QPrinter;
class QTabWidget;

namespace stallora {

class Messages;

class RationPage : public QWidget {
  Q_OBJECT
 public:
  RationPage(THest& horse, Services& services, QWidget* parent = nullptr);
  ~RationPage() override;

  // Shows the horse's current data. Called when the ration tab becomes active (the tab's
  // entry step then runs once) and whenever the horse changed elsewhere (the active page is
  // brought up to date; while the tab is hidden only the page visibility is).
  void Refresh();
  // Copies what the page's controls hold into the horse (before saving).
  void TakeDataIntoRecord();
  // A feed list of the workspace is about to be freed: the page stops offering it and, when
  // the selection works on it, goes back to the stable's list.
  void ListGoing(const TForListe& list);

  // ---- commands the horse window's menu reaches
  void ShowSelectionPage();
  void ShowAmountsPage();
  void ShowFeedPlanPage();
  // "Gem foderplan som...": the full plan to a file of the user's choice.
  void SaveFeedPlanAs();
  // "Epost foderplan".
  void MailFeedPlan();
  // "Nulstil værdier for..." > "Fodermengder" and "Valgt foder".
  void ResetAmounts();
  void ResetChosenFeeds();
  bool CanResetAmounts() const;
  bool CanResetChosenFeeds() const;
  // The grazing command: the selection page with the grazing panel open.
  void StartGrazing();
  // The roughage wizard on the selection list (or the stable's feed list).
  void OpenRoughageWizard();

  QTabWidget* Pages() const;

  // ---- seams: how the page asks and tells (tests replace them)
  // Messages of the library kind; by default the services' message boxes.
  void SetMessages(Messages* messages);
  // The memo dialog: the lines typed, or nothing on cancel.
  std::function<std::optional<QStringList>(const QString& caption)> askMemo;
  // The one-line text dialog: the text, or nothing on cancel.
  std::function<std::optional<QString>(const QString& caption, const QString& explanation)> askText;
  // A save dialog; an empty path on cancel.
  std::function<QString(const QString& title, const QString& path, const QString& filter)> askSaveFile;
  // Yes, Cancel or Retry for a file that exists.
  std::function<QMessageBox::StandardButton(const QString& text)> askOverwrite;
  // Prepares the printer (the print dialog); false cancels.
  std::function<bool(QPrinter& printer)> setupPrinter;
  // Hands a mail with attachments on (by default the main window's mail handler).
  std::function<void(const std::string& subject, const std::vector<std::filesystem::path>& files)> mail;
  // Runs the roughage wizard modally (tests answer it).
  std::function<void(QDialog& wizard)> runWizard;

  // ---- what tests read
  // The feeding plan as last shown (full or simple), Windows-1252.
  const std::string& ShownPlan() const;
  // Milliseconds the last amount change took to refresh everything.
  double LastRefreshMs() const;

 signals:
  // The ration changed (the frame recomputes and marks the horse as changed).
  void Changed();
  // "Læg til dagbog": the ration summary lines for the top of the diary.
  void AddToDiary(const QStringList& lines);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace stallora
