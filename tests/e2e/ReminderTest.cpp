// The real program reminds: an entry due in two minutes with a one-minute
// reminder pops up on time as a topmost window titled with its text.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/Records.h"
#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace e2e {
namespace {

ULONGLONG FileTimeOf(const SYSTEMTIME& local) {
  FILETIME file = {};
  SystemTimeToFileTime(&local, &file);
  return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

TEST(Reminder, PopsUpOnTimeAsATopmostWindowTitledWithItsText) {
  const char* const kText = "Reminder scenario";
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  if (now.wSecond >= 45) {  // leave the program time to start before the reminder is due
    Sleep((61 - now.wSecond) * 1000);
    GetLocalTime(&now);
  }
  // Two whole minutes on, with the seconds cut: the reminder is due one
  // minute before that, more than 15 seconds from now.
  SYSTEMTIME entry = now;
  entry.wSecond = 0;
  entry.wMilliseconds = 0;
  ULONGLONG at = FileTimeOf(entry) + 2ULL * 60 * 10000000;
  FILETIME atFile = {static_cast<DWORD>(at), static_cast<DWORD>(at >> 32)};
  FileTimeToSystemTime(&atFile, &entry);
  const std::string record =
      test_common::Record(entry.wYear, entry.wMonth, entry.wDay, entry.wHour, entry.wMinute, kText,
                          [](store::An_Appointment& e) { e.reminderMinutes = 1; });
  ASSERT_TRUE(WriteWholeFile(DataFolder() + "Lumetta.bin", record));

  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);

  const ULONGLONG due = at - 60ULL * 10000000;
  HWND popup = nullptr;
  const DWORD start = GetTickCount();
  while (popup == nullptr && GetTickCount() - start < 150000) {
    popup = FindProcessWindow(program.Id(), kText);
    if (popup == nullptr) Sleep(100);
  }
  SYSTEMTIME shown = {};
  GetLocalTime(&shown);
  ASSERT_NE(nullptr, popup) << "no pop-up within 150 seconds";
  EXPECT_GE(FileTimeOf(shown) + 10000000, due) << "shown before the reminder's minute";
  EXPECT_LE(FileTimeOf(shown), due + 5ULL * 10000000) << "shown late";
  EXPECT_NE(0, GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);

  ASSERT_TRUE(program.PostCommand(mainWindow, kExitCommand));
  DWORD exitCode = 1;
  EXPECT_TRUE(program.WaitForExit(kExitTimeoutMs, &exitCode));
  EXPECT_EQ(0u, exitCode);
}

}  // namespace
}  // namespace e2e
