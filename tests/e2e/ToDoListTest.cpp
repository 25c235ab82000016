// The to-do lists in the real program: a line typed into the to-do window is
// in "per.bin" (2640 bytes) once the window is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace e2e {
namespace {

constexpr UINT kToDoListCommand = 32816;  // View > To Do List (Ctrl+D)
constexpr UINT kCloseCommand = 32781;     // the to-do window's Close
constexpr int kEditorId = 16150;

// The to-do window of the process (window class "ToDo"), or nullptr.
HWND WaitForToDoWindow(DWORD processId, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "ToDo", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "ToDo", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == processId && IsWindowVisible(w)) return w;
    }
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(20);
  }
}

TEST(ToDoList, ALineTypedAndTheWindowClosedIsInPerBin) {
  LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  ASSERT_NE(nullptr, mainWindow);
  ASSERT_TRUE(program.PostCommand(mainWindow, kToDoListCommand));
  const HWND toDo = WaitForToDoWindow(program.Id(), kStartTimeoutMs);
  ASSERT_NE(nullptr, toDo) << "no to-do window";
  HWND editor = nullptr;
  for (DWORD start = GetTickCount(); editor == nullptr && GetTickCount() - start < kStartTimeoutMs;
       Sleep(20)) {
    editor = GetDlgItem(toDo, kEditorId);
  }
  ASSERT_NE(nullptr, editor) << "no editor on the selected row";

  const std::string line = "Renew the passport";
  for (char c : line) SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
  PostMessageA(toDo, WM_COMMAND, MAKEWPARAM(kCloseCommand, 0), 0);
  const DWORD start = GetTickCount();
  while (IsWindow(toDo) && GetTickCount() - start < kExitTimeoutMs) Sleep(20);
  ASSERT_FALSE(IsWindow(toDo)) << "the to-do window did not close";

  const std::string path = DataFolder() + "per.bin";
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, &bytes)) << path;
  ASSERT_EQ(2640u, bytes.size());
  EXPECT_EQ(line, std::string(bytes.c_str() + 16));
  EXPECT_EQ(2640, FileSize(DataFolder() + "wor.bin"));
  EXPECT_EQ(2640, FileSize(DataFolder() + "oth.bin"));

  ASSERT_TRUE(program.PostCommand(mainWindow, kExitCommand));
  DWORD exitCode = 1;
  EXPECT_TRUE(program.WaitForExit(kExitTimeoutMs, &exitCode));
}

}  // namespace
}  // namespace e2e
