#include "nutrition/treatment_reports.h"

#include <gtest/gtest.h>

#include "../ration/report_fixture.h"
#include "core/cp1252.h"

namespace stallora {
namespace {

using testing::ExpectGolden;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class TreatmentReportsTest : public testing::ReportTest {
 protected:
  TTreatmentObj& Add(TTreatmentList& list, TTreatmentType type, const std::string& name, DayNumber planned,
                     DayNumber done = 0, DayNumber okToStart = 0) {
    TTreatmentObj& t = list.AddNew();
    t.TreatmentType = type;
    t.TreatmentName = name;
    t.PlannedDate = planned;
    if (done != 0) t.DoneDate = done;
    if (okToStart != 0) t.OKToStartDate = okToStart;  // else today: no ban
    return t;
  }
  std::vector<std::string> Texts(const TreatmentTree& tree, const std::vector<int>& nodes) {
    std::vector<std::string> out;
    for (int n : nodes) out.push_back(tree.nodes[static_cast<size_t>(n)].text);
    return out;
  }
};

TEST_F(TreatmentReportsTest, TreeByTypeKeepsNewestPlanFirst) {
  TTreatmentList list(*env_);
  const DayNumber d = today();
  Add(list, TTreatmentType::Worm, "A", d + 30);
  Add(list, TTreatmentType::Worm, "B", d + 60);
  Add(list, TTreatmentType::Worm, "C", d + 30);  // same date as A: comes before it
  Add(list, TTreatmentType::Vet, "D", d - 3);
  Add(list, TTreatmentType::Shoe, "E", d - 20, d - 19);
  const TreatmentTree tree = BuildTree(list, true, "Blakken");
  ASSERT_EQ(tree.nodes[0].children.size(), 6u);
  EXPECT_EQ(tree.nodes[0].text, "Blakken");
  EXPECT_EQ(tree.nodes[0].icon, TreatmentIcon::Horse);
  EXPECT_EQ(Texts(tree, tree.nodes[0].children),
            (std::vector<std::string>{"Veterin\xE6rbehandling", "Ormekur", "Vaccination", "Beslagsmed", "Reproduktion",
                                      "\xD8vrige behandlinger"}));
  const auto& worm = tree.nodes[static_cast<size_t>(tree.nodes[0].children[1])];
  EXPECT_EQ(worm.icon, TreatmentIcon::Worm);
  EXPECT_EQ(Texts(tree, worm.children),
            (std::vector<std::string>{"06-02-2027: B", "07-01-2027: C", "07-01-2027: A"}));
  EXPECT_EQ(tree.nodes[static_cast<size_t>(worm.children[0])].level, 2);
  EXPECT_EQ(tree.nodes[static_cast<size_t>(worm.children[0])].icon, TreatmentIcon::PlannedLater);
  EXPECT_EQ(tree.nodes[static_cast<size_t>(tree.NodeOf(list.Items(3)))].icon, TreatmentIcon::Overdue);
  EXPECT_EQ(tree.nodes[static_cast<size_t>(tree.NodeOf(list.Items(4)))].icon, TreatmentIcon::None);  // done
  EXPECT_EQ(tree.NodeWithCaption("07-01-2027: A"), tree.NodeOf(list.Items(0)));
  EXPECT_EQ(tree.banNode, -1);
  // Display order: each type node followed by its treatments.
  const std::vector<int> order = tree.TreeOrder();
  ASSERT_EQ(order.size(), 12u);
  EXPECT_EQ(tree.nodes[static_cast<size_t>(order[2])].text, "05-12-2026: D");
  EXPECT_EQ(tree.nodes[static_cast<size_t>(order[3])].text, "Ormekur");
}

TEST_F(TreatmentReportsTest, TreeByDateAndTheBanInBothModes) {
  TTreatmentList list(*env_);
  const DayNumber d = today();
  Add(list, TTreatmentType::Vacc, "Influenza", d - 5, d - 5, d + 10);
  Add(list, TTreatmentType::Vet, "Halthed", d - 2, d - 2, d + 20);
  Add(list, TTreatmentType::Worm, "Orm", d + 3);
  for (bool byType : {false, true}) {
    list.HorseOKToStartDate = 0;
    const TreatmentTree tree = BuildTree(list, byType);
    EXPECT_EQ(list.HorseOKToStartDate, d + 20);
    ASSERT_GE(tree.banNode, 0);
    EXPECT_EQ(tree.nodes[static_cast<size_t>(tree.banNode)].treatment, list.Items(1));
    EXPECT_EQ(tree.nodes[static_cast<size_t>(tree.banNode)].icon, TreatmentIcon::Ban);
    EXPECT_EQ(list.BanTreatment(), list.Items(1));
    if (!byType) {
      EXPECT_EQ(Texts(tree, tree.nodes[0].children),
                (std::vector<std::string>{"11-12-2026: Orm", "06-12-2026: Halthed", "03-12-2026: Influenza"}));
    }
  }
  // The bans run out: nothing marks the horse any more, in either mode.
  list.Items(0)->OKToStartDate = d - 1;
  list.Items(1)->OKToStartDate = d;
  for (bool byType : {false, true}) {
    list.HorseOKToStartDate = d + 20;
    const TreatmentTree tree = BuildTree(list, byType);
    EXPECT_EQ(list.HorseOKToStartDate, 0);
    EXPECT_EQ(tree.banNode, -1);
    EXPECT_FALSE(list.IsBanned());
  }
}

TEST_F(TreatmentReportsTest, SingleReportOfDoneAndPlannedTreatments) {
  auto h = Blakken();
  const TTreatmentList& list = *h->TreatmentListe;
  const std::string done = SingleReport(*list.Items(0), h.get());
  EXPECT_TRUE(Has(done, "<b>Blakken</td>"));
  EXPECT_TRUE(Has(done, "<b>Vaccination (Influenza), udf\xF8rt 26-11-2026</td>"));
  EXPECT_TRUE(Has(done, "<strong>Omkostninger  450,00 kr</strong>"));
  EXPECT_TRUE(Has(done, "<th>Udf\xF8rt</th>\n\r<th>Startforbud</th>\n\r<th>Noteringer</th>"));
  EXPECT_TRUE(Has(done, "<td>26-11-2026</td>\n\r<td>20-12-2026</td>\n\r<td>Lidt h\xE6vet &amp; varm</td>"));
  list.Items(0)->OKToStartDate = list.Items(0)->DoneDate;
  EXPECT_TRUE(Has(SingleReport(*list.Items(0), h.get()), "<td>26-11-2026</td>\n\r<td>-</td>"));

  const std::string planned = SingleReport(*list.Items(1), nullptr);
  EXPECT_TRUE(Has(planned, "<b>Hest</td>"));
  EXPECT_TRUE(Has(planned, "Ormekur (Ormekur &lt;for\xE5r&gt;), planlagt 01-12-2026"));
  EXPECT_TRUE(Has(planned, "<th>Planlagt</th>\n\r<th>Noteringer</th>\n\r</tr>"));
  EXPECT_FALSE(Has(planned, "Startforbud"));
  ExpectGolden(SingleReport(*list.Items(2), h.get()), "treatment.htm");
  settings_.currencyDecimals = 0;
  EXPECT_TRUE(Has(SingleReport(*list.Items(1), nullptr), "Omkostninger     120 kr"));
}

TEST_F(TreatmentReportsTest, ListReportOrdersOpenByPlanThenDoneNewestFirst) {
  auto h = Blakken();
  TTreatmentList& list = *h->TreatmentListe;
  const DayNumber d = today();
  Add(list, TTreatmentType::Own, "Tandraspning", d + 3);                // due soon
  Add(list, TTreatmentType::Vet, "Tjek", d + 3);                        // same plan: after it
  Add(list, TTreatmentType::Vacc, "Tetanus", d - 40, d - 30);           // done earlier
  // Done on the same day as Influenza: each goes before the ones of its day already placed.
  Add(list, TTreatmentType::Vacc, "Herpes", d - 20, d - 12);
  Add(list, TTreatmentType::Repro, "Scanning", d - 12, d - 12);
  const std::string page = ListReport(list, h.get());
  std::vector<std::string> names = {"Ormekur &lt;for\xE5r&gt;", "Tandraspning", "Tjek", "Skoning",
                                    "Scanning", "Herpes", "Influenza", "Tetanus"};
  size_t last = 0;
  for (const std::string& name : names) {
    const size_t at = page.find("<td bgColor=\"#FFFFFF\">" + name + "</td>");
    ASSERT_NE(at, std::string::npos) << Cp1252ToUtf8(name);
    EXPECT_GT(at, last) << Cp1252ToUtf8(name);
    last = at;
  }
  EXPECT_TRUE(Has(page, "<tr><td bgColor=\"#FF6633\">01-12-2026</td>"));  // overdue
  EXPECT_TRUE(Has(page, "<tr><td bgColor=\"#FFFF66\">11-12-2026</td>"));  // due soon
  EXPECT_TRUE(Has(page, "<tr><td bgColor=\"#99FF00\">15-01-2027</td>"));  // later
  EXPECT_TRUE(Has(page, "<tr><td bgColor=\"#FFFFFF\">26-11-2026</td>"));  // done
  EXPECT_TRUE(Has(page, "<th>Dato</th>\n\r<th>Behandlingstype</th>\n\r<th>Behandlingsnavn</th>\n\r<th>kr</th>"));
  EXPECT_TRUE(Has(page, "<b>Behandlingsinformation 08-12-2026</td>"));
}

TEST_F(TreatmentReportsTest, ListReportFileAndGolden) {
  auto h = Blakken();
  const std::filesystem::path dir = dir_ / "Save" / "Min stald1" / "Blakken";
  std::string error;
  const std::filesystem::path file = WriteListReport(*h->TreatmentListe, *h, dir, &error);
  EXPECT_TRUE(error.empty()) << error;
  EXPECT_EQ(file, dir / "06Behandlinger_Blakken_08-12-2026_00.htm");
  EXPECT_EQ(testing::ReadBytes(file), ListReport(*h->TreatmentListe, h.get()));
  ExpectGolden(ListReport(*h->TreatmentListe, h.get()), "treatments.htm");
  std::ofstream(dir_ / "blocker") << "x";
  EXPECT_TRUE(WriteListReport(*h->TreatmentListe, *h, dir_ / "blocker" / "Blakken", &error).empty());
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace stallora
