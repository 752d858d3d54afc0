// Writing and reading records: the printing rules, the omission rules, and the reader's
// assignment rules and messages.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "core/fileio.h"
#include "core/objtext.h"
#include "test_records.h"

namespace stallora {
namespace {

using testing::TFeed;
using testing::TList;
using testing::TStable;
using testing::TStableWithExtras;

std::string Crlf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ObjTextError& e) {
    return e.what();
  }
  return "(no error)";
}

void Read(std::string_view text, Record& r) { ReadRecordText(text, r, testing::TestRegistry()); }

TEST(ObjTextWriter, WritesTheStableExampleByteForByte) {
  TStable stall;
  stall.stallNavn = "Eksempel";
  stall.list->ForlisteNavn = "foderliste-Eksempel";
  stall.list->SpraakNr = 45;
  stall.list->Versjon = 2.17;
  const std::string expected = Crlf(
      "object TStall\n"
      "  stallNavn = 'Eksempel'\n"
      "  StallNoMeals = 4\n"
      "  SFTider.Strings = (\n"
      "    '28800'\n"
      "    '43200'\n"
      "    '61200'\n"
      "    '75600')\n"
      "  ErModellHestStall = False\n"
      "  DiverseOpplysninger = {}\n"
      "  object TForListe\n"
      "    ForlisteNavn = 'foderliste-Eksempel'\n"
      "    SpraakNr = 45\n"
      "    Versjon = 2.17\n"
      "    ForBlanding = False\n"
      "    Forblandingstype = 0\n"
      "    DyreartNr = 0\n"
      "    Endret = False\n"
      "    EnergiBeregning = nrc2007\n"
      "    EnergiBasis = DE\n"
      "    EnergiEnhet = MCal\n"
      "    EnergiFaktor = 1\n"
      "    ProteinType = CP\n"
      "    GarantiForlisteVersjon = 0\n"
      "    ErGarantiForliste = False\n"
      "  end\n"
      "end\n");
  EXPECT_EQ(RecordText(stall), expected);

  // And it reads back into the same record.
  TStable back;
  Read(expected, back);
  EXPECT_EQ(RecordText(back), expected);
}

TEST(ObjTextWriter, LeavesOutZeroRealsEmptyStringsEmptyListsAndMinimumIntegers) {
  TStableWithExtras s;
  s.SFTider.clear();
  s.list->EnergiFaktor = 0;
  s.Antal = std::numeric_limits<int32_t>::min();
  s.Dato = -0.0;
  const std::string text = RecordText(s);
  EXPECT_EQ(text.find("stallNavn"), std::string::npos);
  EXPECT_EQ(text.find("SFTider"), std::string::npos);
  EXPECT_EQ(text.find("EnergiFaktor"), std::string::npos);
  EXPECT_EQ(text.find("Antal"), std::string::npos);
  EXPECT_EQ(text.find("Dato"), std::string::npos);
  EXPECT_EQ(text.find("Bilde"), std::string::npos);
  EXPECT_EQ(text.find("Kode"), std::string::npos);
  EXPECT_NE(text.find("Type = 0"), std::string::npos);  // integers are always written

  // Reloaded, the left-out values come back as the constructor made them.
  TStableWithExtras back;
  Read(text, back);
  EXPECT_EQ(back.SFTider, (StringList{"28800", "43200", "61200", "75600"}));
  EXPECT_EQ(back.list->EnergiFaktor, 1);
  EXPECT_EQ(back.Antal, 0);
}

TEST(ObjTextWriter, NotANumberIsLeftOutAndInfinityRefused) {
  TStableWithExtras s;
  s.Dato = std::nan("");
  EXPECT_EQ(RecordText(s).find("Dato"), std::string::npos);
  s.Dato = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ErrorOf([&] { (void)RecordText(s); }), "Error writing TStallX.Dato: Invalid floating point value");
}

TEST(ObjTextWriter, TagOnlyWhenNotZeroAndNameNever) {
  TFeed f;
  f.Name = "Feed1";
  std::string text = RecordText(f);
  EXPECT_EQ(text, Crlf("object TFor\n  Fortype = 0\n  Analyser = {}\nend\n"));
  f.Tag = 7;
  text = RecordText(f);
  EXPECT_EQ(text, Crlf("object TFor\n  Tag = 7\n  Fortype = 0\n  Analyser = {}\nend\n"));
  TFeed back;
  Read(text, back);
  EXPECT_EQ(back.Tag, 7);
}

TEST(ObjTextStrings, SixtyFourBytesStayOnTheLineSixtyFiveMoveDown) {
  TFeed f;
  f.Fornavn = std::string(64, 'A');
  EXPECT_NE(RecordText(f).find("  Fornavn = '" + std::string(64, 'A') + "'\r\n"), std::string::npos);
  f.Fornavn = std::string(65, 'A');
  EXPECT_NE(RecordText(f).find("  Fornavn = \r\n    '" + std::string(64, 'A') + "' +\r\n    'A'\r\n"),
            std::string::npos);
  f.Fornavn = std::string(70, 'A');
  EXPECT_NE(RecordText(f).find("  Fornavn = \r\n    '" + std::string(64, 'A') + "' +\r\n    'AAAAAA'\r\n"),
            std::string::npos);
  TFeed back;
  Read(RecordText(f), back);
  EXPECT_EQ(back.Fornavn, f.Fornavn);
}

TEST(ObjTextStrings, ApostrophesAndControlBytesBecomeCodes) {
  TFeed f;
  f.Fornavn = "It's";
  EXPECT_NE(RecordText(f).find("Fornavn = 'It'#39's'\r\n"), std::string::npos);
  TFeed back;
  Read(RecordText(f), back);
  EXPECT_EQ(back.Fornavn, "It's");
  Read("object TFor Fornavn = 'It''s' end", back);
  EXPECT_EQ(back.Fornavn, "It's");

  f.Fornavn = "\r\n";
  EXPECT_NE(RecordText(f).find("Fornavn = #13#10\r\n"), std::string::npos);
  f.Fornavn = "Linje 1\r\nLinje 2";
  EXPECT_NE(RecordText(f).find("Fornavn = 'Linje 1'#13#10'Linje 2'\r\n"), std::string::npos);
  f.Fornavn = "\x01\x1F\x7F\xE6";  // high and DEL bytes print as they are
  EXPECT_NE(RecordText(f).find("Fornavn = #1#31'\x7F\xE6'\r\n"), std::string::npos);
}

TEST(ObjTextStrings, CodesCountTowardsTheSixtyFourBytesOfALine) {
  TFeed f;
  // 62 letters, then CR LF, then more letters: the line break falls after byte 64.
  f.Fornavn = std::string(62, 'x') + "\r\n" + "yy";
  const std::string text = RecordText(f);
  EXPECT_NE(text.find("    '" + std::string(62, 'x') + "'#13#10 +\r\n    'yy'\r\n"), std::string::npos);
  // A run is cut where the line's share reaches 64 bytes.
  f.Fornavn = "#" + std::string(100, 'z');
  f.Fornavn[0] = '\'';
  const std::string t2 = RecordText(f);
  EXPECT_NE(t2.find("    #39'" + std::string(63, 'z') + "' +\r\n    '" + std::string(37, 'z') + "'\r\n"),
            std::string::npos);
  TFeed back;
  Read(t2, back);
  EXPECT_EQ(back.Fornavn, f.Fornavn);
}

TEST(ObjTextStrings, StringListLinesAndLongLinesInLists) {
  TStable s;
  s.SFTider = {"a", std::string(65, 'b'), ""};
  const std::string text = RecordText(s);
  EXPECT_NE(text.find("  SFTider.Strings = (\r\n    'a'\r\n    \r\n      '" + std::string(64, 'b') +
                      "' +\r\n      'b'\r\n    '')\r\n"),
            std::string::npos);
  TStable back;
  Read(text, back);
  EXPECT_EQ(back.SFTider, s.SFTider);
}

TEST(ObjTextBinary, ShortBlocksStayOnTheLineLongOnesTakeChunksOf32) {
  TFeed f;
  EXPECT_NE(RecordText(f).find("  Analyser = {}\r\n"), std::string::npos);
  std::string h31;
  for (int i = 0; i < 31; ++i) h31 += "AB";
  f.analyses = std::string(31, '\xAB');
  EXPECT_NE(RecordText(f).find("  Analyser = {" + h31 + "}\r\n"), std::string::npos);
  std::string h32;
  for (int i = 0; i < 32; ++i) h32 += "AB";
  f.analyses = std::string(32, '\xAB');
  EXPECT_NE(RecordText(f).find("  Analyser = {\r\n    " + h32 + "}\r\n"), std::string::npos);
  f.analyses = std::string(33, '\xAB');
  EXPECT_NE(RecordText(f).find("  Analyser = {\r\n    " + h32 + "\r\n    AB}\r\n"), std::string::npos);
  f.analyses.assign("\x00\x0f\xf0\xff", 4);
  EXPECT_NE(RecordText(f).find("Analyser = {000FF0FF}"), std::string::npos);
  TFeed back;
  Read(RecordText(f), back);
  EXPECT_EQ(back.analyses, f.analyses);
  // Lower-case digits and blanks between pairs are read as well.
  Read("object TFor Analyser = {0a 0B\r\n  ff} end", back);
  EXPECT_EQ(back.analyses, std::string("\x0a\x0b\xff"));
}

TEST(ObjTextPicture, LengthPrefixedJpegBytes) {
  TStableWithExtras s;
  s.Bilde.jpeg = "\xFF\xD8\xFF\xD9";
  const std::string text = RecordText(s);
  EXPECT_NE(text.find("  Bilde.Data = {04000000FFD8FFD9}\r\n"), std::string::npos);
  TStableWithExtras back;
  Read(text, back);
  EXPECT_EQ(back.Bilde, s.Bilde);
  // A length that runs past the block is refused, not read beyond it.
  EXPECT_EQ(ErrorOf([&] { Read("object TStallX Bilde.Data = {05000000FFD8FFD9} end", back); }),
            "Error reading TStallX.Bilde.Data: Invalid property value");
}

TEST(ObjTextReader, NamesAreMatchedWithoutRegardToCase) {
  TStable s;
  Read("object tstall\n erModellHestStall = true\n STALLNAVN = 'x'\n sftider.strings = ('1')\nend", s);
  EXPECT_TRUE(s.ErModellHestStall);
  EXPECT_EQ(s.stallNavn, "x");
  EXPECT_EQ(s.SFTider, StringList{"1"});
  Read("object TStall object TForListe EnergiBeregning = DUTCH end end", s);
  EXPECT_EQ(s.list->EnergiBeregning, testing::Energi::dutch);
}

TEST(ObjTextReader, IgnoresIndentationAndLineBreaks) {
  TStable s;
  Read("object   TStall stallNavn\n=\n'a'   StallNoMeals=\t3 SFTider.Strings=('x''y'\n'z')end", s);
  EXPECT_EQ(s.stallNavn, "a");
  EXPECT_EQ(s.StallNoMeals, 3);
  EXPECT_EQ(s.SFTider, (StringList{"x'y", "z"}));
}

TEST(ObjTextReader, RealsTakeIntegersAndPlainFloatsOnly) {
  TFeed f;
  Read("object TFor Pris = 450 end", f);
  EXPECT_EQ(f.Pris, 450);
  Read("object TFor Pris = 4.5E2 end", f);
  EXPECT_EQ(f.Pris, 450);
  Read("object TFor Pris = -1.5e-3 end", f);
  EXPECT_EQ(f.Pris, -0.0015);
  for (const char* marked : {"450d", "450s", "450c", "4.5e2D"})
    EXPECT_EQ(ErrorOf([&] { Read(std::string("object TFor Pris = ") + marked + " end", f); }),
              "Error reading TFor.Pris: Invalid property value")
        << marked;
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Pris = 'x' end", f); }), "Error reading TFor.Pris: Invalid property value");
}

TEST(ObjTextReader, TypeMismatchesAndUnknownNames) {
  TFeed f;
  EXPECT_EQ(ErrorOf([&] { Read("object TFor\n  Prix = 12.5\nend", f); }),
            "Error reading TFor.Prix: Property does not exist");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Fortype = 1.5 end", f); }),
            "Error reading TFor.Fortype: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Fortype = 12 end", f); }),
            "Error reading TFor.Fortype: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Fornavn = 5 end", f); }),
            "Error reading TFor.Fornavn: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Fornavn = 'a'#8364 end", f); }),
            "Error reading TFor.Fornavn: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Fornavn.Strings = ('a') end", f); }),
            "Error reading TFor.Fornavn.Strings: Property does not exist");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Analyser = 'x' end", f); }),
            "Error reading TFor.Analyser: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TFor Analyser = {626164} end", f); }),
            "Error reading TFor.Analyser: Analysis values cannot be read");
  TStable s;
  EXPECT_EQ(ErrorOf([&] { Read("object TStall ErModellHestStall = Maybe end", s); }),
            "Error reading TStall.ErModellHestStall: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TStall ErModellHestStall = 1 end", s); }),
            "Error reading TStall.ErModellHestStall: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TStall SFTider.Strings = ('a' 5) end", s); }),
            "Error reading TStall.SFTider.Strings: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TStall SFTider = ('a') end", s); }),
            "Error reading TStall.SFTider: Invalid property value");
  EXPECT_EQ(ErrorOf([&] { Read("object TStall StallNoMeals = 2147483648 end", s); }),
            "Error reading TStall.StallNoMeals: Invalid property value");
  Read("object TStall StallNoMeals = -2147483648 end", s);
  EXPECT_EQ(s.StallNoMeals, std::numeric_limits<int32_t>::min());
  Read("object TStall StallNoMeals = $7FFFFFFF end", s);
  EXPECT_EQ(s.StallNoMeals, 2147483647);
}

TEST(ObjTextReader, ShortStringsKeepTheirDeclaredLength) {
  TStableWithExtras s;
  Read("object TStallX Kode = '0123456789' end", s);
  EXPECT_EQ(s.Kode, "01234567");
}

TEST(ObjTextReader, RootClassIsNotCheckedButNamesAre) {
  // A horse file read into a stable: properties the stable knows are assigned until the
  // first one it does not know.
  TStable s;
  const std::string horse = "object THest\n  stallNavn = 'Nord'\n  Navn = 'Pollux'\n  StallNoMeals = 9\nend\n";
  EXPECT_EQ(ErrorOf([&] { Read(horse, s); }), "Error reading TStall.Navn: Property does not exist");
  EXPECT_EQ(s.stallNavn, "Nord");
  EXPECT_EQ(s.StallNoMeals, 4);
}

TEST(ObjTextReader, ChildrenComeFromTheRegistryAndAttachInFileOrder) {
  TList l;
  Read("object TForListe\n object TFor Fornavn = 'Havre' end\n object tfor Fornavn = 'Hø' end\nend", l);
  ASSERT_EQ(l.feeds.size(), 2u);
  EXPECT_EQ(l.feeds[0]->Fornavn, "Havre");
  EXPECT_EQ(l.feeds[1]->Fornavn, "Hø");
  EXPECT_EQ(ErrorOf([&] { Read("object TForListe object THest end end", l); }), "Class THest not found");
  // A child the enclosing record does not take stays with the root.
  TStable s;
  Read("object TStall object TFor Fornavn = 'x' end end", s);
  ASSERT_EQ(s.StrayChildren().size(), 1u);
  EXPECT_EQ(static_cast<const TFeed&>(*s.StrayChildren()[0]).Fornavn, "x");
}

TEST(ObjTextReader, AGrammarErrorAssignsNothing) {
  TStable s;
  EXPECT_EQ(ErrorOf([&] { Read("object TStall\n stallNavn = 'a'\n StallNoMeals 3\nend", s); }),
            "''='' expected on line 3");
  EXPECT_EQ(s.stallNavn, "");
}

TEST(ObjTextReader, ReadRecordFromStringMakesTheRootFromTheRegistry) {
  auto r = ReadRecordFromString("object TFor Fornavn = 'Gulerod' end", testing::TestRegistry());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(static_cast<TFeed&>(*r).Fornavn, "Gulerod");
  EXPECT_EQ(ErrorOf([] { (void)ReadRecordFromString("object TUkendt end", testing::TestRegistry()); }),
            "Class TUkendt not found");
}

// A text over 1 MiB is read in one pass with no tree of it; a grammar error anywhere is still
// the error given, before whatever the records made of the text before it.
TEST(ObjTextReader, ALargeTextGivesTheErrorsOfTheWholeCheckFirst) {
  std::string feeds;
  int count = 0;
  for (; feeds.size() <= (size_t{1} << 20); ++count) feeds += " object TFor Fornavn = 'Havre' Pris = 1.5 end\n";
  auto read = [](const std::string& text) {
    return ErrorOf([&] { (void)ReadRecordFromString(text, testing::TestRegistry()); });
  };
  auto whole =
      ReadRecordFromString("object TForListe\n ForlisteNavn = 'Stor'\n" + feeds + " object TFor Pris = 2 end\nend\n",
                           testing::TestRegistry());
  ASSERT_NE(whole, nullptr);
  const TList& list = static_cast<const TList&>(*whole);
  EXPECT_EQ(list.ForlisteNavn, "Stor");
  ASSERT_EQ(list.feeds.size(), static_cast<size_t>(count) + 1);
  EXPECT_EQ(list.feeds[0]->Fornavn, "Havre");
  EXPECT_EQ(list.feeds.back()->Pris, 2);

  const std::string lastLine = std::to_string(count + 3);
  EXPECT_EQ(read("object TForListe\n Prix = 1\n" + feeds + " object TFor Pris 2 end\nend\n"),
            "''='' expected on line " + lastLine);
  EXPECT_EQ(read("object TForListe\n Prix = 1\n" + feeds + "end\n"),
            "Error reading TForListe.Prix: Property does not exist");
  EXPECT_EQ(read("object TForListe\n object THest end\n" + feeds + " object TFor Pris = {0} end\nend\n"),
            "Invalid binary value on line " + lastLine);
  EXPECT_EQ(read("object TForListe\n object THest Navn = 'x' end\n" + feeds + "end\n"), "Class THest not found");
  EXPECT_EQ(read("object TForListe\n" + feeds + " object TFor Pris = 'x' end\n" + feeds +
                 " object TFor Fortype = 1.5 end\nend\n"),
            "Error reading TFor.Pris: Invalid property value")
      << "the first of the records' errors, not a later one";
  EXPECT_EQ(read("object TUkendt\n" + feeds + "end 'after the end is not read"), "Class TUkendt not found");
  EXPECT_EQ(read("object TUkendt\n" + feeds + " x = ,\nend\n"), "OBJECT expected on line " + std::to_string(count + 2));
}

TEST(ObjTextRoundTrip, SixteenDigitFloatsComeBackRounded) {
  TFeed f;
  f.Pris = 0.1 + 0.2;
  TFeed back;
  Read(RecordText(f), back);
  EXPECT_EQ(back.Pris, 0.3);
  EXPECT_NE(back.Pris, 0.1 + 0.2);
  f.Pris = 452.5;
  Read(RecordText(f), back);
  EXPECT_EQ(back.Pris, 452.5);
}

class ObjTextFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("stallora-objtext-" + std::to_string(::getpid()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(ObjTextFiles, SaveThenLoad) {
  TStable s;
  s.stallNavn = "\xC6rl\xF8v";
  s.notes = "{\\rtf1 x}";
  const auto path = dir_ / "a.eqs";
  SaveRecordToFile(s, path);
  TStable back;
  LoadRecordFromFile(back, path, testing::TestRegistry());
  EXPECT_EQ(back.stallNavn, s.stallNavn);
  EXPECT_EQ(back.notes, s.notes);
  // Nothing but the file itself is left in the directory.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(ObjTextFiles, MissingFileAndUncreatableFileMessages) {
  TStable s;
  const auto missing = dir_ / "nope.eqs";
  EXPECT_EQ(ErrorOf([&] { LoadRecordFromFile(s, missing, testing::TestRegistry()); }),
            "Cannot open file " + missing.string());
  const auto bad = dir_ / "no-such-dir" / "x.eqs";
  EXPECT_EQ(ErrorOf([&] { SaveRecordToFile(s, bad); }), "Cannot create file " + bad.string());
}

TEST_F(ObjTextFiles, AFailedSaveKeepsThePreviousFile) {
  const auto path = dir_ / "keep.eqs";
  TStableWithExtras s;
  s.stallNavn = "first";
  SaveRecordToFile(s, path);
  const std::string before = *ReadWholeFile(path);
  s.stallNavn = "second";
  s.Dato = std::numeric_limits<double>::infinity();
  EXPECT_THROW(SaveRecordToFile(s, path), ObjTextError);
  EXPECT_EQ(*ReadWholeFile(path), before);
  // A target that cannot be replaced (a directory of that name) fails and leaves no debris.
  const auto dirTarget = dir_ / "sub.eqs";
  std::filesystem::create_directory(dirTarget);
  std::ofstream(dirTarget / "inside") << "x";
  s.Dato = 1;
  EXPECT_EQ(ErrorOf([&] { SaveRecordToFile(s, dirTarget); }), "Cannot create file " + dirTarget.string());
  EXPECT_TRUE(std::filesystem::exists(dirTarget / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2);
}

}  // namespace
}  // namespace stallora
