#pragma once
// Growth curves of young horses and the weight estimate from chest girth.
//
// These are functions of plain values so that the horse record, the windows and the
// tests share one implementation; the horse supplies its own age, adult weight, blood type
// and condition factor.

#include "core/daynum.h"
#include "nutrition/blodstype.h"

namespace stallora {

// Which curve a young horse follows. The French energy system has its own; the NRC 2007
// and Dutch systems share the NRC curve.
enum class GrowthCurve { Euro, Nrc };

// Expected body weight (kg) at `ageDays` days for a horse whose expected adult weight is
// `adultWeight` kg.
double ExpectedWeight(GrowthCurve curve, double ageDays, double adultWeight);
// Expected daily gain (kg/day) at `ageDays` days.
double ExpectedDailyGain(GrowthCurve curve, double ageDays, double adultWeight);
// Weight at birth: 10 % of the adult weight on the French curve, 9.7 % on the NRC curve.
double BirthWeight(GrowthCurve curve, double adultWeight);

// The age in months the girth estimate uses: days since birth / 30 (not rounded) for a
// young horse, and 19, which selects the adult formula, for every other category.
double GirthAgeMonths(bool youngHorse, DayNumber birthDate, DayNumber today);

// Body weight (kg) estimated from chest girth (cm) and age in months (see GirthAgeMonths),
// multiplied by the condition factor (1.05 fat, 1.0 normal, 0.95 lean). Below 15 months a
// young-horse formula, from 18 months an adult formula, in between the mean of both.
double WeightFromGirth(double girthCm, double ageMonths, BloodType bloodType, double holdFaktor);

// The girths the search for a weight tries.
inline constexpr int kFirstSearchedGirth = 65;
inline constexpr int kLastSearchedGirth = 360;

// The girth that fits a weight: girths from 65 cm up are tried until the estimate exceeds
// `weight`; the result is the girth before that one. -1 when no girth below 360 cm has an
// estimate above the weight (a weight beyond the estimate of 359 cm). A weight below the
// estimate of 65 cm gives 64.
int GirthForWeight(double weight, double ageMonths, BloodType bloodType, double holdFaktor);

}  // namespace stallora
