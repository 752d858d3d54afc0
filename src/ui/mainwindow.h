#pragma once
// The main window: the workspace tree, the child window area, the menus and the tool bar
// through which the user creates, opens, saves, deletes, copies, moves, imports and mails
// stables, horses and feed lists.

#include <QHash>
#include <QList>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QPointer>
#include <QTreeWidget>
#include <chrono>
#include <functional>

#include <memory>

#include "ui/appwindows.h"
#include "ui/childwindow.h"
#include "ui/htmlview.h"
#include "ui/services.h"

class QAction;
class QTimer;
class QComboBox;
class QMenu;
class QTabWidget;
class QListWidget;

namespace stallora {

class WorkspaceTree;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Every question of the program goes to `prompts` (the program's BoxPrompts; tests put in
  // their own).
  MainWindow(AppContext& app, Workspace& workspace, Prompts& prompts);
  ~MainWindow() override;

  Services& services() { return services_; }
  // The program's single dialogs and windows, and the record windows' factories.
  AppWindows& Windows() { return *windows_; }
  // How the main window asks and tells the user (the services' prompts).
  Prompts& Ask() const { return *services_.prompts; }
  // Hands web and mail addresses to the desktop through the prompts.
  ExternalOpener Opener();

  // Reads the save directory into the tree (the scan), and shows what the start-up found.
  void ScanWorkspace();
  // The same scan in slices between the window's events (mainwindow_scan.cpp): the window
  // paints and answers at once, the tree fills in as stables are read, the status bar shows
  // how far the scan is, and the commands that need the whole workspace are disabled until
  // it is read. Then what the start-up found is shown and `done` runs (not when the window
  // closes first: closing ends the scan where it is).
  void StartScanWorkspace(std::function<void()> done = {});
  bool ScanRunning() const;
  // How long a slice reads before the window's events are handled again (0: one file).
  std::chrono::milliseconds scanSlice{8};
  // Called once the scan is complete and the whole tree is in, before its messages.
  std::function<void()> scanCompleted;
  // The commands that wait for the whole workspace.
  const QList<QAction*>& WorkspaceActions() const { return workspaceActions_; }
  // The tree anew from the workspace (after any change of stables, horses or lists).
  void RefreshTree();

  // Opens (or raises) the window of a record.
  void OpenHorse(THest& horse);
  void OpenStable(TStall& stable);
  void OpenFeedList(TForListe& list);
  // Shows generated HTML in an info browser window.
  void ShowHtml(const std::string& cp1252Html, const QString& caption, int widthKind = 2);
  void OpenInfoPage(const QString& caption, const std::string& address);

  // Every child window's data saved and the window closed; false when one could not be saved.
  bool SaveAndCloseAllWindows();

  // Selection of the tree.
  TStall* SelectedStable() const;
  THest* SelectedHorse() const;
  TForListe* SelectedFeedList() const;

  // Commands (public so tests can drive them).
  void NewStable();
  void NewHorse();
  void NewFeedList();
  void NewFeedMix();
  void SaveStableAndHorses();
  void DeleteSelected();
  // Deletes a workspace feed list the user already confirmed: its window closes without a
  // question, its file goes.
  void DeleteFeedList(TForListe& list);
  void DeleteStableCommand();
  void CopySelectedHorse();
  void ImportHorseIntoSelected();
  void ImportStable();
  void ImportFeedList();
  void ImportTextFeedList();
  void Backup();
  void CreateModelStable();
  void CreateModelHorses();
  void DeleteModelHorses();
  void MoveHorse(THest& horse, TStall& target);
  void SaveSelected();
  void MailSelected();
  void ShowEnergyProtein();

  // Fetches the newest guarantee feed list (the information panel's link).
  std::function<void()> fetchNewestList;
  // Line 1 of the service's version file, for the upgrade link.
  std::string offeredVersionText;

  // The welcome, find-horse, contacts and mail windows plug in here (RegisterSmallWindows);
  // a command whose hook is not set does nothing.
  std::function<void()> showWelcome;
  std::function<bool()> welcomeShown;  // the menu item is disabled while it is
  std::function<void()> findHorse;
  std::function<void()> showContacts;
  std::function<void()> simpleMail;
  // The mail window for a horse (with its stable) or for a stable (horse null).
  std::function<void(THest*, TStall*)> mailWindow;
  // Told (after the record windows) when a record of the workspace is about to be freed;
  // the small windows that point at records let go here.
  std::vector<std::function<void(const Record&)>> recordGoingWatchers;
  // What the scan reported (the start-up check's messages and unreadable files).
  std::function<void(const std::vector<std::string>&)> scanMessagesHandler;
  WorkspaceTree* Tree() const { return tree_; }
  QMdiArea* MdiArea() const { return mdi_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildNavigation();
  void UpdateCommands();
  void UpdateInformation();
  void ShowScanMessages();
  void ScanSlice();
  void StopScan();
  QMdiSubWindow* AddChild(Record* record, RecordWindow* window, const QString& caption);
  QMdiSubWindow* FindChild(const Record* record) const;
  // Shows and activates the record's window; false when it has none.
  bool RaiseChild(const Record* record);
  // Cascades the record windows and keeps each inside the visible area.
  void CascadeChildren();
  // Closes a record's window; false when it stays open (the user cancelled its question).
  bool CloseChildOf(const Record* record, bool store);
  // On closing: asks about every stable with unsaved changes and saves those the user
  // wants saved; false when the user cancels or a save fails (the program stays open).
  bool SaveChangedStables();
  QString HorseCaption(const THest& h) const;
  // A record is about to be freed: every window lets go of it and its own window closes.
  void RecordGoing(const Record& record);
  // Saves of the commands, each under the check on its file (mainwindow_saving.cpp): when
  // another program changed the file the user chooses; take theirs reads it again. True
  // when saved or the other version taken; false (the message shown) when cancelled or
  // failed.
  bool SaveHorseAsking(THest& horse);
  bool SaveStableAsking(TStall& stable);
  bool SaveStableAndHorsesAsking(TStall& stable);
  bool SaveFeedListAsking(TForListe& list);
  // Tells the record window of `sub` (soon, outside the activation's own events) that it is
  // the active one.
  void NotifyActivated(QMdiSubWindow* sub);

  AppContext& app_;
  Workspace& workspace_;
  std::unique_ptr<AppWindows> windows_;
  Services services_;
  QMdiArea* mdi_ = nullptr;
  WorkspaceTree* tree_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* versionInfo_ = nullptr;
  QLabel* feedListLabel_ = nullptr;
  QLabel* upgradeLink_ = nullptr;
  QLabel* newListLink_ = nullptr;
  QLabel* seasonLink_ = nullptr;
  QListWidget* links_ = nullptr;
  QComboBox* language_ = nullptr;
  QAction* newHorse_ = nullptr;
  QAction* updateProgram_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QList<QAction*> workspaceActions_;
  QTimer* scanTimer_ = nullptr;
  std::function<void()> scanDone_;
  size_t shownStables_ = 0;
  bool shownFeedLists_ = false;
  std::chrono::steady_clock::time_point stablesShownAt_{};
  QHash<const Record*, QPointer<QMdiSubWindow>> children_;
  bool closing_ = false;
};

}  // namespace stallora
