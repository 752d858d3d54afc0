#pragma once
// The welcome window: the user's starting point after the start. It offers the stables, feed
// lists and horses for opening, creates stables and feed lists, changes the save directory,
// shows the update service's offers, and lists the horses the start-up check had to change
// so the user can open, accept (save) or delete them.
//
// Also the registration of the small windows (welcome, find-horse, contacts, mail) with the
// main window's commands.

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace stallora {

class MainWindow;
class Messages;
class OnlineService;

// A link that works by mouse and by keyboard (Enter or Space when it has the focus); with
// `doubleClick` a single click does nothing.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(bool doubleClick, QWidget* parent = nullptr);
 signals:
  void activated();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool doubleClick_;
};

class WelcomeWindow : public QWidget {
  Q_OBJECT
 public:
  WelcomeWindow(MainWindow& main, OnlineService* online, QWidget* parent = nullptr);

  // Fills every text, box and button state anew (on every activation).
  void Refresh();
  // The start-up check's messages on the error page, the first one selected, the page shown.
  void ShowErrors(const std::vector<std::string>& entries);
  bool ErrorPageShown() const;

  // ---- commands ----
  void ChooseStable(int index);
  void ChooseFeedList(int index);
  void ChooseHorse(int index);
  void NewStable();
  void NewFeedList();
  void ChangeSaveDirectory(bool useDefault);
  void FetchNewestList();
  void OpenNewVersionPage();
  void EditSelected();
  void DeleteSelected();
  void AcceptAll();
  void CancelErrors();

  // The error list's entries as they stand.
  std::vector<std::string> ErrorEntries() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWelcomePage(QWidget* page);
  void BuildErrorPage(QWidget* page);
  void RefreshUpdateLinks();
  void RefreshErrorButtons();
  void SetErrorEntries(const std::vector<std::string>& entries);
  void OpenTreeItemOf(const void* record);
  // Closes every record window (each may save or ask); false when one stayed open.
  bool CloseRecordWindows();
  Messages& Msg();

  MainWindow& main_;
  OnlineService* online_;
  bool updating_ = false;

  QTabWidget* pages_ = nullptr;
  QGroupBox* grbStable_ = nullptr;
  QPushButton* btnNewStable_ = nullptr;
  QComboBox* cbStables_ = nullptr;
  QToolButton* btnStableHelp_ = nullptr;
  QGroupBox* grbFeedlists_ = nullptr;
  QPushButton* btnNewFeedlist_ = nullptr;
  QComboBox* cbFeedlists_ = nullptr;
  QToolButton* btnFeedlistHelp_ = nullptr;
  QGroupBox* grbHorses_ = nullptr;
  QComboBox* cbHorses_ = nullptr;
  QGroupBox* grbSaveDirectory_ = nullptr;
  QLabel* lblActiveSaveDirectory_ = nullptr;
  QPushButton* btnAlternative_ = nullptr;
  QPushButton* btnDefault_ = nullptr;

  QGroupBox* grbErrors_ = nullptr;
  QListWidget* lbErrors_ = nullptr;
  QLabel* lblExplanation_ = nullptr;
  QLabel* lblReminder_ = nullptr;
  QPushButton* btnEdit_ = nullptr;
  QPushButton* btnDelete_ = nullptr;
  QPushButton* btnAccept_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QToolButton* btnErrorHelp_ = nullptr;

  QGroupBox* grbUpdatesAvailable_ = nullptr;
  LinkLabel* lblGetNewVersion_ = nullptr;
  LinkLabel* lblGetNewFeedlist_ = nullptr;
  QCheckBox* cbDontShow_ = nullptr;
  QPushButton* btnClose_ = nullptr;
};

// ---- the small windows and the main window ----

// Connects the welcome, find-horse, contacts and mail windows to the main window's commands
// (menu items, tool bar, the tree's mail command, the scan's messages). `online` (may be
// null) offers the version text and the download of the newest guarantee feed list.
void RegisterSmallWindows(MainWindow& main, OnlineService* online = nullptr);
// The welcome window: the existing one raised, or a new one.
WelcomeWindow* ShowWelcomeWindow(MainWindow& main, OnlineService* online = nullptr);
WelcomeWindow* ExistingWelcomeWindow(const MainWindow& main);
// After the scan at start: shows the welcome window when a newer program or feed list is
// offered or the user wants it at every start. True when it was shown.
bool ShowWelcomeAfterScan(MainWindow& main, OnlineService* online = nullptr);
// The scan's messages: the start-up check's entries go to the welcome window's error page,
// any other message (a file that could not be read) into a message box.
void HandleScanMessages(MainWindow& main, OnlineService* online, const std::vector<std::string>& messages);

// Gives each button a keyboard accelerator: the first letter of its caption that no earlier
// button of the list has.
void AssignAccelerators(const std::vector<QAbstractButton*>& buttons);
// A caption without the accelerator marks.
QString PlainCaption(QString text);

}  // namespace stallora
