// Balance(): checks the request, solves the limits as a linear programme, falls back to
// elastic limits when they cannot all hold, and works out what stops each unmet limit.

#include <algorithm>
#include <chrono>
#include <cmath>

#include <fmt/format.h>

#include "feeds/feed.h"
#include "ration/optimizer_model.h"
#include "ration/optimizer_texts.h"

namespace stallora {
namespace {

using balance::Model;
using balance::PairMode;
using balance::Row;

// Input sizes beyond any feed or horse, refused before they reach the solver: per kg of a
// feed, kg of a feed, and limits of a horse.
constexpr double kLargestValue = 1e9;
constexpr double kLargestKg = 1e6;
constexpr double kLargestLimit = 1e12;

// Among rations of equal cost the one with fewer kg; small enough never to outweigh a
// price difference of a hundredth of an øre per kg.
constexpr double kTieBreakPerKg = 1e-7;

using SteadyClock = std::chrono::steady_clock;

class Runner {
 public:
  Runner(const LpSolver& solver, const LpBudget& budget)
      : solver_(solver), budget_(budget), deadline_(SteadyClock::now() + std::chrono::milliseconds(budget.milliseconds)) {}
  LpSolution Run(const LpProblem& p) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - SteadyClock::now()).count();
    if (left <= 0) return {LpStatus::kTimeLimit, {}, 0, {}};
    ++solves;
    return solver_.Solve(p, {static_cast<int>(left), budget_.iterations});
  }
  LpBudget Left() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - SteadyClock::now()).count();
    return {static_cast<int>(std::max<long long>(left, 1)), budget_.iterations};
  }
  int solves = 0;

 private:
  const LpSolver& solver_;
  LpBudget budget_;
  SteadyClock::time_point deadline_;
};

// Limits are met a little inside, so that the solver's own tolerance and the rounding of
// the sums cannot put a supply on the wrong side of the evaluation's comparison.
double Inset(double bound, double shrink) { return shrink * (1 + std::fabs(bound)); }

struct Layout {
  int n = 0;
  std::vector<int> devPlus, devMinus;  // per target
  std::vector<int> lowSlack, highSlack;  // per row; -1 without
};

using Limits = std::vector<LimitId>;

bool In(const Limits& ids, const LimitId& id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

// With `elastic`, every limit but those in `hard` may be missed at a price.
LpProblem BuildLp(const Model& m, double shrink, bool elastic, bool deviations, Layout& L, const Limits& hard = {}) {
  LpProblem p;
  L = Layout{};
  L.n = m.n;
  for (int j = 0; j < m.n; ++j) p.AddColumn(m.colLo[static_cast<size_t>(j)], m.colHi[static_cast<size_t>(j)], 0);
  if (deviations) {
    for (const auto& t : m.targets) {
      const int plus = p.AddColumn(0, kLpInfinity, 0), minus = p.AddColumn(0, kLpInfinity, 0);
      L.devPlus.push_back(plus);
      L.devMinus.push_back(minus);
      std::vector<std::pair<int, double>> terms;
      for (int j = 0; j < m.n; ++j)
        if (t.coef[static_cast<size_t>(j)] != 0) terms.emplace_back(j, t.coef[static_cast<size_t>(j)]);
      terms.emplace_back(plus, -1);
      terms.emplace_back(minus, 1);
      p.AddRow(std::move(terms), t.value - t.offset, t.value - t.offset);
    }
  }
  for (const Row& row : m.rows) {
    std::vector<std::pair<int, double>> terms;
    for (int j = 0; j < m.n; ++j)
      if (row.coef[static_cast<size_t>(j)] != 0) terms.emplace_back(j, row.coef[static_cast<size_t>(j)]);
    double lo = row.HasLow() ? row.low - row.offset + Inset(row.low, shrink) : -kLpInfinity;
    double hi = row.HasHigh() ? row.high - row.offset - Inset(row.high, shrink) : kLpInfinity;
    if (lo > hi) lo = hi = (row.low + row.high) / 2 - row.offset;
    int low = -1, high = -1;
    if (elastic && row.HasLow() && !In(hard, row.lowId)) {
      low = p.AddColumn(0, kLpInfinity, 0);
      terms.emplace_back(low, 1);
    }
    if (elastic && row.HasHigh() && !In(hard, row.highId)) {
      high = p.AddColumn(0, kLpInfinity, 0);
      terms.emplace_back(high, -1);
    }
    L.lowSlack.push_back(low);
    L.highSlack.push_back(high);
    p.AddRow(std::move(terms), lo, hi);
  }
  return p;
}

void CostObjective(LpProblem& p, const Model& m) {
  for (int j = 0; j < m.n; ++j) p.columns[static_cast<size_t>(j)].cost = m.price[static_cast<size_t>(j)] + kTieBreakPerKg;
}

std::vector<std::pair<int, double>> DeviationTerms(const Model& m, const Layout& L) {
  std::vector<std::pair<int, double>> terms;
  for (size_t t = 0; t < m.targets.size(); ++t) {
    const double w = 1 / m.targets[t].value;
    terms.emplace_back(L.devPlus[t], w);
    terms.emplace_back(L.devMinus[t], w);
  }
  return terms;
}

std::vector<std::pair<int, double>> ElasticTerms(const Model& m, const Layout& L) {
  std::vector<std::pair<int, double>> terms;
  for (size_t r = 0; r < m.rows.size(); ++r) {
    const double w = 1 / m.rows[r].scale;
    if (L.lowSlack[r] >= 0) terms.emplace_back(L.lowSlack[r], w);
    if (L.highSlack[r] >= 0) terms.emplace_back(L.highSlack[r], w);
  }
  return terms;
}

void SetCosts(LpProblem& p, const std::vector<std::pair<int, double>>& terms) {
  for (auto& c : p.columns) c.cost = 0;
  for (const auto& [col, w] : terms) p.columns[static_cast<size_t>(col)].cost = w;
}

// Keeps a first objective at its optimum while a second is minimised.
void Freeze(LpProblem& p, std::vector<std::pair<int, double>> terms, double optimum) {
  p.AddRow(std::move(terms), -kLpInfinity, optimum + 1e-7 * std::fabs(optimum) + 1e-9);
}

struct Solved {
  LpStatus status = LpStatus::kFailed;
  std::vector<double> kg;
};

Solved Finish(const LpSolution& s, const Model& m) {
  Solved r{s.status, {}};
  if (s.status != LpStatus::kOptimal) return r;
  r.kg.assign(s.x.begin(), s.x.begin() + m.n);
  for (int j = 0; j < m.n; ++j) {
    const auto k = static_cast<size_t>(j);
    double v = std::clamp(r.kg[k], m.colLo[k], m.colHi[k]);
    if (std::fabs(v) < 1e-9 && m.colLo[k] <= 0) v = 0;
    r.kg[k] = v;
  }
  return r;
}

// The request's objective within the limits (elastic: as near the limits as can be, then
// the objective among the nearest).
Solved SolveModel(const Model& m, BalanceObjective objective, double shrink, bool elastic, Runner& run,
                  const Limits& hard = {}) {
  Layout L;
  const bool balance = objective == BalanceObjective::kClosestToRequirement;
  LpProblem p = BuildLp(m, shrink, elastic, balance, L, hard);
  if (elastic) {
    const auto terms = ElasticTerms(m, L);
    SetCosts(p, terms);
    const LpSolution s = run.Run(p);
    if (s.status != LpStatus::kOptimal) return {s.status, {}};
    Freeze(p, terms, s.objective);
  }
  if (balance) {
    const auto terms = DeviationTerms(m, L);
    SetCosts(p, terms);
    const LpSolution s = run.Run(p);
    if (s.status != LpStatus::kOptimal) return {s.status, {}};
    Freeze(p, terms, s.objective);
  }
  SetCosts(p, {});
  CostObjective(p, m);
  return Finish(run.Run(p), m);
}

// The evaluation's comparison, a hair stricter: the flag uses a slack of 1e-9 of the
// larger limit, this one of the limit checked.
bool Holds(const LimitId& id, double quantity, double limit) {
  const bool exact = id.subject == LimitSubject::kDryMatter || id.subject == LimitSubject::kRoughage;
  const double slack = exact ? 0 : 1e-9 * std::max(std::fabs(limit), 1.0);
  return id.upper ? quantity <= limit + slack : quantity >= limit - slack;
}

std::vector<LimitId> JudgedLimits(const Model& m) {
  std::vector<LimitId> ids;
  auto add = [&](const LimitId& id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  };
  for (const Row& r : m.rows) {
    if (r.HasLow()) add(r.lowId);
    if (r.HasHigh()) add(r.highId);
  }
  return ids;
}

// A limit also fails when its guard fails: P above 0 for the ratio, crude protein above 0
// for the digestible protein.
bool LimitHolds(const Model& m, const BalanceRequest& req, const RationLimits& lim, const LimitId& id,
                const std::vector<double>& kg) {
  if (!Holds(id, balance::QuantityOf(req, lim, id, kg), balance::LimitValueOf(lim, id))) return false;
  if (!id.upper && (id.subject == LimitSubject::kRatio || id.subject == LimitSubject::kDigestibleProtein)) {
    const int nutrient = id.subject == LimitSubject::kRatio ? 4 : 1;
    const double q = balance::QuantityOf(req, lim, {LimitSubject::kNutrient, nutrient, false}, kg);
    if (!(q > 0)) return false;
  }
  return true;
}

std::vector<LimitId> Failing(const Model& m, const BalanceRequest& req, const RationLimits& lim,
                             const std::vector<double>& kg) {
  std::vector<LimitId> out;
  for (const LimitId& id : JudgedLimits(m))
    if (!LimitHolds(m, req, lim, id, kg)) out.push_back(id);
  return out;
}

// How far a limit is missed, relative to its size (0 when it holds).
double Violation(const BalanceRequest& req, const RationLimits& lim, const LimitId& id, const std::vector<double>& kg) {
  const double l = balance::LimitValueOf(lim, id);
  const double q = balance::QuantityOf(req, lim, id, kg);
  const double miss = id.upper ? q - l : l - q;
  return miss > 0 ? miss / std::max(std::fabs(l), 1e-9) : 0;
}

bool Binds(const LimitId& id, double quantity, double limit) {
  return std::fabs(quantity - limit) <= 1e-5 * std::max(std::fabs(limit), 1.0);
}

double Score(const Model& m, BalanceObjective objective, const std::vector<double>& kg) {
  double s = 0;
  if (objective == BalanceObjective::kClosestToRequirement) {
    for (const auto& t : m.targets) {
      double q = t.offset;
      for (int j = 0; j < m.n; ++j) q += t.coef[static_cast<size_t>(j)] * kg[static_cast<size_t>(j)];
      s += std::fabs(q - t.value) / t.value;
    }
    return s;
  }
  for (int j = 0; j < m.n; ++j) s += m.price[static_cast<size_t>(j)] * kg[static_cast<size_t>(j)];
  return s;
}

using balance::Fill;

std::string NutrientNameOf(const ExplainContext& c, int i) {
  return c.settings && i >= 0 && i < static_cast<int>(c.settings->nutrients.size()) ? c.settings->NutrientName(i)
                                                                                    : "N" + std::to_string(i);
}

// A refusal for bad input, or nothing.
std::optional<std::string> Refusal(const BalanceRequest& req, const RationLimits& lim, const ExplainContext& ctx) {
  if (req.feeds.empty()) return Tr(kBalNoCandidates);
  if (std::all_of(req.feeds.begin(), req.feeds.end(), [](const CandidateFeed& f) { return f.locked || f.grazing; }))
    return Tr(kBalAllLocked);
  for (const CandidateFeed& f : req.feeds) {
    auto bad = [&](const std::string& what) {
      return Fill(kBalNotANumber, fmt::arg("foder", f.name), fmt::arg("vaerdi", what));
    };
    auto huge = [&](const std::string& what) {
      return Fill(kBalTooLarge, fmt::arg("foder", f.name), fmt::arg("vaerdi", what));
    };
    for (int i = 0; i < kNutrientCount; ++i) {
      const double v = f.perKg[static_cast<size_t>(i)];
      if (i == 6) continue;
      if (!std::isfinite(v)) return bad(NutrientNameOf(ctx, i));
      if (std::fabs(v) > kLargestValue) return huge(NutrientNameOf(ctx, i));
    }
    if (!std::isfinite(f.proteinTerm)) return bad(NutrientNameOf(ctx, 1));
    if (!std::isfinite(f.price)) return bad(Tr(kBalPrice));
    if (std::fabs(f.price) > kLargestValue) return huge(Tr(kBalPrice));
    if (!std::isfinite(f.dryMatter)) return bad(Tr(kBalDryMatterValue));
    if (std::fabs(f.dryMatter) > kLargestValue) return huge(Tr(kBalDryMatterValue));
    if (!std::isfinite(f.currentKg) || !std::isfinite(f.lockedKg) || !std::isfinite(f.minKg) || std::isnan(f.maxKg))
      return bad(Tr(kBalAmount));
    if (f.lockedKg > kLargestKg || f.minKg > kLargestKg) return huge(Tr(kBalAmount));
    if (f.minKg < 0 || f.lockedKg < 0 || f.maxKg < 0) return Fill(kBalNegativeBound, fmt::arg("foder", f.name));
    if (!(f.locked || f.grazing) && f.minKg > f.maxKg) return Fill(kBalBadBounds, fmt::arg("foder", f.name));
  }
  auto badLimit = [&](const std::string& what) { return Fill(kBalLimitNotANumber, fmt::arg("naering", what)); };
  auto usable = [](double v) { return std::isfinite(v) && std::fabs(v) <= kLargestLimit; };
  // An absent maximum is infinite; a present one must be usable like any other number.
  auto usableMax = [&](double v) { return v == kLpInfinity || usable(v); };
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    const auto& r = lim.nutrient[k];
    if ((r.low && !usable(r.min)) || (r.high && !usableMax(r.max)) || !usable(lim.fixedSupply[k]) ||
        !usable(lim.requirement[k]))
      return badLimit(NutrientNameOf(ctx, i));
  }
  if (!usableMax(lim.maxDryMatter) || !usable(lim.minRoughage) || !usable(lim.fixedDryMatter) ||
      !usable(lim.fixedRoughage) || !usable(lim.fixedConcentrate))
    return badLimit(Tr(kBalDryMatterName));
  if (!usable(lim.fixedValue8All)) return badLimit(NutrientNameOf(ctx, 8));
  if (!usable(lim.fixedProteinTerm) || !usable(lim.proteinBase) || !usable(lim.proteinMinFactor) ||
      !usable(lim.proteinMaxFactor))
    return badLimit(NutrientNameOf(ctx, 1));
  return std::nullopt;
}

std::string Seconds(int milliseconds, char separator) {
  std::string s = fmt::format("{:g}", milliseconds / 1000.0);
  std::replace(s.begin(), s.end(), '.', separator);
  return s;
}

BalanceResult Stopped(LpStatus status, const LpBudget& budget, int solves, const ExplainContext& ctx) {
  BalanceResult r;
  r.solves = solves;
  if (status == LpStatus::kTimeLimit) {
    r.status = BalanceStatus::kTimeLimit;
    r.message = Fill(kBalTimeLimit, fmt::arg("sekunder", Seconds(budget.milliseconds, ctx.separator)));
  } else if (status == LpStatus::kIterationLimit) {
    r.status = BalanceStatus::kIterationLimit;
    r.message = Fill(kBalIterationLimit, fmt::arg("antal", budget.iterations));
  } else {
    r.status = BalanceStatus::kFailed;
    r.message = Tr(kBalFailed);
  }
  return r;
}

LimitReport ReportOf(const BalanceRequest& req, const RationLimits& lim, const LimitId& id,
                     const std::vector<double>& kg) {
  LimitReport r;
  r.id = id;
  r.limit = balance::LimitValueOf(lim, id);
  r.supply = balance::QuantityOf(req, lim, id, kg);
  return r;
}

// What stops an unmet limit: the best the feeds reach within their bounds and the
// dry-matter cap, and the bounds that hold there.
void Diagnose(LimitReport& rep, const Model& m, const BalanceRequest& req, const RationLimits& lim,
              const std::vector<LimitId>& others, const std::vector<double>& proposal, Runner& run,
              const LpSolver& solver) {
  balance::Reach reach;
  for (bool cap : {true, false}) {
    if (run.Left().milliseconds <= 1) break;
    ++run.solves;
    reach = balance::BestReachable(m, req, lim, rep.id, cap, solver, run.Left());
    if (reach.solved) break;
  }
  if (!reach.solved) {
    rep.best = rep.supply;
    rep.reachableAlone = false;
    return;
  }
  rep.best = reach.best;
  rep.dryMatterCaps = reach.capActive;
  rep.reachableAlone = Holds(rep.id, reach.best, rep.limit);
  if (rep.reachableAlone) {
    // The limits that give way when this one must hold.
    const Solved s = SolveModel(m, BalanceObjective::kLeastCost, 1e-7, true, run, {rep.id});
    if (s.status == LpStatus::kOptimal)
      for (const LimitId& o : Failing(m, req, lim, s.kg))
        if (!(o == rep.id) && Violation(req, lim, o, s.kg) > Violation(req, lim, o, proposal) + 1e-9)
          rep.conflicts.push_back(o);
    if (rep.conflicts.empty())
      for (const LimitId& o : others)
        if (!(o == rep.id)) rep.conflicts.push_back(o);
    return;
  }
  if (reach.kg.empty()) return;
  const std::vector<double> coef = balance::LimitCoefficients(req, lim, rep.id);
  for (int j = 0; j < m.n; ++j) {
    const auto k = static_cast<size_t>(j);
    const CandidateFeed& f = req.feeds[k];
    const double kg = reach.kg[k];
    const bool fixed = f.locked || f.grazing;
    const double tol = 1e-6 * std::max(1.0, std::fabs(kg));
    const bool atHi = m.colHi[k] < kLpInfinity && kg >= m.colHi[k] - tol;
    const bool atLo = m.colLo[k] > 0 && kg <= m.colLo[k] + tol;
    FeedBoundNote note{j, fixed ? FeedBoundNote::kLocked : FeedBoundNote::kAtMax, kg};
    if (!rep.id.upper) {
      // More would help: a feed rich in it held at its maximum, or, under the cap, a feed
      // held at its minimum that takes dry matter.
      if (coef[k] > 0 && atHi) {
        rep.boundBy.push_back(note);
      } else if (rep.dryMatterCaps && atLo && kg > 0 && coef[k] <= 0) {
        if (!fixed) note.kind = FeedBoundNote::kAtMin;
        rep.boundBy.push_back(note);
      }
    } else if (coef[k] > 0 && atLo) {
      if (!fixed) note.kind = FeedBoundNote::kAtMin;
      rep.boundBy.push_back(note);
    }
  }
}

// The grazing cap of the amounts page on the proposed amounts: when the dry matter of the
// other roughage, the pasture and 0.7 × the concentrates reaches the maximum intake, the
// pasture gets what room is left. True when it changed the pasture's amount.
bool ApplyGrazingCapTo(std::vector<double>& kg, const BalanceRequest& req, const RationLimits& lim) {
  if (!lim.grazingCap) return false;
  int pasture = -1;
  double r = lim.fixedRoughage, c = lim.fixedConcentrate;
  for (size_t k = 0; k < req.feeds.size(); ++k) {
    const CandidateFeed& f = req.feeds[k];
    const double dm = kg[k] * f.dryMatter / 100;
    if (f.grazing && pasture < 0) {
      pasture = static_cast<int>(k);
      continue;
    }
    if (IsRoughageCategory(f.category)) r += dm;
    if (IsConcentrateCategory(f.category)) c += dm;
  }
  if (pasture < 0) return false;
  const auto k = static_cast<size_t>(pasture);
  const double dmp = req.feeds[k].dryMatter;
  if (dmp <= 0) return false;
  const double m = lim.maxDryMatter;
  if (!(m <= r + kg[k] * dmp / 100 + 0.7 * c)) return false;
  const double room = m - r - 0.7 * c;
  const double capped = room > 0 ? room * 100 / dmp : 0;
  if (capped == kg[k]) return false;
  kg[k] = capped;
  return true;
}

}  // namespace

BalanceResult Balance(const BalanceRequest& req, const RationLimits& lim, const LpSolver& solver,
                      const ExplainContext& ctx) {
  BalanceResult result;
  if (auto why = Refusal(req, lim, ctx)) {
    result.status = BalanceStatus::kRefused;
    result.message = *why;
    return result;
  }
  Runner run(solver, req.budget);
  const Model full = balance::BuildModel(req, lim, PairMode::kBoth);

  std::vector<double> kg;
  std::vector<LimitId> unmet, accepted;
  bool found = false;
  LpStatus stop = LpStatus::kOptimal;
  for (double shrink : {1e-9, 1e-7, 1e-5}) {
    const Solved s = SolveModel(full, req.objective, shrink, false, run);
    if (s.status == LpStatus::kInfeasible) break;
    if (s.status != LpStatus::kOptimal) {
      stop = s.status;
      break;
    }
    kg = s.kg;
    if (Failing(full, req, lim, kg).empty()) {
      found = true;
      break;
    }
  }
  if (stop != LpStatus::kOptimal) return Stopped(stop, req.budget, run.solves, ctx);

  auto judged = [&](int i) {
    const auto& r = lim.nutrient[static_cast<size_t>(i)];
    return r.low || r.high;
  };
  if (!found && lim.cobaltWithB12 && judged(13) && judged(21)) {
    // The evaluation flags cobalt and B12 only together: one of them may stay out of range.
    double bestScore = kLpInfinity;
    for (PairMode pair : {PairMode::kWithoutCobalt, PairMode::kWithoutB12}) {
      const Model m = balance::BuildModel(req, lim, pair);
      const Solved s = SolveModel(m, req.objective, 1e-9, false, run);
      if (s.status != LpStatus::kOptimal) {
        if (s.status != LpStatus::kInfeasible) stop = s.status;
        continue;
      }
      if (!Failing(m, req, lim, s.kg).empty()) continue;
      const double score = Score(full, req.objective, s.kg);
      if (score < bestScore) {
        bestScore = score;
        kg = s.kg;
        found = true;
      }
    }
    if (!found && stop != LpStatus::kOptimal) return Stopped(stop, req.budget, run.solves, ctx);
  }
  if (!found) {
    for (double shrink : {1e-9, 1e-7, 1e-5}) {
      const Solved s = SolveModel(full, req.objective, shrink, true, run);
      if (s.status != LpStatus::kOptimal) return Stopped(s.status, req.budget, run.solves, ctx);
      kg = s.kg;
      unmet = Failing(full, req, lim, kg);
      // A limit missed by the solver's tolerance only, not by the elastic amounts: again,
      // further inside.
      const bool noise = std::any_of(unmet.begin(), unmet.end(), [&](const LimitId& id) {
        const double l = balance::LimitValueOf(lim, id);
        return std::fabs(balance::QuantityOf(req, lim, id, kg) - l) < 1e-7 * std::max(std::fabs(l), 1.0) &&
               !(id.subject == LimitSubject::kRatio && !id.upper);
      });
      if (!noise) break;
    }
    // The elastic optimum may miss a limit by a hair to ease others that fail anyway; each
    // limit missed narrowly is tried as a hard one, kept when fewer limits fail.
    Limits narrow = unmet;
    std::sort(narrow.begin(), narrow.end(), [&](const LimitId& a, const LimitId& b) {
      return Violation(req, lim, a, kg) < Violation(req, lim, b, kg);
    });
    Limits hard;
    for (size_t i = 0; i < narrow.size() && i < 6; ++i) {
      if (Violation(req, lim, narrow[i], kg) > 0.1) break;
      hard.push_back(narrow[i]);
      const Solved s = SolveModel(full, req.objective, 1e-7, true, run, hard);
      Limits failing;
      if (s.status == LpStatus::kOptimal) failing = Failing(full, req, lim, s.kg);
      if (s.status == LpStatus::kOptimal && failing.size() < unmet.size() &&
          std::none_of(hard.begin(), hard.end(), [&](const LimitId& id) { return In(failing, id); })) {
        kg = s.kg;
        unmet = failing;
      } else {
        hard.pop_back();
      }
    }
  }

  // The amounts page cuts the pasture so that the dry matter fits (a closest ration may
  // not); the proposal is what the page will show.
  ApplyGrazingCapTo(kg, req, lim);
  // Cobalt or B12 alone out of range is not flagged.
  auto isPair = [&](const LimitId& id) {
    return id.subject == LimitSubject::kNutrient && (id.nutrient == 13 || id.nutrient == 21);
  };
  unmet = Failing(full, req, lim, kg);
  accepted.clear();
  bool cobaltOut = false, b12Out = false;
  for (const LimitId& id : unmet) {
    if (isPair(id) && id.nutrient == 13) cobaltOut = true;
    if (isPair(id) && id.nutrient == 21) b12Out = true;
  }
  if (lim.cobaltWithB12 && cobaltOut != b12Out) {
    for (const LimitId& id : unmet)
      if (isPair(id)) accepted.push_back(id);
    unmet.erase(std::remove_if(unmet.begin(), unmet.end(), isPair), unmet.end());
  }

  result.status = unmet.empty() ? BalanceStatus::kBalanced : BalanceStatus::kClosest;
  result.message = Tr(unmet.empty() ? kBalBalanced : kBalClosest);
  for (int j = 0; j < full.n; ++j) {
    const auto k = static_cast<size_t>(j);
    const CandidateFeed& f = req.feeds[k];
    FeedProposal p;
    p.feed = j;
    p.oldKg = f.currentKg;
    p.newKg = kg[k];
    p.cost = f.price * p.newKg;
    p.locked = f.locked || f.grazing;
    const double tol = 1e-6 * std::max(1.0, p.newKg);
    p.atMin = !p.locked && f.minKg > 0 && p.newKg <= f.minKg + tol;
    p.atMax = !p.locked && f.maxKg < kLpInfinity && p.newKg >= f.maxKg - tol;
    result.oldCost += f.price * f.currentKg;
    result.cost += p.cost;
    result.feeds.push_back(p);
  }
  std::vector<LimitId> sitting;  // binding or unmet
  for (const LimitId& id : JudgedLimits(full)) {
    if (std::find(unmet.begin(), unmet.end(), id) != unmet.end() ||
        std::find(accepted.begin(), accepted.end(), id) != accepted.end())
      continue;
    LimitReport rep = ReportOf(req, lim, id, kg);
    if (Binds(id, rep.supply, rep.limit)) {
      result.binding.push_back(rep);
      sitting.push_back(id);
    }
  }
  for (const LimitId& id : unmet) sitting.push_back(id);
  for (const LimitId& id : unmet) {
    LimitReport rep = ReportOf(req, lim, id, kg);
    Diagnose(rep, full, req, lim, sitting, kg, run, solver);
    result.unmet.push_back(std::move(rep));
  }
  for (const LimitId& id : accepted) result.accepted.push_back(ReportOf(req, lim, id, kg));
  result.solves = run.solves;
  balance::Explain(result, req, lim, ctx);
  return result;
}

}  // namespace stallora
