#include "ration/ration_amounts.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "core/textutil.h"
#include "ration/evaluation.h"
#include "ration/horse_reports.h"

namespace stallora {
namespace {

// Meal amounts are kept in whole steps of these sizes, so what the sheet holds is exactly
// what its lines store.
constexpr double kKgResolution = 0.01;
constexpr double kGramResolution = 0.0001;  // a tenth of a gram, in kg
constexpr double kTiny = 1e-9;

double Snap(double v, double resolution) { return std::nearbyint(v / resolution) * resolution; }
double SnapDown(double v, double resolution) { return std::floor(v / resolution + kTiny) * resolution; }

double Resolution(const TFor& f) { return AmountInGrams(f) ? kGramResolution : kKgResolution; }

void WriteMealLine(TFor& f, int meal, char sep) {
  while (static_cast<int>(f.Fordeling.size()) <= meal) f.Fordeling.push_back("0");
  const double kg = f.MealKg[static_cast<size_t>(meal)];
  f.Fordeling[static_cast<size_t>(meal)] = AmountInGrams(f) ? FormatFixed(7, 4, kg, sep) : FormatFixed(5, 2, kg, sep);
}

double MealSum(const TFor& f, int meals) {
  double sum = 0;
  for (int i = 0; i < meals; ++i) sum += f.MealKg[static_cast<size_t>(i)];
  return sum;
}

// The rest after the meals, never below 0 and without the dust of floating-point sums.
void UpdateRest(TFor& f, int meals) {
  const double rest = Snap(f.TildeltKg - MealSum(f, meals), kGramResolution / 100);
  f.UndistributedRemainder = rest > kTiny ? rest : 0;
}

int ClampMeals(int meals) { return std::clamp(meals, 0, kMaxMeals); }

}  // namespace

// ---- numbers

std::string DecimalText(double value, int decimals, char separator) {
  decimals = std::clamp(decimals, 0, 10);
  if (!std::isfinite(value)) value = 0;
  std::string s = fmt::format("{:.{}f}", value, decimals);
  // A negative value that rounds to zero is shown as zero.
  if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  if (const size_t dot = s.find('.'); dot != std::string::npos) s[dot] = separator;
  return s;
}

// ---- amounts

bool AmountInGrams(const TFor& f) { return IsSupplementCategory(f.Fortype); }
std::string AmountUnit(const TFor& f) { return AmountInGrams(f) ? "g" : "kg"; }

double AmountStep(const TFor& f) {
  if (IsSupplementCategory(f.Fortype)) return 0.005;
  if (IsConcentrateCategory(f.Fortype)) return 0.1;
  return 0.25;
}

double ShownAmount(const TFor& f) { return AmountInGrams(f) ? f.TildeltKg * 1000 : f.TildeltKg; }

void StepAmount(TFor& f, bool up) {
  f.Valgt = true;
  const double step = AmountStep(f);
  if (up) {
    f.TildeltKg = Snap(f.TildeltKg + step, kGramResolution);
  } else {
    const double next = Snap(f.TildeltKg - step, kGramResolution);
    f.TildeltKg = next > kTiny ? next : 0;
  }
}

// ---- grazing

void ApplyGrazingCap(THest& h) {
  TForListe& ration = *h.ForListe;
  if (!h.PaBeite()) return;
  TFor* pasture = ration.FirstPickedGrazing();
  if (!pasture) return;
  // SettBeitemengde sets the first grazing feed, picked or not; without dry matter on
  // either there is no amount to derive, and the amounts stay as the user gave them.
  const TFor* firstGrazing = ration.NthFeedInSet(FeedCategorySet::Grazing, 0);
  if (!firstGrazing || firstGrazing->TorrStoff <= 0 || pasture->TorrStoff <= 0) return;
  pasture->TildeltKg = SettBeitemengde(h);

  double r = 0;
  for (const auto& f : ration.Feeds())
    if (f.get() != pasture && f->Valgt && IsRoughageCategory(f->Fortype)) r += f->DryMatterKg();
  const double c = ration.ConcentrateDryMatter();
  const double p = pasture->DryMatterKg();
  const double m = MaksTorrstoff(h);
  if (m <= r + p + 0.7 * c) {
    const double room = m - r - 0.7 * c;
    pasture->TildeltKg = room > 0 ? room * 100 / pasture->TorrStoff : 0;
  }
}

// ---- meal sheet

int SheetMeals(const THest& h) { return ClampMeals(h.HestNoMeals); }

bool PrepareMealSheet(THest& h, int stableMeals, const StringList& stableTimes, char sep) {
  bool changed = false;
  if (h.HestNoMeals != stableMeals) {
    StallMaltider(h, stableMeals, stableTimes);
    changed = true;
  }
  const int meals = SheetMeals(h);
  for (const auto& fp : h.ForListe->Feeds()) {
    TFor& f = *fp;
    const std::vector<double> amounts = MealAmounts(f, meals);
    f.MealKg.fill(0);
    for (int i = 0; i < meals; ++i) f.MealKg[static_cast<size_t>(i)] = std::max(0.0, amounts[static_cast<size_t>(i)]);
    // Meals that add up to more than is given a day (the amount was lowered after the
    // split) would print more feed than the ration holds: cut from the last meal back.
    double excess = MealSum(f, meals) - f.TildeltKg;
    for (int i = meals - 1; i >= 0 && excess > kTiny; --i) {
      double& m = f.MealKg[static_cast<size_t>(i)];
      const double cut = std::min(m, excess);
      m = Snap(m - cut, Resolution(f));
      excess -= cut;
      WriteMealLine(f, i, sep);
      changed = true;
    }
    UpdateRest(f, meals);
  }
  return changed;
}

double StoredMealAmount(const TFor& f, double kg) { return Snap(std::max(0.0, kg), Resolution(f)); }

void SetMealAmount(TFor& f, int meal, double kg, int meals, char sep) {
  meals = ClampMeals(meals);
  if (meal < 0 || meal >= meals) return;
  double& m = f.MealKg[static_cast<size_t>(meal)];
  m = StoredMealAmount(f, kg);
  const double others = MealSum(f, meals) - m;
  if (others + m > f.TildeltKg + kTiny) m = std::max(0.0, SnapDown(f.TildeltKg - others, Resolution(f)));
  WriteMealLine(f, meal, sep);
  UpdateRest(f, meals);
}

void StepMeal(TFor& f, int meal, bool up, int meals, char sep) {
  meals = ClampMeals(meals);
  if (meal < 0 || meal >= meals) return;
  UpdateRest(f, meals);
  const double step = AmountStep(f);
  double& m = f.MealKg[static_cast<size_t>(meal)];
  if (up) {
    const double move = f.UndistributedRemainder > step ? step : f.UndistributedRemainder;
    m = StoredMealAmount(f, m + move);
  } else {
    const double move = m > step ? step : m;
    m = StoredMealAmount(f, m - move);
  }
  WriteMealLine(f, meal, sep);
  UpdateRest(f, meals);
}

void DistributeEvenly(TFor& f, int meals, char sep) {
  meals = ClampMeals(meals);
  if (meals == 0) return;
  UpdateRest(f, meals);
  const double rest = f.UndistributedRemainder;
  const double share = SnapDown(rest / meals, Resolution(f));
  for (int i = 0; i < meals; ++i) f.MealKg[static_cast<size_t>(i)] = StoredMealAmount(f, f.MealKg[static_cast<size_t>(i)] + share);
  // What the rounding left goes to the last meal, so the meals add up to the day.
  double& last = f.MealKg[static_cast<size_t>(meals - 1)];
  last = StoredMealAmount(f, last + rest - share * meals);
  for (int i = 0; i < meals; ++i) WriteMealLine(f, i, sep);
  UpdateRest(f, meals);
}

void GiveRest(TFor& f, int meal, int meals, char sep) {
  meals = ClampMeals(meals);
  if (meal < 0 || meal >= meals) return;
  UpdateRest(f, meals);
  double& m = f.MealKg[static_cast<size_t>(meal)];
  m = StoredMealAmount(f, m + f.UndistributedRemainder);
  WriteMealLine(f, meal, sep);
  UpdateRest(f, meals);
}

void ResetMeals(TFor& f, int meals, char sep) {
  meals = ClampMeals(meals);
  for (int i = 0; i < meals; ++i) {
    f.MealKg[static_cast<size_t>(i)] = 0;
    WriteMealLine(f, i, sep);
  }
  UpdateRest(f, meals);
}

}  // namespace stallora
