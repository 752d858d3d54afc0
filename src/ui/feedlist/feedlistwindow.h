#pragma once
// The window in which one feed list is edited. It holds the pages, the list's editor and the
// relay: every action of a page goes through the editor, and the window hands each page the
// editor's flags to repaint from, shows the pages the editor allows and keeps the menu's
// commands enabled as they may be used. The pages never call each other. The commands that
// open other windows (the feed-mix calculator, the generate dialog, the preferences) go
// through the AppWindows hooks and are disabled while a hook is unset.

#include <QPointer>
#include <memory>

#include "forms/feedlist_editor.h"
#include "ui/childwindow.h"
#include "ui/prompts.h"
#include "ui/services.h"

class QAction;
class QGroupBox;
class QMenu;
class QTabWidget;

namespace stallora {

class FeedAnalysisModel;
class FeedListTreeModel;
class FeedPriceModel;
class FeedListInfoPage;
class FeedEditorPage;
class NewFeedPage;
class FeedPricePage;
class FeedComparePage;
class FeedCopyPage;
class FeedOrderPage;

class FeedListWindow : public RecordWindow {
  Q_OBJECT
 public:
  FeedListWindow(TForListe& list, Services& services, QWidget* parent = nullptr);
  ~FeedListWindow() override;

  Record* record() const override;
  void TakeDataIntoRecord() override;
  bool SaveRecord(QString* error) override;
  bool HasUnsavedChanges() const override;
  void StoreSignature() override;
  void RecordGoing(const Record& record) override;
  void WindowActivated() override;

  FeedListEditor& Editor() const { return *editor_; }
  Services& services() { return services_; }
  Prompts& Ask() const { return *services_.prompts; }
  // The list went (deleted, or the window let it go): handlers do nothing any more.
  bool Dead() const { return dead_; }

  // The tables' models, shared by the pages that show them.
  FeedListTreeModel* TreeModel() const { return treeModel_; }
  FeedAnalysisModel* AnalysisModel() const { return analysisModel_; }
  FeedPriceModel* PriceModel() const { return priceModel_; }

  // Shows a generated page (Windows-1252) in the info browser under a caption.
  void ShowHtml(const std::string& html, const std::string& caption);
  // The help of a page in the info browser.
  void ShowHelp(FeedListPage page);
  // The preferences dialog on its energy and protein page (the hook unset: nothing).
  void OpenEnergyPreferences();
  bool HasPreferences() const;

  // The menu's commands (the tests run them as a user does).
  void SaveCommand();
  void SaveAsCommand();
  void DeleteListCommand();
  void FeedMixCommand();
  void GenerateCommand();
  void NewListCommand();
  void GoTo(FeedListPage page);

  // For the tests and the screenshots.
  QTabWidget* MainTabs() const { return tabs_; }
  QTabWidget* ListTabs() const { return listTabs_; }
  QMenu* ListMenu() const { return menu_; }
  FeedListInfoPage* InfoPage() const { return infoPage_; }
  FeedEditorPage* FeedPage() const { return feedPage_; }
  NewFeedPage* NewPage() const { return newPage_; }
  FeedPricePage* PricePage() const { return pricePage_; }
  FeedComparePage* ComparePage() const { return comparePage_; }
  FeedCopyPage* CopyPage() const { return copyPage_; }
  FeedOrderPage* OrderPage() const { return orderPage_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  // What an edit changed: the pages repaint what the flags name, the tabs follow the page.
  void Edited(unsigned changed);
  void ShowPages();
  void UpdateCommands();
  void TabChosen();
  QWidget* TabOf(FeedListPage page) const;

  TForListe* list_;
  Services& services_;
  std::unique_ptr<FeedListEditor> editor_;
  bool dead_ = false;
  bool syncing_ = false;  // the tabs are set from the editor, not by the user

  FeedListTreeModel* treeModel_ = nullptr;
  FeedAnalysisModel* analysisModel_ = nullptr;
  FeedPriceModel* priceModel_ = nullptr;

  QMenu* menu_ = nullptr;
  QAction* miEditFeed_ = nullptr;
  QAction* miFeedMix_ = nullptr;
  QAction* miGenerate_ = nullptr;
  QAction* miOrder_ = nullptr;
  QAction* miPrices_ = nullptr;
  QAction* miDelete_ = nullptr;
  QAction* miNewList_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTabWidget* listTabs_ = nullptr;
  FeedListInfoPage* infoPage_ = nullptr;
  FeedEditorPage* feedPage_ = nullptr;
  NewFeedPage* newPage_ = nullptr;
  FeedPricePage* pricePage_ = nullptr;
  FeedComparePage* comparePage_ = nullptr;
  FeedCopyPage* copyPage_ = nullptr;
  FeedOrderPage* orderPage_ = nullptr;
};

// Registers the feed list window's factory with the program's windows. A mix opens in the
// feed-mix calculator (factories.mix); where that is not registered, on its recipe.
void RegisterFeedListWindow(AppWindows& windows);

}  // namespace stallora
