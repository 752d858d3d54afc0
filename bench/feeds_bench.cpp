// Feed list speed: converting a list of 2,000 feeds between every pair of energy systems,
// and writing, reading, saving and loading it.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "config/environment.h"
#include "core/daynum.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"

namespace stallora {
namespace {

struct System {
  const char* name;
  EnergyRecord record;
};

const System kSystems[] = {
    {"nrc-DE-MCal-CP",
     {TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1, TProteinBeregning::CP}},
    {"nrc-DE-MJ-CP", {TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MJ, 1, TProteinBeregning::CP}},
    {"nrc-ME-MJ-DCP",
     {TEnergiBeregning::nrc2007, EnergiBasisType::ME, EnergiEnhetstype::MJ, 1, TProteinBeregning::DCP}},
    {"fransk-NE-fe-DCP",
     {TEnergiBeregning::fransk, EnergiBasisType::NE, EnergiEnhetstype::fe, 1, TProteinBeregning::DCP}},
    {"dutch-NE-fe0.95-DCP",
     {TEnergiBeregning::dutch, EnergiBasisType::NE, EnergiEnhetstype::fe, 0.95, TProteinBeregning::DCP}},
};
constexpr int kSystemCount = sizeof kSystems / sizeof kSystems[0];

struct Fixture {
  Fixture() : clock(EncodeDate(2025, 1, 15)) {
    RegisterFeedClasses();
    active.Energiberegning = TEnergiBeregning::fransk;
    active.EnergiBasis = EnergiBasisType::NE;
    active.EnergiEnhet = EnergiEnhetstype::fe;
    active.ProteinBeregning = TProteinBeregning::DCP;
    env = std::make_unique<RecordEnvironment>(clock, Regional{}, 45, &active);
    list = std::make_unique<TForListe>(*env);
    list->ForlisteNavn = "Benchmark";
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(0, 1);
    for (int n = 0; n < 2000; ++n) {
      auto f = std::make_unique<TFor>(*env);
      f->Fornavn = "Foder nr. " + std::to_string(n);
      f->Brand = n % 3 ? "GENERIC" : "Nordhavre";
      f->Fortype = static_cast<TForkategorier>(n % 12);
      f->TorrStoff = 20 + 79 * u(rng);
      f->Pris = 10 * u(rng);
      for (int i = 0; i < 24; ++i) f->SetValue(i, i == 0 ? 0.2 + u(rng) : 100 * u(rng));
      f->UpdateRatio();
      list->AddFeed(std::move(f));
    }
  }
  FixedClock clock;
  TEnergyProteinObj active;
  std::unique_ptr<RecordEnvironment> env;
  std::unique_ptr<TForListe> list;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_ConvertAllTo(benchmark::State& state) {
  Fixture& fx = Shared();
  const System& from = kSystems[state.range(0)];
  const System& to = kSystems[state.range(1)];
  state.SetLabel(std::string(from.name) + " -> " + to.name);
  TForListe work(*fx.env);
  for (auto _ : state) {
    state.PauseTiming();
    work.AssignList(*fx.list);
    work.SetEnergyRecord(from.record);
    state.ResumeTiming();
    work.ConvertAllTo(to.record, to.record.ProteinType);
    benchmark::DoNotOptimize(work.FeedAt(0)->Value(0));
  }
  state.SetItemsProcessed(state.iterations() * fx.list->Count());
}

void ConvertPairs(benchmark::internal::Benchmark* b) {
  for (int i = 0; i < kSystemCount; ++i)
    for (int j = 0; j < kSystemCount; ++j)
      if (i != j) b->Args({i, j});
}
BENCHMARK(BM_ConvertAllTo)->Apply(ConvertPairs)->Unit(benchmark::kMicrosecond);

void BM_WriteText(benchmark::State& state) {
  Fixture& fx = Shared();
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = RecordText(*fx.list);
    bytes += text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond);

void BM_ReadText(benchmark::State& state) {
  Fixture& fx = Shared();
  const std::string text = RecordText(*fx.list);
  for (auto _ : state) {
    TForListe list(*fx.env);
    ReadRecordText(text, list, ClassRegistry::Global(), fx.env.get());
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadFile(benchmark::State& state) {
  Fixture& fx = Shared();
  const auto dir = std::filesystem::temp_directory_path() / ("stallora-feeds-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto path = dir / "Benchmark.eqf";
  for (auto _ : state) {
    fx.list->SaveToFile(path);
    TForListe loaded(*fx.env);
    loaded.LoadFromFile(path);
    benchmark::DoNotOptimize(loaded.Count());
  }
  state.SetItemsProcessed(state.iterations() * fx.list->Count());
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveAndLoadFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
