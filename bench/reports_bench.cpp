// Report speed: the full feeding plan of one horse (requirement, ration evaluation, the
// page with its advice section; target under 1 ms), the other horse pages and the stable
// reports, and the balance chart picture (drawn and written as JPEG; target under 20 ms).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "nutrition/treatment_reports.h"
#include "ration/balance_chart.h"
#include "ration/horse_reports.h"
#include "stable/stable_reports.h"
#include "stable/workspace.h"

#ifdef STALLORA_BENCH_HAS_QT
#include <QGuiApplication>

#include "render/charts.h"
#include "render/fonts.h"
#endif

namespace stallora {
namespace {

namespace fs = std::filesystem;

// A program directory with the installed data, one stable and a 500 kg horse with four
// feeds of full analyses, three meals and three treatments.
struct Fixture {
  Fixture() {
    dir = fs::temp_directory_path() / ("stallora-reports-bench-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(STALLORA_DATA_DIR, dir, fs::copy_options::recursive);
    StartResult r = StartProgram(dir, clock, Regional{}, messages);
    app = std::move(r.context);
    app->preferences.KonsulentNavn = "Karen Holm";
    const RecordEnvironment& env = app->Env();
    stable = std::make_unique<TStall>(env);
    stable->stallNavn = "Bench";
    horse = &stable->NewHorse();
    horse->Navn = "Blakken";
    horse->VektListe->LeggTil(500, clock.Today() - 10);
    const double hay[] = {0.55, 60, 3, 3.5, 2, 1.5, 0, 1, 200, 20, 5, 60, 0.03, 0.1, 0.2, 2000, 500, 20, 2, 8, 2, 0, 20, 1};
    const double oats[] = {0.85, 85, 4, 0.8, 3.4, 1.2, 0, 0.5, 60, 30, 4, 35, 0.1, 0.05, 0.1, 0, 0, 10, 5, 1, 1, 0, 10, 0.5};
    const double mineral[] = {0, 0, 0, 200, 60, 50, 0, 100, 0, 4000, 1000, 2000, 15, 5, 20, 500000, 50000, 5000, 100, 50, 50, 0.5, 100, 20};
    struct FeedLine {
      const char* name;
      int category;
      double kg;
      const double* analysis;
    } feeds[] = {{"H\xF8", 1, 9, hay}, {"Wrap", 2, 3, hay}, {"Havre", 3, 1.5, oats}, {"Mineral", 9, 0.05, mineral}};
    for (const FeedLine& s : feeds) {
      TFor& f = horse->ForListe->AddFeed(std::make_unique<TFor>(env));
      f.Fornavn = s.name;
      f.Fortype = static_cast<uint8_t>(s.category);
      f.Valgt = true;
      f.TildeltKg = s.kg;
      f.Pris = 2.5;
      for (int i = 0; i < kNutrientCount; ++i) f.SetValue(i, s.analysis[i]);
      f.UpdateRatio();
    }
    StallMaltider(*horse, 3, {"25200", "43200", "64800"});
    for (int i = 0; i < 3; ++i) {
      TTreatmentObj& t = horse->TreatmentListe->AddNew();
      t.TreatmentName = "Behandling " + std::to_string(i);
      t.PlannedDate = clock.Today() + 10 * i - 5;
    }
    stable->AddHorse(std::make_unique<THest>(env)).Navn = "Stjerne";
  }
  ~Fixture() { fs::remove_all(dir); }

  fs::path dir;
  FixedClock clock{EncodeDate(2026, 12, 8) + EncodeTime(10, 30)};
  RecordingMessages messages;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<TStall> stable;
  THest* horse = nullptr;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_FullFeedingPlan(benchmark::State& state) {
  Fixture& f = Shared();
  HorseReports reports = HorseReportsOf(*f.stable, *f.horse);
  size_t bytes = 0;
  for (auto _ : state) {
    std::string page = reports.LagFoderplan(true);
    bytes += page.size();
    benchmark::DoNotOptimize(page);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_FullFeedingPlan)->Unit(benchmark::kMicrosecond);

void BM_OtherHorsePages(benchmark::State& state) {
  Fixture& f = Shared();
  HorseReports reports = HorseReportsOf(*f.stable, *f.horse);
  for (auto _ : state) {
    benchmark::DoNotOptimize(reports.LagSimpelFoderplan());
    benchmark::DoNotOptimize(reports.LagBehovside());
    benchmark::DoNotOptimize(reports.LagMaltidside());
    benchmark::DoNotOptimize(ListReport(*f.horse->TreatmentListe, f.horse));
  }
}
BENCHMARK(BM_OtherHorsePages)->Unit(benchmark::kMicrosecond);

void BM_StableReports(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state)
    for (int kind = 0; kind < 5; ++kind) benchmark::DoNotOptimize(StableReport(*f.stable, kind));
}
BENCHMARK(BM_StableReports)->Unit(benchmark::kMicrosecond);

#ifdef STALLORA_BENCH_HAS_QT
void BM_BalanceChartPicture(benchmark::State& state) {
  Fixture& f = Shared();
  JpegPictureWriter writer;
  HorseReports reports = HorseReportsOf(*f.stable, *f.horse);
  const fs::path file = f.dir / "chart.jpg";
  for (auto _ : state) {
    const bool ok = writer.WriteJpeg(
        kBalanceChartWidth, kBalanceChartHeight,
        [&](Canvas& c) { TegnBalanse(*f.horse, f.app->preferences.showNutrient, f.app->settings, c); }, file);
    if (!ok) state.SkipWithError("the picture was not written");
  }
}
BENCHMARK(BM_BalanceChartPicture)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace stallora

int main(int argc, char** argv) {
#ifdef STALLORA_BENCH_HAS_QT
  int qtArgc = 3;
  char arg0[] = "reports_bench", arg1[] = "-platform", arg2[] = "offscreen";
  char* qtArgv[] = {arg0, arg1, arg2, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  stallora::InstallFontSubstitutions();
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
