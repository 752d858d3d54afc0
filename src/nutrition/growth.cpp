#include "nutrition/growth.h"

#include <cmath>

namespace stallora {
namespace {

double WarmBloodYoung(double m, double g) { return 16.47 * m - 122.4 - 0.321 * m * m + 1.848 * g; }
double ColdBloodYoung(double m, double g) { return 20.85 * m + 38.4 - 0.378 * m * m + 0.598 * g; }
double Adult(double g) { return ((4.5 * g - 370) + (6.25 * g - 625)) / 2; }

// The NRC curve's rate per day: 0.0772 per month of 30.4 days.
double NrcDecay(double ageDays) { return std::exp(-0.0772 * ageDays / 30.4); }
double EuroDecay(double ageDays) { return std::exp(-0.0027 * ageDays); }

}  // namespace

double ExpectedWeight(GrowthCurve curve, double ageDays, double adultWeight) {
  if (curve == GrowthCurve::Euro) return (1 - EuroDecay(ageDays)) * adultWeight * 0.92 + adultWeight * 0.1;
  return ((1 - NrcDecay(ageDays)) * 90.3 + 9.7) * adultWeight / 100;
}

double ExpectedDailyGain(GrowthCurve curve, double ageDays, double adultWeight) {
  if (curve == GrowthCurve::Euro) return EuroDecay(ageDays) * adultWeight * 0.92 * 0.0027;
  return NrcDecay(ageDays) * 6.971 * adultWeight / 3040;
}

double BirthWeight(GrowthCurve curve, double adultWeight) {
  return adultWeight * (curve == GrowthCurve::Euro ? 0.1 : 0.097);
}

double GirthAgeMonths(bool youngHorse, DayNumber birthDate, DayNumber today) {
  return youngHorse ? (today - birthDate) / 30 : 19;
}

double WeightFromGirth(double girthCm, double ageMonths, BloodType bloodType, double holdFaktor) {
  const double m = ageMonths, g = girthCm;
  double w;
  if (m < 15) {
    w = bloodType == BloodType::ColdBlood ? ColdBloodYoung(m, g) : WarmBloodYoung(m, g);
  } else if (m < 18) {
    // Unlike below 15 months, a thoroughbred takes the cold-blood formula here; the
    // asymmetry is deliberate.
    const double young = bloodType == BloodType::WarmBlood ? WarmBloodYoung(m, g) : ColdBloodYoung(m, g);
    w = (Adult(g) + young) / 2;
  } else {
    w = Adult(g);
  }
  return w * holdFaktor;
}

int GirthForWeight(double weight, double ageMonths, BloodType bloodType, double holdFaktor) {
  int g = kFirstSearchedGirth;
  while (g <= kLastSearchedGirth && !(WeightFromGirth(g, ageMonths, bloodType, holdFaktor) > weight)) ++g;
  return g < kLastSearchedGirth ? g - 1 : -1;
}

}  // namespace stallora
