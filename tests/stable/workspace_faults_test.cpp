// The start and the scan tell the user what they could not read, naming the file, and
// never wait on or lose a file: FIFOs, damaged files, an unreadable contacts file, names the
// program cannot hold, backups onto a failing disk, and the energy-line migration.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "disk_faults.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class WorkspaceFaultsTest : public testing::ProgramDirTest {
 protected:
  fs::path S() const { return dir_ / "Save"; }
  void SaveStable(AppContext& app, const std::string& name, const std::vector<std::string>& horses = {}) {
    TStall s(app.Env());
    s.stallNavn = name;
    ASSERT_TRUE(s.Save());
    for (const std::string& h : horses) {
      THest& horse = s.NewHorse();
      horse.Navn = h;
      ASSERT_TRUE(s.SaveHorse(horse));
    }
  }
  void MakeFifo(const fs::path& rel) {
    fs::create_directories((dir_ / rel).parent_path());
    ASSERT_EQ(::mkfifo((dir_ / rel).c_str(), 0600), 0);
  }
};

TEST_F(WorkspaceFaultsTest, EveryMessageOfTheScanNamesItsFile) {
  AppContext& app = Start();
  SaveStable(app, "A");
  SaveStable(app, "B", {"Bella", "Blakken"});
  Write("Save/Feeds/45/Gammel.eqf", "objekt TForListe\r\nend\r\n");
  Write("Save/Feeds/45/Ny.mix", "object TForListe\r\n  ForlisteNavn = 'x'\r\n");
  Write("Save/A/A.eqs", "object TStall\r\n  Bogus = 1\r\nend\r\n");
  Write("Save/B/Blakken/Blakken.eqh", "OBJECT");
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"B", "  foderliste-B", "  Bella"}));
  EXPECT_EQ(ws.Messages(), (std::vector<std::string>{
                               "Feeds/45/Gammel.eqf: OBJECT expected on line 1",
                               "Feeds/45/Ny.mix: Identifier expected on line 3",
                               "A/A.eqs: Error reading TStall.Bogus: Property does not exist",
                               "B/Blakken/Blakken.eqh: Identifier expected on line 1",
                           }));
}

TEST_F(WorkspaceFaultsTest, WhatStandsInPlaceOfARecordFileIsReportedWithoutWaitingOnIt) {
  AppContext& app = Start();
  SaveStable(app, "Nord", {"Bella"});
  MakeFifo("Save/Nord/Fifo/Fifo.eqh");
  fs::create_directories(S() / "Nord" / "Mappe" / "Mappe.eqh");
  fs::create_directories(S() / "Nord" / "Link");
  fs::create_symlink(S() / "Nord" / "Link" / "gone.eqh", S() / "Nord" / "Link" / "Link.eqh");
  MakeFifo("Save/Syd/Syd.eqs");
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"Nord", "  foderliste-Nord", "  Bella"}));
  const std::string kNot = ": Er ikke en almindelig fil og kan ikke l\xE6ses";
  EXPECT_EQ(ws.Messages(), (std::vector<std::string>{"Nord/Fifo/Fifo.eqh" + kNot, "Nord/Link/Link.eqh" + kNot,
                                                     "Nord/Mappe/Mappe.eqh" + kNot, "Syd/Syd.eqs" + kNot}));
}

TEST_F(WorkspaceFaultsTest, TheStartNamesTheFilesItCannotRead) {
  // A damaged preferences file ends the start, naming the file.
  Write("stallora.pref", "object TPreferences\r\n  Nonsens = 1\r\nend\r\n");
  StartResult r = StartProgram(dir_, clock_, Regional{}, messages_);
  EXPECT_FALSE(r.context);
  EXPECT_EQ(r.fatalMessage, "stallora.pref: Error reading TPreferences.Nonsens: Property does not exist");
  fs::remove(dir_ / "stallora.pref");

  // So does a damaged energy/protein list.
  const std::string list = Read("Resources/EPListe.eqe");
  Write("Resources/EPListe.eqe", "object TEnProList\r\n  Hvad = 1\r\nend\r\n");
  r = StartProgram(dir_, clock_, Regional{}, messages_);
  EXPECT_FALSE(r.context);
  EXPECT_EQ(r.fatalMessage, "Resources/EPListe.eqe: Error reading TEnProList.Hvad: Property does not exist");
  Write("Resources/EPListe.eqe", list);

  // A damaged requirement list: the start goes on and says which file.
  Write("Resources/behovsliste.txt", "object TBehovsListe\r\n  Hvad = 1\r\nend\r\n");
  messages_.entries.clear();
  r = StartProgram(dir_, clock_, Regional{}, messages_);
  ASSERT_TRUE(r.context);
  ASSERT_EQ(messages_.entries.size(), 1u);
  EXPECT_EQ(messages_.entries[0].text, "Resources/behovsliste.txt: Error reading TBehovsListe.Hvad: Property does not exist");
}

TEST_F(WorkspaceFaultsTest, TheStartWaitsOnNoFifo) {
  // The energy/protein list and the requirement list as FIFOs: no waiting, messages naming
  // them.
  fs::remove(dir_ / "Resources" / "EPListe.eqe");
  MakeFifo("Resources/EPListe.eqe");
  StartResult r = StartProgram(dir_, clock_, Regional{}, messages_);
  EXPECT_FALSE(r.context);
  EXPECT_EQ(r.fatalMessage, "Resources/EPListe.eqe: " + (dir_ / "Resources" / "EPListe.eqe").string() +
                                " er ikke en almindelig fil og l\xE6ses ikke");
  SetUp();
  MakeFifo("Resources/behovsliste.txt");
  messages_.entries.clear();
  r = StartProgram(dir_, clock_, Regional{}, messages_);
  ASSERT_TRUE(r.context);
  ASSERT_EQ(messages_.entries.size(), 1u);
  EXPECT_EQ(messages_.entries[0].text.rfind("Resources/behovsliste.txt: ", 0), 0u) << messages_.entries[0].text;
}

TEST_F(WorkspaceFaultsTest, AContactsFileThatCannotBeReadIsNeverOverwritten) {
  // The file is there but cannot be read: a FIFO stands for it (a file without read
  // permission does not stop the superuser the tests may run as).
  MakeFifo("Save/HorseOwners.txt");
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  ASSERT_FALSE(ws.Messages().empty());
  EXPECT_EQ(ws.Messages()[0].rfind("HorseOwners.txt: Kontakterne kunne ikke l\xE6ses", 0), 0u) << ws.Messages()[0];
  // Closing does not put an empty register in its place; a contact entered meanwhile goes
  // into a file of its own.
  TAdrRec rec;
  rec.Navn = "Ida";
  app.contacts.AddRecord(rec);
  const std::vector<std::string> problems = ws.Close();
  struct stat st {};
  ASSERT_EQ(::lstat((S() / "HorseOwners.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(Read("Save/HorseOwners.new.txt").substr(0, 5), "%Ida%");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("HorseOwners.new.txt"), std::string::npos);
}

TEST_F(WorkspaceFaultsTest, StableDirectoriesWhoseNamesTheProgramCannotHoldAreListedInTheMessages) {
  AppContext& app = Start();
  SaveStable(app, "Nord");
  // U+014C and U+4E2D have no Windows-1252 byte.
  for (const std::string name : {"\xC5\x8Cta", "\xE4\xB8\xAD"}) {
    fs::create_directories(S() / name);
    std::ofstream(S() / name / (name + ".eqs"), std::ios::binary) << "object TStall\r\nend\r\n";
  }
  fs::create_directories(S() / "Nord" / "\xC5\x8C");
  std::ofstream(S() / "Nord" / "\xC5\x8C" / "\xC5\x8C.eqh", std::ios::binary) << "object THest\r\nend\r\n";
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"Nord", "  foderliste-Nord"}));
  const std::string kNotHeld = ": Mappens navn kan ikke skrives med programmets tegn (Windows-1252) og vises ikke";
  EXPECT_EQ(ws.Messages(),
            (std::vector<std::string>{"?/?.eqs" + kNotHeld, "?ta/?ta.eqs" + kNotHeld, "Nord/?/?.eqh" + kNotHeld}));
}

TEST_F(WorkspaceFaultsTest, TheEnergyLineMigrationKeepsTheFilesOwnLineEnds) {
  AppContext& app = Start();
  const std::string before =
      "object TStall\n  stallNavn = 'Nord'\r\n  object TForListe\n    EnergiBeregning = NRC\n  end\nend";
  Write("Save/Nord/Nord.eqs", before);
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Stables().size(), 1u);
  EXPECT_EQ(Read("Save/Nord/Nord.eqs"),
            "object TStall\n  stallNavn = 'Nord'\r\n  object TForListe\nEnergiBeregning = nrc2007\n  end\nend");
  std::string text = "object TStall\r\n  EnergiBeregning = NRC\r\nend\r\n";
  EXPECT_TRUE(MigrateEnergyText(text));
  EXPECT_EQ(text, "object TStall\r\nEnergiBeregning = nrc2007\r\nend\r\n");
}

TEST_F(WorkspaceFaultsTest, AFeedListsNameFromItsFileNeverLeadsOutOfTheFeedDirectory) {
  // Two guarantee lists make the scan bring every list up to date and save it.
  const fs::path data = STALLORA_DATA_DIR;
  const fs::path feeds = S() / "Feeds" / "45";
  fs::create_directories(feeds);
  fs::copy_file(data / "Save" / "Feeds" / "45" / "Nordhavre Foder.eqf", feeds / "Nordhavre Foder.eqf");
  fs::copy_file(data / "service" / "45" / "Nordhavre Foder 4.eqf", feeds / "Nordhavre Foder 4.eqf");
  Write("Save/Feeds/45/Gammel.eqf", "object TForListe\r\n  ForlisteNavn = '../../Escaped'\r\nend\r\n");
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.GuaranteeListsRead(), 2);
  EXPECT_FALSE(fs::exists(dir_ / "Escaped.eqf"));
  EXPECT_FALSE(fs::exists(S() / "Escaped.eqf"));
  EXPECT_NE(Read("Save/Feeds/45/Gammel.eqf").find("ForlisteNavn = '../../Escaped'"), std::string::npos);
  // Imported from elsewhere, such a list is stored under its file's name.
  Write("Eksport/Udefra.eqf", "object TForListe\r\n  ForlisteNavn = '../../Escaped2'\r\nend\r\n");
  std::string error;
  TForListe* imported = ws.ImportFeedList(dir_ / "Eksport" / "Udefra.eqf", &error);
  ASSERT_NE(imported, nullptr) << error;
  EXPECT_EQ(imported->ForlisteNavn, "Udefra");
  EXPECT_TRUE(fs::is_regular_file(feeds / "Udefra.eqf"));
  EXPECT_FALSE(fs::exists(dir_ / "Escaped2.eqf"));
  EXPECT_FALSE(fs::exists(S() / "Escaped2.eqf"));
}

// Written last into a complete backup.
const std::string kMarker = "STALLORA-BACKUP-COMPLETE.txt";

TEST_F(WorkspaceFaultsTest, ABackupOntoAFailingDiskSaysWhatFailedAndLeavesNoPartialCopy) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nord";
  ASSERT_TRUE(s.Save());
  THest& h = s.NewHorse();
  h.Navn = "Bella";
  h.DiaryMemo = std::string(20000, 'x');  // a horse file far larger than the stable file
  ASSERT_TRUE(s.SaveHorse(h));
  const auto stableSize = fs::file_size(S() / "Nord" / "Nord.eqs");
  ASSERT_LT(stableSize, 8000u);
  Workspace ws(app);
  ws.Scan();
  const fs::path target = ws.BackupTarget(dir_ / "Backups");
  std::string error;
  {
    testing::ScopedFileSizeLimit full(8000);
    EXPECT_FALSE(ws.Backup(target, &error));
  }
  EXPECT_NE(error.find("Nord/Bella/Bella.eqh"), std::string::npos) << error;
  // The file that fitted is there whole; the one that did not is not there at all.
  EXPECT_EQ(Read("Backups/save09-12-2026/Nord/Nord.eqs"), Read("Save/Nord/Nord.eqs"));
  EXPECT_FALSE(fs::exists(target / "Nord" / "Bella" / "Bella.eqh"));
  for (const auto& e : fs::recursive_directory_iterator(target))
    EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
  // An incomplete backup has no completion marker; a complete one has it, written last.
  EXPECT_FALSE(fs::exists(target / kMarker));
  ASSERT_TRUE(ws.Backup(target, &error)) << error;
  EXPECT_EQ(Read("Backups/save09-12-2026/Nord/Bella/Bella.eqh"), Read("Save/Nord/Bella/Bella.eqh"));
  EXPECT_TRUE(fs::is_regular_file(target / kMarker));
  // A later backup into the same directory that fails takes the marker away.
  {
    testing::ScopedFileSizeLimit full(8000);
    EXPECT_FALSE(ws.Backup(target, &error));
  }
  EXPECT_FALSE(fs::exists(target / kMarker));
}

}  // namespace
}  // namespace stallora
