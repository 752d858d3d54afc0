#include "core/floattext.h"

#include <charconv>
#include <cmath>

namespace stallora {

void AppendObjTextFloat(std::string& out, double value) {
  if (value == 0 || !std::isfinite(value)) {
    out.push_back('0');
    return;
  }
  // 15 significant digits, correctly rounded from the binary value (an exact tie, which
  // only integers beyond 10^15 can produce, goes to the even digit).
  char buf[40];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const char* p = buf;
  const char* end = res.ptr;
  char digits[16];
  int k = 0;
  for (; p < end && *p != 'e'; ++p)
    if (*p != '.') digits[k++] = *p;
  int x = 0;
  ++p;  // 'e'
  bool negExp = *p == '-';
  ++p;
  for (; p < end; ++p) x = x * 10 + (*p - '0');
  if (negExp) x = -x;
  while (k > 1 && digits[k - 1] == '0') --k;
  const int e = x + 1;  // value = 0.d1..dk x 10^e

  if (value < 0) out.push_back('-');
  if (e > 15 || e < -3) {
    out.push_back(digits[0]);
    if (k > 1) {
      out.push_back('.');
      out.append(digits + 1, static_cast<size_t>(k - 1));
    }
    out.push_back('E');
    int ex = e - 1;
    if (ex < 0) {
      out.push_back('-');
      ex = -ex;
    }
    char eb[8];
    auto r2 = std::to_chars(eb, eb + sizeof eb, ex);
    out.append(eb, r2.ptr);
  } else if (e <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-e), '0');
    out.append(digits, static_cast<size_t>(k));
  } else {
    if (k <= e) {
      out.append(digits, static_cast<size_t>(k));
      out.append(static_cast<size_t>(e - k), '0');
    } else {
      out.append(digits, static_cast<size_t>(e));
      out.push_back('.');
      out.append(digits + e, static_cast<size_t>(k - e));
    }
  }
}

std::string ObjTextFloat(double value) {
  std::string s;
  AppendObjTextFloat(s, value);
  return s;
}

}  // namespace stallora
