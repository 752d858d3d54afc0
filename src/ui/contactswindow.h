#pragma once
// The contacts window: contacts of the register listed by contact type, viewed, created,
// changed and deleted. One exists per main window; closing it only hides it. The main window
// opens it in list mode, the horse and stable windows in owner mode with one contact filled in.

#include <QDialog>
#include <QUrl>

#include "stable/adresser.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace stallora {

class MainWindow;
class Messages;

class ContactsWindow : public QDialog {
  Q_OBJECT
 public:
  // One per main window, made by its AppWindows (services.windows->Contacts()).
  explicit ContactsWindow(MainWindow& main);

  // List mode: the selection box, no contact shown.
  void ShowListMode();
  // Owner mode: the contact box with this contact, focus on the first address line.
  void ShowOwner(const TAdrRec& record);

  // ---- commands ----
  void ApplyFilter();
  void ChooseName(int row);
  void NewContact();
  void SaveContactCommand();
  void DeleteContactCommand();
  void OpenMail();
  void OpenWeb();

  // The working record from the controls; the controls from a record.
  TAdrRec RecordFromControls() const;
  void ShowRecord(const TAdrRec& record);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Messages& Msg();
  TAdresser& Contacts();
  int FilterType() const;
  void FillNameList(int kategori);
  QString SelectedName() const;
  void CheckType();

  MainWindow& main_;
  TAdrRec working_;
  bool checkingType_ = false;

  QGroupBox* grbSelect_ = nullptr;
  QLabel* lblSelectCathegory_ = nullptr;
  QComboBox* cbSelectCathegory_ = nullptr;
  QListWidget* lbNameList_ = nullptr;
  QGroupBox* grbEierInfo_ = nullptr;
  QLineEdit* edNavn_ = nullptr;
  QLineEdit* edAdresse1_ = nullptr;
  QLineEdit* edAdresse2_ = nullptr;
  QLineEdit* edAdresse3_ = nullptr;
  QLineEdit* edTelefon_ = nullptr;
  QLineEdit* edMobiltelefon_ = nullptr;
  QLineEdit* edEmail_ = nullptr;
  QLineEdit* edWeb_ = nullptr;
  QLineEdit* edKontaktperson_ = nullptr;
  QComboBox* cbAdressCathegory_ = nullptr;
  QPushButton* btnNew_ = nullptr;
  QPushButton* btnSave_ = nullptr;
  QPushButton* btnDelete_ = nullptr;
  QPushButton* btnClose_ = nullptr;
};

}  // namespace stallora
