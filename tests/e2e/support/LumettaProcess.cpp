#include "support/LumettaProcess.h"

#include <vector>

namespace e2e {
namespace {

constexpr DWORD kPollMs = 20;

struct WindowSearch {
  DWORD processId;
  const char* text;  // the title, or with byClass the class name
  bool byClass;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  char text[256] = "";
  if (search->byClass) {
    GetClassNameA(window, text, sizeof text);
  } else {
    GetWindowTextA(window, text, sizeof text);
  }
  if (lstrcmpA(text, search->text) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* title) {
  WindowSearch search{processId, title, false, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindProcessWindowOfClass(DWORD processId, const char* className) {
  WindowSearch search{processId, className, true, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LumettaProcess::LumettaProcess(const std::string& program, const std::string& arguments) {
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = Handle(info.hProcess);
  id_ = info.dwProcessId;
}

LumettaProcess::~LumettaProcess() {
  if (Running()) {
    TerminateProcess(process_.Get(), 255);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

bool LumettaProcess::Running() const {
  return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

HWND LumettaProcess::WaitForMainWindow(DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  while (Running()) {
    if (HWND window = FindProcessWindow(id_, kMainWindowTitle)) return window;
    if (GetTickCount() - start >= timeoutMs) break;
    Sleep(kPollMs);
  }
  return nullptr;
}

bool LumettaProcess::PostCommand(HWND mainWindow, UINT commandId) const {
  return PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool LumettaProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(process_.Get(), exitCode) != FALSE;
}

}  // namespace e2e
