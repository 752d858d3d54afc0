// Two programs on one save directory: each saves only over what it read, the user's three
// answers do what they say on disk, conflict copies are listed and survive the clean-up.

#include <algorithm>
#include <gtest/gtest.h>

#include "core/conflictnames.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class ScriptedPrompt : public ConflictPrompt {
 public:
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>&) override {
    asked.push_back(question);
    return choice;
  }
  bool ConfirmTakeTheirs(const std::string& question) override {
    asked.push_back(question);
    return true;
  }
  ConflictChoice choice = ConflictChoice::kCancel;
  std::vector<std::string> asked;
};

class TwoProgramsTest : public testing::ProgramDirTest {
 protected:
  // The stable "Nord" with the horse "Bella", saved by a first program.
  void SetUpWorkspace() {
    AppContext& app = Start();
    TStall s(app.Env());
    s.stallNavn = "Nord";
    s.NameFeedList();
    ASSERT_TRUE(s.Save());
    THest& h = s.NewHorse();
    h.Navn = "Bella";
    ASSERT_TRUE(s.SaveHorse(h));
    Workspace ws(app);
    ws.NewFeedList("Vinterfoder", false);
  }
  // One more program started on the same program directory, its workspace read.
  struct Program {
    std::unique_ptr<AppContext> app;
    std::unique_ptr<Workspace> ws;
    TStall& Nord() const { return *ws->StableByName("Nord"); }
    THest& Bella() const { return *Nord().HorseByName("Bella"); }
    TForListe& List() const {
      for (const auto& l : ws->FeedLists())
        if (l->ForlisteNavn == "Vinterfoder") return *l;
      throw std::runtime_error("no list");
    }
  };
  Program Another() {
    StartResult r = StartProgram(dir_, clock_, Regional{}, messages_, ScreenSize{1000, 800});
    EXPECT_TRUE(r.context) << r.fatalMessage;
    Program p{std::move(r.context), nullptr};
    p.ws = std::make_unique<Workspace>(*p.app);
    p.ws->Scan();
    return p;
  }
  fs::path HorseFile() const { return dir_ / "Save" / "Nord" / "Bella" / "Bella.eqh"; }
  std::string HorseText() { return Read("Save/Nord/Bella/Bella.eqh"); }
  std::vector<fs::path> CopiesIn(const fs::path& dir) const {
    std::vector<fs::path> found;
    for (const auto& e : fs::directory_iterator(dir))
      if (IsConflictCopyName(e.path().filename().string())) found.push_back(e.path());
    return found;
  }
};

TEST_F(TwoProgramsTest, TheSecondSaveOfAHorseIsRefusedAndEachAnswerDoesWhatItSays) {
  SetUpWorkspace();
  Program office = Another();
  Program laptop = Another();
  office.Bella().EierNavn = "Kontoret";
  ASSERT_TRUE(office.Nord().SaveHorse(office.Bella()));
  const std::string officeText = HorseText();

  // The laptop read Bella before the office saved her: its save is refused, named.
  laptop.Bella().EierNavn = "Laptoppen";
  std::string error;
  EXPECT_FALSE(laptop.Nord().SaveHorse(laptop.Bella(), &error));
  EXPECT_NE(error.find(HorseFile().string()), std::string::npos) << error;
  EXPECT_NE(error.find("ndret af et andet program"), std::string::npos) << error;
  EXPECT_EQ(HorseText(), officeText);
  // Nor does "save all horses" of the stable get past it.
  EXPECT_FALSE(laptop.Nord().SaveAllHorses(&error));
  EXPECT_EQ(HorseText(), officeText);

  // Cancel: nothing changes anywhere.
  ScriptedPrompt prompt;
  const DayNumber now = EncodeDate(2026, 12, 9) + EncodeTime(9, 30);
  EXPECT_EQ(PrepareSave(laptop.Bella(), HorseFile(), "Bella", prompt, now), SaveStep::kCancel);
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(HorseText(), officeText);
  EXPECT_TRUE(CopiesIn(HorseFile().parent_path()).empty());

  // Keep mine: the office's version beside it, the laptop's in the horse file.
  prompt.choice = ConflictChoice::kKeepMine;
  fs::path copy;
  ASSERT_EQ(PrepareSave(laptop.Bella(), HorseFile(), "Bella", prompt, now, RecordText(laptop.Bella()), &error, &copy),
            SaveStep::kSave)
      << error;
  ASSERT_TRUE(laptop.Nord().SaveHorse(laptop.Bella(), &error)) << error;
  EXPECT_EQ(copy, HorseFile().parent_path() / "Bella (conflict 2026-12-09 09.30).eqh");
  EXPECT_EQ(Read("Save/Nord/Bella/Bella (conflict 2026-12-09 09.30).eqh"), officeText);
  EXPECT_NE(HorseText().find("Laptoppen"), std::string::npos);

  // Now the office is behind: take theirs reads the laptop's horse into the office's place.
  office.Bella().Description = "Kontorets note";
  EXPECT_FALSE(office.Nord().SaveHorse(office.Bella()));
  prompt.choice = ConflictChoice::kTakeTheirs;
  ASSERT_EQ(PrepareSave(office.Bella(), HorseFile(), "Bella", prompt, now), SaveStep::kTakeTheirs);
  THest* before = &office.Bella();
  std::unique_ptr<THest> old;
  THest* fresh = office.Nord().ReloadHorse(office.Bella(), &old, &error);
  ASSERT_TRUE(fresh) << error;
  EXPECT_EQ(old.get(), before);
  EXPECT_EQ(&office.Bella(), fresh);
  EXPECT_EQ(fresh->EierNavn, "Laptoppen");
  EXPECT_EQ(fresh->Description, "");
  EXPECT_EQ(fresh->stable, &office.Nord());
  EXPECT_EQ(office.Nord().HorseCount(), 1);
  // The reloaded horse saves without a question.
  fresh->Description = "Ny note";
  EXPECT_TRUE(office.Nord().SaveHorse(*fresh, &error)) << error;
  EXPECT_NE(HorseText().find("Ny note"), std::string::npos);
}

TEST_F(TwoProgramsTest, AHorseFileDeletedBehindTheRecordsBackIsSavedAnew) {
  SetUpWorkspace();
  Program office = Another();
  fs::remove_all(HorseFile().parent_path());
  office.Bella().EierNavn = "Kontoret";
  std::string error;
  ASSERT_TRUE(office.Nord().SaveHorse(office.Bella(), &error)) << error;
  EXPECT_NE(HorseText().find("Kontoret"), std::string::npos);
}

TEST_F(TwoProgramsTest, StableAndFeedListFilesAreGuardedToo) {
  SetUpWorkspace();
  Program office = Another();
  Program laptop = Another();
  office.Nord().StallEier = "Kontoret";
  ASSERT_TRUE(office.Nord().Save());
  laptop.Nord().StallEier = "Laptoppen";
  std::string error;
  EXPECT_FALSE(laptop.Nord().Save(&error));
  EXPECT_NE(error.find("Nord.eqs"), std::string::npos) << error;
  EXPECT_NE(Read("Save/Nord/Nord.eqs").find("Kontoret"), std::string::npos);
  // Take theirs for the stable: its own data read again, its horses kept.
  THest* bella = &laptop.Bella();
  const TForListe* oldList = laptop.Nord().ForListe.get();
  ASSERT_TRUE(laptop.Nord().ReloadFromFile(&error)) << error;
  EXPECT_EQ(laptop.Nord().StallEier, "Kontoret");
  EXPECT_EQ(laptop.Nord().ForListe->ForlisteNavn, "foderliste-Nord");
  EXPECT_NE(laptop.Nord().ForListe.get(), oldList);
  EXPECT_EQ(&laptop.Bella(), bella);
  EXPECT_FALSE(laptop.Nord().HasUnsavedChanges());
  laptop.Nord().StallNoMeals = 3;
  EXPECT_TRUE(laptop.Nord().Save(&error)) << error;

  // A stand-alone feed list.
  const fs::path listFile = office.List().FileNameFor();
  office.List().Versjonstekst = "Kontoret";
  office.List().SaveToFile(listFile);
  laptop.List().Versjonstekst = "Laptoppen";
  EXPECT_THROW(laptop.List().SaveToFile(listFile), FileConflictError);
  EXPECT_NE(ReadWholeFile(listFile)->find("Kontoret"), std::string::npos);
  TForListe* fresh = laptop.ws->ReloadFeedList(laptop.List(), &error);
  ASSERT_TRUE(fresh) << error;
  EXPECT_EQ(&laptop.List(), fresh);
  EXPECT_EQ(fresh->Versjonstekst, "Kontoret");
  fresh->SaveToFile(listFile);
}

TEST_F(TwoProgramsTest, ClosingLeavesAnotherProgramsContactsAndPreferencesAloneUnlessTheUserChooses) {
  SetUpWorkspace();
  const fs::path contacts = dir_ / "Save" / "HorseOwners.txt";
  Program office = Another();
  Program laptop = Another();
  office.app->contacts.AdresseListe.push_back("%Kontorets kontakt%%%%%%%%%%0");
  EXPECT_TRUE(office.ws->Close().empty());
  const std::string officeContacts = *ReadWholeFile(contacts);
  ASSERT_NE(officeContacts.find("Kontorets kontakt"), std::string::npos);

  // The laptop changed nothing: its close keeps the office's contacts (and writes
  // preferences equal to the office's, which loses nothing).
  EXPECT_TRUE(laptop.ws->Close().empty());
  EXPECT_EQ(*ReadWholeFile(contacts), officeContacts);

  // A third program adds a contact of its own; the office adds another, and without a
  // prompt (the command-line tool) its close refuses, naming the file.
  Program third = Another();
  Program fourth = Another();
  third.app->contacts.AdresseListe.push_back("%Tredje%%%%%%%%%%0");
  EXPECT_TRUE(third.ws->Close().empty());
  const std::string thirdContacts = *ReadWholeFile(contacts);
  fourth.app->contacts.AdresseListe.push_back("%Fjerde%%%%%%%%%%0");
  fourth.app->preferences.MainFormWidth += 10;
  const std::vector<std::string> problems = fourth.ws->Close();
  ASSERT_FALSE(problems.empty());
  EXPECT_NE(problems[0].find("HorseOwners.txt"), std::string::npos) << problems[0];
  EXPECT_EQ(*ReadWholeFile(contacts), thirdContacts);

  // Cancel keeps everything as it is, the clean-up included.
  Write("Save/Alpha/readme.txt", "x");
  ScriptedPrompt prompt;
  bool cancelled = false;
  fourth.ws->Close(&prompt, &cancelled);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(*ReadWholeFile(contacts), thirdContacts);
  EXPECT_TRUE(fs::exists(dir_ / "Save" / "Alpha"));
  // Keep mine: the third program's contacts beside them, the fourth's in the file.
  prompt.choice = ConflictChoice::kKeepMine;
  EXPECT_TRUE(fourth.ws->Close(&prompt, &cancelled).empty());
  EXPECT_FALSE(cancelled);
  EXPECT_NE(ReadWholeFile(contacts)->find("Fjerde"), std::string::npos);
  ASSERT_EQ(CopiesIn(dir_ / "Save").size(), 1u);
  EXPECT_EQ(*ReadWholeFile(CopiesIn(dir_ / "Save")[0]), thirdContacts);
  EXPECT_FALSE(fs::exists(dir_ / "Save" / "Alpha"));  // the clean-up ran
}

TEST_F(TwoProgramsTest, ConflictCopiesAreListedNeverReadAndSurviveTheCleanUp) {
  SetUpWorkspace();
  const std::string horse = HorseText();
  const std::string list = Read("Save/Feeds/45/Vinterfoder.eqf");
  Write("Save/Nord/Bella/Bella.sync-conflict-20261209-093000-ABCDEFG.eqh", horse);
  Write("Save/Nord/Bella/Bella (conflicted copy 2026-12-09 093000).eqh", horse);
  Write("Save/Nord/Nord (Anna's conflicted copy 2026-12-09).eqs", Read("Save/Nord/Nord.eqs"));
  Write("Save/Feeds/45/Vinterfoder.sync-conflict-20261209-093000-ABCDEFG.eqf", list);
  Write("Save/HorseOwners (conflict 2026-12-09 09.30).txt", "%Ida%%%%%%%%%%0\r\n");
  // A horse whose file is gone on this machine but whose conflict copy arrived: the
  // directory is no horse, and yet the clean-up leaves it.
  Write("Save/Nord/Stjerne/Stjerne_conflict-20261209-093000.eqh", horse);
  Write("Save/Nord/Stjerne/Stjerne_conflict-20261209-093000.htm", "<html>");
  // A stable directory without its file holding only a report's conflict copy.
  Write("Save/Syd/Syd_oversigt.sync-conflict-20261209-093000-ABCDEFG.htm", "<html>");

  AppContext& app = *app_;
  Workspace ws(app);
  ws.Scan();
  // Never read as records: one list, one stable, one horse.
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"Vinterfoder", "Nord", "  foderliste-Nord", "  Bella"}));
  const std::vector<std::string>& m = ws.Messages();
  auto listed = [&](const std::string& copy, const std::string& original) {
    for (const std::string& line : m)
      if (line.rfind(copy + ": ", 0) == 0 && line.find(original) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(listed("Nord/Bella/Bella.sync-conflict-20261209-093000-ABCDEFG.eqh", "Nord/Bella/Bella.eqh"));
  EXPECT_TRUE(listed("Nord/Bella/Bella (conflicted copy 2026-12-09 093000).eqh", "Nord/Bella/Bella.eqh"));
  EXPECT_TRUE(listed("Nord/Nord (Anna's conflicted copy 2026-12-09).eqs", "Nord/Nord.eqs"));
  EXPECT_TRUE(listed("Feeds/45/Vinterfoder.sync-conflict-20261209-093000-ABCDEFG.eqf", "Feeds/45/Vinterfoder.eqf"));
  EXPECT_TRUE(listed("HorseOwners (conflict 2026-12-09 09.30).txt", "HorseOwners.txt"));
  EXPECT_TRUE(listed("Nord/Stjerne/Stjerne_conflict-20261209-093000.eqh", "Nord/Stjerne/Stjerne.eqh"));
  EXPECT_TRUE(listed("Syd/Syd_oversigt.sync-conflict-20261209-093000-ABCDEFG.htm", "Syd/Syd_oversigt.htm"));
  EXPECT_EQ(m.size(), 8u) << ::testing::PrintToString(m);
  EXPECT_TRUE(app.preferences.ShowWelcomeScreen);

  EXPECT_TRUE(ws.CleanUp().empty());
  for (const char* f :
       {"Nord/Bella/Bella.sync-conflict-20261209-093000-ABCDEFG.eqh",
        "Nord/Bella/Bella (conflicted copy 2026-12-09 093000).eqh", "Nord/Nord (Anna's conflicted copy 2026-12-09).eqs",
        "Feeds/45/Vinterfoder.sync-conflict-20261209-093000-ABCDEFG.eqf", "HorseOwners (conflict 2026-12-09 09.30).txt",
        "Nord/Stjerne/Stjerne_conflict-20261209-093000.eqh", "Nord/Stjerne/Stjerne_conflict-20261209-093000.htm",
        "Syd/Syd_oversigt.sync-conflict-20261209-093000-ABCDEFG.htm"})
    EXPECT_TRUE(fs::exists(dir_ / "Save" / f)) << f;
}

TEST_F(TwoProgramsTest, TheScanFindsTheConflictCopiesAFreshSearchFindsAndRemovesTemporaryFiles) {
  SetUpWorkspace();
  const std::string horse = HorseText();
  // In the horse's directory, which the scan reads once for both: copies, a temporary file
  // an interrupted save left, a link with a copy's name (never followed, never listed), and
  // two directories with copies' names, one of them a record's own (it keeps its name).
  Write("Save/Nord/Bella/Bella.sync-conflict-20261209-093000-ABCDEFG.eqh", horse);
  Write("Save/Nord/Bella/Bella_oversigt (conflicted copy 2026-12-09 093000).htm", "<html>");
  Write("Save/Nord/Bella/.Bella.eqh.1a2b3c4d.tmp", "half");
  fs::create_symlink(HorseFile(), dir_ / "Save/Nord/Bella/Bella.sync-conflict-20261209-100000-LINKLNK.eqh");
  Write("Save/Nord/Bella/Foal.sync-conflict-20261209-093000-ABCDEFG/Foal.sync-conflict-20261209-093000-ABCDEFG.eqh",
        horse);
  Write("Save/Nord/Bella/Old.sync-conflict-20261209-093000-ABCDEFG/notes.txt", "x");
  Write("Save/Nord/Nord.sync-conflict-20261209-093000-ABCDEFG.eqs", Read("Save/Nord/Nord.eqs"));
  // A stable whose file cannot be read: its directory and its horse's are searched at the end.
  Write("Save/Brudt/Brudt.eqs", "object TStall\r\n  Na");
  Write("Save/Brudt/Brudt (conflicted copy 2026-12-09 093000).eqs", "object TStall\r\nend\r\n");
  Write("Save/Brudt/Fole/Fole.eqh", horse);
  Write("Save/Brudt/Fole/Fole.sync-conflict-20261209-093000-ABCDEFG.eqh", horse);

  Workspace ws(*app_);
  ws.Scan();
  const std::vector<std::string> fresh = ws.ConflictCopyMessages();
  std::vector<std::string> scanned;
  for (const std::string& line : ws.Messages())
    if (line.find("Konfliktkopi") != std::string::npos) scanned.push_back(line);
  EXPECT_EQ(scanned, fresh);
  auto named = [&](const std::string& copy) {
    return std::count_if(fresh.begin(), fresh.end(), [&](const std::string& l) { return l.rfind(copy + ": ", 0) == 0; });
  };
  EXPECT_EQ(named("Nord/Bella/Bella.sync-conflict-20261209-093000-ABCDEFG.eqh"), 1);
  EXPECT_EQ(named("Nord/Bella/Bella_oversigt (conflicted copy 2026-12-09 093000).htm"), 1);
  EXPECT_EQ(named("Nord/Bella/Old.sync-conflict-20261209-093000-ABCDEFG"), 1);
  EXPECT_EQ(named("Nord/Nord.sync-conflict-20261209-093000-ABCDEFG.eqs"), 1);
  EXPECT_EQ(named("Brudt/Brudt (conflicted copy 2026-12-09 093000).eqs"), 1);
  EXPECT_EQ(named("Brudt/Fole/Fole.sync-conflict-20261209-093000-ABCDEFG.eqh"), 1);
  EXPECT_EQ(fresh.size(), 6u) << ::testing::PrintToString(fresh);
  EXPECT_FALSE(fs::exists(dir_ / "Save/Nord/Bella/.Bella.eqh.1a2b3c4d.tmp"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "Save/Nord/Bella/Bella.sync-conflict-20261209-100000-LINKLNK.eqh"));
}

}  // namespace
}  // namespace stallora
