// The road of one entry through the real program: Today opens today's day
// planner, the text typed into its first slot is committed when the planner
// closes, and Exit writes it into "Lumetta.bin".
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/Records.h"
#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace e2e {
namespace {

// The visible day planner window of the process.
HWND FindPlanner(DWORD processId) { return FindProcessWindowOfClass(processId, "AppointBook2"); }

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

TEST(DayPlanner, AnEntryTypedIntoTodaysPlannerIsInTheDataFileAfterExit) {
  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);
  ASSERT_TRUE(program.PostCommand(mainWindow, kTodayCommand));
  HWND planner = nullptr;
  ASSERT_TRUE(
      WaitFor([&] { return (planner = FindPlanner(program.Id())) != nullptr; }, kStartTimeoutMs));
  HWND editor = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] { return (editor = FindWindowExA(planner, nullptr, "Edit", nullptr)) != nullptr; },
      kStartTimeoutMs));
  for (char c : std::string("Lunch with Ana"))
    SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);

  PostMessageA(planner, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(planner); }, kExitTimeoutMs));
  ASSERT_TRUE(program.PostCommand(mainWindow, kExitCommand));
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(kExitTimeoutMs, &exitCode));
  EXPECT_EQ(0u, exitCode);

  std::string written;
  ASSERT_TRUE(ReadWholeFile(DataFolder() + "Lumetta.bin", &written));
  const std::vector<store::AppointmentRecord> records = test_common::ReadRecords(written);
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("Lunch with Ana", records[0].text);
  SYSTEMTIME today = {};
  GetLocalTime(&today);
  EXPECT_EQ(today.wDay, records[0].day);
}

}  // namespace
}  // namespace e2e
