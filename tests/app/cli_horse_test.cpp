// The horse and workspace commands of stallora-cli on a small workspace.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

using testing::CliResult;

class CliHorseTest : public testing::CliWorkspaceTest {};

TEST_F(CliHorseTest, EvalPrintsNumbersTruthValuesAndErrors) {
  CliResult r = Run({"eval", horse_, "bw*0.0333"});
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
  CliResult r = Run({"--energy", "nrc2007:DE:MCal:1:CP", "requirements", horse_});
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
  CliResult r = Run({"scan"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Nord\n  foderliste-Nord\n  Bella\n--\n");
}

}  // namespace
}  // namespace stallora
