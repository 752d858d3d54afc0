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
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

const fs::path kData = STALLORA_DATA_DIR;

struct Generated {
  fs::path dir;
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages messages;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Workspace> workspace;
};

fs::path MakeProgramDir(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / name;
  fs::remove_all(dir);
  fs::create_directories(dir / "Resources");
  fs::copy_file(kData / "dan.ini", dir / "dan.ini");
  for (const char* f : {"EPListe.eqe", "treatmentregister45.txt", "behovsliste.txt"})
    fs::copy_file(kData / "Resources" / f, dir / "Resources" / f);
  return dir;
}

void FillHorse(THest& h, const RecordEnvironment& env, std::mt19937& rng, int feeds, int weighings, int treatments) {
  h.Kategori = static_cast<TDyreKategori>(rng() % 6);
  h.ForventetVoksenvekt = 450 + rng() % 200;
  h.Fodselsdato = env.Today() - 300 - rng() % 3000;
  h.TreningsMengde = (rng() % 100) / 100.0;
  h.ParringsDato = env.Today() - rng() % 300;
  h.PartusDato = env.Today() - rng() % 300;
  for (int w = 0; w < weighings; ++w) h.VektListe->LeggTil(400 + rng() % 200, env.Today() - 7.0 * (weighings - w));
  for (int f = 0; f < feeds; ++f) {
    TFor& feed = h.ForListe->AddFeed(std::make_unique<TFor>(env));
    feed.Fornavn = "Foder " + std::to_string(f);
    feed.Fortype = static_cast<uint8_t>(rng() % 12);
    feed.Valgt = true;
    feed.TildeltKg = (rng() % 80) / 10.0;
    feed.Pris = (rng() % 500) / 100.0;
    for (int n = 0; n < 24; ++n) feed.SetValue(n, (rng() % 10000) / 100.0);
  }
  for (int t = 0; t < treatments; ++t) {
    TTreatmentObj& tr = h.TreatmentListe->AddNew();
    tr.TreatmentType = static_cast<TTreatmentType>(rng() % 6);
    tr.TreatmentName = "Behandling " + std::to_string(t);
    tr.PlannedDate = env.Today() - 400 + rng() % 500;
  }
}

Generated& Big() {
  static Generated* g = [] {
    auto* gen = new Generated;
    gen->dir = MakeProgramDir("stallora-bench-switch");
    StartResult r = StartProgram(gen->dir, gen->clock, Regional{}, gen->messages);
    gen->app = std::move(r.context);
    std::mt19937 rng(7);
    for (int s = 0; s < 200; ++s) {
      TStall stable(gen->app->Env());
      stable.stallNavn = "Stald " + std::to_string(s);
      stable.NameFeedList();
      stable.Save();
      for (int h = 0; h < 25; ++h) {
        THest& horse = stable.AddHorse(std::make_unique<THest>(gen->app->Env()));
        horse.Navn = "Hest " + std::to_string(h);
        FillHorse(horse, gen->app->Env(), rng, 8, 20, 6);
      }
      stable.SaveAllHorses();
    }
    gen->workspace = std::make_unique<Workspace>(*gen->app);
    gen->workspace->Scan();
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
