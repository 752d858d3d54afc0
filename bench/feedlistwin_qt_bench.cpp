// The feed list window itself (offscreen) on a list of 2,000 feeds: opening it, filtering
// and scrolling its tree, and switching between its pages, each with its repaint.

#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTreeView>
#include <random>

#include "bench_windows.h"
#include "stable/workspace.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/feedlist/infopage.h"

namespace stallora {
namespace {

using bench::Settle;

struct BigList : bench::WindowProgram {
  BigList() : WindowProgram("stallora-bench-feedlistwin") {}
  TForListe* list = nullptr;
};

BigList& Big() {
  static BigList* big = [] {
    auto* b = new BigList;
    b->Scan();
    TForListe& l = b->workspace->NewFeedList("Stor liste", false);
    std::mt19937 rng(5);
    const char* brands[] = {"GENERIC", "NORDHAVRE", "VITAMINFABRIKKEN", "HESTEKRAFT", "SKOVFODER"};
    for (int n = 0; n < 2000; ++n) {
      auto f = std::make_unique<TFor>(b->app->Env());
      f->Fornavn = "Foder nr. " + std::to_string(n);
      f->Brand = brands[rng() % 5];
      f->Fortype = static_cast<TForkategorier>(rng() % 12);
      f->TorrStoff = 20 + rng() % 80;
      f->Pris = (rng() % 1000) / 100.0;
      for (int i = 0; i < 24; ++i) f->SetValue(i, (rng() % 10000) / 100.0);
      f->UpdateRatio();
      l.AddFeed(std::move(f));
    }
    l.SaveToWorkspace();
    b->list = &l;
    b->Wire();
    return b;
  }();
  return *big;
}

void BM_WindowOpen2000Feeds(benchmark::State& state) {
  BigList& b = Big();
  for (auto _ : state) {
    FeedListWindow window(*b.list, b.services);
    window.resize(1100, 640);
    window.show();
    Settle();
    window.StoreSignature();
  }
}

void BM_WindowFilterAndScrollTree(benchmark::State& state) {
  BigList& b = Big();
  FeedListWindow window(*b.list, b.services);
  window.resize(1100, 640);
  window.show();
  Settle();
  auto* filter = window.findChild<QLineEdit*>("edTreeFilter");
  QTreeView* tree = window.InfoPage()->Tree();
  const char* texts[] = {"nr. 1", "nr. 19", "", "7"};
  size_t n = 0;
  for (auto _ : state) {
    filter->setText(texts[n % 4]);
    tree->expandAll();
    tree->scrollToBottom();
    Settle();
    tree->scrollToTop();
    Settle();
    ++n;
  }
  filter->clear();
  window.StoreSignature();
}

void BM_WindowPageSwitch(benchmark::State& state) {
  BigList& b = Big();
  FeedListWindow window(*b.list, b.services);
  window.resize(1100, 640);
  window.show();
  Settle();
  const FeedListPage pages[] = {FeedListPage::Compare, FeedListPage::Copy, FeedListPage::Order, FeedListPage::Prices,
                                FeedListPage::Information};
  size_t n = 0;
  for (auto _ : state) {
    window.GoTo(pages[n % 5]);
    Settle();
    ++n;
  }
  window.StoreSignature();
}

BENCHMARK(BM_WindowOpen2000Feeds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowFilterAndScrollTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowPageSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stallora

int main(int argc, char** argv) { return stallora::bench::RunWindowBenchmarks(argc, argv); }
