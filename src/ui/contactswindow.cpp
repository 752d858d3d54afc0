#include "ui/contactswindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/qtext.h"
#include "forms/contacts_form.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/welcomewindow.h"

namespace stallora {
namespace {


// The list's line for "no contacts" is not a name.
constexpr int kPlaceholderRole = Qt::UserRole + 1;

}  // namespace

ContactsWindow::ContactsWindow(MainWindow& main) : QDialog(&main), main_(main) {
  setObjectName("frmPerson");
  setWindowTitle(T(kCtKontaktregister));
  setWindowIcon(Icon(IconKind::Horse));

  auto* layout = new QVBoxLayout(this);
  auto* boxes = new QHBoxLayout;

  grbSelect_ = new QGroupBox(this);
  grbSelect_->setObjectName("grbSelect");
  auto* sl = new QVBoxLayout(grbSelect_);
  lblSelectCathegory_ = new QLabel(T(kCtKontakttype), grbSelect_);
  cbSelectCathegory_ = new QComboBox(grbSelect_);
  cbSelectCathegory_->setObjectName("cbSelectCathegory");
  lblSelectCathegory_->setBuddy(cbSelectCathegory_);
  lbNameList_ = new QListWidget(grbSelect_);
  lbNameList_->setObjectName("lbNameList");
  lbNameList_->setToolTip(T(kCtDobbeltklikValg));
  lbNameList_->setMinimumWidth(200);
  sl->addWidget(lblSelectCathegory_);
  sl->addWidget(cbSelectCathegory_);
  sl->addWidget(lbNameList_, 1);
  boxes->addWidget(grbSelect_);

  grbEierInfo_ = new QGroupBox(this);
  grbEierInfo_->setObjectName("grbEierInfo");
  auto* form = new QFormLayout(grbEierInfo_);
  auto field = [&](QLineEdit*& edit, const char* name, const Text& caption) {
    edit = new QLineEdit(grbEierInfo_);
    edit->setObjectName(name);
    edit->setMinimumWidth(260);
    form->addRow(T(caption), edit);
  };
  field(edNavn_, "edNavn", kCtNavn);
  field(edAdresse1_, "edAdresse1", kCtGaardGate);
  field(edAdresse2_, "edAdresse2", kCtPostnummer);
  field(edAdresse3_, "edAdresse3", kCtLand);
  field(edTelefon_, "edTelefon", kCtTelefon);
  field(edMobiltelefon_, "edMobiltelefon", kCtMobiltelefon);
  field(edEmail_, "edEmail", kCtEpost);
  field(edWeb_, "edWeb", kCtWeb);
  field(edKontaktperson_, "edKontaktperson", kCtKontaktperson);
  edEmail_->setToolTip(T(kCtEpostHint));
  edWeb_->setToolTip(T(kCtWebHint));
  cbAdressCathegory_ = new QComboBox(grbEierInfo_);
  cbAdressCathegory_->setObjectName("cbAdressCathegory");
  cbAdressCathegory_->setPlaceholderText(Q(ChooseCategoryText()));
  form->addRow(T(kCtKontakttype), cbAdressCathegory_);
  boxes->addWidget(grbEierInfo_, 1);
  layout->addLayout(boxes, 1);

  auto* buttons = new QHBoxLayout;
  btnNew_ = new QPushButton(Q(NewContactCaption()), this);
  btnNew_->setObjectName("btnNew");
  btnSave_ = new QPushButton(Q(SaveContactCaption()), this);
  btnSave_->setObjectName("btnSave");
  btnSave_->setIcon(Icon(IconKind::Save));
  btnDelete_ = new QPushButton(Q(DeleteContactCaption()), this);
  btnDelete_->setObjectName("btnDelete");
  btnDelete_->setIcon(Icon(IconKind::Delete));
  btnClose_ = new QPushButton(T(kCtLuk), this);
  btnClose_->setObjectName("btnClose");
  btnClose_->setIcon(Icon(IconKind::Close));
  for (QPushButton* b : {btnNew_, btnSave_, btnDelete_, btnClose_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->insertStretch(3);
  AssignAccelerators({btnNew_, btnSave_, btnDelete_, btnClose_});
  layout->addLayout(buttons);

  // Both type lists: the country's contact types; the item index is the contact's type.
  for (const std::string& name : main_.services().app->settings.contactTypeNames) {
    cbSelectCathegory_->addItem(Q(name));
    cbAdressCathegory_->addItem(Q(name));
  }

  connect(cbSelectCathegory_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
  connect(lbNameList_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ChooseName(lbNameList_->row(item)); });
  connect(btnNew_, &QPushButton::clicked, this, &ContactsWindow::NewContact);
  connect(btnSave_, &QPushButton::clicked, this, &ContactsWindow::SaveContactCommand);
  connect(btnDelete_, &QPushButton::clicked, this, &ContactsWindow::DeleteContactCommand);
  connect(btnClose_, &QPushButton::clicked, this, &QDialog::close);
  edEmail_->installEventFilter(this);
  edWeb_->installEventFilter(this);
  cbAdressCathegory_->installEventFilter(this);
  lbNameList_->installEventFilter(this);

  {
    const QSignalBlocker block(cbSelectCathegory_);
    cbSelectCathegory_->setCurrentIndex(cbSelectCathegory_->count() > 0 ? 0 : -1);
  }
  FillNameList(0);
  ShowRecord(TAdrRec{});
  ShowListMode();
}

Messages& ContactsWindow::Msg() { return *main_.services().prompts; }
TAdresser& ContactsWindow::Contacts() { return main_.services().app->contacts; }
int ContactsWindow::FilterType() const { return std::max(0, cbSelectCathegory_->currentIndex()); }

void ContactsWindow::ShowListMode() {
  btnNew_->setVisible(true);
  btnSave_->setVisible(true);
  grbSelect_->setVisible(true);
  grbEierInfo_->setVisible(false);
  show();
  raise();
  activateWindow();
}

void ContactsWindow::ShowOwner(const TAdrRec& record) {
  btnNew_->setVisible(false);
  grbSelect_->setVisible(false);
  btnSave_->setVisible(true);
  grbEierInfo_->setVisible(true);
  ShowRecord(record);
  show();
  raise();
  activateWindow();
  edAdresse1_->setFocus();
}

TAdrRec ContactsWindow::RecordFromControls() const {
  TAdrRec r;
  r.Navn = L(edNavn_->text());
  r.Adresse1 = L(edAdresse1_->text());
  r.Adresse2 = L(edAdresse2_->text());
  r.Adresse3 = L(edAdresse3_->text());
  r.Telefon = L(edTelefon_->text());
  r.Mobiltelefon = L(edMobiltelefon_->text());
  r.Email = L(edEmail_->text());
  r.Web = L(edWeb_->text());
  r.Kontaktperson = L(edKontaktperson_->text());
  r.Kategori = std::max(0, cbAdressCathegory_->currentIndex());
  return r;
}

void ContactsWindow::ShowRecord(const TAdrRec& r) {
  working_ = r;
  edNavn_->setText(Q(r.Navn));
  edAdresse1_->setText(Q(r.Adresse1));
  edAdresse2_->setText(Q(r.Adresse2));
  edAdresse3_->setText(Q(r.Adresse3));
  edTelefon_->setText(Q(r.Telefon));
  edMobiltelefon_->setText(Q(r.Mobiltelefon));
  edEmail_->setText(Q(r.Email));
  edWeb_->setText(Q(r.Web));
  edKontaktperson_->setText(Q(r.Kontaktperson));
  // Type 0 is "no type chosen": the box then asks for one.
  const bool known = r.Kategori > 0 && r.Kategori < cbAdressCathegory_->count();
  cbAdressCathegory_->setCurrentIndex(known ? r.Kategori : -1);
}

void ContactsWindow::FillNameList(int kategori) {
  const ContactNameList list = ContactNames(Contacts(), kategori);
  lbNameList_->clear();
  if (list.empty) {
    auto* item = new QListWidgetItem(T(kCtIngenKontakter), lbNameList_);
    item->setData(kPlaceholderRole, true);
    item->setFlags(Qt::ItemIsEnabled);
    return;
  }
  for (const std::string& n : list.names) lbNameList_->addItem(Q(n));
}

void ContactsWindow::ApplyFilter() {
  FillNameList(FilterType());
  if (lbNameList_->count() == 1 && lbNameList_->item(0)->data(kPlaceholderRole).toBool()) {
    grbEierInfo_->setVisible(false);
    lbNameList_->setFocus();
  }
}

QString ContactsWindow::SelectedName() const {
  QListWidgetItem* item = lbNameList_->currentItem();
  if (!item || !item->isSelected() || item->data(kPlaceholderRole).toBool()) return {};
  return item->text();
}

void ContactsWindow::ChooseName(int row) {
  if (row < 0 || row >= lbNameList_->count()) return;
  QListWidgetItem* item = lbNameList_->item(row);
  if (item->data(kPlaceholderRole).toBool()) return;
  TAdrRec r = Contacts().GetAdresseRecord(L(item->text()), FilterType());
  if (r.Navn.empty()) {
    r = TAdrRec{};
    r.Kategori = FilterType();
  }
  ShowRecord(r);
  grbEierInfo_->setVisible(true);
}

void ContactsWindow::NewContact() {
  grbSelect_->setVisible(false);
  ShowRecord(TAdrRec{});
  grbEierInfo_->setVisible(true);
  // The name comes first: in the type list a name typed at once was taken as a search for
  // a type and the name field stayed empty. The type is still asked for on leaving its list.
  edNavn_->setFocus();
}

void ContactsWindow::SaveContactCommand() {
  working_ = RecordFromControls();
  const ContactSaveResult result = SaveContact(Contacts(), working_);
  if (result == ContactSaveResult::Nothing) return;
  // The stored type (a record without one keeps the replaced contact's).
  const int type = Contacts().GetAdressatKategori(Contacts().GetAdresseNr(working_.Navn, working_.Kategori));
  {
    const QSignalBlocker block(cbSelectCathegory_);
    cbSelectCathegory_->setCurrentIndex(type < cbSelectCathegory_->count() ? type : 0);
  }
  ApplyFilter();
  const auto found = lbNameList_->findItems(Q(working_.Navn), Qt::MatchExactly);
  if (!found.isEmpty()) lbNameList_->setCurrentItem(found.first());
  grbSelect_->setVisible(true);
}

void ContactsWindow::DeleteContactCommand() {
  grbEierInfo_->setVisible(false);
  working_ = RecordFromControls();
  const QString selected = SelectedName();
  if (AsksToSaveBeforeDelete(Contacts(), working_) && Msg().Confirm(SaveBeforeDeleteQuestion(working_.Navn))) {
    SaveContactCommand();
    // Saving refills the list; the name the user chose for deleting stays chosen.
    const auto again = lbNameList_->findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !again.isEmpty()) lbNameList_->setCurrentItem(again.first());
    grbEierInfo_->setVisible(false);
  }
  working_ = TAdrRec{};
  const QString name = SelectedName();
  if (name.isEmpty()) {
    Msg().Inform(Tr(kCtIkkeValgt));
    return;
  }
  const std::string n = L(name);
  const int index = Contacts().GetAdresseNr(n, FilterType());
  if (index < 0) return;
  if (!Msg().Confirm(DeleteContactQuestion(n))) return;
  Contacts().DeleteRecord(index);
  ShowRecord(TAdrRec{});
  ApplyFilter();
}

void ContactsWindow::OpenMail() {
  const auto address = MailtoAddress(L(edEmail_->text()));
  if (!address || !main_.services().prompts->OpenExternal(QUrl(Q(*address)))) QApplication::beep();
}

void ContactsWindow::OpenWeb() {
  const auto address = WebAddress(L(edWeb_->text()));
  if (!address || !main_.services().prompts->OpenExternal(QUrl(Q(*address)))) QApplication::beep();
}

void ContactsWindow::CheckType() {
  checkingType_ = false;
  if (!isVisible() || !grbEierInfo_->isVisible()) return;
  if (cbAdressCathegory_->currentIndex() > 0) return;
  Msg().Error(Tr(kCtAngivType));
  cbAdressCathegory_->setFocus();
}

bool ContactsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == edEmail_) {
      OpenMail();
      return true;
    }
    if (watched == edWeb_) {
      OpenWeb();
      return true;
    }
  }
  if (watched == lbNameList_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && lbNameList_->currentRow() >= 0) {
      ChooseName(lbNameList_->currentRow());
      return true;
    }
  }
  if (watched == cbAdressCathegory_ && event->type() == QEvent::FocusOut && !checkingType_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Leaving by Tab or by a click; not when the window closes or a box takes the focus.
    const bool left = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason;
    if (left && QApplication::focusWidget() != btnClose_ && cbAdressCathegory_->currentIndex() <= 0) {
      checkingType_ = true;
      QTimer::singleShot(0, this, [this] { CheckType(); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace stallora
