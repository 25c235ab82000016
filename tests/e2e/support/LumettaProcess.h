#pragma once
// The real program, started as a user would start it: lumetta.exe installed on
// drive C of this scenario's own Wine prefix (scripts/e2e-prefix.sh puts it
// there), so it keeps its files in the prefix's per-user AppData folder.
#include <windows.h>

#include <string>

#include "support/Handle.h"

namespace e2e {

constexpr const char* kInstalledProgram = "C:\\Program Files\\Lumetta Calendar\\lumetta.exe";
// The main window's title, by which a second copy finds the first.
constexpr const char* kMainWindowTitle = "Lumetta";
// File > Exit.
constexpr UINT kExitCommand = 57665;
constexpr UINT kTodayCommand = 32833;  // View > Today: today's day planner

// Generous limits: a cold Wine start under a loaded CI machine takes seconds.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 20000;

class LumettaProcess {
 public:
  // Starts `program` with `arguments`; Started() tells whether it runs.
  explicit LumettaProcess(const std::string& program = kInstalledProgram,
                          const std::string& arguments = "");
  // A process still running when the test ends (a failed test) is terminated,
  // so the next scenario starts clean.
  ~LumettaProcess();
  LumettaProcess(const LumettaProcess&) = delete;
  LumettaProcess& operator=(const LumettaProcess&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  bool Running() const;

  // The visible top-level window titled "Lumetta" that belongs to this
  // process, or nullptr when none appears within the timeout.
  HWND WaitForMainWindow(DWORD timeoutMs = kStartTimeoutMs) const;

  // Sends a menu command to the main window as its menu or shortcut would.
  bool PostCommand(HWND mainWindow, UINT commandId) const;

  // True when the process ended within the timeout; its exit code goes to *exitCode.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode) const;

 private:
  Handle process_;
  DWORD id_ = 0;
};

// The visible top-level window titled `title` of process `processId`, or nullptr.
HWND FindProcessWindow(DWORD processId, const char* title);
// The visible top-level window of that class of process `processId`, or nullptr.
HWND FindProcessWindowOfClass(DWORD processId, const char* className);

}  // namespace e2e
