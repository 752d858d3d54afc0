#pragma once
// Inside the ration balancer: the evaluation's limits as linear rows over the candidates'
// kg, shared by the solving (optimizer_solve.cpp) and the explanations (optimizer_explain.cpp).

#include <string>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "core/cp1252.h"
#include "ration/optimizer.h"

namespace stallora::balance {

// One linear quantity of the ration, coef · kg + offset, with the evaluation's range on it.
// A side that is not judged is absent (lowId/highId subject unused, bound infinite).
struct Row {
  LimitId lowId, highId;
  std::vector<double> coef;  // per candidate
  double offset = 0;         // what the other feeds contribute
  double low = -kLpInfinity;
  double high = kLpInfinity;
  double scale = 1;  // size of the limit; elastic shortfalls and excesses are weighed by 1/scale
  bool HasLow() const { return low > -kLpInfinity; }
  bool HasHigh() const { return high < kLpInfinity; }
};

// A quantity the balance objective keeps near its requirement.
struct Target {
  std::vector<double> coef;
  double offset = 0;
  double value = 0;  // the requirement (> 0)
};

// Which of cobalt and vitamin B12 must hold: both, or one (the evaluation flags neither
// while the other is in range).
enum class PairMode { kBoth, kWithoutCobalt, kWithoutB12 };

struct Model {
  int n = 0;  // candidates
  std::vector<double> colLo, colHi, price;
  std::vector<Row> rows;
  std::vector<Target> targets;
};

Model BuildModel(const BalanceRequest& request, const RationLimits& limits, PairMode pair);

// The row of a limit in the full model (kBoth); -1 when the limit is not judged.
int RowOf(const Model& model, const LimitId& id);
// The value a limit is judged on for the given kg (the ratio as the evaluation computes it).
double QuantityOf(const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
                  const std::vector<double>& kg);
// The per-kg coefficients of a limit's quantity (for the ratio: Ca − limit × P).
std::vector<double> LimitCoefficients(const BalanceRequest& request, const RationLimits& limits, const LimitId& id);
// The limit's value (for digestible protein the range of S).
double LimitValueOf(const RationLimits& limits, const LimitId& id);

// What is at best reachable for one unmet limit within the feeds' bounds (and the dry-matter
// cap unless `withCap` is false), and which bounds stop it.
struct Reach {
  bool solved = false;
  double best = 0;
  std::vector<double> kg;
  bool capActive = false;
};
Reach BestReachable(const Model& model, const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
                    bool withCap, const LpSolver& solver, const LpBudget& budget);

// The texts of the result: explanations of unmet and accepted limits, notes on binding ones.
void Explain(BalanceResult& result, const BalanceRequest& request, const RationLimits& limits,
             const ExplainContext& context);

// A text of the table with its named placeholders filled. A language table whose text names
// other placeholders falls back to the Danish wording, which always fits.
template <typename... Args>
std::string Fill(const Text& text, Args&&... args) {
  try {
    return fmt::format(fmt::runtime(Tr(text)), std::forward<Args>(args)...);
  } catch (const fmt::format_error&) {
    return fmt::format(fmt::runtime(Utf8ToCp1252(text.danish)), std::forward<Args>(args)...);
  }
}

}  // namespace stallora::balance
