// stallora-cli writes only where a horse's file lies, reads every root class the program
// writes, and ends with status 1 after any failure it reported.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "cli_fixture.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "disk_faults.h"
#include "nutrition/behovsliste.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

using testing::CliResult;
using testing::ReadBytes;

class CliSafetyTest : public testing::CliWorkspaceTest {
 protected:
  // Bella's file with another Navn inside, as a file from elsewhere may have.
  void SetNavnInFile(const std::string& navn) {
    std::string text = ReadBytes(horse_);
    const size_t at = text.find("  Navn = 'Bella'");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, std::string("  Navn = 'Bella'").size(), "  Navn = '" + navn + "'");
    std::ofstream(horse_, std::ios::binary) << text;
  }
  // The installed requirement list with the maintenance formula of one nutrient replaced.
  void BreakFormula(int nutrient, const std::string& formula) {
    TBehovsListe list;
    const fs::path file = dir_ / "Resources" / "behovsliste.txt";
    list.LoadfromFile(file);
    for (int i = 0; i < list.Antall(); ++i)
      if (list.Element(i)->NutrientNo == nutrient) list.Element(i)->Behovsstrenger.at(1) = formula;
    list.writeToFile(file);
  }
};

TEST_F(CliSafetyTest, AReportGoesIntoTheHorseFilesDirectoryWhateverItsNavnSays) {
  const fs::path escaped = dir_.parent_path() / "ESCAPED";  // where the Navn points
  fs::remove_all(escaped);
  SetNavnInFile("../../../ESCAPED");
  CliResult r = Run({"report", "feedplan", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, (horseDir_ / "01Foderplan_Bella_09-12-2026_00.htm").string() + "\n");
  EXPECT_FALSE(fs::exists(dir_ / "ESCAPED"));
  EXPECT_FALSE(fs::exists(escaped));
  // A horse file outside a workspace: the reports go beside it, named after the file when
  // its Navn cannot be a file name.
  fs::create_directories(dir_ / "loose");
  fs::copy_file(horse_, dir_ / "loose" / "Ekstra.eqh");
  r = Run({"report", "simple", (dir_ / "loose" / "Ekstra.eqh").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(fs::path(r.out.substr(0, r.out.size() - 1)).parent_path(), dir_ / "loose");
  EXPECT_NE(r.out.find("_Ekstra_"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(escaped));
  fs::remove_all(escaped);
}

TEST_F(CliSafetyTest, CheckAndFormatKnowTheDemosHorseFiles) {
  const fs::path demo = fs::path(STALLORA_DATA_DIR) / "Save";
  int horses = 0;
  for (const fs::path& stable : {demo / "Egebjerg", demo / "Modelhest-Stald"}) {
    for (const auto& entry : fs::directory_iterator(stable)) {
      if (!entry.is_directory()) continue;
      const fs::path file = entry.path() / (entry.path().filename().string() + ".eqh");
      if (!fs::is_regular_file(file)) continue;
      ++horses;
      CliResult r = testing::RunCli({"check", file.string()});
      EXPECT_EQ(r.status, 0) << file << r.err;
      EXPECT_EQ(r.out, "OK\n") << file;
      r = testing::RunCli({"format", file.string()});
      EXPECT_EQ(r.status, 0) << file << r.err;
      EXPECT_EQ(r.out, ReadBytes(file)) << file;
    }
  }
  EXPECT_GE(horses, 10);
  // The stable file and the preferences, the other roots, as well.
  EXPECT_EQ(testing::RunCli({"check", (demo / "Egebjerg" / "Egebjerg.eqs").string()}).out, "OK\n");
  // A class that only heads a file never becomes a child.
  CliResult r = testing::RunCli(
      {"check", Write("nested.eqs", "object TStall\r\n  object THest\r\n  end\r\nend\r\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Class THest not found\n");
}

TEST_F(CliSafetyTest, CheckAndFormatWaitOnNoFifoAndReadNoDevice) {
  const fs::path fifo = dir_ / "fifo.eqh";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir_ / "zero.eqs");
  for (const fs::path& file : {fifo, dir_ / "zero.eqs", dir_})
    for (const char* command : {"check", "format"}) {
      CliResult r = testing::RunCli({command, file.string()});
      EXPECT_EQ(r.status, 1) << command << " " << file;
      EXPECT_EQ(r.err, file.string() + " er ikke en almindelig fil og l\xC3\xA6ses ikke\n") << command << " " << file;
    }
  CliResult r = testing::RunCli({"check", "--syntax", fifo.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(fifo.string()), std::string::npos);
}

TEST_F(CliSafetyTest, RequirementsPrintsWhatItCouldComputeAndReportsTheFormulaThatFailed) {
  BreakFormula(3, "bw/(bw-bw)");  // a division by zero
  CliResult r = Run({"requirements", horse_});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("\n3\t"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.rfind("0\t", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\n4\t"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("bw/(bw-bw)"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Division by zero"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\r'), std::string::npos);
  // The feed plan marks the nutrient and says why.
  r = Run({"report", "feedplan", horse_, "-o", (dir_ / "plan.htm").string()});
  const std::string page = ReadBytes(dir_ / "plan.htm");
  EXPECT_NE(page.find("Behovet kunne ikke beregnes"), std::string::npos);
  EXPECT_NE(page.find("bw/(bw-bw)"), std::string::npos);
}

TEST_F(CliSafetyTest, ABackupOntoAFailingDiskEndsWithStatusOne) {
  // Bella's file grows beyond what the disk takes.
  {
    std::string text = ReadBytes(horse_);
    text.insert(text.find("\r\n") + 2, "  Description = '" + std::string(60, 'x') + "'\r\n");
    std::ofstream(horse_, std::ios::binary) << text;
  }
  const auto limit = fs::file_size(horse_) - 10;
  CliResult r;
  {
    testing::ScopedFileSizeLimit full(limit);
    r = Run({"backup", (dir_ / "Backups").string()});
  }
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Nord/Bella/Bella.eqh"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "Backups" / "save09-12-2026" / "Nord" / "Bella" / "Bella.eqh"));
  r = Run({"backup", (dir_ / "Backups").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir_ / "Backups" / "save09-12-2026" / "Nord" / "Bella" / "Bella.eqh"), ReadBytes(horse_));
}

TEST_F(CliSafetyTest, CleanThatCouldNotRemoveEndsWithStatusOne) {
  fs::create_directories(dir_ / "Save" / "Alpha" / "inner");
  std::ofstream(dir_ / "Save" / "Alpha" / "inner" / "note.txt") << "x";
  // An interrupted save's temporary file is removed too.
  std::ofstream(dir_ / "Save" / "Nord" / "Bella" / ".Bella.eqh.0a1b2c3d.tmp") << "half";
  CliResult r = Run({"clean"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("would remove\t" + (dir_ / "Save" / "Alpha").string()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(".Bella.eqh.0a1b2c3d.tmp"), std::string::npos) << r.out;
  {
    testing::ScopedUndeletable locked(dir_ / "Save" / "Alpha" / "inner");
    r = Run({"clean", "--yes"});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.err.find((dir_ / "Save" / "Alpha").string()), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "Save" / "Nord" / "Bella" / ".Bella.eqh.0a1b2c3d.tmp"));
  r = Run({"clean", "--yes"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "Save" / "Alpha"));
}

TEST_F(CliSafetyTest, APdfThatCouldNotBePrintedEndsWithStatusOne) {
  // An earlier run's PDF must not pass for this one's.
  const fs::path pdf = dir_ / "plan.pdf";
  std::ofstream(pdf, std::ios::binary) << "an old plan";
  CliResult r;
  {
    testing::ScopedUndeletable locked(pdf);
    r = Run({"report", "feedplan", horse_, "-o", (dir_ / "plan.htm").string(), "--pdf", pdf.string()});
  }
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(ReadBytes(pdf), "an old plan");
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_NE(e.path().filename().string().front(), '.') << e.path();  // no half-printed file left
  r = Run({"report", "feedplan", horse_, "-o", (dir_ / "plan.htm").string(), "--pdf", pdf.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
}

TEST_F(CliSafetyTest, MessagesCarryNoRawCarriageReturn) {
  // Creating a stable where the save directory cannot take it: the library's message has
  // CR line breaks, which a terminal would turn into overwritten lines.
  const fs::path blocked = dir_ / "blocked";
  std::ofstream(blocked) << "a file where a directory should be";
  CliResult r = Run({"--save-dir", (blocked / "save").string(), "new-stable", "Syd"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Storage directory for Syd"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\r'), std::string::npos) << r.err;
}

}  // namespace
}  // namespace stallora
