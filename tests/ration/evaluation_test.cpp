#include "ration/evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ration/balance_chart.h"

namespace stallora {
namespace {

class EvaluationTest : public ::testing::Test {
 protected:
  EvaluationTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    for (int i = 0; i < 24; ++i) settings_.nutrients[static_cast<size_t>(i)].name = "N" + std::to_string(i);
  }
  std::unique_ptr<THest> Horse(double weight) {
    auto h = std::make_unique<THest>(env_);
    h->VektListe->LeggTil(weight, clock_.Today());
    return h;
  }
  // A picked feed giving `perKg` of nutrient n per kg, `kg` kg a day.
  TFor& Feed(THest& h, int category, double kg, double dm = 85) {
    TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(env_));
    f.Fortype = static_cast<uint8_t>(category);
    f.Valgt = true;
    f.TildeltKg = kg;
    f.TorrStoff = dm;
    return f;
  }
  DayNumber today() const { return clock_.Today(); }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
};

TEST_F(EvaluationTest, DryMatterRulesAndTheRoughageVerdict) {
  auto h = Horse(500);
  EXPECT_NEAR(MaksTorrstoff(*h), 12.5, 1e-12);
  EXPECT_NEAR(MinGrovfor(*h), 4.5, 1e-12);
  TFor& hay = Feed(*h, 1, 5, 80);  // 4.0 kg roughage dry matter
  EXPECT_EQ(GrovforVurdering(*h), RoughageVerdict::TooLittleRoughage);
  EXPECT_EQ(Grovforvurdering(*h), "For lidt grovfoder. For\xF8g m\xE6ngden!");
  hay.TildeltKg = 10;  // 8 kg
  EXPECT_EQ(Grovforvurdering(*h), "Grovfoderm\xE6ngde acceptabel");
  hay.TildeltKg = 16.25;  // 13 kg
  EXPECT_EQ(Grovforvurdering(*h), "For stor totalfoderm\xE6ngde. Reducer m\xE6ngden!");

  auto foal = Horse(150);
  foal->Kategori = TDyreKategori::Ungdyr;
  foal->Fodselsdato = today() - 200;
  foal->VektListe->LeggTil(150, today());
  EXPECT_NEAR(MaksTorrstoff(*foal), 5.25, 1e-12);
  EXPECT_NEAR(MinGrovfor(*foal), 2.19, 1e-12);
}

TEST_F(EvaluationTest, RangesAndFlags) {
  auto h = Horse(500);
  h->Behov[0] = 100;
  h->Behov[1] = 100;
  TFor& f = Feed(*h, 7, 1);
  auto energyFlag = [&](double supply) {
    f.SetValue(0, supply);
    BeregnTilforsel(*h);
    return h->UtenforOmrade[0];
  };
  EXPECT_FALSE(energyFlag(86));
  EXPECT_TRUE(energyFlag(84));
  EXPECT_FALSE(energyFlag(115));
  EXPECT_TRUE(energyFlag(116));

  f.SetValue(1, 160);
  h->Kategori = TDyreKategori::Vedlikehold;
  BeregnTilforsel(*h);
  EXPECT_FALSE(h->UtenforOmrade[1]);
  h->Kategori = TDyreKategori::Lakterende;
  BeregnTilforsel(*h);
  EXPECT_TRUE(h->UtenforOmrade[1]);
  EXPECT_NEAR(h->MaksGrense[1], 153, 1e-9);
}

TEST_F(EvaluationTest, RatioWithoutPhosphorusIsZeroAndFlagged) {
  auto h = Horse(500);
  h->Behov[3] = 24;
  TFor& f = Feed(*h, 9, 1);
  f.SetValue(3, 40);
  BeregnTilforsel(*h);
  EXPECT_EQ(h->Tilforsel[6], 0);
  EXPECT_TRUE(h->UtenforOmrade[6]);
  f.SetValue(4, 20);
  BeregnTilforsel(*h);
  EXPECT_EQ(h->Tilforsel[6], 2);
  EXPECT_FALSE(h->UtenforOmrade[6]);
}

TEST_F(EvaluationTest, CobaltAndB12AreFlaggedTogether) {
  auto h = Horse(500);
  h->Behov[13] = 1;
  h->Behov[21] = 0.1;
  TFor& f = Feed(*h, 9, 1);
  f.SetValue(21, 0.1);  // B12 in range, cobalt 0 (out of range)
  BeregnTilforsel(*h);
  EXPECT_FALSE(h->UtenforOmrade[13]);
  EXPECT_FALSE(h->UtenforOmrade[21]);
  f.SetValue(21, 0.01);  // B12 below half its requirement too: both flagged
  BeregnTilforsel(*h);
  EXPECT_TRUE(h->UtenforOmrade[13]);
  EXPECT_TRUE(h->UtenforOmrade[21]);
}

TEST_F(EvaluationTest, VitaminsOnPastureAndTheIronLimitOverAllFeeds) {
  auto h = Horse(500);
  h->Behov[15] = 20000;
  h->Behov[16] = 4000;
  TFor& grass = Feed(*h, 0, 40, 20);
  h->TimerBeiting = 10;
  BeregnTilforsel(*h);
  EXPECT_FALSE(h->UtenforOmrade[15]);
  EXPECT_FALSE(h->UtenforOmrade[16]);
  h->TimerBeiting = 0;
  BeregnTilforsel(*h);
  EXPECT_TRUE(h->UtenforOmrade[15]);
  EXPECT_EQ(h->MaksGrense[16], 500 * 44);
  // Iron counts over all feeds, picked or not.
  TFor& block = Feed(*h, 9, 1);
  block.Valgt = false;
  block.SetValue(8, 3000);  // over 250 x d = 2500
  grass.SetValue(8, 0);
  h->Behov[0] = 1;
  BeregnTilforsel(*h);
  EXPECT_TRUE(h->UtenforOmrade[8]);
}

TEST_F(EvaluationTest, SaltWarningAndTrainingLimit) {
  auto h = Horse(500);
  h->Behov[7] = 30;
  h->BasisBehov[7] = 24;
  Feed(*h, 9, 1).SetValue(7, 10);
  BeregnTilforsel(*h);
  EXPECT_TRUE(ForLiteSalt(*h));
  EXPECT_NEAR(h->MaksGrense[7], 96, 1e-9);
  h->Kategori = TDyreKategori::Trening;
  h->TreningsMengde = 0.3;
  BeregnTilforsel(*h);
  EXPECT_NEAR(h->MaksGrense[7], 96 / 1.7, 1e-9);
}

TEST_F(EvaluationTest, GrazingHoursIntakeAndPastureAmount) {
  auto h = Horse(500);
  const std::pair<int, double> hours[] = {{0, 0}, {3, 3.0}, {8, 7.3}, {10, 8.8}, {12, 10.2}, {24, 15.8}, {30, 15.8}};
  for (auto [n, effective] : hours) {
    h->TimerBeiting = n;
    EXPECT_NEAR(Beitetimer(*h), effective, 1e-9) << n;
  }
  h->TimerBeiting = 10;
  EXPECT_NEAR(BeiteTorrstoff(*h), 8.4, 1e-9);
  h->Kategori = TDyreKategori::Lakterende;
  EXPECT_NEAR(BeiteTorrstoff(*h), 8.8, 1e-9);
  h->Kategori = TDyreKategori::Vedlikehold;
  EXPECT_EQ(SettBeitemengde(*h), 0);  // no pasture feed
  Feed(*h, 7, 2);
  TFor& pasture = Feed(*h, 10, 0, 20);
  EXPECT_EQ(SettBeitemengde(*h), 42);
  EXPECT_EQ(pasture.TildeltKg, 42);
  pasture.TorrStoff = 0;
  EXPECT_EQ(SettBeitemengde(*h), 0);
  EXPECT_EQ(pasture.TildeltKg, 42);
}

TEST_F(EvaluationTest, NothingIsEvaluatedWithoutARequirement) {
  auto h = Horse(500);
  Feed(*h, 7, 1).SetValue(0, 10);
  BeregnTilforsel(*h);
  EXPECT_EQ(h->Tilforsel[0], 0);
}

TEST_F(EvaluationTest, BalanceChartGeometry) {
  auto h = Horse(500);
  h->Behov[0] = 10;
  h->Tilforsel[0] = 30;  // 300 %
  h->UtenforOmrade[0] = true;
  h->Behov[1] = 10;
  h->Tilforsel[1] = 5;   // 50 %, short: red
  h->UtenforOmrade[1] = true;
  std::array<bool, kNutrientCount> shown{};
  shown[0] = shown[1] = true;
  RecordingCanvas c(kBalanceChartWidth, kBalanceChartHeight, 6, 13);
  DrawBalanceChart(*h, shown, settings_, c);
  const int lw = 2 * 6;  // "N0", "N1"
  const int x0 = 2 + lw + 5;
  const int xe = 462;  // round(481 x 0.96)
  const int s = xe - x0 + 1;
  EXPECT_EQ(BalanceBarEnd(x0, s, 300), x0 + s / 2 + static_cast<int>(std::nearbyint(std::log10(3.0) * s / 2.0)));
  EXPECT_EQ(BalanceBarEnd(x0, s, 50), x0 + static_cast<int>(std::nearbyint(s * 0.25)));
  const int t = 13;
  const int y0 = 4 * t + 18 - t - 2;
  bool yellowBar = false, redBar = false;
  for (const auto& op : c.ops) {
    if (op.kind != RecordingCanvas::Op::kFill) continue;
    if (op.y1 == y0 && op.x1 == x0 && op.colour == colours::kYellow) {
      yellowBar = true;
      EXPECT_EQ(op.x2, BalanceBarEnd(x0, s, 300));
    }
    if (op.y1 == y0 + 16 && op.x1 == x0 && op.colour == colours::kRed) redBar = true;  // round(1.2 x 13)
  }
  EXPECT_TRUE(yellowBar);
  EXPECT_TRUE(redBar);
  const auto* name = c.FindText("N1");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->x2, 2 + lw);  // right-aligned
  ASSERT_NE(c.FindText("I optimalomr\xE5" "det"), nullptr);
  EXPECT_EQ(c.FindText("I optimalomr\xE5" "det")->x1, x0 + s / 3);
  EXPECT_EQ(c.font, "MS Sans serif");
  ASSERT_NE(c.FindText("1000%"), nullptr);
}

}  // namespace
}  // namespace stallora
