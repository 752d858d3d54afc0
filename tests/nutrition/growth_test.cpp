#include "nutrition/growth.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/daynum.h"

namespace stallora {
namespace {

TEST(GrowthCurves, NrcCurve) {
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Nrc, 0, 500), 48.5, 1e-9);
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Nrc, 365, 500), 321.3, 0.05);
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Nrc, 365, 500), 500 * (90.3 * (1 - std::exp(-0.9269)) + 9.7) / 100, 0.01);
  EXPECT_NEAR(ExpectedDailyGain(GrowthCurve::Nrc, 0, 500), 1.147, 0.0005);
  EXPECT_NEAR(ExpectedDailyGain(GrowthCurve::Nrc, 365, 500), 1.1465 * std::exp(-0.0772 * 365 / 30.4), 0.0005);
  EXPECT_NEAR(BirthWeight(GrowthCurve::Nrc, 500), 48.5, 1e-9);
  // Grows towards the adult weight and never beyond it.
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Nrc, 36500, 500), 500, 1e-6);
  // Proportional to the adult weight.
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Nrc, 200, 250) * 2, ExpectedWeight(GrowthCurve::Nrc, 200, 500), 1e-9);
}

TEST(GrowthCurves, FrenchCurve) {
  EXPECT_NEAR(BirthWeight(GrowthCurve::Euro, 500), 50, 1e-9);
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Euro, 0, 500), 50, 1e-9);
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Euro, 365, 500), 338.3, 0.05);
  EXPECT_NEAR(ExpectedDailyGain(GrowthCurve::Euro, 0, 500), 500 * 0.92 * 0.0027, 1e-12);
  EXPECT_NEAR(ExpectedDailyGain(GrowthCurve::Euro, 365, 500), 1.242 * std::exp(-0.9855), 1e-9);
  // The French curve ends at 102 % of the adult weight.
  EXPECT_NEAR(ExpectedWeight(GrowthCurve::Euro, 36500, 500), 510, 1e-6);
}

TEST(GrowthCurves, GainIsTheSlopeOfTheWeight) {
  for (const GrowthCurve c : {GrowthCurve::Euro, GrowthCurve::Nrc})
    for (const double t : {0.0, 100.0, 400.0, 900.0}) {
      const double slope = ExpectedWeight(c, t + 0.5, 480) - ExpectedWeight(c, t - 0.5, 480);
      EXPECT_NEAR(ExpectedDailyGain(c, t, 480), slope, 1e-4) << t;
    }
}

TEST(Girth, AdultFormulaAndConditionFactor) {
  EXPECT_NEAR(WeightFromGirth(180, 19, BloodType::WarmBlood, 1.0), 470, 1e-9);
  EXPECT_NEAR(WeightFromGirth(180, 19, BloodType::WarmBlood, 1.05), 493.5, 1e-9);
  EXPECT_NEAR(WeightFromGirth(180, 19, BloodType::WarmBlood, 0.95), 446.5, 1e-9);
  // The adult formula ignores the blood type and holds from 18 months on.
  for (const BloodType b : {BloodType::ColdBlood, BloodType::WarmBlood, BloodType::FullBlood}) {
    EXPECT_NEAR(WeightFromGirth(180, 18, b, 1.0), 470, 1e-9);
    EXPECT_NEAR(WeightFromGirth(180, 60, b, 1.0), 470, 1e-9);
  }
}

TEST(Girth, YoungFormulas) {
  const double m = GirthAgeMonths(true, EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 1) + 180);
  EXPECT_EQ(m, 6);
  EXPECT_NEAR(WeightFromGirth(130, m, BloodType::WarmBlood, 1.0), 205.10, 0.005);
  EXPECT_NEAR(WeightFromGirth(130, m, BloodType::WarmBlood, 1.0),
              16.47 * 6 - 122.4 - 0.321 * 36 + 1.848 * 130, 1e-9);
  EXPECT_NEAR(WeightFromGirth(130, m, BloodType::ColdBlood, 1.0), 20.85 * 6 + 38.4 - 0.378 * 36 + 0.598 * 130, 1e-9);
  // Below 15 months a thoroughbred uses the warm-blood formula.
  EXPECT_EQ(WeightFromGirth(130, m, BloodType::FullBlood, 1.0), WeightFromGirth(130, m, BloodType::WarmBlood, 1.0));
  EXPECT_NEAR(WeightFromGirth(130, m, BloodType::WarmBlood, 1.05), 1.05 * 205.104, 1e-9);
}

TEST(Girth, ThoroughbredAt12And16Months) {
  const double g = 170;
  const double warm12 = 16.47 * 12 - 122.4 - 0.321 * 144 + 1.848 * g;
  const double cold12 = 20.85 * 12 + 38.4 - 0.378 * 144 + 0.598 * g;
  EXPECT_NEAR(WeightFromGirth(g, 12, BloodType::FullBlood, 1.0), warm12, 1e-9);
  EXPECT_GT(std::fabs(warm12 - cold12), 1);

  const double adult = ((4.5 * g - 370) + (6.25 * g - 625)) / 2;
  const double warm16 = 16.47 * 16 - 122.4 - 0.321 * 256 + 1.848 * g;
  const double cold16 = 20.85 * 16 + 38.4 - 0.378 * 256 + 0.598 * g;
  EXPECT_NEAR(WeightFromGirth(g, 16, BloodType::FullBlood, 1.0), (adult + cold16) / 2, 1e-9);
  EXPECT_NEAR(WeightFromGirth(g, 16, BloodType::ColdBlood, 1.0), (adult + cold16) / 2, 1e-9);
  EXPECT_NEAR(WeightFromGirth(g, 16, BloodType::WarmBlood, 1.0), (adult + warm16) / 2, 1e-9);
  EXPECT_GT(std::fabs(warm16 - cold16), 1);
}

TEST(Girth, AgeBandBoundaries) {
  const double g = 150;
  const double adult = ((4.5 * g - 370) + (6.25 * g - 625)) / 2;
  auto warm = [&](double m) { return 16.47 * m - 122.4 - 0.321 * m * m + 1.848 * g; };
  EXPECT_NEAR(WeightFromGirth(g, 14.99, BloodType::WarmBlood, 1), warm(14.99), 1e-9);
  EXPECT_NEAR(WeightFromGirth(g, 15, BloodType::WarmBlood, 1), (adult + warm(15)) / 2, 1e-9);
  EXPECT_NEAR(WeightFromGirth(g, 17.99, BloodType::WarmBlood, 1), (adult + warm(17.99)) / 2, 1e-9);
  EXPECT_NEAR(WeightFromGirth(g, 18, BloodType::WarmBlood, 1), adult, 1e-9);
}

TEST(Girth, AgeInMonths) {
  const DayNumber birth = EncodeDate(2023, 1, 1);
  EXPECT_EQ(GirthAgeMonths(true, birth, birth + 45), 1.5);  // not rounded
  EXPECT_EQ(GirthAgeMonths(false, birth, birth + 45), 19);
  EXPECT_EQ(GirthAgeMonths(false, birth, birth + 4000), 19);
}

TEST(Girth, GirthForWeight) {
  // Estimate of 180 cm is exactly 470: the first girth exceeding 470 is 181.
  EXPECT_EQ(GirthForWeight(470, 19, BloodType::WarmBlood, 1.0), 180);
  EXPECT_EQ(GirthForWeight(469.9, 19, BloodType::WarmBlood, 1.0), 179);
  EXPECT_EQ(GirthForWeight(493.5, 19, BloodType::WarmBlood, 1.05), 180);
  // The young foal's girth is found again from its weight.
  const double foal = WeightFromGirth(130, 6, BloodType::WarmBlood, 1.0);
  EXPECT_EQ(GirthForWeight(foal, 6, BloodType::WarmBlood, 1.0), 130);
  EXPECT_EQ(GirthForWeight(foal - 0.01, 6, BloodType::WarmBlood, 1.0), 129);
  EXPECT_EQ(GirthForWeight(WeightFromGirth(170, 16, BloodType::FullBlood, 1.0), 16, BloodType::FullBlood, 1.0), 170);
}

TEST(Girth, GirthForWeightEnds) {
  const double at360 = WeightFromGirth(360, 19, BloodType::WarmBlood, 1.0);
  const double at359 = WeightFromGirth(359, 19, BloodType::WarmBlood, 1.0);
  EXPECT_EQ(GirthForWeight(at360 + 1, 19, BloodType::WarmBlood, 1.0), -1);
  EXPECT_EQ(GirthForWeight(at360, 19, BloodType::WarmBlood, 1.0), -1);
  // Only girths below 360 count as found.
  EXPECT_EQ(GirthForWeight((at359 + at360) / 2, 19, BloodType::WarmBlood, 1.0), -1);
  EXPECT_EQ(GirthForWeight(at359 - 0.01, 19, BloodType::WarmBlood, 1.0), 358);
  // A weight below the estimate of 65 cm stops at once.
  EXPECT_EQ(GirthForWeight(-1000, 19, BloodType::WarmBlood, 1.0), 64);
  EXPECT_EQ(GirthForWeight(std::nan(""), 19, BloodType::WarmBlood, 1.0), -1);
}

TEST(BloodTypes, ObjectTextNamesInOrder) {
  const auto names = EnumValueNames(BloodType{});
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[static_cast<int>(BloodType::ColdBlood)], "ColdBlood");
  EXPECT_EQ(names[static_cast<int>(BloodType::WarmBlood)], "WarmBlood");
  EXPECT_EQ(names[static_cast<int>(BloodType::FullBlood)], "FullBlood");
  EXPECT_EQ(static_cast<int>(BloodType::FullBlood), 2);
}

}  // namespace
}  // namespace stallora
