// The report command of stallora-cli on a small workspace.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

class CliReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("stallora-clireports-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "Resources");
    const fs::path data = STALLORA_DATA_DIR;
    for (const char* f : {"dan.ini", "Resources/EPListe.eqe", "Resources/treatmentregister45.txt",
                          "Resources/behovsliste.txt", "Resources/fpinf45.txt"})
      if (fs::exists(data / f)) fs::copy_file(data / f, dir_ / f);
    RecordingMessages messages;
    FixedClock clock(EncodeDate(2026, 12, 9));
    StartResult r = StartProgram(dir_, clock, Regional{}, messages);
    ASSERT_TRUE(r.context) << r.fatalMessage;
    TStall s(r.context->Env());
    s.stallNavn = "Nord";
    ASSERT_TRUE(s.Save());
    THest& h = s.NewHorse();
    h.Navn = "Bella";
    h.VektListe->LeggTil(500, clock.Today() - 5);
    TFor& hay = h.ForListe->AddFeed(std::make_unique<TFor>(r.context->Env()));
    hay.Fornavn = "H\xF8";
    hay.Fortype = 1;
    hay.Valgt = true;
    hay.TildeltKg = 10;
    hay.SetValue(0, 0.5);
    hay.SetValue(3, 3.5);
    hay.SetValue(4, 2.0);
    ASSERT_TRUE(s.SaveHorse(h));
    stable_ = (dir_ / "Save" / "Nord" / "Nord.eqs").string();
    horseDir_ = dir_ / "Save" / "Nord" / "Bella";
    horse_ = (horseDir_ / "Bella.eqh").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  struct Result {
    int status;
    std::string out, err;
  };
  Result Run(std::vector<std::string> args) {
    std::vector<std::string> all = {"--program-dir", dir_.string(), "--today", "2026-12-09"};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out, err;
    const int status = cli::Run(all, out, err);
    return {status, out.str(), err.str()};
  }

  fs::path dir_, horseDir_;
  std::string horse_, stable_;
};

TEST_F(CliReportsTest, HorseReportsGoToTheHorsesDirectoryOrToTheGivenFile) {
  Result r = Run({"report", "feedplan", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  const fs::path plan = horseDir_ / "01Foderplan_Bella_09-12-2026_00.htm";
  EXPECT_EQ(r.out, plan.string() + "\n");
  const std::string page = Bytes(plan);
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
  Result r = Run({"report", "graphics", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  const fs::path picture = horseDir_ / "Bella_RationGraphics.jpg";
  ASSERT_TRUE(fs::exists(picture));
  EXPECT_EQ(Bytes(picture).substr(0, 3), "\xFF\xD8\xFF");  // a JPEG
  const std::string page = Bytes(horseDir_ / "02Foderplan grafik_Bella_09-12-2026_00.htm");
  EXPECT_NE(page.find("<img src=\"" + horseDir_.string() + "/Bella_RationGraphics.jpg\">"), std::string::npos);
}

TEST_F(CliReportsTest, StableReportsAndPdf) {
  Result r = Run({"report", "stable-overview", stable_});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = Bytes(dir_ / "Save" / "Nord" / "30Info_Nord_09-12-2026.htm");
  EXPECT_NE(page.find("<td>Bella</td>"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 4), "\n\r\r\n");
  for (const char* kind : {"stable-requirement", "stable-allocation", "stable-comparison", "stable-treatments"})
    EXPECT_EQ(Run({"report", kind, stable_}).status, 0) << kind;
  EXPECT_EQ(Run({"report", "stable-other", stable_}).status, 2);

  const fs::path pdf = dir_ / "plan.pdf";
  r = Run({"report", "feedplan", horse_, "--pdf", pdf.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = Bytes(pdf);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_GT(bytes.size(), 5000u);
}

}  // namespace
}  // namespace stallora
