// The main window as it stands after creation: hidden owner, captionless
// frame with menu and shortcuts, the month view as its client, the day icon
// in the notification area, the greyed commands; Exit and the end of a
// Windows session write the data file and the settings.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <shellapi.h>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "resource.h"
#include "shell/DayIcons.h"
#include "shell/TrayIcon.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "support/WindowText.h"
#include "views/MonthView.h"

using main_frame_testing::MainFrameTest;
using main_frame_testing::TrayIconPresent;
using platform_testing::PathExists;
using platform_testing::ReadWholeFile;
using platform_testing::WriteWholeFile;
using test_common::Record;
using testing_support::WindowText;

namespace {

UINT ItemState(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

bool QuitWasPosted() {
  MSG msg = {};
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

TEST_F(MainFrameTest, IsOwnedByAHiddenWindowTitledLumettaWithTheApplicationIcon) {
  ASSERT_TRUE(MakeFrame());
  HWND owner = GetWindow(frame_->Handle(), GW_OWNER);
  ASSERT_NE(nullptr, owner);
  EXPECT_EQ("Lumetta", WindowText(owner));
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(0, GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD);
  EXPECT_NE(0, SendMessageA(owner, WM_GETICON, ICON_BIG, 0));
}

TEST_F(MainFrameTest, HasNoCaptionButABorderSizingFrameSystemMenuAndMinimiseBox) {
  ASSERT_TRUE(MakeFrame());
  const LONG_PTR style = GetWindowLongPtrA(frame_->Handle(), GWL_STYLE);
  EXPECT_NE(WS_CAPTION, style & WS_CAPTION) << "no caption bar";
  EXPECT_NE(0, style & WS_BORDER);
  EXPECT_NE(0, style & WS_THICKFRAME);
  EXPECT_NE(0, style & WS_SYSMENU);
  EXPECT_NE(0, style & WS_MINIMIZEBOX);
  EXPECT_EQ(0, style & WS_MAXIMIZEBOX);
  EXPECT_EQ("Lumetta", WindowText(frame_->Handle()));
  EXPECT_EQ(0, GetWindowLongPtrA(frame_->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW)
      << "an owned window without WS_EX_APPWINDOW has no taskbar button";
}

TEST_F(MainFrameTest, ItsClientIsTheMonthViewAndItCarriesMenuAndShortcuts115) {
  ASSERT_TRUE(MakeFrame());
  views::CLumettaView* view = frame_->MonthView();
  ASSERT_NE(nullptr, view);
  EXPECT_EQ(view, views::CLumettaView::Current());
  EXPECT_EQ(frame_->Handle(), GetParent(view->Handle()));
  RECT client = {};
  GetClientRect(frame_->Handle(), &client);
  RECT viewRect = {};
  GetClientRect(view->Handle(), &viewRect);
  EXPECT_EQ(client.right, viewRect.right);
  EXPECT_EQ(client.bottom, viewRect.bottom);
  EXPECT_EQ(0, view->ResizeSkipCount()) << "set to 0 at the end of creation";

  HMENU menu = GetMenu(frame_->Handle());
  ASSERT_NE(nullptr, menu);
  char text[32] = {};
  GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ("&File", text);
  EXPECT_NE(nullptr, frame_->Accelerators());
  EXPECT_EQ(frame_.get(), shell::CMainFrame::Current());
}

TEST_F(MainFrameTest, EveryCommandOfTheMainMenuIsEnabled) {
  ASSERT_TRUE(MakeFrame());
  HMENU bar = GetMenu(frame_->Handle());
  HMENU file = GetSubMenu(bar, 0);
  HMENU preferences = GetSubMenu(file, 0);
  HMENU view = GetSubMenu(bar, 1);
  HMENU help = GetSubMenu(bar, 2);
  SendMessageA(frame_->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  for (UINT id : {ID_PREFS_FONT, ID_PREFS_BACKGROUND, ID_PREFS_COLORS, ID_PREFS_SOUNDS,
                  ID_PREFS_ADVANCED, ID_PREFS_DAILY_WEBSITE}) {
    EXPECT_EQ(0u, ItemState(preferences, id) & MF_GRAYED) << id;
  }
  for (UINT id : {ID_FILE_FIND, ID_FILE_TIMER, ID_FILE_BACKUP, ID_APP_EXIT}) {
    EXPECT_EQ(0u, ItemState(file, id) & MF_GRAYED) << id;
  }
  for (UINT id : {ID_VIEW_THIS_MONTH, ID_VIEW_TODAY, ID_VIEW_YEAR, ID_VIEW_WEEK, ID_VIEW_TODO}) {
    EXPECT_EQ(0u, ItemState(view, id) & MF_GRAYED) << id;
  }
  for (UINT id : {ID_HELP_TOPICS, ID_HELP_QUICK_HINTS, ID_HELP_VISIT_WEBSITE, ID_APP_ABOUT}) {
    EXPECT_EQ(0u, ItemState(help, id) & MF_GRAYED) << id;
  }
}

TEST_F(MainFrameTest, PutsTodaysDayIconIntoTheNotificationArea) {
  ASSERT_TRUE(MakeFrame());
  EXPECT_TRUE(frame_->Tray().Added());
  EXPECT_TRUE(TrayIconPresent(frame_->Handle()));
  const NOTIFYICONDATAA& record = frame_->Tray().Record();
  EXPECT_EQ(frame_->Handle(), record.hWnd);
  EXPECT_EQ(0xA703u, record.uID);
  EXPECT_EQ(0xA703u, record.uCallbackMessage);
  EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), record.uFlags);
  EXPECT_STREQ("Lumetta Calendar", record.szTip);
  if (sizeof(void*) == 4) {
    EXPECT_EQ(504u, record.cbSize);
  }
  // The clock says the 16th.
  const std::vector<bool> red = main_frame_testing::RedPixels(record.hIcon);
  ASSERT_EQ(256u, red.size());
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(shell::DayIcons::IsDigitPixel(16, x, y), red[static_cast<size_t>(y * 16 + x)])
          << x << "," << y;
    }
  }
}

TEST_F(MainFrameTest, WithoutADateTheIconIsTheApplicationIcon) {
  services_.clock.now = INT64_MAX;  // a clock that cannot be read as a date
  ASSERT_TRUE(MakeFrame());
  // At the size the notification area shows, which grows with the DPI.
  HICON application = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  ASSERT_NE(nullptr, application);
  EXPECT_EQ(application, frame_->Tray().Record().hIcon);
  EXPECT_TRUE(TrayIconPresent(frame_->Handle()));
}

TEST_F(MainFrameTest, ExitWritesTheDataFileRemovesTheIconAndEndsTheMessageLoop) {
  // Two entries out of time order: the file written at exit is sorted.
  const std::string later = Record(2025, 3, 20, 9, 0, "Later");
  const std::string earlier = Record(2025, 3, 18, 9, 0, "Earlier");
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"), later + earlier));
  ASSERT_TRUE(MakeFrame());
  HWND hwnd = frame_->Handle();
  frame_->SetEndsMessageLoop(true);
  testing_support::SendCommand(hwnd, ID_APP_EXIT);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(frame_->Tray().Added());
  EXPECT_FALSE(TrayIconPresent(hwnd));
  EXPECT_TRUE(QuitWasPosted());

  bool ok = false;
  const std::string written = ReadWholeFile(services_.DataFile("Lumetta.bin"), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ((std::vector<std::string>{"Earlier", "Later"}), test_common::RecordTexts(written));

  // The settings are written when the window object goes.
  const std::string settings = services_.DataFile("settings.bin");
  DeleteFileA(settings.c_str());
  frame_.reset();
  EXPECT_TRUE(PathExists(settings));
}

TEST_F(MainFrameTest, TheEndOfAWindowsSessionWritesDataAndSettingsAsAtExit) {
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"), Record(2025, 3, 18, 9, 0, "Kept")));
  ASSERT_TRUE(MakeFrame());
  const std::string data = services_.DataFile("Lumetta.bin");
  const std::string settings = services_.DataFile("settings.bin");
  store::g_settings.militaryTime = 1;  // a change made while running

  ASSERT_TRUE(DeleteFileA(data.c_str()));
  ASSERT_TRUE(DeleteFileA(settings.c_str()));
  EXPECT_EQ(TRUE, SendMessageA(frame_->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  EXPECT_EQ(204, static_cast<int>(ReadWholeFile(data).size()));
  const std::string saved = ReadWholeFile(settings);
  ASSERT_EQ(1648u, saved.size());
  EXPECT_EQ(1, saved[1074]) << "the settings as they are in memory";

  ASSERT_TRUE(DeleteFileA(data.c_str()));
  ASSERT_TRUE(DeleteFileA(settings.c_str()));
  SendMessageA(frame_->Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_FALSE(PathExists(data)) << "the session goes on: nothing to do";
  SendMessageA(frame_->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(PathExists(data));
  EXPECT_TRUE(PathExists(settings));
  EXPECT_TRUE(IsWindow(frame_->Handle())) << "Windows ends the process itself";
}

// A settings file that exists but cannot be read at start-up (cut short,
// locked by another program) is left as it is: the user is told once, and
// the run's settings are saved beside it.
TEST_F(MainFrameTest, AnUnreadSettingsFileIsToldAboutAndLeftUntouched) {
  const std::string settings = services_.DataFile("settings.bin");
  const std::string unsaved = services_.DataFile("settings.unsaved.bin");
  for (const bool locked : {false, true}) {
    const std::string bytes(locked ? 1648 : 1000, '\x11');
    ASSERT_TRUE(WriteWholeFile(settings, bytes));
    DeleteFileA(unsaved.c_str());
    services_.prompter.texts.clear();
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (locked) {
      lock = CreateFileA(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    }
    ASSERT_TRUE(MakeFrame());
    ASSERT_EQ(1u, services_.prompter.texts.size()) << locked;
    EXPECT_EQ("Lumetta could not read its settings file:\n" + settings +
                  "\n\nThe program runs with its default settings this time. That file has been "
                  "left untouched; the settings of this session will be saved to:\n" +
                  unsaved,
              services_.prompter.texts[0]);
    store::g_settings.militaryTime = 1;  // a change made while running
    SendMessageA(frame_->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    frame_.reset();
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    EXPECT_EQ(bytes, ReadWholeFile(settings)) << locked;
    const std::string saved = ReadWholeFile(unsaved);
    ASSERT_EQ(1648u, saved.size()) << locked;
    EXPECT_EQ(1, saved[1074]) << "the session's settings";
    EXPECT_EQ(1u, services_.prompter.texts.size()) << "told once";
  }
}

// Entries an earlier run kept in the side file (its data file could not be
// read then) are in the book from the start (their reminders are armed as
// the data file's are: the store's tests); the first save puts them into
// the data file, removes the side file and says so once.
TEST_F(MainFrameTest, AnEarlierRunsSideFileIsLoadedAtStartAndMergedAtTheNextSave) {
  const std::string data = services_.DataFile("Lumetta.bin");
  const std::string side = services_.DataFile("Lumetta.unsaved.bin");
  ASSERT_TRUE(WriteWholeFile(data, Record(2025, 3, 18, 9, 0, "In the data file")));
  ASSERT_TRUE(WriteWholeFile(side, Record(2025, 3, 16, 15, 0, "Kept aside")));  // today
  ASSERT_TRUE(MakeFrame());
  const store::An_Appointment* kept = frame_->Book().FindAt(2025, 3, 16, 15, 0);
  ASSERT_NE(nullptr, kept);
  EXPECT_TRUE(frame_->Book().HasHighlightedEntryOn(2025, 3, 16)) << "the views mark the day";
  EXPECT_TRUE(services_.prompter.texts.empty());

  SendMessageA(frame_->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(408u, ReadWholeFile(data).size());
  EXPECT_FALSE(PathExists(side));
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_NE(std::string::npos, services_.prompter.texts[0].find(side));
  SendMessageA(frame_->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(1u, services_.prompter.texts.size()) << "told once";
}

LRESULT CALLBACK RefuseCreation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return FALSE;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(MainFrameTest, WhenTheMonthViewCannotBeMadeCreationFailsAndTheDataFileIsLeftAlone) {
  const std::string data = services_.DataFile("Lumetta.bin");
  ASSERT_TRUE(WriteWholeFile(data, Record(2025, 3, 18, 9, 0, "Kept")));
  // The view's window class, taken by one whose windows cannot be created.
  UnregisterClassA(views::CLumettaView::kClassName, GetModuleHandleA(nullptr));
  WNDCLASSA refusing = {};
  refusing.lpfnWndProc = RefuseCreation;
  refusing.hInstance = GetModuleHandleA(nullptr);
  refusing.lpszClassName = views::CLumettaView::kClassName;
  ASSERT_NE(0, RegisterClassA(&refusing));

  frame_ = std::make_unique<shell::CMainFrame>(services_.Services(), &timers_);
  const bool created = frame_->Create();
  frame_.reset();
  UnregisterClassA(views::CLumettaView::kClassName, GetModuleHandleA(nullptr));

  EXPECT_FALSE(created);
  EXPECT_EQ(nullptr, FindWindowA(shell::CMainFrame::kClassName, nullptr));
  // Half-made, the window must not write its (partly loaded) book.
  EXPECT_EQ(Record(2025, 3, 18, 9, 0, "Kept"), ReadWholeFile(data));
}

TEST_F(MainFrameTest, PaintingPutsTheTitleBackForASecondCopyToFind) {
  ASSERT_TRUE(MakeFrame());
  SetWindowTextA(frame_->Handle(), "changed");
  InvalidateRect(frame_->Handle(), nullptr, TRUE);
  SendMessageA(frame_->Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ("Lumetta", WindowText(frame_->Handle()));
}

TEST_F(MainFrameTest, HelpTopicsAndTheWebSiteAreOpenedThroughTheShell) {
  ASSERT_TRUE(MakeFrame());
  testing_support::SendCommand(frame_->Handle(), ID_HELP_TOPICS);
  testing_support::SendCommand(frame_->Handle(), ID_HELP_VISIT_WEBSITE);
  ASSERT_EQ(2u, services_.shell.opened.size());
  EXPECT_EQ("Lumetta.chm", services_.shell.opened[0]);
  EXPECT_EQ("https://lumetta.example.org", services_.shell.opened[1]);
}

TEST_F(MainFrameTest, FindOpensTheFindDialogAndABlankTextIsRefused) {
  ASSERT_TRUE(MakeFrame());
  testing_support::DialogWatcher watcher;
  watcher.ThenPress(IDOK);  // the search text left empty
  testing_support::SendCommand(frame_->Handle(), ID_FILE_FIND);
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Find a day planner entry", watcher.Seen()[0].caption);
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_EQ("I cannot search for an blank string.", services_.prompter.texts[0]);
}

// A folder the user chose, and a new user's first folder in Documents,
// which the first backup makes.
TEST_F(MainFrameTest, TheBackupDialogsBackupButtonWritesTheBookIntoTheBackupFolder) {
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"), Record(2025, 3, 18, 9, 0, "Kept")));
  ASSERT_TRUE(MakeFrame());
  char documents[MAX_PATH] = {};
  ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents));
  const std::string chosen = services_.data.appData / "backups";
  ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
  const std::string firstFolder = std::string(documents) + "\\Lumetta Backups";
  // Another test's program may have made its first backup there already.
  const auto removeFirstFolder = [&firstFolder] {
    WIN32_FIND_DATAA found = {};
    const HANDLE find = FindFirstFileA((firstFolder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((firstFolder + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(firstFolder.c_str());
  };
  removeFirstFolder();
  ASSERT_FALSE(PathExists(firstFolder));
  for (const std::string& folder : {chosen, firstFolder}) {
    SCOPED_TRACE(folder);
    services_.prompter.texts.clear();
    store::SetText(store::g_settings.backupFolder, folder);
    testing_support::DialogWatcher watcher;
    watcher.Then([](const testing_support::SeenDialog& dialog) {
      // Backup, then Close.
      PostMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(ID_BACKUP_TO_FOLDER, BN_CLICKED), 0);
      return IDCANCEL;
    });
    testing_support::SendCommand(frame_->Handle(), ID_FILE_BACKUP);
    ASSERT_EQ(1u, watcher.Seen().size());
    EXPECT_EQ("Backup and Intelligent Restore", watcher.Seen()[0].caption);
    const std::string written = folder + "\\Lumetta.bin";
    EXPECT_EQ(std::vector<std::string>{"Kept"}, test_common::RecordTexts(ReadWholeFile(written)));
    ASSERT_EQ(1u, services_.prompter.texts.size());
    EXPECT_EQ(0u, services_.prompter.texts[0].find("Wrote 1 entries to the backup file"))
        << services_.prompter.texts[0];
    DeleteFileA(written.c_str());
  }
  removeFirstFolder();
}

TEST_F(MainFrameTest, ThisMonthBringsTheMonthViewBackToToday) {
  ASSERT_TRUE(MakeFrame());
  views::CLumettaView* view = frame_->MonthView();
  view->NextMonth();
  view->NextMonth();
  ASSERT_EQ(5, view->ShownMonth());
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_THIS_MONTH);
  EXPECT_EQ(3, view->ShownMonth());
  EXPECT_EQ(2025, view->ShownYear());
}

TEST_F(MainFrameTest, TheShellsRestartPutsTheIconBack) {
  ASSERT_TRUE(MakeFrame());
  // The restarted shell knows no icons.
  NOTIFYICONDATAA record = frame_->Tray().Record();
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
  ASSERT_FALSE(TrayIconPresent(frame_->Handle()));
  SendMessageA(frame_->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(TrayIconPresent(frame_->Handle()));
  EXPECT_STREQ("Lumetta Calendar", frame_->Tray().Record().szTip);
}

TEST(TrayIcon, CutsTheTipTo127CharactersAndRemovesTheIconWhenItGoes) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, window);
  const std::string longTip(200, 'x');
  {
    shell::TrayIcon icon;
    ASSERT_TRUE(icon.Add(window, LoadIcon(nullptr, IDI_APPLICATION), longTip.c_str()));
    EXPECT_EQ(std::string(127, 'x'), icon.Record().szTip);
    EXPECT_TRUE(TrayIconPresent(window));
    EXPECT_TRUE(icon.Modify(LoadIcon(nullptr, IDI_APPLICATION), "changed"));
    EXPECT_STREQ("changed", icon.Record().szTip);
  }
  EXPECT_FALSE(TrayIconPresent(window));
  DestroyWindow(window);
}

}  // namespace
