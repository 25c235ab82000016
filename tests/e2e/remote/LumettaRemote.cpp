// lumetta_remote: drives a running lumetta.exe from outside, for scripts/run.sh
// (a screenshot run without a display) and for people testing by hand.
//   lumetta_remote wait [timeout-ms]   wait for the main window to be shown
//   lumetta_remote exit [timeout-ms]   File > Exit, then wait for the process to end
//   lumetta_remote command ID          post menu command ID to the main window
//                                      (the help screenshots open dialogs with it)
// Exit code 0 on success (for "exit": the program ended with code 0), 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kMainWindowTitle = "Lumetta";
constexpr UINT kExitCommand = 57665;  // File > Exit

struct Search {
  HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  if (!IsWindowVisible(window) || std::strcmp(title, kMainWindowTitle) != 0) return TRUE;
  reinterpret_cast<Search*>(param)->found = window;
  return FALSE;
}

HWND WaitForMainWindow(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    Search search{nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

int Exit(DWORD timeoutMs) {
  HWND window = WaitForMainWindow(timeoutMs);
  if (!window) {
    std::fprintf(stderr, "lumetta_remote: no window titled \"%s\"\n", kMainWindowTitle);
    return 1;
  }
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) {
    std::fprintf(stderr, "lumetta_remote: cannot open process %lu\n", processId);
    return 1;
  }
  int result = 1;
  DWORD exitCode = 0;
  if (!PostMessageA(window, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0)) {
    std::fprintf(stderr, "lumetta_remote: cannot post Exit\n");
  } else if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "lumetta_remote: still running %lu ms after Exit\n", timeoutMs);
  } else if (GetExitCodeProcess(process, &exitCode)) {
    std::printf("lumetta_remote: program ended with exit code %lu\n", exitCode);
    result = exitCode == 0 ? 0 : 1;
  }
  CloseHandle(process);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD timeoutMs = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30000;
  if (argc > 1 && std::strcmp(argv[1], "wait") == 0) {
    if (WaitForMainWindow(timeoutMs)) return 0;
    std::fprintf(stderr, "lumetta_remote: no window titled \"%s\" within %lu ms\n",
                 kMainWindowTitle, timeoutMs);
    return 1;
  }
  if (argc > 1 && std::strcmp(argv[1], "exit") == 0) return Exit(timeoutMs);
  if (argc > 2 && std::strcmp(argv[1], "command") == 0) {
    HWND window = WaitForMainWindow(30000);
    const UINT id = static_cast<UINT>(std::strtoul(argv[2], nullptr, 10));
    return window && PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: lumetta_remote wait|exit [timeout-ms] | command ID\n");
  return 2;
}
