#include "ui/stable/horsespage.h"

#include <QVBoxLayout>

#include "stable/stable_reports.h"
#include "ui/htmlview.h"
#include "ui/stable/reportbuttons.h"
#include "ui/stable/stablewindow.h"

namespace stallora {

namespace sc = stablechange;

StableHorsesPage::StableHorsesPage(StableWindow& window) : window_(window) {
  setObjectName("tsHester");
  auto* layout = new QVBoxLayout(this);
  browser_ = new HtmlView(this);
  browser_->setObjectName("wbStallenshester");
  // The overview is given on every activation of the information page; a large stable's
  // is laid out only when this page is seen.
  browser_->LayOutWhenShown(true);
  buttons_ = new StableReportButtons(
      window_, "tsHester", *browser_, [] { return kHorseOverviewReport; }, this);
  layout->addWidget(browser_, 1);
  layout->addWidget(buttons_);
}

void StableHorsesPage::Repaint(ChangeFlags changed) {
  const StableView& v = window_.Editor().View();
  if ((changed & sc::kReport) && !v.horsesReport.empty()) StableWindow::ShowReportFile(*browser_, v.horsesReport);
}

}  // namespace stallora
