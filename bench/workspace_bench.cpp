// The workspace at scale: a generated save directory of 200 stables x 25 horses with rations,
// weighings and treatments. Measures the start sequence + scan, saving every record, one
// horse file's load and save, and the requirement + ration evaluation of one horse.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/objtext.h"
#include "ration/evaluation.h"
#include "bench_workspace.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

using bench::FillHorse;
using bench::MakeProgramDir;

using Generated = bench::Program;

Generated& Big() {
  static Generated* g = [] {
    auto* gen = new Generated("stallora-bench-workspace");
    std::mt19937 rng(7);
    for (int s = 0; s < 200; ++s) bench::WriteStable(*gen->app, "Stald " + std::to_string(s), 25, rng);
    return gen;
  }();
  return *g;
}

void BM_StartAndScan5000Horses(benchmark::State& state) {
  Generated& g = Big();
  size_t horses = 0;
  for (auto _ : state) {
    StartResult r = StartProgram(g.dir, g.clock, Regional{}, g.messages);
    Workspace ws(*r.context);
    ws.Scan();
    horses = 0;
    for (const auto& s : ws.Stables()) horses += static_cast<size_t>(s->HorseCount());
    benchmark::DoNotOptimize(horses);
  }
  state.counters["horses"] = static_cast<double>(horses);
  state.counters["horses/s"] =
      benchmark::Counter(static_cast<double>(horses) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_SaveEveryRecord(benchmark::State& state) {
  Generated& g = Big();
  StartResult r = StartProgram(g.dir, g.clock, Regional{}, g.messages);
  Workspace ws(*r.context);
  ws.Scan();
  for (auto _ : state) {
    for (const auto& s : ws.Stables()) {
      s->Save();
      s->SaveAllHorses();
    }
  }
}

// A horse with 10 years of weekly weighings, 200 treatments and a 30-feed ration.
void BM_HorseFileLoadSave(benchmark::State& state) {
  static fs::path dir = MakeProgramDir("stallora-bench-horse");
  static FixedClock clock(EncodeDate(2026, 12, 9));
  static RecordingMessages messages;
  static StartResult r = StartProgram(dir, clock, Regional{}, messages);
  static const fs::path file = [] {
    std::mt19937 rng(3);
    THest h(r.context->Env());
    h.Navn = "Stor";
    FillHorse(h, r.context->Env(), rng, 30, 520, 200);
    const fs::path f = dir / "Stor.eqh";
    h.writeToFile(f);
    return f;
  }();
  for (auto _ : state) {
    THest h(r.context->Env());
    h.LoadfromFile(file);
    h.writeToFile(dir / "Stor-copy.eqh");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
}

void BM_RequirementAndEvaluation(benchmark::State& state) {
  static fs::path dir = MakeProgramDir("stallora-bench-eval");
  static FixedClock clock(EncodeDate(2026, 12, 9));
  static RecordingMessages messages;
  static StartResult r = StartProgram(dir, clock, Regional{}, messages);
  AppContext& app = *r.context;
  static const char* kSystems[] = {"nrc2007", "fransk", "dutch"};
  TEnergyProteinObj obj;
  obj.Energiberegning = static_cast<TEnergiBeregning>(state.range(0));
  obj.EnergiBasis = obj.Energiberegning == TEnergiBeregning::nrc2007 ? EnergiBasisType::DE : EnergiBasisType::NE;
  obj.EnergiEnhet = obj.Energiberegning == TEnergiBeregning::nrc2007 ? EnergiEnhetstype::MCal : EnergiEnhetstype::fe;
  app.SetActiveEnergyObject(obj);
  std::mt19937 rng(11);
  THest h(app.Env());
  FillHorse(h, app.Env(), rng, 30, 10, 0);
  h.Kategori = TDyreKategori::Trening;
  for (auto _ : state) {
    h.BeregnBehov();
    BeregnTilforsel(h);
    benchmark::DoNotOptimize(h.Behov[0]);
  }
  state.SetLabel(kSystems[state.range(0)]);
}

BENCHMARK(BM_StartAndScan5000Horses)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveEveryRecord)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_HorseFileLoadSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RequirementAndEvaluation)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
