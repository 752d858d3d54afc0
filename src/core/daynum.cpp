#include "core/daynum.h"

#include <cmath>
#include <cstdint>

namespace stallora {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = yoe + era * 400;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(y + (m <= 2)), m, d};
}

constexpr int64_t kUnixEpochDayNumber = 25569;  // 1970-01-01

int64_t WholeDay(DayNumber value) {
  if (!std::isfinite(value)) return 0;
  if (value > 3e9) return 3000000000;
  if (value < -3e9) return -3000000000;
  return static_cast<int64_t>(std::trunc(value));
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

int EncodeDate(int year, int month, int day) {
  return static_cast<int>(DaysFromCivil(year, month, day) + kUnixEpochDayNumber);
}

DayNumber EncodeTime(int hour, int minute, int second, int millisecond) {
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

CivilDate DecodeDate(DayNumber value) { return CivilFromDays(WholeDay(value) - kUnixEpochDayNumber); }

TimeOfDay DecodeTime(DayNumber value) {
  if (!std::isfinite(value)) return {};
  double frac = std::fabs(value - std::trunc(value));
  auto ms = static_cast<int64_t>(std::llround(frac * 86400000.0));
  if (ms >= 86400000) ms = 86399999;
  TimeOfDay t;
  t.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  t.second = static_cast<int>(ms % 60);
  ms /= 60;
  t.minute = static_cast<int>(ms % 60);
  t.hour = static_cast<int>(ms / 60);
  return t;
}

DayNumber IncMonth(DayNumber value, int months) {
  const CivilDate d = DecodeDate(value);
  const double frac = value - std::trunc(value);
  int64_t total = static_cast<int64_t>(d.year) * 12 + (d.month - 1) + months;
  int year = static_cast<int>(total >= 0 ? total / 12 : (total - 11) / 12);
  int month = static_cast<int>(total - static_cast<int64_t>(year) * 12) + 1;
  int day = d.day;
  const int last = DaysInMonth(year, month);
  if (day > last) day = last;
  const int base = EncodeDate(year, month, day);
  // The fraction is the time of day on either side of day 0.
  return base >= 0 ? base + std::fabs(frac) : base - std::fabs(frac);
}

int MonthNumber(DayNumber date, DayNumber today) {
  for (int n = 1; n <= 36; ++n)
    if (IncMonth(today, -n) < date) return n;
  return 36;
}

int AgeInMonths(DayNumber birth, DayNumber today) { return MonthNumber(birth, today) - 1; }

std::string FormatDateTime(std::string_view format, DayNumber value) {
  const CivilDate d = DecodeDate(value);
  const TimeOfDay t = DecodeTime(value);
  std::string out;
  auto two = [&](int v) {
    out.push_back(static_cast<char>('0' + (v / 10) % 10));
    out.push_back(static_cast<char>('0' + v % 10));
  };
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    const char lc = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    size_t run = 1;
    while (i + run < format.size()) {
      char n = format[i + run];
      if (n >= 'A' && n <= 'Z') n = static_cast<char>(n + 32);
      if (n != lc) break;
      ++run;
    }
    switch (lc) {
      case 'd':
        if (run >= 2) two(d.day); else out += std::to_string(d.day);
        break;
      case 'm':
        if (run >= 2) two(d.month); else out += std::to_string(d.month);
        break;
      case 'y':
        if (run >= 3) {
          std::string y = std::to_string(d.year);
          if (y.size() < 4) y.insert(0, 4 - y.size(), '0');
          out += y;
        } else {
          two(d.year % 100);
        }
        break;
      case 'h':
        if (run >= 2) two(t.hour); else out += std::to_string(t.hour);
        break;
      case 'n':
        if (run >= 2) two(t.minute); else out += std::to_string(t.minute);
        break;
      case 's':
        if (run >= 2) two(t.second); else out += std::to_string(t.second);
        break;
      case '"':
      case '\'': {
        size_t close = format.find(c, i + 1);
        if (close == std::string_view::npos) close = format.size();
        out.append(format.substr(i + 1, close - i - 1));
        i = close + 1;
        continue;
      }
      default:
        out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

std::optional<DayNumber> ParseDate(std::string_view text, std::string_view shortDateFormat) {
  // The order of day, month and year in the format.
  char order[3] = {0, 0, 0};
  int seen = 0;
  for (char c : shortDateFormat) {
    char lc = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if ((lc == 'd' || lc == 'm' || lc == 'y') && (seen == 0 || order[seen - 1] != lc)) {
      bool dup = false;
      for (int k = 0; k < seen; ++k) dup |= order[k] == lc;
      if (!dup && seen < 3) order[seen++] = lc;
    }
  }
  if (seen != 3) {
    order[0] = 'd';
    order[1] = 'm';
    order[2] = 'y';
  }
  long nums[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int count = 0;
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  size_t end = text.size();
  while (end > i && text[end - 1] == ' ') --end;
  bool inNumber = false;
  for (; i < end; ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      if (!inNumber) {
        if (count == 3) return std::nullopt;
        ++count;
        inNumber = true;
      }
      if (digits[count - 1] >= 6) return std::nullopt;
      nums[count - 1] = nums[count - 1] * 10 + (c - '0');
      ++digits[count - 1];
    } else {
      if (!inNumber) return std::nullopt;  // two separators in a row, or a leading one
      inNumber = false;
    }
  }
  if (count != 3 || !inNumber) return std::nullopt;
  int day = 0, month = 0, year = 0, yearDigits = 0;
  for (int k = 0; k < 3; ++k) {
    if (order[k] == 'd') day = static_cast<int>(nums[k]);
    if (order[k] == 'm') month = static_cast<int>(nums[k]);
    if (order[k] == 'y') {
      year = static_cast<int>(nums[k]);
      yearDigits = digits[k];
    }
  }
  if (yearDigits <= 2) year += year < 50 ? 2000 : 1900;
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return static_cast<DayNumber>(EncodeDate(year, month, day));
}

}  // namespace stallora
