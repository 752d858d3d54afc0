#pragma once
// The arithmetic of the ration page that the library itself uses too: the steps and units
// of amounts, the grazing cap and the split of a day's amount over the meals. The window's
// rules and texts built on it are in forms/ration_page.h.
//
// Texts are Windows-1252.

#include <string>

#include "core/record.h"
#include "feeds/feed.h"
#include "nutrition/hest.h"

namespace stallora {

// ---- numbers as the page shows them

// `value` with exactly `decimals` decimals and the given separator, no padding ("-0,00"
// is written "0,00").
std::string DecimalText(double value, int decimals, char separator);

// ---- amounts

// Supplement feeds (categories 4 and 9) are shown and entered in grams, all others in kg.
bool AmountInGrams(const TFor& f);
std::string AmountUnit(const TFor& f);  // "g" or "kg"
// The step of the spinner: 5 g for supplements, 0.1 kg for concentrates, 0.25 kg else.
double AmountStep(const TFor& f);
// The daily amount in the unit shown.
double ShownAmount(const TFor& f);
// One spinner step: the feed is selected and its amount moved by the step; a step down
// that would not leave more than 0 gives 0. The result is rounded to a tenth of a gram so
// repeated steps do not drift.
void StepAmount(TFor& f, bool up);

// ---- grazing

// The grazing cap of the amounts page: the pasture feed's amount follows the grazing dry
// matter and is cut so that the ration's dry matter stays within the maximum intake.
// Nothing unless the horse grazes and the ration holds a selected pasture feed.
void ApplyGrazingCap(THest& h);

// ---- the meal sheet

inline constexpr int kMaxMeals = 10;
// The meals the sheet works with: the horse's number, within 0..10.
int SheetMeals(const THest& h);
// The entry step: the horse takes over the stable's feeding times when their number
// differs, and each feed's meal amounts and undistributed rest are rebuilt from its
// `Fordeling`. Meals that add up to more than the daily amount (the amount was lowered
// after splitting) are cut from the last meal back. True when any `Fordeling` changed.
bool PrepareMealSheet(THest& h, int stableMeals, const StringList& stableTimes, char separator);
// A meal's amount as stored: kg to the hundredth, grams of supplements to a tenth.
double StoredMealAmount(const TFor& f, double kg);
// Sets a meal's amount; meals that would exceed the daily amount are cut back to it.
void SetMealAmount(TFor& f, int meal, double kg, int meals, char separator);
// The spinner on a meal cell: moves one step between the undistributed rest and the meal.
void StepMeal(TFor& f, int meal, bool up, int meals, char separator);
// "Fordel lige": the rest shared out evenly over the meals (what rounding leaves goes to
// the last meal, so the meals add up to the daily amount).
void DistributeEvenly(TFor& f, int meals, char separator);
// "Giv resten": the whole rest into one meal.
void GiveRest(TFor& f, int meal, int meals, char separator);
// "Nulstil": every meal 0, the whole daily amount undistributed.
void ResetMeals(TFor& f, int meals, char separator);

}  // namespace stallora
