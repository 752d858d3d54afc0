#pragma once
// The find-horse window: every horse of the workspace by name with its stable, or by owner;
// the chosen horse is selected in the main window's tree and opened as by a double click.

#include <QWidget>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace stallora {

class MainWindow;
class Messages;

class FindHorseWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FindHorseWindow(MainWindow& main, QWidget* parent = nullptr);

  // Reads the tree into both pages (on showing and on every change of page).
  void Fill();

  // ---- commands ----
  void ClickHorseEntry(int row);
  void OpenChosenHorse();
  void ChooseOwner(int index);
  void ClickOwnersHorse(int row);
  void OpenOwnersHorse();

 private:
  Messages& Msg();
  void OpenHorse(const std::string& stable, const std::string& horse);

  MainWindow& main_;
  bool filling_ = false;
  std::string horse_, stable_, owner_;

  QTabWidget* pcSearch_ = nullptr;
  QWidget* tsFindHorse_ = nullptr;
  QWidget* tsFindOwner_ = nullptr;
  QLabel* lblHorses_ = nullptr;
  QListWidget* lbFindHorse_ = nullptr;
  QPushButton* btnFindHorse_ = nullptr;
  QLabel* lblOwners_ = nullptr;
  QComboBox* cbOwners_ = nullptr;
  QLabel* lblHorsesOwned_ = nullptr;
  QListWidget* lbOwnerHorses_ = nullptr;
  QPushButton* btnFindHorsebyOwner_ = nullptr;
  QLabel* lblErrorNoHorses_ = nullptr;
  QPushButton* btnClose_ = nullptr;
};

// The find-horse window: a new one when none exists, then shown and filled.
FindHorseWindow* ShowFindHorseWindow(MainWindow& main);
FindHorseWindow* ExistingFindHorseWindow(const MainWindow& main);

}  // namespace stallora
