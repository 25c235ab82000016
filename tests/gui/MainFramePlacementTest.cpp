// The real main window placing itself: sized around the month view's
// natural size, at its saved corner, never topmost right after start-up,
// off screen when it starts minimised; refitting after a font scaling;
// hiding on minimise and on close with hiding on; remembering its position.
#include <gtest/gtest.h>

#include <windows.h>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "resource.h"
#include "support/Pump.h"
#include "views/MonthView.h"

using main_frame_testing::MainFrameTest;

namespace {

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientRect(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return rect;
}

bool Topmost(HWND window) { return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

using MainFramePlacement = MainFrameTest;

TEST_F(MainFramePlacement, TheClientAreaIsTheNaturalSizeWithTheFrameExtrasAdded) {
  ASSERT_TRUE(MakeFrame());
  const SIZE natural = frame_->MonthView()->NaturalSize();
  ASSERT_GT(natural.cx, 50);
  const RECT outer = WindowRect(frame_->Handle());
  const RECT client = ClientRect(frame_->Handle());
  EXPECT_EQ(natural.cx + frame_->FrameExtraWidth(), outer.right - outer.left);
  EXPECT_EQ(natural.cy + frame_->FrameExtraHeight(), outer.bottom - outer.top);
  // Extra width = natural - client at natural outer size + 2; likewise + 6.
  EXPECT_EQ(natural.cx + 2, client.right);
  EXPECT_EQ(natural.cy + 6, client.bottom);
}

class SavedSettingsPlacement : public MainFrameTest {
 protected:
  // Writes settings.bin with the defaults changed by `change`, then makes
  // the window from it.
  template <typename Change>
  bool MakeWith(Change change) {
    store::SettingsBlock block{};
    store::SetDefaultSettings(block, services_.clock.now);
    change(block);
    if (!platform_testing::WriteWholeFile(
            services_.DataFile("settings.bin"),
            std::string(reinterpret_cast<const char*>(&block), sizeof block))) {
      return false;
    }
    return MakeFrame();
  }
};

TEST_F(SavedSettingsPlacement, FirstPlacementKeepsANegativeLeftAndRaisesANegativeTop) {
  ASSERT_TRUE(MakeWith([](store::SettingsBlock& b) { b.mainWindowPosition = {-40, -30}; }));
  const RECT outer = WindowRect(frame_->Handle());
  EXPECT_EQ(-40, outer.left);
  EXPECT_EQ(0, outer.top);
  EXPECT_FALSE(Topmost(frame_->Handle()));
  EXPECT_FALSE(frame_->StartedHidden());
}

TEST_F(SavedSettingsPlacement, StartedMinimisedTheWindowIsOffScreenUntilTheIconIsClicked) {
  ASSERT_TRUE(MakeWith([](store::SettingsBlock& b) {
    b.minimiseAtStartup = 1;
    b.mainWindowPosition = {120, 80};
  }));
  HWND hwnd = frame_->Handle();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(5000, WindowRect(hwnd).left);
  EXPECT_TRUE(frame_->StartedHidden());

  services_.sound.played.clear();
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_LBUTTONDOWN);
  EXPECT_FALSE(frame_->StartedHidden());
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(120, WindowRect(hwnd).left);
  EXPECT_EQ(80, WindowRect(hwnd).top);
  EXPECT_EQ(1, services_.sound.Clicks());

  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(hwnd)) << "the next click hides it";
  EXPECT_EQ(2, services_.sound.Clicks());
}

TEST_F(SavedSettingsPlacement, AlwaysOnTopAppliesFromTheSecondPlacementOn) {
  ASSERT_TRUE(MakeWith([](store::SettingsBlock& b) { b.alwaysOnTop = 1; }));
  EXPECT_FALSE(Topmost(frame_->Handle())) << "right after start-up never topmost";
  frame_->PlaceMainWindow();
  EXPECT_TRUE(Topmost(frame_->Handle()));
  store::g_settings.alwaysOnTop = 0;
  frame_->PlaceMainWindow();
  EXPECT_FALSE(Topmost(frame_->Handle()));
}

TEST_F(SavedSettingsPlacement, LaterPlacementsPullTheWindowFlushWithTheScreenEdges) {
  ASSERT_TRUE(MakeWith([](store::SettingsBlock& b) { b.mainWindowPosition = {4000, 3000}; }));
  EXPECT_EQ(4000, WindowRect(frame_->Handle()).left) << "the first placement takes it as saved";
  frame_->PlaceMainWindow();
  const RECT outer = WindowRect(frame_->Handle());
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), outer.right);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), outer.bottom);
}

// Counts the move notifications the main window receives.
int g_moves = 0;
LRESULT CALLBACK CountMoves(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_MOVE &&
      message->hwnd == FindWindowA(shell::CMainFrame::kClassName, nullptr)) {
    ++g_moves;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainFramePlacement, TheFirstThreeMovesAreNotRememberedLaterOnesAre) {
  g_moves = 0;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountMoves, nullptr, GetCurrentThreadId());
  ASSERT_NE(nullptr, hook);
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  store::g_settings.mainWindowPosition = {7, 7};
  // Move on until a move is remembered: it is the fourth of the run.
  int remembered = 0;
  for (int i = 1; i <= 4 && remembered == 0; ++i) {
    SetWindowPos(hwnd, nullptr, 200 + i, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (store::g_settings.mainWindowPosition.left == 200 + i) {
      remembered = g_moves;
    } else {
      EXPECT_EQ(7, store::g_settings.mainWindowPosition.left) << "move " << g_moves;
    }
  }
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(4, remembered);
  EXPECT_EQ(100, store::g_settings.mainWindowPosition.top);

  // Off the screen, a coordinate is remembered as 0.
  SetWindowPos(hwnd, nullptr, -30, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(0, store::g_settings.mainWindowPosition.left);
  EXPECT_EQ(150, store::g_settings.mainWindowPosition.top);
}

TEST_F(MainFramePlacement, MinimisingHidesTheWindowWithTheClickSound) {
  ASSERT_TRUE(MakeFrame());
  services_.sound.played.clear();
  SendMessageA(frame_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(frame_->Handle()));
  EXPECT_FALSE(IsIconic(frame_->Handle()));
  EXPECT_EQ(1, services_.sound.Clicks());
}

TEST_F(MainFramePlacement, CloseHidesWithHidingOnAndEndsTheWindowWithItOff) {
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  store::g_settings.flags = store::kFlagRemindersEnabled | store::kFlagHideOnClose;
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(main_frame_testing::TrayIconPresent(hwnd));

  store::g_settings.flags = store::kFlagRemindersEnabled;
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(platform_testing::PathExists(services_.DataFile("settings.bin")));
}

TEST_F(MainFramePlacement, ShowAndHideCommandsRestoreAndHideTheWindow) {
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  services_.sound.played.clear();
  SendMessageA(hwnd, WM_COMMAND, ID_TRAY_HIDE, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(0, services_.sound.Clicks()) << "hiding from the menu makes no sound";
  SendMessageA(hwnd, WM_COMMAND, ID_TRAY_SHOW, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(1, services_.sound.Clicks());
  EXPECT_EQ(0, frame_->MonthView()->ResizeSkipCount()) << "the placement used the 2 skips";
}

TEST_F(MainFramePlacement, RefitShowsTheWindowAroundTheNewNaturalSize) {
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  store::g_settings.mainWindowPosition = {60, 40};
  ShowWindow(hwnd, SW_HIDE);
  timers_.Start(shell::kRefitMainWindow, shell::kRefitDelayMs);
  SendMessageA(hwnd, WM_TIMER, shell::kRefitMainWindow, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_FALSE(timers_.Running(shell::kRefitMainWindow)) << "the refit timer is stopped";
  const SIZE natural = frame_->MonthView()->NaturalSize();
  const RECT client = ClientRect(hwnd);
  EXPECT_EQ(natural.cx + 2, client.right);
  EXPECT_EQ(natural.cy + 2, client.bottom);
  EXPECT_EQ(60, WindowRect(hwnd).left);
  EXPECT_EQ(40, WindowRect(hwnd).top);
}

TEST_F(MainFramePlacement, ResizingTheVisibleWindowScalesTheFontAndRefitsTheWindow) {
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  views::CLumettaView* view = frame_->MonthView();
  const LONG before = view->MainFontDescription().lfHeight;
  const RECT outer = WindowRect(hwnd);
  SetWindowPos(hwnd, nullptr, 0, 0, (outer.right - outer.left) * 3 / 2, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_LT(view->MainFontDescription().lfHeight, before) << "a larger (more negative) height";
  EXPECT_TRUE(timers_.Running(shell::kRefitMainWindow));
  EXPECT_EQ(5u, timers_.periods[shell::kRefitMainWindow]);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return IsWindowVisible(hwnd) != FALSE; }, 3000));
  const SIZE natural = view->NaturalSize();
  EXPECT_EQ(natural.cx + 2, ClientRect(hwnd).right);
}

}  // namespace
