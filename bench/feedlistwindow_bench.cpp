// The feed list window's editor on a list of 2,000 feeds: opening it (the tree, the
// visibility and the texts), picking a feed, and switching between its pages.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "forms/feedlist_editor.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

const fs::path kData = STALLORA_DATA_DIR;

struct BigList {
  fs::path dir;
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages messages;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Workspace> workspace;
  TForListe* list = nullptr;
};

BigList& Big() {
  static BigList* big = [] {
    auto* b = new BigList;
    b->dir = fs::temp_directory_path() / "stallora-bench-feedlist";
    fs::remove_all(b->dir);
    fs::create_directories(b->dir / "Resources");
    fs::copy_file(kData / "dan.ini", b->dir / "dan.ini");
    for (const char* f : {"EPListe.eqe", "treatmentregister45.txt", "behovsliste.txt"})
      fs::copy_file(kData / "Resources" / f, b->dir / "Resources" / f);
    StartResult r = StartProgram(b->dir, b->clock, Regional{}, b->messages);
    b->app = std::move(r.context);
    b->workspace = std::make_unique<Workspace>(*b->app);
    b->workspace->Scan();
    TForListe& l = b->workspace->NewFeedList("Stor liste", false);
    std::mt19937 rng(5);
    const char* brands[] = {"GENERIC", "NORDHAVRE", "VITAMINFABRIKKEN", "HESTEKRAFT", "GRØNT"};
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
    return b;
  }();
  return *big;
}

void BM_EditorOpen2000Feeds(benchmark::State& state) {
  BigList& b = Big();
  for (auto _ : state) {
    FeedListEditor editor(*b.list, *b.workspace, b.messages);
    editor.Show();
    benchmark::DoNotOptimize(editor.Tree().groups.size());
  }
}

void BM_EditorPickFeed(benchmark::State& state) {
  BigList& b = Big();
  FeedListEditor editor(*b.list, *b.workspace, b.messages);
  editor.Show();
  int i = 0;
  for (auto _ : state) {
    editor.ToggleFeed(i);
    i = (i + 37) % 2000;
  }
  editor.ResetPicks();
}

void BM_EditorPageSwitch(benchmark::State& state) {
  BigList& b = Big();
  FeedListEditor editor(*b.list, *b.workspace, b.messages);
  editor.Show();
  const FeedListPage pages[] = {FeedListPage::Compare, FeedListPage::Copy, FeedListPage::Order,
                                FeedListPage::Prices, FeedListPage::Information};
  size_t n = 0;
  for (auto _ : state) {
    editor.ShowPage(pages[n % 5]);
    ++n;
  }
  state.counters["switches"] = static_cast<double>(n);
}

BENCHMARK(BM_EditorOpen2000Feeds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorPickFeed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorPageSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
