// The compare, copy and order pages of the feed list window, without a window.

#include <gtest/gtest.h>

#include "core/cp1252.h"

#include "core/fileio.h"
#include "core/textutil.h"
#include "feeds/feedlist_tools.h"
#include "forms/feedlist_editor.h"
#include "../stable/workspace_fixture.h"

namespace stallora {
namespace {

// Texts in the library's Windows-1252, from this file's UTF-8.
std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

class Answers final : public Messages {
 public:
  void Inform(const std::string& t) override { informs.push_back(t); }
  void Error(const std::string& t) override { errors.push_back(t); }
  bool Confirm(const std::string& t) override {
    questions.push_back(t);
    return answer;
  }
  std::vector<std::string> informs, errors, questions;
  bool answer = true;
};

class FeedListPagesTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    ws_ = std::make_unique<Workspace>(Start());
    ws_->Scan();
  }
  void TearDown() override {
    editor_.reset();
    ws_.reset();
    ProgramDirTest::TearDown();
  }
  TFor& Add(TForListe& l, const std::string& name, int category, const std::string& brand = "GENERIC") {
    auto f = std::make_unique<TFor>(app_->Env());
    f->Fornavn = name;
    f->Fortype = static_cast<TForkategorier>(category);
    f->Brand = brand;
    return l.AddFeed(std::move(f));
  }
  FeedListEditor& Open(TForListe& l) {
    editor_ = std::make_unique<FeedListEditor>(l, *ws_, msg_);
    editor_->Show();
    return *editor_;
  }
  int ListIndex(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<int>(i);
    return -1;
  }

  std::unique_ptr<Workspace> ws_;
  std::unique_ptr<FeedListEditor> editor_;
  Answers msg_;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Three feeds (two of this list, one of a list in another energy system) on four
// nutrients: the table holds each feed's values as this list's system has them.
TEST_F(FeedListPagesTest, CompareThreeFeedsOnFourNutrients) {
  TForListe& l = ws_->NewFeedList("Vinter", false);
  TFor& oats = Add(l, "Havre", 7);
  oats.SetValue(0, 0.95);
  oats.SetValue(1, 85);
  oats.SetValue(3, 0.8);
  oats.SetValue(4, 3.2);
  oats.UpdateRatio();
  TFor& hay = Add(l, C("Hø"), 6);
  hay.SetValue(0, 0.45);
  hay.SetValue(1, 40);
  hay.SetValue(3, 3.5);
  hay.SetValue(4, 2.5);
  hay.UpdateRatio();
  TForListe& nrc = ws_->NewFeedList("NRC", false);
  nrc.SetEnergyRecord({TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1, TProteinBeregning::CP});
  TFor& barley = Add(nrc, "Byg", 7);
  barley.SetValue(0, 3.3);
  barley.SetValue(1, 110);
  barley.SetValue(3, 0.5);
  barley.SetValue(4, 3.6);
  barley.UpdateRatio();
  FeedListEditor& e = Open(l);
  ASSERT_TRUE(e.ShowPage(FeedListPage::Compare));
  EXPECT_EQ(e.Compare().lists[e.Compare().list], "Vinter");
  EXPECT_FALSE(e.CompareResults());
  EXPECT_EQ(msg_.informs.back(), C("Du har ikke valgt færdigt.  Foder eller næringsstof savnes"));
  e.AddCompareFeed(1);
  e.AddCompareFeed(0);
  e.AddCompareFeed(0);  // a name already there is not added again
  e.ChooseCompareList(ListIndex(e.Compare().lists, "NRC"));
  e.AddCompareFeed(0);
  EXPECT_EQ(e.Compare().chosenFeeds, (std::vector<std::string>{C("Hø"), "Havre", "Byg"}));  // by category
  for (int n : {0, 1, 3, 6}) e.SetCompareNutrient(n, true);
  ASSERT_TRUE(e.CompareResults());
  EXPECT_TRUE(e.Compare().resultsVisible);
  const std::string html = e.Compare().html;
  auto converted = nrc.CopyList(false, ListOwnerKind::Workspace);
  ASSERT_TRUE(converted->ConvertAllTo(l.GetEnergyRecord(), l.ProteinType));
  const TFor& b = *converted->FeedAt(0);
  const auto cell = [](double v, const std::string& unit) {
    return "<td align=\"center\">" + FormatFixed(8, 2, v, ',') + (unit.empty() ? "" : " " + unit) + "</td>";
  };
  EXPECT_TRUE(Has(html, C("<td>Hø</td>") + cell(0.45, "fe") + cell(40, "g") + cell(3.5, "g") + cell(1.4, "")));
  EXPECT_TRUE(Has(html, "<td>Havre</td>" + cell(0.95, "fe") + cell(85, "g") + cell(0.8, "g") + cell(0.25, "")));
  EXPECT_TRUE(Has(html, "<td>Byg</td>" + cell(b.Value(0), "fe") + cell(b.Value(1), "g") + cell(b.Value(3), "g") +
                            cell(b.Value(6), "")));
  EXPECT_TRUE(Has(html, "<td>Ca/P</td>"));
  EXPECT_EQ(ReadWholeFile(e.Compare().resultFile), html);
  ASSERT_TRUE(e.StoreComparison("sammen/ligning"));
  EXPECT_TRUE(std::filesystem::exists(e.FeedDirectory() / "sammenligning.htm"));
  e.CloseResults();
  e.ResetCompare();
  EXPECT_TRUE(e.Compare().chosenFeeds.empty());
}

TEST_F(FeedListPagesTest, CopyWithDuplicatesAndConversion) {
  TForListe& l = ws_->NewFeedList("Vinter", false);
  Add(l, "Havre", 7).SetValue(0, 0.95);
  TForListe& nrc = ws_->NewFeedList("NRC", false);
  nrc.SetEnergyRecord({TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1, TProteinBeregning::CP});
  Add(nrc, "Havre", 7).SetValue(0, 3.0);
  Add(nrc, C("Hø"), 1).SetValue(0, 2.0);
  Add(nrc, "Byg", 8).SetValue(0, 3.3);
  FeedListEditor& e = Open(l);
  ASSERT_TRUE(e.ShowPage(FeedListPage::Copy));
  EXPECT_EQ(e.Copy().groups, (std::vector<std::string>{"Grovfoder", "Kraftfoder", "Tilskudsfoder"}));
  EXPECT_EQ(e.Copy().targetCaption, "Vinter: 1 foder");
  e.ChooseDonor(ListIndex(e.Copy().donors, "NRC"));
  EXPECT_EQ(e.Copy().choices, (std::vector<std::string>{C("Hø")}));
  e.ChooseCopyGroup(1);
  EXPECT_EQ(e.Copy().choices, (std::vector<std::string>{"Havre", "Byg"}));
  EXPECT_TRUE(e.Copy().groupEnabled);
  e.SetCopySelection({true, true});
  EXPECT_TRUE(e.Copy().copySelectedEnabled);
  e.CopySelected();
  EXPECT_EQ(l.FeedNames(), (std::vector<std::string>{"Havre", "Byg"}));
  ASSERT_TRUE(e.Copy().duplicatesVisible);
  EXPECT_EQ(e.Copy().duplicatesCaption, "1 duplikater i Vinter");
  EXPECT_EQ(e.Copy().duplicateLabel, "Valgt: Havre");
  EXPECT_FALSE(e.ShowPage(FeedListPage::Information));  // a decision is waiting
  e.SkipDuplicate();
  EXPECT_FALSE(e.Copy().duplicatesVisible);
  EXPECT_EQ(l.FeedAt(0)->Value(0), 0.95);
  auto converted = nrc.CopyList(false, ListOwnerKind::Workspace);
  ASSERT_TRUE(converted->ConvertAllTo(l.GetEnergyRecord(), l.ProteinType));
  EXPECT_NEAR(l.FeedAt(1)->Value(0), converted->FeedAt(2)->Value(0), 1e-12);
  e.CopyFullList();
  EXPECT_EQ(e.Copy().duplicates, (std::vector<std::string>{"Havre", "Byg"}));
  e.CopyCurrentDuplicate();
  EXPECT_NEAR(l.FeedAt(0)->Value(0), converted->FeedAt(0)->Value(0), 1e-12);
  EXPECT_EQ(l.FeedAt(0)->Fortype, 7);
  e.CancelDuplicates();
  EXPECT_EQ(e.Copy().targetCaption, "Vinter: 3 foder");
  EXPECT_TRUE(e.Copy().sortEnabled);
  e.SortTarget();
  EXPECT_EQ(l.FeedNames(), (std::vector<std::string>{C("Hø"), "Havre", "Byg"}));
  msg_.answer = false;
  e.ClearTarget();
  EXPECT_EQ(msg_.questions.back(), C("Vinter: 3 foder\rBekræft sletning"));
  EXPECT_EQ(l.Count(), 3);
}

TEST_F(FeedListPagesTest, OrderAndABrandList) {
  TForListe& l = ws_->NewFeedList("Vinter", false);
  Add(l, "A", 7, C("HAVRE MØLLE"));
  Add(l, "B", 7);
  Add(l, "C", 7, C("Havre Mølle"));
  Add(l, "D", 7, "X/Y");
  FeedListEditor& e = Open(l);
  ASSERT_TRUE(e.ShowPage(FeedListPage::Order));
  e.SelectOrderFeed(0);
  e.MoveOrderFeed(true);  // the first does not move up
  EXPECT_EQ(e.Order().selected, 0);
  e.MoveOrderFeed(false);
  EXPECT_EQ(l.FeedNames(), (std::vector<std::string>{"B", "A", "C", "D"}));
  EXPECT_EQ(e.Order().selected, 1);
  EXPECT_EQ(e.Order().names, l.FeedNames());
  EXPECT_EQ(e.Order().brands, (std::vector<std::string>{"GENERIC", C("HAVRE MØLLE"), "X/Y"}));
  e.MakeBrandList(1);
  EXPECT_EQ(e.Order().brandListCaption, C("Leverandør foderliste: HAVRE MØLLE"));
  EXPECT_EQ(e.Order().brandListNames, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(e.Tree().picked, 2);
  e.SetShowBrandListInProgram(true);
  ASSERT_TRUE(e.SaveBrandList());
  EXPECT_TRUE(Has(msg_.informs.back(), "Gem "));
  EXPECT_TRUE(std::filesystem::exists(e.FeedDirectory() / PathFromText(C("HAVRE MØLLE.eqf"))));
  EXPECT_EQ(ws_->FeedLists().back()->ForlisteNavn, C("HAVRE MØLLE"));
  EXPECT_FALSE(ws_->FeedLists().back()->ErGarantiForliste);
  // The same brand again would replace that list's file; a brand with a slash is no file name.
  e.MakeBrandList(1);
  EXPECT_FALSE(e.SaveBrandList());
  EXPECT_TRUE(Has(msg_.errors.back(), "Der findes allerede en foderliste med navnet"));
  e.CancelBrandList();
  e.MakeBrandList(2);
  EXPECT_FALSE(e.SaveBrandList());
  EXPECT_FALSE(e.Order().brandListVisible == false);
  e.CancelBrandList();
  EXPECT_FALSE(e.Order().brandListVisible);
  e.AutoSortOrder();
  EXPECT_EQ(e.Order().names.size(), 4u);
}

}  // namespace
}  // namespace stallora
