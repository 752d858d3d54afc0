// The horse and workspace commands of stallora-cli on a small workspace.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

class CliHorseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("stallora-clihorse-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "Resources");
    const std::filesystem::path data = STALLORA_DATA_DIR;
    for (const char* f : {"dan.ini", "Resources/EPListe.eqe", "Resources/treatmentregister45.txt",
                          "Resources/behovsliste.txt"})
      if (std::filesystem::exists(data / f)) std::filesystem::copy_file(data / f, dir_ / f);
    // A stable with one 500 kg mare in maintenance, fed hay.
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
    horse_ = (dir_ / "Save" / "Nord" / "Bella" / "Bella.eqh").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

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

  std::filesystem::path dir_;
  std::string horse_;
};

TEST_F(CliHorseTest, EvalPrintsNumbersTruthValuesAndErrors) {
  Result r = Run({"eval", horse_, "bw*0.0333"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "16.65\n");
  r = Run({"eval", horse_, "bw > 400"});
  EXPECT_EQ(r.out, "true\n");
  r = Run({"eval", horse_, "BW"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, 38), "Error: Undefined keyword or name: BW, ");
  EXPECT_EQ(Run({"eval", horse_}).status, 2);
  EXPECT_EQ(Run({"eval", horse_, "1", "--nutrient", "24"}).status, 2);
}

TEST_F(CliHorseTest, RequirementsAndEvaluationLines) {
  Result r = Run({"--energy", "nrc2007:DE:MCal:1:CP", "requirements", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  std::string first;
  std::getline(lines, first);
  EXPECT_EQ(first.substr(0, 13), "0\tEnergi\tMCal");
  int count = 1;
  for (std::string l; std::getline(lines, l);) ++count;
  EXPECT_EQ(count, 24);
  r = Run({"--energy", "nrc2007:DE:MCal:1:CP", "evaluate", horse_});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nMaksTorrstoff\t12.5\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nMinGrovfor\t4.5\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nGrovforvurdering\tGrovfodermængde acceptabel\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n6\tCa/P\t"), std::string::npos);
  EXPECT_NE(r.out.find("\t1.75\t"), std::string::npos);  // the ratio 35 / 20
}

TEST_F(CliHorseTest, ScanPrintsTheTree) {
  Result r = Run({"scan"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Nord\n  foderliste-Nord\n  Bella\n--\n");
}

}  // namespace
}  // namespace stallora
