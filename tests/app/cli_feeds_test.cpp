// stallora-cli's feed list commands: import of a text feed list and conversion between
// energy systems, both to standard output as object text.

#include <gtest/gtest.h>
#include <unistd.h>

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

class CliFeedsTest : public testing::CliScratchTest {};

const char* kTextList =
    "Stallora - FEEDLIST\r\nNorsk liste\r\nDato=01-02-2025\r\nVersion=2.17\r\n47 Norge\r\n"
    "EnergiBasis=2 NE\r\nEnergiEnhet=2 fe\r\nEnergiFaktor=1\r\nProteinType=1 DCP\r\n----\r\n"
    "Fodernavn=Havre\r\nBrand=GENERIC\r\nPris=3,5\r\nTS=87\r\nType=8\r\nFALSE\r\nFALSE\r\n#\r\n----\r\n";

TEST_F(CliFeedsTest, ImportWritesTheListAndReportsOnStandardError) {
  const std::string file = Write("liste.txt", kTextList);
  CliResult r = RunCli({"--program-dir", STALLORA_DATA_DIR, "--today", "2025-02-03", "import", file});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("object TForListe\r\n  ForlisteNavn = 'Norsk liste'\r\n  SpraakNr = 47\r\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("  EnergiBeregning = fransk\r\n"), std::string::npos);  // the Danish edition's
  EXPECT_NE(r.out.find("    Fornavn = 'Havre'\r\n"), std::string::npos);
  EXPECT_NE(r.out.find("    Analyser = {}\r\n"), std::string::npos);
  EXPECT_NE(r.err.find("Feedfile: country of origin = 47!\nStallora country = 45\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("ForlisteFraTekstFil, Norsk liste, Antal foderemner i listen:  = 1\n"), std::string::npos);
  // What import writes reads back as the same feed list.
  TForListe list;
  ReadRecordText(r.out, list);
  EXPECT_EQ(RecordText(list), r.out);
}

TEST_F(CliFeedsTest, ImportFailures) {
  CliResult r = RunCli({"--program-dir", STALLORA_DATA_DIR, "import", (dir_ / "none.txt").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Feed file not found: " + (dir_ / "none.txt").string() + "\n");
  EXPECT_EQ(r.out, "");
  const std::string wrong = Write("wrong.txt", "Stallora - FEEDLIST \r\n");
  r = RunCli({"--program-dir", STALLORA_DATA_DIR, "import", wrong});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, wrong + "-error: Unexpected format of feed-file - Aborts task!\n");
  std::string bad = kTextList;
  bad.replace(bad.find("Type=8"), 6, "Type=12");
  r = RunCli({"--program-dir", STALLORA_DATA_DIR, "import", Write("bad.txt", bad)});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(r.err.size() - 18), "Range check error\n") << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunCli({"import"}).status, 2);
}

TEST_F(CliFeedsTest, ConvertChangesTheEnergySystemOfAList) {
  const std::string list = std::string(STALLORA_DATA_DIR) + "/Save/Feeds/45/Standard foderliste.eqf";
  CliResult r = RunCli({"--program-dir", STALLORA_DATA_DIR, "convert", list, "nrc2007:DE:MCal:1:CP"});
  ASSERT_EQ(r.status, 0) << r.err;
  TForListe converted;
  ReadRecordText(r.out, converted);
  EXPECT_EQ(converted.EnergiBeregning, TEnergiBeregning::nrc2007);
  EXPECT_EQ(converted.EnergiBasis, EnergiBasisType::DE);
  EXPECT_EQ(converted.EnergiEnhet, EnergiEnhetstype::MCal);
  EXPECT_EQ(converted.ProteinType, TProteinBeregning::CP);
  const TFor* oats = converted.FeedByName("Havre");
  ASSERT_TRUE(oats);
  // 0.835 fe NE and 73.95 g DCP per kg as fed become about 3.18 Mcal DE and 101 g CP.
  EXPECT_NEAR(oats->Value(0), 0.835 / 0.87 * 9.414 * 1.27 / 0.9 / 4.185 * 1.2 * 0.87, 0.002);
  EXPECT_NEAR(oats->Value(1), (1.0526 * 73.95 / 0.87 + 27.021) * 0.87, 0.01);
  // And back again to the Danish system: text that reads as a feed list.
  const std::string nrcFile = Write("nrc.eqf", r.out);
  r = RunCli({"--program-dir", STALLORA_DATA_DIR, "convert", nrcFile, "fransk:NE:fe:1:DCP"});
  ASSERT_EQ(r.status, 0) << r.err;
  TForListe back;
  ReadRecordText(r.out, back);
  EXPECT_NEAR(back.FeedByName("Havre")->Value(0), 0.835, 0.002);
}

TEST_F(CliFeedsTest, ConvertFailures) {
  const std::string list = std::string(STALLORA_DATA_DIR) + "/Save/Feeds/45/Standard foderliste.eqf";
  EXPECT_EQ(RunCli({"convert", list}).status, 2);
  EXPECT_EQ(RunCli({"convert", list, "fransk:NE:fe:0:DCP"}).status, 2);  // factor must be above 0
  EXPECT_EQ(RunCli({"convert", list, "nrc:DE:MCal:1:CP"}).status, 2);
  CliResult r = RunCli({"convert", (dir_ / "none.eqf").string(), "nrc2007:DE:MCal:1:CP"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Cannot open file " + (dir_ / "none.eqf").string() + "\n");
  const std::string energy = std::string(STALLORA_DATA_DIR) + "/Resources/EPListe.eqe";
  r = RunCli({"--program-dir", STALLORA_DATA_DIR, "convert", energy, "nrc2007:DE:MCal:1:CP"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Not a feed list: " + energy + "\n");
}

}  // namespace
}  // namespace stallora
