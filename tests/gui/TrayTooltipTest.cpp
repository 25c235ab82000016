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

TEST(TrayTooltip, TomorrowFormStartsWithASpaceAndTheWordTomorrow) {
  const shell::TooltipAppointment next = At(2025, 3, 15, 9, 5, "Dentist");
  EXPECT_EQ(" Tomorrow at 9:05am: Dentist ", shell::TrayTooltipText(&next, kFridayEvening, false));
  EXPECT_EQ(" Tomorrow at 9:05: Dentist ", shell::TrayTooltipText(&next, kFridayEvening, true));
}

TEST(TrayTooltip, TodayFormShowsOnlyTheTimeAndMidnightHourAsTwelve) {
  const store::Moment now = MakeTime(2025, 3, 14, 0, 10);
  const shell::TooltipAppointment early = At(2025, 3, 14, 0, 30, "Night train");
  EXPECT_EQ("12:30am: Night train ", shell::TrayTooltipText(&early, now, false));
  EXPECT_EQ("0:30: Night train ", shell::TrayTooltipText(&early, now, true));

  const shell::TooltipAppointment noon = At(2025, 3, 14, 12, 0, "Lunch");
  EXPECT_EQ("12:00pm: Lunch ", shell::TrayTooltipText(&noon, now, false));
  const shell::TooltipAppointment evening = At(2025, 3, 14, 23, 59, "Late");
  EXPECT_EQ("11:59pm: Late ", shell::TrayTooltipText(&evening, now, false));
  EXPECT_EQ("23:59: Late ", shell::TrayTooltipText(&evening, now, true));
}

TEST(TrayTooltip, WithinAWeekTheWeekdayFormIsUsed) {
  // Monday 17 March, three days on, at 14:00.
  const shell::TooltipAppointment next = At(2025, 3, 17, 14, 0, "Meeting");
  EXPECT_EQ("Monday 14:00: Meeting ", shell::TrayTooltipText(&next, kFridayEvening, true));
  EXPECT_EQ("Monday 2:00pm: Meeting ", shell::TrayTooltipText(&next, kFridayEvening, false));
}

TEST(TrayTooltip, AWeekOnOrLaterTheFullDateFormIsUsed) {
  const store::Moment now = MakeTime(2025, 3, 14, 9, 0);
  // Exactly a week on is no longer "within a week".
  const shell::TooltipAppointment weekOn = At(2025, 3, 21, 9, 0, "Review");
  EXPECT_EQ("Friday, March 21 9:00am: Review ", shell::TrayTooltipText(&weekOn, now, false));
  // A minute earlier still is.
  const shell::TooltipAppointment justBefore = At(2025, 3, 21, 8, 59, "Review");
  EXPECT_EQ("Friday 8:59am: Review ", shell::TrayTooltipText(&justBefore, now, false));
  const shell::TooltipAppointment later = At(2025, 9, 30, 13, 7, "Taxes");
  EXPECT_EQ("Tuesday, September 30 1:07pm: Taxes ", shell::TrayTooltipText(&later, now, false));
}

TEST(TrayTooltip, AnEntryAYearFromTodayIsNotShownAsTodaysOrTomorrows) {
  const store::Moment now = MakeTime(2025, 3, 14, 8, 0);
  const shell::TooltipAppointment sameDayNextYear = At(2026, 3, 14, 10, 0, "Anniversary");
  EXPECT_EQ("Saturday, March 14 10:00am: Anniversary ",
            shell::TrayTooltipText(&sameDayNextYear, now, false));
  const shell::TooltipAppointment tomorrowNextYear = At(2026, 3, 15, 10, 0, "Party");
  EXPECT_EQ("Sunday, March 15 10:00am: Party ",
            shell::TrayTooltipText(&tomorrowNextYear, now, false));
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
