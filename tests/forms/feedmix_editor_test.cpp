// The feed-mix calculator's rules without a window: composing a mix from a source list,
// amounts and the total, the pages it may show, and the three ways to keep the result.

#include "forms/feedmix_editor.h"

#include <gtest/gtest.h>

#include <deque>

#include "core/cp1252.h"
#include "feeds/mix.h"
#include "../stable/workspace_fixture.h"

namespace stallora {
namespace {

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

class Script final : public Messages {
 public:
  void Inform(const std::string& t) override { informs.push_back(t); }
  void Error(const std::string& t) override { errors.push_back(t); }
  bool Confirm(const std::string& t) override {
    questions.push_back(t);
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::string> informs, errors, questions;
  std::deque<bool> answers;
};

class FeedMixEditorTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    AppContext& app = Start();
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
    hay_ = &ws_->NewFeedList(C("Hø"), false);
    Add(*hay_, C("Hø"), 1, 2.0, "GENERIC");
    Add(*hay_, "Havre", 8, 3.0, "Acme");
    Add(*hay_, "Mineral", 4, 10.0, "Acme");
  }
  void TearDown() override {
    editor_.reset();
    ws_.reset();
    ProgramDirTest::TearDown();
  }
  static TFor& Add(TForListe& l, const std::string& name, int category, double price, const std::string& brand) {
    auto f = std::make_unique<TFor>(*l.env);
    f->Fornavn = name;
    f->Fortype = static_cast<TForkategorier>(category);
    f->Pris = price;
    f->Brand = brand;
    return l.AddFeed(std::move(f));
  }
  FeedMixEditor& NewMix() {
    editor_ = std::make_unique<FeedMixEditor>(NewMixFor(*hay_), *ws_, ask_);
    editor_->Open();
    return *editor_;
  }
  // 3 kg hay and 1 kg oats, picked, on the mixing page.
  FeedMixEditor& HayAndOats() {
    FeedMixEditor& e = NewMix();
    e.AddFromSource(0);
    e.AddFromSource(1);
    e.ConfirmSelection();
    e.SetAmount(0, 3);
    e.SetAmount(1, 1);
    return e;
  }
  std::unique_ptr<Workspace> ws_;
  std::unique_ptr<FeedMixEditor> editor_;
  Script ask_;
  TForListe* hay_ = nullptr;
};

TEST_F(FeedMixEditorTest, AMixOfAListIsNamedAfterItAndPreselectsIt) {
  ws_->NewFeedList("Andet", false);  // read after Hø: Hø is not simply the first
  FeedMixEditor& e = NewMix();
  EXPECT_EQ(e.Caption(), C("Mix_Hø"));
  ASSERT_NE(e.Source(), nullptr);
  EXPECT_EQ(e.Source(), hay_);
  EXPECT_EQ(e.Tree().rootName, C("Hø"));
  EXPECT_EQ(e.Page(), MixPage::Selection);
  EXPECT_TRUE(e.Visibility().sourceTree);
  EXPECT_FALSE(e.Visibility().mixingPage);
  EXPECT_FALSE(e.ShowPage(MixPage::Mixing));
  EXPECT_TRUE(e.OwnsMix());
}

TEST_F(FeedMixEditorTest, HayAndOatsGiveThePriceLabelPercentagesAndTotal) {
  FeedMixEditor& e = HayAndOats();
  EXPECT_EQ(e.Page(), MixPage::Mixing);
  EXPECT_EQ(e.CategoryChoice(), 0);  // roughage in the mix: category 1
  EXPECT_EQ(e.CountText(), C("2 Valgt foder"));
  EXPECT_EQ(e.PriceLabel(), C("Pris på blandingen 2,25 kr/kg.   4,0 kg = 9,00 kr"));
  EXPECT_EQ(e.PercentCell(0), "   75,00%");
  EXPECT_EQ(e.PercentCell(1), "   25,00%");
  EXPECT_TRUE(e.Visibility().savingPage);
  EXPECT_TRUE(e.SetTotalText("8"));
  EXPECT_EQ(e.KgCell(0), "6,0");
  EXPECT_EQ(e.KgCell(1), "2,0");
  // Refused totals change nothing.
  for (const char* bad : {"0", "-1", "abc", "8.5"}) {
    EXPECT_FALSE(e.SetTotalText(bad)) << bad;
    EXPECT_EQ(e.TotalText(), "8,0") << bad;
  }
  EXPECT_EQ(ask_.errors.size(), 3u);  // the negative, the letters and the wrong separator
}

TEST_F(FeedMixEditorTest, AmountsAndTheSpinner) {
  FeedMixEditor& e = HayAndOats();
  EXPECT_FALSE(e.SetAmountText(0, "-2"));
  EXPECT_FALSE(e.SetAmountText(0, "1.5"));  // the user's separator is the comma
  EXPECT_EQ(e.KgCell(0), "3,0");
  EXPECT_TRUE(e.SetAmountText(0, "0,05"));
  e.SetStepChoice(1);
  EXPECT_DOUBLE_EQ(e.StepSize(), 0.1);
  EXPECT_TRUE(e.Step(0, false));
  EXPECT_EQ(e.KgCell(0), "0,0");
  EXPECT_DOUBLE_EQ(e.Mix().FeedAt(0)->TildeltKg, 0.0);
  EXPECT_FALSE(e.Step(0, false));  // stays at 0
  EXPECT_TRUE(e.Step(-1, true));   // no active row: the first
  EXPECT_DOUBLE_EQ(e.Mix().FeedAt(0)->TildeltKg, 0.1);
  // All at 0: "0%", no price, no saving page.
  e.SetAmount(0, 0);
  e.SetAmount(1, 0);
  EXPECT_EQ(e.PercentCell(0), "    0%");
  EXPECT_EQ(e.PriceLabel(), "*");
  EXPECT_FALSE(e.Visibility().savingPage);
  EXPECT_FALSE(e.ShowPage(MixPage::Saving));
  EXPECT_FALSE(e.SetTotal(5));
}

TEST_F(FeedMixEditorTest, AddingTwiceAsksAndRemovingAsks) {
  FeedMixEditor& e = NewMix();
  EXPECT_TRUE(e.AddFromSource(1));
  EXPECT_TRUE(e.InMix(1));
  EXPECT_FALSE(e.InMix(0));
  ask_.answers = {false};
  EXPECT_FALSE(e.AddFromSource(1));
  ASSERT_EQ(ask_.questions.size(), 1u);
  EXPECT_EQ(ask_.questions[0], "Havre: findes allerede i foderlisten.  Erstat?");
  ask_.answers = {true};
  EXPECT_TRUE(e.AddFromSource(1));
  EXPECT_EQ(e.Mix().Count(), 1);
  ask_.answers = {false};
  EXPECT_FALSE(e.RemoveFromMix("Havre"));
  EXPECT_EQ(e.Mix().Count(), 1);
  ask_.answers = {true};
  EXPECT_FALSE(e.RemoveFromMix("Rug"));
  ASSERT_EQ(ask_.errors.size(), 1u);
  EXPECT_EQ(ask_.errors[0], "Fejl: Sletning af Rug");
  ask_.answers = {true};
  EXPECT_TRUE(e.RemoveFromMix("Havre"));
  EXPECT_EQ(e.Mix().Count(), 0);
  EXPECT_TRUE(e.Visibility().sourceTree);
}

// The source tree gives way to "Vælg foder" once the mix has a feed; the button brings it
// back until the selection is confirmed.
TEST_F(FeedMixEditorTest, TheSourceTreeHidesWithTheFirstFeedAndComesBackOnRequest) {
  FeedMixEditor& e = NewMix();
  EXPECT_TRUE(e.Visibility().sourceTree);
  EXPECT_FALSE(e.Visibility().chooseButton);
  ASSERT_TRUE(e.AddFromSource(0));
  EXPECT_FALSE(e.Visibility().sourceTree);
  EXPECT_TRUE(e.Visibility().chooseButton);
  const int before = e.Notifications();
  e.ShowSourceTree();
  EXPECT_TRUE(e.Visibility().sourceTree);
  EXPECT_EQ(e.Notifications(), before + 1);
  ASSERT_TRUE(e.AddFromSource(1));
  EXPECT_TRUE(e.Visibility().sourceTree);  // still asked for
  e.ConfirmSelection();
  EXPECT_FALSE(e.Visibility().sourceTree);
}

TEST_F(FeedMixEditorTest, OneEditOneNotification) {
  FeedMixEditor& e = HayAndOats();
  const int before = e.Notifications();
  e.ConfirmSelection();  // a batch of several commits
  EXPECT_EQ(e.Notifications(), before + 1);
  e.SetAmount(0, 4);
  EXPECT_EQ(e.Notifications(), before + 2);
  e.SetAmount(0, 4);  // no change, no notification
  EXPECT_EQ(e.Notifications(), before + 2);
}

TEST_F(FeedMixEditorTest, SaveAsRecipeJoinsTheWorkspaceAndAsksBeforeWritingOver) {
  FeedMixEditor& e = HayAndOats();
  e.SetCategoryChoice(1);
  EXPECT_EQ(e.SaveAsRecipe("../x"), MixSaveResult::kRefused);
  EXPECT_EQ(e.SaveAsRecipe("  "), MixSaveResult::kRefused);
  EXPECT_EQ(e.SaveAsRecipe("Andet"), MixSaveResult::kSaved);
  EXPECT_FALSE(e.OwnsMix());
  EXPECT_EQ(e.Mix().ForlisteNavn, "Andet");
  EXPECT_EQ(e.Mix().Forblandingstype, 3);
  const std::filesystem::path file = e.Mix().FileNameFor();
  EXPECT_EQ(file.extension(), ".mix");
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(std::any_of(ws_->FeedLists().begin(), ws_->FeedLists().end(),
                          [&](const auto& l) { return l.get() == &e.Mix(); }));
  TForListe back;
  back.LoadFromFile(file);
  EXPECT_TRUE(back.ForBlanding);
  EXPECT_EQ(back.Count(), 2);
  EXPECT_DOUBLE_EQ(back.TotalKg(), 4);
  // Saving again under its own name asks nothing.
  ask_.questions.clear();
  EXPECT_EQ(e.SaveAsRecipe("Andet"), MixSaveResult::kSaved);
  EXPECT_TRUE(ask_.questions.empty());
  // A second new mix under the same name: asked, and No keeps the file as it was.
  editor_.reset();
  FeedMixEditor& second = NewMix();
  second.AddFromSource(2);
  ask_.answers = {false};
  EXPECT_EQ(second.SaveAsRecipe(C("Hø")), MixSaveResult::kRefused);  // a list of the workspace
  EXPECT_EQ(second.SaveAsRecipe("Andet"), MixSaveResult::kRefused);  // the stored mix has it
}

TEST_F(FeedMixEditorTest, SaveAsFeedAsksAddsSortsAndSaves) {
  FeedMixEditor& e = HayAndOats();
  ASSERT_EQ(e.TargetIndex(), 0);
  ASSERT_EQ(e.Lists()[0], hay_);
  ask_.answers = {false};
  EXPECT_EQ(e.SaveAsFeed(), MixSaveResult::kCancelled);
  EXPECT_EQ(hay_->Count(), 3);
  EXPECT_EQ(ask_.questions.back(), C("Hestefoder: Læg til i foderlisten Hø?"));
  ask_.answers = {true};
  EXPECT_EQ(e.SaveAsFeed(), MixSaveResult::kSaved);
  ASSERT_EQ(hay_->Count(), 4);
  const TFor* mixed = hay_->FeedByName("Hestefoder");
  ASSERT_NE(mixed, nullptr);
  EXPECT_EQ(mixed->Fortype, 1);
  EXPECT_EQ(hay_->IndexOfFeed(mixed), 1);  // sorted among the roughage
  TForListe back;
  back.LoadFromFile(hay_->FileNameFor());
  EXPECT_NE(back.FeedByName("Hestefoder"), nullptr);
  // The same name again: the replace question; No says "Nyt navn".
  ask_.answers = {false};
  EXPECT_EQ(e.SaveAsFeed(), MixSaveResult::kCancelled);
  EXPECT_EQ(ask_.questions.back(), C("Hestefoder: findes allerede i foderlisten Hø. Erstat?"));
  EXPECT_EQ(ask_.informs.back(), "Nyt navn: Hestefoder");
  e.SetFeedName("");
  EXPECT_EQ(e.SaveAsFeed(), MixSaveResult::kRefused);
}

TEST_F(FeedMixEditorTest, TheTrialFeedIsPickedAndHorsesAreOffered) {
  TStall& s = ws_->NewStable();
  THest& h = s.NewHorse();
  FeedMixEditor& e = HayAndOats();
  ASSERT_EQ(e.HorseEntries().size(), 1u);
  EXPECT_EQ(e.HorseEntries()[0], h.Navn + " [" + s.stallNavn + "]");
  EXPECT_EQ(e.HorseAt(0), &h);
  EXPECT_TRUE(e.Visibility().horseBox);
  auto feed = e.TrialFeed();
  ASSERT_NE(feed, nullptr);
  EXPECT_TRUE(feed->Valgt);
  EXPECT_EQ(feed->Fornavn, "Hestefoder");
  // The stable going takes its horse and list out of the drop-downs.
  const size_t lists = e.Lists().size();
  e.RecordGoing(s);
  EXPECT_TRUE(e.HorseEntries().empty());
  EXPECT_EQ(e.Lists().size(), lists - 1);
}

}  // namespace
}  // namespace stallora
