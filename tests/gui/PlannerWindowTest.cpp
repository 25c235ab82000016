// The day planner window: its font, selection by mouse
// and keys, scrolling within its limits, the table of two open planners and
// stepping to another day.
#include <algorithm>
#include <string>
#include <vector>

#include "PlannerFixture.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "menus/FlatMenu.h"
#include "resource.h"
#include "store/ProgramState.h"
#include "support/Pixels.h"
#include "support/WindowText.h"

using planner::AppointBook2;
using planner::kHalfPast;
using planner::kOnTheHour;
using planner_test::PlannerTest;

namespace {

// --- Layout ----------------------------------------------------------------------

TEST_F(PlannerTest, ThePlannerDrawsWithTheChosenFontElsePalatinoLinotype15) {
  const struct {
    int savedHeight;  // 0: no font chosen
    const char* savedFace;
    LONG height;
    const char* face;
  } cases[] = {{0, "Arial", -15, "Palatino Linotype"}, {-13, "Arial", -13, "Arial"}};
  for (const auto& c : cases) {
    store::g_settings.plannerFont.height = c.savedHeight;
    store::SetText(store::g_settings.plannerFont.faceName, c.savedFace);
    AppointBook2& planner = Open();
    LOGFONTA font = {};
    ASSERT_NE(0, GetObjectA(planner.Font(), sizeof font, &font));
    EXPECT_EQ(planner.WindowDpi().Scale(c.height), font.lfHeight);
    EXPECT_STREQ(c.face, font.lfFaceName);
    planner::CloseAllDayPlanners();
    testing_support::PumpPending();
  }
}

TEST_F(PlannerTest, ANewPlannerShowsEightToHalfPastSixWithEightSelectedAndTitled) {
  AppointBook2& planner = Open(2025, 3, 7);
  EXPECT_EQ("Friday, March 7, 2025", testing_support::WindowText(planner.Handle()));
  EXPECT_EQ(8, planner.FirstHour());
  EXPECT_EQ("8:00", Selected(planner));
  EXPECT_EQ(Editor(planner), GetFocus());
  // The editor lies over the selected slot.
  RECT editor = {};
  GetWindowRect(Editor(planner), &editor);
  MapWindowPoints(nullptr, planner.Handle(), reinterpret_cast<POINT*>(&editor), 2);
  const RECT& slot = planner.Layout().Slot(0, kOnTheHour);
  EXPECT_EQ(slot.left + planner.WindowDpi().Scale(4), editor.left);
  EXPECT_EQ(slot.top + planner.WindowDpi().Scale(2), editor.top);
  EXPECT_EQ(slot.bottom, editor.bottom);
}

// --- Selection by mouse -----------------------------------------------------------

// Where a click lands in y, around row 2 (10:00 and 10:30 in a new planner).
enum class At { MiddleOfTen, TopOfTen, BoundaryTenHalfPast, OneIntoHalfPast };

struct ClickCase {
  const char* what;
  int x;  // -1: the text column's right edge, -2: one past it
  At y;
  const char* selected;
};

TEST_F(PlannerTest, ClicksSelectTheSlotUnderThePointIncludingEdgesAndTheLabelColumn) {
  const ClickCase cases[] = {
      {"middle of 10:00", 100, At::MiddleOfTen, "10:00"},
      {"label column of 10:00", 5, At::MiddleOfTen, "10:00"},
      {"x = 2, the first column that selects", 2, At::MiddleOfTen, "10:00"},
      {"x = 1 selects nothing", 1, At::MiddleOfTen, "8:00"},
      {"the text column's right edge", -1, At::MiddleOfTen, "10:00"},
      {"past the right edge", -2, At::MiddleOfTen, "8:00"},
      {"the boundary of 9:30 and 10:00: the ':00' slot wins", 100, At::TopOfTen, "10:00"},
      {"the boundary of 10:00 and 10:30: the ':00' slot wins", 100, At::BoundaryTenHalfPast,
       "10:00"},
      {"one pixel into 10:30", 100, At::OneIntoHalfPast, "10:30"},
  };
  for (const ClickCase& c : cases) {
    AppointBook2& planner = Open();
    Click(planner, 0, kOnTheHour);  // back at 8:00
    const planner::SlotLayout& layout = planner.Layout();
    const RECT& ten = layout.Slot(2, kOnTheHour);
    const int x = c.x == -1 ? ten.right : c.x == -2 ? ten.right + 1 : c.x;
    int y = (ten.top + ten.bottom) / 2;
    if (c.y == At::TopOfTen) y = ten.top;
    if (c.y == At::BoundaryTenHalfPast) y = ten.bottom;
    if (c.y == At::OneIntoHalfPast) y = ten.bottom + 1;
    SendMessageA(planner.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Settle(planner);
    EXPECT_EQ(c.selected, Selected(planner)) << c.what;
  }
}

// --- Keys, wheel and scrolling ----------------------------------------------------------

struct MoveCase {
  const char* what;
  int startFirstHour;
  int startRow;
  int startHalf;
  UINT key;  // a key, or WM_MOUSEWHEEL with `wheel`
  int wheel;
  const char* selected;
  int firstHour;
};

TEST_F(PlannerTest, KeysAndWheelMoveTheSelectionAndScrollAtTheLimits) {
  const MoveCase cases[] = {
      {"Tab goes to the ':30' slot", 8, 0, kOnTheHour, VK_TAB, 0, "8:30", 8},
      {"Enter goes down", 8, 0, kHalfPast, VK_RETURN, 0, "9:00", 8},
      {"Down goes down", 8, 3, kOnTheHour, VK_DOWN, 0, "11:30", 8},
      {"Up goes up", 8, 3, kHalfPast, VK_UP, 0, "11:00", 8},
      {"Up from the top row scrolls one hour", 8, 0, kOnTheHour, VK_UP, 0, "7:30", 7},
      {"Down from 6:30pm scrolls to 7:00pm", 8, 10, kHalfPast, VK_DOWN, 0, "19:00", 9},
      {"Tab from 6:30pm scrolls too", 8, 10, kHalfPast, VK_TAB, 0, "19:00", 9},
      {"Down on 11:30pm does nothing", 13, 10, kHalfPast, VK_DOWN, 0, "23:30", 13},
      {"Up on 12:00am does nothing", 0, 0, kOnTheHour, VK_UP, 0, "0:00", 0},
      {"Page Down from 8 shows 13:00 on", 8, 4, kHalfPast, VK_NEXT, 0, "13:00", 13},
      {"Page Up from 13 shows 8:00 on", 13, 2, kOnTheHour, VK_PRIOR, 0, "8:00", 8},
      {"Page Up from 8 shows midnight on", 8, 0, kOnTheHour, VK_PRIOR, 0, "0:00", 0},
      {"Page Down from 0 shows 8:00 on", 0, 0, kOnTheHour, VK_NEXT, 0, "8:00", 8},
      {"wheel forward moves up", 8, 2, kOnTheHour, WM_MOUSEWHEEL, WHEEL_DELTA, "9:30", 8},
      {"wheel backward moves down", 8, 2, kOnTheHour, WM_MOUSEWHEEL, -WHEEL_DELTA, "10:30", 8},
      {"wheel forward at the top scrolls", 8, 0, kOnTheHour, WM_MOUSEWHEEL, WHEEL_DELTA, "7:30", 7},
      {"wheel of 0 does nothing", 8, 2, kOnTheHour, WM_MOUSEWHEEL, 0, "10:00", 8},
  };
  for (const MoveCase& c : cases) {
    AppointBook2& planner = Open();
    SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.startFirstHour + 1),
                 0);
    Settle(planner);
    planner.OpenSlotEditor(c.startRow, c.startHalf);
    Settle(planner);
    if (c.key == WM_MOUSEWHEEL) {
      SendMessageA(Editor(planner), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(c.wheel)), 0);
      Settle(planner);
    } else {
      Key(planner, c.key);
    }
    EXPECT_EQ(c.selected, Selected(planner)) << c.what;
    EXPECT_EQ(c.firstHour, planner.FirstHour()) << c.what;
    EXPECT_EQ(c.firstHour + 1, GetScrollPos(planner.Handle(), SB_VERT)) << c.what;
    EXPECT_EQ(Editor(planner), GetFocus()) << c.what;
  }
}

TEST_F(PlannerTest, AfterTheScrollBarTheTopSlotIsSelectedAndDownGoesToItsHalfHour) {
  AppointBook2& planner = Open();
  SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
  Settle(planner);
  EXPECT_EQ("3:00", Selected(planner));
  Key(planner, VK_DOWN);
  EXPECT_EQ("3:30", Selected(planner));
}

TEST_F(PlannerTest, EscInTheSlotClosesThePlannerAndKeepsWhatWasTyped) {
  AppointBook2& planner = Open();
  Type(planner, "Dentist");
  SendMessageA(Editor(planner), WM_KEYDOWN, VK_ESCAPE, 1);
  testing_support::PumpPending();
  EXPECT_EQ(nullptr, planner::FindDayPlanner(2025, 3, 7));
  EXPECT_EQ("Dentist", TextAt(8, 0));
}

// --- The table of open planners and stepping ------------------------------------------

TEST_F(PlannerTest, TwoPlannersStayOpenAndAThirdClosesTheOldest) {
  Open(2025, 3, 7);
  Open(2025, 3, 8);
  EXPECT_NE(nullptr, planner::FindDayPlanner(2025, 3, 7));
  Open(2025, 3, 9);
  testing_support::PumpPending();
  EXPECT_EQ(nullptr, planner::FindDayPlanner(2025, 3, 7));
  ASSERT_NE(nullptr, planner::DayPlannerAt(0));
  ASSERT_NE(nullptr, planner::DayPlannerAt(1));
  EXPECT_EQ(8, planner::DayPlannerAt(0)->Day());
  EXPECT_EQ(9, planner::DayPlannerAt(1)->Day());
}

TEST_F(PlannerTest, OpeningAnOpenDateActivatesItsPlannerInsteadOfAnother) {
  AppointBook2& first = Open(2025, 3, 7);
  Open(2025, 3, 8);
  EXPECT_EQ(&first, &Open(2025, 3, 7));
  EXPECT_EQ(first.Handle(), GetActiveWindow());
  EXPECT_NE(nullptr, planner::FindDayPlanner(2025, 3, 8));
}

TEST_F(PlannerTest, NextAndPreviousStepTheDateAcrossMonthEndsAndCommitTheSlot) {
  AppointBook2& planner = Open(2025, 2, 28);
  Type(planner, "Rent");
  Command(planner, ID_NEXT);
  EXPECT_EQ("Saturday, March 1, 2025", testing_support::WindowText(planner.Handle()));
  EXPECT_EQ("8:00", Selected(planner));
  const store::An_Appointment* rent = host.diary.book.FindAt(2025, 2, 28, 8, 0);
  ASSERT_NE(nullptr, rent);
  EXPECT_EQ("Rent", rent->text);
  Command(planner, ID_PREVIOUS);
  Command(planner, ID_PREVIOUS);
  EXPECT_EQ("Thursday, February 27, 2025", testing_support::WindowText(planner.Handle()));
}

TEST_F(PlannerTest, NextIntoAnOpenDateActivatesThatPlannerAndKeepsBothDates) {
  AppointBook2& earlier = Open(2025, 3, 7);
  AppointBook2& later = Open(2025, 3, 8);
  SetActiveWindow(earlier.Handle());
  Command(earlier, ID_NEXT);
  EXPECT_EQ(7, earlier.Day());
  EXPECT_EQ(8, later.Day());
  EXPECT_EQ(later.Handle(), GetActiveWindow());
}

// --- Flat menus ---------------------------------------------------------------------------

TEST_F(PlannerTest, WithFlatMenusItsMenuBarAndPopupsAreOwnerDrawn) {
  menus::FlatMenu flat(menus::FlatMenuSettings{});
  host.menus = &flat;
  AppointBook2& planner = Open();
  const HMENU bar = GetMenu(planner.Handle());
  ASSERT_NE(nullptr, bar);
  const auto ownerDrawn = [](HMENU menu, int position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
  };
  for (int position = 0; position < GetMenuItemCount(bar); ++position) {
    EXPECT_TRUE(ownerDrawn(bar, position)) << "bar item " << position;
    // Measured by the menus as the bar was converted: room for the label.
    RECT item = {};
    GetMenuItemRect(planner.Handle(), bar, static_cast<UINT>(position), &item);
    EXPECT_GT(item.right - item.left, 20) << "bar item " << position;
  }
  // A pop-up is converted as it is about to open, after its commands were
  // enabled or greyed.
  const HMENU popup = GetSubMenu(bar, 1);
  SendMessageA(planner.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 1);
  for (int position = 0; position < GetMenuItemCount(popup); ++position)
    EXPECT_TRUE(ownerDrawn(popup, position)) << "pop-up item " << position;
  planner::CloseAllDayPlanners();
  host.menus = nullptr;
}

// --- The frame as opened ------------------------------------------------------------------

// How many pixels outside the client area (title bar with its icon, flat
// menu bar, scroll bar, borders) differ between two copies of the window.
int FrameDifferences(HWND window, const testing_support::ClientPixels& a,
                     const testing_support::ClientPixels& b) {
  RECT frame = {};
  GetWindowRect(window, &frame);
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -frame.left, -frame.top);
  int differences = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const POINT p = {x, y};
      if (!PtInRect(&client, p) && a.At(x, y) != b.At(x, y)) ++differences;
    }
  }
  return differences;
}

// Down the left edge, beside the labels, every pixel of the window shows its
// hour's colour (the even hours' and the odd hours' alternate; a line may
// mark an hour's top): nothing of an erase or of a missing fill shows, at
// the top of the day and at its end.
TEST_F(PlannerTest, EveryRowShowsItsHoursColourDownToTheWindowsBottom) {
  const store::SettingsBlock saved = store::g_settings;
  store::g_settings.dayplan1 = RGB(250, 240, 200);
  store::g_settings.dayplan2 = RGB(200, 230, 250);
  AppointBook2& planner = Open();
  for (int firstHour : {8, 13}) {
    SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, firstHour + 1), 0);
    Settle(planner);
    ASSERT_EQ(firstHour, planner.FirstHour());
    const testing_support::ClientPixels shown(planner.Handle());
    const int hourHeight = 2 * planner.Layout().rowHeight;
    ASSERT_GT(shown.Height(), 10 * hourHeight);
    for (int y = 0; y < shown.Height(); ++y) {
      const int hour = std::min(23, firstHour + y / hourHeight);
      const COLORREF want = hour % 2 == 0 ? store::g_settings.dayplan1 : store::g_settings.dayplan2;
      const COLORREF got = shown.At(2, y);
      const bool hourTop = y > 0 && y % hourHeight == 0 && y / hourHeight <= 23 - firstHour;
      if (hourTop && got != want) {
        EXPECT_EQ(RGB(0, 0, 0), got) << "the line at " << y;
        continue;
      }
      ASSERT_EQ(want, got) << "first hour " << firstHour << ", y " << y;
    }
  }
  planner::CloseAllDayPlanners();
  store::g_settings = saved;
}

// Each planner's frame shows what a full repaint of it shows: the newest
// active, the one opened before it inactive.
TEST_F(PlannerTest, EachOpenedPlannersFrameLooksAsARepaintOfItWould) {
  menus::FlatMenu flat(menus::FlatMenuSettings{});
  host.menus = &flat;
  AppointBook2& earlier = Open(2025, 3, 7);
  AppointBook2& later = Open(2025, 3, 8);
  using Pixels = testing_support::ClientPixels;
  for (AppointBook2* planner : {&earlier, &later}) {
    const HWND window = planner->Handle();
    const Pixels opened(window, Pixels::Area::Window);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const Pixels repainted(window, Pixels::Area::Window);
    ASSERT_GT(opened.Width(), 0);
    EXPECT_EQ(0, FrameDifferences(window, opened, repainted))
        << testing_support::WindowText(window);
  }
  planner::CloseAllDayPlanners();
  host.menus = nullptr;
}

}  // namespace
