#include "forms/welcome_form.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class WelcomeFormTest : public testing::ProgramDirTest {
 protected:
  // Two horses the start-up check corrects, and one it leaves alone.
  void WriteCheckedStable() {
    AppContext& app = Start();
    WriteStableTheCheckCorrects(app, true);
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
  }
  std::string HorseFile(const std::string& name) { return Read(fs::path("Save") / "Nord" / name / (name + ".eqh")); }
  std::unique_ptr<Workspace> ws_;
};

TEST(WelcomeCaptions, JoinedFromTheStringTable) {
  EXPECT_EQ(NewFeedListCaption(), "Ny foderliste");
  EXPECT_EQ(StableGroupCaption(), "Opret eller v\xE6lg stald");
  EXPECT_EQ(FeedListGroupCaption(), "Opret eller v\xE6lg foderliste");
  EXPECT_EQ(HorseGroupCaption(), "V\xE6lg hest");
  EXPECT_EQ(StableHelpHint(), "Hj\xE6lp: stald");
  EXPECT_EQ(FeedListHelpHint(), "Hj\xE6lp: foderliste");
  EXPECT_EQ(ErrorHelpHint(), "Hj\xE6lp: Du har heste hvor datoen er udenfor lovligt omr\xE5" "de");
  EXPECT_EQ(AlternativeFolderCaption(), "Alternativ mappe");
  EXPECT_EQ(DefaultFolderCaption(), "Standard mappe");
  EXPECT_EQ(ErrorGroupCaption(), "Fejl:Du har heste hvor datoen er udenfor lovligt omr\xE5" "de");
  EXPECT_EQ(EditSelectedCaption(), "\xC6ndre valgt");
  EXPECT_EQ(DeleteSelectedCaption(), "Slet valgt");
  EXPECT_EQ(NewVersionLinkCaption("2.18"), "Opgrader til version 2.18");
  EXPECT_EQ(NewListLinkCaption(7), "Hent den seneste foderliste 7");
  EXPECT_EQ(Tr(kWcVisIkke), " Vis ikke dette sk\xE6rmbillede igen");
}

TEST_F(WelcomeFormTest, TheSaveDirectoryLabelSaysWhetherItIsTheDefault) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  const std::string S = app.preferences.ActiveSaveDirectory;
  EXPECT_TRUE(IsDefaultSaveDirectory(app.preferences));
  EXPECT_EQ(SaveDirectoryLabel(app.preferences), "Valgt: " + S + "  (Standard)");
  // A trailing separator or another letter case names the same directory.
  app.preferences.ActiveSaveDirectory = S + "/";
  EXPECT_TRUE(IsDefaultSaveDirectory(app.preferences));
  app.preferences.ActiveSaveDirectory = (dir_ / "save").string();
  EXPECT_TRUE(IsDefaultSaveDirectory(app.preferences));

  ASSERT_TRUE(ws.ChangeSaveDirectory(false, dir_ / "Andet"));
  EXPECT_FALSE(IsDefaultSaveDirectory(app.preferences));
  EXPECT_EQ(SaveDirectoryLabel(app.preferences), "Valgt: " + (dir_ / "Andet" / "save").string() + "  (Brugervalg)");
}

TEST_F(WelcomeFormTest, CheckMessagesAreToldFromOtherMessages) {
  WriteCheckedStable();
  ASSERT_EQ(ws_->Messages().size(), 2u);
  for (const std::string& m : ws_->Messages()) EXPECT_TRUE(IsHorseCheckMessage(m)) << m;
  EXPECT_FALSE(IsHorseCheckMessage("Error reading Nord.eqs: Invalid property value"));
  EXPECT_FALSE(IsHorseCheckMessage("Unghesten er blevet for gammel. Vedligehold er valgt"));
  EXPECT_FALSE(IsHorseCheckMessage("Fole [Nord]   noget andet"));
}

TEST(WelcomeEntries, MarkingAndTheRowsADeleteRemoves) {
  EXPECT_EQ(HandledEntry("Fole [Nord]   x"), " ** Fole [Nord]   x");
  EXPECT_TRUE(IsHandledEntry(" ** Fole [Nord]   x"));
  EXPECT_FALSE(IsHandledEntry("Fole [Nord]   x"));
  const std::vector<std::string> entries = {"a", " ** b", "c", "d"};
  EXPECT_EQ(RowsToDelete(entries, {0, 1, 3}), (std::vector<int>{3, 0}));
  EXPECT_EQ(RowsToDelete(entries, {2, 2, 9, -1}), (std::vector<int>{2}));
  EXPECT_TRUE(RowsToDelete({}, {0}).empty());
}

TEST_F(WelcomeFormTest, AcceptAllSavesEveryUnmarkedHorseAndSaysSo) {
  WriteCheckedStable();
  std::vector<std::string> entries = ws_->Messages();
  // The first one was dealt with already: it is neither saved nor marked twice.
  entries[0] = HandledEntry(entries[0]);
  const std::string foleBefore = HorseFile("Fole");
  const std::string morBefore = HorseFile("Mor");
  THest* mor = ws_->Stables()[0]->HorseByName("Mor");
  ASSERT_NE(mor->LagretSum, mor->Fingerprint());
  RecordingMessages shown;
  AcceptAllCheckedHorses(*ws_, entries, shown);
  EXPECT_EQ(HorseFile("Fole"), foleBefore);
  EXPECT_NE(HorseFile("Mor"), morBefore);
  EXPECT_NE(HorseFile("Mor").find("Kategori = Vedlikehold"), std::string::npos) << HorseFile("Mor");
  EXPECT_EQ(mor->LagretSum, mor->Fingerprint());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].rfind(" ** Fole", 0), 0u);
  EXPECT_EQ(entries[1].rfind(" ** Mor", 0), 0u);
  ASSERT_EQ(shown.entries.size(), 1u);
  EXPECT_EQ(shown.entries[0].text, "Alle heste med forkerte data er korrigeret og gemt");
}

TEST_F(WelcomeFormTest, AcceptAllCreatesNoDirectoryAndMarksWhatIsGone) {
  WriteCheckedStable();
  std::vector<std::string> entries = ws_->Messages();
  entries.push_back("Borte [Syd]   Unghesten er blevet for gammel. Vedligehold er valgt");
  fs::remove_all(dir_ / "Save" / "Nord" / "Fole");
  RecordingMessages shown;
  AcceptAllCheckedHorses(*ws_, entries, shown);
  EXPECT_FALSE(fs::exists(dir_ / "Save" / "Nord" / "Fole"));
  ASSERT_EQ(shown.entries.size(), 2u);
  EXPECT_EQ(shown.entries[0].kind, RecordingMessages::Entry::kError);
  EXPECT_EQ(shown.entries[0].text, "Error: Cannot save  Fole in normal stable directory. Saving Cancelled!");
  EXPECT_EQ(shown.entries[1].text, "Alle heste med forkerte data er korrigeret og gemt");
  for (const std::string& e : entries) EXPECT_TRUE(IsHandledEntry(e)) << e;
}

TEST_F(WelcomeFormTest, DeletionFailureNamesTheDirectory) {
  WriteCheckedStable();
  TStall& nord = *ws_->Stables()[0];
  EXPECT_EQ(HorseDeletionFailedMessage(*nord.HorseByName("Fin"), nord),
            "Fejl:Sletning af Fin\rSlet Mappe " + PathText(dir_ / "Save" / "Nord" / "Fin") + " manuelt");
}

}  // namespace
}  // namespace stallora
