#include "ui/reportwindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/texts.h"
#include "core/common_texts.h"
#include "feeds/feedlist.h"
#include "feeds/mix.h"
#include "ui/qtext.h"
#include "stable/stall.h"
#include "ui/clipboard.h"

namespace stallora {
namespace {

inline constexpr const Text& kRwReport = common::kRapport;
inline constexpr Text kRwRefresh{"reportwin.refresh", "Opdater"};
inline constexpr Text kRwRefreshHint{"reportwin.refreshhint", "Dan rapporten igen ud fra de gemte data (F5)"};
inline constexpr Text kRwPrint{"reportwin.print", "Udskriv"};
inline constexpr Text kRwPrintHint{"reportwin.printhint", "Udskriv rapporten eller gem den som PDF (Ctrl+P)"};
inline constexpr const Text& kRwCopy = common::kKopier;
inline constexpr Text kRwCopyHint{
    "reportwin.copyhint", "Kopier rapporten til udklipsholderen, så den kan sættes ind i et tekstbehandlingsprogram"};
inline constexpr Text kRwPriceList{"reportwin.pricelist", "Prisliste"};
inline constexpr Text kRwRecipe{"reportwin.recipe", "Opskrift"};

QToolButton* Button(QWidget* parent, const char* name, const Text& text, const Text& hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(T(text));
  b->setToolTip(T(hint));
  b->setStatusTip(T(hint));
  b->setAutoRaise(true);
  return b;
}

}  // namespace

ReportWindow::ReportWindow(Record& record, std::vector<Page> pages, QWidget* parent)
    : RecordWindow(parent), record_(&record), pages_(std::move(pages)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  auto* label = new QLabel(T(kRwReport) + QStringLiteral(":"), this);
  chooser_ = new QComboBox(this);
  chooser_->setObjectName("cbReport");
  chooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  for (const Page& p : pages_) chooser_->addItem(p.title);
  label->setBuddy(chooser_);
  bar->addWidget(label);
  bar->addWidget(chooser_);
  QToolButton* refresh = Button(this, "btnRefresh", kRwRefresh, kRwRefreshHint);
  QToolButton* print = Button(this, "btnPrint", kRwPrint, kRwPrintHint);
  QToolButton* copy = Button(this, "btnCopy", kRwCopy, kRwCopyHint);
  bar->addWidget(refresh);
  bar->addWidget(print);
  bar->addWidget(copy);
  bar->addStretch(1);
  layout->addLayout(bar);
  view_ = new HtmlView(this);
  view_->setObjectName("wbReport");
  layout->addWidget(view_, 1);

  connect(chooser_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(refresh, &QToolButton::clicked, this, &ReportWindow::Refresh);
  connect(print, &QToolButton::clicked, view_, &HtmlView::PrintWithDialog);
  connect(copy, &QToolButton::clicked, this, [this] { CopyHtmlToClipboard(html_); });
  auto* refreshKey = new QAction(this);
  refreshKey->setShortcut(QKeySequence::Refresh);
  refreshKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(refreshKey, &QAction::triggered, this, &ReportWindow::Refresh);
  addAction(refreshKey);
  auto* printKey = new QAction(this);
  printKey->setShortcut(QKeySequence::Print);
  printKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(printKey, &QAction::triggered, view_, &HtmlView::PrintWithDialog);
  addAction(printKey);
  Refresh();
}

void ReportWindow::RecordGoing(const Record& record) {
  if (&record != record_) return;
  record_ = nullptr;
  pages_.clear();  // each page's maker holds the record
}

void ReportWindow::Refresh() {
  if (!record_) return;
  const int i = chooser_->currentIndex();
  html_ = i >= 0 && i < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(i)].make() : std::string();
  view_->ShowReport(html_);
}

void ReportWindow::ShowPage(int index) {
  if (index == chooser_->currentIndex())
    Refresh();
  else
    chooser_->setCurrentIndex(index);
}

ReportWindow* NewFeedListReportWindow(TForListe& list) {
  std::vector<ReportWindow::Page> pages;
  if (list.ForBlanding) pages.push_back({T(kRwRecipe), [&list] { return MixPrintPage(list); }});
  pages.push_back({T(kRwPriceList), [&list] { return list.PriceListPage(); }});
  return new ReportWindow(list, std::move(pages));
}

}  // namespace stallora
