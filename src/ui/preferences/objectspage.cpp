#include "ui/preferences/objectspage.h"

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

namespace {

QComboBox* Choice(const char* name, QWidget* parent) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  return c;
}

// The drop-down's entries anew when they differ, then the entry shown.
void Fill(QComboBox* box, const std::vector<std::string>& entries, int current) {
  QStringList texts;
  for (const std::string& e : entries) texts << Q(e);
  QStringList now;
  for (int i = 0; i < box->count(); ++i) now << box->itemText(i);
  if (now != texts) {
    box->clear();
    box->addItems(texts);
  }
  box->setCurrentIndex(current);
}

}  // namespace

ObjectsPage::ObjectsPage(PreferencesDialog& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName("tsObjects");
  PreferencesEditor& e = dialog.Editor();
  model_ = new EnergyObjectsModel(e, this);
  lbObjects_ = new QListView(this);
  lbObjects_->setObjectName("lbObjects");
  lbObjects_->setModel(model_);
  lbObjects_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbObjects_->setToolTip(T(kPfDoubleClick));
  lblActive_ = new QLabel(this);
  lblActive_->setObjectName("lblActiveObject");
  lblActive_->setWordWrap(true);
  auto* btnNew = NamedButton(T(kPfNewObject), "btnNewObject", this);
  btnDelete_ = NamedButton(T(kPfSlet) + " " + T(kPfObject), "btnDeleteObject", this);
  auto* btnSave = NamedButton(T(kPfGem), "btnSaveObjects", this);
  auto* btnDefault = NamedButton(T(kPfUseAsDefault), "btnUseAsDefault", this);

  gbObject_ = new QGroupBox(T(kPfObjectInformation), this);
  gbObject_->setObjectName("gbObject");
  edName_ = new QLineEdit(gbObject_);
  edName_->setObjectName("edObjectName");
  cbCountry_ = Choice("cbCountry", gbObject_);
  cbBasis_ = Choice("cbBasis", gbObject_);
  cbUnit_ = Choice("cbUnit", gbObject_);
  edFactor_ = new QLineEdit(gbObject_);
  edFactor_->setObjectName("edFactor");
  cbProtein_ = Choice("cbProtein", gbObject_);
  cbSystem_ = Choice("cbSystem", gbObject_);
  auto* btnAccept = NamedButton(T(kPfAccept), "btnAcceptObject", gbObject_);
  auto* btnCountryReset = NamedButton(T(kPfCountryReset), "btnCountryReset", gbObject_);
  auto* form = new QFormLayout;
  form->addRow(T(kPfNavn), edName_);
  form->addRow(T(kPfLand), cbCountry_);
  form->addRow(T(kPfEnergi), cbBasis_);
  form->addRow(T(kPfEnergienhed), cbUnit_);
  form->addRow(T(kPfSkaleringsfaktor), edFactor_);
  form->addRow(T(kPfProtein), cbProtein_);
  form->addRow(T(kPfEnergiberegningssystem), cbSystem_);
  auto* boxButtons = new QHBoxLayout;
  boxButtons->addWidget(btnAccept);
  boxButtons->addWidget(btnCountryReset);
  boxButtons->addStretch();
  auto* box = new QVBoxLayout(gbObject_);
  box->addLayout(form);
  box->addLayout(boxButtons);
  box->addStretch();

  auto* listButtons = new QHBoxLayout;
  for (QPushButton* b : {btnNew, btnDelete_, btnSave, btnDefault}) listButtons->addWidget(b);
  listButtons->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(lbObjects_, 1);
  left->addWidget(lblActive_);
  left->addLayout(listButtons);
  auto* page = new QHBoxLayout(this);
  page->addLayout(left, 1);
  page->addWidget(gbObject_, 1);

  connect(&dialog.Relay(), &EditorRelay::Changed, model_, &EnergyObjectsModel::EditorChanged);
  connect(lbObjects_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now) { dialog_.Editor().SelectObject(now.row()); });
  connect(lbObjects_, &QListView::doubleClicked, this,
          [this](const QModelIndex& at) { dialog_.Editor().ShowObject(at.row()); });
  connect(btnNew, &QPushButton::clicked, this, [this] { dialog_.Editor().NewObject(); });
  connect(btnDelete_, &QPushButton::clicked, this, [this] { dialog_.Editor().DeleteObject(); });
  connect(btnSave, &QPushButton::clicked, this, &ObjectsPage::Save);
  connect(btnDefault, &QPushButton::clicked, this, &ObjectsPage::UseAsDefault);
  connect(btnAccept, &QPushButton::clicked, this, &ObjectsPage::Accept);
  connect(btnCountryReset, &QPushButton::clicked, this, [this] { dialog_.Editor().CountryReset(Typed()); });
}

ObjectBox ObjectsPage::Typed() const {
  ObjectBox b;
  b.name = L(edName_->text());
  b.countryEntry = L(cbCountry_->currentText());
  b.basis = cbBasis_->currentIndex();
  b.unit = cbUnit_->currentIndex();
  b.factorText = L(edFactor_->text());
  b.protein = cbProtein_->currentIndex();
  b.system = cbSystem_->currentIndex();
  return b;
}

void ObjectsPage::Accept() {
  PreferencesEditor& e = dialog_.Editor();
  const std::optional<std::string> problem = e.AcceptObject(Typed());
  if (!problem) return;
  dialog_.services().prompts->Error(*problem);
  // A refused factor was shown again as it is kept; any other refusal is the name's.
  QLineEdit* field = *problem == Tr(kPfFactorRange) ? edFactor_ : edName_;
  field->setFocus();
  field->selectAll();
}

void ObjectsPage::UseAsDefault() {
  if (const std::optional<std::string> description = dialog_.Editor().UseAsDefault())
    dialog_.services().prompts->Inform(*description);
}

void ObjectsPage::Save() {
  if (const std::optional<std::string> problem = dialog_.Editor().SaveObjectList())
    dialog_.services().prompts->Error(*problem);
}

void ObjectsPage::Repaint(unsigned changed) {
  const PreferencesEditor& e = dialog_.Editor();
  if (changed & kPrActive) lblActive_->setText(Q(e.ActiveObjectCaption()));
  if (changed & kPrObjects) {
    // The view follows the editor's selection; the echo back to SelectObject is a no-op.
    const QModelIndex selected = model_->index(e.SelectedObject(), 0);
    if (selected.isValid())
      lbObjects_->selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    else
      lbObjects_->selectionModel()->clearSelection();
    btnDelete_->setEnabled(e.DeleteObjectEnabled());
  }
  if (changed & kPrObjectBox) {
    gbObject_->setVisible(e.ObjectBoxVisible());
    const ObjectBox& b = e.Box();
    edName_->setText(Q(b.name));
    edName_->setCursorPosition(0);  // a long name shows its beginning
    const std::vector<std::string> countries = e.CountryEntries();
    int country = -1;
    for (size_t i = 0; i < countries.size(); ++i)
      if (countries[i] == b.countryEntry) country = static_cast<int>(i);
    Fill(cbCountry_, countries, country);
    Fill(cbBasis_, PreferencesEditor::BasisNames(), b.basis);
    Fill(cbUnit_, PreferencesEditor::UnitNames(), b.unit);
    edFactor_->setText(Q(b.factorText));
    Fill(cbProtein_, e.ProteinNames(), b.protein);
    Fill(cbSystem_, PreferencesEditor::SystemNames(), b.system);
  }
}

}  // namespace stallora
