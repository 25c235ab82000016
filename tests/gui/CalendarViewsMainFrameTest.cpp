// The main window with the week and year views: its View menu's Week and
// Year, the month view's right click on a day and click on its title, and
// Next and Previous passed to whichever of the two views is active.
#include <gtest/gtest.h>

#include <windows.h>

#include "MainFrameTestSupport.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "support/WindowText.h"
#include "views/MonthView.h"
#include "views/WeekView.h"
#include "views/YearView.h"

using main_frame_testing::MainFrameTest;
using views::Date;
using views::ViewWeek;
using views::ViewYear;

namespace {

class CalendarViewsMainFrame : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    ASSERT_TRUE(MakeFrame());
  }
  void Send(UINT id) { SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  views::CLumettaView& Month() { return *frame_->MonthView(); }
  LRESULT SendToMonth(UINT message, POINT p) {
    return SendMessageA(Month().Handle(), message, 0, MAKELPARAM(p.x, p.y));
  }
};

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(CalendarViewsMainFrame, WeekOpensTodaysWeekAtTheTopLeftWithAClick) {
  EXPECT_TRUE(frame_->IsCommandEnabled(ID_VIEW_WEEK));
  const int clicks = services_.sound.Clicks();
  Send(ID_VIEW_WEEK);  // today is Sunday 16 March 2025
  ViewWeek* week = ViewWeek::Current();
  ASSERT_NE(nullptr, week);
  EXPECT_EQ((Date{2025, 3, 16}), week->Start());
  EXPECT_EQ(clicks + 1, services_.sound.Clicks());
  EXPECT_TRUE(IsWindowVisible(week->Handle()));
  EXPECT_EQ(week->Handle(), GetActiveWindow());
  RECT r = {};
  GetWindowRect(week->Handle(), &r);
  EXPECT_EQ(0, r.left) << "without a usable saved position";
  EXPECT_EQ(0, r.top);
  EXPECT_EQ(frame_->Handle(), GetWindow(week->Handle(), GW_OWNER));
}

TEST_F(CalendarViewsMainFrame, ARightClickOnADayRetargetsTheOpenWeekView) {
  Send(ID_VIEW_WEEK);
  ViewWeek* week = ViewWeek::Current();
  ASSERT_NE(nullptr, week);
  SetWindowPos(week->Handle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendToMonth(WM_RBUTTONDOWN, CentreOf(Month().Layout().days[26]));
  EXPECT_EQ(week, ViewWeek::Current()) << "the open view is reused";
  EXPECT_EQ((Date{2025, 3, 23}), week->Start());
  RECT r = {};
  GetWindowRect(week->Handle(), &r);
  EXPECT_EQ(200, r.left) << "the position it was moved to is kept";
  EXPECT_EQ(150, r.top);
}

TEST_F(CalendarViewsMainFrame, YearAndTheMonthTitleOpenTheCurrentYearOnce) {
  EXPECT_TRUE(frame_->IsCommandEnabled(ID_VIEW_YEAR));
  SendMessageA(Month().Handle(), WM_KEYDOWN, VK_UP, 0);
  ASSERT_EQ(2026, Month().ShownYear());
  SendToMonth(WM_LBUTTONDOWN, CentreOf(Month().Layout().title));
  ViewYear* year = ViewYear::Current();
  ASSERT_NE(nullptr, year);
  EXPECT_EQ(2025, year->ShownYear()) << "the current year, whatever the month view shows";
  year->NextYear();
  Send(ID_VIEW_YEAR);
  EXPECT_EQ(year, ViewYear::Current());
  EXPECT_EQ(2026, year->ShownYear()) << "an open year view keeps its year";
  EXPECT_EQ(year->Handle(), GetActiveWindow());
}

TEST_F(CalendarViewsMainFrame, NextAndPreviousGoToTheActiveWeekOrYearView) {
  Send(ID_VIEW_WEEK);
  Send(ID_VIEW_YEAR);
  ViewWeek* week = ViewWeek::Current();
  ViewYear* year = ViewYear::Current();
  ASSERT_NE(nullptr, week);
  ASSERT_NE(nullptr, year);
  const int month = Month().ShownMonth();

  SetActiveWindow(week->Handle());
  Send(ID_NEXT);
  Send(ID_NEXT);
  Send(ID_PREVIOUS);
  EXPECT_EQ((Date{2025, 3, 23}), week->Start());

  SetActiveWindow(year->Handle());
  Send(ID_PREVIOUS);
  EXPECT_EQ(2024, year->ShownYear());
  EXPECT_EQ(month, Month().ShownMonth()) << "the month view did not step";
}

TEST_F(CalendarViewsMainFrame, TheViewsCloseWithTheirCommandAndEsc) {
  Send(ID_VIEW_WEEK);
  Send(ID_VIEW_YEAR);
  ASSERT_NE(nullptr, ViewWeek::Current());
  ASSERT_NE(nullptr, ViewYear::Current());
  SendMessageA(ViewWeek::Current()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(ViewYear::Current()->Handle(), WM_COMMAND, ID_CLOSE, 0);
  testing_support::PumpPending();
  EXPECT_EQ(nullptr, ViewWeek::Current());
  EXPECT_EQ(nullptr, ViewYear::Current());
}

}  // namespace
