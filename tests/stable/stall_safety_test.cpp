// Nothing a stable does to the disk leaves its own directory: names from imported files,
// deletions, the program's own folders, horses only on disk, long names and failed saves.

#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "disk_faults.h"
#include "nutrition/report_common.h"
#include "ration/horse_reports.h"
#include "forms/ration_page.h"
#include "stable/stable_reports.h"
#include "stable/stall.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class StallSafetyTest : public testing::ProgramDirTest {
 protected:
  fs::path S() const { return dir_ / "Save"; }
  // The stable "Nord" saved, with the contacts file beside it.
  TStall& Nord() {
    AppContext& app = Start();
    stable_ = std::make_unique<TStall>(app.Env());
    stable_->stallNavn = "Nord";
    EXPECT_TRUE(stable_->Save());
    Write("Save/HorseOwners.txt", "%Ida%%%%%%%%%%0\r\n");
    return *stable_;
  }
  // A horse file exported outside the workspace whose Navn says `navn`.
  fs::path ExportedHorse(const std::string& dirName, const std::string& navn) {
    THest h(app_->Env());
    h.Navn = navn;
    const fs::path file = dir_ / "Eksport" / dirName / (dirName + ".eqh");
    fs::create_directories(file.parent_path());
    h.writeToFile(file);
    return file;
  }
  static bool Empty(const fs::path& dir) { return fs::is_directory(dir) && fs::is_empty(dir); }
  std::unique_ptr<TStall> stable_;
};

TEST_F(StallSafetyTest, AnImportedHorseWhoseNameCannotBeADirectoryTakesItsFilesDirectoryName) {
  TStall& s = Nord();
  std::string message;
  ASSERT_TRUE(s.ImportHorse(ExportedHorse("Bella", "../Escaped"), &message)) << message;
  ASSERT_TRUE(s.ImportHorse(ExportedHorse("Blakken", ""), &message)) << message;
  EXPECT_EQ(s.HorseNames(), (std::vector<std::string>{"Bella", "Blakken"}));
  EXPECT_TRUE(fs::is_regular_file(S() / "Nord" / "Bella" / "Bella.eqh"));
  EXPECT_TRUE(fs::is_regular_file(S() / "Nord" / "Blakken" / "Blakken.eqh"));
  // Nothing was written where the names pointed.
  EXPECT_FALSE(fs::exists(S() / "Escaped.eqh"));
  EXPECT_FALSE(fs::exists(S() / "Escaped"));
  EXPECT_FALSE(fs::exists(S() / "Nord" / ".eqh"));
}

TEST_F(StallSafetyTest, DeletingRefusesNamesThatLeaveTheHorsesDirectory) {
  TStall& s = Nord();
  // Horses whose names came from somewhere without a check.
  s.NewHorseRecord()->Navn = "";
  s.NewHorseRecord()->Navn = "..";
  s.NewHorseRecord()->Navn = "Nord.eqs";
  std::string error;
  EXPECT_FALSE(s.DeleteHorse("", &error));
  EXPECT_FALSE(s.DeleteHorse("..", &error));
  EXPECT_FALSE(s.DeleteHorse("Nord.eqs", &error));
  EXPECT_TRUE(fs::is_regular_file(S() / "Nord" / "Nord.eqs"));
  EXPECT_TRUE(fs::is_regular_file(S() / "HorseOwners.txt"));
  // A stable whose name is empty would be the save directory itself.
  s.DeleteAllHorses();
  s.stallNavn = "";
  EXPECT_FALSE(s.DeleteFiles());
  EXPECT_TRUE(fs::is_regular_file(S() / "HorseOwners.txt"));
  s.stallNavn = "..";
  EXPECT_FALSE(s.DeleteFiles());
  EXPECT_TRUE(fs::is_regular_file(dir_ / "dan.ini"));
}

TEST_F(StallSafetyTest, AHorseDirectoryThatIsALinkIsNotEmptiedThroughIt) {
  TStall& s = Nord();
  Write("Elsewhere/keep.txt", "precious");
  fs::create_directory_symlink(dir_ / "Elsewhere", S() / "Nord" / "Link");
  s.NewHorseRecord()->Navn = "Link";
  EXPECT_FALSE(s.DeleteHorse("Link"));
  EXPECT_EQ(Read("Elsewhere/keep.txt"), "precious");
}

TEST_F(StallSafetyTest, TheProgramsFoldersAreNoStableNames) {
  AppContext& app = Start();
  Write("Save/Feeds/45/keep.txt", "the feed lists' directory");
  TStall feeds(app.Env());
  feeds.stallNavn = "Feeds";
  std::string error;
  EXPECT_FALSE(feeds.Save(&error));
  EXPECT_EQ(error, "Navnet er programmets eget mappenavn og kan ikke bruges: \"Feeds\"");
  EXPECT_FALSE(fs::exists(S() / "Feeds" / "Feeds.eqs"));
  // Its horse "45" would be the feed lists' directory.
  feeds.NewHorseRecord()->Navn = "45";
  EXPECT_FALSE(feeds.DeleteHorse("45"));
  EXPECT_TRUE(fs::exists(S() / "Feeds" / "45" / "keep.txt"));

  TStall nord(app.Env());
  nord.stallNavn = "Nord";
  ASSERT_TRUE(nord.Save());
  for (const char* name : {"feeds", "TEMP", "Save", "resources", "Images", "Stallora_Backup"}) {
    EXPECT_FALSE(nord.RenameStable(name, &error)) << name;
    EXPECT_EQ(nord.stallNavn, "Nord");
  }
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Nord.eqs"));

  // An imported stable file of such a name is refused too.
  Write("Eksport/Temp.eqs", "object TStall\r\nend\r\n");
  Workspace ws(app);
  ws.Scan();
  error.clear();
  EXPECT_EQ(ws.ImportStable(dir_ / "Eksport" / "Temp.eqs", false, &error), nullptr);
  EXPECT_NE(error.find("programmets eget mappenavn"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(S() / "Temp"));

  // A stable directory of such a name already on disk is reported, not listed.
  Write("Save/Feeds/Feeds.eqs", "object TStall\r\nend\r\n");
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"Nord", "  foderliste-Nord"}));
  ASSERT_EQ(ws.Messages().size(), 1u);
  EXPECT_EQ(ws.Messages()[0], "Feeds/Feeds.eqs: Navnet er programmets eget mappenavn og kan ikke bruges: \"Feeds\"");
}

TEST_F(StallSafetyTest, ADamagedHorseFileIsNeitherProposedNorReplaced) {
  AppContext& app = Start();
  {
    TStall s(app.Env());
    s.stallNavn = "Egebjerg";
    ASSERT_TRUE(s.Save());
  }
  const std::string damaged = "object THest\r\n  Navn = 'Min hest1'\r\n  RaseNavn = 'Ara";  // cut off
  Write("Save/Egebjerg/Min hest1/Min hest1.eqh", damaged);
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Stables().size(), 1u);
  TStall& s = *ws.Stables()[0];
  EXPECT_EQ(s.HorseCount(), 0);
  ASSERT_EQ(ws.Messages().size(), 1u);
  EXPECT_EQ(ws.Messages()[0].rfind("Egebjerg/Min hest1/Min hest1.eqh: ", 0), 0u) << ws.Messages()[0];

  // "Ny hest" proposes the next free name, and the damaged file is not taken over.
  THest& fresh = s.NewHorse();
  EXPECT_EQ(fresh.Navn, "Min hest2");
  std::string error;
  EXPECT_FALSE(s.RenameHorse(fresh, "Min hest1", &error));
  EXPECT_EQ(fresh.Navn, "Min hest2");
  fresh.Navn = "Min hest1";  // as a window might set it
  EXPECT_FALSE(s.SaveHorse(fresh, &error));
  EXPECT_EQ(Read("Save/Egebjerg/Min hest1/Min hest1.eqh"), damaged);
  EXPECT_NE(s.UniqueHorseName("Min hest1"), "Min hest1");

  // A saved horse renamed onto it is refused as well.
  fresh.Navn = "Min hest2";
  ASSERT_TRUE(s.SaveHorse(fresh));
  EXPECT_FALSE(s.RenameHorse(fresh, "Min hest1", &error));
  EXPECT_EQ(Read("Save/Egebjerg/Min hest1/Min hest1.eqh"), damaged);
  EXPECT_TRUE(fs::exists(S() / "Egebjerg" / "Min hest2" / "Min hest2.eqh"));

  // The same for stables: a stable directory whose file is damaged is not proposed.
  Write("Save/Min stald1/Min stald1.eqs", "object TStall\r\n  stallNavn = 'Min");
  ws.Scan();
  EXPECT_EQ(ws.NewStableName(), "Min stald2");
}

TEST_F(StallSafetyTest, NamesTooLongForTheirFilesAreRefusedBeforeAnyDirectoryIsMade) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = std::string(240, 'S');
  std::string error;
  EXPECT_FALSE(s.Save(&error));
  EXPECT_FALSE(fs::exists(S() / s.stallNavn));
  s.stallNavn = "Nord";
  ASSERT_TRUE(s.Save());
  THest& h = s.NewHorse();
  h.Navn = std::string(200, 'H');
  EXPECT_FALSE(s.SaveHorse(h, &error));
  EXPECT_FALSE(fs::exists(S() / "Nord" / h.Navn));
  EXPECT_FALSE(s.RenameStable(std::string(240, 'R'), &error));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Nord.eqs"));
  // A horse of such a name made before the limit is listed, and can be renamed or deleted.
  const std::string old(200, 'G');
  Write("Save/Nord/" + old + "/" + old + ".eqh", "object THest\r\nend\r\n");
  Write("Save/Nord/" + std::string(201, 'G') + "/" + std::string(201, 'G') + ".eqh", "object THest\r\nend\r\n");
  Workspace ws(app);
  ws.Scan();
  ASSERT_EQ(ws.Stables().size(), 1u);
  TStall& listed = *ws.Stables()[0];
  ASSERT_EQ(listed.HorseCount(), 2);
  EXPECT_TRUE(listed.RenameHorse(*listed.HorseByName(std::string(201, 'G')), "Kort", &error)) << error;
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Kort" / "Kort.eqh"));
  EXPECT_TRUE(listed.DeleteHorse(old, &error)) << error;
  EXPECT_FALSE(fs::exists(S() / "Nord" / old));
}

TEST_F(StallSafetyTest, EveryFileWrittenForTheLongestNameFitsTheFileSystem) {
  AppContext& app = Start();
  // The longest name that passes, in letters that take two bytes on disk.
  const std::string longest(kMaxRecordNameBytes / 2, '\xF8');
  ASSERT_FALSE(ValidateFileName(longest));
  TStall s(app.Env());
  s.stallNavn = longest;
  THest& h = s.NewHorse();
  h.Navn = longest;
  app.regional.shortDateFormat = "dd-mm-yyyy";
  std::vector<std::string> names = {s.StableFileName(), h.Navn + ".eqh", h.DiaryFileName(),
                                    h.Navn + "_RationGraphics.jpg", h.Navn + "_" + Tr(kWordVaegtdata) + ".jpg",
                                    ChartFileName("NutrientContribution_", h.Navn, app.regional, today())};
  for (int kind = kDiaryReport; kind <= kSimpleFeedPlanReport; ++kind) names.push_back(HorseReportFileName(h, kind));
  for (int kind = kHorseOverviewReport; kind <= kStableTreatmentReport; ++kind)
    names.push_back(ReportFileName(s, kind));
  for (const std::string& name : names) {
    // Each is saved through a temporary file beside it, whose name is longer still.
    const std::string onDisk = PathFromText(AtomicTempName(name)).native();
    EXPECT_LE(onDisk.size(), 255u) << name;
  }
  // And they are written: the stable, the horse and a report.
  ASSERT_TRUE(s.Save());
  ASSERT_TRUE(s.SaveHorse(h));
  std::string error;
  EXPECT_TRUE(SaveReport(s, kHorseOverviewReport, &error)) << error;
  HorseReports reports(h, s.HorseDirectory(h));
  EXPECT_FALSE(reports.SkrivFoderplan(false, &error).empty()) << error;
}

TEST_F(StallSafetyTest, AFailedSaveLeavesNoDirectoryBehind) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nord";
  THest& h = s.NewHorse();
  h.Navn = "Bella";
  std::string error;
  {
    // The disk takes no more than a few bytes: every record file fails half-way.
    testing::ScopedFileSizeLimit full(16);
    EXPECT_FALSE(s.Save(&error));
    EXPECT_FALSE(s.SaveHorse(h, &error));
  }
  EXPECT_FALSE(fs::exists(S() / "Nord"));
  ASSERT_TRUE(s.Save());
  {
    testing::ScopedFileSizeLimit full(16);
    EXPECT_FALSE(s.SaveHorse(h, &error));
  }
  EXPECT_FALSE(fs::exists(S() / "Nord" / "Bella"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Nord.eqs"));
}

TEST_F(StallSafetyTest, AnInterruptedSavesTemporaryFileGoesAtTheScanAndDoesNotBlockADeletion) {
  TStall& s = Nord();
  THest& h = s.NewHorse();
  h.Navn = "Bella";
  ASSERT_TRUE(s.SaveHorse(h));
  const std::string stale = ".Bella.eqh.0a1b2c3d.tmp";
  Write("Save/Nord/Bella/" + stale, "object THest\r\n  Na");
  Write("Save/Nord/.Nord.eqs.deadbeef.tmp", "object");
  Workspace ws(*app_);
  ws.Scan();
  EXPECT_FALSE(fs::exists(S() / "Nord" / "Bella" / stale));
  EXPECT_FALSE(fs::exists(S() / "Nord" / ".Nord.eqs.deadbeef.tmp"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Bella" / "Bella.eqh"));

  // Left by a save after the scan: the horse can still be deleted with its directory.
  Write("Save/Nord/Bella/" + stale, "object THest\r\n  Na");
  std::string error;
  EXPECT_TRUE(s.DeleteHorse("Bella", &error)) << error;
  EXPECT_FALSE(fs::exists(S() / "Nord" / "Bella"));
}

}  // namespace
}  // namespace stallora
