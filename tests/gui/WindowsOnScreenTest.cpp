// Every window opens inside the work area of its monitor, fitted to it,
// whatever position was saved, with a taskbar button of its own; dialogs
// open centred on their owner.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "MainFrameTestSupport.h"
#include "framework/WorkArea.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "todo/ToDo.h"
#include "views/WeekView.h"
#include "views/YearView.h"

using main_frame_testing::MainFrameTest;

namespace {

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(WorkAreaRules, ARectangleIsMovedOntoTheWorkAreaAndCutToItsSize) {
  struct Case {
    RECT wanted, work, fitted;
  };
  const Case cases[] = {
      {{100, 100, 400, 300}, {0, 0, 1366, 728}, {100, 100, 400, 300}},  // already inside
      {{200, -52, 1000, 700}, {0, 0, 1366, 728}, {200, 0, 1000, 728}},  // title bar above, taller
      {{0, 0, 785, 792}, {0, 0, 1366, 728}, {0, 0, 785, 728}},          // taller: cut
      {{3000, 2000, 3300, 2200}, {0, 0, 1366, 728}, {1066, 528, 1366, 728}},
      {{-500, 10, -100, 210}, {-1920, 0, 0, 1040}, {-500, 10, -100, 210}},  // a monitor at the left
      {{-2500, 10, -2100, 210}, {-1920, 0, 0, 1040}, {-1920, 10, -1520, 210}},
      {{0, 0, 2000, 1200}, {1366, 0, 3286, 1040}, {1366, 0, 3286, 1040}},
  };
  for (const Case& c : cases) {
    const RECT got = fw::FitRectInto(c.wanted, c.work);
    EXPECT_TRUE(EqualRect(&got, &c.fitted)) << Describe(c.wanted) << " gave " << Describe(got);
  }
}

class WindowsOnScreen : public MainFrameTest {
 protected:
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
  static RECT WorkArea() {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
  }
};

struct OpenedWindow {
  const char* name;
  UINT command;
  store::WindowPosition store::SettingsBlock::*saved;
  std::function<HWND()> find;
};

// On the test desktop (768 pixels high less the taskbar) with the default
// fonts, at the saved positions a user with another monitor layout had.
TEST_F(WindowsOnScreen, EachWindowOpensInsideTheWorkAreaWhateverWasSaved) {
  const auto handle = [](auto* window) { return window != nullptr ? window->Handle() : nullptr; };
  const OpenedWindow windows[] = {
      {"year view", ID_VIEW_YEAR, &store::SettingsBlock::yearViewPosition,
       [&] { return handle(views::ViewYear::Current()); }},
      {"week view", ID_VIEW_WEEK, &store::SettingsBlock::weekViewPosition,
       [&] { return handle(views::ViewWeek::Current()); }},
      {"to-do window", ID_VIEW_TODO, &store::SettingsBlock::toDoPosition,
       [&] { return handle(todo::ToDo::Current()); }},
      {"day planner", ID_VIEW_TODAY, &store::SettingsBlock::dayPlannerPosition,
       [&] { return handle(planner::FindDayPlanner(2025, 3, 16)); }},
  };
  const store::WindowPosition positions[] = {{0, 0}, {2400, 1900}, {-1700, 300}, {300, -52}};
  ASSERT_TRUE(MakeFrame());
  const RECT work = WorkArea();
  for (const OpenedWindow& w : windows) {
    for (const store::WindowPosition& at : positions) {
      SCOPED_TRACE(std::string(w.name) + " saved at " + std::to_string(at.left) + "," +
                   std::to_string(at.top));
      store::g_settings.*w.saved = at;
      testing_support::DialogWatcher watcher;  // any advice is answered
      testing_support::SendCommand(frame_->Handle(), w.command);
      testing_support::PumpPending();
      HWND window = w.find();
      ASSERT_NE(nullptr, window);
      RECT frame = {};
      GetWindowRect(window, &frame);
      EXPECT_TRUE(IsWindowVisible(window));
      EXPECT_NE(0, GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no taskbar button";
      EXPECT_TRUE(Inside(frame, work)) << Describe(frame) << " outside " << Describe(work);
      EXPECT_TRUE(watcher.Seen().empty()) << "no advice to pick a smaller font";
      SendMessageA(window, WM_CLOSE, 0, 0);
      testing_support::PumpPending();
    }
  }
}

// Fitted to a small screen, the year view still shows every day whole.
TEST_F(WindowsOnScreen, AYearViewFittedToTheScreenShowsEveryDayWhole) {
  store::g_settings.mainFont.height = -24;
  store::SetText(store::g_settings.mainFont.faceName, "Arial");
  ASSERT_TRUE(MakeFrame());
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_YEAR);
  testing_support::PumpPending();
  views::ViewYear* year = views::ViewYear::Current();
  ASSERT_NE(nullptr, year);
  RECT client = {};
  GetClientRect(year->Handle(), &client);
  const RECT& lastDay = year->Layout().days[12][31];
  EXPECT_FALSE(IsRectEmpty(&lastDay));
  EXPECT_TRUE(Inside(lastDay, client)) << Describe(lastDay) << " outside " << Describe(client);
}

// File > Preferences > Font while the week and year views are open: each
// is measured again in the new font, and its frame follows at once.
TEST_F(WindowsOnScreen, TheWeekAndYearViewsFollowANewMainFont) {
  const auto handle = [](auto* window) { return window != nullptr ? window->Handle() : nullptr; };
  const OpenedWindow windows[] = {
      {"year view", ID_VIEW_YEAR, &store::SettingsBlock::yearViewPosition,
       [&] { return handle(views::ViewYear::Current()); }},
      {"week view", ID_VIEW_WEEK, &store::SettingsBlock::weekViewPosition,
       [&] { return handle(views::ViewWeek::Current()); }},
  };
  constexpr int kFontSizeBox = 0x472;  // cmb3 of the font dialog
  const char* size = "16";
  ASSERT_TRUE(MakeFrame());
  for (const OpenedWindow& w : windows) {
    SCOPED_TRACE(w.name);
    testing_support::SendCommand(frame_->Handle(), w.command);
    testing_support::PumpPending();
    HWND window = w.find();
    ASSERT_NE(nullptr, window);
    RECT before = {};
    GetWindowRect(window, &before);

    testing_support::DialogWatcher watcher;
    watcher.Then([&](const testing_support::SeenDialog& dialog) {
      HWND sizes = GetDlgItem(dialog.hwnd, kFontSizeBox);
      SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(size));
      SendMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(kFontSizeBox, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(sizes));
      return IDOK;
    });
    testing_support::SendCommand(frame_->Handle(), ID_PREFS_FONT);
    ASSERT_EQ(1u, watcher.Seen().size());
    RECT after = {};
    GetWindowRect(window, &after);
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top) << "taller for the larger font";
    EXPECT_TRUE(Inside(after, WorkArea())) << Describe(after);
    SendMessageA(window, WM_CLOSE, 0, 0);
    testing_support::PumpPending();
    size = "22";  // larger again than the font the next window opens with
  }
}

TEST_F(WindowsOnScreen, ADialogOpensCentredOnItsOwner) {
  ASSERT_TRUE(MakeFrame());
  SetWindowPos(frame_->Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT owner = {};
  GetWindowRect(frame_->Handle(), &owner);
  RECT dialog = {};
  testing_support::DialogWatcher watcher;
  watcher.Then([&](const testing_support::SeenDialog& d) {
    GetWindowRect(d.hwnd, &dialog);
    return IDCANCEL;
  });
  testing_support::SendCommand(frame_->Handle(), ID_FILE_TIMER);
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_NEAR((owner.left + owner.right) / 2, (dialog.left + dialog.right) / 2, 1);
  EXPECT_NEAR((owner.top + owner.bottom) / 2, (dialog.top + dialog.bottom) / 2, 1);
}

}  // namespace
