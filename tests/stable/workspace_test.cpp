#include "stable/workspace.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

using WorkspaceTest = testing::ProgramDirTest;

TEST_F(WorkspaceTest, StartFailsWithoutSettingsOrEnergyList) {
  std::filesystem::remove(dir_ / "dan.ini");
  StartResult r = StartProgram(dir_, clock_, Regional{}, messages_);
  EXPECT_FALSE(r.context);
  EXPECT_NE(r.fatalMessage.find("Stallora could not find the expected initialisation file"), std::string::npos);
  SetUp();
  std::filesystem::remove(dir_ / "Resources" / "EPListe.eqe");
  r = StartProgram(dir_, clock_, Regional{}, messages_);
  EXPECT_FALSE(r.context);
  EXPECT_EQ(r.fatalMessage, "Fejl:: Finder ikke filen " + (dir_ / "Resources" / "EPListe.eqe").string());
}

TEST_F(WorkspaceTest, StartChoosesTheCountrysObjectAndSetsTheTables) {
  AppContext& app = Start();
  EXPECT_EQ(app.active->CountryNo, 45);
  EXPECT_EQ(app.settings.NutrientUnit(0), "fe");
  EXPECT_EQ(app.settings.NutrientName(1), "Ford\xF8jeligt r\xE5protein");
  EXPECT_EQ(app.preferences.ActiveSaveDirectory, (dir_ / "Save").string());
}

TEST_F(WorkspaceTest, ScanFindsStablesAndHorsesAndIgnoresTheRest) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nord";
  s.NameFeedList();
  ASSERT_TRUE(s.Save());
  ASSERT_TRUE(s.SaveHorse(s.NewHorse()));
  Write("Save/Alpha/readme.txt", "x");               // no stable file
  Write("Save/Nord/Gammel/note.txt", "x");           // no horse file
  Write("Save/Nord/x.eqh", "object THest\r\nend\r\n");  // a horse file not in its own directory
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"Nord", "  foderliste-Nord", "  Min hest1"}));
  // The clean-up on close removes what is neither stable nor horse.
  ws.CleanUp();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Save" / "Alpha"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Save" / "Nord" / "Gammel"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Save" / "Nord" / "Min hest1" / "Min hest1.eqh"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Save" / "Nord" / "x.eqh"));
}

TEST_F(WorkspaceTest, TheCleanUpNeverRemovesRecordFilesOfAnotherNameNorFollowsLinks) {
  AppContext& app = Start();
  Write("Save/Gammel/Omdoebt.eqs", "object TStall\r\nend\r\n");     // a stable file of another name
  Write("Save/Nord/Nord.eqs", "object TStall\r\nend\r\n");
  Write("Save/Nord/Kopi/Original.eqh", "object THest\r\nend\r\n");  // a horse file of another name
  Write("Outside/keep.txt", "precious");
  std::filesystem::create_directory_symlink(dir_ / "Outside", dir_ / "Save" / "Link");
  Workspace ws(app);
  ws.CleanUp();
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Save" / "Gammel" / "Omdoebt.eqs"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Save" / "Nord" / "Kopi" / "Original.eqh"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Outside" / "keep.txt"));
}

TEST_F(WorkspaceTest, AStableDirectoryWithAFullStopIsListedButLeftAloneOnClose) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "St. Hans";
  ASSERT_TRUE(s.Save());
  Write("Save/St. Hans/Tom/note.txt", "x");
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Stables().size(), 1u);
  ws.CleanUp();
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Save" / "St. Hans" / "Tom" / "note.txt"));
}

TEST_F(WorkspaceTest, TheHorseCheckCorrectsAndReports) {
  AppContext& app = Start();
  WriteStableTheCheckCorrects(app, false);
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Messages().size(), 2u);
  EXPECT_EQ(ws.Messages()[0], "Fole [Nord]   Unghesten er blevet for gammel. Vedligehold er valgt");
  EXPECT_EQ(ws.Messages()[1], "Mor [Nord]   For lang dr\xE6gtighedsperiode. Vedligehold er valgt");
  THest* fole = ws.Stables()[0]->HorseByName("Fole");
  EXPECT_EQ(fole->Kategori, TDyreKategori::Vedlikehold);
  EXPECT_EQ(fole->Fodselsdato, today() - 1825);
  EXPECT_TRUE(app.preferences.ShowWelcomeScreen);
}

TEST_F(WorkspaceTest, ModelHorsesAreNeverCheckedAndMoveWithTheCalendar) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Modelheste";
  s.ErModellHestStall = true;
  ASSERT_TRUE(s.Save());
  THest& h = s.NewHorse();
  h.Kategori = TDyreKategori::Ungdyr;
  h.InnPaStall = today() - 2000;
  h.Fodselsdato = today() - 2100;  // 100 days old when it came in
  ASSERT_TRUE(s.SaveHorse(h));
  Workspace ws(app);
  ws.Scan();
  EXPECT_TRUE(ws.Messages().empty());
  THest* back = ws.Stables()[0]->HorseAt(0);
  EXPECT_EQ(back->Fodselsdato, today() - 100);
  EXPECT_EQ(back->InnPaStall, today());
  EXPECT_EQ(back->Kategori, TDyreKategori::Ungdyr);
}

TEST_F(WorkspaceTest, ADamagedFileIsReportedAndTheScanGoesOn) {
  AppContext& app = Start();
  for (const char* name : {"A", "B"}) {
    TStall s(app.Env());
    s.stallNavn = name;
    ASSERT_TRUE(s.Save());
  }
  Write("Save/A/A.eqs", "object TStall\r\n  Bogus = 1\r\nend\r\n");
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Stables().size(), 1u);
  EXPECT_EQ(ws.Stables()[0]->stallNavn, "B");
  ASSERT_EQ(ws.Messages().size(), 1u);
  EXPECT_EQ(ws.Messages()[0], "A/A.eqs: Error reading TStall.Bogus: Property does not exist");
}

TEST(MigrateEnergyLines, OnlyTheEnergyLineOfAnOlderFile) {
  std::string text = "object TStall\r\n  stallNavn = 'NRC stald'\r\n    EnergiBeregning = NRC\r\nend\r\n";
  EXPECT_TRUE(MigrateEnergyText(text));
  EXPECT_EQ(text, "object TStall\r\n  stallNavn = 'NRC stald'\r\nEnergiBeregning = nrc2007\r\nend\r\n");
  std::string current = "object TStall\r\n  EnergiBeregning = nrc2007\r\n  Navn = 'NRC'\r\nend\r\n";
  EXPECT_FALSE(MigrateEnergyText(current));
  const auto path = std::filesystem::temp_directory_path() / "stallora-migrate.eqs";
  std::ofstream(path, std::ios::binary) << current;
  const auto before = std::filesystem::last_write_time(path);
  EXPECT_FALSE(MigrateEnergyLines(path));
  EXPECT_EQ(std::filesystem::last_write_time(path), before);
  std::filesystem::remove(path);
}

TEST_F(WorkspaceTest, BackupTargetsAndCopies) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nord";
  ASSERT_TRUE(s.Save());
  ASSERT_TRUE(s.SaveHorse(s.NewHorse()));
  Workspace ws(app);
  ws.Scan();
  const auto parent = dir_ / "Backups";
  const auto target = ws.BackupTarget(parent);
  EXPECT_EQ(target, parent / "save09-12-2026");
  EXPECT_EQ(ws.BackupTarget(target), target);  // a second backup of the day is not nested
  ASSERT_TRUE(ws.Backup(target));
  EXPECT_TRUE(std::filesystem::exists(target / "Nord" / "Nord.eqs"));
  EXPECT_TRUE(std::filesystem::exists(target / "Nord" / "Min hest1" / "Min hest1.eqh"));
  app.regional.shortDateFormat = "dd/mm/yyyy";
  EXPECT_EQ(ws.BackupTarget(parent), parent / "save09-12-2026");
}

TEST_F(WorkspaceTest, ChangingTheSaveDirectoryRebuilds) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nord";
  ASSERT_TRUE(s.Save());
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Stables().size(), 1u);
  ASSERT_TRUE(ws.ChangeSaveDirectory(false, dir_ / "Andet"));
  EXPECT_EQ(app.preferences.ActiveSaveDirectory, (dir_ / "Andet" / "save").string());
  EXPECT_EQ(ws.Stables().size(), 0u);
  ASSERT_TRUE(ws.ChangeSaveDirectory(true, {}));
  EXPECT_EQ(app.preferences.ActiveSaveDirectory, (dir_ / "Save").string());
  EXPECT_EQ(ws.Stables().size(), 1u);
}

TEST_F(WorkspaceTest, CloseWritesContactsAndPreferences) {
  AppContext& app = Start();
  TAdrRec rec;
  rec.Navn = "Ida";
  app.contacts.AddRecord(rec);
  Workspace ws(app);
  ws.Scan();
  EXPECT_TRUE(ws.Close().empty());
  EXPECT_EQ(Read("Save/HorseOwners.txt").substr(0, 5), "%Ida%");
  EXPECT_NE(Read("stallora.pref").find("LastGlobalEPObjectName = "), std::string::npos);
}

}  // namespace
}  // namespace stallora
