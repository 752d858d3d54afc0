#include "nutrition/vekt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/objtext.h"

namespace stallora {
namespace {

const ClassRegistry& Registry() {
  static const ClassRegistry r = [] {
    ClassRegistry reg;
    RegisterVektClasses(reg);
    return reg;
  }();
  return r;
}

// A weight list file whose "Vekter" block holds exactly `bytes`, laid out as the writer
// lays out binary blocks (32 bytes a line).
std::string ListFile(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string block = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes.size() >= 32 && i % 32 == 0) block += "\r\n    ";
    block.push_back(kHex[static_cast<unsigned char>(bytes[i]) >> 4]);
    block.push_back(kHex[static_cast<unsigned char>(bytes[i]) & 15]);
  }
  return "object TVektListe\r\n  Vekter = " + block + "}\r\nend\r\n";
}

std::string ErrorOf(std::string_view bytes, TVektListe& list) {
  try {
    list.ReadVekter(bytes);
  } catch (const ObjTextError& e) {
    return e.what();
  }
  return "";
}

TEST(VektListeText, WritesOneCrLfLinePerWeighingRoundedToWholeKilograms) {
  TVektListe list;
  list.LeggTil(512.4, EncodeDate(2024, 3, 1));
  list.LeggTil(520, EncodeDate(2024, 6, 15) + 0.75);  // the time of day is not written
  EXPECT_EQ(list.WriteVekter(), "01-03-2024x    512\r\n15-06-2024x    520\r\n");

  TVektListe empty;
  EXPECT_EQ(empty.WriteVekter(), "");
  // Always written, even when empty.
  EXPECT_NE(RecordText(empty).find("Vekter = {"), std::string::npos);
}

TEST(VektListeText, ReadsBothDateOrdersAndDotSeparators) {
  const DayNumber march1 = EncodeDate(2024, 3, 1);
  for (const char* line : {"2024-03-01x 512", "01.03.2024x512", "01-03-2024x    512", "2024.03.01x512  "}) {
    TVektListe list;
    list.ReadVekter(line);
    ASSERT_EQ(list.Antall(), 1) << line;
    EXPECT_EQ(list.Element(0)->Dato, march1) << line;
    EXPECT_EQ(list.Element(0)->Vekt, 512) << line;
  }
}

TEST(VektListeText, SplitsOnCrLfCrOrLfAndSkipsBlankLines) {
  TVektListe list;
  list.ReadVekter("01-03-2024x    512\r\n15-06-2024x    520\r\n");
  ASSERT_EQ(list.Antall(), 2);
  EXPECT_EQ(list.Element(1)->Dato, EncodeDate(2024, 6, 15));
  EXPECT_EQ(list.Element(1)->Vekt, 520);

  TVektListe mixed;
  mixed.ReadVekter("01-01-2024x1\n02-01-2024x2\r03-01-2024x3\r\n\r\n   \r\n04-01-2024x4\r\n\r\n");
  ASSERT_EQ(mixed.Antall(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(mixed.Element(i)->Vekt, i + 1);

  TVektListe none;
  none.ReadVekter("\r\n");
  EXPECT_EQ(none.Antall(), 0);
}

TEST(VektListeText, ReadingAppends) {
  TVektListe list;
  list.LeggTil(400, EncodeDate(2023, 1, 1));
  list.ReadVekter("01-03-2024x512\r\n");
  ASSERT_EQ(list.Antall(), 2);
  EXPECT_EQ(list.Element(0)->Vekt, 400);
  EXPECT_EQ(list.Element(1)->Vekt, 512);
}

TEST(VektListeText, InvalidDatesAreErrorsNamingTheLineAndKeepEarlierLines) {
  TVektListe list;
  const std::string error = ErrorOf("01-03-2024x512\r\n30-02-2024x500\r\n01-04-2024x490\r\n", list);
  EXPECT_EQ(error, "Weighing line 2 \"30-02-2024x500\": \"30-02-2024\" is not a valid date");
  ASSERT_EQ(list.Antall(), 1);
  EXPECT_EQ(list.Element(0)->Vekt, 512);

  // Short and malformed lines: no date can be taken from them, nothing reads past them.
  for (const char* line : {"1x5", "x", "x5", "512", "01-03-2024", "1-3-2024x5", "01-13-2024x5", "00-03-2024x5",
                           "01-03-0000x5", "a1-03-2024x5", "2024-3-1x5", "-1-03-2024x5", "01-03-2 24x5"}) {
    TVektListe l;
    EXPECT_NE(ErrorOf(line, l).find("is not a valid date"), std::string::npos) << line;
    EXPECT_EQ(l.Antall(), 0) << line;
  }
  // A leading blank inside a number is accepted, as the conversion allows it; the year is
  // whatever characters 7 to 10 hold.
  TVektListe loose;
  loose.ReadVekter(" 1-03-2024x5\r\n01-03-20x5");
  ASSERT_EQ(loose.Antall(), 2);
  EXPECT_EQ(loose.Element(0)->Dato, EncodeDate(2024, 3, 1));
  EXPECT_EQ(loose.Element(1)->Dato, EncodeDate(20, 3, 1));
}

TEST(VektListeText, WeightsThatAreNotNumbersAreErrors) {
  for (const char* line : {"01-03-2024x", "01-03-2024x   ", "01-03-2024xabc", "01-03-2024x512kg", "01-03-2024x5 12",
                           "01-03-2024xnan", "01-03-2024xinf", "01-03-2024x1e999", "01-03-2024x++5", "01-03-2024x+-5", "01-03-2024x0x10",
                           "01-03-2024xx512"}) {
    TVektListe l;
    EXPECT_NE(ErrorOf(line, l).find("is not a valid weight"), std::string::npos) << line;
    EXPECT_EQ(l.Antall(), 0) << line;
  }
  TVektListe ok;
  ok.ReadVekter("01-03-2024x 512.5\r\n01-03-2024x512,5\r\n01-03-2024x\t-3 \r\n01-03-2024x+7\r\n01-03-2024x1e3");
  ASSERT_EQ(ok.Antall(), 5);
  EXPECT_EQ(ok.Element(0)->Vekt, 512.5);
  EXPECT_EQ(ok.Element(1)->Vekt, 512.5);
  EXPECT_EQ(ok.Element(2)->Vekt, -3);
  EXPECT_EQ(ok.Element(3)->Vekt, 7);
  EXPECT_EQ(ok.Element(4)->Vekt, 1000);
}

TEST(VektListeText, ErrorEndsReadingTheFileWithThePropertyNamed) {
  TVektListe list;
  try {
    ReadRecordText(ListFile("01-03-2024x512\r\n2024-02-30x5\r\n"), list, Registry());
    FAIL() << "no error";
  } catch (const ObjTextError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Error reading TVektListe.Vekter: Weighing line 2 \"2024-02-30x5\": \"2024-02-30\" is not a valid date");
  }
  EXPECT_EQ(list.Antall(), 1);
}

TEST(VektListeText, WeightsOutsideTheColumnAreWrittenWholeAndReadBack) {
  TVektListe list;
  list.LeggTil(1234567.4, EncodeDate(2024, 1, 1));
  list.LeggTil(-123456, EncodeDate(2024, 1, 2));
  list.LeggTil(999999, EncodeDate(2024, 1, 3));
  list.LeggTil(-99999, EncodeDate(2024, 1, 4));
  list.LeggTil(-0.3, EncodeDate(2024, 1, 5));
  EXPECT_EQ(list.WriteVekter(),
            "01-01-2024x1234567\r\n02-01-2024x-123456\r\n03-01-2024x999999\r\n04-01-2024x-99999\r\n"
            "05-01-2024x      0\r\n");
  TVektListe back;
  back.ReadVekter(list.WriteVekter());
  ASSERT_EQ(back.Antall(), 5);
  EXPECT_EQ(back.Element(0)->Vekt, 1234567);
  EXPECT_EQ(back.Element(1)->Vekt, -123456);
  EXPECT_EQ(back.Element(2)->Vekt, 999999);
  EXPECT_EQ(back.Element(3)->Vekt, -99999);
}

TEST(VektListeText, RefusesToWriteWhatCouldNotBeReadBack) {
  TVektListe nan;
  nan.LeggTil(500, EncodeDate(2024, 1, 1));
  nan.LeggTil(std::nan(""), EncodeDate(2024, 1, 2));
  EXPECT_THROW(nan.WriteVekter(), ObjTextError);
  EXPECT_THROW(RecordText(nan), ObjTextError);

  TVektListe ancient;
  ancient.LeggTil(500, EncodeDate(1, 1, 1) - 1);  // year 0
  EXPECT_THROW(ancient.WriteVekter(), ObjTextError);
  TVektListe future;
  future.LeggTil(500, EncodeDate(9999, 12, 31) + 1);
  EXPECT_THROW(future.WriteVekter(), ObjTextError);
  TVektListe edge;
  edge.LeggTil(500, EncodeDate(1, 1, 1));
  edge.LeggTil(500, EncodeDate(9999, 12, 31));
  EXPECT_EQ(edge.WriteVekter(), "01-01-0001x    500\r\n31-12-9999x    500\r\n");
}

TEST(VektListeText, WholeFileRoundTrip) {
  TVektListe list;
  list.LeggTil(512.4, EncodeDate(2024, 3, 1));
  list.LeggTil(520, EncodeDate(2024, 6, 15));
  const std::string text = RecordText(list);
  EXPECT_EQ(text, ListFile("01-03-2024x    512\r\n15-06-2024x    520\r\n"));
  auto read = ReadRecordFromString(text, Registry());
  auto* back = dynamic_cast<TVektListe*>(read.get());
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->Antall(), 2);
  EXPECT_EQ(back->Element(0)->Vekt, 512);
  EXPECT_EQ(back->Element(1)->Dato, EncodeDate(2024, 6, 15));
  EXPECT_EQ(RecordText(*back), text);
}

// Every seed of the reader's fuzz corpus is read; what is accepted must write and read
// back to the same text.
TEST(VektListeText, SeedCorpusReadsOrFailsCleanly) {
  int accepted = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(STALLORA_TEST_DATA "/vekter")) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    TVektListe list;
    try {
      list.ReadVekter(ss.str());
    } catch (const ObjTextError&) {
      ++refused;
      continue;
    }
    ++accepted;
    const std::string first = list.WriteVekter();
    TVektListe again;
    again.ReadVekter(first);
    EXPECT_EQ(again.WriteVekter(), first) << entry.path();
    EXPECT_EQ(again.Antall(), list.Antall()) << entry.path();
  }
  EXPECT_GT(accepted, 0);
  EXPECT_GT(refused, 0);
}

TEST(VektListe, ElementSisteAndTom) {
  TVektListe list;
  EXPECT_EQ(list.Antall(), 0);
  EXPECT_EQ(list.Element(0), nullptr);
  EXPECT_EQ(list.Siste(), nullptr);
  EXPECT_EQ(list.Nyeste(), nullptr);
  EXPECT_EQ(list.Tyngste(), nullptr);

  TVekt& first = list.LeggTil(480, 45000);
  TVekt& second = list.LeggTil(470, 44000);
  EXPECT_EQ(list.Antall(), 2);
  EXPECT_EQ(list.Element(0), &first);
  EXPECT_EQ(list.Element(1), &second);
  EXPECT_EQ(list.Element(2), nullptr);
  EXPECT_EQ(list.Element(-1), nullptr);
  EXPECT_EQ(list.Siste(), &second);
  EXPECT_EQ(second.Vekt, 470);
  EXPECT_EQ(second.Dato, 44000);

  list.Tom();
  EXPECT_EQ(list.Antall(), 0);
  EXPECT_EQ(list.Siste(), nullptr);
}

TEST(VektListe, NyesteAndTyngsteTakeTheFirstOfEquals) {
  TVektListe list;
  const TVekt& a = list.LeggTil(500, 45100);
  const TVekt& b = list.LeggTil(520, 45000);
  list.LeggTil(520, 45100);
  list.LeggTil(490, 44000);
  EXPECT_EQ(list.Nyeste(), &a);
  EXPECT_EQ(list.Tyngste(), &b);

  TVektListe one;
  const TVekt& only = one.LeggTil(-5, -10);
  EXPECT_EQ(one.Nyeste(), &only);
  EXPECT_EQ(one.Tyngste(), &only);
}

TEST(VektListe, SorterDatoIsAscendingAndStable) {
  TVektListe list;
  list.LeggTil(1, 45003);
  list.LeggTil(2, 45001);
  list.LeggTil(3, 45003);
  list.LeggTil(4, 45002);
  list.LeggTil(5, 45001);
  list.SorterDato();
  const double expected[] = {2, 5, 4, 1, 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Element(i)->Vekt, expected[i]) << i;
}

TEST(VektListe, EndringsSumTruncatesAndWraps) {
  TVektListe list;
  EXPECT_EQ(list.EndringsSum(), 0);
  list.LeggTil(512.9, 45352.75);
  list.LeggTil(-3.7, 10.2);
  EXPECT_EQ(list.EndringsSum(), 512 + 45352 - 3 + 10);

  TVektListe big;
  big.LeggTil(3e9, 2e9);
  EXPECT_EQ(big.EndringsSum(), static_cast<int32_t>(5000000000LL - 4294967296LL));
  big.LeggTil(1e300, std::nan(""));  // stays defined: 1e300 is a multiple of 2^32
  EXPECT_EQ(big.EndringsSum(), static_cast<int32_t>(5000000000LL - 4294967296LL));
  // A change of one kilogram changes the sum.
  big.Element(0)->Vekt += 1;
  EXPECT_EQ(big.EndringsSum(), static_cast<int32_t>(5000000001LL - 4294967296LL));
}

TEST(Vekt, OwnFileRoundTrip) {
  const auto dir = std::filesystem::temp_directory_path() / "stallora_vekt_test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "vekt.txt";
  TVekt v(512.25, EncodeDate(2024, 3, 1) + 0.5);
  v.writeToFile(path);

  TVekt back;
  back.LoadfromFile(path, Registry());
  EXPECT_EQ(back.Dato, v.Dato);
  EXPECT_EQ(back.Vekt, 512.25);

  const std::string text = RecordText(v);
  const size_t dato = text.find("Dato = "), vekt = text.find("Vekt = ");
  ASSERT_NE(dato, std::string::npos);
  ASSERT_NE(vekt, std::string::npos);
  EXPECT_LT(dato, vekt);
  EXPECT_EQ(text.rfind("object TVekt\r\n", 0), 0u);
  std::filesystem::remove_all(dir);
}

TEST(Vekt, ClassesAreRegisteredByName) {
  ClassRegistry registry;
  EXPECT_EQ(registry.Get("TVekt"), nullptr);
  RegisterVektClasses(registry);
  EXPECT_EQ(registry.Get("TVekt"), &TVekt::StaticClass());
  EXPECT_EQ(registry.Get("tvektliste"), &TVektListe::StaticClass());
  EXPECT_TRUE(TVektListe::StaticClass().Properties().size() == RecordClass::BaseClass().Properties().size());
}

}  // namespace
}  // namespace stallora
