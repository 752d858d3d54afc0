#include "ui/preferences/nutrientspage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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

NutrientsPage::NutrientsPage(PreferencesDialog& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName("tsNutrients");
  PreferencesEditor& e = dialog.Editor();
  model_ = new NutrientChecksModel(e, this);
  btnPlan_ = NamedButton(T(kPfPlanButton), "btnPlanNutrients", this);
  btnColumns_ = NamedButton(T(kPfColumnsButton), "btnColumnNutrients", this);
  cbWarnings_ = new QCheckBox(T(kPfWarnings), this);
  cbWarnings_->setObjectName("cbNutrientWarnings");

  gbNutrients_ = new QGroupBox(this);
  gbNutrients_->setObjectName("gbNutrients");
  lblBox_ = new QLabel(gbNutrients_);
  lblBox_->setObjectName("lblNutrientBox");
  lblBox_->setWordWrap(true);
  lvNutrients_ = new QListView(gbNutrients_);
  lvNutrients_->setObjectName("lvNutrients");
  lvNutrients_->setModel(model_);
  lvNutrients_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* selectAll = NamedButton(T(kPfSelectAll), "btnSelectAll", gbNutrients_);
  auto* clearAll = NamedButton(T(kPfClearAll), "btnClearAll", gbNutrients_);
  auto* store = NamedButton(T(kPfStore), "btnStoreNutrients", gbNutrients_);
  auto* boxButtons = new QHBoxLayout;
  for (QPushButton* b : {selectAll, clearAll, store}) boxButtons->addWidget(b);
  boxButtons->addStretch();
  auto* box = new QVBoxLayout(gbNutrients_);
  box->addWidget(lblBox_);
  box->addWidget(lvNutrients_, 1);
  box->addLayout(boxButtons);

  // The buttons keep their width whether the box is shown beside them or not.
  auto* buttons = new QWidget(this);
  buttons->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  auto* left = new QVBoxLayout(buttons);
  left->setContentsMargins(0, 0, 0, 0);
  left->addWidget(btnPlan_);
  left->addWidget(btnColumns_);
  left->addSpacing(12);
  left->addWidget(cbWarnings_);
  left->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addWidget(buttons);
  page->addWidget(gbNutrients_, 1);
  page->addStretch(0);

  connect(&dialog.Relay(), &EditorRelay::Changed, model_, &NutrientChecksModel::EditorChanged);
  connect(btnPlan_, &QPushButton::clicked, this,
          [this] { dialog_.Editor().OpenNutrientBox(NutrientMode::FeedingPlan); });
  connect(btnColumns_, &QPushButton::clicked, this,
          [this] { dialog_.Editor().OpenNutrientBox(NutrientMode::Columns); });
  connect(selectAll, &QPushButton::clicked, this, [this] { dialog_.Editor().SetAllNutrientChecks(true); });
  connect(clearAll, &QPushButton::clicked, this, [this] { dialog_.Editor().SetAllNutrientChecks(false); });
  connect(store, &QPushButton::clicked, this, [this] { dialog_.Editor().StoreNutrientBox(); });
  connect(cbWarnings_, &QCheckBox::toggled, this, [this](bool on) { dialog_.Editor().SetNutrientWarnings(on); });
}

void NutrientsPage::Repaint(unsigned changed) {
  const PreferencesEditor& e = dialog_.Editor();
  if (changed & kPrNutrientBox) {
    gbNutrients_->setVisible(e.NutrientBoxOpen());
    lblBox_->setText(Q(e.NutrientBoxCaption()));
    btnPlan_->setEnabled(e.NutrientButtonsEnabled());
    btnColumns_->setEnabled(e.NutrientButtonsEnabled());
  }
  if (changed & kPrWarnings) {
    const QSignalBlocker quiet(cbWarnings_);
    cbWarnings_->setChecked(e.NutrientWarnings());
  }
}

}  // namespace stallora
