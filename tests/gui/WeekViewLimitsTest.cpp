// The week view at its limits: a busy period scrolls down to its last day,
// and days whose entries the calendar could not keep are never offered.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CalendarViewsFixture.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "views/WeekPeriod.h"

using views::Date;
using views::ViewWeek;

namespace {

class WeekViewLimitsTest : public views_test::CalendarViewsTest {};

TEST_F(WeekViewLimitsTest, FourBusyWeeksScrollDownToTheirLastDay) {
  for (int i = 0; i < 28; ++i) {
    const Date day = views::AddDays(Date{2025, 9, 7}, i);
    for (int slot = 0; slot < 48; ++slot) {
      host.diary.Add(day.year, day.month, day.day, slot / 2, 30 * (slot % 2), "Busy");
    }
  }
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  SendMessageA(week->Handle(), WM_COMMAND, ID_WEEK_LENGTH_4, 0);
  SendMessageA(week->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30000), 0);
  InvalidateRect(week->Handle(), nullptr, FALSE);
  UpdateWindow(week->Handle());

  // 28 headings and 28 x 48 entries: the last one ends the last page of
  // 22 lines the scroll bar reaches.
  EXPECT_EQ(28 * 49 - views::kWeekPageLines + 1, week->ScrollPosition());
  ASSERT_EQ(28u, week->BlockBottoms().size());
  EXPECT_EQ(views::kWeekPageLines * week->LineHeight(), week->BlockBottoms().back());
}

TEST_F(WeekViewLimitsTest, DaysThatCannotBeKeptAreRefusedWithAMessage) {
  testing_support::DialogWatcher watcher;
  // The week of 1 January 1900 begins on Sunday 31 December 1899.
  ViewWeek* week = OpenWeek(1900, 1, 1);
  ASSERT_NE(nullptr, week);
  ASSERT_EQ((Date{1899, 12, 31}), week->Start());
  SendMessageA(week->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(20, 5));
  EXPECT_TRUE(host.dayPlanners.empty());
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_NE(std::string::npos, watcher.Seen()[0].message.find("from 1900 to 9999"));
  DestroyWindow(week->Handle());

  // Next stops before a week with no day the calendar can keep.
  week = OpenWeek(9999, 12, 31);
  ASSERT_NE(nullptr, week);
  const Date last = week->Start();
  SendMessageA(week->Handle(), WM_COMMAND, ID_WEEK_NEXT, 0);
  EXPECT_EQ(last, week->Start());
  EXPECT_EQ(2u, watcher.Seen().size());
}

// Previous and Next step a week at a time across 2038-01-19, and the year
// view's a year at a time, its title following; both stop at the calendar's ends.
TEST_F(WeekViewLimitsTest, WeekAndYearStepAcross2038AndStopAtTheCalendarsEnds) {
  const struct {
    UINT command;
    Date weekFrom, weekTo;
    int yearFrom, yearTo;
  } cases[] = {
      {ID_WEEK_NEXT, {2038, 1, 17}, {2038, 1, 24}, 2037, 2038},
      {ID_WEEK_NEXT, {2037, 12, 27}, {2038, 1, 3}, 2038, 2039},
      {ID_WEEK_PREVIOUS, {2039, 1, 2}, {2038, 12, 26}, 2039, 2038},
      {ID_WEEK_PREVIOUS, {1900, 1, 7}, {1899, 12, 31}, 1901, 1900},
      {ID_WEEK_PREVIOUS, {1899, 12, 31}, {1899, 12, 31}, 1900, 1900},
      {ID_WEEK_NEXT, {9999, 12, 26}, {9999, 12, 26}, 9999, 9999},
  };
  testing_support::DialogWatcher watcher;
  for (const auto& c : cases) {
    ViewWeek* week = OpenWeek(c.weekFrom.year, c.weekFrom.month, c.weekFrom.day);
    ASSERT_NE(nullptr, week);
    ASSERT_EQ(c.weekFrom, week->Start());
    SendMessageA(week->Handle(), WM_COMMAND, c.command, 0);
    EXPECT_EQ(c.weekTo, week->Start()) << c.weekFrom.year << "-" << c.weekFrom.month;
    DestroyWindow(week->Handle());

    views::ViewYear* year = OpenYear(c.yearFrom);
    ASSERT_NE(nullptr, year);
    SendMessageA(year->Handle(), WM_COMMAND,
                 c.command == ID_WEEK_NEXT ? ID_YEAR_NEXT : ID_YEAR_PREVIOUS, 0);
    EXPECT_EQ(c.yearTo, year->ShownYear()) << c.yearFrom;
    char title[64] = {};
    GetWindowTextA(year->Handle(), title, sizeof title);
    EXPECT_NE(std::string::npos, std::string(title).find(std::to_string(c.yearTo))) << title;
    DestroyWindow(year->Handle());
  }
}

}  // namespace
