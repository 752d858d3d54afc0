#pragma once
// Dates are day numbers: days since 30 December 1899, the time of day as the fraction.
// Every record file stores them that way, so the whole program counts in them.

#include <optional>
#include <string>
#include <string_view>

namespace stallora {

using DayNumber = double;

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
  bool operator==(const CivilDate&) const = default;
};

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Day number of a calendar date (no range check beyond the calendar's own).
int EncodeDate(int year, int month, int day);
DayNumber EncodeTime(int hour, int minute, int second = 0, int millisecond = 0);

// The calendar date of a day number. The day is the whole part (toward zero), so times on
// days before 1899-12-30 are negative numbers whose fraction is still the time of day.
CivilDate DecodeDate(DayNumber value);
TimeOfDay DecodeTime(DayNumber value);

// Moves a date by whole calendar months. A day past the end of the target month becomes its
// last day (31 March minus one month is 28 or 29 February); the time of day is kept.
DayNumber IncMonth(DayNumber value, int months);

// The month number of a date D: the smallest n in 1..36 for which today moved back n
// calendar months lies before D; 36 when none does.
int MonthNumber(DayNumber date, DayNumber today);

// Age in whole months: the month number of the birth date minus 1.
int AgeInMonths(DayNumber birth, DayNumber today);

// Formats with the letters of a date/time format: d dd m mm yy yyyy h hh n nn s ss, text in
// double or single quotes taken literally, every other character copied.
std::string FormatDateTime(std::string_view format, DayNumber value);

// Reads a date typed in the order of a short date format (day, month and year positions are
// taken from the format; any non-digit separates the numbers). Two-digit years fall in
// 1950..2049. Returns nothing for text that is not a valid date.
std::optional<DayNumber> ParseDate(std::string_view text, std::string_view shortDateFormat);

}  // namespace stallora
