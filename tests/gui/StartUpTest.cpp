// The whole run in-process: start-up in its order (notes folder, settings,
// weekday backup before loading, the main window shown, the start-up
// sound), Exit, and the single-instance rule with a copy already running.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "resource.h"
#include "shell/Lumetta.h"
#include "shell/MainFrame.h"
#include "shell/NotesFolder.h"
#include "platform/SingleInstanceMutex.h"
#include "store/CalendarText.h"
#include "store/DataFile.h"
#include "support/Pump.h"

using main_frame_testing::MainFrameTest;
using platform_testing::IsFolder;
using platform_testing::PathExists;
using platform_testing::ReadWholeFile;
using platform_testing::WriteWholeFile;
using test_common::Record;

namespace {

// Seen by the timer below while the program runs.
struct RunWatch {
  HWND mainWindow = nullptr;
  bool visible = false;
  size_t soundsWhenShown = 0;
  main_frame_testing::RecordingSound* sound = nullptr;
} g_watch;

// Once the main window is shown: note what the program has done by then
// and choose Exit.
void CALLBACK ExitWhenShown(HWND, UINT, UINT_PTR, DWORD) {
  HWND main = FindWindowA(shell::CMainFrame::kClassName, nullptr);
  if (main == nullptr || !IsWindowVisible(main) || g_watch.mainWindow != nullptr) return;
  g_watch.mainWindow = main;
  g_watch.visible = true;
  g_watch.soundsWhenShown = g_watch.sound->played.size();
  PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
}

BOOL CALLBACK CountMainWindows(HWND window, LPARAM count) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, shell::CMainFrame::kClassName) == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int MainWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountMainWindows, reinterpret_cast<LPARAM>(&count));
  return count;
}

using StartUp = MainFrameTest;

TEST_F(StartUp, RunsInOrderShowsTheMainWindowAndEndsCleanlyOnExit) {
  // A data file present at start is copied to today's weekday backup first.
  const std::string seeded =
      Record(2025, 3, 20, 9, 0, "Later") + Record(2025, 3, 18, 9, 0, "Earlier");
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"), seeded));
  const std::string backup =
      services_.DataFile(store::WeekdayBackupName(store::LocalFields(services_.clock.now).weekday));

  g_watch = RunWatch{};
  g_watch.sound = &services_.sound;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ExitWhenShown);
  ASSERT_NE(0u, timer);
  shell::ShellServices services = services_.Services();
  shell::CLumetta app(GetModuleHandleA(nullptr), &services);
  const int exitCode = app.Run();
  KillTimer(nullptr, timer);

  EXPECT_EQ(0, exitCode);
  ASSERT_NE(nullptr, g_watch.mainWindow);
  EXPECT_TRUE(IsFolder(services_.DataFile("notes"))) << "the notes folder exists after every start";
  EXPECT_EQ(services_.DataFile("notes") + "\\", shell::NotesFolder());
  EXPECT_EQ(seeded, ReadWholeFile(backup)) << "the weekday backup holds the file as it was";
  EXPECT_EQ(1u, g_watch.soundsWhenShown) << "the start-up sound once the window was shown";
  ASSERT_FALSE(services_.sound.played.empty());
  EXPECT_EQ("Start.wav", services_.sound.played[0]);

  // Shut-down wrote the book (sorted) and the settings.
  const std::string written = ReadWholeFile(services_.DataFile("Lumetta.bin"));
  EXPECT_EQ((std::vector<std::string>{"Earlier", "Later"}), test_common::RecordTexts(written));
  EXPECT_EQ(1648u, ReadWholeFile(services_.DataFile("settings.bin")).size());
  EXPECT_FALSE(IsWindow(g_watch.mainWindow));
  EXPECT_EQ(nullptr, FindWindowA(shell::CMainFrame::kClassName, nullptr));
  EXPECT_EQ(nullptr, FindWindowA(shell::OwnerWindow::kClassName, nullptr)) << "the owner went too";
  EXPECT_FALSE(main_frame_testing::TrayIconPresent(g_watch.mainWindow));
  EXPECT_EQ(nullptr, shell::CMainFrame::Current());
}

TEST_F(StartUp, ASecondCopyBringsTheFirstWindowBackRestoredAndCentredAndEnds) {
  // The first copy: its mutex and its main window, hidden in the
  // notification area and far from the centre.
  HANDLE firstCopysMutex = CreateMutexA(nullptr, TRUE, platform::kSingleInstanceMutexName);
  ASSERT_NE(nullptr, firstCopysMutex);
  ASSERT_TRUE(MakeFrame());
  HWND first = frame_->Handle();
  SetWindowPos(first, nullptr, 3, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(first, WM_COMMAND, ID_TRAY_HIDE, 0);
  ASSERT_FALSE(IsWindowVisible(first));

  main_frame_testing::TestServices secondServices;
  shell::ShellServices services = secondServices.Services();
  shell::CLumetta second(GetModuleHandleA(nullptr), &services);
  const DWORD started = GetTickCount();
  EXPECT_EQ(0, second.Run());
  EXPECT_LT(GetTickCount() - started, 2000u) << "the second copy ends at once";
  CloseHandle(firstCopysMutex);

  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_FALSE(IsIconic(first));
  RECT rect = {};
  GetWindowRect(first, &rect);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rect.left + rect.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (rect.top + rect.bottom) / 2, 1);
  EXPECT_EQ(1, MainWindowCount()) << "the second copy made no window";
  EXPECT_FALSE(PathExists(secondServices.DataFile("settings.bin"))) << "it made nothing of its own";
}

}  // namespace
