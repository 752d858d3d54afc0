// Ration balancing speed: 30 candidate feeds against the 24 nutrient limits of a 500 kg
// horse (the installed requirement list), feasible and infeasible, least cost and closest
// to the requirement; and the whole path from the horse (requirement, evaluation, limits,
// balancing). Target under 20 ms per balancing.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "nutrition/behovsliste.h"
#include "nutrition/hest.h"
#include "ration/optimizer.h"

namespace stallora {
namespace {

struct Fixture {
  Fixture() {
    RegisterConfigClasses();
    RegisterFeedClasses();
    RegisterNutritionClasses();
    RegisterBehovsListeClasses();
    settings = std::move(*LoadCountrySettings(STALLORA_DATA_DIR, "dan.ini", "DAN").settings);
    ApplyActiveEnergyObject(active, settings, settings.countryNumber);
    env = std::make_unique<RecordEnvironment>(clock, Regional{}, settings.countryNumber, &active, &settings);
    requirements = std::make_unique<TBehovsListe>(*env);
    requirements->LoadfromFile(std::filesystem::path(STALLORA_DATA_DIR) / "Resources" / "behovsliste.txt");
    env->requirementList = requirements.get();
    horse = std::make_unique<THest>(*env);
    horse->Fodselsdato = clock.Today() - 3000;
    horse->VektListe->LeggTil(500, clock.Today());
    horse->BeregnBehov();
    // 30 feeds: 10 roughages, 12 concentrates, 8 mineral and vitamin feeds, each with all
    // 24 values, some of them 0.
    std::mt19937 rng(30);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    for (int k = 0; k < 30; ++k) {
      const int kind = k < 10 ? 0 : k < 22 ? 1 : 2;
      TFor& f = horse->ForListe->AddFeed(std::make_unique<TFor>(*env));
      f.Fornavn = "Foder " + std::to_string(k);
      f.Fortype = static_cast<uint8_t>(kind == 0 ? 1 : kind == 1 ? 7 : 9);
      f.Valgt = true;
      f.TildeltKg = kind == 2 ? 0.05 : 1;
      f.TorrStoff = kind == 2 ? 95 : u(80, 92);
      f.Pris = kind == 2 ? u(8, 30) : kind == 1 ? u(2, 6) : u(0.5, 2.5);
      for (int i = 0; i < kNutrientCount; ++i) {
        if (i == 6) continue;
        const double b = horse->Behov[static_cast<size_t>(i)];
        double v = kind == 0 ? b / 10 * u(0.3, 1.4) : kind == 1 ? b / 7 * u(0.2, 1.3) : (i <= 2 ? 0 : b * u(0.5, 4));
        if (u(0, 1) < 0.1) v = 0;
        f.SetValue(i, v);
      }
      f.UpdateRatio();
    }
    feasible = MakeBalanceRequest(*horse, nullptr, false);
    limits = *LimitsFor(*horse, feasible);
    // No feed with selenium, and at most 5 kg of each roughage: selenium and roughage dry
    // matter cannot be met.
    infeasible = feasible;
    for (CandidateFeed& c : infeasible.feeds) {
      c.perKg[12] = 0;
      if (c.category == 1) c.maxKg = 0.4;
    }
  }

  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  CountrySettings settings;
  TEnergyProteinObj active;
  std::unique_ptr<RecordEnvironment> env;
  std::unique_ptr<TBehovsListe> requirements;
  std::unique_ptr<THest> horse;
  BalanceRequest feasible, infeasible;
  RationLimits limits;
  std::unique_ptr<LpSolver> solver = MakeGlpkSolver();
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void Run(benchmark::State& state, const BalanceRequest& req, BalanceStatus expected) {
  Fixture& f = Shared();
  const ExplainContext ctx{&f.settings, ','};
  int unmet = 0, solves = 0;
  for (auto _ : state) {
    const BalanceResult r = Balance(req, f.limits, *f.solver, ctx);
    if (r.status != expected) {
      state.SkipWithError("unexpected outcome");
      break;
    }
    unmet = static_cast<int>(r.unmet.size());
    solves = r.solves;
    benchmark::DoNotOptimize(r.cost);
  }
  state.counters["feeds"] = static_cast<double>(req.feeds.size());
  state.counters["unmet"] = unmet;
  state.counters["solves"] = solves;
}

void BM_BalanceFeasibleLeastCost(benchmark::State& state) {
  Run(state, Shared().feasible, BalanceStatus::kBalanced);
}
BENCHMARK(BM_BalanceFeasibleLeastCost)->Unit(benchmark::kMillisecond);

void BM_BalanceFeasibleClosest(benchmark::State& state) {
  BalanceRequest req = Shared().feasible;
  req.objective = BalanceObjective::kClosestToRequirement;
  Run(state, req, BalanceStatus::kBalanced);
}
BENCHMARK(BM_BalanceFeasibleClosest)->Unit(benchmark::kMillisecond);

void BM_BalanceInfeasibleLeastCost(benchmark::State& state) {
  Run(state, Shared().infeasible, BalanceStatus::kClosest);
}
BENCHMARK(BM_BalanceInfeasibleLeastCost)->Unit(benchmark::kMillisecond);

void BM_BalanceInfeasibleClosest(benchmark::State& state) {
  BalanceRequest req = Shared().infeasible;
  req.objective = BalanceObjective::kClosestToRequirement;
  Run(state, req, BalanceStatus::kClosest);
}
BENCHMARK(BM_BalanceInfeasibleClosest)->Unit(benchmark::kMillisecond);

// From the horse: requirement, evaluation and limits, then the balancing.
void BM_BalanceRationFromTheHorse(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    const BalanceRequest req = MakeBalanceRequest(*f.horse, nullptr, false);
    const BalanceResult r = BalanceRation(*f.horse, req, *f.solver);
    if (r.status != BalanceStatus::kBalanced) {
      state.SkipWithError("unexpected outcome");
      break;
    }
    benchmark::DoNotOptimize(r.cost);
  }
}
BENCHMARK(BM_BalanceRationFromTheHorse)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
