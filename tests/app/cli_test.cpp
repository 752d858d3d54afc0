// stallora-cli's contract: exit statuses, messages on standard error, byte-exact format.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"

namespace stallora {
namespace {

using testing::CliResult;
using testing::RunCli;

class CliTest : public testing::CliScratchTest {};

TEST_F(CliTest, HelpAndWrongUsage) {
  CliResult r = RunCli({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("check --syntax FILE"), std::string::npos);
  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
  EXPECT_EQ(RunCli({"--today", "9-12-2026", "check", "x"}).status, 2);
  EXPECT_EQ(RunCli({"--decimal", ";", "check", "x"}).status, 2);
  EXPECT_EQ(RunCli({"check"}).status, 2);
  r = RunCli({"--bogus", "1", "check", "x"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("unknown option --bogus"), std::string::npos);
}

TEST_F(CliTest, SyntaxCheckAcceptsAnyClassAndReportsTheExactError) {
  CliResult r = RunCli({"check", "--syntax", Write("ok.lfm", "object Form1: TForm1\n  Left = 1\nend\n")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "OK\n");
  r = RunCli({"check", "--syntax", Write("bad.lfm", "object Form1: TForm1\n  Left 1\nend\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "''='' expected on line 2\n");
  EXPECT_EQ(r.out, "");
  r = RunCli({"check", "--syntax", (dir_ / "missing").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot open file " + (dir_ / "missing").string() + "\n");
}

TEST_F(CliTest, CheckOfAnUnknownRootClass) {
  CliResult r = RunCli({"check", Write("x.eqx", "object TNobody\nend\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Class TNobody not found\n");
}

TEST_F(CliTest, FormatGivesTheWrittenBytesBackAndCheckReadsRegisteredRoots) {
  TForListe list;
  list.ForlisteNavn = "Nord \xC6rl\xF8v";
  auto feed = std::make_unique<TFor>();
  feed->Fornavn = std::string(100, 'h') + "'\r\n";
  feed->Pris = 2.175;
  feed->SetValue(0, 12.5);
  feed->SetValue(3, 4.25);
  list.AddFeed(std::move(feed));
  const std::string written = RecordText(list);
  const std::string file = Write("nord.eqf", written);
  CliResult r = RunCli({"format", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, written);
  r = RunCli({"check", file});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "OK\n");
  // A reader error is reported exactly, with status 1.
  r = RunCli({"check", Write("bad.eqf", "object TForListe\r\n  object TFor\r\n    Prix = 1\r\n  end\r\nend\r\n")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Error reading TFor.Prix: Property does not exist\n");
  r = RunCli({"format", (dir_ / "absent.eqs").string()});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace stallora

namespace stallora {
namespace {

TEST_F(CliTest, ConfigShowsTheInstalledEdition) {
  CliResult r = RunCli({"--program-dir", STALLORA_DATA_DIR, "config"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Country\t45 Danmark\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n0\tEnergi\tfe\t2\n"), std::string::npos);           // the active object's unit
  EXPECT_NE(r.out.find("\n1\tFordøjeligt råprotein\tg\t0\n"), std::string::npos);  // and protein type
  EXPECT_NE(r.out.find("Active energy/protein object\nDanmark"), std::string::npos);
  r = RunCli({"--program-dir", STALLORA_DATA_DIR, "--energy", "nrc2007:DE:MCal:1:CP", "config"});
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\n0\tEnergi\tMCal\t2\n"), std::string::npos);
  EXPECT_NE(r.out.find("Active energy/protein object\nnrc2007:DE:MCal:1:CP\n"), std::string::npos);
  EXPECT_EQ(RunCli({"--energy", "nrc2007:DE:MCal:0:CP", "config"}).status, 2);
  EXPECT_EQ(RunCli({"--energy", "nrc:DE:MCal:1:CP", "config"}).status, 2);
  r = RunCli({"--program-dir", dir_.string(), "config"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Stallora could not find the expected initialisation file"), std::string::npos);
}

TEST_F(CliTest, PreferencesAndEnergyListsCheckAndFormat) {
  const std::string prefs = Write("stallora.pref",
                                  "object TPreferences\r\n  KonsulentNavn = 'Bo'\r\n  MainFormWindowState = wsMaximized\r\n"
                                  "  MainFormHeight = 700\r\n  MainFormWidth = 900\r\n  ShowWelcomeScreen = True\r\n"
                                  "  NutrientErrorsInPrint = False\r\n  ForwardReportingDays = 7\r\n"
                                  "  ShopRationmailToAdvisor = False\r\nend\r\n");
  CliResult r = RunCli({"check", prefs});
  EXPECT_EQ(r.status, 0) << r.err;
  r = RunCli({"format", prefs});
  EXPECT_EQ(r.out, "object TPreferences\r\n  KonsulentNavn = 'Bo'\r\n  MainFormWindowState = wsMaximized\r\n"
                   "  MainFormHeight = 700\r\n  MainFormWidth = 900\r\n  ShowWelcomeScreen = True\r\n"
                   "  NutrientErrorsInPrint = False\r\n  ForwardReportingDays = 7\r\n"
                   "  ShopRationmailToAdvisor = False\r\nend\r\n");
  const std::string list = std::string(STALLORA_DATA_DIR) + "/Resources/EPListe.eqe";
  r = RunCli({"format", list});
  std::ifstream in(list, std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(r.out, original);
}

}  // namespace
}  // namespace stallora
