// Requirement formula speed: every evaluation scans and parses the text again, so the cost
// per evaluation is the cost per formula of a requirement computation (about 24 formulas
// per horse and change). Realistic formulas of different shapes, each timed on its own,
// then all of them with a fresh expression object per evaluation, as the requirement
// computation does it.

#include <benchmark/benchmark.h>

#include <iterator>

#include "nutrition/uttrykk.h"

namespace stallora {
namespace {

struct BenchSubject final : FormulaSubject {
  double BodyWeight() const override { return 512.5; }
  int PregnancyMonth() const override { return 10; }
  int LactationMonth() const override { return 2; }
  int AgeMonths() const override { return 14; }
  double ExpectedDailyGain() const override { return 0.48; }
  int TrainingIntensity() const override { return 2; }
  bool YoungHorseTrained() const override { return true; }
  double MilkProduction() const override { return 512.5 * 0.0324; }
  double SweatLoss() const override { return 512.5 * 0.01; }
  int MaintenanceLevel() const override { return 1; }
  double Requirement(int n) const override { return n == 0 ? 21.3 : n == 1 ? 630 : 12.5; }
};

const char* const kFormulas[] = {
    // 0: the shortest kind
    "bw*0.0333",
    // 1: maintenance energy by level
    "if maintlevel = min then bw*0.0303 else if maintlevel=average then bw*0.0333 else "
    "bw*0.0363",
    // 2: lactation energy
    "if mol <= 3 then bw*0.0333 + milk*0.792 else bw*0.0333 + milk*0.792*(1 - (mol-3)*0.02)",
    // 3: growth energy
    "(56.5 * moage ** (0-0.145)) * bw / 1000 + (1.99 + 1.21*moage) * adg * 4.185 / 1000 "
    "+ sqrt(bw) * ln(moage + 1) * 0.01 + e exp (0-0.1*moage)",
    // 4: work energy by intensity, with sweat
    "if ti = light then bw*0.0333*1.2 + sweat*0.5 else if ti = moderate then "
    "bw*0.0333*1.4 + sweat*0.5 else if ti = hard then bw*0.0333*1.6 + sweat*0.5 else "
    "bw*0.0333*1.9 + sweat*0.5",
    // 5: pregnancy protein with the foetus
    "if mop >= 9 and yhtrained then er*40 + fetus else if mop >= 5 then cp*1.05 else euro",
};

void BM_Evaluate(benchmark::State& state) {
  const BenchSubject subject;
  const TUttrykk u(kFormulas[state.range(0)], 1);
  if (!u.Evaluer(subject, true, nullptr).ok) {
    state.SkipWithError("formula does not evaluate");
    return;
  }
  for (auto _ : state) {
    UttrykkResultat r = u.Evaluer(subject, true, nullptr);
    benchmark::DoNotOptimize(r.value);
  }
  state.SetLabel(std::to_string(u.Tekst().size()) + " chars");
}
BENCHMARK(BM_Evaluate)->DenseRange(0, std::size(kFormulas) - 1);

// A fresh object per evaluation (text copied in), cycling through all formulas.
void BM_CreateAndEvaluateAll(benchmark::State& state) {
  const BenchSubject subject;
  for (auto _ : state) {
    for (size_t i = 0; i < std::size(kFormulas); ++i) {
      TUttrykk u(kFormulas[i], int(i));
      UttrykkResultat r = u.Evaluer(subject, true, nullptr);
      benchmark::DoNotOptimize(r.value);
    }
  }
  state.SetItemsProcessed(state.iterations() * std::size(kFormulas));
}
BENCHMARK(BM_CreateAndEvaluateAll);

// An error costs a message; it must stay cheap enough for the editor's "test all rules".
void BM_EvaluateWithError(benchmark::State& state) {
  const BenchSubject subject;
  const TUttrykk u("if maintlevel = min then bw*0.0303 else if maintlevel=average then "
                   "bw*0.0333 else bw*");
  for (auto _ : state) {
    UttrykkResultat r = u.Evaluer(subject, true, nullptr);
    benchmark::DoNotOptimize(r.ok);
  }
}
BENCHMARK(BM_EvaluateWithError);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
