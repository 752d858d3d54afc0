// The balancer's explanations: per unmet limit what can be reached and what to do about it.

#include <cmath>

#include <fmt/format.h>

#include "ration/horse_reports.h"
#include "ration/optimizer_model.h"
#include "ration/optimizer_texts.h"
#include "ration/ration_amounts.h"

namespace stallora {
namespace {

using balance::Fill;

std::string NutrientName(const ExplainContext& c, int i) {
  return c.settings && i >= 0 && i < static_cast<int>(c.settings->nutrients.size()) ? c.settings->NutrientName(i)
                                                                                    : "N" + std::to_string(i);
}

int Decimals(const LimitId& id, const ExplainContext& c) {
  if (id.subject == LimitSubject::kDryMatter || id.subject == LimitSubject::kRoughage) return 2;
  const int i = id.subject == LimitSubject::kDigestibleProtein ? 1 : id.nutrient;
  if (c.settings && i >= 0 && i < static_cast<int>(c.settings->nutrients.size()))
    return c.settings->nutrients[static_cast<size_t>(i)].precision;
  return 2;
}

std::string Unit(const LimitId& id, const ExplainContext& c) {
  if (id.subject == LimitSubject::kDryMatter || id.subject == LimitSubject::kRoughage) return "kg";
  if (id.subject == LimitSubject::kRatio) return {};
  const int i = id.subject == LimitSubject::kDigestibleProtein ? 1 : id.nutrient;
  return c.settings && i >= 0 && i < static_cast<int>(c.settings->nutrients.size()) ? c.settings->NutrientUnit(i)
                                                                                    : std::string();
}

// The nutrient's decimals, without trailing zeros: 36 g, 31,2 g.
std::string Number(double v, int decimals, char sep) {
  std::string s = DecimalText(v, decimals, sep);
  if (s.find(sep) == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == sep) s.pop_back();
  return s;
}

std::string Amount(const LimitId& id, double v, const ExplainContext& c, int extraDecimals = 0) {
  const std::string unit = Unit(id, c);
  const std::string n = Number(v, Decimals(id, c) + extraDecimals, c.separator);
  return unit.empty() ? n : n + " " + unit;
}

// A limit and a value that misses it, both with the decimals it takes to tell them apart.
std::pair<std::string, std::string> Apart(const LimitId& id, double limit, double v, const ExplainContext& c) {
  int extra = 0;
  while (extra < 4 && Amount(id, v, c, extra) == Amount(id, limit, c, extra)) ++extra;
  return {Amount(id, limit, c, extra), Amount(id, v, c, extra)};
}

std::string Kg(double kg, char sep) { return Number(kg, 2, sep); }

std::string Side(const LimitId& id) { return Tr(id.upper ? kBalMaximum : kBalMinimum); }

std::string Advice(const LimitId& id, const ExplainContext& c) {
  switch (id.subject) {
    case LimitSubject::kDryMatter: return Tr(kBalAdviceDryMatter);
    case LimitSubject::kRoughage: return Tr(kBalAdviceRoughage);
    case LimitSubject::kRatio: return Tr(id.upper ? kBalAdvicePhosphorus : kBalAdviceCalcium);
    case LimitSubject::kDigestibleProtein:
      return id.upper ? Fill(kBalAdviceTooMuch, fmt::arg("naering", NutrientName(c, 1))) : Tr(kBalAdviceProtein);
    case LimitSubject::kNutrient: break;
  }
  const int i = id.nutrient;
  if (id.upper) return Fill(kBalAdviceTooMuch, fmt::arg("naering", NutrientName(c, i)));
  if (i == 0) return Tr(kBalAdviceEnergy);
  if (i == 1 || i == 2) return Tr(kBalAdviceProtein);
  if (i == 7) return Tr(kBalAdviceSalt);
  if (i <= 14) return Tr(kBalAdviceMineral);
  return Tr(kBalAdviceVitamin);
}

bool AnyFeedHas(const BalanceRequest& req, int nutrient) {
  for (const auto& f : req.feeds)
    if (f.perKg[static_cast<size_t>(nutrient)] > 0) return true;
  return false;
}

// The nutrient none of the feeds has that a minimum needs (phosphorus or calcium for the
// ratio), or -1.
int Missing(const LimitReport& r, const BalanceRequest& req, const RationLimits& lim) {
  if (r.id.upper) return -1;
  if (r.id.subject == LimitSubject::kRatio) {
    if (!AnyFeedHas(req, 4) && !(lim.fixedSupply[4] > 0)) return 4;
    if (!AnyFeedHas(req, 3)) return 3;
    return -1;
  }
  if (r.id.subject == LimitSubject::kNutrient && !AnyFeedHas(req, r.id.nutrient)) return r.id.nutrient;
  return -1;
}

std::string BoundList(const LimitReport& r, const BalanceRequest& req, const RationLimits& lim,
                      const ExplainContext& c) {
  // A few feeds by name, the rest counted.
  constexpr size_t kNamed = 4;
  std::vector<std::string> items;
  if (r.dryMatterCaps) items.push_back(Fill(kBalDryMatterCap, fmt::arg("kg", Kg(lim.maxDryMatter, c.separator))));
  for (size_t i = 0; i < r.boundBy.size() && i < kNamed; ++i) {
    const FeedBoundNote& n = r.boundBy[i];
    const std::string& name = req.feeds[static_cast<size_t>(n.feed)].name;
    const Text& t = n.kind == FeedBoundNote::kLocked ? kBalFeedLocked
                    : n.kind == FeedBoundNote::kAtMin ? kBalFeedAtMin
                                                      : kBalFeedAtMax;
    items.push_back(Fill(t, fmt::arg("foder", name), fmt::arg("kg", Kg(n.kg, c.separator))));
  }
  if (r.boundBy.size() > kNamed) items.push_back(Fill(kBalAndMore, fmt::arg("antal", r.boundBy.size() - kNamed)));
  if (items.empty() && r.id.upper && r.id.subject != LimitSubject::kRatio) {
    // The ration's feeds that are not balanced bring it over by themselves.
    const std::vector<double> none(req.feeds.size(), 0.0);
    if (balance::QuantityOf(req, lim, r.id, none) > r.limit) items.push_back(Tr(kBalOutsideFeeds));
  }
  if (items.empty()) return {};
  std::string list;
  for (size_t i = 0; i < items.size(); ++i) list += (i ? ", " : "") + items[i];
  return Fill(kBalBoundBy, fmt::arg("liste", list));
}

}  // namespace

std::string LimitName(const LimitId& id, const ExplainContext& c) {
  switch (id.subject) {
    case LimitSubject::kNutrient: return NutrientName(c, id.nutrient);
    case LimitSubject::kRatio: return NutrientName(c, 6) + " " + Tr(kForhold);
    case LimitSubject::kDigestibleProtein: return NutrientName(c, 1) + " (" + Tr(kBalDigestible) + ")";
    case LimitSubject::kDryMatter: return Tr(kBalDryMatterName);
    case LimitSubject::kRoughage: return Tr(kBalRoughageName);
  }
  return {};
}

namespace balance {

void Explain(BalanceResult& result, const BalanceRequest& req, const RationLimits& lim, const ExplainContext& c) {
  for (LimitReport& r : result.binding)
    r.text = Fill(kBalBinding, fmt::arg("naering", LimitName(r.id, c)), fmt::arg("retning", Side(r.id)),
                  fmt::arg("graense", Amount(r.id, r.limit, c)));
  for (LimitReport& r : result.accepted) {
    const int other = r.id.nutrient == 13 ? 21 : 13;
    r.text = Fill(kBalAccepted, fmt::arg("naering", LimitName(r.id, c)), fmt::arg("retning", Side(r.id)),
                  fmt::arg("graense", Amount(r.id, r.limit, c)), fmt::arg("opnaaet", Amount(r.id, r.supply, c)),
                  fmt::arg("anden", NutrientName(c, other)));
  }
  for (LimitReport& r : result.unmet) {
    if (r.reachableAlone) {
      std::string others;
      for (size_t i = 0; i < r.conflicts.size(); ++i)
        others += (i ? ", " : "") + LimitName(r.conflicts[i], c) + " (" + Side(r.conflicts[i]) + ")";
      const auto [limit, supply] = Apart(r.id, r.limit, r.supply, c);
      r.text = Fill(kBalConflict, fmt::arg("naering", LimitName(r.id, c)), fmt::arg("retning", Side(r.id)),
                    fmt::arg("graense", limit), fmt::arg("opnaaet", supply), fmt::arg("andre", others));
      continue;
    }
    if (const int missing = Missing(r, req, lim); missing >= 0) {
      r.text = Fill(kBalNoneContains, fmt::arg("naering", LimitName(r.id, c)),
                    fmt::arg("graense", Amount(r.id, r.limit, c)), fmt::arg("stof", NutrientName(c, missing)),
                    fmt::arg("raad", Advice(r.id, c)));
      continue;
    }
    const auto [limit, best] = Apart(r.id, r.limit, r.best, c);
    r.text = Fill(r.id.upper ? kBalMaxUnreachable : kBalMinUnreachable, fmt::arg("naering", LimitName(r.id, c)),
                  fmt::arg("graense", limit), fmt::arg("bedst", best),
                  fmt::arg("begraensning", BoundList(r, req, lim, c)), fmt::arg("raad", Advice(r.id, c)));
  }
}

}  // namespace balance
}  // namespace stallora
