// The notification-area tooltip: its four forms, the twelve- and
// twenty-four-hour times, the cut at 62 characters and the empty book.
#include <gtest/gtest.h>

#include <string>

#include "shell/TrayTooltip.h"
#include "store/Moment.h"

using store::MakeTime;

namespace {

shell::TooltipAppointment At(int year, int month, int day, int hour, int minute, std::string text) {
  shell::TooltipAppointment a;
  a.year = year;
  a.month = month;
  a.day = day;
  a.hour = hour;
  a.minute = minute;
  a.time = MakeTime(year, month, day, hour, minute);
  a.text = std::move(text);
  return a;
}

// Friday 14 March 2025.
const store::Moment kFridayEvening = MakeTime(2025, 3, 14, 23, 10);

TEST(TrayTooltip, EachFormWithTwelveAndTwentyFourHourTimes) {
  const store::Moment friday9 = MakeTime(2025, 3, 14, 9, 0);
  const store::Moment friday8 = MakeTime(2025, 3, 14, 8, 0);
  const store::Moment midnight = MakeTime(2025, 3, 14, 0, 10);  // just after
  const struct {
    store::Moment now;
    int year, month, day, hour, minute;
    const char* text;
    const char* twelveHours;
    const char* twentyFourHours;  // nullptr: not checked
  } cases[] = {
      // Tomorrow: starts with a space and the word.
      {kFridayEvening, 2025, 3, 15, 9, 5, "Dentist", " Tomorrow at 9:05am: Dentist ",
       " Tomorrow at 9:05: Dentist "},
      // Today: only the time; the midnight hour is twelve.
      {midnight, 2025, 3, 14, 0, 30, "Night train", "12:30am: Night train ", "0:30: Night train "},
      {midnight, 2025, 3, 14, 12, 0, "Lunch", "12:00pm: Lunch ", nullptr},
      {midnight, 2025, 3, 14, 23, 59, "Late", "11:59pm: Late ", "23:59: Late "},
      // Within a week: the weekday (Monday 17 March, three days on).
      {kFridayEvening, 2025, 3, 17, 14, 0, "Meeting", "Monday 2:00pm: Meeting ",
       "Monday 14:00: Meeting "},
      // Exactly a week on is no longer within a week; a minute earlier still is.
      {friday9, 2025, 3, 21, 9, 0, "Review", "Friday, March 21 9:00am: Review ", nullptr},
      {friday9, 2025, 3, 21, 8, 59, "Review", "Friday 8:59am: Review ", nullptr},
      {friday9, 2025, 9, 30, 13, 7, "Taxes", "Tuesday, September 30 1:07pm: Taxes ", nullptr},
      // A year from today is neither today's nor tomorrow's.
      {friday8, 2026, 3, 14, 10, 0, "Anniversary", "Saturday, March 14 10:00am: Anniversary ",
       nullptr},
      {friday8, 2026, 3, 15, 10, 0, "Party", "Sunday, March 15 10:00am: Party ", nullptr},
  };
  for (const auto& c : cases) {
    const shell::TooltipAppointment next = At(c.year, c.month, c.day, c.hour, c.minute, c.text);
    EXPECT_EQ(c.twelveHours, shell::TrayTooltipText(&next, c.now, false));
    if (c.twentyFourHours != nullptr) {
      EXPECT_EQ(c.twentyFourHours, shell::TrayTooltipText(&next, c.now, true));
    }
  }
}

TEST(TrayTooltip, TextsLongerThan62CharactersKeepTheirFirst60AndGetAnEllipsis) {
  const store::Moment now = MakeTime(2025, 3, 14, 8, 0);
  // "9:05am: " is 8 characters and a space ends the text: 8 + 53 + 1 = 62.
  const shell::TooltipAppointment fits = At(2025, 3, 14, 9, 5, std::string(53, 'a'));
  const std::string kept = shell::TrayTooltipText(&fits, now, false);
  EXPECT_EQ(62u, kept.size());
  EXPECT_EQ("9:05am: " + std::string(53, 'a') + " ", kept);

  const shell::TooltipAppointment oneMore = At(2025, 3, 14, 9, 5, std::string(54, 'b'));
  EXPECT_EQ("9:05am: " + std::string(52, 'b') + "...",
            shell::TrayTooltipText(&oneMore, now, false));

  // A tip of 70 characters shows its first 60 and "...".
  const shell::TooltipAppointment seventy = At(2025, 3, 14, 9, 5, std::string(61, 'c'));
  const std::string cut = shell::TrayTooltipText(&seventy, now, false);
  EXPECT_EQ(63u, cut.size());
  EXPECT_EQ("9:05am: " + std::string(52, 'c') + "...", cut);
}

TEST(TrayTooltip, WithoutANextAppointmentTheTipSaysSo) {
  EXPECT_EQ("Lumetta Calendar: no appointments are scheduled",
            shell::TrayTooltipText(nullptr, kFridayEvening, false));
}

}  // namespace
