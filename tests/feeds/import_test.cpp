// Import of feed lists: the feed list text file, its header and version-1 and version-2
// blocks and every message; the energy-line migration in memory; feed list files in object
// text from anywhere on disk.

#include <gtest/gtest.h>

#include <fstream>

#include "core/fileio.h"
#include "core/objtext.h"
#include "feeds/feedlist_import.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::FeedsEnv;
using Entry = RecordingMessages::Entry;

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::vector<std::string> Header(const std::string& country = "45 Danmark") {
  return {"Stallora - FEEDLIST", "Min liste",        "Dato=14-01-2025",  "Version= 2,5 ",    country,
          "EnergiBasis=1 ME",    "EnergiEnhet=1 MJ", "EnergiFaktor=1,0", "ProteinType=0 CP", "------"};
}

std::vector<std::string> Analysis(double base) {
  std::vector<std::string> out;
  for (int i = 0; i < 24; ++i) out.push_back("N" + std::to_string(i) + "=" + std::to_string(base + i) + " g");
  return out;
}

std::vector<std::string> Block(const std::string& name, int category, const std::vector<std::string>& analysis,
                               const std::string& brand = "GENERIC") {
  std::vector<std::string> out = {
      "Fodernavn=" + name, "Brand=" + brand, "Pris=3,5", "TS=87", "Type=" + std::to_string(category) + " Korn",
      "Laast=TRUE",        "Karoten=False"};
  out.insert(out.end(), analysis.begin(), analysis.end());
  out.push_back("------");
  return out;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ImportTest : public ::testing::Test {
 protected:
  bool Read(const std::string& text) { return ReadFeedListText(list, text, "liste.txt", messages); }
  FeedsEnv fx;
  TForListe list{*fx.env};
  RecordingMessages messages;
};

TEST_F(ImportTest, HeaderAndVersionTwoBlocks) {
  ASSERT_TRUE(
      Read(Lines(Header() + Block("Havre", 8, Analysis(1)) + Block("Hø", 6, {"#"}) + Block("Byg", 8, Analysis(2)))));
  EXPECT_EQ(list.ForlisteNavn, "Min liste");
  EXPECT_EQ(list.ForListeFilNavn, "liste.txt");
  EXPECT_EQ(list.EndretDato, EncodeDate(2025, 1, 14));
  EXPECT_EQ(list.Versjon, 2.5);
  EXPECT_EQ(list.SpraakNr, 45);
  EXPECT_EQ(list.EnergiBasis, EnergiBasisType::ME);
  EXPECT_EQ(list.EnergiEnhet, EnergiEnhetstype::MJ);
  EXPECT_EQ(list.EnergiFaktor, 1);
  EXPECT_EQ(list.ProteinType, TProteinBeregning::CP);
  EXPECT_EQ(list.EnergiBeregning, TEnergiBeregning::fransk);  // not in the file: the active one's
  ASSERT_EQ(list.Count(), 3);
  const TFor& oats = *list.FeedAt(0);
  EXPECT_EQ(oats.Fornavn, "Havre");
  EXPECT_EQ(oats.Brand, "GENERIC");
  EXPECT_EQ(oats.Pris, 3.5);
  EXPECT_EQ(oats.TorrStoff, 87);
  EXPECT_EQ(oats.Fortype, 8);
  EXPECT_TRUE(oats.KanIkkeEndres);
  EXPECT_FALSE(oats.KarotenRikt);
  EXPECT_FALSE(oats.Valgt);
  EXPECT_EQ(oats.Versjon, 2.17);
  ASSERT_EQ(oats.ValueCount(), 24);
  EXPECT_EQ(oats.Value(0), 1);
  EXPECT_EQ(oats.Value(23), 24);
  EXPECT_DOUBLE_EQ(oats.Value(6), 4.0 / 5.0);  // the ratio from values 3 and 4
  // "#" on the analysis line: no values, and the next block follows the separator line.
  EXPECT_EQ(list.FeedAt(1)->Fornavn, "Hø");
  EXPECT_EQ(list.FeedAt(1)->ValueCount(), 0);
  EXPECT_EQ(list.FeedAt(2)->Fornavn, "Byg");
  EXPECT_EQ(list.FeedAt(2)->Value(0), 2);
  EXPECT_EQ(list.PickedCount(), 0);
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text, "ForlisteFraTekstFil, Min liste, Antal foderemner i listen:  = 3");
}

TEST_F(ImportTest, AllFeedsEndUnpicked) {
  ASSERT_TRUE(Read(Lines(Header() + Block("a", 8, {""}) + Block("b", 8, {""}) + Block("c", 8, {""}))));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.PickedCount(), 0);
  EXPECT_EQ(messages.entries.back().text, "ForlisteFraTekstFil, Min liste, Antal foderemner i listen:  = 3");
}

TEST_F(ImportTest, AWrongFirstLineAbortsWithTheFormatMessage) {
  EXPECT_FALSE(Read(Lines({"Stallora - FEEDLIST ", "x"})));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].kind, Entry::kError);
  EXPECT_EQ(messages.entries[0].text, "liste.txt-error: Unexpected format of feed-file - Aborts task!");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ForlisteNavn, "foderliste");
  EXPECT_EQ(list.ForListeFilNavn, "");
}

TEST_F(ImportTest, CountryNumberComesFromTheFirstThreeCharacters) {
  for (auto [line, number] : {std::pair{"47 Norge", 47}, std::pair{"147", 147}, std::pair{"4", 4}, std::pair{"45", 45},
                              std::pair{" 46Sverige", 46}}) {
    TForListe l(*fx.env);
    RecordingMessages m;
    ASSERT_TRUE(ReadFeedListText(l, Lines(Header(line)), "x", m));
    EXPECT_EQ(l.SpraakNr, number) << line;
    if (number != 45) {
      ASSERT_EQ(m.entries.size(), 2u) << line;
      EXPECT_EQ(m.entries[0].text,
                "Feedfile: country of origin = " + std::to_string(number) +
                    "!\rStallora country = 45\rNo energy or proetein conversions are being made here now!");
    } else {
      EXPECT_EQ(m.entries.size(), 1u);
    }
  }
}

TEST_F(ImportTest, VersionOneBlocksHaveNoBrandLine) {
  ASSERT_TRUE(Read(Lines(
      Header() + std::vector<std::string>{"Gulerod", "Pris=12.5", "TS=12", "Type=5", "FALSE", "TRUE", "#", "----"})));
  ASSERT_EQ(list.Count(), 1);
  const TFor& f = *list.FeedAt(0);
  EXPECT_EQ(f.Fornavn, "Gulerod");  // a line without "=" is its own value
  EXPECT_EQ(f.Brand, "Version1");
  EXPECT_EQ(f.Pris, 12.5);
  EXPECT_EQ(f.TorrStoff, 12);
  EXPECT_EQ(f.Fortype, 5);
  EXPECT_FALSE(f.KanIkkeEndres);
  EXPECT_TRUE(f.KarotenRikt);
}

TEST_F(ImportTest, AnalysisValuesNeedAUnitAfterTheNumber) {
  std::vector<std::string> analysis = Analysis(0);
  analysis[3] = "Ca=7.5 g";
  analysis[4] = "P=7.5";        // no blank: the number does not read
  analysis[5] = "Mg=2,5 g";     // a comma reads too
  analysis[7] = "Salt=abc g";   // no number
  analysis[8] = "Jern= 40 mg";  // the first word is empty
  ASSERT_TRUE(Read(Lines(Header() + Block("a", 8, analysis))));
  const TFor& f = *list.FeedAt(0);
  EXPECT_EQ(f.Value(3), 7.5);
  EXPECT_EQ(f.Value(4), 0);
  EXPECT_EQ(f.Value(5), 2.5);
  EXPECT_EQ(f.Value(6), 0);  // no phosphorus: ratio 0
  EXPECT_EQ(f.Value(7), 0);
  EXPECT_EQ(f.Value(8), 0);
}

TEST_F(ImportTest, NamesAndBrandsAreCutTo255Characters) {
  ASSERT_TRUE(Read(Lines(Header() + Block(std::string(300, 'n'), 8, {"#"}, std::string(300, 'b')))));
  EXPECT_EQ(list.FeedAt(0)->Fornavn, std::string(255, 'n'));
  EXPECT_EQ(list.FeedAt(0)->Brand, std::string(255, 'b'));
}

TEST_F(ImportTest, FailuresThatEndTheImport) {
  // A category outside 0..11.
  EXPECT_THROW(
      {
        try {
          Read(Lines(Header() + Block("a", 12, {"#"})));
        } catch (const FeedImportError& e) {
          EXPECT_STREQ(e.what(), "Range check error");
          throw;
        }
      },
      FeedImportError);
  // An "=" beyond the 255th character.
  {
    TForListe l(*fx.env);
    std::vector<std::string> lines = Header() + Block("a", 8, {"#"});
    lines[10] = std::string(255, 'x') + "=Havre";
    EXPECT_THROW(ReadFeedListText(l, Lines(lines), "x", messages), FeedImportError);
    lines[10] = std::string(254, 'x') + "=Havre";  // the 255th character is still fine
    TForListe ok(*fx.env);
    ReadFeedListText(ok, Lines(lines), "x", messages);
    EXPECT_EQ(ok.FeedAt(0)->Fornavn, "Havre");
  }
  // A date that does not read in the short date format.
  {
    TForListe l(*fx.env);
    std::vector<std::string> lines = Header();
    lines[2] = "Dato=2025-01-14";
    try {
      ReadFeedListText(l, Lines(lines), "x", messages);
      ADD_FAILURE();
    } catch (const FeedImportError& e) {
      EXPECT_STREQ(e.what(), "'2025-01-14' is not a valid date");
    }
    lines[2] = "Dato=";
    TForListe today(*fx.env);
    today.EndretDato = 0;
    ReadFeedListText(today, Lines(lines), "x", messages);
    EXPECT_EQ(today.EndretDato, EncodeDate(2025, 1, 15));
  }
  // An energy basis outside the three bases.
  {
    TForListe l(*fx.env);
    std::vector<std::string> lines = Header();
    lines[5] = "EnergiBasis=3 X";
    EXPECT_THROW(ReadFeedListText(l, Lines(lines), "x", messages), FeedImportError);
  }
}

TEST_F(ImportTest, NumbersThatDoNotReadKeepTheValuesOfANewRecord) {
  std::vector<std::string> lines = Header() + Block("a", 8, {"#"});
  lines[3] = "Version=ny";
  lines[5] = "EnergiBasis=2";  // no blank after the number: no first word
  lines[7] = "EnergiFaktor=0";
  lines[8] = "ProteinType=5 X";
  lines[12] = "Pris=gratis";
  lines[13] = "TS=";
  lines[14] = "Type=x";
  ASSERT_TRUE(Read(Lines(lines)));
  EXPECT_EQ(list.Versjon, 2.17);
  EXPECT_EQ(list.EnergiBasis, EnergiBasisType::NE);     // the active object's
  EXPECT_EQ(list.EnergiFaktor, 1);                      // a factor of 0 would void every energy value
  EXPECT_EQ(list.ProteinType, TProteinBeregning::DCP);  // above 1 counts as 1
  EXPECT_EQ(list.FeedAt(0)->Pris, 0);
  EXPECT_EQ(list.FeedAt(0)->TorrStoff, 85);
  EXPECT_EQ(list.FeedAt(0)->Fortype, 1);
}

TEST_F(ImportTest, AFileCutShortKeepsWhatWasRead) {
  std::vector<std::string> lines = Header() + Block("a", 8, Analysis(1));
  lines.resize(lines.size() - 15);  // inside the analysis lines
  ASSERT_TRUE(Read(Lines(lines)));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.FeedAt(0)->ValueCount(), 10);
  EXPECT_EQ(list.FeedAt(0)->Value(9), 10);
  // A header cut short: no feeds, the count message all the same.
  TForListe l(*fx.env);
  RecordingMessages m;
  ASSERT_TRUE(ReadFeedListText(l, Lines({"Stallora - FEEDLIST", "Kort"}), "x", m));
  EXPECT_EQ(l.ForlisteNavn, "Kort");
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(m.entries.back().text, "ForlisteFraTekstFil, Kort, Antal foderemner i listen:  = 0");
  // Blank lines at the very end are no feed.
  TForListe blanks(*fx.env);
  ASSERT_TRUE(
      ReadFeedListText(blanks, Lines(Header() + Block("a", 8, {"#"}) + std::vector<std::string>{"", ""}), "x", m));
  EXPECT_EQ(blanks.Count(), 1);
}

TEST_F(ImportTest, FilesOnDisk) {
  const auto missing = fx.dir / "mangler.txt";
  EXPECT_FALSE(ImportFromText(list, missing, messages));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text, "Feed file not found: " + PathText(missing));
  const auto file = fx.dir / "liste.txt";
  const std::string text = Lines(Header() + Block("Havre", 8, Analysis(1)));
  std::ofstream(file, std::ios::binary) << text;
  TForListe l(*fx.env);
  ASSERT_TRUE(ImportFromText(l, file, messages));
  EXPECT_EQ(l.ForListeFilNavn, PathText(file));
  EXPECT_EQ(l.Count(), 1);
  EXPECT_EQ(ReadWholeFile(file), text);  // the source is only read
  // A directory cannot be read as a file: the system's error number.
  TForListe d(*fx.env);
  try {
    ImportFromText(d, fx.dir, messages);
    ADD_FAILURE();
  } catch (const FeedImportError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("I/O error ", 0), 0u) << e.what();
  }
}

TEST(EnergyLineMigration, ReplacesOnlyUnquotedLinesWithNrc) {
  bool changed = true;
  EXPECT_EQ(MigrateEnergyLinesText("object TForListe\r\n  EnergiBeregning = fransk\r\nend\r\n", &changed),
            "object TForListe\r\n  EnergiBeregning = fransk\r\nend\r\n");
  EXPECT_FALSE(changed);
  EXPECT_EQ(
      MigrateEnergyLinesText("object TForListe\n  EnergiBeregning = NRC1989\n  Fornavn = 'NRC hø'\nend", &changed),
      "object TForListe\nEnergiBeregning = nrc2007\n  Fornavn = 'NRC hø'\nend");  // its own line ends, none at the end
  EXPECT_TRUE(changed);
  // Each line keeps its own line end, CR LF, LF or CR alike.
  EXPECT_EQ(MigrateEnergyLinesText("object TForListe\r\n  EnergiBeregning = NRC\r  x = 1\nend\r\n", &changed),
            "object TForListe\r\nEnergiBeregning = nrc2007\r  x = 1\nend\r\n");
}

TEST(ImportListFile, MigratesAFileInMemoryAndSavesItIntoTheWorkspace) {
  FeedsEnv fx;
  const auto source = fx.dir / "udefra.eqf";
  const std::string text =
      "object TForListe\r\n  ForlisteNavn = 'Gammel liste'\r\n  EnergiBeregning = NRC\r\n"
      "  EnergiBasis = DE\r\n  EnergiEnhet = MCal\r\n  ProteinType = CP\r\n"
      "  object TFor\r\n    Fornavn = 'NRC hø'\r\n    Analyser = {}\r\n  end\r\nend\r\n";
  std::ofstream(source, std::ios::binary) << text;
  ImportedList r = ImportListFile(source, *fx.env, {"Standard"});
  ASSERT_TRUE(r.list) << r.error;
  EXPECT_EQ(r.list->EnergiBeregning, TEnergiBeregning::nrc2007);
  EXPECT_EQ(r.list->FeedAt(0)->Fornavn, "NRC hø");
  EXPECT_EQ(ReadWholeFile(source), text);  // the user's file is not rewritten
  const auto saved = fx.FeedDir() / "Gammel liste.eqf";
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(r.list->ForListeFilNavn, PathText(saved));
  EXPECT_EQ(ReadWholeFile(saved), RecordText(*r.list));

  // Importing it again would replace the list now in the workspace: refused.
  ImportedList again = ImportListFile(source, *fx.env, {});
  EXPECT_FALSE(again.list);
  EXPECT_EQ(again.error, "Der findes allerede en foderliste med navnet: Gammel liste");
  ImportedList named = ImportListFile(source, *fx.env, {"gammel LISTE"});
  EXPECT_FALSE(named.list);

  // Names that would leave the feed directory are refused.
  const auto evil = fx.dir / "evil.eqf";
  std::ofstream(evil, std::ios::binary) << "object TForListe\r\n  ForlisteNavn = '../../x'\r\nend\r\n";
  ImportedList refused = ImportListFile(evil, *fx.env, {});
  EXPECT_FALSE(refused.list);
  EXPECT_EQ(refused.error, "Et navn m\xE5 ikke begynde med punktum: \"../../x\"");
  EXPECT_FALSE(std::filesystem::exists(fx.dir / "Save" / "x.eqf"));
  std::ofstream(evil, std::ios::binary) << "object TForListe\r\n  ForlisteNavn = 'a/b'\r\nend\r\n";
  EXPECT_EQ(ImportListFile(evil, *fx.env, {}).error, "Et navn m\xE5 ikke indeholde / eller \\: \"a/b\"");

  // A file that is not object text, and one that is missing.
  const auto junk = fx.dir / "junk.eqf";
  std::ofstream(junk, std::ios::binary) << "hello";
  EXPECT_FALSE(ImportListFile(junk, *fx.env, {}).error.empty());
  EXPECT_EQ(ImportListFile(fx.dir / "none.eqf", *fx.env, {}).error,
            "Cannot open file " + PathText(fx.dir / "none.eqf"));
  // A mix keeps its extension.
  const auto mix = fx.dir / "b.mix";
  std::ofstream(mix, std::ios::binary)
      << "object TForListe\r\n  ForlisteNavn = 'Blanding'\r\n  ForBlanding = True\r\nend\r\n";
  ImportedList m = ImportListFile(mix, *fx.env, {});
  ASSERT_TRUE(m.list) << m.error;
  EXPECT_TRUE(std::filesystem::exists(fx.FeedDir() / "Blanding.mix"));
}

}  // namespace
}  // namespace stallora
