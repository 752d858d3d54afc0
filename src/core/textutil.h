#pragma once
// Small text helpers shared by records, reports and windows.

#include <string>
#include <string_view>

namespace stallora {

// Fixed-point text of a value, rounded to at most `width` significant digits and at most
// `decimals` digits after the separator (whichever keeps fewer), missing decimals written
// as zeros. Text shorter than `width` is left-padded with blanks to width + 1 characters;
// longer text is cut to its first `width` characters. A value with more than `width`
// digits before the separator is written in exponent notation.
std::string FormatFixed(int width, int decimals, double value, char decimalSeparator);
// The same text appended to `out` (for callers that write many values into one buffer).
void AppendFormatFixed(std::string& out, int width, int decimals, double value, char decimalSeparator);

// Money: the one rounding rule for every price and cost the program shows or reports.
// The exact value is rounded half away from zero to `decimals` places (0 to 6). A value
// that sits on a half only up to binary noise (32.735 held as 32.73499999999...) counts as
// the half: the value is first scaled and cleaned to a millionth of the last place.
double RoundMoney(double value, int decimals);
// The rounded amount as plain text ("32,74"); no padding, no currency.
std::string FormatMoney(double value, int decimals, char decimalSeparator);
// The rounded amount in a FormatFixed column (same width and padding rule).
std::string FormatMoneyFixed(int width, int decimals, double value, char decimalSeparator);

// The same blank-padding rule applied to a text (column headers).
std::string PadLikeFormatFixed(std::string_view text, int width);

// First letter in upper or lower case; Windows-1252 letters included.
std::string FirstLetterUpper(std::string_view text);
std::string FirstLetterLower(std::string_view text);
char UpperCp1252(char c);
char LowerCp1252(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Case-insensitive comparison of Windows-1252 text.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

std::string Trim(std::string_view text);

// Replaces the Scandinavian and German letters a clipboard or a foreign mail program may
// mangle by their HTML entities.
std::string EscapeNationalLetters(std::string_view html);

// The bytes of the clipboard's "HTML Format" block for a page, terminating zero included.
std::string HtmlClipboardBlock(std::string_view html);

}  // namespace stallora
