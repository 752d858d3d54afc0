// The conversion of feed values between energy and protein systems, on numbers worked out
// by hand: each expected value is the chain of formulas written out step by step, and the
// result of that chain as a literal (computed once with a calculator).

#include <gtest/gtest.h>

#include <cmath>

#include "feeds/feedlist.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::DanishRecord;
using testing::FeedsEnv;
using testing::NrcRecord;

EnergyRecord Record(TEnergiBeregning s, EnergiBasisType b, EnergiEnhetstype u, double f, TProteinBeregning p) {
  return {s, b, u, f, p};
}

TFor& AddFeed(TForListe& list, int category, double dm, double energy, double protein) {
  auto feed = std::make_unique<TFor>(*list.env);
  feed->Fornavn = "f" + std::to_string(list.Count());
  feed->Fortype = static_cast<TForkategorier>(category);
  feed->TorrStoff = dm;
  feed->SetValue(0, energy);
  feed->SetValue(1, protein);
  feed->SetValue(3, 4);
  feed->SetValue(4, 2);
  feed->UpdateRatio();
  return list.AddFeed(std::move(feed));
}

TEST(Conversion, RoughageOfCategoryOneFromNrcToFrenchFeedUnits) {
  FeedsEnv fx;
  for (double f : {1.0, 0.95}) {
    TForListe list(*fx.env);
    list.SetEnergyRecord(NrcRecord());
    TFor& hay = AddFeed(list, 1, 85, 2.0, 100);
    const EnergyRecord target =
        Record(TEnergiBeregning::fransk, EnergiBasisType::NE, EnergiEnhetstype::fe, f, TProteinBeregning::DCP);
    ASSERT_TRUE(list.ConvertAllTo(target, TProteinBeregning::DCP));
    // Per kg dry matter: 2.0 / 0.85 Mcal DE, in MJ; to ME; to NE; to feed units; the
    // system factor of roughage; back to as fed.
    const double de = 2.0 / 0.85 * 4.185;
    const double me = de * 0.8569 - 0.1757;
    const double ne = 0.59 * me - 0.051 + 0.0121 * me * me;
    const double expected = ne / 9.414 * f * (1 / 1.05) * 0.85;
    EXPECT_NEAR(hay.Value(0), expected, 1e-12);
    EXPECT_NEAR(hay.Value(0), f == 1.0 ? 0.48582840468 : 0.46153698445, 1e-9);
    // Protein: CP per kg dry matter to DCP with the roughage formula.
    EXPECT_NEAR(hay.Value(1), (0.955 * (100 / 0.85) - 36.69) * 0.85, 1e-9);
    EXPECT_NEAR(hay.Value(1), 64.3135, 1e-9);
    EXPECT_DOUBLE_EQ(hay.Value(6), 2);  // the ratio is recomputed, not converted
    // The list takes the target's basis, unit, factor and protein type; not its system.
    EXPECT_EQ(list.EnergiBasis, EnergiBasisType::NE);
    EXPECT_EQ(list.EnergiEnhet, EnergiEnhetstype::fe);
    EXPECT_EQ(list.EnergiFaktor, f);
    EXPECT_EQ(list.ProteinType, TProteinBeregning::DCP);
    EXPECT_EQ(list.EnergiBeregning, TEnergiBeregning::nrc2007);
  }
}

TEST(Conversion, RoughageOfCategoryTwoHasItsOwnDigestibleEnergyFormulas) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(NrcRecord());
  TFor& haylage = AddFeed(list, 2, 50, 1.2, 60);
  TFor& hay = AddFeed(list, 6, 50, 1.2, 60);
  const EnergyRecord me =
      Record(TEnergiBeregning::nrc2007, EnergiBasisType::ME, EnergiEnhetstype::MJ, 1, TProteinBeregning::CP);
  ASSERT_TRUE(list.ConvertAllTo(me, TProteinBeregning::CP));
  EXPECT_NEAR(haylage.Value(0), (1.2 / 0.5 * 4.185 * 0.8636 - 0.5889) * 0.5, 1e-12);
  EXPECT_NEAR(haylage.Value(0), 4.0425492, 1e-9);
  EXPECT_NEAR(hay.Value(0), (1.2 / 0.5 * 4.185 * 0.8569 - 0.1757) * 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(haylage.Value(1), 60);  // same protein type: untouched
  // And back: ME to DE with the category-2 formula, MJ to Mcal.
  ASSERT_TRUE(list.ConvertAllTo(NrcRecord(), TProteinBeregning::CP));
  const double dm = 4.0425492 / 0.5;
  EXPECT_NEAR(haylage.Value(0), (dm * 1.158 + 0.682) * (1 / 4.185) * 0.5, 1e-9);
  EXPECT_NEAR(haylage.Value(0), 1.20006498772, 1e-9);
  EXPECT_NEAR(hay.Value(0), ((1.2 / 0.5 * 4.185 * 0.8569 - 0.1757) * 1.167 + 0.205) / 4.185 * 0.5, 1e-9);
}

TEST(Conversion, ConcentrateBetweenFrenchAndNrcBothWaysWithProtein) {
  FeedsEnv fx;
  // French (NE, feed units, DCP) to NRC (DE, Mcal, CP).
  TForListe list(*fx.env);
  list.SetEnergyRecord(DanishRecord());
  TFor& oats = AddFeed(list, 8, 87, 0.84, 74);
  ASSERT_TRUE(list.ConvertAllTo(NrcRecord(), TProteinBeregning::CP));
  const double ne = 0.84 / 0.87 * 9.414;
  EXPECT_NEAR(oats.Value(0), ne * 1.27 * (1 / 0.9) * (1 / 4.185) * 1.2 * 0.87, 1e-12);
  EXPECT_NEAR(oats.Value(0), 3.19963526882, 1e-9);
  EXPECT_NEAR(oats.Value(1), (1.0526 * (74 / 0.87) + 27.021) * 0.87, 1e-9);
  EXPECT_NEAR(oats.Value(1), 101.40067, 1e-9);

  // The same feed received by an NRC list from a French list: the same numbers.
  TForListe nrc(*fx.env);
  nrc.SetEnergyRecord(NrcRecord());
  TForListe french(*fx.env);
  french.SetEnergyRecord(DanishRecord());
  TFor& source = AddFeed(french, 8, 87, 0.84, 74);
  TFor& received = nrc.AddFeedFrom(source.Clone(), &french);
  EXPECT_NEAR(received.Value(0), 3.19963526882, 1e-9);
  EXPECT_NEAR(received.Value(1), 101.40067, 1e-9);
  EXPECT_NEAR(nrc.systemFactorConcentrate, 1 / 1.2, 1e-15);
  EXPECT_NEAR(nrc.systemFactorOther, 1 / 1.05, 1e-15);

  // NRC to French: DE to ME by 0.9, ME to NE by 1/1.27, feed units, divided by 1.2.
  TForListe back(*fx.env);
  back.SetEnergyRecord(NrcRecord());
  TFor& barley = AddFeed(back, 8, 87, 3.2, 101.4);
  ASSERT_TRUE(back.ConvertAllTo(DanishRecord(), TProteinBeregning::DCP));
  EXPECT_NEAR(barley.Value(0), 3.2 / 0.87 * 4.185 * 0.9 * (1 / 1.27) / 9.414 / 1.2 * 0.87, 1e-12);
  EXPECT_NEAR(barley.Value(0), 0.84009575285, 1e-9);
  EXPECT_NEAR(barley.Value(1), (0.95 * (101.4 / 0.87) - 25.67) * 0.87, 1e-9);
  EXPECT_NEAR(barley.Value(1), 73.9971, 1e-9);
}

TEST(Conversion, RoughageFromScaledFeedUnitsOfNetEnergy) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(
      Record(TEnergiBeregning::fransk, EnergiBasisType::NE, EnergiEnhetstype::fe, 0.95, TProteinBeregning::DCP));
  TFor& hay = AddFeed(list, 6, 86, 0.5, 60);
  ASSERT_TRUE(list.ConvertAllTo(NrcRecord(), TProteinBeregning::CP));
  // A feed unit of factor 0.95 is 9.414 / 0.95 MJ NE.
  const double ne = 0.5 / 0.86 * 9.414 / 0.95;
  const double me = 1.542 * ne + 0.328 - 0.024 * ne * ne;
  EXPECT_NEAR(hay.Value(0), (me * 1.167 + 0.205) / 4.185 * 1.05 * 0.86, 1e-12);
  EXPECT_NEAR(hay.Value(0), 2.16324937993, 1e-9);
  EXPECT_NEAR(hay.Value(1), (1.047 * (60 / 0.86) + 38.41) * 0.86, 1e-9);
  EXPECT_NEAR(hay.Value(1), 95.8526, 1e-9);
}

TEST(Conversion, SystemFactorsByCategoryGroup) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(NrcRecord());
  // Same basis and unit on both sides so that only the system factor acts.
  const EnergyRecord nrcMJ =
      Record(TEnergiBeregning::nrc2007, EnergiBasisType::ME, EnergiEnhetstype::MJ, 1, TProteinBeregning::CP);
  list.SetEnergyRecord(nrcMJ);
  for (int c : {9, 4, 3, 7, 8, 5, 11, 0}) AddFeed(list, c, 100, 10, 0);
  const EnergyRecord frenchMJ =
      Record(TEnergiBeregning::fransk, EnergiBasisType::ME, EnergiEnhetstype::MJ, 1, TProteinBeregning::CP);
  // Feeds received from a French list into an NRC list: concentrates and supplements / (1/1.2).
  for (const auto& f : list.Feeds()) ASSERT_TRUE(list.ConvertFeedFrom(*f, frenchMJ));
  const double expected[] = {12, 12, 12, 12, 12, 10.5, 10.5, 10.5};
  for (int i = 0; i < list.Count(); ++i) EXPECT_NEAR(list.FeedAt(i)->Value(0), expected[i], 1e-12) << i;
  // Between the two European systems both factors stay 1.
  list.SetSystemFactors(
      Record(TEnergiBeregning::dutch, EnergiBasisType::ME, EnergiEnhetstype::MJ, 1, TProteinBeregning::CP));
  EXPECT_EQ(list.systemFactorConcentrate, 1 / 1.2);  // the list is NRC, the other dutch
  EXPECT_EQ(list.systemFactorOther, 1 / 1.05);
  list.EnergiBeregning = TEnergiBeregning::fransk;
  list.SetSystemFactors(
      Record(TEnergiBeregning::dutch, EnergiBasisType::ME, EnergiEnhetstype::MJ, 1, TProteinBeregning::CP));
  EXPECT_EQ(list.systemFactorConcentrate, 1);
  EXPECT_EQ(list.systemFactorOther, 1);
  list.SetSystemFactors(NrcRecord());
  EXPECT_EQ(list.systemFactorConcentrate, 1.2);
  EXPECT_EQ(list.systemFactorOther, 1.05);
}

TEST(Conversion, ReverseThroughNetEnergyDoesNotRestoreRoughageExactly) {
  FeedsEnv fx;
  TForListe french(*fx.env);
  french.SetEnergyRecord(DanishRecord());
  TFor& hay = AddFeed(french, 6, 85, 0.5, 50);
  TFor& oats = AddFeed(french, 8, 87, 0.84, 74);
  TForListe nrc(*fx.env);
  nrc.SetEnergyRecord(NrcRecord());
  auto hayCopy = hay.Clone();
  auto oatsCopy = oats.Clone();
  ASSERT_TRUE(nrc.ConvertFeedFrom(*hayCopy, french.GetEnergyRecord()));
  ASSERT_TRUE(nrc.ConvertFeedFrom(*oatsCopy, french.GetEnergyRecord()));
  ASSERT_TRUE(french.ConvertFeedFrom(*hayCopy, nrc.GetEnergyRecord()));
  ASSERT_TRUE(french.ConvertFeedFrom(*oatsCopy, nrc.GetEnergyRecord()));
  EXPECT_GT(std::fabs(hayCopy->Value(0) - 0.5), 1e-4);  // the quadratic formulas are no inverses
  EXPECT_LT(std::fabs(hayCopy->Value(0) - 0.5), 0.05);
  EXPECT_NEAR(oatsCopy->Value(0), 0.84, 1e-12);  // the linear ones are
}

TEST(Conversion, ADifferentCalculationSystemAloneConvertsNothing) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(DanishRecord());
  TFor& hay = AddFeed(list, 6, 85, 0.5, 50);
  TFor& oats = AddFeed(list, 8, 87, 0.84, 74);
  EnergyRecord dutch = DanishRecord();
  dutch.EnergiBeregning = TEnergiBeregning::nrc2007;
  ASSERT_TRUE(list.ConvertAllTo(dutch, TProteinBeregning::DCP));
  EXPECT_EQ(hay.Value(0), 0.5);
  EXPECT_EQ(oats.Value(0), 0.84);
  EXPECT_EQ(oats.Value(1), 74);
}

TEST(Conversion, IdenticalRecordsLeaveACopiedFeedAsItWas) {
  FeedsEnv fx;
  TForListe a(*fx.env), b(*fx.env);
  a.SetEnergyRecord(DanishRecord());
  b.SetEnergyRecord(DanishRecord());
  TFor& hay = AddFeed(a, 6, 85, 0.5, 50);
  TFor& copy = b.AddFeedFrom(hay.Clone(), &a);
  EXPECT_TRUE(copy.SameFeed(hay));
  EXPECT_EQ(copy.Value(1), 50);
}

TEST(Conversion, ZeroStaysZeroAndNoValueGoesBelowZero) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(NrcRecord());
  TFor& salt = AddFeed(list, 9, 99.8, 0, 0);
  TFor& straw = AddFeed(list, 6, 88, 1.5, 20);  // 22.7 g CP per kg DM: DCP formula below 0
  auto none = std::make_unique<TFor>(*fx.env);
  none->Fortype = 6;
  TFor& bare = list.AddFeed(std::move(none));
  ASSERT_TRUE(list.ConvertAllTo(DanishRecord(), TProteinBeregning::DCP));
  EXPECT_EQ(salt.Value(0), 0);
  EXPECT_EQ(salt.Value(1), 0);
  EXPECT_EQ(straw.Value(1), 0);
  EXPECT_GT(straw.Value(0), 0);
  EXPECT_EQ(bare.ValueCount(), 0);  // a feed without analysis stays without
  ASSERT_TRUE(list.ConvertAllTo(NrcRecord(), TProteinBeregning::CP));
  EXPECT_EQ(salt.Value(1), 0);  // not 27 g of protein in salt
}

TEST(Conversion, DryMatterOfZeroConvertsTheAsFedValues) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(NrcRecord());
  TFor& feed = AddFeed(list, 8, 0, 3.0, 100);
  ASSERT_TRUE(list.ConvertAllTo(DanishRecord(), TProteinBeregning::DCP));
  EXPECT_NEAR(feed.Value(0), 3.0 * 4.185 * 0.9 / 1.27 / 9.414 / 1.2, 1e-12);
  EXPECT_NEAR(feed.Value(1), 0.95 * 100 - 25.67, 1e-12);
}

TEST(Conversion, FeedUnitFactorsNotAboveZeroAreRefused) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(NrcRecord());
  TFor& oats = AddFeed(list, 8, 87, 3.2, 101);
  EnergyRecord zero = DanishRecord();
  zero.EnergiFaktor = 0;
  std::string error;
  EXPECT_FALSE(list.ConvertAllTo(zero, TProteinBeregning::DCP, &error));
  EXPECT_EQ(error, "Energifaktoren for foderenheder skal v\xE6re st\xF8rre end 0. V\xE6rdierne er ikke omregnet");
  EXPECT_EQ(oats.Value(0), 3.2);
  EXPECT_EQ(list.EnergiEnhet, EnergiEnhetstype::MCal);
  EnergyRecord negative = NrcRecord();
  negative.EnergiBasis = EnergiBasisType::NE;
  negative.EnergiFaktor = -1;
  EXPECT_FALSE(list.ConvertAllTo(negative, TProteinBeregning::CP));
  EXPECT_EQ(oats.Value(0), 3.2);
  EXPECT_EQ(list.EnergiBasis, EnergiBasisType::DE);
  // A source in feed units of factor 0 is refused too.
  auto copy = oats.Clone();
  error.clear();
  EXPECT_FALSE(list.ConvertFeedFrom(*copy, zero, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(copy->Value(0), 3.2);
  // A factor of 0 on a unit that is not feed units does not matter.
  EnergyRecord mj = NrcRecord();
  mj.EnergiEnhet = EnergiEnhetstype::MJ;
  mj.EnergiFaktor = 0;
  EXPECT_TRUE(list.ConvertAllTo(mj, TProteinBeregning::CP));
  EXPECT_NEAR(oats.Value(0), 3.2 * 4.185, 1e-12);
}

TEST(Conversion, ChoosingAnotherSystemForAListConvertsEveryFeed) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.SetEnergyRecord(NrcRecord());
  TFor& barley = AddFeed(list, 8, 87, 3.2, 101.4);
  EXPECT_FALSE(list.SameEnergySystem(DanishRecord()));
  EXPECT_EQ(RecalculationQuestion(45),
            "Energy and protein calculations differ from the default values for 45\r"
            "Energy and protein values will be recalculated. Proceed?");
  ASSERT_TRUE(list.ChangeEnergySystem(DanishRecord()));
  EXPECT_TRUE(list.SameEnergySystem(DanishRecord()));  // the whole record, system included
  EXPECT_NEAR(barley.Value(0), 0.84009575285, 1e-9);
  EXPECT_NEAR(barley.Value(1), 73.9971, 1e-9);
  EnergyRecord zero = DanishRecord();
  zero.EnergiFaktor = 0;
  EXPECT_FALSE(list.ChangeEnergySystem(zero));
  EXPECT_TRUE(list.SameEnergySystem(DanishRecord()));
  EXPECT_NEAR(barley.Value(0), 0.84009575285, 1e-9);
}

TEST(Conversion, UnitFactorsAndProteinClamp) {
  EXPECT_EQ(UnitFactor(NrcRecord()), 4.185);
  EnergyRecord r = DanishRecord();
  EXPECT_EQ(UnitFactor(r), 9.414);
  r.EnergiFaktor = 0.5;
  EXPECT_EQ(UnitFactor(r), 9.414 / 0.5);
  r.EnergiFaktor = 0;
  EXPECT_EQ(UnitFactor(r), 9.414);
  r.EnergiBasis = EnergiBasisType::DE;
  EXPECT_EQ(UnitFactor(r), 13.9);
  r.EnergiBasis = EnergiBasisType::ME;
  EXPECT_EQ(UnitFactor(r), 12.5);
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ProteinType = static_cast<TProteinBeregning>(3);
  EXPECT_EQ(list.ProteinTypeClamped(), TProteinBeregning::DCP);
}

}  // namespace
}  // namespace stallora
