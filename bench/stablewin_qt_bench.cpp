// The stable window itself (offscreen) on a stable of 200 horses with rations, weighings and
// treatments: opening it (built, shown, activated with its treatment summary, painted) and
// changing to each of its pages, each with the report it shows and its repaint: with the
// report as it was, with a report changed by an edit, and for the first time after opening.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "bench_windows.h"
#include "ui/stable/stablewindow.h"

namespace stallora {
namespace {

using bench::Settle;

struct BigStable : bench::WindowProgram {
  BigStable() : WindowProgram("stallora-bench-stablewin") {}
  TStall* stable = nullptr;
};

BigStable& Big() {
  static BigStable* big = [] {
    auto* b = new BigStable;
    std::mt19937 rng(5);
    bench::WriteStable(*b->app, "Storstald", 200, rng);
    b->Scan();
    b->stable = b->workspace->StableByName("Storstald");
    b->Wire();
    return b;
  }();
  return *big;
}

// As the main window opens it: made, shown, activated (the summary and the horse overview
// report), and painted.
void Open(StableWindow& window) {
  window.resize(1000, 660);
  window.show();
  window.WindowActivated();
  Settle();
}

void BM_WindowOpen200Horses(benchmark::State& state) {
  BigStable& b = Big();
  for (auto _ : state) {
    StableWindow window(*b.stable, b.services);
    Open(window);
  }
  state.counters["horses"] = b.stable->HorseCount();
}

const char* const kPageNames[] = {"Information", "Heste i stalden", "Dagbog", "Foderbehov i stalden",
                                  "Rapporter, behandlinger"};

// The page before the one changed to: the information page comes from the treatments page,
// the rest from the information page.
StablePage Before(StablePage page) {
  return page == StablePage::Information ? StablePage::Treatments : StablePage::Information;
}

// A horse's owner and ration changed behind the window, so that every report differs from
// the one shown before and is laid out anew.
void ChangeAHorse(TStall& stable, int n) {
  THest& h = *stable.Horses().front();
  h.EierNavn = n % 2 ? "Ida" : "Bo";
  if (TFor* feed = h.ForListe->FeedAt(0)) feed->TildeltKg = n % 2 ? 2.5 : 3.5;
}

// Changes to the page from the one before it; with `edited`, a horse changes first, so the
// page's report is new.
void PageChange(benchmark::State& state, bool edited) {
  BigStable& b = Big();
  StableWindow window(*b.stable, b.services);
  Open(window);
  const auto page = static_cast<StablePage>(state.range(0));
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.ShowPage(Before(page));
    if (edited) ChangeAHorse(*b.stable, ++n);
    Settle();
    state.ResumeTiming();
    window.ShowPage(page);
    Settle();
  }
  state.SetLabel(kPageNames[state.range(0)]);
  window.StoreSignature();
}

// Arg: the page changed to, its report as shown before (nothing changed meanwhile).
void BM_WindowPageChange(benchmark::State& state) { PageChange(state, false); }

// Arg: the page changed to after a horse changed, so its report is new.
void BM_WindowPageChangeAfterAnEdit(benchmark::State& state) { PageChange(state, true); }

// Arg: the first change of a window just opened to that page (its browser laid out for the
// first time at its size).
void BM_WindowFirstPageChange(benchmark::State& state) {
  BigStable& b = Big();
  const auto page = static_cast<StablePage>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<StableWindow>(*b.stable, b.services);
    Open(*window);
    state.ResumeTiming();
    window->ShowPage(page);
    Settle();
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  state.SetLabel(kPageNames[state.range(0)]);
}

BENCHMARK(BM_WindowOpen200Horses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowPageChange)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowPageChangeAfterAnEdit)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowFirstPageChange)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stallora

int main(int argc, char** argv) { return stallora::bench::RunWindowBenchmarks(argc, argv); }
