#include "core/textutil.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

TEST(FormatFixed, DocumentedExamples) {
  EXPECT_EQ(FormatFixed(10, 3, 0, '.'), "      0.000");
  EXPECT_EQ(FormatFixed(10, 3, 12.5, '.'), "     12.500");
  EXPECT_EQ(FormatFixed(10, 3, 123456.789, '.'), "123456.789");
  EXPECT_EQ(FormatFixed(10, 3, 1234567.891, '.'), "1234567.89");
  EXPECT_EQ(FormatFixed(8, 2, 5.5, '.'), "     5.50");
  // 500 kg in the weighing lines: four blanks and 500.
  EXPECT_EQ(FormatFixed(6, 0, 500, '.'), "    500");
  EXPECT_EQ(FormatFixed(6, 0, 500, '.').size(), 7u);
}

TEST(FormatFixed, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(FormatFixed(5, 2, 1.25, ','), "  1,25");
  EXPECT_EQ(FormatFixed(5, 2, 1.25, '.'), "  1.25");
  EXPECT_EQ(FormatFixed(4, 0, 50, ','), "   50");
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheTypedValue) {
  // Short results are padded to width + 1 = 9 characters.
  auto padded = [](const std::string& s) { return std::string(9 - s.size(), ' ') + s; };
  EXPECT_EQ(FormatFixed(8, 2, 2.675, '.'), padded("2.68"));
  EXPECT_EQ(FormatFixed(8, 2, 0.125, '.'), padded("0.13"));
  EXPECT_EQ(FormatFixed(8, 2, -0.125, '.'), padded("-0.13"));
  EXPECT_EQ(FormatFixed(8, 1, 9.96, '.'), padded("10.0"));
  EXPECT_EQ(FormatFixed(8, 0, 0.5, '.'), padded("1"));
  EXPECT_EQ(FormatFixed(8, 2, 0.004, '.'), padded("0.00"));
  EXPECT_EQ(FormatFixed(8, 2, -0.004, '.'), padded("0.00"));  // no minus on a zero
  EXPECT_EQ(FormatFixed(8, 3, 0.0005, '.'), padded("0.001"));
  EXPECT_EQ(FormatFixed(8, 0, 0.4, '.'), padded("0"));
}

TEST(FormatFixed, SignificantDigitsLimitTheDecimals) {
  // Width 5 allows five significant digits: 123.456 keeps 123.46 then pads a zero.
  EXPECT_EQ(FormatFixed(5, 3, 123.456, '.'), "123.4");
  EXPECT_EQ(FormatFixed(7, 3, 123.456789, '.'), "123.457");
  EXPECT_EQ(FormatFixed(3, 2, 1.234, '.'), "1.2");
}

TEST(FormatFixed, TooManyIntegerDigitsGiveExponentText) {
  const std::string s = FormatFixed(5, 2, 1234567.0, '.');
  EXPECT_EQ(s.size(), 5u);
  EXPECT_EQ(s, "1.234");  // cut to the width from 1.2346E+06
  EXPECT_EQ(FormatFixed(10, 0, 12345678901.0, '.'), "1.23456789");
}

TEST(FormatFixed, PaddingRuleOnText) {
  EXPECT_EQ(PadLikeFormatFixed("kg", 5), "    kg");
  EXPECT_EQ(PadLikeFormatFixed("kr/kg", 5), "kr/kg");
  EXPECT_EQ(PadLikeFormatFixed("abcdefg", 5), "abcde");
}

TEST(FirstLetter, HandlesWindowsLetters) {
  EXPECT_EQ(FirstLetterUpper("foderliste"), "Foderliste");
  EXPECT_EQ(FirstLetterLower("Foderplan"), "foderplan");
  EXPECT_EQ(FirstLetterUpper("\xE6g"), "\xC6g");   // ae
  EXPECT_EQ(FirstLetterUpper("\xF8l"), "\xD8l");   // o slash
  EXPECT_EQ(FirstLetterLower("\xC5se"), "\xE5se");  // A ring
  EXPECT_EQ(FirstLetterUpper("\x9A"), "\x8A");      // s caron
  EXPECT_EQ(FirstLetterUpper("\xFF"), "\x9F");
  EXPECT_EQ(FirstLetterUpper("\xF7"), "\xF7");      // division sign is no letter
  EXPECT_EQ(FirstLetterUpper("\xDF"), "\xDF");      // sharp s has no single upper case
  EXPECT_EQ(FirstLetterUpper(""), "");
  EXPECT_EQ(FirstLetterUpper("1abc"), "1abc");
}

TEST(CompareText, IgnoresCaseIncludingNationalLetters) {
  EXPECT_TRUE(SameText("ErModellHestStall", "ermodellheststall"));
  EXPECT_TRUE(SameText("\xC6RL\xD8V", "\xE6rl\xF8v"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "AB c"), 0);
}

TEST(EscapeNationalLetters, ReplacesExactlyTheElevenLetters) {
  EXPECT_EQ(EscapeNationalLetters("\xC4\xC5\xC6\xD6\xD8\xE4\xE5\xE6\xF4\xF6\xF8"),
            "&Auml;&Aring;&AElig;&Ouml;&Oslash;&auml;&aring;&aelig;&ocirc;&ouml;&oslash;");
  // Other accented letters stay as they are.
  EXPECT_EQ(EscapeNationalLetters("<b>\xE9\xFC\xD4</b>"), "<b>\xE9\xFC\xD4</b>");
  EXPECT_EQ(EscapeNationalLetters(""), "");
}

TEST(HtmlClipboardBlock, HeaderOffsetsAndTerminator) {
  const std::string html = "<b>Hest</b>";
  const std::string block = HtmlClipboardBlock(html);
  const std::string header =
      "Version:0.9\r\nStartHTML:-1\r\nEndHTML:-1\r\nStartFragment:000081\r\nEndFragment:000094\r\n";
  ASSERT_EQ(header.size(), 81u);
  EXPECT_EQ(block, header + html + "\r\n" + std::string(1, '\0'));
  // The fragment offsets point at the html and just past its line end.
  EXPECT_EQ(block.substr(81, html.size()), html);
  EXPECT_EQ(block.size() - 1, 94u);
}

TEST(HtmlClipboardBlock, LargePagesUseSixDigits) {
  const std::string html(123456, 'x');
  const std::string block = HtmlClipboardBlock(html);
  EXPECT_NE(block.find("EndFragment:123539\r\n"), std::string::npos);
}

TEST(Trim, RemovesBlanksAndControlBytes) {
  EXPECT_EQ(Trim("  a b \r\n"), "a b");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Money, RoundsTheExactHalfAwayFromZeroWhateverTheBinaryNoise) {
  // 32.735 is held as 32.73499999999999943...; a sum of ten 3.2735 as 32.73499999999999;
  // both are the half a user typed and become 32.74.
  const double typed = 32.735;
  double summed = 0;
  for (int i = 0; i < 10; ++i) summed += 3.2735;
  ASSERT_LT(summed, 32.735);
  EXPECT_EQ(FormatMoney(typed, 2, ','), "32,74");
  EXPECT_EQ(FormatMoney(summed, 2, ','), "32,74");
  EXPECT_EQ(FormatMoney(-typed, 2, ','), "-32,74");
  EXPECT_EQ(FormatMoney(0.125, 2, '.'), "0.13");
  EXPECT_EQ(FormatMoney(2.675, 2, '.'), "2.68");
  EXPECT_EQ(FormatMoney(32.7349, 2, ','), "32,73");  // below the half stays below
  EXPECT_EQ(FormatMoney(-0.004, 2, ','), "0,00");    // no minus on a zero
  EXPECT_EQ(FormatMoney(10.5, 0, ','), "11");
  EXPECT_EQ(FormatMoney(1234567.895, 2, ','), "1234567,90");
  EXPECT_DOUBLE_EQ(RoundMoney(summed, 2), 32.74);
  // The column form pads like FormatFixed and agrees with the plain form.
  EXPECT_EQ(FormatMoneyFixed(6, 2, summed, ','), "  32,74");
  EXPECT_EQ(FormatMoneyFixed(8, 2, 7 * summed, ','), "   229,15");  // 229.145 -> 229.15
}

}  // namespace
}  // namespace stallora
