#include "ui/feedlist/comparepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/feedlist_texts.h"
#include "ui/clipboard.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/htmlview.h"

namespace stallora {

FeedComparePage::FeedComparePage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsCompare");
  auto* layout = new QVBoxLayout(this);
  choice_ = new QWidget;
  choice_->setObjectName("gbCompareChoice");
  auto* grid = new QGridLayout(choice_);
  lists_ = new QComboBox;
  lists_->setObjectName("cbCompareList");
  feeds_ = new QListWidget;
  feeds_->setObjectName("lbCompareFeeds");
  nutrients_ = new QListWidget;
  nutrients_->setObjectName("clbNutrients");
  chosen_ = new QListWidget;
  chosen_->setObjectName("lbChosenFeeds");
  grid->addWidget(lists_, 0, 0);
  grid->addWidget(feeds_, 1, 0);
  grid->addWidget(new QLabel(Q(Tr(kNaeringsstof))), 0, 1);
  grid->addWidget(nutrients_, 1, 1);
  grid->addWidget(new QLabel(T(kFlValgt) + " " + Q(Tr(common::kFoder2))), 0, 2);
  grid->addWidget(chosen_, 1, 2);
  auto* buttons = new QHBoxLayout;
  auto* reset = new QPushButton(T(kFlNulstil));
  reset->setObjectName("btnCompareReset");
  auto* show = new QPushButton(T(kFlResultat));
  show->setObjectName("btnCompareResults");
  buttons->addWidget(reset);
  buttons->addStretch();
  buttons->addWidget(show);
  grid->addLayout(buttons, 2, 0, 1, 3);
  layout->addWidget(choice_, 1);

  results_ = new QGroupBox(T(kFlResultat));
  results_->setObjectName("gbCompareResults");
  auto* rl = new QVBoxLayout(results_);
  view_ = new HtmlView;
  view_->setObjectName("wbCompare");
  rl->addWidget(view_, 1);
  auto* rb = new QHBoxLayout;
  auto* print = new QPushButton(T(kFlUdskrift));
  print->setObjectName("btnComparePrint");
  auto* copy = new QPushButton(T(kFlKopier));
  copy->setObjectName("btnCompareCopy");
  auto* store = new QPushButton(T(kFlGem));
  store->setObjectName("btnCompareStore");
  auto* ok = new QPushButton(T(kFlOk));
  ok->setObjectName("btnCompareOk");
  for (QPushButton* b : {print, copy, store}) rb->addWidget(b);
  rb->addStretch();
  rb->addWidget(ok);
  rl->addLayout(rb);
  layout->addWidget(results_, 1);
  results_->hide();

  connect(lists_, &QComboBox::activated, this, [this](int i) { Editor().ChooseCompareList(i); });
  connect(feeds_, &QListWidget::itemDoubleClicked, this, [this] { Editor().AddCompareFeed(feeds_->currentRow()); });
  connect(nutrients_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!filling_) Editor().SetCompareNutrient(nutrients_->row(item), item->checkState() == Qt::Checked);
  });
  connect(reset, &QPushButton::clicked, this, [this] { Editor().ResetCompare(); });
  connect(show, &QPushButton::clicked, this, [this] { Editor().CompareResults(); });
  connect(ok, &QPushButton::clicked, this, [this] { Editor().CloseResults(); });
  connect(print, &QPushButton::clicked, this, [this] { window_.Ask().Print(*view_->document(), T(kFlSammenligning)); });
  connect(copy, &QPushButton::clicked, this, [this] {
    CopyHtmlToClipboard(Editor().Compare().html);
    window_.Ask().Inform(Tr(kFlKopieret));
  });
  connect(store, &QPushButton::clicked, this, [this] { Store(); });
}

void FeedComparePage::Store() {
  const auto name = window_.Ask().AskText(T(kFlGem), T(kFlNavn), T(kFlSammenligning));
  if (name) Editor().StoreComparison(L(*name));
}

void FeedComparePage::Refresh(unsigned changed) {
  if (!(changed & (kFlcCompare | kFlcPages))) return;
  const CompareView& v = Editor().Compare();
  filling_ = true;
  {
    const QSignalBlocker block(lists_);
    bool same = lists_->count() == static_cast<int>(v.lists.size());
    for (int i = 0; same && i < lists_->count(); ++i) same = lists_->itemText(i) == Q(v.lists[static_cast<size_t>(i)]);
    if (!same) {
      lists_->clear();
      for (const auto& n : v.lists) lists_->addItem(Q(n));
    }
    lists_->setCurrentIndex(v.list);
  }
  FillList(feeds_, v.listFeeds);
  if (nutrients_->count() != static_cast<int>(v.nutrients.size())) {
    nutrients_->clear();
    for (const auto& n : v.nutrients) {
      auto* item = new QListWidgetItem(Q(n), nutrients_);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
  }
  for (int i = 0; i < nutrients_->count(); ++i) {
    QListWidgetItem* item = nutrients_->item(i);
    item->setText(Q(v.nutrients[static_cast<size_t>(i)]));
    const bool on = static_cast<size_t>(i) < v.chosenNutrients.size() && v.chosenNutrients[static_cast<size_t>(i)];
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  FillList(chosen_, v.chosenFeeds);
  if (v.resultsVisible && results_->isHidden()) view_->ShowReport(v.html, v.resultFile.parent_path());
  results_->setVisible(v.resultsVisible);
  choice_->setVisible(!v.resultsVisible);
  filling_ = false;
}

}  // namespace stallora
