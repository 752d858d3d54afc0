#include "stable/stable_reports.h"

#include <gtest/gtest.h>

#include "../ration/report_fixture.h"
#include "core/cp1252.h"
#include "core/textutil.h"

namespace stallora {
namespace {

using testing::ExpectGolden;
using testing::ReadBytes;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class StableReportsTest : public testing::ReportTest {
 protected:
  std::unique_ptr<TStall> Stable(bool withHorses = true) {
    auto s = std::make_unique<TStall>(*env_);
    s->stallNavn = "Min stald1";
    s->StallNoMeals = 3;
    s->SFTider = {"25200", "43200", "64800"};
    for (auto [name, category] : {std::pair<const char*, int>{"H\xF8 1. sl\xE6t", 1}, {"Havre", 3}, {"Gr\xE6s", 0}}) {
      TFor& f = s->ForListe->AddFeed(std::make_unique<TFor>(*env_));
      f.Fornavn = name;
      f.Fortype = static_cast<uint8_t>(category);
    }
    if (!withHorses) return s;
    s->AddHorse(Blakken());
    auto young = std::make_unique<THest>(*env_);
    young->Navn = "Stjerne";
    young->EierNavn = "Ida";
    young->Kategori = TDyreKategori::Ungdyr;
    young->Fodselsdato = EncodeDate(2026, 4, 1);
    young->VektListe->LeggTil(230, today());
    young->VektListe->LeggTil(240, today());
    young->ForListe->EndretDato = EncodeDate(2026, 12, 7);
    Feed(*young, "H\xF8 1. sl\xE6t", 1, 4, 0, {}).Fordeling = {"2", "2"};  // one meal line short
    Feed(*young, "F\xF8l-mix", 7, 2, 0, {}).Fordeling = {"1,00", "x", "1.00"};
    Feed(*young, "Gr\xE6s", 0, 10, 0, {}, 20);
    s->AddHorse(std::move(young));
    return s;
  }
};

TEST_F(StableReportsTest, FileNamesAndSaving) {
  auto s = Stable();
  env_->regional.shortDateFormat = "dd.mm.yyyy";
  EXPECT_EQ(ReportFileName(*s, kFeedRequirementReport), "31Foderbehov i stalden_Min stald1_08122026.htm");
  EXPECT_EQ(ReportFileName(*s, 7), "37Other_Min stald1_08122026.htm");
  env_->regional.shortDateFormat = "dd/mm/yyyy";
  EXPECT_EQ(ReportFileName(*s, kHorseOverviewReport), "30Info_Min stald1_08122026.htm");
  const std::filesystem::path path = ReportFilePath(*s, kRationComparisonReport);
  EXPECT_EQ(path, dir_ / "Save" / "Min stald1" / "33Sammenstilning af rationer_Min stald1_08122026.htm");
  EXPECT_TRUE(std::filesystem::is_directory(path.parent_path()));

  ASSERT_TRUE(SaveReport(*s, kHorseOverviewReport));
  EXPECT_EQ(ReadBytes(ReportFilePath(*s, kHorseOverviewReport)), HorseOverviewReport(*s) + "\r\n");
  ASSERT_TRUE(SaveReport(*s, 7));
  EXPECT_EQ(std::filesystem::file_size(ReportFilePath(*s, 7)), 0u);
  prefs_.ActiveSaveDirectory = (dir_ / "Save" / "Min stald1" / "30Info_Min stald1_08122026.htm").string();
  std::string error;
  EXPECT_FALSE(SaveReport(*s, kHorseOverviewReport, &error));
  EXPECT_EQ(error.rfind("Cannot create file ", 0), 0u) << error;
}

TEST_F(StableReportsTest, GoldenReports) {
  auto s = Stable();
  ExpectGolden(HorseOverviewReport(*s), "stable_overview.htm");
  ExpectGolden(FeedRequirementReport(*s), "stable_requirement.htm");
  ExpectGolden(RationAllocationReport(*s), "stable_allocation.htm");
  ExpectGolden(RationComparisonReport(*s), "stable_comparison.htm");
  ExpectGolden(TreatmentListReport(*s), "stable_treatments.htm");
}

TEST_F(StableReportsTest, AStableWithoutHorses) {
  auto s = Stable(false);
  for (const std::string& r : {HorseOverviewReport(*s), FeedRequirementReport(*s), TreatmentListReport(*s)}) {
    EXPECT_TRUE(Has(r, TableFrameStart()));
    EXPECT_TRUE(Has(r, TableFrameEnd()));
    EXPECT_TRUE(Has(r, "</body></html>\n\r"));
  }
  EXPECT_TRUE(Has(TreatmentListReport(*s), "<br>Min stald1: 0 Behandlinger planlagt frem til  15-12-2026<br>\n\r"));
  for (const std::string& r : {RationAllocationReport(*s), RationComparisonReport(*s)}) {
    const std::string end = "<br><br>" + StartAnchor() + "\n\r";
    ASSERT_GE(r.size(), end.size());
    EXPECT_EQ(r.substr(r.size() - end.size()), end);
    EXPECT_TRUE(Has(r, "<font face=\"Arial\" size =\"2\"><b>Udarbejdet 08-12-2026\n\r"));
  }
}

TEST_F(StableReportsTest, HorsesWithoutFeedsHaveAnEmptyComparison) {
  auto s = Stable();
  for (const auto& h : s->Horses()) h->ForListe->Clear();
  const std::string r = RationComparisonReport(*s);
  EXPECT_FALSE(Has(r, TableFrameStart()));
  EXPECT_FALSE(Has(r, "<hr><br>"));
  EXPECT_TRUE(Has(r, StartAnchor() + "\n\r" + TableFrameEnd() + "\n\r<br><br>\n\r<hr><Table"));
  EXPECT_TRUE(Has(r, "</body></html>\n\r"));
}

TEST_F(StableReportsTest, AllocationShowsEveryRationFeedAndTheHorsesOwnLines) {
  auto s = Stable();
  s->SFTider.pop_back();  // fewer time lines than meals
  const std::string r = RationAllocationReport(*s);
  // The foal mix is no feed of the stable: it joins the stable's list and every table.
  TFor* added = s->ForListe->FeedByName("F\xF8l-mix");
  ASSERT_TRUE(added);
  EXPECT_EQ(added->Fordeling, (StringList{"0", "0", "0"}));
  EXPECT_EQ(Count(r, "<th align=\"center\">F\xF8l-mix</th>"), 3u);
  EXPECT_TRUE(Has(r, "<th align=\"center\">fodring 07:00</th>"));
  EXPECT_TRUE(Has(r, "<th align=\"center\">fodring </th>"));  // the third meal has no time line
  for (const auto& f : s->ForListe->Feeds()) EXPECT_FALSE(f->Valgt);  // all unpicked again
  // Stjerne's own lines: 1,00 then unreadable "x" then "1.00"; hay has only two lines.
  const size_t first = r.find("<td>Stjerne</td>");
  const size_t second = r.find("<td>Stjerne</td>", first + 1);
  const size_t third = r.find("<td>Stjerne</td>", second + 1);
  ASSERT_NE(third, std::string::npos);
  auto row = [&](size_t at) { return r.substr(at, r.find("</tr>", at) - at); };
  EXPECT_EQ(Count(row(first), "<td align"), 4u);
  EXPECT_TRUE(Has(row(first), " 1,00 kg </td>"));
  EXPECT_TRUE(Has(row(second), "<td align=\"center\">-</td>\n\r<td align=\"center\">-</td>"));
  EXPECT_EQ(Count(row(third), "<td align"), 3u);  // no cell for the hay: the row is shorter
  EXPECT_TRUE(Has(row(third), " 1,00 kg </td>"));
  // Blakken's mineral in grams; its "0" line shows "-".
  EXPECT_TRUE(Has(r, "<td align=\"center\">   50 g </td>"));
  const size_t blakken2 = r.find("<td>Blakken</td>", r.find("<td>Blakken</td>") + 1);
  EXPECT_TRUE(Has(row(blakken2), "<td align=\"center\">-</td>"));
}

TEST_F(StableReportsTest, UndistributedAmounts) {
  auto s = Stable();
  const std::string r = RationAllocationReport(*s);
  ASSERT_TRUE(Has(r, "<th align=\"left\">Foder er ikke fordelt</th>"));
  const std::string rest = r.substr(r.find("Foder er ikke fordelt"));
  // Stjerne's hay: 4 kg less 2 + 2 given; foal mix 2 less 1 + 1; grass 10 kg not given.
  EXPECT_TRUE(Has(rest, "<th align=\"center\">Gr\xE6s</th>"));
  EXPECT_FALSE(Has(rest, "<th align=\"center\">H\xF8 1. sl\xE6t</th>"));
  EXPECT_TRUE(Has(rest, "<td>Stjerne</td>"));
  EXPECT_TRUE(Has(rest, "<td align=\"center\">" + FormatFixed(5, 3, 10, ',') + " kg </td>"));
}

TEST_F(StableReportsTest, ComparisonAndRequirementAmounts) {
  auto s = Stable();
  s->HorseAt(1)->ForListe->FeedAt(0)->TildeltKg = 7.5;
  const std::string comparison = RationComparisonReport(*s);
  EXPECT_TRUE(Has(comparison, "<td align=\"center\">" + FormatFixed(5, 3, 7.5, ',') + " kg </td>"));
  EXPECT_TRUE(Has(comparison, "<td align=\"center\">" + FormatFixed(4, 0, 50, ',') + " g </td>"));
  const std::string need = FeedRequirementReport(*s);
  EXPECT_FALSE(Has(need, "Gr\xE6s"));  // grazing feeds never
  const std::string cell = "<td align=\"center\"><font face=\"Arial\" size=\"2\">";
  EXPECT_TRUE(Has(need, cell + "   16,5</font></td>"));  // 9 + 7.5 kg of hay a day
  EXPECT_TRUE(Has(need, cell + "  495,0</font></td>"));  // a month
}

TEST_F(StableReportsTest, TreatmentListColumns) {
  auto s = Stable();
  const std::string r = TreatmentListReport(*s);
  EXPECT_TRUE(Has(r, "<font face=\"Arial\" size =\"2\"><b>Behandlinger planlagt frem til  15-12-2026\n\r"));
  // Shoe, worm, vaccination, vet, own, ban: the shoeing is not due within 7 days.
  EXPECT_TRUE(Has(r, "<td>Blakken</td>\n\r<td align=\"center\">-</td>\n\r<td align=\"center\">01-12-2026</td>\n\r"
                     "<td align=\"center\">-</td>\n\r<td align=\"center\">-</td>\n\r<td align=\"center\">-</td>\n\r"
                     "<td align=\"center\">20-12-2026</td>\n\r</tr>"));
  EXPECT_FALSE(Has(r, "Stjerne"));  // nothing to report
  EXPECT_FALSE(Has(r, ": 0 Behandlinger"));
}

TEST_F(StableReportsTest, StableTextIsEscaped) {
  auto s = Stable();
  s->stallNavn = "Nord & Syd";
  s->HorseAt(0)->EierNavn = "<Ejer>";
  const std::string r = HorseOverviewReport(*s);
  EXPECT_TRUE(Has(r, "<b>Nord &amp; Syd</td>"));
  EXPECT_TRUE(Has(r, "<td align=\"center\">&lt;Ejer&gt;</td>"));
}

}  // namespace
}  // namespace stallora
