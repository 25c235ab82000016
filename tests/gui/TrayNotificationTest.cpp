// The notification-area icon's callback on the real main window: left
// clicks hide and restore, the right click's menu, the tooltip recomputed
// at most once a second; and the menu as built.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "resource.h"
#include "shell/TrayIcon.h"
#include "shell/TrayMenu.h"
#include "support/Pump.h"

using main_frame_testing::MainFrameTest;
using test_common::Record;

namespace {

struct MenuItem {
  UINT id = 0;
  std::string text;
  bool separator = false;
  bool greyed = false;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::vector<MenuItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MenuItem item;
    char text[64] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    item.id = info.wID;
    item.text = text;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.greyed = (info.fState & MFS_GRAYED) != 0;
    items.push_back(item);
  }
  return items;
}

TEST(TrayMenu, HoldsShowOrHideThenYearWeekToDoTodayAndExit) {
  const shell::OwnedMenu hidden =
      shell::BuildTrayMenu(true, [](UINT id) { return id != ID_FILE_SYNC_CONFLICTS; });
  const std::vector<MenuItem> items = ItemsOf(hidden.Get());
  ASSERT_EQ(9u, items.size());
  EXPECT_EQ(ID_TRAY_SHOW, items[0].id);
  EXPECT_EQ("&Show", items[0].text);
  EXPECT_TRUE(items[1].separator);
  EXPECT_EQ(ID_VIEW_YEAR, items[2].id);
  EXPECT_EQ("&Year", items[2].text);
  EXPECT_EQ(ID_VIEW_WEEK, items[3].id);
  EXPECT_EQ("&Week", items[3].text);
  EXPECT_EQ(ID_VIEW_TODO, items[4].id);
  EXPECT_EQ("To &Do List", items[4].text);
  EXPECT_TRUE(items[5].separator);
  EXPECT_EQ(ID_VIEW_TODAY, items[6].id);
  EXPECT_EQ("&Today", items[6].text);
  EXPECT_TRUE(items[7].separator);
  EXPECT_EQ(ID_APP_EXIT, items[8].id);
  EXPECT_EQ("E&xit", items[8].text);

  const shell::OwnedMenu shown =
      shell::BuildTrayMenu(false, [](UINT id) { return id == ID_TRAY_HIDE; });
  const std::vector<MenuItem> shownItems = ItemsOf(shown.Get());
  EXPECT_EQ(ID_TRAY_HIDE, shownItems[0].id);
  EXPECT_EQ("&Hide", shownItems[0].text);
  EXPECT_FALSE(shownItems[0].greyed);
  EXPECT_TRUE(shownItems[2].greyed);
  EXPECT_TRUE(shownItems[6].greyed);

  // Sync conflicts to see: their list comes before Exit.
  const std::vector<MenuItem> withConflicts =
      ItemsOf(shell::BuildTrayMenu(true, [](UINT) { return true; }).Get());
  ASSERT_EQ(11u, withConflicts.size());
  EXPECT_EQ(ID_FILE_SYNC_CONFLICTS, withConflicts[8].id);
  EXPECT_EQ("Sync &Conflicts...", withConflicts[8].text);
  EXPECT_TRUE(withConflicts[9].separator);
  EXPECT_EQ(ID_APP_EXIT, withConflicts[10].id);
}

// The menu the main window tracks, read while it is open, then closed.
std::vector<MenuItem> g_trackedItems;
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = FindWindowA("#32768", nullptr);
  if (menuWindow == nullptr) return;
  KillTimer(nullptr, timer);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  g_trackedItems = ItemsOf(menu);
  EndMenu();
}

using TrayNotification = MainFrameTest;

TEST_F(TrayNotification, RightClickShowsTheMenuWithHideOrShowAndTheLaterWindowsGreyed) {
  ASSERT_TRUE(MakeFrame());
  for (bool visible : {true, false}) {
    ShowWindow(frame_->Handle(), visible ? SW_SHOW : SW_HIDE);
    g_trackedItems.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, ReadOpenMenu);
    SendMessageA(frame_->Handle(), shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId,
                 WM_RBUTTONDOWN);
    KillTimer(nullptr, timer);
    ASSERT_EQ(9u, g_trackedItems.size()) << "visible " << visible;
    EXPECT_EQ(visible ? ID_TRAY_HIDE : ID_TRAY_SHOW, g_trackedItems[0].id);
    EXPECT_FALSE(g_trackedItems[0].greyed);
    for (size_t i : {2u, 3u, 4u, 6u, 8u}) {
      EXPECT_FALSE(g_trackedItems[i].greyed) << g_trackedItems[i].text;
    }
  }
}

TEST_F(TrayNotification, LeftClickHidesAVisibleWindowAndRestoresAHiddenOne) {
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  services_.sound.played.clear();
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_LBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(hwnd, GetActiveWindow());
  EXPECT_EQ(2, services_.sound.Clicks());

  // Another icon's messages are not ours.
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId + 1,
               WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(TrayNotification, MouseMovementNamesTheNextAppointmentAtMostOnceASecond) {
  // Sunday 16 March 2025, 23:10; the next entry is tomorrow at 9:05.
  services_.clock.now = store::MakeTime(2025, 3, 16, 23, 10);
  ASSERT_TRUE(platform_testing::WriteWholeFile(
      services_.DataFile("Lumetta.bin"),
      Record(2025, 3, 16, 8, 0, "Past") + Record(2025, 3, 17, 9, 5, "Dentist")));
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_MOUSEMOVE);
  EXPECT_STREQ(" Tomorrow at 9:05am: Dentist ", frame_->Tray().Record().szTip);

  // Within the same second nothing is recomputed.
  frame_->Book().At(1).text = "Doctor";
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_MOUSEMOVE);
  EXPECT_STREQ(" Tomorrow at 9:05am: Dentist ", frame_->Tray().Record().szTip);
  services_.clock.now += 1;
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_MOUSEMOVE);
  EXPECT_STREQ(" Tomorrow at 9:05am: Doctor ", frame_->Tray().Record().szTip);

  // Military time from the settings.
  store::g_settings.militaryTime = 1;
  services_.clock.now += 1;
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_MOUSEMOVE);
  EXPECT_STREQ(" Tomorrow at 9:05: Doctor ", frame_->Tray().Record().szTip);
  EXPECT_TRUE(main_frame_testing::TrayIconPresent(hwnd));

  // Past the last entry.
  services_.clock.now = store::MakeTime(2025, 3, 18, 0, 0);
  SendMessageA(hwnd, shell::TrayIcon::kCallbackMessage, shell::TrayIcon::kIconId, WM_MOUSEMOVE);
  EXPECT_STREQ("Lumetta Calendar: no appointments are scheduled", frame_->Tray().Record().szTip);
}

}  // namespace
