// A preference changed reaches every open window at once: each repaints
// with the new colours without waiting for another reason to paint.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "MainFrameTestSupport.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "platform/ScreenColours.h"
#include "resource.h"
#include "store/ColourSchemes.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "todo/ToDo.h"
#include "views/WeekView.h"
#include "views/YearView.h"

using main_frame_testing::MainFrameTest;

namespace {

// How many pixels of the client area show each colour.
std::map<COLORREF, int> ColourCounts(HWND window) {
  const testing_support::ClientPixels pixels(window);
  std::map<COLORREF, int> counts;
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x) ++counts[pixels.At(x, y)];
  return counts;
}

COLORREF MostCommon(const std::map<COLORREF, int>& counts) {
  COLORREF most = CLR_INVALID;
  int n = 0;
  for (const auto& [colour, count] : counts) {
    if (count > n) most = colour, n = count;
  }
  return most;
}

class PreferenceRepaint : public MainFrameTest {
 protected:
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
};

struct OpenedWindow {
  const char* name;
  UINT command;  // 0: the main window's month view
  std::function<HWND()> find;
};

const OpenedWindow kWindows[] = {
    {"day planner", ID_VIEW_TODAY,
     [] {
       planner::AppointBook2* p = planner::FindDayPlanner(2025, 3, 16);
       return p != nullptr ? p->Handle() : nullptr;
     }},
    {"to-do window", ID_VIEW_TODO,
     [] { return todo::ToDo::Current() != nullptr ? todo::ToDo::Current()->Handle() : nullptr; }},
    {"week view", ID_VIEW_WEEK,
     [] {
       views::ViewWeek* w = views::ViewWeek::Current();
       return w != nullptr ? w->Handle() : nullptr;
     }},
};

TEST_F(PreferenceRepaint, NewColoursReachEveryOpenWindowAtOnce) {
  const auto& windows = kWindows;
  ASSERT_TRUE(MakeFrame());
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    store::SetDefaultSettings(store::g_settings, services_.clock.now);
    testing_support::SendCommand(frame_->Handle(), w.command);
    testing_support::PumpPending();
    HWND window = w.find();
    ASSERT_NE(nullptr, window);
    // Over the main window, so the colours dialog does not cover it.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(window);
    testing_support::PumpPending();
    const std::map<COLORREF, int> before = ColourCounts(window);
    const COLORREF background = MostCommon(before);

    testing_support::DialogWatcher watcher;
    watcher.Then([](const testing_support::SeenDialog& d) {
      SendDlgItemMessageA(d.hwnd, IDC_COLORS_DARK, BM_CLICK, 0, 0);
      return IDC_COLORS_OK;
    });
    testing_support::SendCommand(frame_->Handle(), ID_PREFS_COLORS);
    ASSERT_EQ(1u, watcher.Seen().size());
    testing_support::PumpPending();
    const std::map<COLORREF, int> after = ColourCounts(window);
    const auto left = after.find(background);
    const int stillShown = left != after.end() ? left->second : 0;
    EXPECT_LT(stillShown, before.at(background) / 10)
        << "the old background " << std::hex << background << " is still shown";
    SendMessageA(window, WM_CLOSE, 0, 0);
    testing_support::PumpPending();
  }
  store::SetDefaultSettings(store::g_settings, services_.clock.now);
}

// Windows' high-contrast mode switched on and off again while every kind of
// window is open: each draws on the system's window colour, then on the
// saved scheme's background again.
TEST_F(PreferenceRepaint, HighContrastDrawsEveryWindowInTheSystemsColours) {
  ASSERT_TRUE(MakeFrame());
  std::vector<OpenedWindow> windows(std::begin(kWindows), std::end(kWindows));
  windows.push_back({"year view", ID_VIEW_YEAR, [] {
                       views::ViewYear* y = views::ViewYear::Current();
                       return y != nullptr ? y->Handle() : nullptr;
                     }});
  windows.push_back({"month view", 0, [this] { return frame_->View()->Handle(); }});
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    store::ApplyColourScheme(store::g_settings, store::ColourScheme::Dark);
    if (w.command != 0) testing_support::SendCommand(frame_->Handle(), w.command);
    testing_support::PumpPending();
    HWND window = w.find();
    ASSERT_NE(nullptr, window);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(window);
    testing_support::PumpPending();
    const COLORREF scheme = MostCommon(ColourCounts(window));
    ASSERT_NE(GetSysColor(COLOR_WINDOW), scheme) << "the scheme must differ from the system's";

    for (const bool on : {true, false}) {
      platform::ForceHighContrast(on);
      SendMessageA(frame_->Handle(), WM_SYSCOLORCHANGE, 0, 0);
      testing_support::PumpPending();
      EXPECT_EQ(on ? GetSysColor(COLOR_WINDOW) : scheme, MostCommon(ColourCounts(window)))
          << "high contrast " << on;
    }
    platform::ForceHighContrast(std::nullopt);
    if (w.command != 0) SendMessageA(window, WM_CLOSE, 0, 0);
    testing_support::PumpPending();
  }
  store::SetDefaultSettings(store::g_settings, services_.clock.now);
}

}  // namespace
