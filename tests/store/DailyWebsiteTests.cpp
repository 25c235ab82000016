// The daily web page's timing rules: seconds until a time of day, rounding
// up to the half hour, and what one run of the schedule does.
#include <gtest/gtest.h>

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
