// A single feed: its record form, the "Analyser" block, the dry-matter conversions, the
// status classification, the fingerprint and the two information pages.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/html_report.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::FeedsEnv;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Feed, NewFeedWritesItsDefaultsAndLeavesOutEmptyValues) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  const std::string text = RecordText(feed);
  for (const char* line :
       {"  Brand = 'Generic'\r\n", "  Fortype = 1\r\n", "  Valgt = False\r\n", "  Enhetsvekt = 20\r\n",
        "  TorrStoff = 85\r\n", "  KanIkkeEndres = False\r\n", "  KarotenRikt = False\r\n", "  Versjon = 2.17\r\n",
        "  KommersieltFor = False\r\n", "  Fornummer = 0\r\n", "  Origin = 0\r\n", "  Analyser = {}\r\n"})
    EXPECT_TRUE(Contains(text, line)) << line << "\n" << text;
  for (const char* name :
       {"Fornavn", "Pris", "TildeltKg", "StallBehov", "Beholdning", "UserText", "FeedURL", "Fordeling"})
    EXPECT_FALSE(Contains(text, std::string("  ") + name + " ")) << name << "\n" << text;
  // The extra property comes after every declared property.
  EXPECT_LT(text.find("Origin = 0"), text.find("Analyser"));
}

TEST(Feed, AnalyserBlockHasOneFixedWidthLinePerValue) {
  FeedsEnv comma(',');
  TFor feed(*comma.env);
  EXPECT_EQ(feed.WriteAnalyser(), "");
  feed.SetValue(0, 0);
  feed.SetValue(1, 12.5);
  feed.SetValue(2, 123456.789);
  feed.SetValue(3, 1234567.891);
  EXPECT_EQ(feed.WriteAnalyser(), "      0,000\r\n     12,500\r\n123456,789\r\n1234567,89\r\n");
  FeedsEnv stop('.');
  TFor other(*stop.env);
  other.ReadAnalyser(feed.WriteAnalyser());
  ASSERT_EQ(other.ValueCount(), 4);
  EXPECT_DOUBLE_EQ(other.Value(3), 1234567.89);  // cut to ten characters when it was stored
  EXPECT_EQ(other.WriteAnalyser(), "      0.000\r\n     12.500\r\n123456.789\r\n1234567.89\r\n");
}

// Ten columns cannot hold these; cutting them would store another number.
TEST(Feed, AnalyserValuesTooWideForTheColumnsAreWrittenWhole) {
  FeedsEnv comma(',');
  TFor feed(*comma.env);
  feed.SetValue(0, 3.3e51);
  feed.SetValue(1, -123456789.5);
  feed.SetValue(2, 9999999999.0);
  feed.SetValue(3, -99999999.0);
  const std::string block = feed.WriteAnalyser();
  EXPECT_EQ(block, "3,3E51\r\n-123456789,5\r\n9999999999\r\n-99999999,\r\n");
  FeedsEnv stop('.');
  TFor back(*stop.env);
  back.ReadAnalyser(block);
  EXPECT_DOUBLE_EQ(back.Value(0), 3.3e51);
  EXPECT_DOUBLE_EQ(back.Value(1), -123456789.5);
  EXPECT_DOUBLE_EQ(back.Value(2), 9999999999.0);
  EXPECT_DOUBLE_EQ(back.Value(3), -99999999.0);
}

TEST(Feed, TwentyFourValuesCrossDecimalSeparatorsBothWays) {
  FeedsEnv comma(','), stop('.');
  TFor a(*comma.env);
  for (int i = 0; i < 24; ++i) a.SetValue(i, i * 1.25 + 0.125);
  TFor b(*stop.env);
  b.ReadAnalyser(a.WriteAnalyser());
  TFor c(*comma.env);
  c.ReadAnalyser(b.WriteAnalyser());
  ASSERT_EQ(b.ValueCount(), 24);
  ASSERT_EQ(c.ValueCount(), 24);
  for (int i = 0; i < 24; ++i) {
    EXPECT_DOUBLE_EQ(b.Value(i), a.Value(i)) << i;
    EXPECT_DOUBLE_EQ(c.Value(i), a.Value(i)) << i;
  }
  EXPECT_EQ(c.WriteAnalyser(), a.WriteAnalyser());
}

TEST(Feed, AnalyserReaderTakesAnyLineEndAndKeepsThePlaceOfBadLines) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.ReadAnalyser("  1,5\r\n2.5\nabc\r  -3,25\r\n\r\n7");
  ASSERT_EQ(feed.ValueCount(), 6);
  EXPECT_DOUBLE_EQ(feed.Value(0), 1.5);
  EXPECT_DOUBLE_EQ(feed.Value(1), 2.5);
  EXPECT_DOUBLE_EQ(feed.Value(2), 0);  // not a number: the value 0 in its place
  EXPECT_DOUBLE_EQ(feed.Value(3), -3.25);
  EXPECT_DOUBLE_EQ(feed.Value(4), 0);  // an empty line is a value too
  EXPECT_DOUBLE_EQ(feed.Value(5), 7);
  feed.ReadAnalyser("");
  EXPECT_EQ(feed.ValueCount(), 0);
  feed.ReadAnalyser("inf\r\nnan\r\n1e400\r\n");
  ASSERT_EQ(feed.ValueCount(), 3);
  EXPECT_EQ(feed.Value(0), 0);
  EXPECT_EQ(feed.Value(1), 0);
  EXPECT_EQ(feed.Value(2), 0);
}

TEST(Feed, AnalyserLinesLongerThanANumberAndTheirCommas) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  // Only the first comma is the separator; a line of any length is read.
  feed.ReadAnalyser(std::string(100, ' ') + "4,75\r\n1,5,7\r\n+2,25" + std::string(80, ' ') + "\r\n" +
                    std::string(70, '9') + "\r\n");
  ASSERT_EQ(feed.ValueCount(), 4);
  EXPECT_DOUBLE_EQ(feed.Value(0), 4.75);
  EXPECT_DOUBLE_EQ(feed.Value(1), 1.5);
  EXPECT_DOUBLE_EQ(feed.Value(2), 2.25);
  EXPECT_DOUBLE_EQ(feed.Value(3), 1e70 - 1);
}

TEST(Feed, AnalysisArrayReadsZeroOutsideAndGrowsOnWrite) {
  TAnalyseArray a;
  EXPECT_EQ(a.Get(-1), 0);
  EXPECT_EQ(a.Get(0), 0);
  a.Set(3, 2.5);
  EXPECT_EQ(a.Count(), 4);
  EXPECT_EQ(a.Get(2), 0);
  a.Set(-1, 9);
  EXPECT_EQ(a.Count(), 4);
}

TEST(Feed, TwentyValuesReadAsTwentyAndThePageShowsZerosForTheRest) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  std::string bytes;
  for (int i = 0; i < 20; ++i) bytes += "      1,000\r\n";
  feed.ReadAnalyser(bytes);
  EXPECT_EQ(feed.ValueCount(), 20);
  for (int i = 20; i < 24; ++i) EXPECT_EQ(feed.Value(i), 0);
  const std::string page = feed.FeedInfoPage();
  // Row of nutrient 22 (niacin): the value 0 as FormatFixed(8, 2) writes it.
  EXPECT_TRUE(Contains(page, "<td Align=\"left\">Niacin</td><td Align=\"center\">     0,00</td>")) << page;
}

TEST(Feed, CloneCopiesTheFeedButNotItsUrlVersionOrMeals) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.Fornavn = "Hø";
  feed.Brand = "GENERIC";
  feed.Fornummer = 17;
  feed.Pris = 2.5;
  feed.Fortype = 6;
  feed.Valgt = true;
  feed.TildeltKg = 8;
  feed.StallBehov = 40;
  feed.Beholdning = 500;
  feed.Enhetsvekt = 18;
  feed.TorrStoff = 86;
  feed.KanIkkeEndres = true;
  feed.KarotenRikt = true;
  feed.Versjon = 2.05;
  feed.KommersieltFor = true;
  feed.Fordeling = {" 4,00", " 4,00"};
  feed.Origin = 45;
  feed.UserText = "tekst";
  feed.FeedURL = "https://example.dk/hoe";
  feed.MealKg[0] = 4;
  feed.UndistributedRemainder = 1;
  feed.SetValue(0, 0.5);
  feed.SetValue(23, 1.5);
  auto copy = feed.Clone();
  EXPECT_EQ(copy->FeedURL, "");
  EXPECT_EQ(copy->Versjon, 2.17);
  EXPECT_EQ(copy->MealKg[0], 0);
  EXPECT_EQ(copy->UndistributedRemainder, 0);
  // Everything else is the same: the copy writes as the original with its URL and version.
  feed.FeedURL.clear();
  feed.Versjon = 2.17;
  EXPECT_EQ(RecordText(*copy), RecordText(feed));
  EXPECT_TRUE(copy->SameFeed(feed));
}

TEST(Feed, SameFeedComparesNamePriceBrandDryMatterAndThisFeedsValues) {
  FeedsEnv fx;
  TFor a(*fx.env), b(*fx.env);
  a.Fornavn = b.Fornavn = "Havre";
  a.SetValue(0, 0.8);
  b.SetValue(0, 0.8);
  b.SetValue(5, 1.0);  // beyond a's values: not compared
  EXPECT_TRUE(a.SameFeed(b));
  EXPECT_FALSE(b.SameFeed(a));
  b.SetValue(5, 0);
  EXPECT_TRUE(b.SameFeed(a));  // a's missing value 5 reads as 0
  for (auto change : {+[](TFor& f) { f.Pris = 1; }, +[](TFor& f) { f.Brand = "X"; }, +[](TFor& f) { f.TorrStoff = 86; },
                      +[](TFor& f) { f.Fornavn = "havre"; }, +[](TFor& f) { f.SetValue(0, 0.81); }}) {
    TFor c(*fx.env);
    c.Fornavn = "Havre";
    c.SetValue(0, 0.8);
    change(c);
    EXPECT_FALSE(a.SameFeed(c));
  }
}

TEST(Feed, DryMatterConversionsRoundTripAndKeepTheRatio) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.TorrStoff = 80;
  feed.SetValue(0, 0.8);
  feed.SetValue(1, 60);
  feed.SetValue(3, 6);
  feed.SetValue(4, 2);
  feed.SetValue(6, 3);
  feed.ToDryMatterBasis();
  EXPECT_DOUBLE_EQ(feed.Value(0), 1.0);
  EXPECT_DOUBLE_EQ(feed.Value(1), 75);
  EXPECT_DOUBLE_EQ(feed.Value(3), 7.5);
  EXPECT_DOUBLE_EQ(feed.Value(6), 3);  // the ratio, not scaled
  feed.ToAsFedBasis();
  EXPECT_NEAR(feed.Value(0), 0.8, 1e-12);
  EXPECT_NEAR(feed.Value(1), 60, 1e-12);
  EXPECT_DOUBLE_EQ(feed.Value(6), 3);
  feed.TorrStoff = 0;  // nothing to convert with
  feed.ToDryMatterBasis();
  EXPECT_NEAR(feed.Value(0), 0.8, 1e-12);
  feed.ToAsFedBasis();
  EXPECT_NEAR(feed.Value(0), 0.8, 1e-12);
}

TEST(Feed, RatioIsZeroWithoutPositivePhosphorus) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.SetValue(3, 6);
  feed.SetValue(4, 2);
  feed.UpdateRatio();
  EXPECT_DOUBLE_EQ(feed.Value(6), 3);
  feed.SetValue(4, 0);
  feed.UpdateRatio();
  EXPECT_EQ(feed.Value(6), 0);
  feed.SetValue(4, -1);
  feed.UpdateRatio();
  EXPECT_EQ(feed.Value(6), 0);
  // A short analysis is not lengthened by a ratio of 0.
  TFor shortOne(*fx.env);
  shortOne.SetValue(0, 1);
  shortOne.UpdateRatio();
  EXPECT_EQ(shortOne.ValueCount(), 1);
  TFor none(*fx.env);
  none.ToDryMatterBasis();
  EXPECT_EQ(none.ValueCount(), 0);
}

TEST(Feed, HasAnalysisWantsAValueAboveZero) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  EXPECT_FALSE(feed.HasAnalysis());
  feed.SetValue(5, -1);
  feed.SetValue(2, 0);
  EXPECT_FALSE(feed.HasAnalysis());
  feed.SetValue(7, 0.001);
  EXPECT_TRUE(feed.HasAnalysis());
}

TEST(Feed, UndistributedAndDryMatterKg) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.TildeltKg = 5;
  feed.TorrStoff = 80;
  EXPECT_DOUBLE_EQ(feed.DryMatterKg(), 4);
  EXPECT_DOUBLE_EQ(feed.UndistributedKg(), 5);
  feed.Fordeling = {" 1,50", " 1.25", "0", "x", "1,5kg", ""};
  EXPECT_DOUBLE_EQ(feed.UndistributedKg(), 2.25);  // lines that are no numbers are skipped
}

TEST(Feed, StatusIconsFollowGroupOwnershipBrandAndAnalysis) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.Fortype = 7;
  EXPECT_EQ(feed.Brand, "Generic");
  EXPECT_EQ(feed.FeedStatusIcon(), 46);
  feed.SetValue(0, 1);
  EXPECT_EQ(feed.FeedStatusIcon(), 34);
  feed.Analyse.Clear();
  feed.Brand = "GENERIC";
  EXPECT_EQ(feed.FeedStatusIcon(), 27);
  feed.Fortype = 3;
  EXPECT_EQ(feed.FeedStatusIcon(), 31);
  feed.Brand = "Nordhavre";
  EXPECT_EQ(feed.FeedStatusIcon(), 31);
  // Groups: roughage 0, concentrate 1, supplement 2, group 11 3.
  struct Case {
    int category, own, generic, commercial;
  };
  for (Case c : {Case{0, 30, 26, 22}, Case{2, 30, 26, 22}, Case{6, -1, 26, 22}, Case{10, -1, 26, 22},
                 Case{4, 32, 28, 24}, Case{9, -1, 28, 24}, Case{8, -1, 27, 23}, Case{11, -1, 29, 25}}) {
    TFor f(*fx.env);
    f.Fortype = static_cast<TForkategorier>(c.category);
    if (c.own >= 0) {
      EXPECT_EQ(f.FeedStatusIcon(), c.own) << c.category;
      continue;
    }
    f.Brand = "GENERIC";
    EXPECT_EQ(f.FeedStatusIcon(), c.generic) << c.category;
    f.Brand = "Nordhavre";
    f.KommersieltFor = true;
    EXPECT_EQ(f.FeedStatusIcon(), c.commercial) << c.category;
  }
  TFor other(*fx.env);
  other.Fortype = 5;
  other.SetValue(0, 1);
  EXPECT_EQ(other.FeedStatusIcon(), kIconNoGroup);
  EXPECT_EQ(other.FeedStatusText(), "");
}

TEST(Feed, StatusTexts) {
  FeedsEnv fx;
  TFor f(*fx.env);
  f.Fortype = 9;
  f.KommersieltFor = true;
  EXPECT_EQ(f.FeedStatusText(), "Kommercielt foder - kan ikke \xE6ndres");
  f.Brand = "GENERIC";
  EXPECT_EQ(f.FeedStatusText(), "Almindeligt FODER - kan ikke \xE6ndres");
  f.Fortype = 1;
  EXPECT_EQ(f.FeedStatusText(), "Eget foder");
  f.Fortype = 7;
  f.Brand = "X";
  f.KommersieltFor = false;
  const std::string check =
      "Kontroller n\xE6ringsindholdet. Stallora tager ikke ansvaret for, at de indlagte analyser er rigtige";
  EXPECT_EQ(f.FeedStatusText(), check);  // icon 46
  f.SetValue(1, 1);
  EXPECT_EQ(f.FeedStatusText(), check);  // icon 34
}

TEST(Feed, FingerprintSumsCharactersValuesLinesAndAmounts) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.Fornavn = "Hay";
  const int32_t hay = feed.Fingerprint();
  EXPECT_EQ(hay, 'H' + 'a' + 'y');
  feed.Fornavn = "Hax";
  EXPECT_EQ(feed.Fingerprint(), hay - 1);
  feed.Fornavn = "Hya";
  EXPECT_EQ(feed.Fingerprint(), hay);
  feed.Fornavn = "";
  feed.SetValue(0, 1.239);               // 123
  feed.SetValue(1, -0.019);              // -1 (toward zero)
  feed.Fordeling = {"1"};                // 49
  feed.UserText = "abcd";                // 4
  feed.Pris = 2.5;                       // 250
  feed.TildeltKg = 0.333;                // 33
  feed.UndistributedRemainder = 0.0125;  // 12
  EXPECT_EQ(feed.Fingerprint(), 123 - 1 + 49 + 4 + 250 + 33 + 12);
  feed.Fornavn = "\xF8";  // a Windows-1252 letter counts as its byte value
  EXPECT_EQ(feed.Fingerprint(), 123 - 1 + 49 + 4 + 250 + 33 + 12 + 0xF8);
}

TEST(Feed, FingerprintWrapsAroundInsteadOfOverflowing) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.Pris = 21474836.47;  // x 100 = 2^31 - 1
  EXPECT_EQ(feed.Fingerprint(), INT32_MAX);
  feed.TildeltKg = 0.01;  // + 1 wraps
  EXPECT_EQ(feed.Fingerprint(), INT32_MIN);
  feed.TildeltKg = 0;
  feed.Pris = 42949672.96;  // x 100 = 2^32: wraps to 0
  EXPECT_EQ(feed.Fingerprint(), 0);
  feed.Pris = std::numeric_limits<double>::infinity();
  feed.SetValue(0, 1e300);
  feed.SetValue(1, std::nan(""));
  EXPECT_EQ(feed.Fingerprint(), static_cast<int32_t>(static_cast<uint32_t>(std::fmod(1e302, 4294967296.0))));
}

TEST(Feed, InfoPageShowsOneValueColumn) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.Fornavn = "Havre";
  feed.TorrStoff = 87;
  feed.SetValue(0, 0.84);
  feed.SetValue(3, 0.9);
  feed.SetValue(4, 3.3);
  feed.SetValue(15, 12345.6);
  feed.UpdateRatio();
  const std::string page = feed.FeedInfoPage();
  EXPECT_EQ(page.find(SimplePageHead()), 0u);
  EXPECT_TRUE(Contains(page, TitleBlockWithRule("Havre", "15-01-2025")));
  EXPECT_TRUE(Contains(page, TableFrameStart() + HeaderRowStart() +
                                 "<th width=\"60%\" align=\"left\">N\xE6ringsstof</th>"
                                 "<th width=\"20%\" align=\"center\"> </th><th width=\"20%\" align=\"center\"> </th>" +
                                 RowEnd() +
                                 "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">T\xF8rstof%</td>"
                                 "<td Align=\"center\">     87,0</td><td> </td></tr>"
                                 "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">Energi</td>"
                                 "<td Align=\"center\">     0,84</td><td Align=\"center\">fe/kg</td></tr>"))
      << page;
  // The ratio has no unit; vitamin A has no decimals.
  EXPECT_TRUE(Contains(page, "<td Align=\"left\">Ca/P</td><td Align=\"center\">     0,27</td><td> </td></tr>"));
  EXPECT_TRUE(Contains(page,
                       "<td Align=\"left\">Vitamin A</td><td Align=\"center\">    12346</td>"
                       "<td Align=\"center\">IE/kg</td></tr>"));
  EXPECT_EQ(page.size() - page.rfind(TableFrameEnd()), TableFrameEnd().size());  // no footer
  size_t rows = 0;
  for (size_t p = page.find("<tr bgcolor=\"#FFFFFF\">"); p != std::string::npos;
       p = page.find("<tr bgcolor=\"#FFFFFF\">", p + 1))
    ++rows;
  EXPECT_EQ(rows, 25u);
}

TEST(Feed, DryMatterPageAddsAColumnPerKgDryMatter) {
  FeedsEnv fx;
  TFor feed(*fx.env);
  feed.Fornavn = "Hø";
  feed.TorrStoff = 80;
  feed.SetValue(0, 0.48);
  feed.SetValue(3, 4);
  feed.SetValue(4, 2);
  feed.UpdateRatio();
  std::string page = feed.FeedInfoPageDM();
  EXPECT_TRUE(Contains(page,
                       "<th width=\"55%\" align=\"left\">N\xE6ringsstof</th>"
                       "<th width=\"15%\" align=\"center\">pr kg foder</th>"
                       "<th width=\"15%\" align=\"center\">per kg t\xF8rrstoff</th>"
                       "<th width=\"20%\" align=\"center\"> </th>"));
  EXPECT_TRUE(
      Contains(page, "<td Align=\"left\">T\xF8rstof%</td><td Align=\"center\">     80,0</td><td> </td><td> </td>"));
  EXPECT_TRUE(Contains(page,
                       "<td Align=\"left\">Energi</td><td Align=\"center\">     0,48</td>"
                       "<td Align=\"center\">     0,60</td><td Align=\"center\">fe/kg</td>"));
  // The ratio is the same on both bases.
  EXPECT_TRUE(Contains(page,
                       "<td Align=\"left\">Ca/P</td><td Align=\"center\">     2,00</td>"
                       "<td Align=\"center\">     2,00</td><td> </td>"));
  feed.TorrStoff = 0;
  page = feed.FeedInfoPageDM();
  EXPECT_TRUE(Contains(page,
                       "<td Align=\"left\">Energi</td><td Align=\"center\">     0,48</td><td> </td>"
                       "<td Align=\"center\">fe/kg</td>"));
}

TEST(FeedCategories, SetsAreTheFixedOnes) {
  std::string roughage, grazing, concentrate, supplement, own;
  for (int c = 0; c <= 11; ++c) {
    if (IsRoughageCategory(c)) roughage += std::to_string(c) + " ";
    if (IsGrazingCategory(c)) grazing += std::to_string(c) + " ";
    if (IsConcentrateCategory(c)) concentrate += std::to_string(c) + " ";
    if (IsSupplementCategory(c)) supplement += std::to_string(c) + " ";
    if (IsOwnFeedCategory(c)) own += std::to_string(c) + " ";
  }
  EXPECT_EQ(roughage, "0 1 2 6 10 ");
  EXPECT_EQ(grazing, "0 10 ");
  EXPECT_EQ(concentrate, "3 7 8 ");
  EXPECT_EQ(supplement, "4 9 ");
  EXPECT_EQ(own, "0 1 2 3 4 ");
  EXPECT_EQ(CategoryGroupOffset(5), -1);
  EXPECT_TRUE(InCategorySet(FeedCategorySet::Group11, 11));
  EXPECT_FALSE(InCategorySet(FeedCategorySet::OwnRoughage, 3));
}

TEST(FeedCategories, ReadDecimalWantsTheWholeText) {
  EXPECT_EQ(ReadDecimal(" 1,5 "), 1.5);
  EXPECT_EQ(ReadDecimal("+2.25"), 2.25);
  EXPECT_EQ(ReadDecimal("-3"), -3);
  EXPECT_FALSE(ReadDecimal("1,5kg"));
  EXPECT_FALSE(ReadDecimal(""));
  EXPECT_FALSE(ReadDecimal("inf"));
  EXPECT_FALSE(ReadDecimal("1,5,0"));
}

}  // namespace
}  // namespace stallora
