// The stable window's work for a stable of 200 horses (rations, weighings, treatments),
// without drawing: opening it (the summary and the horse overview it shows first) and
// showing each report page, each report written to its file as the window does.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "forms/stable_editor.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

const fs::path kData = STALLORA_DATA_DIR;

struct BigStable {
  fs::path dir;
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages messages;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Workspace> workspace;
};

void FillHorse(THest& h, const RecordEnvironment& env, std::mt19937& rng) {
  h.Kategori = static_cast<TDyreKategori>(rng() % 6);
  h.ForventetVoksenvekt = 450 + rng() % 200;
  h.Fodselsdato = env.Today() - 300 - rng() % 3000;
  h.TreningsMengde = (rng() % 100) / 100.0;
  for (int w = 0; w < 20; ++w) h.VektListe->LeggTil(400 + rng() % 200, env.Today() - 7.0 * (20 - w));
  for (int f = 0; f < 8; ++f) {
    TFor& feed = h.ForListe->AddFeed(std::make_unique<TFor>(env));
    feed.Fornavn = "Foder " + std::to_string(f);
    feed.Fortype = static_cast<uint8_t>(rng() % 12);
    feed.Valgt = true;
    feed.TildeltKg = (rng() % 80) / 10.0;
    feed.Pris = (rng() % 500) / 100.0;
    for (int n = 0; n < 24; ++n) feed.SetValue(n, (rng() % 10000) / 100.0);
  }
  for (int t = 0; t < 6; ++t) {
    TTreatmentObj& tr = h.TreatmentListe->AddNew();
    tr.TreatmentType = static_cast<TTreatmentType>(rng() % 6);
    tr.TreatmentName = "Behandling " + std::to_string(t);
    tr.PlannedDate = env.Today() - 400 + rng() % 500;
  }
}

BigStable& Big() {
  static BigStable* g = [] {
    auto* b = new BigStable;
    b->dir = fs::temp_directory_path() / "stallora-bench-stable-window";
    fs::remove_all(b->dir);
    fs::create_directories(b->dir / "Resources");
    fs::copy_file(kData / "dan.ini", b->dir / "dan.ini");
    for (const char* f : {"EPListe.eqe", "treatmentregister45.txt", "behovsliste.txt"})
      fs::copy_file(kData / "Resources" / f, b->dir / "Resources" / f);
    StartResult r = StartProgram(b->dir, b->clock, Regional{}, b->messages);
    b->app = std::move(r.context);
    std::mt19937 rng(5);
    TStall stable(b->app->Env());
    stable.stallNavn = "Storstald";
    stable.NameFeedList();
    stable.Save();
    for (int h = 0; h < 200; ++h) {
      THest& horse = stable.AddHorse(std::make_unique<THest>(b->app->Env()));
      horse.Navn = "Hest " + std::to_string(h);
      FillHorse(horse, b->app->Env(), rng);
    }
    stable.SaveAllHorses();
    b->workspace = std::make_unique<Workspace>(*b->app);
    b->workspace->Scan();
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
