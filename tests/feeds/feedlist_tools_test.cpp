// Whole-list work of the feed list window: typed numbers, copying with the duplicate check
// and the energy conversion, the comparison table, moving feeds, brand lists, the save-as
// copy and the signature that notices edits.

#include "feeds/feedlist_tools.h"

#include <gtest/gtest.h>

#include "core/cp1252.h"

#include <fstream>

#include "core/html_report.h"
#include "feeds/guarantee.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

// Texts in the library's Windows-1252, from this file's UTF-8.
std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

using testing::DanishRecord;
using testing::FeedsEnv;
using testing::NrcRecord;

TFor& Add(TForListe& list, const std::string& name, int category = 1, std::string brand = "GENERIC") {
  auto feed = std::make_unique<TFor>(*list.env);
  feed->Fornavn = name;
  feed->Fortype = static_cast<TForkategorier>(category);
  feed->Brand = std::move(brand);
  return list.AddFeed(std::move(feed));
}

std::vector<std::string> Names(const TForListe& l) { return l.FeedNames(); }

TEST(TypedNumbers, OnlyTheRegionalSeparatorIsADecimalPoint) {
  EXPECT_EQ(ParseRegionalNumber("12,5", ','), 12.5);
  EXPECT_EQ(ParseRegionalNumber("  -3 ", ','), -3);
  EXPECT_EQ(ParseRegionalNumber(",5", ','), 0.5);
  EXPECT_EQ(ParseRegionalNumber("7,", ','), 7);
  EXPECT_EQ(ParseRegionalNumber("-0", ','), 0);
  EXPECT_EQ(ParseRegionalNumber("12.5", '.'), 12.5);
  // A full stop where the comma is the separator would be a thousands separator there.
  EXPECT_FALSE(ParseRegionalNumber("12.5", ','));
  EXPECT_FALSE(ParseRegionalNumber("12,5", '.'));
  for (const char* bad : {"", " ", ",", "-", "1,2,3", "1e5", "inf", "nan", "12 kg", "0x10", "1 000"})
    EXPECT_FALSE(ParseRegionalNumber(bad, ',')) << bad;
}

TEST(TypedNumbers, RefusalsNameTheFieldAndTheText) {
  std::string error;
  EXPECT_EQ(ParseAmount("Calcium", " 7,25 ", ',', &error), 7.25);
  EXPECT_TRUE(error.empty());
  EXPECT_FALSE(ParseAmount("Calcium", "7.25", ',', &error));
  EXPECT_EQ(error, "Calcium: \"7.25\" er ikke et tal. Brug decimaltegnet ,");
  EXPECT_FALSE(ParseAmount("Foderpris kr/kg", "-2", ',', &error));
  EXPECT_EQ(error, C("Foderpris kr/kg: -2 kan ikke være negativ"));
  EXPECT_FALSE(ParseAmount(C("Tørstof%"), "101", ',', &error, AmountRule{100}));
  EXPECT_EQ(error, C("Tørstof%: 101 kan højst være 100"));
  EXPECT_EQ(ParseAmount(C("Tørstof%"), "100", ',', &error, AmountRule{100}), 100);
}

TEST(TypedNumbers, ShownNumbersKeepWhatWasTyped) {
  EXPECT_EQ(ShownNumber(12.5, 1, 3, ','), "12,5");
  EXPECT_EQ(ShownNumber(12, 1, 3, ','), "12,0");
  EXPECT_EQ(ShownNumber(1500, 0, 3, ','), "1500");
  EXPECT_EQ(ShownNumber(12.345, 2, 3, '.'), "12.345");
  EXPECT_EQ(ShownNumber(1234.5678, 2, 3, ','), "1234,568");
  EXPECT_EQ(ShownNumber(-0.0001, 0, 3, ','), "0");
  EXPECT_EQ(ShownNumber(3.5, 2, 4, ','), "3,50");
}

// A donor with two feeds, one of which the target has: one is added (unpicked), the other
// is listed as a duplicate and the target's own feed stays as it was. The donor's picks
// are not touched.
TEST(CopyFeeds, DuplicatesAreListedNotCopied) {
  FeedsEnv fx;
  TForListe target(*fx.env), donor(*fx.env);
  Add(target, "Havre").SetValue(0, 1.0);
  Add(donor, "Havre").SetValue(0, 9.0);
  TFor& hay = Add(donor, C("Hø"), 6);
  hay.SetValue(0, 0.5);
  hay.Valgt = true;
  const CopyFeedsResult r = CopyFeeds(target, donor, {0, 1, 1});
  EXPECT_EQ(r.added, 1);
  EXPECT_EQ(r.duplicates, (std::vector<std::string>{"Havre"}));
  EXPECT_EQ(Names(target), (std::vector<std::string>{"Havre", C("Hø")}));
  EXPECT_EQ(target.FeedAt(0)->Value(0), 1.0);
  EXPECT_EQ(target.FeedAt(1)->Value(0), 0.5);  // same system: unchanged
  EXPECT_FALSE(target.FeedAt(1)->Valgt);
  EXPECT_TRUE(donor.FeedAt(1)->Valgt);
}

// From an NRC 2007 list (DE, MCal, crude protein) into the Danish system (NE, feed units,
// digestible protein): energy and protein come over as converting the donor list gives them.
TEST(CopyFeeds, AnotherEnergySystemIsConverted) {
  FeedsEnv fx;
  TForListe target(*fx.env), donor(*fx.env);
  donor.SetEnergyRecord(NrcRecord());
  TFor& oats = Add(donor, "Havre", 7);
  oats.TorrStoff = 88;
  oats.SetValue(0, 3.1);
  oats.SetValue(1, 110);
  oats.SetValue(3, 0.9);
  TFor& hay = Add(donor, C("Hø"), 1);
  hay.SetValue(0, 2.0);
  hay.SetValue(1, 90);
  ASSERT_EQ(CopyFeeds(target, donor, {0, 1}).added, 2);
  auto expected = donor.CopyList(false, ListOwnerKind::Workspace);
  ASSERT_TRUE(expected->ConvertAllTo(DanishRecord(), TProteinBeregning::DCP));
  for (int i = 0; i < 2; ++i) {
    EXPECT_NEAR(target.FeedAt(i)->Value(0), expected->FeedAt(i)->Value(0), 1e-9);
    EXPECT_NEAR(target.FeedAt(i)->Value(1), expected->FeedAt(i)->Value(1), 1e-9);
    EXPECT_NE(target.FeedAt(i)->Value(0), donor.FeedAt(i)->Value(0));
  }
  EXPECT_NEAR(target.FeedAt(0)->Value(3), 0.9, 1e-12);
}

TEST(CopyFeeds, ARefusedConversionAddsNothing) {
  FeedsEnv fx;
  TForListe target(*fx.env), donor(*fx.env);
  EnergyRecord broken = DanishRecord();
  broken.EnergiFaktor = 0;
  broken.EnergiBeregning = TEnergiBeregning::nrc2007;
  donor.SetEnergyRecord(broken);
  Add(donor, "Havre").SetValue(0, 1);
  const CopyFeedsResult r = CopyFeeds(target, donor, {0});
  EXPECT_EQ(r.added, 0);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(target.Count(), 0);
}

TEST(CopyFeeds, OverwritingADuplicateTakesValuesAndPriceOnly) {
  FeedsEnv fx;
  TForListe target(*fx.env), donor(*fx.env);
  TFor& mine = Add(target, "Havre", 3, "EGEN");
  mine.Versjon = 1.5;
  mine.TorrStoff = 80;
  mine.SetValue(0, 1);
  TFor& theirs = Add(donor, "Havre", 7, "GENERIC");
  theirs.Pris = 4.5;
  theirs.TorrStoff = 88;
  theirs.SetValue(0, 1.2);
  theirs.SetValue(23, 7);
  ASSERT_TRUE(OverwriteDuplicate(target, donor, "Havre"));
  EXPECT_EQ(mine.Value(0), 1.2);
  EXPECT_EQ(mine.Value(23), 7);
  EXPECT_EQ(mine.ValueCount(), 24);
  EXPECT_EQ(mine.Pris, 4.5);
  EXPECT_EQ(mine.Versjon, kProgramVersion);
  EXPECT_EQ(mine.Fortype, 3);
  EXPECT_EQ(mine.Brand, "EGEN");
  EXPECT_EQ(mine.TorrStoff, 80);
  EXPECT_FALSE(OverwriteDuplicate(target, donor, "Byg"));
}

TEST(CopyFeeds, GroupsFollowTheCategorySets) {
  FeedsEnv fx;
  TForListe l(*fx.env);
  for (int c : {9, 0, 2, 10, 7, 3, 4, 5, 11}) Add(l, "f" + std::to_string(c), c);
  EXPECT_EQ(FeedIndicesInGroup(l, 1), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(FeedIndicesInGroup(l, 3), (std::vector<int>{4, 5}));
  EXPECT_EQ(FeedIndicesInGroup(l, 4), (std::vector<int>{0, 6}));
}

// Checked by hand against the table the compare page writes: "Foder", the nutrient names
// (the list's protein name for index 1, "Ca/P" for 6), FormatFixed(8, 2) with the unit,
// no unit for the ratio, the list's energy unit for energy.
TEST(Comparison, TableRowsAndUnits) {
  FeedsEnv fx;
  TForListe comparison(*fx.env), shown(*fx.env);
  TFor& a = Add(comparison, "Havre");
  a.SetValue(0, 0.95);
  a.SetValue(1, 85);
  a.SetValue(3, 0.8);
  a.SetValue(4, 3.2);
  a.UpdateRatio();
  Add(comparison, C("Hø & strå")).SetValue(0, 0.5);
  const std::string protein = fx.settings.ProteinTypeName(TProteinBeregning::DCP);
  const std::string table = ComparisonTable(comparison, {0, 1, 6}, shown);
  const std::string expected =
      SimplePageHead() + TableFrameStart() + "<tr bgcolor=\"#CCFFCC\" align=\"center\"><td align=\"left\">Foder</td>" +
      "<td align=\"center\">Energi</td><td align=\"center\">" + protein + "</td><td>Ca/P</td></tr>" +
      "<tr bgcolor=\"#FFFFFF\" align=\"left\"><td>Havre</td><td align=\"center\">     0,95 fe</td>" +
      "<td align=\"center\">    85,00 g</td><td align=\"center\">     0,25</td></tr>" +
      C("<tr bgcolor=\"#FFFFFF\" align=\"left\"><td>Hø &amp; strå</td><td align=\"center\">     0,50 fe</td>") +
      "<td align=\"center\">     0,00 g</td><td align=\"center\">     0,00</td></tr>" + TableFrameEnd();
  EXPECT_EQ(table, expected);
  shown.EnergiEnhet = EnergiEnhetstype::MJ;
  EXPECT_NE(ComparisonTable(comparison, {0}, shown).find("0,95 MJ"), std::string::npos);
}

TEST(Order, MovingStopsAtTheEnds) {
  FeedsEnv fx;
  TForListe l(*fx.env);
  for (const char* n : {"A", "B", "C"}) Add(l, n);
  EXPECT_EQ(MoveFeed(l, 0, true), 0);
  EXPECT_EQ(MoveFeed(l, 2, false), 2);
  EXPECT_EQ(Names(l), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(MoveFeed(l, 2, true), 1);
  EXPECT_EQ(Names(l), (std::vector<std::string>{"A", "C", "B"}));
  EXPECT_EQ(MoveFeed(l, 0, false), 1);
  EXPECT_EQ(Names(l), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(MoveFeed(l, 7, true), 7);
}

TEST(Brands, PickingComparesInCapitals) {
  FeedsEnv fx;
  TForListe l(*fx.env);
  Add(l, "A", 7, C("Havre Mølle"));
  Add(l, "B", 7, C("HAVRE MØLLE"));
  Add(l, "C", 7, "GENERIC");
  Add(l, "D", 7, "");
  EXPECT_EQ(PickBrandIgnoringCase(l, C("havre mølle")), 2);
  EXPECT_TRUE(l.FeedAt(0)->Valgt && l.FeedAt(1)->Valgt && !l.FeedAt(2)->Valgt);
  // The tree's node "Almindeligt FODER" stands for the generic mark (and for no brand).
  EXPECT_EQ(PickShownBrand(l, "Almindeligt FODER"), 2);
  EXPECT_TRUE(l.FeedAt(2)->Valgt && l.FeedAt(3)->Valgt && !l.FeedAt(0)->Valgt);
  EXPECT_TRUE(IsBrandNode(l, C("HAVRE MØLLE")));
  EXPECT_FALSE(IsBrandNode(l, "Kraftfoder"));
}

TEST(SavingAs, ProposalAndTheCopy) {
  FeedsEnv fx;
  std::filesystem::create_directories(fx.FeedDir());
  EXPECT_EQ(ProposedListName(fx.FeedDir()), "Minfoderliste1");
  std::ofstream(fx.FeedDir() / "Minfoderliste1.eqf") << "x";
  EXPECT_EQ(ProposedListName(fx.FeedDir()), "Minfoderliste2");
  TForListe g(*fx.env);
  g.ErGarantiForliste = true;
  g.GarantiForlisteVersjon = 12;
  g.Versjon = 1.9;
  g.EndretDato = 100;
  Add(g, "Havre").Valgt = true;
  auto copy = SaveAsCopy(g, "Egen");
  EXPECT_EQ(copy->ForlisteNavn, "Egen");
  EXPECT_FALSE(IsGuaranteeList(*copy));
  EXPECT_EQ(copy->GarantiForlisteVersjon, 0);
  EXPECT_EQ(copy->Versjon, kProgramVersion);
  EXPECT_EQ(copy->EndretDato, fx.env->Today());
  EXPECT_EQ(copy->Versjonstekst, "15-01-2025");
  EXPECT_EQ(copy->Count(), 1);
  auto brand = BrandListCopy(g, C("HAVRE MØLLE"));
  EXPECT_EQ(brand->ForlisteNavn, C("HAVRE MØLLE"));
  EXPECT_EQ(brand->Count(), 1);
  EXPECT_FALSE(brand->FeedAt(0)->Valgt);
}

// Edits the fingerprint cannot see change the signature; picks and the changed date do not.
TEST(Signature, EveryEditButPicks) {
  FeedsEnv fx;
  TForListe l(*fx.env);
  TFor& f = Add(l, "Hay");
  const uint64_t start = ContentSignature(l);
  f.Valgt = true;
  l.EndretDato += 3;
  EXPECT_EQ(ContentSignature(l), start);
  f.Fornavn = "Hya";
  EXPECT_EQ(l.Fingerprint(), [&] {
    TForListe m(*fx.env);
    Add(m, "Hay");
    return m.Fingerprint();
  }());
  EXPECT_NE(ContentSignature(l), start);
  f.Fornavn = "Hay";
  EXPECT_EQ(ContentSignature(l), start);
  f.Fortype = 7;
  EXPECT_NE(ContentSignature(l), start);
  f.Fortype = 1;
  f.TorrStoff = 90;
  EXPECT_NE(ContentSignature(l), start);
}

}  // namespace
}  // namespace stallora
