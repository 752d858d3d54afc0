#pragma once
// The window in which one stable is edited: its name, owner, notes and feeding times, its
// horses, its feed list, its reports and the treatments of all its horses. The window holds
// the tabs, the stable's editor and the listener; each page (src/ui/stable/*page.*) forwards
// the user's actions to the editor and repaints what the editor's flags name. Pages never
// call each other; what one page leads to on another goes through the window.

#include <QPointer>
#include <filesystem>
#include <memory>

#include "forms/stable_editor.h"
#include "ui/childwindow.h"
#include "ui/prompts.h"
#include "ui/services.h"

class QAction;
class QMenu;
class QTabWidget;

namespace stallora {

class EditorRelay;
class HtmlView;
class HorseWindow;
class StableDiaryPage;
class StableFeedingPage;
class StableHorsesPage;
class StableInformationPage;
class StableTreatmentsPage;

class StableWindow : public RecordWindow {
  Q_OBJECT
 public:
  StableWindow(TStall& stable, Services& services, QWidget* parent = nullptr);
  ~StableWindow() override;

  Record* record() const override;
  void TakeDataIntoRecord() override;
  bool SaveRecord(QString* error) override;
  bool HasUnsavedChanges() const override;
  void StoreSignature() override;
  void WindowActivated() override;
  void RecordGoing(const Record& record) override;
  // Wide enough to show every page's caption: the main window gives a window its preferred
  // size when it places it.
  QSize sizeHint() const override;

  TStall& Stable() const { return *stable_; }
  StableEditor& Editor() const { return *editor_; }
  Services& services() { return services_; }
  Prompts& Ask() const { return *services_.prompts; }
  // After the window has let its stable go (closing, deleted): handlers do nothing.
  bool Dead() const { return dead_; }

  // ---- what the pages lead to (through the window, not from page to page)
  void ShowPage(StablePage page);
  // The inner page of the treatments tree (where a summary line leads).
  void ShowTreatmentTree();
  // Opens (or raises) the horse's window; null when none could be opened.
  HorseWindow* OpenHorse(THest& horse);
  // A horse of the stable has its window open.
  bool HorseWindowOpen() const;
  // Shows a report file in a browser of a page (the file as last written).
  static void ShowReportFile(HtmlView& view, const std::filesystem::path& file);
  // An editor's refusal or message, if it has one.
  void Tell(const StableOutcome& outcome, QWidget* field = nullptr);
  // Closes the window (its sub-window in the main window's area).
  void CloseWindow();

  // ---- the menu's commands (public for the tests)
  void SaveStable();
  void DeleteStable();
  void MailStable();
  void Help();
  void ModelStableHelp();
  void ShowFeedList();
  void DeleteAllFeeds();
  void FeedsFromNewList();
  void ChooseBrands();
  void NewHorse();
  void ImportHorse();
  void ExportHorse();

  QTabWidget* Tabs() const { return pcStallinfo_; }
  QMenu* Menu() const { return menuStable_; }
  StableInformationPage* InformationPage() const { return infoPage_; }
  StableHorsesPage* HorsesPage() const { return horsesPage_; }
  StableDiaryPage* DiaryPage() const { return diaryPage_; }
  StableFeedingPage* FeedingPage() const { return feedingPage_; }
  StableTreatmentsPage* TreatmentsPage() const { return treatmentsPage_; }
  QAction* BrandsAction() const { return miBrands_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void Edited(ChangeFlags changed);
  void ApplyVisibility();
  void PageChanged(int index);
  StablePage PageOf(int index) const;
  QWidget* PageWidget(StablePage page) const;
  void RefreshMainWindow();

  TStall* stable_;
  Services& services_;
  std::unique_ptr<StableEditor> editor_;
  EditorRelay* relay_ = nullptr;
  bool dead_ = false;
  bool switching_ = false;  // the window itself moves the tabs

  QTabWidget* pcStallinfo_ = nullptr;
  QMenu* menuStable_ = nullptr;
  QAction* miBrands_ = nullptr;
  StableInformationPage* infoPage_ = nullptr;
  StableHorsesPage* horsesPage_ = nullptr;
  StableDiaryPage* diaryPage_ = nullptr;
  StableFeedingPage* feedingPage_ = nullptr;
  StableTreatmentsPage* treatmentsPage_ = nullptr;
};

// Registers the stable window's factory with the program's windows.
void RegisterStableWindow(AppWindows& windows);

}  // namespace stallora
