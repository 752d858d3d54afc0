#pragma once
// The window in which one horse is edited. It holds the tabs, the horse's editor and the
// listener: every edit of a page goes through the editor, and the window tells each page
// what to repaint from the editor's flags. The pages (src/ui/horse/, and the weight, health
// and ration pages) never call each other; what one page offers another goes through the
// window. The record and the library do all the arithmetic.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/filestamp.h"
#include "forms/horse_editor.h"
#include "ui/childwindow.h"
#include "ui/prompts.h"
#include "ui/services.h"

class QAction;
class QMenu;
class QTabWidget;

namespace stallora {

class ClickLabel;
class HorseDiary;
class HorseHealthPage;
class HorseInformationPage;
class HorseRegistrationPage;
class HorseRequirementPage;
class HorseTrainingPage;
class HorseWeightPage;
class RationPage;

class HorseWindow : public RecordWindow {
  Q_OBJECT
 public:
  HorseWindow(THest& horse, Services& services, QWidget* parent = nullptr);
  ~HorseWindow() override;

  Record* record() const override;
  void TakeDataIntoRecord() override;
  bool SaveRecord(QString* error) override;
  bool HasUnsavedChanges() const override;
  void StoreSignature() override;
  // Another program may have saved the horse meanwhile: read it again (asking first when the
  // window holds unsaved edits).
  void WindowActivated() override;
  void RecordGoing(const Record& record) override;

  THest& Horse() const { return *horse_; }
  Services& services() { return services_; }
  // How the window asks and tells the user: the services' prompts (tests put in theirs).
  Prompts& Ask() const { return *services_.prompts; }
  std::filesystem::path HorseDirectory() const;
  // After the window has let its record go (closing): handlers do nothing any more.
  bool Dead() const { return dead_; }

  // The editor of the horse and its ration: every edit of the window goes through it.
  HorseEditor& Editor() const { return *editor_; }
  // The window's rules changed the horse's data: one commit of the editor (the requirement
  // and the ration's supply anew; the pages repaint from the notification).
  void Recalculate(ChangeFlags changed = kHorseData);
  // Shows each fault of the last requirement computation that was not shown yet.
  void ReportFormulaFaults();
  // The record into the controls.
  void ShowRecord();
  void ApplyVisibility();
  // "Opdatere": controls to record, visibility, the pages repainted, the active page.
  void UpdateStep();
  void RefreshBanIcon();
  // The treatments tab with the ban treatment selected.
  void ShowBanTreatment();
  void ShowTreatmentsTab();
  // The treatments tab with one of the horse's treatments open in its editor.
  void OpenTreatment(TTreatmentObj& treatment);
  // Marks the horse changed because the diary changed.
  void DiaryEdited();
  // The horse's name was applied (or is being typed): the menu and the titles show it.
  void RenameCaption(const std::string& name);
  void NameApplied();
  // The mail of a horse with an attachment (or none).
  void MailHorse(const std::filesystem::path& attachment);
  QString CaptionText() const;
  // A feed made elsewhere (a mix) tried on the horse: it joins the ration through the ration's
  // editor and the window shows the feeding page on the amounts.
  void TryFeed(const TFor& feed, const TForListe& from);

  // Pages, for the tests and the screenshots.
  QTabWidget* MainTabs() const { return pcForm_; }
  QTabWidget* HorseTabs() const { return pcHest_; }
  QTabWidget* InfoTabs() const { return pcInfo_; }
  HorseWeightPage* WeightPage() const { return weightPage_; }
  HorseHealthPage* HealthPage() const { return healthPage_; }
  HorseDiary* Diary() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu(QMenu* menu);
  void PageEntered();
  void InformationPageLeft();
  void ResetHorse(bool withFeeds);
  void DeleteHorse();
  void SaveHorseCommand();
  bool ApplyName();
  bool DiscardChanges();
  // Before a save: when another program changed the horse's file, the user's choice; true
  // goes ahead with the save, false does not (`problem` says why, or is empty when the user
  // cancelled or took the other version).
  bool CheckFileBeforeSave(std::string* problem);
  // The horse read again from its file into the stable; this window gives way to one on the
  // new record. False (the message shown) when the file cannot be read.
  bool ReloadFromDisk();

  // What an edit of the horse or its ration changed: each page repaints what it shows of
  // it, the window its tabs and the ban.
  void Edited(ChangeFlags changed);

  THest* horse_;
  Services& services_;
  std::unique_ptr<HorseEditor> editor_;
  bool dead_ = false;
  // The requirement formulas' faults the user has been shown (each once per window).
  std::vector<std::string> shownFaults_;
  bool faultsPending_ = false;
  int lastHorsePage_ = 0;

  QTabWidget* pcForm_ = nullptr;
  QTabWidget* pcHest_ = nullptr;
  QTabWidget* pcInfo_ = nullptr;
  QWidget* tsHest_ = nullptr;
  QWidget* tsFeedsAndfeeding_ = nullptr;
  QWidget* tsOpplysninger_ = nullptr;
  QWidget* tsTreatments_ = nullptr;
  QMenu* menuHorse_ = nullptr;
  QAction* miHorseDefinition_ = nullptr;
  ClickLabel* banIcon_ = nullptr;

  HorseInformationPage* infoPage_ = nullptr;
  HorseWeightPage* weightPage_ = nullptr;
  HorseTrainingPage* trainingPage_ = nullptr;
  HorseRequirementPage* requirementPage_ = nullptr;
  HorseRegistrationPage* registrationPage_ = nullptr;
  HorseHealthPage* healthPage_ = nullptr;
  RationPage* rationPage_ = nullptr;
  // A record given up by "No" at closing lives until the pages that point to it are gone.
  std::unique_ptr<THest> discarded_;
  // What the window was last told about the horse's file on activation.
  ReloadWatch reloadWatch_;
  bool checkingDisk_ = false;  // a question of the check is open
};

// Registers the horse window's factory with the program's windows.
void RegisterHorseWindow(AppWindows& windows);

}  // namespace stallora
