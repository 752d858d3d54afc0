#include "core/cp1252.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(Cp1252, MapsTheWindowsBlockAndLatin1) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");          // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");              // Y with diaeresis
  EXPECT_EQ(Cp1252ToUtf8("\xE6\xF8\xE5"), "\xC3\xA6\xC3\xB8\xC3\xA5");  // aeoa letters
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");              // undefined byte keeps its value
  EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9C" "x" "\xE2\x80\x9D"), "\x93x\x94");
  EXPECT_EQ(Utf8ToCp1252("\xC3\x86rø"), "\xC6r\xF8");
}

TEST(Cp1252, CharactersWithoutAByteAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE2\x88\x9E"), "?");       // infinity sign
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x90\xB4"), "?");   // horse face
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");             // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");          // overlong slash
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");     // surrogate
  EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");
}

TEST(Cp1252, PathsCarryNationalLetters) {
  const std::filesystem::path p = PathFromText("\xC6rl\xF8v");
  EXPECT_EQ(p.string(), "\xC3\x86rl\xC3\xB8v");
  EXPECT_EQ(TextFromPath(p), "\xC6rl\xF8v");
}

}  // namespace
}  // namespace stallora
