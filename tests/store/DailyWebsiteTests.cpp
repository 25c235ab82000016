// The daily web page's timing rules: seconds until a time of day, rounding
// up to the half hour, and what one run of the schedule does.
#include <gtest/gtest.h>

#include <cstring>

#include "TimeZone.h"
#include "store/DailyWebsite.h"
#include "store/Settings.h"

using namespace store;

namespace {

Moment At(int year, int month, int day, int hour, int minute, int second = 0) {
  return MakeTime(year, month, day, hour, minute) + second;
}

class DailyWebsiteTest : public ::testing::Test {
 protected:
  ScopedTimeZone zone_{"Europe/Berlin"};
};

TEST_F(DailyWebsiteTest, SecondsUntilTimeOfDayCountsToTodayOrTomorrow) {
  const struct {
    int storedHour, storedMinute, storedSecond;
    int nowHour, nowMinute, nowSecond;
    int expected;
  } cases[] = {
      {8, 0, 0, 7, 59, 59, 1},    // one second before
      {8, 0, 0, 8, 0, 0, 86400},  // the current second: a whole day
      {8, 0, 0, 8, 0, 1, 86399},  // just past: tomorrow
      {8, 0, 30, 8, 0, 10, 20},   // seconds compared last
      {23, 59, 59, 0, 0, 0, 86399},
      {0, 0, 0, 23, 59, 59, 1},
      {12, 30, 0, 9, 15, 0, 3 * 3600 + 15 * 60},
  };
  // The stored moment's date does not count, only its time of day.
  for (const auto& c : cases) {
    const Moment stored = At(2019, 1, 5, c.storedHour, c.storedMinute, c.storedSecond);
    const Moment now = At(2025, 6, 11, c.nowHour, c.nowMinute, c.nowSecond);
    EXPECT_EQ(c.expected, SecondsUntilTimeOfDay(stored, now))
        << c.storedHour << ":" << c.storedMinute << ":" << c.storedSecond << " from " << c.nowHour
        << ":" << c.nowMinute << ":" << c.nowSecond;
  }
}

TEST_F(DailyWebsiteTest, SecondsUntilTimeOfDayFollowsTheLocalClockAcrossAChange) {
  // Clocks go forward at 2:00 on 30 March 2025: 1:00 to 8:00 is 6 hours.
  EXPECT_EQ(6 * 3600, SecondsUntilTimeOfDay(At(2025, 1, 1, 8, 0), At(2025, 3, 30, 1, 0)));
  // From 9:00 the day before, 8:00 comes after 22 real hours.
  EXPECT_EQ(22 * 3600, SecondsUntilTimeOfDay(At(2025, 1, 1, 8, 0), At(2025, 3, 29, 9, 0)));
}

// Through the schedule's rules: the timer runs to the set time of the next
// day on the last day of every length of month, and never to a time passed.
struct NextRunCase {
  const char* what;
  int year, month, day, hour, minute, second;  // now
  int setHour, setMinute;
  int expectedSeconds;
};

class DailyWebsiteNextRun : public DailyWebsiteTest,
                            public ::testing::WithParamInterface<NextRunCase> {};

TEST_P(DailyWebsiteNextRun, TheTimerRunsToTheNextRealOccurrenceOfTheSetTime) {
  const NextRunCase& c = GetParam();
  SettingsBlock settings{};
  std::strcpy(settings.webPageAddress, "example.org");
  settings.webPageEnabled = 1;
  settings.webPageTime = At(2019, 1, 5, c.setHour, c.setMinute);
  const Moment now = At(c.year, c.month, c.day, c.hour, c.minute, c.second);
  const DailyWebsitePlan plan = PlanDailyWebsite(settings, now, true);
  ASSERT_TRUE(plan.startTimer) << c.what;
  EXPECT_EQ(c.expectedSeconds, plan.seconds) << c.what;
}

constexpr int kHour = 3600;

INSTANTIATE_TEST_SUITE_P(
    MonthEndsAndClockChanges, DailyWebsiteNextRun,
    ::testing::Values(
        NextRunCase{"31-day month", 2025, 1, 31, 10, 0, 0, 9, 0, 23 * kHour},
        NextRunCase{"30-day month", 2025, 4, 30, 10, 0, 0, 9, 0, 23 * kHour},
        NextRunCase{"28-day February", 2025, 2, 28, 10, 0, 0, 9, 0, 23 * kHour},
        NextRunCase{"29-day February", 2024, 2, 29, 10, 0, 0, 9, 0, 23 * kHour},
        NextRunCase{"the year's end", 2025, 12, 31, 9, 0, 0, 9, 0, 24 * kHour},
        NextRunCase{"31 March 2024, the spring change", 2024, 3, 31, 10, 0, 0, 9, 0, 23 * kHour},
        NextRunCase{"31 October, after the autumn change", 2021, 10, 31, 10, 0, 0, 9, 0,
                    23 * kHour},
        // 2:00 to 3:00 is shown twice on 26 October 2025; 2:15 of the second
        // pass (the first pass plus an hour) comes before the second 2:30.
        NextRunCase{"the repeated hour, second pass", 2025, 10, 26, 2, 15, kHour, 2, 30, 15 * 60},
        NextRunCase{"the repeated hour, first pass", 2025, 10, 26, 2, 15, 0, 2, 30, 15 * 60}));

TEST_F(DailyWebsiteTest, RoundUpToHalfHourGoesToTheNextFullOrHalfHour) {
  const struct {
    int hour, minute, second;
    int expectedHour, expectedMinute;
  } cases[] = {
      {10, 7, 30, 10, 30}, {10, 31, 0, 11, 0},  {10, 0, 0, 10, 0},
      {10, 30, 0, 10, 30}, {10, 29, 1, 10, 30}, {10, 30, 1, 11, 0},
      {10, 59, 59, 11, 0}, {23, 45, 0, 0, 0},   {10, 1, 0, 10, 30},
  };
  for (const auto& c : cases) {
    const CalendarFields f =
        LocalFields(RoundUpToHalfHour(At(2025, 6, 11, c.hour, c.minute, c.second)));
    EXPECT_EQ(c.expectedHour, f.hour) << c.hour << ":" << c.minute << ":" << c.second;
    EXPECT_EQ(c.expectedMinute, f.minute) << c.hour << ":" << c.minute << ":" << c.second;
    EXPECT_EQ(0, f.second);
  }
}

TEST_F(DailyWebsiteTest, PlanOpensOnlyOnTimerExpiryWhenEnabledAndNotOnAWeekendWithWeekdaysOnly) {
  // 14 June 2025 is a Saturday, 15 a Sunday, 16 a Monday.
  const struct {
    const char* address;
    bool enabled, weekdaysOnly, openNow;
    int day;
    bool startTimer, openPage;
  } cases[] = {
      {"https://news.example/", true, true, true, 14, true, false},
      {"https://news.example/", true, true, true, 15, true, false},
      {"https://news.example/", true, true, true, 16, true, true},
      {"https://news.example/", true, false, true, 14, true, true},
      {"https://news.example/", false, false, true, 16, true, false},
      {"https://news.example/", true, false, false, 16, true, false},  // at start-up
      {"x", true, false, true, 16, false, false},                      // too short: nothing
      {"", true, false, true, 16, false, false},
      {"ab", true, false, true, 16, true, true},
  };
  for (const auto& c : cases) {
    SettingsBlock s;
    SetDefaultSettings(s, At(2025, 1, 1, 8, 0));
    SetText(s.webPageAddress, c.address);
    s.webPageEnabled = c.enabled ? 1 : 0;
    s.webPageWeekdaysOnly = c.weekdaysOnly ? 1 : 0;
    const DailyWebsitePlan plan = PlanDailyWebsite(s, At(2025, 6, c.day, 8, 0), c.openNow);
    const std::string what = std::string(c.address) + " day " + std::to_string(c.day);
    EXPECT_EQ(c.startTimer, plan.startTimer) << what;
    EXPECT_EQ(c.openPage, plan.openPage) << what;
    // Fired at 08:00: the next run is a whole day later.
    if (c.startTimer) {
      EXPECT_EQ(86400, plan.seconds) << what;
    }
  }
}

TEST_F(DailyWebsiteTest, QuestionNamesTheAddress) {
  SettingsBlock s;
  SetDefaultSettings(s, At(2025, 1, 1, 8, 0));
  SetText(s.webPageAddress, "https://news.example/");
  EXPECT_EQ("Would you like Lumetta to open a web browser for: https://news.example/?",
            DailyWebsiteQuestion(s));
}

}  // namespace
