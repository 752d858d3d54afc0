#pragma once
// The ration page of the horse window: feed selection, amounts, balance, feeding plan,
// analysis and help, and the meal sheet. The horse window embeds it as its ration tab.
//
// The page is the tab widget over five pages (src/ui/ration/): it holds the editor and
// listens to it, shows which pages the ration allows, enters the page the user turns to and
// tells the page shown what an edit changed. Every change of the ration is one operation of
// its RationEditor (forms/ration_editor.h), which computes once and tells the editor's
// listeners (the horse window too); the page then signals Changed(). Questions go through
// the services' prompts.

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

class AmountsModel;
class RationEditor;

class RationPage : public QWidget {
  Q_OBJECT
 public:
  // The page on its own editor (the horse window's), or with one of its own.
  RationPage(RationEditor& editor, Services& services, QWidget* parent = nullptr);
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
  // The amounts of the ration, which the horse window's training tab shows too.
  AmountsModel* Amounts() const;

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
  void Build();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace stallora
