#include "core/daynum.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

TEST(DayNumber, CountsDaysFromTheThirtiethOfDecember1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(1970, 1, 1), 25569);
  EXPECT_EQ(EncodeDate(2008, 1, 1), 39448);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
  EXPECT_EQ(DecodeDate(39448.75), (CivilDate{2008, 1, 1}));
  EXPECT_EQ(DecodeDate(-1.25), (CivilDate{1899, 12, 29}));
  for (int dn = -1000; dn < 80000; dn += 37) {
    CivilDate d = DecodeDate(dn);
    ASSERT_EQ(EncodeDate(d.year, d.month, d.day), dn);
  }
}

TEST(DayNumber, TimeIsTheFraction) {
  TimeOfDay t = DecodeTime(39448.75);
  EXPECT_EQ(t.hour, 18);
  EXPECT_EQ(t.minute, 0);
  EXPECT_DOUBLE_EQ(EncodeTime(8, 0), 8.0 / 24.0);
  t = DecodeTime(-1.25);
  EXPECT_EQ(t.hour, 6);
  t = DecodeTime(EncodeDate(2020, 5, 5) + EncodeTime(23, 59, 59));
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.minute, 59);
  EXPECT_EQ(t.second, 59);
}

TEST(IncMonth, ClampsToTheLastDayAndKeepsTheTime) {
  EXPECT_EQ(IncMonth(EncodeDate(2023, 3, 31), -1), EncodeDate(2023, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 12, 15), 1), EncodeDate(2025, 1, 15));
  EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2024, 5, 10) + 0.5, 2), EncodeDate(2024, 7, 10) + 0.5);
}

TEST(MonthNumber, IsTheSmallestStepBackThatFallsBeforeTheDate) {
  const DayNumber today = EncodeDate(2026, 12, 9);
  // Born today: one month back is before it.
  EXPECT_EQ(MonthNumber(today, today), 1);
  // Born exactly one month ago: today minus one month is not before it, minus two is.
  EXPECT_EQ(MonthNumber(EncodeDate(2026, 11, 9), today), 2);
  EXPECT_EQ(MonthNumber(EncodeDate(2026, 11, 10), today), 1);
  EXPECT_EQ(MonthNumber(EncodeDate(2026, 11, 8), today), 2);
  EXPECT_EQ(AgeInMonths(EncodeDate(2026, 11, 8), today), 1);
  EXPECT_EQ(AgeInMonths(EncodeDate(2025, 12, 10), today), 11);
  EXPECT_EQ(AgeInMonths(EncodeDate(2025, 12, 9), today), 12);
  // Older than three years: 36 at most.
  EXPECT_EQ(MonthNumber(EncodeDate(2020, 1, 1), today), 36);
  EXPECT_EQ(MonthNumber(EncodeDate(2023, 12, 10), today), 36);
  EXPECT_EQ(MonthNumber(EncodeDate(2023, 12, 9), today), 36);
}

TEST(FormatDateTime, RegionalShortDateFormats) {
  const DayNumber d = EncodeDate(2008, 1, 5) + EncodeTime(7, 30);
  EXPECT_EQ(FormatDateTime("dd-mm-yyyy", d), "05-01-2008");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy", d), "05.01.2008");
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy", d), "05/01/2008");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", d), "2008-01-05");
  EXPECT_EQ(FormatDateTime("d-m-yy", d), "5-1-08");
  EXPECT_EQ(FormatDateTime("hhnn", d), "0730");
  EXPECT_EQ(FormatDateTime("hh:nn 'kl'", d), "07:30 kl");
}

TEST(ParseDate, FollowsTheFormatOrderAndRefusesNonsense) {
  EXPECT_EQ(ParseDate("05-01-2008", "dd-mm-yyyy"), EncodeDate(2008, 1, 5));
  EXPECT_EQ(ParseDate("5.1.2008", "dd-mm-yyyy"), EncodeDate(2008, 1, 5));
  EXPECT_EQ(ParseDate("2008-01-05", "yyyy-mm-dd"), EncodeDate(2008, 1, 5));
  EXPECT_EQ(ParseDate(" 29/02/24 ", "dd/mm/yyyy"), EncodeDate(2024, 2, 29));
  EXPECT_EQ(ParseDate("01-01-75", "dd-mm-yyyy"), EncodeDate(1975, 1, 1));
  EXPECT_FALSE(ParseDate("29-02-2023", "dd-mm-yyyy"));
  EXPECT_FALSE(ParseDate("32-01-2023", "dd-mm-yyyy"));
  EXPECT_FALSE(ParseDate("01-01", "dd-mm-yyyy"));
  EXPECT_FALSE(ParseDate("01-01-2023-4", "dd-mm-yyyy"));
  EXPECT_FALSE(ParseDate("", "dd-mm-yyyy"));
  EXPECT_FALSE(ParseDate("1--1-2023", "dd-mm-yyyy"));
  EXPECT_FALSE(ParseDate("99999999-1-2023", "dd-mm-yyyy"));
}

}  // namespace
}  // namespace stallora
