#include "ration/optimizer_model.h"

#include <algorithm>
#include <cmath>

#include "feeds/feed.h"

namespace stallora::balance {
namespace {

constexpr int kCa = 3, kP = 4, kRatio = 6, kIron = 8, kCobalt = 13, kB12 = 21;

LimitId Id(LimitSubject s, int nutrient, bool upper) { return {s, nutrient, upper}; }

double ScaleOf(double requirement, double limit) {
  if (requirement > 0) return requirement;
  if (std::isfinite(limit) && std::fabs(limit) > 0) return std::fabs(limit);
  return 1;
}

std::vector<double> Column(const BalanceRequest& r, int nutrient) {
  std::vector<double> c;
  c.reserve(r.feeds.size());
  for (const auto& f : r.feeds) c.push_back(f.perKg[static_cast<size_t>(nutrient)]);
  return c;
}

std::vector<double> DigestibleColumn(const BalanceRequest& r) {
  std::vector<double> c;
  for (const auto& f : r.feeds) c.push_back(std::max(0.0, f.proteinTerm));
  return c;
}

std::vector<double> DryMatterColumn(const BalanceRequest& r, bool roughageOnly) {
  std::vector<double> c;
  for (const auto& f : r.feeds)
    c.push_back(!roughageOnly || IsRoughageCategory(f.category) ? f.dryMatter / 100 : 0.0);
  return c;
}

// Ca − ratio × P per kg.
std::vector<double> RatioColumn(const BalanceRequest& r, double ratio) {
  std::vector<double> c;
  for (const auto& f : r.feeds) c.push_back(f.perKg[kCa] - ratio * f.perKg[kP]);
  return c;
}

double Dot(const std::vector<double>& a, const std::vector<double>& x) {
  double s = 0;
  for (size_t j = 0; j < a.size() && j < x.size(); ++j) s += a[j] * x[j];
  return s;
}

// The linear form of a limit's quantity (for the ratio: Ca − limit × P).
void LinearForm(const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
                std::vector<double>& coef, double& offset) {
  switch (id.subject) {
    case LimitSubject::kNutrient:
      coef = Column(request, id.nutrient);
      offset = id.nutrient == kIron ? limits.fixedValue8All : limits.fixedSupply[static_cast<size_t>(id.nutrient)];
      return;
    case LimitSubject::kRatio: {
      const double r = LimitValueOf(limits, id);
      coef = RatioColumn(request, r);
      offset = limits.fixedSupply[kCa] - r * limits.fixedSupply[kP];
      return;
    }
    case LimitSubject::kDigestibleProtein:
      coef = DigestibleColumn(request);
      offset = limits.fixedProteinTerm;
      return;
    case LimitSubject::kDryMatter:
      coef = DryMatterColumn(request, false);
      offset = limits.fixedDryMatter;
      return;
    case LimitSubject::kRoughage:
      coef = DryMatterColumn(request, true);
      offset = limits.fixedRoughage;
      return;
  }
}

}  // namespace

Model BuildModel(const BalanceRequest& request, const RationLimits& limits, PairMode pair) {
  Model m;
  m.n = static_cast<int>(request.feeds.size());
  for (const auto& f : request.feeds) {
    const bool fixed = f.locked || f.grazing;
    m.colLo.push_back(fixed ? f.lockedKg : f.minKg);
    // A maximum beyond any ration is no maximum.
    m.colHi.push_back(fixed ? f.lockedKg : (f.maxKg > 1e6 ? kLpInfinity : f.maxKg));
    m.price.push_back(f.price);
  }
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    const RationLimits::Range& range = limits.nutrient[k];
    if (!range.low && !range.high) continue;
    if ((i == kCobalt && pair == PairMode::kWithoutCobalt) || (i == kB12 && pair == PairMode::kWithoutB12)) continue;
    if (i == kRatio) {
      // Ca/P between min and max, with P above 0 (the evaluation puts the ratio at 0
      // without phosphorus): Ca − min·P ≥ 0, Ca − max·P ≤ 0, P > 0.
      const double scale = ScaleOf(limits.requirement[kCa], limits.nutrient[kCa].min);
      if (range.low) {
        Row r;
        r.lowId = Id(LimitSubject::kRatio, kRatio, false);
        r.coef = RatioColumn(request, range.min);
        r.offset = limits.fixedSupply[kCa] - range.min * limits.fixedSupply[kP];
        r.low = 0;
        r.scale = scale;
        m.rows.push_back(std::move(r));
      }
      if (range.high) {
        Row r;
        r.highId = Id(LimitSubject::kRatio, kRatio, true);
        r.coef = RatioColumn(request, range.max);
        r.offset = limits.fixedSupply[kCa] - range.max * limits.fixedSupply[kP];
        r.high = 0;
        r.scale = scale;
        m.rows.push_back(std::move(r));
      }
      Row p;
      p.lowId = Id(LimitSubject::kRatio, kRatio, false);
      p.coef = Column(request, kP);
      p.offset = limits.fixedSupply[kP];
      p.low = 1e-6 * ScaleOf(limits.requirement[kP], 1);
      // Missing the guard by its whole size is as bad as missing the ratio.
      p.scale = p.low;
      m.rows.push_back(std::move(p));
      continue;
    }
    if (i == 1 && limits.proteinByDigestibility) {
      // Behov[1] = base × supply / S, so supply within factor × Behov[1] is S within
      // factor × base (for a supply above 0).
      const double base = limits.proteinBase;
      Row r;
      r.coef = DigestibleColumn(request);
      r.offset = limits.fixedProteinTerm;
      r.scale = ScaleOf(base, 1);
      if (range.low) {
        r.lowId = Id(LimitSubject::kDigestibleProtein, 1, false);
        r.low = limits.proteinMinFactor * base;
      }
      if (range.high) {
        r.highId = Id(LimitSubject::kDigestibleProtein, 1, true);
        r.high = limits.proteinMaxFactor * base;
      }
      m.rows.push_back(std::move(r));
      if (range.low) {
        Row s;
        s.lowId = Id(LimitSubject::kDigestibleProtein, 1, false);
        s.coef = Column(request, 1);
        s.offset = limits.fixedSupply[1];
        s.low = 1e-6 * ScaleOf(base, 1);
        s.scale = s.low;
        m.rows.push_back(std::move(s));
      }
    } else {
      Row r;
      r.coef = Column(request, i);
      r.offset = i == kIron ? limits.fixedValue8All : limits.fixedSupply[k];
      if (range.low) {
        r.lowId = Id(LimitSubject::kNutrient, i, false);
        r.low = range.min;
      }
      if (range.high) {
        r.highId = Id(LimitSubject::kNutrient, i, true);
        r.high = range.max;
      }
      r.scale = ScaleOf(limits.requirement[k], range.low ? range.min : range.max);
      m.rows.push_back(std::move(r));
    }
  }
  if (limits.maxDryMatter < kLpInfinity) {
    Row r;
    r.highId = Id(LimitSubject::kDryMatter, -1, true);
    r.coef = DryMatterColumn(request, false);
    r.offset = limits.fixedDryMatter;
    r.high = limits.maxDryMatter;
    r.scale = ScaleOf(limits.maxDryMatter, 1);
    m.rows.push_back(std::move(r));
  }
  if (limits.minRoughage > 0) {
    Row r;
    r.lowId = Id(LimitSubject::kRoughage, -1, false);
    r.coef = DryMatterColumn(request, true);
    r.offset = limits.fixedRoughage;
    r.low = limits.minRoughage;
    r.scale = limits.minRoughage;
    m.rows.push_back(std::move(r));
  }

  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    const RationLimits::Range& range = limits.nutrient[k];
    if (i == kRatio || (!range.low && !range.high)) continue;
    Target t;
    if (i == 1 && limits.proteinByDigestibility) {
      t.coef = DigestibleColumn(request);
      t.offset = limits.fixedProteinTerm;
      t.value = limits.proteinBase;
    } else {
      t.coef = Column(request, i);
      // The deviation is measured as the evaluation's Differanse: on the picked feeds.
      t.offset = limits.fixedSupply[k];
      t.value = limits.requirement[k];
    }
    if (t.value > 0) m.targets.push_back(std::move(t));
  }
  return m;
}

int RowOf(const Model& model, const LimitId& id) {
  for (size_t r = 0; r < model.rows.size(); ++r) {
    const Row& row = model.rows[r];
    if ((row.HasLow() && row.lowId == id) || (row.HasHigh() && row.highId == id)) return static_cast<int>(r);
  }
  return -1;
}

double LimitValueOf(const RationLimits& limits, const LimitId& id) {
  switch (id.subject) {
    case LimitSubject::kNutrient:
    case LimitSubject::kRatio: {
      const auto& r = limits.nutrient[static_cast<size_t>(id.nutrient)];
      return id.upper ? r.max : r.min;
    }
    case LimitSubject::kDigestibleProtein:
      return (id.upper ? limits.proteinMaxFactor : limits.proteinMinFactor) * limits.proteinBase;
    case LimitSubject::kDryMatter: return limits.maxDryMatter;
    case LimitSubject::kRoughage: return limits.minRoughage;
  }
  return 0;
}

double QuantityOf(const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
                  const std::vector<double>& kg) {
  if (id.subject == LimitSubject::kRatio) {
    const double ca = Dot(Column(request, kCa), kg) + limits.fixedSupply[kCa];
    const double p = Dot(Column(request, kP), kg) + limits.fixedSupply[kP];
    return p != 0 ? ca / p : 0;
  }
  std::vector<double> coef;
  double offset = 0;
  LinearForm(request, limits, id, coef, offset);
  return Dot(coef, kg) + offset;
}

namespace {

Reach Linear(const Model& model, const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
             bool withCap, const LpSolver& solver, const LpBudget& budget) {
  std::vector<double> coef;
  double offset = 0;
  LinearForm(request, limits, id, coef, offset);
  LpProblem p;
  for (int j = 0; j < model.n; ++j) {
    const auto k = static_cast<size_t>(j);
    // A minimum is reached best by the most, a maximum by the least.
    p.AddColumn(model.colLo[k], model.colHi[k], id.upper ? coef[k] : -coef[k]);
  }
  const std::vector<double> dm = DryMatterColumn(request, false);
  const bool cap = withCap && id.subject != LimitSubject::kDryMatter && limits.maxDryMatter < kLpInfinity;
  if (cap) {
    std::vector<std::pair<int, double>> terms;
    for (int j = 0; j < model.n; ++j) terms.emplace_back(j, dm[static_cast<size_t>(j)]);
    p.AddRow(std::move(terms), -kLpInfinity, limits.maxDryMatter - limits.fixedDryMatter);
  }
  const LpSolution s = solver.Solve(p, budget);
  Reach r;
  if (s.status == LpStatus::kUnbounded) {
    r.solved = true;
    r.best = id.upper ? -kLpInfinity : kLpInfinity;
    return r;
  }
  if (s.status != LpStatus::kOptimal) return r;
  r.solved = true;
  r.kg = s.x;
  for (int j = 0; j < model.n; ++j) {
    const auto k = static_cast<size_t>(j);
    r.kg[k] = std::clamp(r.kg[k], model.colLo[k], model.colHi[k]);
  }
  r.best = Dot(coef, r.kg) + offset;
  if (cap) {
    const double room = limits.maxDryMatter - limits.fixedDryMatter;
    r.capActive = Dot(dm, r.kg) >= room - 1e-6 * std::max(1.0, std::fabs(room));
  }
  return r;
}

// The best Ca/P within the bounds: with y = t·kg and t = 1 / P(kg) the ratio is linear
// (Charnes–Cooper): maximise Ca(y) subject to P(y) = 1 and the bounds times t.
Reach Ratio(const Model& model, const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
            bool withCap, const LpSolver& solver, const LpBudget& budget) {
  const std::vector<double> ca = Column(request, kCa), ph = Column(request, kP);
  const std::vector<double> dm = DryMatterColumn(request, false);
  LpProblem p;
  const int n = model.n;
  for (int j = 0; j < n; ++j) p.AddColumn(0, kLpInfinity, id.upper ? ca[static_cast<size_t>(j)] : -ca[static_cast<size_t>(j)]);
  const int t = p.AddColumn(0, kLpInfinity, id.upper ? limits.fixedSupply[kCa] : -limits.fixedSupply[kCa]);
  std::vector<std::pair<int, double>> norm;
  for (int j = 0; j < n; ++j) norm.emplace_back(j, ph[static_cast<size_t>(j)]);
  norm.emplace_back(t, limits.fixedSupply[kP]);
  p.AddRow(std::move(norm), 1, 1);
  for (int j = 0; j < n; ++j) {
    const auto k = static_cast<size_t>(j);
    if (model.colLo[k] > 0) p.AddRow({{j, 1}, {t, -model.colLo[k]}}, 0, kLpInfinity);
    if (model.colHi[k] < kLpInfinity) p.AddRow({{j, 1}, {t, -model.colHi[k]}}, -kLpInfinity, 0);
  }
  const bool cap = withCap && limits.maxDryMatter < kLpInfinity;
  if (cap) {
    std::vector<std::pair<int, double>> terms;
    for (int j = 0; j < n; ++j) terms.emplace_back(j, dm[static_cast<size_t>(j)]);
    terms.emplace_back(t, -(limits.maxDryMatter - limits.fixedDryMatter));
    p.AddRow(std::move(terms), -kLpInfinity, 0);
  }
  const LpSolution s = solver.Solve(p, budget);
  Reach r;
  if (s.status == LpStatus::kInfeasible) {
    // No amounts give phosphorus: the evaluation's ratio is then 0.
    r.solved = true;
    r.best = 0;
    r.kg = model.colLo;
    return r;
  }
  if (s.status == LpStatus::kUnbounded) {
    r.solved = true;
    r.best = id.upper ? -kLpInfinity : kLpInfinity;
    return r;
  }
  if (s.status != LpStatus::kOptimal) return r;
  r.solved = true;
  const double tv = s.x[static_cast<size_t>(t)];
  r.kg.assign(static_cast<size_t>(n), 0);
  for (int j = 0; j < n; ++j) {
    const auto k = static_cast<size_t>(j);
    r.kg[k] = std::clamp(tv > 1e-12 ? s.x[k] / tv : s.x[k], model.colLo[k], model.colHi[k]);
  }
  r.best = id.upper ? s.objective : -s.objective;
  if (cap) {
    const double room = limits.maxDryMatter - limits.fixedDryMatter;
    r.capActive = Dot(dm, r.kg) >= room - 1e-6 * std::max(1.0, std::fabs(room));
  }
  return r;
}

}  // namespace

Reach BestReachable(const Model& model, const BalanceRequest& request, const RationLimits& limits, const LimitId& id,
                    bool withCap, const LpSolver& solver, const LpBudget& budget) {
  return id.subject == LimitSubject::kRatio ? Ratio(model, request, limits, id, withCap, solver, budget)
                                            : Linear(model, request, limits, id, withCap, solver, budget);
}

std::vector<double> LimitCoefficients(const BalanceRequest& request, const RationLimits& limits, const LimitId& id) {
  std::vector<double> coef;
  double offset = 0;
  LinearForm(request, limits, id, coef, offset);
  return coef;
}

}  // namespace stallora::balance
