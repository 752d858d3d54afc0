#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "stable/stable_reports.h"
#include "stable_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
namespace sc = stablechange;
using testing::StableEditorTest;

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

TEST(StableMealTime, AcceptsTimesOfDayOnly) {
  EXPECT_EQ(ParseMealTime("8:00"), 8 * 3600);
  EXPECT_EQ(ParseMealTime("08:00"), 8 * 3600);
  EXPECT_EQ(ParseMealTime(" 07.15 "), 7 * 3600 + 15 * 60);
  EXPECT_EQ(ParseMealTime("00:00"), 0);
  EXPECT_EQ(ParseMealTime("23:59"), 23 * 3600 + 59 * 60);
  for (const char* bad :
       {"25:70", "abc", "24:00", "12:60", "8:0", "", ":30", "123:00", "1:2:3", "-1:00", "08:00x", "08:0a", "8"})
    EXPECT_FALSE(ParseMealTime(bad)) << bad;
}

TEST_F(StableEditorTest, OpeningShowsTheStableAndEveryEditRecomputesAndTellsOnce) {
  StableEditor& e = Edit("Nord");
  const StableView& v = e.View();
  EXPECT_EQ(v.caption, "Nord");
  EXPECT_EQ(v.menuCaption, "Nord");
  EXPECT_EQ(v.owner, "Ole");
  EXPECT_TRUE(v.hasHorses);
  EXPECT_EQ(v.horseNames, (std::vector<std::string>{"Ares", "Bella", "Cora"}));
  EXPECT_FALSE(v.deleteHorseEnabled);
  EXPECT_EQ(v.mealTimes, (std::vector<std::string>{"08:00", "12:00", "16:00", "20:00"}));
  EXPECT_EQ(v.treatmentsUntil, C("Behandlinger planlagt frem til  16-12-2026"));
  EXPECT_EQ(v.feedListCaption, "0 foder");

  // One recompute and one notification per user action, whatever it touches.
  const std::vector<std::pair<const char*, std::function<void()>>> actions = {
      {"select", [&] { e.SelectHorse(1); }},
      {"page", [&] { e.ShowPage(StablePage::Feeding); }},
      {"feeding report", [&] { e.ShowFeedingReport(3); }},
      {"treatments", [&] { e.ShowPage(StablePage::Treatments); }},
      {"meal count", [&] { e.SetMealCount(3); }},
      {"meal time", [&] { e.SetMealTime(1, "07:30"); }},
      {"bad meal time", [&] { e.SetMealTime(1, "abc"); }},
      {"leave table", [&] { e.LeaveMealTable(false); }},
      {"owner", [&] { e.LeaveOwner("Kari"); }},
      {"model", [&] { e.SetModelStable(true); }},
      {"activate", [&] { e.Activate(); }},
      {"delete feeds", [&] { e.DeleteAllFeeds(); }},
      {"rename", [&] { e.LeaveName("Nordgaard"); }},
      {"refused rename", [&] { e.LeaveName("Syd"); }},
  };
  for (const auto& [what, act] : actions) {
    const int before = e.Recomputes();
    notifications_ = 0;
    act();
    EXPECT_EQ(e.Recomputes() - before, 1) << what;
    EXPECT_EQ(notifications_, 1) << what;
  }
}

TEST_F(StableEditorTest, AStableWithoutHorsesShowsOnlyInformationAndDiary) {
  StableEditor& e = Edit("Nord");
  for (const char* name : {"Ares", "Bella", "Cora"}) ASSERT_TRUE(e.DeleteHorse(name).ok);
  EXPECT_FALSE(e.View().hasHorses);
  EXPECT_FALSE(e.View().summaryVisible);
  e.ShowPage(StablePage::Horses);
  EXPECT_EQ(e.View().page, StablePage::Information);
  e.ShowPage(StablePage::Diary);
  EXPECT_EQ(e.View().page, StablePage::Diary);
  e.ShowPage(StablePage::Treatments);
  EXPECT_EQ(e.View().page, StablePage::Information);
  EXPECT_TRUE(e.View().treatmentTree.children.empty());
  EXPECT_FALSE(fs::exists(Save() / "Nord" / "Ares"));
}

TEST_F(StableEditorTest, NewAndDeletedHorsesAndTheQuestionFirst) {
  StableEditor& e = Edit("Nord");
  EXPECT_EQ(e.AskDeleteHorse().refusal, "Hest ikke valgt");
  THest& h = e.NewHorse();
  EXPECT_EQ(h.Navn, "Min hest1");
  EXPECT_EQ(e.View().horseNames.back(), "Min hest1");
  EXPECT_TRUE(lastChanges_ & sc::kTree);

  e.SelectHorse(1);
  EXPECT_TRUE(e.View().deleteHorseEnabled);
  const StableQuestion q = e.AskDeleteHorse();
  EXPECT_TRUE(q.refusal.empty());
  EXPECT_EQ(q.question, C("Bekræft sletning Bella"));
  e.DeclineDeleteHorse();
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Bella" / "Bella.eqh"));
  EXPECT_TRUE(e.DeleteHorse(q.subject).ok);
  EXPECT_FALSE(fs::exists(Save() / "Nord" / "Bella"));
  EXPECT_EQ(e.View().horseNames, (std::vector<std::string>{"Ares", "Cora", "Min hest1"}));
  EXPECT_EQ(e.View().selectedHorse, -1);
}

TEST_F(StableEditorTest, FeedingsChangedMarkTheMealsAndTellOnLeavingTheTable) {
  StableEditor& e = Edit("Nord");
  EXPECT_TRUE(e.SetMealCount(4).ok);
  EXPECT_FALSE(e.MealsChanged()) << "the same count changes nothing";
  EXPECT_TRUE(e.SetMealCount(3).ok);
  EXPECT_EQ(e.Stable().SFTider, (StringList{"0", "0", "0"}));
  EXPECT_TRUE(e.MealsChanged());
  EXPECT_EQ(e.View().mealTimes.size(), 3u);

  const LeaveMealsResult closed = e.LeaveMealTable(true);
  EXPECT_TRUE(closed.closeWindow);
  EXPECT_EQ(closed.message, C("Antal fodringer er ændret!\rDu skal gemme og lukke alle \"åbne\" heste i stalden\r"
                              "Du må genåbne hestene påny og fordele foderet på de nye fodringer"));
  EXPECT_FALSE(e.MealsChanged());
  EXPECT_TRUE(e.LeaveMealTable(true).message.empty()) << "told once";

  EXPECT_TRUE(e.SetMealTime(2, "13:15").ok);
  EXPECT_EQ(e.Stable().SFTider[1], "47700");
  EXPECT_EQ(e.View().mealTimes[1], "13:15");
  const LeaveMealsResult told = e.LeaveMealTable(false);
  EXPECT_FALSE(told.closeWindow);
  EXPECT_EQ(told.message,
            C("Antal fodringer er ændret!\rDu må genåbne hestene påny og fordele foderet på de nye fodringer"));

  EXPECT_EQ(e.NextMealRow(1), 2);
  EXPECT_EQ(e.NextMealRow(3), 1);
}

TEST_F(StableEditorTest, BadFeedingTimesAndCountsAreRefusedAndTheOldValueKept) {
  StableEditor& e = Edit("Nord");
  for (const char* bad : {"25:70", "abc"}) {
    const StableOutcome r = e.SetMealTime(1, bad);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, C("Ugyldigt klokkeslæt: ") + bad + "\r" + C("Angiv tiden som tt:mm (00:00 - 23:59)"));
    EXPECT_EQ(e.Stable().SFTider[0], "28800");
    EXPECT_EQ(e.View().mealTimes[0], "08:00");
    EXPECT_TRUE(lastChanges_ & sc::kMeals) << "the cell shows the kept time again";
  }
  EXPECT_FALSE(e.MealsChanged());
  for (int bad : {-1, 100}) {
    const StableOutcome r = e.SetMealCount(bad);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, C("Antal fodringer må være i området 0 - 99"));
    EXPECT_EQ(e.Stable().StallNoMeals, 4);
  }
  EXPECT_TRUE(e.SetMealCount(99).ok);
  EXPECT_TRUE(e.SetMealCount(0).ok);
  EXPECT_FALSE(e.View().mealTableVisible);
  EXPECT_FALSE(e.SetMealTime(1, "08:00").ok) << "no row 1 without feedings";
}

TEST_F(StableEditorTest, ATimeChangedInAStableWithoutHorsesIsNotTold) {
  StableEditor& e = Edit("Syd");
  ASSERT_TRUE(e.DeleteHorse("Dino").ok);
  EXPECT_TRUE(e.SetMealTime(1, "06:00").ok);
  EXPECT_EQ(e.Stable().SFTider[0], "21600");
  EXPECT_TRUE(e.LeaveMealTable(false).message.empty());
}

TEST_F(StableEditorTest, RenameMovesTheDirectoryAndTheHorsesStillLoad) {
  StableEditor& e = Edit("Nord");
  ASSERT_TRUE(e.LeaveName("Nordgaard").ok);
  EXPECT_EQ(e.View().caption, "Nordgaard");
  EXPECT_EQ(e.View().menuCaption, "Stald: Nordgaard");
  EXPECT_EQ(e.Stable().ForListe->ForlisteNavn, "foderliste-Nordgaard");
  EXPECT_TRUE(lastChanges_ & sc::kTree);
  EXPECT_FALSE(fs::exists(Save() / "Nord"));
  EXPECT_TRUE(fs::exists(Save() / "Nordgaard" / "Nordgaard.eqs"));
  EXPECT_FALSE(fs::exists(Save() / "Nordgaard" / "Nord.eqs"));
  // The horse files follow their stable: a horse saved now lands in the new directory.
  THest* ares = e.Stable().HorseByName("Ares");
  ASSERT_NE(ares, nullptr);
  EXPECT_EQ(e.Stable().HorseFilePath(*ares), Save() / "Nordgaard" / "Ares" / "Ares.eqh");
  ASSERT_TRUE(e.Save().ok);

  Rescan();
  TStall* s = ws_->StableByName("Nordgaard");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->HorseNames(), (std::vector<std::string>{"Ares", "Bella", "Cora"}));
  EXPECT_EQ(ws_->StableByName("Nord"), nullptr);
}

TEST_F(StableEditorTest, ARefusedRenameMovesNothing) {
  StableEditor& e = Edit("Nord");
  fs::create_directories(Save() / "Rest");  // something of the name on disk, no stable
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"Syd", C("Stalden findes allerede. Angiv andet navn!")},
      {"Rest", C("Stalden findes allerede. Angiv andet navn!")},
      {"Feeds", ""},
      {"a/b", ""},
      {"..", ""},
      {"", ""},
  };
  for (const auto& [name, message] : refused) {
    notifications_ = 0;
    const StableOutcome r = e.LeaveName(name);
    EXPECT_FALSE(r.ok) << name;
    EXPECT_TRUE(r.keepFocus) << name;
    if (!message.empty()) {
      EXPECT_EQ(r.message, message) << name;
    }
    EXPECT_FALSE(r.message.empty()) << name;
    EXPECT_EQ(e.Stable().stallNavn, "Nord");
    EXPECT_EQ(e.View().name, "Nord") << "the field shows the name kept";
    EXPECT_EQ(notifications_, 1);
    EXPECT_TRUE(fs::exists(Save() / "Nord" / "Nord.eqs"));
    EXPECT_TRUE(fs::exists(Save() / "Nord" / "Ares" / "Ares.eqh"));
  }
  EXPECT_TRUE(fs::exists(Save() / "Syd" / "Syd.eqs"));
  EXPECT_FALSE(fs::exists(Save() / "Feeds" / "Ares"));
}

TEST_F(StableEditorTest, AMoveThatFailsHalfWayIsUndoneAndSaysWhy) {
  StableEditor& e = Edit("Nord");
  // The stable file cannot take its new name: a directory of that name, not empty, is there.
  fs::create_directories(Save() / "Nord" / "Beta.eqs" / "x");
  const StableOutcome r = e.LeaveName("Beta");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("Nord.eqs"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find(": "), std::string::npos) << "the system's reason: " << r.message;
  EXPECT_EQ(e.Stable().stallNavn, "Nord");
  EXPECT_EQ(e.Stable().ForListe->ForlisteNavn, "foderliste-Nord");
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Nord.eqs"));
  EXPECT_FALSE(fs::exists(Save() / "Beta"));
}

TEST_F(StableEditorTest, OwnerRules) {
  StableEditor& e = Edit("Nord");
  const StableOutcome empty = e.LeaveOwner("");
  EXPECT_FALSE(empty.ok);
  EXPECT_TRUE(empty.keepFocus);
  const auto& types = app_->settings.contactTypeNames;
  ASSERT_GT(types.size(), 2u);
  EXPECT_EQ(empty.message, types[2] + ": Navn mangler");
  EXPECT_EQ(e.Stable().StallEier, "Ole");

  EXPECT_TRUE(e.LeaveOwner("Kari").ok);
  EXPECT_EQ(e.Stable().StallEier, "Kari");
  EXPECT_FALSE(e.OwnerContact(""));
  const auto fresh = e.OwnerContact("Kari");
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->Navn, "Kari");
  EXPECT_EQ(fresh->Kategori, 2);
  TAdrRec known;
  known.Navn = "Kari";
  known.Telefon = "123";
  known.Kategori = 4;
  app_->contacts.AddRecord(known);
  const auto found = e.OwnerContact("Kari");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Telefon, "123");
  EXPECT_EQ(found->Kategori, 4);
}

TEST_F(StableEditorTest, CloseAsksOnlyAfterAChangeAndNoRestoresFromTheFile) {
  StableEditor& e = Edit("Nord");
  EXPECT_FALSE(e.CloseQuestion());
  e.LeaveOwner("Kari");
  e.SetMealCount(2);
  e.SetMealTime(1, "06:30");
  e.SetModelStable(true);
  e.SetNotes("{\\rtf1 Noter}");
  ASSERT_TRUE(e.LeaveName("Vest").ok);
  ASSERT_TRUE(e.CloseQuestion());
  EXPECT_EQ(*e.CloseQuestion(), C("Vest: Data ændret! Vil du gemme de nye oplysninger"));

  const StableOutcome r = e.RestoreFromFile();
  EXPECT_TRUE(r.ok) << r.message;
  EXPECT_EQ(e.Stable().stallNavn, "Nord");
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Nord.eqs"));
  EXPECT_FALSE(fs::exists(Save() / "Vest"));
  EXPECT_EQ(e.Stable().StallEier, "Ole");
  EXPECT_EQ(e.Stable().StallNoMeals, 4);
  EXPECT_EQ(e.Stable().SFTider, (StringList{"28800", "43200", "57600", "72000"}));
  EXPECT_FALSE(e.Stable().ErModellHestStall);
  EXPECT_TRUE(e.Stable().DiverseOpplysninger.empty());
  EXPECT_TRUE(lastChanges_ & sc::kNotes);
  EXPECT_FALSE(e.CloseQuestion());
}

TEST_F(StableEditorTest, SavingWritesTheFileAndStoresTheState) {
  StableEditor& e = Edit("Nord");
  e.TakeOwnerText("Kari");
  e.SetMealTime(1, "07:00");
  e.SetNotes("{\\rtf1 Noter}");
  ASSERT_TRUE(e.CloseQuestion());
  ASSERT_TRUE(e.Save().ok);
  EXPECT_FALSE(e.CloseQuestion());
  EXPECT_FALSE(e.Stable().HasUnsavedChanges());
  const std::string text = Read("Save/Nord/Nord.eqs");
  EXPECT_NE(text.find("StallEier = 'Kari'"), std::string::npos) << text;
  EXPECT_NE(text.find("'25200'"), std::string::npos) << text;
  Rescan();
  StableEditor& again = Edit("Nord");
  EXPECT_EQ(again.Stable().DiverseOpplysninger, "{\\rtf1 Noter}");
  EXPECT_EQ(again.View().mealTimes[0], "07:00");
}

// The byte sum the stable keeps cannot see two feeding times swapped; the window can.
TEST_F(StableEditorTest, ChangesTheByteSumMissesStillAsk) {
  StableEditor& e = Edit("Nord");
  const int32_t before = e.Stable().ChangeSignature();
  e.SetMealTime(1, "12:00");
  e.SetMealTime(2, "08:00");
  EXPECT_EQ(e.Stable().ChangeSignature(), before);
  EXPECT_TRUE(e.CloseQuestion());
}

TEST_F(StableEditorTest, ASaveThatCannotBeWrittenKeepsTheChange) {
  StableEditor& e = Edit("Nord");
  e.TakeOwnerText("Kari");
  // A directory in the stable file's place: the save cannot replace it.
  fs::remove(Save() / "Nord" / "Nord.eqs");
  fs::create_directories(Save() / "Nord" / "Nord.eqs" / "x");
  const StableOutcome r = e.Save();
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("Nord.eqs"), std::string::npos) << r.message;
  EXPECT_TRUE(e.CloseQuestion()) << "still unsaved";
}

}  // namespace
}  // namespace stallora

namespace stallora {
namespace {

using testing::StableEditorTest;

// The window copies its controls into the stable in one go (owner, notes, feedings): the
// view is recomputed once and the listeners hear one notification naming every part.
TEST_F(StableEditorTest, ABatchOfEditsIsOneRecomputeAndOneNotificationWithAllTheirFlags) {
  StableEditor& e = Edit("Nord");
  const int recomputes = e.Recomputes();
  const int told = e.Notifications();
  {
    Editor::Batch batch(e);
    e.TakeOwnerText("Kari");
    e.SetMealCount(2);
    e.SetMealTime(2, "18:30");
    EXPECT_EQ(notifications_, 0);
    EXPECT_EQ(e.Recomputes(), recomputes);
  }
  EXPECT_EQ(e.Recomputes() - recomputes, 1);
  EXPECT_EQ(e.Notifications() - told, 1);
  EXPECT_EQ(notifications_, 1);
  EXPECT_TRUE(lastChanges_ & stablechange::kOwner);
  EXPECT_TRUE(lastChanges_ & stablechange::kMeals);
  // The view recomputed at the end of the batch shows every edit of it.
  EXPECT_EQ(e.View().owner, "Kari");
  EXPECT_EQ(e.View().mealTimes, (std::vector<std::string>{"00:00", "18:30"}));

  // An edit that changes nothing the user sees (the notes as they were) tells no one.
  notifications_ = 0;
  e.SetNotes(e.Stable().DiverseOpplysninger);
  EXPECT_EQ(notifications_, 0);

  // A listener that is gone is not told.
  e.RemoveListener(&listener_);
  e.SelectHorse(0);
  EXPECT_EQ(notifications_, 0);
}

}  // namespace
}  // namespace stallora
