// The report command of stallora-cli on a small workspace.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

using testing::CliResult;
using testing::ReadBytes;

class CliReportsTest : public testing::CliWorkspaceTest {};

TEST_F(CliReportsTest, HorseReportsGoToTheHorsesDirectoryOrToTheGivenFile) {
  CliResult r = Run({"report", "feedplan", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  const fs::path plan = horseDir_ / "01Foderplan_Bella_09-12-2026_00.htm";
  EXPECT_EQ(r.out, plan.string() + "\n");
  const std::string page = ReadBytes(plan);
  EXPECT_EQ(page.rfind("<html><head>", 0), 0u);
  EXPECT_NE(page.find("<b>Bella</td>"), std::string::npos);

  for (const char* kind : {"simple", "requirements", "meals", "weight", "treatments"}) {
    const fs::path out = dir_ / (std::string(kind) + ".htm");
    r = Run({"report", kind, horse_, "-o", out.string()});
    EXPECT_EQ(r.status, 0) << kind << r.err;
    EXPECT_GT(fs::file_size(out), 500u) << kind;
  }
  EXPECT_EQ(Run({"report", "diary", horse_}).status, 2);
  EXPECT_EQ(Run({"report", "feedplan", horse_, "--bogus"}).status, 2);
  EXPECT_EQ(Run({"report", "feedplan", (dir_ / "none.eqh").string()}).status, 1);
}

TEST_F(CliReportsTest, GraphicsPageWritesTheChartPictureBesideIt) {
  CliResult r = Run({"report", "graphics", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  const fs::path picture = horseDir_ / "Bella_RationGraphics.jpg";
  ASSERT_TRUE(fs::exists(picture));
  EXPECT_EQ(ReadBytes(picture).substr(0, 3), "\xFF\xD8\xFF");  // a JPEG
  const std::string page = ReadBytes(horseDir_ / "02Foderplan grafik_Bella_09-12-2026_00.htm");
  EXPECT_NE(page.find("<img src=\"" + horseDir_.string() + "/Bella_RationGraphics.jpg\">"), std::string::npos);
}

TEST_F(CliReportsTest, StableReportsAndPdf) {
  CliResult r = Run({"report", "stable-overview", stable_});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = ReadBytes(dir_ / "Save" / "Nord" / "30Info_Nord_09-12-2026.htm");
  EXPECT_NE(page.find("<td>Bella</td>"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 4), "\n\r\r\n");
  for (const char* kind : {"stable-requirement", "stable-allocation", "stable-comparison", "stable-treatments"})
    EXPECT_EQ(Run({"report", kind, stable_}).status, 0) << kind;
  EXPECT_EQ(Run({"report", "stable-other", stable_}).status, 2);

  const fs::path pdf = dir_ / "plan.pdf";
  r = Run({"report", "feedplan", horse_, "--pdf", pdf.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = ReadBytes(pdf);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_GT(bytes.size(), 5000u);
}

}  // namespace
}  // namespace stallora
