// lumetta_close: asks every running Lumetta of this desktop to end as File >
// Exit would (it saves its diary and settings on the way out) and waits for
// it, so the installer finds no program file in use. The packages run it
// before they replace or remove the program; nothing running is success.
// Exit code 0 when no copy is left running, 1 otherwise.
#include <windows.h>

namespace {

// The main window's class and title (the title is also how a second copy
// finds the first), and the File > Exit command.
constexpr const char* kMainWindowClass = "LumettaMainFrame";
constexpr const char* kMainWindowTitle = "Lumetta";
constexpr UINT kExitCommand = 57665;
// A normal exit writes the data file; under a loaded machine that is seconds.
constexpr DWORD kExitTimeoutMs = 15000;

// Posts Exit to one main window and waits for its process to end.
bool CloseOne(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!PostMessageA(window, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0)) {
    if (process) CloseHandle(process);
    return false;
  }
  bool ended = false;
  if (process) {
    ended = WaitForSingleObject(process, kExitTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
  } else {
    // Without a process handle, wait for the window to go.
    for (DWORD waited = 0; waited < kExitTimeoutMs && IsWindow(window); waited += 100) Sleep(100);
    ended = !IsWindow(window);
  }
  return ended;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // One copy per user normally; a few rounds cover copies of other sessions'
  // users on the same desktop and a copy that was still starting.
  for (int round = 0; round < 4; ++round) {
    HWND window = FindWindowA(kMainWindowClass, kMainWindowTitle);
    if (!window) return 0;
    if (!CloseOne(window)) return 1;
  }
  return FindWindowA(kMainWindowClass, kMainWindowTitle) ? 1 : 0;
}
