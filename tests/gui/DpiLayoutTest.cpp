// Every window follows a change of DPI (WM_DPICHANGED, as when it moves to a
// monitor of another scale): its text and rows grow with the scale, rows
// still hold their text whole, and it takes the rectangle the system
// suggests.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "CalendarViewsFixture.h"
#include "MainFrameTestSupport.h"
#include "menus/FlatMenu.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "todo/ToDo.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"

namespace {

int TextHeight(HWND hwnd, HFONT font) {
  fw::WindowDC dc(hwnd);
  fw::ScopedSelect select(dc.Get(), font);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc.Get(), &metrics);
  return static_cast<int>(metrics.tmHeight);
}

// The width of the window's small icon, 0 when it has none.
int IconWidth(HWND hwnd) {
  return testing_support::ReadIcon(
             reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0)))
      .width;
}

// Sends what Windows sends when a window reaches a monitor at `dpi`,
// suggesting its rectangle scaled from its top-left corner.
RECT ChangeDpi(fw::Window& window, UINT dpi) {
  RECT rect = {};
  GetWindowRect(window.Handle(), &rect);
  const int scale = static_cast<int>(dpi);
  const int old = static_cast<int>(window.WindowDpi().Value());
  RECT suggested = {rect.left, rect.top, rect.left + MulDiv(rect.right - rect.left, scale, old),
                    rect.top + MulDiv(rect.bottom - rect.top, scale, old)};
  SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

class DpiLayoutTest : public views_test::CalendarViewsTest {
 protected:
  // What one window shows at its current DPI.
  struct Measured {
    int textHeight;  // of the font the window draws with
    int rowHeight;   // a month cell, a week line, a year cell
    int iconWidth;   // of the small icon in the caption; -1: the main window's
  };
  struct Case {
    const char* window;
    std::function<fw::Window*()> open;
    std::function<Measured(fw::Window&)> measure;
  };

  Case MonthCase() {
    // The system tells the top-level frame; the view inside follows it.
    return {"month view",
            [this]() -> fw::Window* {
              MakeView();
              return frame.get();
            },
            [this](fw::Window&) {
              return Measured{TextHeight(view->Handle(), view->MainFont()),
                              view->Layout().cellHeight, -1};
            }};
  }
  Case WeekCase() {
    return {"week view", [this]() -> fw::Window* { return OpenWeek(2025, 9, 10); },
            [this](fw::Window& window) {
              auto& week = static_cast<views::ViewWeek&>(window);
              return Measured{TextHeight(week.Handle(), view->MainFontFor(week.WindowDpi())),
                              week.LineHeight(), IconWidth(week.Handle())};
            }};
  }
  Case YearCase() {
    return {"year view", [this]() -> fw::Window* { return OpenYear(2025); },
            [this](fw::Window& window) {
              auto& year = static_cast<views::ViewYear&>(window);
              return Measured{TextHeight(year.Handle(), view->MainFontFor(year.WindowDpi())),
                              year.Layout().cell.height, IconWidth(year.Handle())};
            }};
  }
};

TEST_F(DpiLayoutTest, TextAndRowsScaleWithTheDpiAndTheWindowTakesTheSuggestedRectangle) {
  const UINT dpis[] = {120, 144, 192, 96};
  for (const Case& c : {MonthCase(), WeekCase(), YearCase()}) {
    fw::Window* window = c.open();
    ASSERT_NE(nullptr, window) << c.window;
    ChangeDpi(*window, 96);
    const Measured at96 = c.measure(*window);
    ASSERT_GT(at96.textHeight, 0) << c.window;
    for (UINT dpi : dpis) {
      const RECT suggested = ChangeDpi(*window, dpi);
      const Measured now = c.measure(*window);
      const int scaledText = MulDiv(at96.textHeight, static_cast<int>(dpi), 96);
      const int scaledRow = MulDiv(at96.rowHeight, static_cast<int>(dpi), 96);
      EXPECT_NEAR(scaledText, now.textHeight, 2) << c.window << " at " << dpi << " dpi";
      // A row holds its text whole, and grows with it.
      EXPECT_GE(now.rowHeight, now.textHeight) << c.window << " at " << dpi << " dpi";
      // The room around the text grows too: within rounding of the scale.
      EXPECT_NEAR(scaledRow, now.rowHeight, 2) << c.window << " at " << dpi << " dpi";
      EXPECT_EQ(dpi, window->WindowDpi().Value()) << c.window;
      if (now.iconWidth >= 0) {
        EXPECT_EQ(MulDiv(16, static_cast<int>(dpi), 96), now.iconWidth)
            << c.window << " at " << dpi << " dpi";
      }
      if ((GetWindowLongPtrA(window->Handle(), GWL_STYLE) & WS_CHILD) == 0) {
        RECT now_rect = {};
        GetWindowRect(window->Handle(), &now_rect);
        EXPECT_EQ(suggested.left, now_rect.left) << c.window << " at " << dpi << " dpi";
        EXPECT_EQ(suggested.top, now_rect.top) << c.window << " at " << dpi << " dpi";
      }
    }
  }
}

// The week view opens in proportion to the DPI of the main window's
// monitor, as wide as at 96 DPI times the scale.
TEST_F(DpiLayoutTest, TheWeekViewOpensInProportionToTheDpi) {
  MakeView();
  const auto openedSize = [&](UINT dpi) {
    ChangeDpi(*frame, dpi);
    views::ViewWeek* week = OpenWeek(2025, 9, 10);
    RECT r = {};
    if (week != nullptr) {
      GetWindowRect(week->Handle(), &r);
      DestroyWindow(week->Handle());
      testing_support::PumpPending();
    }
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  const SIZE at96 = openedSize(96);
  ASSERT_GT(at96.cx, 0);
  // (At 144 DPI it would be wider than the test's 1024-pixel screen.)
  const SIZE at120 = openedSize(120);
  EXPECT_NEAR(at96.cx * 5 / 4, at120.cx, at96.cx / 40) << "96 DPI: " << at96.cx << " wide";
  EXPECT_NEAR(at96.cy * 5 / 4, at120.cy, at96.cy / 40) << "96 DPI: " << at96.cy << " high";
  EXPECT_EQ(at96.cx, openedSize(96).cx);
}

// The day planner, opened from the real main window: its text, rows and
// slot editor's place in its slot follow the DPI, and a row still holds its
// text. (The to-do window's 22
// rows are taller than the test's 768-pixel desktop in the default font at
// any DPI, so they are fitted to it instead: ToDoWindowTest.)
class DpiFrameLayoutTest : public main_frame_testing::MainFrameTest {
 protected:
  void TearDown() override {
    planner::CloseAllDayPlanners();
    if (todo::ToDo* list = todo::ToDo::Current()) DestroyWindow(list->Handle());
    testing_support::PumpPending();
    MainFrameTest::TearDown();
  }
  struct Shown {
    int textHeight;
    int rowHeight;
    int inset;      // of the slot editor in its slot (left and top)
    int iconWidth;  // of the small icon in the caption
  };
  menus::FlatMenu flat_{menus::FlatMenuSettings{}};  // outlives the frame
  struct Case {
    const char* window;
    std::function<fw::Window*()> open;
    std::function<Shown(fw::Window&)> measure;
  };
};

TEST_F(DpiFrameLayoutTest, TextAndRowsFollowTheDpi) {
  ASSERT_TRUE(MakeFrame());
  const Case cases[] = {
      {"day planner",
       [this]() -> fw::Window* {
         frame_->OpenDayPlanner(2025, 3, 16);
         return planner::FindDayPlanner(2025, 3, 16);
       },
       [](fw::Window& window) {
         auto& planner = static_cast<planner::AppointBook2&>(window);
         const planner::SlotLayout& layout = planner.Layout();
         const planner::EditBox* editor = planner.SlotEditor();
         RECT place = {};
         if (editor != nullptr) {
           GetWindowRect(editor->Handle(), &place);
           MapWindowPoints(nullptr, planner.Handle(), reinterpret_cast<POINT*>(&place), 2);
         }
         const RECT& slot = layout.Slot(planner.SelectedRow(), planner.SelectedHalf());
         return Shown{TextHeight(planner.Handle(), planner.Font()), layout.rowHeight,
                      (place.left - slot.left) + (place.top - slot.top),
                      IconWidth(planner.Handle())};
       }},
  };
  for (const Case& c : cases) {
    fw::Window* window = c.open();
    ASSERT_NE(nullptr, window) << c.window;
    testing_support::PumpPending();
    // Opened at the system's DPI, which is not 96 on every test screen.
    const Shown opened = c.measure(*window);
    const int openedDpi = static_cast<int>(window->WindowDpi().Value());
    for (UINT dpi : {144u, 192u, 96u}) {
      ChangeDpi(*window, dpi);
      testing_support::PumpPending();
      const Shown now = c.measure(*window);
      const int scale = static_cast<int>(dpi);
      EXPECT_NEAR(MulDiv(opened.textHeight, scale, openedDpi), now.textHeight, 2)
          << c.window << " at " << dpi << " dpi";
      EXPECT_NEAR(MulDiv(opened.rowHeight, scale, openedDpi), now.rowHeight, 2)
          << c.window << " at " << dpi << " dpi";
      EXPECT_GE(now.rowHeight, now.textHeight) << c.window << " at " << dpi << " dpi";
      EXPECT_NEAR(MulDiv(opened.inset, scale, openedDpi), now.inset, 1)
          << c.window << " at " << dpi << " dpi";
      EXPECT_EQ(dpi, window->WindowDpi().Value()) << c.window;
      EXPECT_EQ(MulDiv(16, scale, 96), now.iconWidth) << c.window << " at " << dpi << " dpi";
    }
  }
}

// The main window's flat menu bar: its items are measured again for the new
// DPI (the labels' font grows with it), and the bar stays one line high.
TEST_F(DpiFrameLayoutTest, MenuBarItemsGrowWithTheDpi) {
  ASSERT_TRUE(MakeFrame(true, &flat_));
  const HWND window = frame_->Handle();
  const HMENU bar = GetMenu(window);
  ASSERT_NE(nullptr, bar);
  const auto itemRect = [&](int position) {
    RECT r = {};
    GetMenuItemRect(window, bar, static_cast<UINT>(position), &r);
    return r;
  };
  const int count = GetMenuItemCount(bar);
  ASSERT_GT(count, 2);
  ChangeDpi(*frame_, 96);
  std::vector<RECT> at96;
  for (int i = 0; i < count; ++i) at96.push_back(itemRect(i));
  for (UINT dpi : {144u, 192u, 96u}) {
    ChangeDpi(*frame_, dpi);
    testing_support::PumpPending();
    const int scale = static_cast<int>(dpi);
    for (int i = 0; i < count; ++i) {
      const RECT now = itemRect(i);
      const RECT& was = at96[static_cast<size_t>(i)];
      // Small text does not scale exactly (hinting): an item is at least 1.2
      // times as wide at 144 DPI and 1.4 times at 192, and as before at 96.
      const int wasWidth = was.right - was.left;
      const int width = now.right - now.left;
      EXPECT_GE(100 * width, wasWidth * (100 + 40 * (scale - 96) / 96))
          << "item " << i << " at " << dpi << " dpi";
      if (dpi == 96) {
        EXPECT_EQ(wasWidth, width) << "item " << i;
      }
      EXPECT_EQ(itemRect(0).top, now.top) << "item " << i << " at " << dpi << " dpi";
    }
  }
}

}  // namespace
