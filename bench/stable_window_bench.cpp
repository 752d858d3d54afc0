// The stable window's work for a stable of 200 horses (rations, weighings, treatments),
// without drawing: opening it (the summary and the horse overview it shows first) and
// showing each report page, each report written to its file as the window does.

#include <benchmark/benchmark.h>

#include <random>

#include "bench_workspace.h"
#include "forms/stable_editor.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

using BigStable = bench::Program;

BigStable& Big() {
  static BigStable* g = [] {
    auto* b = new BigStable("stallora-bench-stable-window");
    std::mt19937 rng(5);
    bench::WriteStable(*b->app, "Storstald", 200, rng);
    b->Scan();
    return b;
  }();
  return *g;
}

// What the window does when it opens on the first page: the view, then the activation
// with the treatment summary and the horse overview report.
void BM_OpenStableOf200Horses(benchmark::State& state) {
  BigStable& b = Big();
  TStall& stable = *b.workspace->StableByName("Storstald");
  for (auto _ : state) {
    StableEditor editor(stable, *b.workspace);
    editor.Open();
    editor.Activate();
    benchmark::DoNotOptimize(editor.View().summary.lines.size());
  }
  state.counters["horses"] = stable.HorseCount();
}

// Arg: 0 horses' overview, 1 feeding page (requirement report), 2 meal list, 3 ration
// comparison, 4 reports and treatments page.
void BM_ShowReportPage(benchmark::State& state) {
  BigStable& b = Big();
  TStall& stable = *b.workspace->StableByName("Storstald");
  StableEditor editor(stable, *b.workspace);
  editor.Open();
  const int page = static_cast<int>(state.range(0));
  static const char* kNames[] = {"Heste i stalden", "Foderbehov i stalden", "Fodringsliste",
                                 "Sammenstilning af rationer", "Rapporter, behandlinger"};
  for (auto _ : state) {
    StableOutcome r;
    switch (page) {
      case 0: r = editor.ShowPage(StablePage::Horses); break;
      case 1: r = editor.ShowPage(StablePage::Feeding); break;
      case 2: r = editor.ShowFeedingReport(2); break;
      case 3: r = editor.ShowFeedingReport(3); break;
      default: r = editor.ShowPage(StablePage::Treatments); break;
    }
    if (!r.ok) state.SkipWithError(r.message.c_str());
  }
  state.SetLabel(kNames[page]);
}

BENCHMARK(BM_OpenStableOf200Horses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowReportPage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
