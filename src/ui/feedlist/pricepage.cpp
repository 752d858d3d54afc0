#include "ui/feedlist/pricepage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/feedlist_texts.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/models/feedlistmodels.h"
#include "ui/widgets/numberdelegate.h"

namespace stallora {

FeedPricePage::FeedPricePage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsPrices");
  auto* layout = new QHBoxLayout(this);
  grid_ = new QTableView;
  grid_->setObjectName("sgPrices");
  grid_->setModel(window.PriceModel());
  grid_->setItemDelegateForColumn(FeedPriceModel::kPrice, new NumberDelegate(6, 4, grid_));
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(FeedPriceModel::kName, QHeaderView::Stretch);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  grid_->installEventFilter(this);
  layout->addWidget(grid_, 3);
  auto* right = new QVBoxLayout;
  auto* box = new QGroupBox(T(kFlAndreLister));
  auto* bl = new QVBoxLayout(box);
  lists_ = new QListWidget;
  lists_->setObjectName("clbPriceLists");
  bl->addWidget(lists_);
  auto* buttons = new QHBoxLayout;
  checkAll_ = new QPushButton(T(kFlMarkerAlle));
  checkAll_->setObjectName("btnCheckAll");
  uncheckAll_ = new QPushButton(T(kFlFjernMarkering));
  uncheckAll_->setObjectName("btnUncheckAll");
  buttons->addWidget(checkAll_);
  buttons->addWidget(uncheckAll_);
  bl->addLayout(buttons);
  inHorses_ = new QCheckBox(T(kFlOgsaaHeste));
  inHorses_->setObjectName("cbPricesInHorses");
  bl->addWidget(inHorses_);
  right->addWidget(box, 1);
  auto* ob = new QHBoxLayout;
  auto* print = new QPushButton(T(kFlUdskrift));
  print->setObjectName("btnPrintPrices");
  auto* help = new QPushButton(T(kFlHjaelp));
  help->setObjectName("btnPriceHelp");
  ob->addWidget(help);
  ob->addStretch();
  ob->addWidget(print);
  right->addLayout(ob);
  layout->addLayout(right, 2);

  connect(lists_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!filling_) Editor().CheckPriceList(lists_->row(item), item->checkState() == Qt::Checked);
  });
  connect(checkAll_, &QPushButton::clicked, this, [this] { Editor().CheckAllPriceLists(true); });
  connect(uncheckAll_, &QPushButton::clicked, this, [this] { Editor().CheckAllPriceLists(false); });
  connect(inHorses_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) Editor().SetPricesInHorses(on);
  });
  connect(print, &QPushButton::clicked, this,
          [this] { window_.ShowHtml(Editor().PriceListPage(), Tr(kFlFoderpriser)); });
  connect(help, &QPushButton::clicked, this, [this] { window_.ShowHelp(FeedListPage::Prices); });
}

bool FeedPricePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && grid_->model()->rowCount() > 0) {
      const int row = std::min(grid_->currentIndex().row() + 1, grid_->model()->rowCount() - 1);
      grid_->setCurrentIndex(grid_->model()->index(row, FeedPriceModel::kPrice));
      return true;
    }
  }
  return FeedListPageBase::eventFilter(watched, event);
}

void FeedPricePage::Refresh(unsigned changed) {
  if (!(changed & (kFlcPrices | kFlcPages | kFlcWorkspace))) return;
  filling_ = true;
  const std::vector<std::string> names = Editor().PriceListNames();
  const std::vector<bool>& checks = Editor().PriceListChecks();
  if (lists_->count() != static_cast<int>(names.size())) lists_->clear();
  for (size_t i = 0; i < names.size(); ++i) {
    if (static_cast<int>(i) >= lists_->count()) {
      auto* item = new QListWidgetItem(Q(names[i]), lists_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    QListWidgetItem* item = lists_->item(static_cast<int>(i));
    item->setText(Q(names[i]));
    item->setCheckState(i < checks.size() && checks[i] ? Qt::Checked : Qt::Unchecked);
  }
  checkAll_->setEnabled(Editor().SelectAllEnabled());
  uncheckAll_->setEnabled(!Editor().SelectAllEnabled());
  inHorses_->setChecked(Editor().PricesInHorses());
  filling_ = false;
}

}  // namespace stallora
