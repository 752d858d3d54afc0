#include "forms/ration_editor.h"

#include <gtest/gtest.h>

#include "forms/horse_editor.h"
#include "ration/ration_amounts.h"

namespace stallora {
namespace {

struct Told : EditorListener {
  void EditorChanged(ChangeFlags f) override { flags.push_back(f); }
  std::vector<ChangeFlags> flags;
};

class RationEditorTest : public ::testing::Test {
 protected:
  RationEditorTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    for (int i = 0; i < 24; ++i) {
      settings_.nutrients[static_cast<size_t>(i)].name = "N" + std::to_string(i);
      settings_.nutrients[static_cast<size_t>(i)].unit = "g";
    }
    horse_ = std::make_unique<THest>(env_);
    horse_->Navn = "Blakken";
    horse_->VektListe->LeggTil(500, clock_.Today());
    hay_ = &Feed("Hø", 1, 8);
    oats_ = &Feed("Havre", 5, 2);
    mineral_ = &Feed("Mineral", 9, 0.1);
  }
  TFor& Feed(const std::string& name, int category, double kg) {
    TFor& f = horse_->ForListe->AddFeed(std::make_unique<TFor>(env_));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.TildeltKg = kg;
    f.TorrStoff = 85;
    f.Valgt = true;
    return f;
  }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
  std::unique_ptr<THest> horse_;
  TFor* hay_ = nullptr;
  TFor* oats_ = nullptr;
  TFor* mineral_ = nullptr;
};

// Every user action on the ration is one computation and one notification, with the flags
// of what it changed; an edit that computes nothing (a meal) does not compute.
TEST_F(RationEditorTest, EachEditComputesOnceAndTellsOnce) {
  RationEditor e(*horse_);
  Told told;
  e.AddListener(&told);
  horse_->ForListe->EndretDato = 0;
  horse_->Tilforsel[0] = -1;  // no computation would leave this

  ASSERT_TRUE(e.SetAmount(1, 2.5));
  EXPECT_DOUBLE_EQ(oats_->TildeltKg, 2.5);
  EXPECT_EQ(e.Recomputes(), 1);
  EXPECT_EQ(e.Notifications(), 1);
  EXPECT_EQ(told.flags.back() & kRationAmounts, kRationAmounts);
  EXPECT_EQ(horse_->ForListe->EndretDato, clock_.Today()) << "an amount dates the ration";
  EXPECT_GE(horse_->Tilforsel[0], 0) << "the supply was computed";

  ASSERT_TRUE(e.StepAmount(0, true));
  EXPECT_DOUBLE_EQ(hay_->TildeltKg, 8.25) << "roughage steps by 0.25 kg";
  ASSERT_TRUE(e.StepAmount(2, false));
  EXPECT_NEAR(mineral_->TildeltKg, 0.095, 1e-9) << "supplements step by 5 g";
  EXPECT_EQ(e.Recomputes(), 3);
  EXPECT_EQ(e.Notifications(), 3);

  ASSERT_TRUE(e.SetPrice(1, 4.5));
  EXPECT_FALSE(e.SetPrice(1, 4.5)) << "the same price is no edit";
  EXPECT_FALSE(e.SetAmount(7, 1)) << "no such row";
  EXPECT_EQ(e.Recomputes(), 4);
  EXPECT_EQ(e.Notifications(), 4);
  EXPECT_EQ(told.flags.back(), kRationPrices | kRationDated);

  horse_->HestNoMeals = 2;
  ASSERT_TRUE(e.DistributeEvenly(0));
  EXPECT_EQ(e.Recomputes(), 4) << "splitting into meals computes nothing";
  EXPECT_EQ(e.Notifications(), 5);
  EXPECT_EQ(told.flags.back(), kRationMeals);

  ASSERT_TRUE(e.RemoveFeed("Havre", nullptr));
  EXPECT_EQ(horse_->ForListe->Count(), 2);
  EXPECT_EQ(told.flags.back() & kRationFeeds, kRationFeeds);
  e.ResetAmounts();
  EXPECT_DOUBLE_EQ(horse_->ForListe->TotalKg(), 0);
  e.ResetChosenFeeds();
  EXPECT_EQ(horse_->ForListe->Count(), 0);
  EXPECT_EQ(e.Recomputes(), 7);
  EXPECT_EQ(e.Notifications(), 8);
  EXPECT_EQ(told.flags.size(), 8u);

  // Entering a page computes without telling anyone.
  e.Recalculate();
  EXPECT_EQ(e.Recomputes(), 8);
  EXPECT_EQ(e.Notifications(), 8);
}

// A selection list's check mark adds the feed to the ration; taking it off removes it.
TEST_F(RationEditorTest, ToggleFeedChangesTheRationsRows) {
  RationEditor e(*horse_);
  Told told;
  e.AddListener(&told);
  TForListe selection(env_);
  TFor& carrots = selection.AddFeed(std::make_unique<TFor>(env_));
  carrots.Fornavn = "Gulerødder";
  carrots.Fortype = 3;
  e.ToggleFeed(selection, carrots);
  EXPECT_TRUE(horse_->ForListe->FeedByName("Gulerødder"));
  e.ToggleFeed(selection, carrots);
  EXPECT_FALSE(horse_->ForListe->FeedByName("Gulerødder"));
  EXPECT_EQ(e.Recomputes(), 2);
  ASSERT_EQ(told.flags.size(), 2u);
  EXPECT_EQ(told.flags[0], kRationFeeds | kRationSelection);
}

// "Nulstil" of the selection panel clears the list's check marks only: the ration keeps its
// feeds, nothing is computed, and the tree is told to repaint its marks.
TEST_F(RationEditorTest, UnpickingTheSelectionLeavesTheRationAlone) {
  RationEditor e(*horse_);
  Told told;
  e.AddListener(&told);
  TForListe selection(env_);
  for (const char* name : {"Hø", "Havre"}) {
    TFor& f = selection.AddFeed(std::make_unique<TFor>(env_));
    f.Fornavn = name;
    f.Valgt = true;
  }
  horse_->ForListe->EndretDato = 0;
  e.UnpickSelection(selection);
  EXPECT_FALSE(selection.FeedAt(0)->Valgt);
  EXPECT_FALSE(selection.FeedAt(1)->Valgt);
  EXPECT_EQ(horse_->ForListe->Count(), 3);
  EXPECT_EQ(e.Recomputes(), 0);
  ASSERT_EQ(told.flags.size(), 1u);
  EXPECT_EQ(told.flags[0], ChangeFlags{kRationSelection});
  EXPECT_EQ(horse_->ForListe->EndretDato, 0.0) << "a check mark does not date the ration";
}

// A feed taken from a feed list is a picked copy at 0 kg in its category group; the list's
// own feed stays as it is.
TEST_F(RationEditorTest, TakeFeedAddsAPickedCopyInCategoryOrder) {
  RationEditor e(*horse_);
  Told told;
  e.AddListener(&told);
  TForListe list(env_);
  TFor& barley = list.AddFeed(std::make_unique<TFor>(env_));
  barley.Fornavn = "Byg";
  barley.Fortype = 3;
  barley.TildeltKg = 4;
  barley.Valgt = false;
  EXPECT_EQ(e.TakeFeed(list, 1), nullptr);
  EXPECT_EQ(e.Notifications(), 0);
  TFor* taken = e.TakeFeed(list, 0);
  ASSERT_TRUE(taken);
  EXPECT_NE(taken, &barley);
  EXPECT_EQ(horse_->ForListe->FeedNames(), (std::vector<std::string>{"Hø", "Byg", "Havre", "Mineral"}));
  EXPECT_EQ(taken->TildeltKg, 0);
  EXPECT_TRUE(taken->Valgt);
  EXPECT_EQ(barley.TildeltKg, 4);
  EXPECT_FALSE(barley.Valgt);
  EXPECT_EQ(e.Recomputes(), 1);
  ASSERT_EQ(told.flags.size(), 1u);
  EXPECT_EQ(told.flags[0], kRationFeeds | kRationSelection);
}

// A feed made elsewhere (a mix tried on the horse) joins with its kg, picked, in one commit;
// tried again under the same name it replaces the first, so the ration never holds two.
TEST_F(RationEditorTest, AddFeedJoinsWithItsAmountAndReplacesOneOfTheSameName) {
  RationEditor e(*horse_);
  Told told;
  e.AddListener(&told);
  TForListe mix(env_);
  mix.ForBlanding = true;
  TFor made(env_);
  made.Fornavn = "Blanding";
  made.Fortype = 3;
  made.TildeltKg = 4;
  made.TorrStoff = 85;
  made.Valgt = false;
  TFor& added = e.AddFeed(made, mix);
  EXPECT_NE(&added, &made);
  EXPECT_TRUE(added.Valgt);
  EXPECT_EQ(added.TildeltKg, 4);
  EXPECT_EQ(horse_->ForListe->Count(), 4);
  EXPECT_EQ(e.Recomputes(), 1);
  ASSERT_EQ(told.flags.size(), 1u);
  EXPECT_TRUE(told.flags[0] & kRationFeeds);
  EXPECT_TRUE(told.flags[0] & kRationAmounts);
  made.TildeltKg = 2;
  e.AddFeed(made, mix);
  EXPECT_EQ(horse_->ForListe->Count(), 4);
  ASSERT_TRUE(horse_->ForListe->FeedByName("Blanding"));
  EXPECT_EQ(horse_->ForListe->FeedByName("Blanding")->TildeltKg, 2);
}

// The horse window's editor passes a ration edit on once, without computing again, and its
// own edits compute once; several steps of one action in a batch are one commit.
TEST_F(RationEditorTest, TheHorseEditorTellsRationEditsOnAndComputesItsOwnOnce) {
  HorseEditor e(*horse_);
  Told told;
  e.AddListener(&told);
  ASSERT_TRUE(e.Ration().SetAmount(0, 9));
  EXPECT_EQ(e.Ration().Recomputes(), 1);
  EXPECT_EQ(e.Recomputes(), 0) << "no second computation";
  EXPECT_EQ(e.Notifications(), 1);
  ASSERT_EQ(told.flags.size(), 1u);
  EXPECT_TRUE(told.flags[0] & kRationAmounts);

  e.SetTraining(50);
  EXPECT_DOUBLE_EQ(horse_->TreningsMengde, 0.5);
  EXPECT_EQ(e.Recomputes(), 1);
  EXPECT_EQ(e.Notifications(), 2);
  EXPECT_EQ(told.flags.back(), kHorseData | kHorseTraining);

  {
    HorseEditor::Batch batch(e);
    e.SetBloodType(TBlodsType::ColdBlood);
    e.SetTodaysGain(0.4);
    e.DataChanged(kHorseCategory);
  }
  EXPECT_EQ(e.Recomputes(), 2);
  EXPECT_EQ(e.Notifications(), 3);
  EXPECT_EQ(told.flags.back(), kHorseData | kHorseCategory);
  EXPECT_EQ(horse_->BlodsType, TBlodsType::ColdBlood);
  EXPECT_DOUBLE_EQ(horse_->Sistetilvekst, 0.4);

  e.Reset(true);
  EXPECT_EQ(horse_->ForListe->Count(), 0);
  EXPECT_EQ(e.Recomputes(), 3);
  EXPECT_EQ(e.Notifications(), 4);
}

}  // namespace
}  // namespace stallora
