#include "ui/stable/feedingpage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/stable_texts.h"
#include "render/qttext.h"
#include "stable/stable_reports.h"
#include "ui/htmlview.h"
#include "ui/qtext.h"
#include "ui/stable/reportbuttons.h"
#include "ui/stable/stablewindow.h"

namespace stallora {

using namespace stabletext;
namespace sc = stablechange;

StableFeedingPage::StableFeedingPage(StableWindow& window) : window_(window) {
  setObjectName("tsForing");
  auto* layout = new QVBoxLayout(this);
  group_ = new QGroupBox(this);
  group_->setObjectName("grbStallForing");
  auto* inner = new QVBoxLayout(group_);
  auto* choose = new QHBoxLayout;
  requirement_ = new QPushButton(T(kSrFoderbehov), group_);
  requirement_->setObjectName("btnStableFeedReq");
  mealChart_ = new QPushButton(T(kFodringsliste), group_);
  mealChart_->setObjectName("btnStableMealChart");
  comparison_ = new QPushButton(T(kSrSammenstilning), group_);
  comparison_->setObjectName("btnHorseRations_Summary");
  for (auto* b : {requirement_, mealChart_, comparison_}) choose->addWidget(b);
  choose->addStretch();
  browser_ = new HtmlView(group_);
  browser_->setObjectName("wbStableFeedUse");
  inner->addLayout(choose);
  inner->addWidget(browser_, 1);
  layout->addWidget(group_, 1);
  layout->addWidget(new StableReportButtons(
      window_, "tsForing", *browser_, [this] { return window_.Editor().View().feedingReport; }, this));
  connect(requirement_, &QPushButton::clicked, this, [this] { ShowReport(kFeedRequirementReport); });
  connect(mealChart_, &QPushButton::clicked, this, [this] { ShowReport(kRationAllocationReport); });
  connect(comparison_, &QPushButton::clicked, this, [this] { ShowReport(kRationComparisonReport); });
}

void StableFeedingPage::ShowReport(int kind) {
  if (window_.Dead()) return;
  window_.Tell(window_.Editor().ShowFeedingReport(kind));
}

void StableFeedingPage::Repaint(ChangeFlags changed) {
  const StableView& v = window_.Editor().View();
  if (changed & (sc::kFeeding | sc::kMeals)) {
    group_->setTitle(Q(v.feedingCaption));
    mealChart_->setVisible(v.mealChartVisible);
    requirement_->setEnabled(v.feedingReport != kFeedRequirementReport);
    mealChart_->setEnabled(v.feedingReport != kRationAllocationReport);
    comparison_->setEnabled(v.feedingReport != kRationComparisonReport);
  }
  if ((changed & sc::kReport) && v.page == StablePage::Feeding && !v.feedingReportFile.empty())
    StableWindow::ShowReportFile(*browser_, v.feedingReportFile);
}

}  // namespace stallora
