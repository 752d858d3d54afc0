#include "ui/feedlist/orderpage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/feedlist_texts.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/widgets/spinner.h"

namespace stallora {

FeedOrderPage::FeedOrderPage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsOrder");
  auto* layout = new QHBoxLayout(this);
  auto* orderBox = new QGroupBox(T(kFlRedigerRaekkefoelge));
  auto* ol = new QHBoxLayout(orderBox);
  order_ = new QListWidget;
  order_->setObjectName("lbOrder");
  ol->addWidget(order_, 1);
  auto* side = new QVBoxLayout;
  auto* spinner = new Spinner("spOrder", this, [this](bool up) { Editor().MoveOrderFeed(up); });
  spinner->AddKeys(order_);
  side->addWidget(spinner);
  auto* sort = new QPushButton(T(kFlSorter));
  sort->setObjectName("btnAutoSort");
  side->addWidget(sort);
  side->addStretch();
  ol->addLayout(side);
  layout->addWidget(orderBox, 1);

  auto* brandsBox = new QGroupBox(T(kFlLeverandoer));
  auto* bl = new QVBoxLayout(brandsBox);
  brands_ = new QListWidget;
  brands_->setObjectName("lbBrands");
  brands_->setToolTip(T(kFlDobbeltklikValg));
  bl->addWidget(brands_);
  layout->addWidget(brandsBox, 1);

  brandBox_ = new QGroupBox;
  brandBox_->setObjectName("gbBrandList");
  auto* xl = new QVBoxLayout(brandBox_);
  brandList_ = new QListWidget;
  brandList_->setObjectName("lbBrandList");
  xl->addWidget(brandList_, 1);
  showInProgram_ = new QCheckBox(T(kFlVisIProgrammet));
  showInProgram_->setObjectName("cbShowInProgram");
  xl->addWidget(showInProgram_);
  auto* xb = new QHBoxLayout;
  auto* save = new QPushButton(T(kFlGem));
  save->setObjectName("btnSaveBrandList");
  auto* cancel = new QPushButton(T(kFlAfbryd));
  cancel->setObjectName("btnCancelBrandList");
  xb->addWidget(save);
  xb->addWidget(cancel);
  xl->addLayout(xb);
  layout->addWidget(brandBox_, 1);
  brandBox_->hide();

  connect(order_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_) Editor().SelectOrderFeed(row);
  });
  connect(sort, &QPushButton::clicked, this, [this] { Editor().AutoSortOrder(); });
  connect(brands_, &QListWidget::itemDoubleClicked, this, [this] { Editor().MakeBrandList(brands_->currentRow()); });
  connect(showInProgram_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) Editor().SetShowBrandListInProgram(on);
  });
  connect(save, &QPushButton::clicked, this, [this] { Editor().SaveBrandList(); });
  connect(cancel, &QPushButton::clicked, this, [this] { Editor().CancelBrandList(); });
}

void FeedOrderPage::Refresh(unsigned changed) {
  if (!(changed & (kFlcOrder | kFlcPages | kFlcTree))) return;
  const OrderView& v = Editor().Order();
  filling_ = true;
  FillList(order_, v.names);
  if (v.selected >= 0 && v.selected < order_->count()) {
    const QSignalBlocker block(order_);
    order_->setCurrentRow(v.selected);
  }
  FillList(brands_, v.brands);
  brandBox_->setVisible(v.brandListVisible);
  brandBox_->setTitle(Q(v.brandListCaption));
  FillList(brandList_, v.brandListNames);
  showInProgram_->setChecked(v.showInProgram);
  filling_ = false;
}

}  // namespace stallora
