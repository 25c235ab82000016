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
  // The week of 1 January 1970 begins on Sunday 28 December 1969.
  ViewWeek* week = OpenWeek(1970, 1, 1);
  ASSERT_NE(nullptr, week);
  ASSERT_EQ((Date{1969, 12, 28}), week->Start());
  SendMessageA(week->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(20, 5));
  EXPECT_TRUE(host.dayPlanners.empty());
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_NE(std::string::npos, watcher.Seen()[0].message.find("January 2038"));
  DestroyWindow(week->Handle());

  // Next stops before a week with no day the calendar can keep.
  week = OpenWeek(2038, 1, 18);
  ASSERT_NE(nullptr, week);
  const Date last = week->Start();
  SendMessageA(week->Handle(), WM_COMMAND, ID_WEEK_NEXT, 0);
  EXPECT_EQ(last, week->Start());
  EXPECT_EQ(2u, watcher.Seen().size());
}

}  // namespace
