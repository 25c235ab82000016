// The program's first windows: the hidden owner window, the captionless
// main window with menu and shortcuts, its notification-area icon, Exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "resource.h"
#include "shell/Lumetta.h"
#include "shell/MainFrame.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "support/WindowText.h"

using testing_support::ClassNameOf;
using testing_support::WindowText;

namespace {

// Whether the notification area knows the program's icon for this window:
// modifying an icon succeeds only while it is there.
bool TrayIconPresent(HWND owner) {
  NOTIFYICONDATAA record = {};
  record.cbSize = sizeof record;
  record.hWnd = owner;
  record.uID = TrayIcon::kIconId;
  record.uFlags = NIF_TIP;
  lstrcpyA(record.szTip, "Lumetta Calendar");
  return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool QuitWasPosted() {
  MSG msg = {};
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

UINT ItemState(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(frame_.Create()); }
  CMainFrame frame_;
};

TEST_F(MainFrameTest, IsOwnedByAHiddenWindowTitledLumettaWithTheApplicationIcon) {
  HWND owner = frame_.OwnerHandle();
  ASSERT_NE(nullptr, owner);
  EXPECT_EQ(owner, GetWindow(frame_.Handle(), GW_OWNER));
  EXPECT_EQ("Lumetta", WindowText(owner));
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(0, GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD);
  EXPECT_NE(0, SendMessageA(owner, WM_GETICON, ICON_BIG, 0));
}

TEST_F(MainFrameTest, HasNoCaptionButABorderSizingFrameSystemMenuAndMinimiseBox) {
  const LONG_PTR style = GetWindowLongPtrA(frame_.Handle(), GWL_STYLE);
  EXPECT_NE(WS_CAPTION, style & WS_CAPTION) << "no caption bar";
  EXPECT_NE(0, style & WS_BORDER);
  EXPECT_NE(0, style & WS_THICKFRAME);
  EXPECT_NE(0, style & WS_SYSMENU);
  EXPECT_NE(0, style & WS_MINIMIZEBOX);
  EXPECT_EQ(0, style & WS_MAXIMIZEBOX);
  EXPECT_EQ("Lumetta", WindowText(frame_.Handle()));
  EXPECT_EQ(0, GetWindowLongPtrA(frame_.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW)
      << "an owned window without WS_EX_APPWINDOW has no taskbar button";
}

TEST_F(MainFrameTest, CarriesMenuAndShortcuts115) {
  HMENU menu = GetMenu(frame_.Handle());
  ASSERT_NE(nullptr, menu);
  char text[32] = {};
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ("&File", text);
  EXPECT_NE(nullptr, frame_.Accelerators());
}

TEST_F(MainFrameTest, CommandsWithoutTheirWindowsYetShowGreyedAndExitEnabled) {
  HMENU file = GetSubMenu(GetMenu(frame_.Handle()), 0);
  HMENU preferences = GetSubMenu(file, 0);
  HMENU view = GetSubMenu(GetMenu(frame_.Handle()), 1);
  for (HMENU popup : {file, preferences, view}) {
    SendMessageA(frame_.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  }
  EXPECT_EQ(0u, ItemState(file, ID_APP_EXIT) & MF_GRAYED);
  for (UINT id : {ID_FILE_FIND, ID_FILE_TIMER, ID_FILE_BACKUP}) {
    EXPECT_NE(0u, ItemState(file, id) & MF_GRAYED) << id;
  }
  EXPECT_NE(0u, ItemState(preferences, ID_PREFS_FONT) & MF_GRAYED);
  EXPECT_NE(0u, ItemState(view, ID_VIEW_WEEK) & MF_GRAYED);
}

TEST_F(MainFrameTest, PutsItsIconIntoTheNotificationAreaWithTheProgramsRecord) {
  EXPECT_TRUE(frame_.Tray().Added());
  EXPECT_TRUE(TrayIconPresent(frame_.Handle()));
  const NOTIFYICONDATAA& record = frame_.Tray().Record();
  EXPECT_EQ(frame_.Handle(), record.hWnd);
  EXPECT_EQ(0xA703u, record.uID);
  EXPECT_EQ(0xA703u, record.uCallbackMessage);
  EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), record.uFlags);
  EXPECT_STREQ("Lumetta Calendar", record.szTip);
  EXPECT_NE(nullptr, record.hIcon);
  if (sizeof(void*) == 4) {
    EXPECT_EQ(504u, record.cbSize);
  }
}

TEST_F(MainFrameTest, ExitClosesTheMainWindowAndTakesTheIconAway) {
  HWND hwnd = frame_.Handle();
  frame_.SetEndsMessageLoop(true);
  testing_support::SendCommand(hwnd, ID_APP_EXIT);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(frame_.Tray().Added());
  EXPECT_FALSE(TrayIconPresent(hwnd));
  EXPECT_TRUE(QuitWasPosted());
}

TEST(TrayIcon, CutsTheTipTo127CharactersAndRemovesTheIconWhenItGoes) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, window);
  const std::string longTip(200, 'x');
  {
    TrayIcon icon;
    ASSERT_TRUE(icon.Add(window, LoadIcon(nullptr, IDI_APPLICATION), longTip.c_str()));
    EXPECT_EQ(std::string(127, 'x'), icon.Record().szTip);
    EXPECT_TRUE(TrayIconPresent(window));
    EXPECT_TRUE(icon.Modify(LoadIcon(nullptr, IDI_APPLICATION), "changed"));
    EXPECT_STREQ("changed", icon.Record().szTip);
  }
  EXPECT_FALSE(TrayIconPresent(window));
  DestroyWindow(window);
}

// The whole run: start-up creates and shows the main window, Exit ends the
// message loop, and nothing of the program is left.
// Seen by the timer below while the program runs.
HWND g_seenMain = nullptr;
bool g_seenVisible = false;

// Once the main window exists: note it and choose Exit.
void CALLBACK ExitWhenMainWindowExists(HWND, UINT, UINT_PTR, DWORD) {
  HWND main = FindWindowA(CMainFrame::kClassName, nullptr);
  if (main == nullptr || g_seenMain != nullptr) return;
  g_seenMain = main;
  g_seenVisible = IsWindowVisible(main) != FALSE;
  PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
}

TEST(CLumettaRun, StartsWithTheMainWindowAndEndsCleanlyOnExit) {
  g_seenMain = nullptr;
  g_seenVisible = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &ExitWhenMainWindowExists);
  ASSERT_NE(0u, timer);

  CLumetta app(GetModuleHandleA(nullptr));
  const int exitCode = app.Run();
  KillTimer(nullptr, timer);

  EXPECT_EQ(0, exitCode);
  ASSERT_NE(nullptr, g_seenMain);
  EXPECT_TRUE(g_seenVisible);
  EXPECT_FALSE(IsWindow(g_seenMain));
  EXPECT_EQ(nullptr, FindWindowA(CMainFrame::kClassName, nullptr));
  EXPECT_EQ(nullptr, FindWindowA(OwnerWindow::kClassName, nullptr)) << "the owner went with the main window";
  EXPECT_FALSE(TrayIconPresent(g_seenMain));
}

}  // namespace
