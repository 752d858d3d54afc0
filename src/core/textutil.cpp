#include "core/textutil.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace stallora {
namespace {

std::string Pad(std::string text, int width) {
  if (width < 0) width = 0;
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<size_t>(width + 1) - text.size(), ' ');
  } else {
    text.resize(static_cast<size_t>(width));
  }
  return text;
}

// Up to 17 significant digits of a double, and room for the one a rounding carry adds.
struct Digits {
  char d[24];
  int n = 0;
};

// Shortest digits that read back as the value, and the exponent E with value = 0.D x 10^E.
// Starting from the shortest form means a value typed as 2.675 rounds like the 2.675 the
// user sees, not like the binary number just below it.
void ShortestDigits(double magnitude, Digits& digits, int& exponent) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
  const char* p = buf;
  digits.n = 0;
  for (; p < res.ptr && *p != 'e'; ++p)
    if (*p != '.') digits.d[digits.n++] = *p;
  ++p;  // 'e'
  const bool negative = *p == '-';
  ++p;  // its sign
  int x = 0;
  for (; p < res.ptr; ++p) x = x * 10 + (*p - '0');
  exponent = (negative ? -x : x) + 1;
  while (digits.n > 1 && digits.d[digits.n - 1] == '0') --digits.n;
}

// Rounds the digits to `keep` digits, half away from zero. Returns false when the value
// rounds to nothing.
bool RoundDigits(Digits& digits, int& exponent, int keep) {
  if (keep < 0) return false;
  if (digits.n <= keep) return true;
  const bool up = digits.d[keep] >= '5';
  digits.n = keep;
  if (up) {
    int i = keep - 1;
    while (i >= 0 && digits.d[i] == '9') {
      digits.d[i] = '0';
      --i;
    }
    if (i >= 0) {
      ++digits.d[i];
    } else {
      std::memmove(digits.d + 1, digits.d, static_cast<size_t>(digits.n));
      digits.d[0] = '1';
      ++digits.n;
      ++exponent;
    }
  }
  while (digits.n > 0 && digits.d[digits.n - 1] == '0') --digits.n;
  return digits.n > 0;
}

// The common case without the shortest-digits search: a value that is the double nearest to
// a decimal k / 10^decimals of at most 15 digits. Such a decimal is the value's shortest
// form (two decimals of 15 digits or fewer never share a double), and when all its digits
// fit the width nothing is rounded or cut: the text is k with the separator put in. False
// for every other value, which takes the general way.
bool FixedFast(std::string& out, int width, int decimals, double value, char decimalSeparator) {
  static constexpr double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  if (decimals > 6 || width <= 0 || width > 15 || !(std::fabs(value) < 1e15)) return false;
  const double scaled = std::nearbyint(value * kPowers[decimals]);
  if (!(std::fabs(scaled) < 1e15)) return false;
  const auto k = static_cast<int64_t>(scaled);
  if (static_cast<double>(k) / kPowers[decimals] != value) return false;
  const uint64_t magnitude = static_cast<uint64_t>(k < 0 ? -k : k);
  char digits[24];
  const auto res = std::to_chars(digits, digits + sizeof digits, magnitude);
  const int count = static_cast<int>(res.ptr - digits);
  if (count > width) return false;
  if (k < 0) out.push_back('-');
  // The whole part (a single 0 below one), then the decimals with their leading zeros.
  const int whole = count - decimals;
  if (whole > 0)
    out.append(digits, static_cast<size_t>(whole));
  else
    out.push_back('0');
  if (decimals > 0) {
    out.push_back(decimalSeparator);
    if (whole < 0) out.append(static_cast<size_t>(-whole), '0');
    const int from = whole > 0 ? whole : 0;
    out.append(digits + from, static_cast<size_t>(count - from));
  }
  return true;
}

// The text appended since `start` padded or cut as Pad does.
void PadFrom(std::string& out, size_t start, int width) {
  if (width < 0) width = 0;
  const size_t length = out.size() - start;
  const auto w = static_cast<size_t>(width);
  if (length < w)
    out.insert(start, w + 1 - length, ' ');
  else
    out.resize(start + w);
}

}  // namespace

void AppendFormatFixed(std::string& out, int width, int decimals, double value, char decimalSeparator) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  const size_t start = out.size();
  if (std::isnan(value) || std::isinf(value)) {
    out += std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
    PadFrom(out, start, width);
    return;
  }

  if (FixedFast(out, width, decimals, value, decimalSeparator)) {
    PadFrom(out, start, width);
    return;
  }

  const bool negative = value < 0;
  Digits digits;
  int exponent = 0;
  if (value != 0) ShortestDigits(std::fabs(value), digits, exponent);

  if (value != 0 && exponent > width && width > 0) {
    // Too many digits before the separator for the width: exponent notation.
    if (!RoundDigits(digits, exponent, width)) {
      digits.d[0] = '0';
      digits.n = 1;
    }
    if (negative) out.push_back('-');
    out.push_back(digits.d[0]);
    if (digits.n > 1 || width > 1) {
      out.push_back(decimalSeparator);
      for (int i = 1; i < width; ++i) out.push_back(i < digits.n ? digits.d[i] : '0');
    }
    out += "E+";
    const int shown = exponent - 1;  // at least the width, so never negative
    if (shown < 10) out.push_back('0');
    char buf[8];
    auto res = std::to_chars(buf, buf + sizeof buf, shown);
    out.append(buf, res.ptr);
    PadFrom(out, start, width);
    return;
  }

  const bool nonZero = value != 0 && RoundDigits(digits, exponent, std::min(width, exponent + decimals));
  if (!nonZero) {
    digits.n = 0;
    exponent = 0;
  }
  if (nonZero && negative) out.push_back('-');
  if (exponent <= 0) {
    out.push_back('0');
  } else {
    const int whole = std::min(exponent, digits.n);
    out.append(digits.d, static_cast<size_t>(whole));
    out.append(static_cast<size_t>(exponent - whole), '0');
  }
  if (decimals > 0) {
    out.push_back(decimalSeparator);
    for (int j = 0; j < decimals; ++j) {
      const int pos = exponent + j;
      out.push_back(pos >= 0 && pos < digits.n ? digits.d[pos] : '0');
    }
  }
  PadFrom(out, start, width);
}

std::string FormatFixed(int width, int decimals, double value, char decimalSeparator) {
  std::string out;
  AppendFormatFixed(out, width, decimals, value, decimalSeparator);
  return out;
}

double RoundMoney(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  decimals = std::clamp(decimals, 0, 6);
  const double unit = std::pow(10.0, decimals);
  const double scaled = std::fabs(value) * unit;
  // Past 2^53 / 10^6 units the cleaning step has no room left; such sums are not money
  // anyone types, and the plain rounding of the scaled value is as good as it gets.
  constexpr double kMaxClean = 9.0e9;
  double units;
  if (scaled < kMaxClean) {
    const auto millionths = static_cast<int64_t>(std::llround(scaled * 1e6));
    units = static_cast<double>((millionths + 500000) / 1000000);
  } else {
    units = std::floor(scaled + 0.5);
  }
  const double rounded = units / unit;
  return value < 0 && rounded != 0 ? -rounded : rounded;
}

std::string FormatMoney(double value, int decimals, char decimalSeparator) {
  decimals = std::clamp(decimals, 0, 6);
  if (!std::isfinite(value)) value = 0;
  // fmt prints the exact binary value; after RoundMoney that is the nearest double to a
  // number with `decimals` places, so the printed digits are those places.
  std::string s = fmt::format("{:.{}f}", RoundMoney(value, decimals), decimals);
  if (const size_t dot = s.find('.'); dot != std::string::npos) s[dot] = decimalSeparator;
  return s;
}

std::string FormatMoneyFixed(int width, int decimals, double value, char decimalSeparator) {
  return FormatFixed(width, decimals, RoundMoney(value, decimals), decimalSeparator);
}

std::string PadLikeFormatFixed(std::string_view text, int width) { return Pad(std::string(text), width); }

namespace {

constexpr char UpperOf(unsigned char b) {
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
  switch (b) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return static_cast<char>(b);
  }
}

// The upper-case letter of every byte: names are compared without regard to case at every
// property, class and keyword the reader meets.
struct UpperTable {
  unsigned char v[256];
  constexpr UpperTable() : v() {
    for (int i = 0; i < 256; ++i) v[i] = static_cast<unsigned char>(UpperOf(static_cast<unsigned char>(i)));
  }
};
constexpr UpperTable kUpper;

}  // namespace

char UpperCp1252(char c) { return static_cast<char>(kUpper.v[static_cast<unsigned char>(c)]); }

char LowerCp1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
  switch (b) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

std::string FirstLetterUpper(std::string_view text) {
  std::string out(text);
  if (!out.empty()) out[0] = UpperCp1252(out[0]);
  return out;
}

std::string FirstLetterLower(std::string_view text) {
  std::string out(text);
  if (!out.empty()) out[0] = LowerCp1252(out[0]);
  return out;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperCp1252(c);
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerCp1252(c);
  return out;
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = kUpper.v[static_cast<unsigned char>(a[i])];
    const unsigned char y = kUpper.v[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (kUpper.v[static_cast<unsigned char>(a[i])] != kUpper.v[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return std::string(text.substr(b, e - b));
}

std::string EscapeNationalLetters(std::string_view html) {
  std::string out;
  out.reserve(html.size() + html.size() / 16);
  for (char c : html) {
    switch (static_cast<unsigned char>(c)) {
      case 0xC4: out += "&Auml;"; break;
      case 0xC5: out += "&Aring;"; break;
      case 0xC6: out += "&AElig;"; break;
      case 0xD6: out += "&Ouml;"; break;
      case 0xD8: out += "&Oslash;"; break;
      case 0xE4: out += "&auml;"; break;
      case 0xE5: out += "&aring;"; break;
      case 0xE6: out += "&aelig;"; break;
      case 0xF4: out += "&ocirc;"; break;
      case 0xF6: out += "&ouml;"; break;
      case 0xF8: out += "&oslash;"; break;
      default: out.push_back(c); break;
    }
  }
  return out;
}

std::string HtmlClipboardBlock(std::string_view html) {
  // The header's own length is fixed because both offsets are written with six digits.
  auto six = [](size_t n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%06zu", n);
    return std::string(buf);
  };
  const std::string probe =
      "Version:0.9\r\nStartHTML:-1\r\nEndHTML:-1\r\nStartFragment:000000\r\n"
      "EndFragment:000000\r\n";
  const size_t headerLength = probe.size();
  std::string out = "Version:0.9\r\nStartHTML:-1\r\nEndHTML:-1\r\n";
  out += "StartFragment:" + six(headerLength) + "\r\n";
  out += "EndFragment:" + six(headerLength + html.size() + 2) + "\r\n";
  out.append(html);
  out += "\r\n";
  out.push_back('\0');
  return out;
}

}  // namespace stallora
