#include "ui/feedmix/mixpages.h"

#include <QAbstractItemDelegate>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/feedmix_editor.h"
#include "forms/feedmix_texts.h"
#include "render/qttext.h"
#include "ui/feedmix/feedmixwindow.h"
#include "ui/htmlview.h"
#include "ui/models/feedmixmodels.h"
#include "ui/qtext.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/widgets/spinner.h"
#include "ui/widgets/tableheight.h"

namespace stallora {

namespace {
// Items of a drop-down anew, its choice set, without the change counting as the user's.
void FillCombo(QComboBox* box, const std::vector<std::string>& names, int current) {
  QSignalBlocker block(box);
  box->clear();
  for (const std::string& n : names) box->addItem(Q(n));
  box->setCurrentIndex(current);
}
// The grid shows at most this many rows before it scrolls.
constexpr int kGridRowsShown = 13;
}  // namespace

MixPageBase::MixPageBase(FeedMixWindow& window) : QWidget(&window), window_(window) {}
FeedMixEditor& MixPageBase::Editor() const { return window_.Editor(); }

// ---------------------------------------------------------------- selection

MixSelectionPage::MixSelectionPage(FeedMixWindow& window) : MixPageBase(window) {
  setObjectName("tsSelection");
  auto* layout = new QHBoxLayout(this);
  mixBox_ = new QGroupBox(T(kMxFoderIBlandingen), this);
  mixBox_->setObjectName("gbMixFeeds");
  auto* mixLayout = new QVBoxLayout(mixBox_);
  mixFeeds_ = new QListWidget(mixBox_);
  mixFeeds_->setObjectName("lbMixFeeds");
  count_ = new QLabel(mixBox_);
  count_->setObjectName("lblCount");
  choose_ = new QPushButton(T(kMxVaelgFoder), mixBox_);
  choose_->setObjectName("btnChooseFeed");
  auto* ok = new QPushButton(T(kMxOK), mixBox_);
  ok->setObjectName("btnSelectionOK");
  mixLayout->addWidget(mixFeeds_, 1);
  mixLayout->addWidget(count_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(choose_);
  buttons->addStretch();
  buttons->addWidget(ok);
  mixLayout->addLayout(buttons);

  sourceBox_ = new QGroupBox(this);
  sourceBox_->setObjectName("gbSource");
  sourceBox_->setTitle(T(common::kFoderliste));
  auto* sourceLayout = new QVBoxLayout(sourceBox_);
  source_ = new QComboBox(sourceBox_);
  source_->setObjectName("cbSource");
  tree_ = new QTreeView(sourceBox_);
  tree_->setObjectName("tvSource");
  tree_->setHeaderHidden(true);
  tree_->setModel(window.TreeModel());
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sourceLayout->addWidget(source_);
  sourceLayout->addWidget(tree_, 1);
  layout->addWidget(mixBox_, 1);
  layout->addWidget(sourceBox_, 1);

  connect(source_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!filling_) Editor().ChooseSource(i);
  });
  connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    const int feed = window_.TreeModel()->FeedOf(index);
    if (feed >= 0) Editor().AddFromSource(feed);
  });
  connect(mixFeeds_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { Editor().RemoveFromMix(L(item->text())); });
  connect(choose_, &QPushButton::clicked, this, [this] { Editor().ShowSourceTree(); });
  connect(ok, &QPushButton::clicked, this, [this] { Editor().ConfirmSelection(); });
}

void MixSelectionPage::Refresh(unsigned changed) {
  filling_ = true;
  FeedMixEditor& e = Editor();
  if (changed & (kMixLists | kMixSource)) {
    FillCombo(source_, e.ListNames(), e.SourceIndex());
    tree_->expand(window_.TreeModel()->index(0, 0));
  }
  if (changed & kMixFeeds) {
    mixFeeds_->clear();
    for (const std::string& n : e.MixFeedNames()) mixFeeds_->addItem(Q(n));
    count_->setText(Q(e.CountText()));
  }
  if (changed & (kMixPages | kMixFeeds)) {
    sourceBox_->setVisible(e.Visibility().sourceTree);
    choose_->setVisible(e.Visibility().chooseButton);
  }
  filling_ = false;
}

// ---------------------------------------------------------------- mixing

MixingPage::MixingPage(FeedMixWindow& window) : MixPageBase(window) {
  setObjectName("tsMixing");
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  grid_ = new QTableView(this);
  grid_->setObjectName("gridMix");
  grid_->setModel(window.GridModel());
  grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  auto* delegate = new NumberDelegate(6, 2, grid_);
  grid_->setItemDelegateForColumn(MixGridModel::kPrice, delegate);
  grid_->setItemDelegateForColumn(MixGridModel::kKg, delegate);
  // Enter in a number cell stores it and goes on to the next row, after the last to the first.
  connect(delegate, &QAbstractItemDelegate::closeEditor, this,
          [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
            if (hint != QAbstractItemDelegate::SubmitModelCache) return;
            const QModelIndex at = grid_->currentIndex();
            const int rows = grid_->model()->rowCount();
            if (!at.isValid() || rows == 0) return;
            grid_->setCurrentIndex(grid_->model()->index(at.row() + 1 < rows ? at.row() + 1 : 0, at.column()));
          });
  auto* spinner = new Spinner("Spinner", this, [this](bool up) { Editor().Step(ActiveRow(), up); });
  spinner->AddKeys(grid_);
  top->addWidget(grid_, 1);
  top->addWidget(spinner);
  auto* stepBox = new QGroupBox(this);
  stepBox->setObjectName("gbStep");
  auto* stepLayout = new QVBoxLayout(stepBox);
  steps_ = new QButtonGroup(this);
  const char* captions[3] = {"1.0 kg", "0.1 kg", "0.01 kg"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(QString::fromLatin1(captions[i]), stepBox);
    b->setObjectName(QStringLiteral("rbStep%1").arg(i));
    steps_->addButton(b, i);
    stepLayout->addWidget(b);
  }
  top->addWidget(stepBox);
  layout->addLayout(top);

  auto* row = new QHBoxLayout;
  totalCaption_ = new QLabel(this);
  total_ = new QLineEdit(this);
  total_->setObjectName("edTotal");
  total_->setMaximumWidth(100);
  total_->setAlignment(Qt::AlignRight);
  price_ = new QLabel(this);
  price_->setObjectName("lblPrice");
  auto* categoryCaption = new QLabel(T(kMxFodertype), this);
  category_ = new QComboBox(this);
  category_->setObjectName("cbCategory");
  FillCombo(category_, Editor().CategoryNames(), -1);
  auto* print = new QPushButton(T(kMxUdskrift), this);
  print->setObjectName("btnPrint");
  row->addWidget(totalCaption_);
  row->addWidget(total_);
  row->addWidget(price_, 1);
  row->addWidget(categoryCaption);
  row->addWidget(category_);
  row->addWidget(print);
  layout->addLayout(row);
  analysis_ = new HtmlView(this);
  analysis_->setObjectName("hvAnalysis");
  layout->addWidget(analysis_, 1);

  connect(steps_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!filling_) Editor().SetStepChoice(id);
  });
  connect(total_, &QLineEdit::editingFinished, this, [this] { TotalEntered(); });
  connect(category_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!filling_) Editor().SetCategoryChoice(i);
  });
  connect(print, &QPushButton::clicked, this, [this] {
    analysis_->ShowReport(Editor().PrintPage());
    if (!window_.Ask().YesNo(Tr(kMxUdskrift) + "?")) return;
    window_.Ask().Print(*analysis_->document(), Q(Editor().Caption()));
  });
}

int MixingPage::ActiveRow() const {
  const QModelIndex at = grid_->currentIndex();
  return at.isValid() ? at.row() : -1;
}

void MixingPage::TotalEntered() {
  if (!total_->isModified()) return;
  total_->setModified(false);
  // Refused (no number, or 0 or less): the field shows the total as it is.
  if (!Editor().SetTotalText(L(total_->text()))) total_->setText(Q(Editor().TotalText()).trimmed());
}

void MixingPage::Refresh(unsigned changed) {
  filling_ = true;
  FeedMixEditor& e = Editor();
  if (changed & kMixFeeds) {
    FitTableHeight(grid_, std::min(e.Rows(), kGridRowsShown));
    if (e.Rows() > 0 && !grid_->currentIndex().isValid())
      grid_->setCurrentIndex(grid_->model()->index(0, MixGridModel::kKg));
  }
  if (changed & (kMixFeeds | kMixAmounts)) {
    totalCaption_->setText(Q(e.TotalCaption()));
    total_->setText(Q(e.TotalText()).trimmed());
    total_->setModified(false);
    price_->setText(Q(e.PriceLabel()));
    analysis_->ShowReport(e.AnalysisPage());
  }
  if (changed & kMixStep)
    if (QAbstractButton* b = steps_->button(e.StepChoice())) b->setChecked(true);
  if (changed & kMixCategory) category_->setCurrentIndex(e.CategoryChoice());
  filling_ = false;
}

// ---------------------------------------------------------------- saving

MixSavingPage::MixSavingPage(FeedMixWindow& window) : MixPageBase(window) {
  setObjectName("tsSaving");
  auto* layout = new QVBoxLayout(this);
  auto* feedBox = new QGroupBox(T(kMxGemSomFoder), this);
  feedBox->setObjectName("gbSaveFeed");
  auto* feedLayout = new QHBoxLayout(feedBox);
  target_ = new QComboBox(feedBox);
  target_->setObjectName("cbTarget");
  feedName_ = new QLineEdit(Q(Editor().FeedName()), feedBox);
  feedName_->setObjectName("edFeedName");
  feedName_->setMaxLength(255);
  auto* saveFeed = new QPushButton(T(kMxGem), feedBox);
  saveFeed->setObjectName("btnSaveFeed");
  feedLayout->addWidget(new QLabel(T(common::kFoderliste), feedBox));
  feedLayout->addWidget(target_, 1);
  feedLayout->addWidget(new QLabel(T(kMxFodernavn), feedBox));
  feedLayout->addWidget(feedName_, 1);
  feedLayout->addWidget(saveFeed);

  auto* recipeBox = new QGroupBox(T(kMxGemSomRecept), this);
  recipeBox->setObjectName("gbSaveRecipe");
  auto* recipeLayout = new QHBoxLayout(recipeBox);
  mixName_ = new QLineEdit(recipeBox);
  mixName_->setObjectName("edMixName");
  auto* saveRecipe = new QPushButton(T(kMxGem), recipeBox);
  saveRecipe->setObjectName("btnSaveRecipe");
  recipeLayout->addWidget(new QLabel(T(kMxNavn), recipeBox));
  recipeLayout->addWidget(mixName_, 1);
  recipeLayout->addWidget(saveRecipe);

  horseBox_ = new QGroupBox(T(kMxProevPaaHest), this);
  horseBox_->setObjectName("gbHorse");
  auto* horseLayout = new QHBoxLayout(horseBox_);
  horse_ = new QComboBox(horseBox_);
  horse_->setObjectName("cbHorse");
  auto* tryHorse = new QPushButton(T(kMxOK), horseBox_);
  tryHorse->setObjectName("btnTryHorse");
  horseLayout->addWidget(horse_, 1);
  horseLayout->addWidget(tryHorse);

  layout->addWidget(feedBox);
  layout->addWidget(recipeBox);
  layout->addWidget(horseBox_);
  layout->addStretch();

  connect(target_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!filling_) Editor().ChooseTarget(i);
  });
  connect(feedName_, &QLineEdit::textEdited, this, [this](const QString& text) { Editor().SetFeedName(L(text)); });
  connect(saveFeed, &QPushButton::clicked, this, [this] { SaveFeed(); });
  connect(saveRecipe, &QPushButton::clicked, this, [this] { SaveRecipe(); });
  connect(tryHorse, &QPushButton::clicked, this, [this] {
    Editor().SetFeedName(L(feedName_->text()));
    window_.TryOnHorse(horse_->currentIndex());
  });
}

void MixSavingPage::SaveFeed() {
  Editor().SetFeedName(L(feedName_->text()));
  const MixSaveResult r = Editor().SaveAsFeed();
  if (r == MixSaveResult::kCancelled || r == MixSaveResult::kRefused) feedName_->setFocus();
}

void MixSavingPage::SaveRecipe() {
  const MixSaveResult r = Editor().SaveAsRecipe(L(mixName_->text()));
  if (r == MixSaveResult::kCancelled || r == MixSaveResult::kRefused) mixName_->setFocus();
}

void MixSavingPage::Refresh(unsigned changed) {
  filling_ = true;
  FeedMixEditor& e = Editor();
  if (changed & kMixLists) {
    FillCombo(target_, e.ListNames(), e.TargetIndex());
    FillCombo(horse_, e.HorseEntries(), e.HorseEntries().empty() ? -1 : 0);
  }
  if (changed & kMixName) mixName_->setText(Q(e.Caption()));
  if (changed & (kMixPages | kMixLists)) horseBox_->setVisible(e.Visibility().horseBox);
  filling_ = false;
}

}  // namespace stallora
