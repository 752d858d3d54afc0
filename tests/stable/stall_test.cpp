#include "stable/stall.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

using StallTest = testing::ProgramDirTest;

TEST_F(StallTest, ANewStable) {
  AppContext& app = Start();
  TStall s(app.Env());
  EXPECT_EQ(s.stallNavn, "Ny Stall");
  EXPECT_EQ(s.StallNoMeals, 4);
  EXPECT_EQ(s.SFTider, (StringList{"28800", "43200", "57600", "72000"}));
  EXPECT_EQ(s.ForListe->ForlisteNavn, "foderliste-Ny Stall");
  EXPECT_EQ(s.ForListe->owner, ListOwnerKind::Stable);
}

TEST_F(StallTest, SavedAndReloadedWithDefaultTimesWhenEmptied) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nordgaard";
  s.NameFeedList();
  ASSERT_TRUE(s.Save());
  const std::string text = *ReadWholeFile(s.StableFilePath());
  EXPECT_EQ(text.substr(0, 60), std::string("object TStall\r\n  stallNavn = 'Nordgaard'\r\n  StallNoMeals = 4\r").substr(0, 60));
  EXPECT_NE(text.find("  DiverseOpplysninger = {}\r\n  object TForListe\r\n"), std::string::npos);
  s.SFTider.clear();
  ASSERT_TRUE(s.Save());
  EXPECT_EQ(ReadWholeFile(s.StableFilePath())->find("SFTider"), std::string::npos);
  TStall back(app.Env());
  back.Load(s.StableFilePath());
  EXPECT_EQ(back.SFTider.size(), 4u);
}

// A horse is only found again below a stable file of its own name: saving a horse into a
// stable that was never saved writes the stable too, and the next scan lists both.
TEST_F(StallTest, SavingAHorseIntoANeverSavedStableSavesTheStable) {
  AppContext& app = Start();
  Workspace ws(app);
  TStall& s = ws.NewStable();
  EXPECT_TRUE(s.HasUnsavedChanges()) << "a stable without its file is unsaved";
  ASSERT_FALSE(std::filesystem::exists(s.StableFilePath()));
  THest& h = s.NewHorse();
  std::string error;
  ASSERT_TRUE(s.SaveHorse(h, &error)) << error;
  EXPECT_TRUE(std::filesystem::exists(s.StableFilePath()));
  EXPECT_TRUE(std::filesystem::exists(s.HorseFilePath(h)));
  EXPECT_FALSE(s.HasUnsavedChanges());

  Workspace fresh(app);
  fresh.Scan();
  const TStall* again = fresh.StableByName(s.stallNavn);
  ASSERT_NE(again, nullptr);
  ASSERT_NE(again->HorseByName(h.Navn), nullptr);
  EXPECT_FALSE(again->HasUnsavedChanges());

  // A change the signature sees marks the stable again; a save clears it.
  s.StallEier = "Ida Hansen";
  EXPECT_TRUE(s.HasUnsavedChanges());
  ASSERT_TRUE(s.Save());
  EXPECT_FALSE(s.HasUnsavedChanges());
  // An existing stable file is left alone when a horse is saved.
  s.StallEier = "Jens";
  ASSERT_TRUE(s.SaveHorse(h));
  EXPECT_EQ(ReadWholeFile(s.StableFilePath())->find("Jens"), std::string::npos);
  EXPECT_TRUE(s.HasUnsavedChanges());
}

TEST_F(StallTest, RenameMovesFileAndHorseDirectories) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Alfa";
  ASSERT_TRUE(s.Save());
  THest& h = s.NewHorse();
  ASSERT_TRUE(s.SaveHorse(h));
  ASSERT_TRUE(s.RenameStable("Beta"));
  const auto S = app.preferences.SaveDirectory();
  EXPECT_TRUE(std::filesystem::exists(S / "Beta" / "Beta.eqs"));
  EXPECT_FALSE(std::filesystem::exists(S / "Alfa"));
  EXPECT_TRUE(std::filesystem::exists(S / "Beta" / "Min hest1" / "Min hest1.eqh"));
  EXPECT_EQ(s.ForListe->ForlisteNavn, "foderliste-Beta");
}

TEST_F(StallTest, RenameRefusesBadAndTakenNames) {
  AppContext& app = Start();
  TStall a(app.Env());
  a.stallNavn = "Alfa";
  ASSERT_TRUE(a.Save());
  TStall b(app.Env());
  b.stallNavn = "Beta";
  ASSERT_TRUE(b.Save());
  std::string error;
  EXPECT_FALSE(a.RenameStable("Beta", &error));
  EXPECT_EQ(a.stallNavn, "Alfa");
  EXPECT_TRUE(std::filesystem::exists(a.StableFilePath()));
  EXPECT_FALSE(a.RenameStable("../ud", &error));
  EXPECT_FALSE(a.RenameStable("", &error));
  EXPECT_FALSE(a.RenameStable(".skjult", &error));
  EXPECT_EQ(a.stallNavn, "Alfa");
  THest& h = a.NewHorse();
  ASSERT_TRUE(a.SaveHorse(h));
  a.NewHorse();
  EXPECT_FALSE(a.RenameHorse(h, "Min hest2", &error));
  ASSERT_TRUE(a.RenameHorse(h, "Stjerne"));
  EXPECT_TRUE(std::filesystem::exists(app.preferences.SaveDirectory() / "Alfa" / "Stjerne" / "Stjerne.eqh"));
}

TEST_F(StallTest, NewHorseNamesAndCopyNames) {
  AppContext& app = Start();
  TStall s(app.Env());
  EXPECT_EQ(s.NewHorse().Navn, "Min hest1");
  EXPECT_EQ(s.NewHorse().Navn, "Min hest2");
  EXPECT_EQ(s.NewHorse().Navn, "Min hest3");
  // Out of order: the single pass would give a taken name; the number goes on.
  TStall t(app.Env());
  t.NewHorseRecord()->Navn = "Min hest2";
  t.NewHorseRecord()->Navn = "Min hest1";
  EXPECT_EQ(t.NewHorse().Navn, "Min hest3");

  EXPECT_EQ(CopyName("Blakken"), "Blakken_Kopier1");
  EXPECT_EQ(CopyName("Blakken_Kopier1"), "Blakken_Kopier2");
  EXPECT_EQ(CopyName("Blakken_Kopier9"), "Blakken_Kopier10");
  THest& b = s.NewHorse();
  b.Navn = "Blakken";
  b.brystmal = 171;
  THest& copy = s.CopyHorse(b);
  EXPECT_EQ(copy.Navn, "Blakken_Kopier1");
  EXPECT_EQ(copy.brystmal, 171);
  EXPECT_NE(copy.Fingerprint(), copy.LagretSum);  // marked as changed
  EXPECT_EQ(s.CopyHorse(b).Navn, "Blakken_Kopier2");  // the first copy's name is taken
}

TEST_F(StallTest, StableRequirementSumsTheRations) {
  AppContext& app = Start();
  TStall s(app.Env());
  for (int i = 0; i < 2; ++i) {
    THest& h = s.NewHorse();
    TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(app.Env()));
    f.Fornavn = "Havre";
    f.TildeltKg = 2;
  }
  s.ComputeStableRequirement();
  ASSERT_EQ(s.ForListe->Count(), 1);
  EXPECT_EQ(s.ForListe->FeedAt(0)->StallBehov, 4);
  EXPECT_TRUE(s.ForListe->FeedAt(0)->Valgt);
  s.ComputeStableRequirement();
  EXPECT_EQ(s.ForListe->Count(), 1);
  EXPECT_EQ(s.ForListe->FeedAt(0)->StallBehov, 4);
}

TEST_F(StallTest, ImportHorse) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Import";
  THest& existing = s.NewHorse();
  existing.Navn = "Pollux";
  THest other(app.Env());
  other.Navn = "Pollux";
  other.HestNoMeals = 4;
  other.HFTider = {"28800", "43200", "57600", "72000"};
  const auto file = dir_ / "pollux.eqh";
  other.writeToFile(file);
  std::string message;
  ASSERT_TRUE(s.ImportHorse(file, &message));
  ASSERT_EQ(s.HorseCount(), 2);
  THest* imported = s.HorseAt(1);
  EXPECT_EQ(imported->Navn, "xxx_Pollux");
  EXPECT_EQ(message, "Import: \"Pollux\" findes! Vil du \xE6ndre v\xE6rdierne. Nyt navn: xxx_Pollux");
  EXPECT_EQ(imported->HFTider.size(), 4u);  // same times as the stable: kept
  EXPECT_TRUE(std::filesystem::exists(s.HorseFilePath(*imported)));
  Write("not-a-horse.eqh", "object TStall\r\nend\r\n");
  EXPECT_FALSE(s.ImportHorse(dir_ / "not-a-horse.eqh"));
}

TEST_F(StallTest, ChangeSignature) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Abc";
  const int32_t a = s.ChangeSignature();
  s.stallNavn = "Bac";
  EXPECT_EQ(s.ChangeSignature(), a);
  s.SFTider[0] = "28860";
  EXPECT_NE(s.ChangeSignature(), a);
}

TEST_F(StallTest, DeleteHorseRemovesItsFiles) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "D";
  THest& h = s.NewHorse();
  ASSERT_TRUE(s.SaveHorse(h));
  const auto dir = s.HorseDirectory(h);
  EXPECT_TRUE(s.DeleteHorse("Min hest1"));
  EXPECT_FALSE(std::filesystem::exists(dir));
  EXPECT_EQ(s.HorseCount(), 0);
}

}  // namespace
}  // namespace stallora
