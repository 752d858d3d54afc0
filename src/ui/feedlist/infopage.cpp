#include "ui/feedlist/infopage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "forms/feedlist_texts.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/horse/pagehelpers.h"
#include "ui/models/feedlisttreemodel.h"

namespace stallora {

FeedListInfoPage::FeedListInfoPage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsInformation");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  name_ = new QLineEdit;
  name_->setObjectName("edListName");
  name_->setMaxLength(60);
  version_ = new QLineEdit;
  version_->setObjectName("edVersionText");
  form->addRow(T(kFlNavn), name_);
  form->addRow(T(kFlVersionstekst), version_);
  left->addLayout(form);
  info_ = new QLabel;
  info_->setObjectName("lbInfo");
  info_->setWordWrap(true);
  info_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  count_ = new QLabel;
  count_->setObjectName("lbCount");
  left->addWidget(info_);
  left->addWidget(count_);
  auto* energyBox = new QGroupBox(T(kFlEnergiOgProtein));
  auto* el = new QVBoxLayout(energyBox);
  energy_ = new QListWidget;
  energy_->setObjectName("lbEnergyObjects");
  el->addWidget(energy_);
  auto* eb = new QHBoxLayout;
  preferences_ = new QPushButton(T(kFlIndstillinger));
  preferences_->setObjectName("btnEnergyPreferences");
  auto* help = new QPushButton(T(kFlHjaelp));
  help->setObjectName("btnHelp");
  eb->addWidget(preferences_);
  eb->addStretch();
  eb->addWidget(help);
  el->addLayout(eb);
  left->addWidget(energyBox, 1);
  layout->addLayout(left, 1);

  treeBox_ = new QGroupBox;
  treeBox_->setObjectName("gbFeedTree");
  auto* tl = new QVBoxLayout(treeBox_);
  filter_ = new QLineEdit;
  filter_->setObjectName("edTreeFilter");
  filter_->setClearButtonEnabled(true);
  tl->addWidget(filter_);
  tree_ = new QTreeView;
  tree_->setObjectName("tvForListe");
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setModel(window.TreeModel());
  tl->addWidget(tree_, 1);
  auto* bl = new QHBoxLayout;
  reset_ = new QPushButton(T(kFlNulstil));
  reset_->setObjectName("btnReset");
  showPicked_ = new QPushButton(T(kFlVisValgte));
  showPicked_->setObjectName("btnShowPicked");
  deletePicked_ = new QPushButton(T(kFlSletValgte));
  deletePicked_->setObjectName("btnDeletePicked");
  deleteBrand_ = new QPushButton(T(kFlSletLeverandoer));
  deleteBrand_->setObjectName("btnDeleteBrand");
  for (QPushButton* b : {reset_, showPicked_, deletePicked_, deleteBrand_}) bl->addWidget(b);
  tl->addLayout(bl);
  layout->addWidget(treeBox_, 1);

  connect(name_, &QLineEdit::editingFinished, this, [this] {
    if (filling_ || L(name_->text()) == Editor().List().ForlisteNavn) return;
    // A refused name keeps the list's own; the message names why.
    if (!Editor().Rename(L(name_->text().trimmed()))) {
      name_->setText(Q(Editor().List().ForlisteNavn));
      KeepFocus(name_);
    }
  });
  connect(version_, &QLineEdit::editingFinished, this, [this] {
    if (!filling_) Editor().SetVersionText(L(version_->text()));
  });
  connect(energy_, &QListWidget::itemDoubleClicked, this,
          [this] { Editor().ChooseEnergyObject(energy_->currentRow()); });
  connect(preferences_, &QPushButton::clicked, this, [this] { window_.OpenEnergyPreferences(); });
  connect(help, &QPushButton::clicked, this, [this] { window_.ShowHelp(FeedListPage::Information); });
  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) { Editor().SetTreeFilter(L(text)); });
  connect(tree_, &QTreeView::clicked, this, [this](const QModelIndex& i) { Clicked(i); });
  connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) { DoubleClicked(i); });
  connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& i) { tree_->setCurrentIndex(i); });
  connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex& i) { tree_->setCurrentIndex(i); });
  connect(window.TreeModel(), &QAbstractItemModel::modelReset, this, [this] { tree_->expandToDepth(0); });
  connect(reset_, &QPushButton::clicked, this, [this] { Editor().ResetPicks(); });
  connect(showPicked_, &QPushButton::clicked, this, [this] { Editor().ShowPickedFeeds(); });
  connect(deletePicked_, &QPushButton::clicked, this, [this] { Editor().DeletePicked(); });
  connect(deleteBrand_, &QPushButton::clicked, this, [this] { Editor().DeleteBrand(); });
  tree_->expandToDepth(0);
}

void FeedListInfoPage::Clicked(const QModelIndex& index) {
  FeedListTreeModel* model = window_.TreeModel();
  const int feed = model->FeedOf(index);
  if (feed >= 0) {
    Editor().ToggleFeed(feed);
    return;
  }
  int group = -1, brand = -1;
  if (model->NodeOf(index, &group, &brand)) Editor().ClickNode(group, brand);
}

void FeedListInfoPage::DoubleClicked(const QModelIndex& index) {
  const int feed = window_.TreeModel()->FeedOf(index);
  if (feed >= 0) Editor().OpenFeed(feed);
}

void FeedListInfoPage::Refresh(unsigned changed) {
  const FeedListEditor& e = Editor();
  filling_ = true;
  if (changed & kFlcInfo) {
    if (!name_->hasFocus()) name_->setText(Q(e.List().ForlisteNavn));
    name_->setReadOnly(!e.CanRename());
    if (!version_->hasFocus()) version_->setText(Q(e.List().Versjonstekst));
    version_->setReadOnly(e.IsGuaranteeList());
    info_->setText(Lines(e.InfoText()));
    count_->setText(Q(e.CountText()));
    std::vector<std::string> names = e.EnergyObjectNames();
    FillList(energy_, names);
    preferences_->setEnabled(window_.HasPreferences());
  }
  if (changed & (kFlcInfo | kFlcTree | kFlcPicks)) count_->setText(Q(e.CountText()));
  filling_ = false;
  const FeedListVisibility& v = e.Visibility();
  treeBox_->setTitle(Q(e.TreeCaption()));
  showPicked_->setEnabled(v.showPicked);
  deletePicked_->setVisible(v.deletePicked);
  deleteBrand_->setVisible(v.deleteBrand);
}

}  // namespace stallora
