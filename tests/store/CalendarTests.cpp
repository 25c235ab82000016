#include <gtest/gtest.h>

#include <limits>

#include "TimeZone.h"
#include "store/CalendarText.h"
#include "store/Moment.h"

using namespace store;

TEST(TimeTextTest, TwelveHourStyle) {
  EXPECT_EQ(TimeText(0, 5, false), "12:05am");
  EXPECT_EQ(TimeText(0, 0, false), "12:00am");
  EXPECT_EQ(TimeText(9, 5, false), "9:05am");
  EXPECT_EQ(TimeText(11, 59, false), "11:59am");
  EXPECT_EQ(TimeText(12, 0, false), "12:00pm");
  EXPECT_EQ(TimeText(13, 30, false), "1:30pm");
  EXPECT_EQ(TimeText(23, 45, false), "11:45pm");
}

TEST(TimeTextTest, TwentyFourHourStyle) {
  EXPECT_EQ(TimeText(7, 0, true), "7:00");
  EXPECT_EQ(TimeText(9, 5, true), "9:05");
  EXPECT_EQ(TimeText(17, 30, true), "17:30");
  EXPECT_EQ(TimeText(0, 0, true), "0:00");
}

TEST(CalendarTextTest, DaysInMonthHasNoCenturyRule) {
  EXPECT_EQ(DaysInMonth(1900, 2), 29);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 13), 30);
  EXPECT_EQ(DaysInMonth(2023, 0), 30);
  const int expected[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(DaysInMonth(2023, m), expected[m - 1]) << m;
}

TEST(CalendarTextTest, Ordinals) {
  EXPECT_EQ(DayOrdinal(1), "1st");
  EXPECT_EQ(DayOrdinal(2), "2nd");
  EXPECT_EQ(DayOrdinal(3), "3rd");
  EXPECT_EQ(DayOrdinal(4), "4th");
  EXPECT_EQ(DayOrdinal(11), "11th");
  EXPECT_EQ(DayOrdinal(12), "12th");
  EXPECT_EQ(DayOrdinal(13), "13th");
  EXPECT_EQ(DayOrdinal(21), "21st");
  EXPECT_EQ(DayOrdinal(22), "22nd");
  EXPECT_EQ(DayOrdinal(23), "23rd");
  EXPECT_EQ(DayOrdinal(30), "30th");
  EXPECT_EQ(DayOrdinal(31), "31st");

  EXPECT_EQ(WeekOrdinal(0), nullptr);
  EXPECT_EQ(WeekOrdinal(-3), nullptr);
  EXPECT_STREQ(WeekOrdinal(1), "1st");
  EXPECT_STREQ(WeekOrdinal(7), "1st");
  EXPECT_STREQ(WeekOrdinal(8), "2nd");
  EXPECT_STREQ(WeekOrdinal(14), "2nd");
  EXPECT_STREQ(WeekOrdinal(15), "3rd");
  EXPECT_STREQ(WeekOrdinal(21), "3rd");
  EXPECT_STREQ(WeekOrdinal(22), "4th");
  EXPECT_STREQ(WeekOrdinal(28), "4th");
  EXPECT_STREQ(WeekOrdinal(29), "5th");
  EXPECT_STREQ(WeekOrdinal(31), "5th");
}

TEST(CalendarTextTest, NameTables) {
  EXPECT_STREQ(MonthAbbrev(9), "Sept");
  EXPECT_STREQ(MonthAbbrev(3), "March");
  EXPECT_STREQ(MonthAbbrev(4), "April");
  EXPECT_STREQ(MonthAbbrev(6), "June");
  EXPECT_STREQ(MonthAbbrev(7), "July");
  EXPECT_STREQ(MonthAbbrev(1), "Jan");
  EXPECT_STREQ(MonthAbbrev(12), "Dec");
  EXPECT_STREQ(MonthAbbrev(0), "");
  EXPECT_STREQ(MonthAbbrev(13), "");
  EXPECT_STREQ(MonthName(1), "January");
  EXPECT_STREQ(MonthName(12), "December");
  EXPECT_STREQ(MonthName(13), "");
  EXPECT_STREQ(WeekdayName(1), "Sunday");
  EXPECT_STREQ(WeekdayName(7), "Saturday");
  EXPECT_STREQ(WeekdayName(0), "");
  EXPECT_STREQ(WeekdayName(8), "");
}

TEST(CalendarTextTest, WeekdayNumberFindsTheFirstKeyInLookupOrder) {
  EXPECT_EQ(WeekdayNumber("every other Thursday"), 5);
  EXPECT_EQ(WeekdayNumber("every Tuesday"), 3);
  EXPECT_EQ(WeekdayNumber(""), 7);
  EXPECT_EQ(WeekdayNumber("Saturday"), 7);
  EXPECT_EQ(WeekdayNumber("every Wedn"), 4);
  EXPECT_EQ(WeekdayNumber("sunday"), 7);  // case-sensitive
  // Lookup order, not position in the text: "Mon" is found before "Fri".
  EXPECT_EQ(WeekdayNumber("Friday or Monday"), 2);
}

TEST(CalendarTextTest, DaysUntilWeekday) {
  EXPECT_EQ(DaysUntilWeekday(3, "Tuesday"), 0);
  EXPECT_EQ(DaysUntilWeekday(4, "Tuesday"), 6);
  EXPECT_EQ(DaysUntilWeekday(1, "every Saturday"), 6);
  EXPECT_EQ(DaysUntilWeekday(7, "Sunday"), 1);
}

// ---------------------------------------------------------------------------

TEST(MakeTimeTest, UtcValues) {
  ScopedTimeZone tz("UTC");
  EXPECT_EQ(MakeTime(1970, 1, 1, 0, 0), 0);
  EXPECT_EQ(MakeTime(2000, 1, 1, 0, 0), 946684800);
  EXPECT_EQ(MakeTime(2024, 3, 14, 10, 30), 1710412200);
  EXPECT_EQ(MakeTime(2038, 1, 19, 3, 14), 2147483640);
}

TEST(MakeTimeTest, NewYorkAcrossBothDaylightSavingChanges) {
  ScopedTimeZone tz("America/New_York");
  // 2025-03-09: clocks go from 2:00 EST to 3:00 EDT.
  EXPECT_EQ(MakeTime(2025, 3, 9, 1, 30), 1741501800);  // 06:30 UTC
  EXPECT_EQ(MakeTime(2025, 3, 9, 3, 0), 1741503600);   // 07:00 UTC
  // 2025-11-02: clocks go from 2:00 EDT back to 1:00 EST.
  EXPECT_EQ(MakeTime(2025, 11, 1, 12, 0), 1762012800);  // 16:00 UTC
  EXPECT_EQ(MakeTime(2025, 11, 2, 3, 0), 1762070400);   // 08:00 UTC
  // A day's worth of seconds added across a change moves the local hour.
  const Moment before = MakeTime(2025, 3, 8, 12, 0);
  const CalendarFields after = LocalFields(before + kSecondsPerDay);
  EXPECT_EQ(after.day, 9);
  EXPECT_EQ(after.hour, 13);
}

TEST(MakeTimeTest, DayPastMonthEndRollsOver) {
  ScopedTimeZone tz("America/New_York");
  EXPECT_EQ(MakeTime(2025, 4, 31, 9, 0), MakeTime(2025, 5, 1, 9, 0));
  EXPECT_EQ(MakeTime(2023, 2, 29, 9, 0), MakeTime(2023, 3, 1, 9, 0));
  EXPECT_EQ(MakeTime(2023, 2, 31, 0, 0), MakeTime(2023, 3, 3, 0, 0));
}

TEST(MakeTimeTest, RefusesFieldsOutOfRange) {
  ScopedTimeZone tz("UTC");
  EXPECT_THROW(MakeTime(1899, 12, 31, 23, 0), CalendarError);
  EXPECT_THROW(MakeTime(10000, 1, 1, 0, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 0, 1, 0, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 13, 1, 0, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 1, 0, 0, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 1, 32, 0, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 1, 1, -1, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 1, 1, 24, 0), CalendarError);
  EXPECT_THROW(MakeTime(2024, 1, 1, 0, -1), CalendarError);
  EXPECT_THROW(MakeTime(2024, 1, 1, 0, 60), CalendarError);
  // Past 2038-01-19 03:14:07 UTC, where 32 bits end.
  EXPECT_EQ(MakeTime(2038, 1, 19, 3, 15), 2147483700);
  EXPECT_EQ(MakeTime(1900, 1, 1, 0, 0), -2208988800);
  EXPECT_EQ(MakeTime(9999, 12, 31, 23, 59), 253402300740);
  Moment m = 123;
  EXPECT_FALSE(TryMakeTime(2024, 13, 1, 0, 0, m));
  EXPECT_EQ(m, 123);
}

TEST(MakeTimeTest, TheCalendarsFirstAndLastDaysConvertInZonesEitherSideOfUtc) {
  ScopedTimeZone tz("Europe/Berlin");
  EXPECT_EQ(MakeTime(1970, 1, 1, 0, 0), -3600);  // 1969-12-31 23:00 UTC
  EXPECT_TRUE(ConvertsToMoment(1900, 1, 1, 0, 0));
  EXPECT_TRUE(ConvertsToMoment(9999, 12, 31, 23, 30));
  ScopedTimeZone west("America/Los_Angeles");
  EXPECT_TRUE(CanStoreDay(1900, 1, 1));
  EXPECT_TRUE(CanStoreDay(9999, 12, 31));
}

TEST(MakeTimeTest, ConvertsToMomentAgreesWithMakeTime) {
  ScopedTimeZone tz("America/New_York");
  const int years[] = {1899, 1900, 1901, 2000, 2037, 2038, 2039, 9999, 10000};
  for (int y : years) {
    for (int mo : {0, 1, 6, 12, 13}) {
      for (int d : {0, 1, 19, 31, 32}) {
        for (int h : {-1, 0, 22, 23, 24}) {
          Moment ignored;
          EXPECT_EQ(ConvertsToMoment(y, mo, d, h, 0), TryMakeTime(y, mo, d, h, 0, ignored))
              << y << "-" << mo << "-" << d << " " << h;
        }
      }
    }
  }
}

TEST(LocalFieldsTest, BreaksDownAMoment) {
  ScopedTimeZone tz("America/New_York");
  CalendarFields f;
  ASSERT_TRUE(LocalFields(1741501800, f));  // 2025-03-09 01:30 EST, a Sunday
  EXPECT_EQ(f.year, 2025);
  EXPECT_EQ(f.month, 3);
  EXPECT_EQ(f.day, 9);
  EXPECT_EQ(f.hour, 1);
  EXPECT_EQ(f.minute, 30);
  EXPECT_EQ(f.second, 0);
  EXPECT_EQ(f.weekday, 0);
  ASSERT_TRUE(LocalFields(MakeTime(2025, 3, 14, 9, 0), f));
  EXPECT_EQ(f.weekday, 5);  // Friday
}

TEST(LocalFieldsTest, AMomentOutsideTheCalendarGivesTheSubstitutes) {
  ScopedTimeZone tz("UTC");
  CalendarFields f;
  ASSERT_TRUE(LocalFields(-1, f));
  EXPECT_EQ(f.year, 1969);
  EXPECT_EQ(f.second, 59);
  EXPECT_EQ(f.weekday, 3);  // Wednesday
  f.year = 99;
  EXPECT_FALSE(LocalFields(MakeTime(1900, 1, 1, 0, 0) - 1, f));
  EXPECT_FALSE(LocalFields(std::numeric_limits<Moment>::max(), f));
  EXPECT_FALSE(LocalFields(std::numeric_limits<Moment>::min(), f));
  EXPECT_EQ(f.year, 0);
  EXPECT_EQ(f.month, 0);
  EXPECT_EQ(f.day, 0);
  EXPECT_EQ(f.hour, -1);
  EXPECT_EQ(f.minute, -1);
}

// The cache must give exactly MakeTime's answer, around every kind of
// daylight-saving change: an hour at 2:00, half an hour (Lord Howe Island),
// and a change at midnight (Sao Paulo 2018, where 0:00 did not exist).
class MomentCacheTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MomentCacheTest, AgreesWithMakeTimeForEveryHalfHour) {
  ScopedTimeZone tz(GetParam());
  MomentCache cache;
  long mismatches = 0;
  for (int year : {1900, 1970, 2018, 2025, 2038, 2040, 9999}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        for (int hour = 0; hour < 24; ++hour) {
          for (int minute : {0, 15, 30, 59}) {
            Moment expected = 0;
            Moment got = 0;
            const bool ok = TryMakeTime(year, month, day, hour, minute, expected);
            const bool cached = cache.TryConvert(year, month, day, hour, minute, got);
            if (ok != cached || (ok && expected != got)) ++mismatches;
          }
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  Moment out;
  EXPECT_FALSE(cache.TryConvert(2025, 13, 1, 0, 0, out));
  EXPECT_FALSE(cache.TryConvert(1899, 12, 31, 0, 0, out));
  EXPECT_FALSE(cache.TryConvert(2025, 1, 1, 99, 0, out));
}

INSTANTIATE_TEST_SUITE_P(Zones, MomentCacheTest,
                         ::testing::Values("UTC", "America/New_York", "Europe/Berlin",
                                           "Australia/Lord_Howe", "America/Sao_Paulo"));
