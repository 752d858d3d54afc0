#include "stable/adresser.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/fileio.h"
#include "core/objtext.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(STALLORA_TEST_DATA) / "adresser";

TAdrRec Rec(std::string navn, int32_t kategori, std::string email = {}) {
  TAdrRec r;
  r.Navn = std::move(navn);
  r.Kategori = kategori;
  r.Email = std::move(email);
  return r;
}

TAdrRec FullRecord() {
  TAdrRec r;
  r.Navn = "Navn";
  r.Adresse1 = "Gade";
  r.Adresse2 = "Post";
  r.Adresse3 = "Land";
  r.Telefon = "Tlf";
  r.Mobiltelefon = "Mob";
  r.Email = "Mail";
  r.Web = "Web";
  r.Kontaktperson = "Kontakt";
  r.Reserve = "Res";
  r.Kategori = 7;
  return r;
}

TEST(AdrRec, LineFormatPutsEmailBeforeWebAndMobile) {
  TAdrRec r;
  r.Navn = "A";
  r.Adresse1 = "B";
  r.Email = "C";
  r.Kategori = 2;
  EXPECT_EQ(AdrRecToString(r), "%A%B%%%%C%%%%%2");
  EXPECT_EQ(AdrRecToString(FullRecord()), "%Navn%Gade%Post%Land%Tlf%Mail%Web%Mob%Kontakt%Res%7");
  EXPECT_EQ(AdrRecToString(TAdrRec{}), "%%%%%%%%%%%0");
  EXPECT_EQ(AdrRecToString(Rec("x", -3)), "%x%%%%%%%%%%-3");
}

TEST(AdrRec, ParsingReadsTheFieldsInLineOrder) {
  EXPECT_EQ(StringToAdrRec("%Navn%Gade%Post%Land%Tlf%Mail%Web%Mob%Kontakt%Res%7"), FullRecord());
  const TAdrRec a = StringToAdrRec("%A%B%%%%C%%%%%2");
  EXPECT_EQ(a.Navn, "A");
  EXPECT_EQ(a.Adresse1, "B");
  EXPECT_EQ(a.Email, "C");
  EXPECT_EQ(a.Kategori, 2);
  EXPECT_EQ(a, StringToAdrRec(AdrRecToString(a)));
  const TAdrRec national = StringToAdrRec("%S\xF8ren \xC6" "bel%\xC5vej%%%%%%%%%0");
  EXPECT_EQ(national.Navn, "S\xF8ren \xC6" "bel");
  EXPECT_EQ(national.Adresse1, "\xC5vej");
}

TEST(AdrRec, MalformedLinesGiveDefinedFields) {
  EXPECT_EQ(StringToAdrRec(""), TAdrRec{});
  EXPECT_EQ(StringToAdrRec("%"), TAdrRec{});
  EXPECT_EQ(StringToAdrRec("%%%%%%%%%%%"), TAdrRec{});

  // Short lines: the missing fields stay empty, the type 0.
  const TAdrRec shortLine = StringToAdrRec("%A%B%2");
  EXPECT_EQ(shortLine.Navn, "A");
  EXPECT_EQ(shortLine.Adresse1, "B");
  EXPECT_EQ(shortLine.Adresse2, "2");
  EXPECT_EQ(shortLine.Kategori, 0);

  // No leading "%": nothing of the name is lost.
  EXPECT_EQ(StringToAdrRec("A%B%C").Navn, "A");
  EXPECT_EQ(StringToAdrRec("A%B%C").Adresse2, "C");

  // Fields after the eleventh are ignored.
  const TAdrRec longLine = StringToAdrRec("%A%B%%%%C%%%%%2%9%junk");
  EXPECT_EQ(longLine.Kategori, 2);
  EXPECT_EQ(longLine.Email, "C");
}

TEST(AdrRec, OnlyADecimalIntegerSetsTheType) {
  const auto kategori = [](const std::string& text) { return StringToAdrRec("%A%%%%%%%%%%" + text).Kategori; };
  EXPECT_EQ(kategori("12"), 12);
  EXPECT_EQ(kategori("-1"), -1);
  EXPECT_EQ(kategori("+4"), 4);
  EXPECT_EQ(kategori(" 3 "), 3);
  EXPECT_EQ(kategori("-2147483648"), INT32_MIN);
  EXPECT_EQ(kategori(""), 0);
  EXPECT_EQ(kategori("x"), 0);
  EXPECT_EQ(kategori("2x"), 0);
  EXPECT_EQ(kategori("2.5"), 0);
  EXPECT_EQ(kategori("+-2"), 0);
  EXPECT_EQ(kategori("+"), 0);
  EXPECT_EQ(kategori("99999999999"), 0);
  EXPECT_EQ(kategori("0x10"), 0);
}

TEST(AdrRec, SeparatorsAndLineBreaksInAFieldCannotShiftTheOthers) {
  TAdrRec r = FullRecord();
  r.Navn = "50% ejer";
  r.Web = "http://x.dk/a%20b";
  r.Kontaktperson = "Line\r\nTo";
  const std::string line = AdrRecToString(r);
  EXPECT_EQ(line, "%50  ejer%Gade%Post%Land%Tlf%Mail%http://x.dk/a 20b%Mob%Line  To%Res%7");
  const TAdrRec back = StringToAdrRec(line);
  EXPECT_EQ(back.Navn, "50  ejer");
  EXPECT_EQ(back.Mobiltelefon, "Mob");
  EXPECT_EQ(back.Reserve, "Res");
  EXPECT_EQ(back.Kategori, 7);
}

// Owners: A (type 2), B (type 0), A (type 3), C (type 2).
TAdresser& Register(TAdresser& a) {
  a.AddRecord(Rec("A", 2, "a1@x"));
  a.AddRecord(Rec("B", 0, "b@x"));
  a.AddRecord(Rec("A", 3, "a2@x"));
  a.AddRecord(Rec("C", 2));
  return a;
}

TEST(Adresser, LookupsByIndex) {
  TAdresser a;
  Register(a);
  EXPECT_EQ(a.GetName(0), "A");
  EXPECT_EQ(a.GetName(3), "C");
  EXPECT_EQ(a.GetName(-1), "");
  EXPECT_EQ(a.GetName(4), "");
  EXPECT_EQ(a.GetAdressatKategori(2), 3);
  EXPECT_EQ(a.GetAdressatKategori(-1), 0);
  EXPECT_EQ(a.GetAdressatKategori(4), 0);
  EXPECT_EQ(TAdresser{}.GetName(0), "");
}

TEST(Adresser, LookupsByNameAreExactAndTakeTheFirst) {
  TAdresser a;
  Register(a);
  EXPECT_EQ(a.GetEmail("A"), "a1@x");
  EXPECT_EQ(a.GetEmail("a"), "");
  EXPECT_EQ(a.GetEmail("A "), "");
  EXPECT_EQ(a.GetEmail("Z"), "");
  EXPECT_TRUE(a.DuplicateNameExists("B"));
  EXPECT_FALSE(a.DuplicateNameExists("b"));
  EXPECT_FALSE(a.DuplicateNameExists(""));

  EXPECT_EQ(a.GetAdresseNr("A", 0), 0);
  EXPECT_EQ(a.GetAdresseNr("A", 2), 0);
  EXPECT_EQ(a.GetAdresseNr("A", 3), 2);
  EXPECT_EQ(a.GetAdresseNr("C", 3), -1);
  EXPECT_EQ(a.GetAdresseNr("B", 0), 1);
  EXPECT_EQ(a.GetAdresseNr("Z", 0), -1);
  EXPECT_EQ(a.GetAdresseRecord("A", 3), Rec("A", 3, "a2@x"));
  EXPECT_EQ(a.GetAdresseRecord("C", 3), TAdrRec{});

  // The single-contact case of the type filter.
  TAdresser one;
  one.AddRecord(Rec("A", 2));
  EXPECT_EQ(one.GetAdresseNr("A", 0), 0);
  EXPECT_EQ(one.GetAdresseNr("A", 3), -1);
}

TEST(Adresser, ANameWithASeparatorFindsTheContactItWasStoredAs) {
  TAdresser a;
  a.AddRecord(Rec("50% ejer", 1, "e@x"));
  EXPECT_TRUE(a.DuplicateNameExists("50% ejer"));
  EXPECT_EQ(a.GetEmail("50% ejer"), "e@x");
  EXPECT_EQ(a.GetAdresseNr("50% ejer", 1), 0);
  int index = 7;
  EXPECT_TRUE(a.DuplicateExists(Rec("50% ejer", 1, "e@x"), index));
  EXPECT_EQ(index, 0);
}

TEST(Adresser, DuplicateExistsComparesEveryFieldButReserve) {
  TAdresser a;
  a.AddRecord(Rec("Other", 1));
  a.AddRecord(FullRecord());
  a.AddRecord(FullRecord());
  int index = 99;
  TAdrRec probe = FullRecord();
  probe.Reserve = "different";
  EXPECT_TRUE(a.DuplicateExists(probe, index));
  EXPECT_EQ(index, 1);

  std::string TAdrRec::*const fields[] = {&TAdrRec::Navn,    &TAdrRec::Adresse1,     &TAdrRec::Adresse2,
                                          &TAdrRec::Adresse3, &TAdrRec::Telefon,     &TAdrRec::Mobiltelefon,
                                          &TAdrRec::Email,   &TAdrRec::Web,          &TAdrRec::Kontaktperson};
  for (auto field : fields) {
    TAdrRec changed = FullRecord();
    changed.*field += "!";
    index = 99;
    EXPECT_FALSE(a.DuplicateExists(changed, index)) << changed.*field;
    EXPECT_EQ(index, -1);
  }
  TAdrRec otherType = FullRecord();
  otherType.Kategori = 8;
  EXPECT_FALSE(a.DuplicateExists(otherType, index));
}

TEST(Adresser, NameLists) {
  TAdresser a;
  Register(a);
  EXPECT_EQ(a.NameList(), (StringList{"A", "B", "A", "C"}));
  EXPECT_EQ(a.SelectedNameList(0), (StringList{"A", "B", "A", "C"}));
  EXPECT_EQ(a.SelectedNameList(2), (StringList{"A", "C"}));
  EXPECT_EQ(a.SelectedNameList(3), (StringList{"A"}));
  EXPECT_EQ(a.SelectedNameList(9), StringList{});
}

TEST(Adresser, EditingKeepsOrderAndIgnoresBadIndices) {
  TAdresser a;
  Register(a);
  EXPECT_TRUE(a.UpdateRecord(1, Rec("B2", 5)));
  EXPECT_EQ(a.AdresseListe[1], "%B2%%%%%%%%%%5");
  EXPECT_FALSE(a.UpdateRecord(4, Rec("X", 1)));
  EXPECT_FALSE(a.UpdateRecord(-1, Rec("X", 1)));
  EXPECT_TRUE(a.DeleteRecord(0));
  EXPECT_FALSE(a.DeleteRecord(3));
  EXPECT_FALSE(a.DeleteRecord(-1));
  EXPECT_EQ(a.NameList(), (StringList{"B2", "A", "C"}));
  a.AddRecord(Rec("D", 0));
  EXPECT_EQ(a.GetName(3), "D");
}

struct TempDir {
  // One folder per test, so tests run side by side never share files.
  fs::path path = fs::temp_directory_path() /
                  ("stallora-adresser-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  TempDir() {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

TEST(AdresserFile, LoadsCrLfLinesAsTheyAre) {
  TAdresser a;
  ASSERT_TRUE(a.LoadfromFile(kData / kAdresseFilNavn));
  ASSERT_EQ(a.AdresseListe.size(), 6u);
  EXPECT_EQ(a.GetName(0), "Bo J\xF8rgensen");
  EXPECT_EQ(StringToAdrRec(a.AdresseListe[0]).Adresse2, "8000 \xC5rhus C");
  EXPECT_EQ(a.GetEmail("Bo J\xF8rgensen"), "bo@example.dk");  // the first of two
  EXPECT_EQ(a.GetAdresseNr("Bo J\xF8rgensen", 2), 4);
  EXPECT_EQ(a.AdresseListe[3], "");  // an empty line is an empty contact
  EXPECT_EQ(a.GetAdressatKategori(3), 0);
  EXPECT_EQ(a.GetAdressatKategori(5), 0);  // type "x"
  EXPECT_EQ(a.SelectedNameList(0).size(), 6u);
}

TEST(AdresserFile, LoadsLfLinesAndOddLines) {
  TAdresser a;
  ASSERT_TRUE(a.LoadfromFile(kData / "lf_only.txt"));
  EXPECT_EQ(a.NameList(), (StringList{"Bo J\xF8rgensen", "Dyrl\xE6ge S\xF8rensen", "A"}));
  EXPECT_EQ(a.AdresseListe[2], "%A%B%%%%C%%%%%2");

  ASSERT_TRUE(a.LoadfromFile(kData / "odd_lines.txt"));
  ASSERT_EQ(a.AdresseListe.size(), 6u);
  EXPECT_EQ(a.GetName(0), "A");
  EXPECT_EQ(a.GetName(1), "");
  EXPECT_EQ(a.GetAdressatKategori(3), INT32_MIN);
  EXPECT_EQ(a.AdresseListe[4], "%n%%%%%%%%%%99999999999");
  EXPECT_EQ(a.GetAdressatKategori(4), 0);
  EXPECT_EQ(a.AdresseListe[5], "");  // CR CR LF: a lone CR ends a line too

  // A lone CR inside a line splits it, so no stored field holds a line break.
  a.SetFileText("%A%%%%%x@y%%%%%1\r%B%%%%%%%%%%2");
  EXPECT_EQ(a.NameList(), (StringList{"A", "B"}));
  EXPECT_EQ(a.GetEmail("A"), "x@y");
}

TEST(AdresserFile, WritesCrLfAndReadsItBack) {
  TempDir dir;
  TAdresser a;
  Register(a);
  a.AddRecord(Rec("S\xF8ren", 1));
  const fs::path file = dir.path / kAdresseFilNavn;
  ASSERT_TRUE(a.writeToFile(file));
  EXPECT_EQ(ReadWholeFile(file).value(),
            "%A%%%%%a1@x%%%%%2\r\n%B%%%%%b@x%%%%%0\r\n%A%%%%%a2@x%%%%%3\r\n%C%%%%%%%%%%2\r\n"
            "%S\xF8ren%%%%%%%%%%1\r\n");
  TAdresser b;
  ASSERT_TRUE(b.LoadfromFile(file));
  EXPECT_EQ(b.AdresseListe, a.AdresseListe);

  // Empty lines, an empty last line and an empty register survive the round trip.
  a.AdresseListe = {"", "%X%%%%%%%%%%1", ""};
  ASSERT_TRUE(a.writeToFile(file));
  ASSERT_TRUE(b.LoadfromFile(file));
  EXPECT_EQ(b.AdresseListe, a.AdresseListe);
  a.AdresseListe.clear();
  ASSERT_TRUE(a.writeToFile(file));
  EXPECT_EQ(fs::file_size(file), 0u);
  ASSERT_TRUE(b.LoadfromFile(file));
  EXPECT_TRUE(b.AdresseListe.empty());
}

TEST(AdresserFile, AMissingFileKeepsTheLinesAndAFailedWriteKeepsTheFile) {
  TempDir dir;
  TAdresser a;
  Register(a);
  EXPECT_FALSE(a.LoadfromFile(dir.path / "none.txt"));
  EXPECT_FALSE(a.LoadfromFile(dir.path));  // a directory
  EXPECT_EQ(a.AdresseListe.size(), 4u);

  const fs::path file = dir.path / kAdresseFilNavn;
  std::ofstream(file, std::ios::binary) << "%Old%%%%%%%%%%1\r\n";
  fs::create_directories(dir.path / "blocker");
  EXPECT_FALSE(a.writeToFile(dir.path / "blocker"));                // a directory in the way
  EXPECT_FALSE(a.writeToFile(dir.path / "none" / kAdresseFilNavn));  // no such directory
  EXPECT_EQ(ReadWholeFile(file).value(), "%Old%%%%%%%%%%1\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);  // no leftovers
}

TEST(AdresserRecord, IsARegisteredRecordWithOneStringList) {
  RegisterAdresserClasses();
  const RecordClass* cls = GetClass("TAdresser");
  ASSERT_NE(cls, nullptr);
  ASSERT_EQ(cls->Properties().back().name, "AdresseListe");
  EXPECT_EQ(cls->Properties().back().kind, PropertyKind::kStringList);

  TAdresser a;
  Register(a);
  const auto copy = ReadRecordFromString(RecordText(a));
  ASSERT_NE(dynamic_cast<TAdresser*>(copy.get()), nullptr);
  EXPECT_EQ(static_cast<TAdresser&>(*copy).AdresseListe, a.AdresseListe);
}

}  // namespace
}  // namespace stallora
