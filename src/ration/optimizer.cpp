// The ration balancer's side that knows horses: which feeds are candidates, the limits the
// evaluation sets for the horse, applying a proposal and letting the evaluation judge it.

#include "ration/optimizer.h"

#include <cmath>
#include <set>

#include "config/preferences.h"
#include "ration/evaluation.h"
#include "ration/optimizer_model.h"
#include "ration/optimizer_texts.h"
#include "ration/ration_amounts.h"

namespace stallora {
namespace {

// The amount the amounts page gives the ration's first picked pasture feed while the horse
// grazes (SettBeitemengde's rounding of the grazing dry matter), or nothing when it keeps
// the amount it has.
std::optional<double> GrazingKg(const THest& h) {
  if (!h.PaBeite()) return std::nullopt;
  const TForListe& ration = *h.ForListe;
  const TFor* pasture = ration.FirstPickedGrazing();
  const TFor* first = ration.NthFeedInSet(FeedCategorySet::Grazing, 0);
  if (!pasture || !first || first->TorrStoff <= 0 || pasture->TorrStoff <= 0) return std::nullopt;
  return std::nearbyint(BeiteTorrstoff(h) / (first->TorrStoff / 100));
}

CandidateFeed FromFeed(const TFor& f) {
  CandidateFeed c;
  c.name = f.Fornavn;
  c.category = f.Fortype;
  c.dryMatter = f.TorrStoff;
  c.price = f.Pris;
  for (int i = 0; i < kNutrientCount; ++i) c.perKg[static_cast<size_t>(i)] = f.Value(i);
  c.proteinTerm = ProteinDigestibilityTerm(f);
  return c;
}

bool UsedNutrient(const THest& h, int i) {
  const TPreferences* p = h.env->preferences;
  return !p || p->useNutrient[static_cast<size_t>(i)];
}

// The name of a value of the feed that is not a number, or nothing.
std::optional<std::string> NonFiniteValue(const THest& h, const TFor& f) {
  if (!std::isfinite(f.TildeltKg)) return Tr(kBalAmount);
  if (!std::isfinite(f.TorrStoff)) return Tr(kBalDryMatterValue);
  for (int i = 0; i < kNutrientCount; ++i)
    if (i != 6 && !std::isfinite(f.Value(i)))
      return h.env->settings ? h.env->settings->NutrientName(i) : "N" + std::to_string(i);
  return std::nullopt;
}

// The request's feeds still where it found them.
bool Matches(const THest& h, const TForListe* list, const BalanceRequest& req) {
  for (const CandidateFeed& c : req.feeds) {
    const TFor* f = c.rationIndex >= 0 ? h.ForListe->FeedAt(c.rationIndex)
                                       : (list && c.listIndex >= 0 ? list->FeedAt(c.listIndex) : nullptr);
    if (!f || f->Fornavn != c.name) return false;
    if (c.rationIndex < 0 && h.ForListe->FeedByName(c.name)) return false;
  }
  return true;
}

// Puts the amounts in; returns the feeds added, in the order added.
std::vector<const TFor*> SetAmounts(THest& h, const TForListe* list, const BalanceRequest& req,
                                    const BalanceResult& res) {
  std::vector<TFor*> inRation;
  for (const CandidateFeed& c : req.feeds) inRation.push_back(c.rationIndex >= 0 ? h.ForListe->FeedAt(c.rationIndex) : nullptr);
  std::vector<const TFor*> added;
  for (size_t k = 0; k < req.feeds.size(); ++k) {
    const CandidateFeed& c = req.feeds[k];
    const double kg = res.feeds[k].newKg;
    if (inRation[k]) {
      inRation[k]->TildeltKg = kg;
    } else if (kg > 0) {
      TFor& f = h.ForListe->AddFeedFrom(list->FeedAt(c.listIndex)->Clone(), list);
      f.TildeltKg = kg;
      f.Valgt = true;
      added.push_back(&f);
    }
  }
  return added;
}

}  // namespace

BalanceRequest MakeBalanceRequest(const THest& h, const TForListe* feedList, bool allFeeds) {
  BalanceRequest req;
  const TForListe& ration = *h.ForListe;
  const std::optional<double> grazingKg = GrazingKg(h);
  const TFor* pasture = h.PaBeite() ? ration.FirstPickedGrazing() : nullptr;
  for (int i = 0; i < ration.Count(); ++i) {
    const TFor& f = *ration.FeedAt(i);
    if (!f.Valgt) continue;
    CandidateFeed c = FromFeed(f);
    c.currentKg = f.TildeltKg;
    c.lockedKg = f.TildeltKg;
    c.rationIndex = i;
    if (&f == pasture) {
      c.grazing = true;
      c.locked = true;
      if (grazingKg) c.lockedKg = *grazingKg;
    }
    req.feeds.push_back(std::move(c));
  }
  if (allFeeds && feedList) {
    // Values as the ration will hold them once the feed joins it.
    TForListe converter(*ration.env, ListOwnerKind::Animal);
    converter.SetEnergyRecord(ration.GetEnergyRecord());
    std::set<std::string> names;
    for (int i = 0; i < feedList->Count(); ++i) {
      const TFor& f = *feedList->FeedAt(i);
      if (ration.FeedByName(f.Fornavn) || !names.insert(f.Fornavn).second) continue;
      // Pasture is eaten by grazing, and its amount is the grazing's, not the balancer's.
      if (IsGrazingCategory(f.Fortype)) continue;
      auto copy = f.Clone();
      converter.ConvertFeedFrom(*copy, feedList->GetEnergyRecord());
      CandidateFeed c = FromFeed(*copy);
      c.listIndex = i;
      req.feeds.push_back(std::move(c));
    }
  }
  return req;
}

std::optional<RationLimits> LimitsFor(THest& h, const BalanceRequest& req, std::string* error) {
  auto fail = [&](const std::string& message) -> std::optional<RationLimits> {
    if (error) *error = message;
    return std::nullopt;
  };
  if (h.AktuellVekt() <= 0) return fail(Tr(kBalNoRequirement));
  std::string why;
  if (!h.BeregnBehov(&why)) return fail(why.empty() ? Tr(kBalNoRequirement) : why);
  bool any = false;
  for (double b : h.Behov) any = any || b != 0;
  if (!any) return fail(Tr(kBalNoRequirement));
  BeregnTilforsel(h);

  RationLimits lim;
  const bool pasture = h.PaBeite();
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    RationLimits::Range& r = lim.nutrient[k];
    const bool used = UsedNutrient(h, i);
    r.low = r.high = used;
    r.min = h.MinGrense[k];
    r.max = h.MaksGrense[k];
    lim.requirement[k] = h.Behov[k];
  }
  // The evaluation's own exceptions: iron only from above, vitamin A only from below,
  // vitamins A and D not judged on pasture.
  lim.nutrient[8].low = false;
  lim.nutrient[15].high = false;
  if (pasture) lim.nutrient[15].low = lim.nutrient[15].high = lim.nutrient[16].low = lim.nutrient[16].high = false;
  lim.maxDryMatter = MaksTorrstoff(h);
  lim.minRoughage = MinGrovfor(h);

  const TEnergyProteinObj* active = h.env->activeEnergy;
  lim.proteinByDigestibility = active && active->Energiberegning == TEnergiBeregning::fransk &&
                               active->ProteinBeregning == TProteinBeregning::CP;
  if (lim.proteinByDigestibility) {
    double r = 1;
    if (ProteinFollowsRation(h)) r = RationProteinDigestibility(*h.ForListe);
    lim.proteinBase = r != 0 ? h.Behov[1] * r : h.Behov[1];
    if (h.Behov[1] != 0) {
      lim.proteinMinFactor = h.MinGrense[1] / h.Behov[1];
      lim.proteinMaxFactor = h.MaksGrense[1] / h.Behov[1];
    }
  }

  std::set<int> candidates;
  for (const CandidateFeed& c : req.feeds)
    if (c.rationIndex >= 0) candidates.insert(c.rationIndex);
  const TForListe& ration = *h.ForListe;
  const TFor* firstGrazing = ration.NthFeedInSet(FeedCategorySet::Grazing, 0);
  const std::optional<double> grazingKg = GrazingKg(h);
  lim.grazingCap = grazingKg.has_value();
  for (int i = 0; i < ration.Count(); ++i) {
    if (candidates.count(i)) continue;
    const TFor& f = *ration.FeedAt(i);
    if (const auto what = NonFiniteValue(h, f)) {
      return fail(balance::Fill(kBalNotANumber, fmt::arg("foder", f.Fornavn), fmt::arg("vaerdi", *what)));
    }
    // The grazing cap gives the first grazing feed, picked or not, the grazing amount.
    const double kg = (&f == firstGrazing && grazingKg) ? *grazingKg : f.TildeltKg;
    lim.fixedValue8All += f.Value(8) * kg;
    const double term = kg * ProteinDigestibilityTerm(f);
    if (term > 0) lim.fixedProteinTerm += term;
    if (!f.Valgt) continue;
    for (int n = 0; n < kNutrientCount; ++n) lim.fixedSupply[static_cast<size_t>(n)] += f.Value(n) * kg;
    lim.fixedDryMatter += kg * f.TorrStoff / 100;
    if (IsRoughageCategory(f.Fortype)) lim.fixedRoughage += kg * f.TorrStoff / 100;
    if (IsConcentrateCategory(f.Fortype)) lim.fixedConcentrate += kg * f.TorrStoff / 100;
  }
  return lim;
}

BalanceResult BalanceRation(THest& h, const BalanceRequest& req, const LpSolver& solver) {
  std::string error;
  const std::optional<RationLimits> limits = LimitsFor(h, req, &error);
  if (!limits) {
    BalanceResult r;
    r.status = BalanceStatus::kRefused;
    r.message = error;
    return r;
  }
  return Balance(req, *limits, solver, {h.env->settings, h.env->regional.decimalSeparator});
}

bool ApplyProposal(THest& h, const TForListe* list, const BalanceRequest& req, const BalanceResult& res) {
  if (!res.HasProposal() || res.feeds.size() != req.feeds.size() || !Matches(h, list, req)) return false;
  SetAmounts(h, list, req, res);
  h.ForListe->SortByCategory();
  h.ForListe->EndretDato = h.env->Today();
  return true;
}

ProposalCheck CheckProposal(THest& h, const TForListe* list, const BalanceRequest& req, const BalanceResult& res) {
  ProposalCheck check;
  if (!res.HasProposal() || res.feeds.size() != req.feeds.size() || !Matches(h, list, req)) return check;
  TForListe& ration = *h.ForListe;
  std::vector<double> kept;
  for (const auto& f : ration.Feeds()) kept.push_back(f->TildeltKg);
  const std::vector<const TFor*> added = SetAmounts(h, list, req, res);
  // What the amounts page does with the amounts before it judges them.
  if (ration.TotalKg() > 0) ApplyGrazingCap(h);
  h.BeregnBehov();
  BeregnTilforsel(h);
  check.applied = true;
  for (int i = 0; i < kNutrientCount; ++i)
    if (h.UtenforOmrade[static_cast<size_t>(i)] && UsedNutrient(h, i)) check.flagged.push_back(i);
  check.roughageAcceptable = GrovforVurdering(h) == RoughageVerdict::Acceptable;
  check.dryMatterWithin = ration.Supply(25) <= MaksTorrstoff(h);

  for (const TFor* f : added) ration.RemoveFeed(f);
  for (size_t i = 0; i < kept.size(); ++i) ration.FeedAt(static_cast<int>(i))->TildeltKg = kept[i];
  h.BeregnBehov();
  BeregnTilforsel(h);
  return check;
}

}  // namespace stallora
