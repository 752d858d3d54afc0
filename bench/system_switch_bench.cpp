// Switching the energy and protein system of a large workspace: 200 stables x 25 horses, each
// horse with an 8-feed ration, 20 weighings and 6 treatments (the workspace of the scan
// benchmark in workspace_bench.cpp, generated the same way). Every feed list and ration is
// converted and every stable and horse file written, as the preferences dialog does it, with
// the progress counted as the dialog shows it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>

#include "stable/system_switch.h"
#include "bench_workspace.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

using Generated = bench::Program;

Generated& Big() {
  static Generated* g = [] {
    auto* gen = new Generated("stallora-bench-switch");
    std::mt19937 rng(7);
    for (int s = 0; s < 200; ++s) bench::WriteStable(*gen->app, "Stald " + std::to_string(s), 25, rng);
    gen->Scan();
    return gen;
  }();
  return *g;
}

// One iteration is one switch, alternately to NRC 2007 (DE, MJ) and back to the Danish
// feed-unit system, on the workspace in memory and on disk.
void BM_SwitchSystem5000Horses(benchmark::State& state) {
  Generated& g = Big();
  const TEnergyProteinObj* nrc = nullptr;
  const TEnergyProteinObj* danish = nullptr;
  for (const auto& o : g.app->energyList.Liste)
    if (o->CountryNo == 45) (o->Energiberegning == TEnergiBeregning::nrc2007 ? nrc : danish) = o.get();
  if (!nrc || !danish) return state.SkipWithError("the installed list lacks the two Danish systems");
  size_t horses = 0;
  int files = 0;
  int progressCalls = 0;
  bool toNrc = true;
  // Where the time goes: converting in memory, writing the new files beside the old ones,
  // replacing them (the file system's flush comes first).
  using Clock = std::chrono::steady_clock;
  std::map<SwitchPhase, double> seconds;
  for (auto _ : state) {
    Clock::time_point mark = Clock::now();
    SwitchPhase phase = SwitchPhase::Converting;
    const auto progress = [&](SwitchPhase p, int, int) {
      ++progressCalls;
      if (p == phase) return;
      const Clock::time_point now = Clock::now();
      seconds[phase] += std::chrono::duration<double>(now - mark).count();
      mark = now;
      phase = p;
    };
    const SwitchOutcome out = SwitchEnergySystem(*g.workspace, toNrc ? *nrc : *danish, progress);
    seconds[phase] += std::chrono::duration<double>(Clock::now() - mark).count();
    if (!out.ok) return state.SkipWithError(out.message.c_str());
    horses = static_cast<size_t>(out.horses);
    files = out.files;
    toNrc = !toNrc;
  }
  state.counters["horses"] = static_cast<double>(horses);
  state.counters["files"] = files;
  const double n = static_cast<double>(state.iterations());
  state.counters["convert_s"] = seconds[SwitchPhase::Converting] / n;
  state.counters["write_s"] = seconds[SwitchPhase::Writing] / n;
  state.counters["replace_s"] = seconds[SwitchPhase::Replacing] / n;
  state.counters["progress/switch"] = static_cast<double>(progressCalls) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_SwitchSystem5000Horses)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
