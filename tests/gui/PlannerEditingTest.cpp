// The slot editor after every kind of scroll, pasting several lines into a
// slot, copying a day while an entry is being retyped, and stepping across a
// year's end and the days the clocks change.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>
#include <time.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "PlannerFixture.h"
#include "resource.h"
#include "store/Moment.h"
#include "support/WindowText.h"

using planner::AppointBook2;
using planner::kHalfPast;
using planner::kOnTheHour;
using planner_test::PlannerTest;

namespace {

constexpr int kKey = -1;  // a step that is a key press rather than a scroll code

// From a first hour and a selected slot, scroll-bar messages (the line or
// page code, then SB_ENDSCROLL, as a click on the bar sends them, with the
// repaint in between as the bar's own loop runs it) or page keys.
struct ScrollCase {
  const char* what;
  int firstHour, row, half;
  int code;  // SB_... or kKey
  UINT key;  // with kKey
  int expectedFirstHour;
  const char* selected;
};

const ScrollCase kScrollCases[] = {
    {"arrow down", 8, 3, kHalfPast, SB_LINEDOWN, 0, 9, "9:00"},
    {"arrow up", 8, 3, kHalfPast, SB_LINEUP, 0, 7, "7:00"},
    {"track below the thumb", 0, 2, kOnTheHour, SB_PAGEDOWN, 0, 8, "8:00"},
    {"arrow up at midnight", 0, 2, kOnTheHour, SB_LINEUP, 0, 0, "2:00"},
    {"arrow down at the end", 13, 1, kHalfPast, SB_LINEDOWN, 0, 13, "14:30"},
    {"Page Up at 12:00am", 0, 0, kOnTheHour, kKey, VK_PRIOR, 0, "0:00"},
    {"Page Down at 1:00pm", 13, 4, kHalfPast, kKey, VK_NEXT, 13, "17:30"},
};

TEST_F(PlannerTest, AfterEveryScrollAnEditorLiesOnTheSelectedSlot) {
  for (const ScrollCase& c : kScrollCases) {
    AppointBook2& planner = Open();
    SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.firstHour + 1), 0);
    Settle(planner);
    planner.OpenSlotEditor(c.row, c.half);
    Settle(planner);
    if (c.code == kKey) {
      Key(planner, c.key);
    } else {
      SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(c.code, 0), 0);
      UpdateWindow(planner.Handle());
      SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
      Settle(planner);
    }
    EXPECT_EQ(c.expectedFirstHour, planner.FirstHour()) << c.what;
    EXPECT_EQ(c.selected, Selected(planner)) << c.what;
    ASSERT_NE(nullptr, Editor(planner)) << c.what << ": typing needs an editor";
    EXPECT_TRUE(IsWindowVisible(Editor(planner))) << c.what;
    EXPECT_EQ(Editor(planner), GetFocus()) << c.what;
    RECT editor = {};
    GetWindowRect(Editor(planner), &editor);
    MapWindowPoints(nullptr, planner.Handle(), reinterpret_cast<POINT*>(&editor), 2);
    const RECT& slot = planner.Layout().Slot(planner.SelectedRow(), planner.SelectedHalf());
    EXPECT_TRUE(editor.top >= slot.top && editor.bottom <= slot.bottom) << c.what;
    planner::CloseAllDayPlanners();
    testing_support::PumpPending();
  }
}

TEST_F(PlannerTest, LinesPastedIntoASlotBecomeOneLine) {
  AppointBook2& planner = Open();
  testing_support::SetClipboardText("Call Ann\r\nabout the\rcar\nnow");
  Type(planner, ">");
  Command(planner, ID_EDIT_PASTE);
  EXPECT_EQ(">Call Ann about the car now", testing_support::WindowText(Editor(planner)));
  Key(planner, VK_DOWN);
  EXPECT_EQ(">Call Ann about the car now", TextAt(8, 0));
}

TEST_F(PlannerTest, CopyToClipboardTakesTheTextOfAnEntryBeingRetyped) {
  AppointBook2& planner = Open();
  Type(planner, "Dentist");
  Key(planner, VK_UP);  // commits 8:00, selects 7:30
  Key(planner, VK_DOWN);
  Retype(planner, "Doctor");
  Command(planner, ID_COPY_TO_CLIPBOARD);
  EXPECT_EQ("Day Planner for March 7, 2025\r\n8:00am\tDoctor\r\n",
            testing_support::ClipboardText());
}

// Local time as the program reads it: the C library follows the system's
// zone (under Wine, the zone TZ names when the process starts).
class SystemZone {
 public:
  SystemZone() {
    const char* old = getenv("TZ");
    old_ = std::string("TZ=") + (old != nullptr ? old : "");
    _putenv("TZ=");
    _tzset();
  }
  ~SystemZone() {
    _putenv(old_.c_str());
    _tzset();
  }

 private:
  std::string old_;
};

TEST_F(PlannerTest, StepsCrossAYearsEndAndTheDaysTheClocksChange) {
  SystemZone zone;
  // The days of 2025 that are not 24 hours long, and a year's end.
  std::vector<std::array<int, 3>> days = {{2025, 12, 31}};
  for (int day = 0; day < 364; ++day) {
    store::CalendarFields date;
    ASSERT_TRUE(store::LocalFields(store::MakeTime(2025, 1, 1, 12, 0) + day * 86400, date));
    const store::Moment midnight = store::MakeTime(date.year, date.month, date.day, 0, 0);
    store::CalendarFields next;
    ASSERT_TRUE(store::LocalFields(midnight + 86400 + 7200, next));
    if (store::MakeTime(next.year, next.month, next.day, 0, 0) - midnight != 86400) {
      days.push_back({date.year, date.month, date.day});
    }
  }
  // Run in a zone with clock changes by the test planner_steps_in_new_york.
  if (days.size() == 1) GTEST_SKIP() << "no clock changes in this time zone";
  ASSERT_EQ(3u, days.size()) << "two days the clocks change";
  for (const auto& d : days) {
    // Entries on the day before, the day and the day after.
    store::CalendarFields around[3];
    const store::Moment noon = store::MakeTime(d[0], d[1], d[2], 12, 0);
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(store::LocalFields(noon + (i - 1) * 86400, around[i]));
      store::An_Appointment& e = host.diary.book.Create();
      e.SetSlot(around[i].year, around[i].month, around[i].day, 8, 0,
                "Day " + std::to_string(around[i].day));
    }
    AppointBook2& planner = Open(around[0].year, around[0].month, around[0].day);
    const std::pair<UINT, int> steps[] = {
        {ID_NEXT, 1}, {ID_NEXT, 2}, {ID_PREVIOUS, 1}, {ID_PREVIOUS, 0}};
    for (const auto& step : steps) {
      Command(planner, step.first);
      const store::CalendarFields& shown = around[step.second];
      const std::string where = std::to_string(d[1]) + "/" + std::to_string(d[2]) + ", step to " +
                                std::to_string(shown.month) + "/" + std::to_string(shown.day);
      EXPECT_EQ(AppointBook2::TitleFor(shown.year, shown.month, shown.day),
                testing_support::WindowText(planner.Handle()))
          << where;
      EXPECT_EQ("Day " + std::to_string(shown.day), planner.SlotText()) << where;
    }
    planner::CloseAllDayPlanners();
    testing_support::PumpPending();
  }
}

}  // namespace
