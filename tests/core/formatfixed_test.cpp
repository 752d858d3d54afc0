// The fixed-point column text at its edges, and the text appended in place agreeing with the
// one returned, value for value, with a plain string-building form of the same rules.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/textutil.h"

namespace stallora {
namespace {

// The rules written the slow, obvious way (a digit string that is rounded, then printed and
// padded), as the column text was made before it was written into the caller's buffer.
std::string Padded(std::string text, int width) {
  if (width < 0) width = 0;
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<size_t>(width + 1) - text.size(), ' ');
  else
    text.resize(static_cast<size_t>(width));
  return text;
}

bool Rounded(std::string& digits, int& exponent, int keep) {
  if (keep < 0) return false;
  if (static_cast<int>(digits.size()) <= keep) return true;
  const bool up = digits[static_cast<size_t>(keep)] >= '5';
  digits.resize(static_cast<size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
      ++exponent;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return !digits.empty();
}

std::string Reference(int width, int decimals, double value, char sep) {
  decimals = std::clamp(decimals, 0, 18);
  if (std::isnan(value)) return Padded("NAN", width);
  if (std::isinf(value)) return Padded(value < 0 ? "-INF" : "INF", width);
  std::string digits;
  int exponent = 0;
  if (value != 0) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    std::string s(buf, res.ptr);
    const size_t e = s.find('e');
    for (size_t i = 0; i < e; ++i)
      if (s[i] != '.') digits.push_back(s[i]);
    exponent = std::stoi(s.substr(e + 1)) + 1;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  }
  std::string out;
  if (value != 0 && exponent > width && width > 0) {
    if (!Rounded(digits, exponent, width)) digits = "0";
    if (value < 0) out += '-';
    out += digits[0];
    if (digits.size() > 1 || width > 1) {
      out += sep;
      for (int i = 1; i < width; ++i) out += i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "E+%02d", exponent - 1);
    return Padded(out + buf, width);
  }
  const bool nonZero = value != 0 && Rounded(digits, exponent, std::min(width, exponent + decimals));
  if (!nonZero) {
    digits.clear();
    exponent = 0;
  }
  if (nonZero && value < 0) out += '-';
  if (exponent <= 0) out += '0';
  for (int i = 0; i < exponent; ++i) out += i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
  if (decimals > 0) {
    out += sep;
    for (int j = 0; j < decimals; ++j) {
      const int pos = exponent + j;
      out += pos >= 0 && pos < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(pos)] : '0';
    }
  }
  return Padded(out, width);
}

TEST(FormatFixedEdges, ZeroesSignsCarriesAndSeparators) {
  EXPECT_EQ(FormatFixed(10, 3, -0.0, '.'), "      0.000") << "negative zero has no minus";
  EXPECT_EQ(FormatFixed(10, 3, -0.0004, ','), "      0,000") << "nor has a value that rounds to zero";
  EXPECT_EQ(FormatFixed(10, 3, -0.0005, ','), "     -0,001");
  EXPECT_EQ(FormatFixed(10, 3, 9.9995, '.'), "     10.000") << "a carry through every digit";
  EXPECT_EQ(FormatFixed(10, 3, -99.9995, ','), "   -100,000");
  EXPECT_EQ(FormatFixed(10, 3, 0.9995, '.'), "      1.000");
  EXPECT_EQ(FormatFixed(10, 3, 1e-300, '.'), "      0.000");
  EXPECT_EQ(FormatFixed(10, 3, 999999.9999, '.'), "1000000.00") << "the carry adds a digit before the separator";
  EXPECT_EQ(FormatFixed(10, 3, 9999999999.0, ','), "9999999999");
  EXPECT_EQ(FormatFixed(10, 3, 99999999995.0, '.'), "1.00000000") << "exponent text, carried, cut to the width";
  EXPECT_EQ(FormatFixed(10, 0, -12345678901.0, ','), "-1,2345678");
  EXPECT_EQ(FormatFixed(10, 3, 1.7976931348623157e308, '.'), "1.79769313");
  EXPECT_EQ(FormatFixed(5, 2, std::nan(""), '.'), "   NAN");
  EXPECT_EQ(FormatFixed(3, 2, -std::numeric_limits<double>::infinity(), '.'), "-IN");
  EXPECT_EQ(FormatFixed(0, 2, 1.5, '.'), "") << "no width leaves no text";
  EXPECT_EQ(FormatFixed(-3, 2, 1.5, '.'), "");
  EXPECT_EQ(FormatFixed(20, 25, 0.5, '.'), "0.500000000000000000") << "at most 18 decimals";
  EXPECT_EQ(FormatFixed(8, -1, 2.5, '.'), "        3");
}

TEST(FormatFixedEdges, AppendingKeepsWhatIsThereAndPadsOnlyTheNewText) {
  std::string out = "x;";
  AppendFormatFixed(out, 10, 3, 12.5, ',');
  AppendFormatFixed(out, 3, 0, 12345.0, '.');
  AppendFormatFixed(out, 4, 1, -0.04, '.');
  EXPECT_EQ(out, "x;     12,5001.2  0.0");
}

TEST(FormatFixedEdges, AgreesWithTheStringBuildingFormOnAMillionValues) {
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> magnitude(-12, 14), width(-1, 14), decimals(-1, 19), digits(1, 17);
  std::uniform_real_distribution<double> unit(1.0, 10.0);
  int differences = 0;
  for (int n = 0; n < 1000000 && differences < 10; ++n) {
    double v = unit(random) * std::pow(10.0, magnitude(random));
    // Values typed with few decimals, where halves and carries are: 2.675, 9.9995, 0.125.
    if (n % 3 == 0) {
      const double scale = std::pow(10.0, digits(random) % 6);
      v = std::round(v * scale) / scale;
    }
    if (n % 2) v = -v;
    const int w = width(random), d = decimals(random);
    const char sep = n % 5 ? ',' : '.';
    std::string appended = "#";
    AppendFormatFixed(appended, w, d, v, sep);
    const std::string expected = Reference(w, d, v, sep);
    if (FormatFixed(w, d, v, sep) != expected || appended != "#" + expected) {
      ++differences;
      ADD_FAILURE() << "FormatFixed(" << w << ", " << d << ", " << v << ") gave '" << FormatFixed(w, d, v, sep)
                    << "', appended '" << appended << "', expected '" << expected << "'";
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace stallora
