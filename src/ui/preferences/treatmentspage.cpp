#include "ui/preferences/treatmentspage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/preferences_texts.h"
#include "ui/models/editormodel.h"
#include "ui/models/preferencesmodels.h"
#include "ui/preferences/preferencesdialog.h"
#include "ui/qtext.h"
#include "ui/widgets/namedbutton.h"

namespace stallora {

TreatmentsPage::TreatmentsPage(PreferencesDialog& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName("tsTreatmentRegister");
  PreferencesEditor& e = dialog.Editor();
  model_ = new TreatmentNamesModel(e, this);
  cbType_ = new QComboBox(this);
  cbType_->setObjectName("cbTreatmentType");
  for (const std::string& name : PreferencesEditor::TreatmentTypeNames()) cbType_->addItem(Q(name));
  lbTreatments_ = new QListView(this);
  lbTreatments_->setObjectName("lbTreatmentNames");
  lbTreatments_->setModel(model_);
  lbTreatments_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbTreatments_->setToolTip(T(kPfDoubleClick));
  auto* btnAdd = NamedButton(T(kPfAdd), "btnAddTreatment", this);
  auto* btnDelete = NamedButton(T(kPfSlet), "btnDeleteTreatment", this);
  auto* btnSave = NamedButton(T(kPfSaveRegister), "btnSaveRegister", this);
  edForwardDays_ = new QLineEdit(this);
  edForwardDays_->setObjectName("edForwardDays");
  edForwardDays_->setMaximumWidth(60);

  gbTreatment_ = new QGroupBox(T(kPfTreatmentName), this);
  gbTreatment_->setObjectName("gbTreatment");
  edName_ = new QLineEdit(gbTreatment_);
  edName_->setObjectName("edTreatmentName");
  edAddress_ = new QLineEdit(gbTreatment_);
  edAddress_->setObjectName("edTreatmentAddress");
  auto* btnOk = NamedButton(T(kPfOk), "btnTreatmentOk", gbTreatment_);
  auto* btnCancel = NamedButton(T(kPfCancel), "btnTreatmentCancel", gbTreatment_);
  auto* form = new QFormLayout;
  form->addRow(T(kPfNavn), edName_);
  form->addRow(T(kPfWebAddress), edAddress_);
  auto* boxButtons = new QHBoxLayout;
  boxButtons->addStretch();
  boxButtons->addWidget(btnOk);
  boxButtons->addWidget(btnCancel);
  auto* box = new QVBoxLayout(gbTreatment_);
  box->addLayout(form);
  box->addLayout(boxButtons);
  box->addStretch();

  auto* type = new QFormLayout;
  type->addRow(T(kPfTreatmentType), cbType_);
  auto* listButtons = new QHBoxLayout;
  for (QPushButton* b : {btnAdd, btnDelete, btnSave}) listButtons->addWidget(b);
  listButtons->addStretch();
  auto* days = new QHBoxLayout;
  days->addWidget(new QLabel(T(kPfForwardDays), this));
  days->addWidget(edForwardDays_);
  days->addStretch();
  auto* left = new QVBoxLayout;
  left->addLayout(type);
  left->addWidget(lbTreatments_, 1);
  left->addLayout(listButtons);
  left->addLayout(days);
  auto* page = new QHBoxLayout(this);
  page->addLayout(left, 1);
  page->addWidget(gbTreatment_, 1);

  connect(&dialog.Relay(), &EditorRelay::Changed, model_, &TreatmentNamesModel::EditorChanged);
  connect(cbType_, &QComboBox::activated, this, [this](int type) { dialog_.Editor().ChooseTreatmentType(type); });
  connect(lbTreatments_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now) { dialog_.Editor().SelectTreatment(now.isValid() ? now.row() : -1); });
  connect(lbTreatments_, &QListView::doubleClicked, this,
          [this](const QModelIndex& at) { dialog_.Editor().OpenTreatment(at.row()); });
  connect(btnAdd, &QPushButton::clicked, this, [this] {
    dialog_.Editor().AddTreatment();
    edName_->setFocus();
    edName_->selectAll();
  });
  connect(btnDelete, &QPushButton::clicked, this, &TreatmentsPage::Delete);
  connect(btnSave, &QPushButton::clicked, this, &TreatmentsPage::SaveRegister);
  connect(btnOk, &QPushButton::clicked, this, &TreatmentsPage::AcceptBox);
  connect(btnCancel, &QPushButton::clicked, this, [this] { dialog_.Editor().CancelTreatment(); });
  connect(edForwardDays_, &QLineEdit::textEdited, this,
          [this](const QString& text) { dialog_.Editor().SetForwardDays(L(text), true); });
  connect(edForwardDays_, &QLineEdit::editingFinished, this, &TreatmentsPage::ForwardDaysLeft);
}

void TreatmentsPage::AcceptBox() {
  if (auto problem = dialog_.Editor().AcceptTreatment(L(edName_->text()), L(edAddress_->text())))
    dialog_.services().prompts->Error(*problem);
}

void TreatmentsPage::Delete() {
  if (auto problem = dialog_.Editor().DeleteTreatment(L(edName_->text()), L(edAddress_->text())))
    dialog_.services().prompts->Error(*problem);
}

void TreatmentsPage::SaveRegister() {
  PreferencesEditor& e = dialog_.Editor();
  Prompts& ask = *dialog_.services().prompts;
  if (ask.Ask(Prompts::Buttons::kOkCancel, e.SaveRegisterQuestion(), {}) != Prompts::Answer::kYes) return;
  if (auto problem = e.SaveRegister()) ask.Error(*problem);
}

void TreatmentsPage::ForwardDaysLeft() {
  if (auto problem = dialog_.Editor().SetForwardDays(L(edForwardDays_->text())))
    dialog_.services().prompts->Error(*problem);
}

void TreatmentsPage::Repaint(unsigned changed) {
  const PreferencesEditor& e = dialog_.Editor();
  if (changed & kPrTreatments) {
    cbType_->setCurrentIndex(e.TreatmentType());
    const QModelIndex selected = model_->index(e.SelectedTreatment(), 0);
    if (selected.isValid())
      lbTreatments_->selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    else
      lbTreatments_->selectionModel()->clearSelection();
  }
  if (changed & kPrTreatmentBox) {
    gbTreatment_->setVisible(e.TreatmentBoxVisible());
    edName_->setText(Q(e.BoxTreatmentName()));
    edAddress_->setText(Q(e.BoxTreatmentAddress()));
  }
  if (changed & kPrForwardDays) {
    // While typing, a stored number is already what the field shows: its cursor stays.
    const QString days = QString::number(e.ForwardDays());
    if (edForwardDays_->text() != days) edForwardDays_->setText(days);
  }
}

}  // namespace stallora
