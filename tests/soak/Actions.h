#pragma once
// The random walk: one action at a time, its kind drawn from a weighted
// table with a seeded generator, its target among the windows the program
// shows at that moment. Every action is logged, so a failing run can be
// read and its seed run again.
#include <windows.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Invariants.h"
#include "ProgramWindows.h"
#include "ReadBack.h"

namespace soak {

enum class ActionKind {
  Command,       // a menu command of a window (or the notification area's)
  Shortcut,      // Ctrl+ key of the shortcut table
  Key,           // arrows, Page Up/Down, Home/End, Enter, Esc, Delete, Tab, Backspace
  Text,          // typed text
  Click,         // left click at a random point of a window
  DoubleClick,   //
  RightClick,    //
  Wheel,         // the mouse wheel over a window
  ScrollBar,     // a click on a window's scroll bar
  AnswerDialog,  // a button, Esc, or a file name of the dialog or message box on top
  Snapshot,      // a day planner's Copy to Clipboard, kept to compare after exit
  Activate,      // another window to the front
  LockFile,      // a data file opened without sharing for a few seconds
  ReadOnlyFile,  // a data file made read-only for a few seconds
  TimeChange,    // WM_TIMECHANGE, as when the clock is set
  SessionQuery,  // the session asks whether it may end, then goes on
  Count,
};
constexpr int kActionKinds = static_cast<int>(ActionKind::Count);

const char* ActionName(ActionKind kind);
// The kind of a name as ActionName gives it; Count when none.
ActionKind ActionOfName(const std::string& name);

struct DriveOptions {
  std::array<int, kActionKinds> weights = {25, 8, 15, 12, 10, 5, 2, 3, 3, 16, 4, 3, 1, 1, 1, 1};
  Limits limits;
  // Steer clear of faults being fixed elsewhere (see Driver::Restricted).
  bool avoidKnownFaults = true;
  DWORD pauseMs = 100;
};

class Driver {
 public:
  // `logFile` (may be empty) gets every log line as it is written, so a
  // run that is stopped from outside leaves its log too.
  Driver(std::uint32_t seed, DriveOptions options, HANDLE process, DWORD processId, HWND mainWindow,
         const ProgramCommands& commands, const std::string& logFile);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Checks the invariants, then does one action. False on a fault.
  bool Step();
  // Lifts the disturbances, closes dialogs and message boxes (Esc), and
  // takes a last snapshot of every open day planner. False on a fault.
  bool Settle();

  const std::string& Fault() const { return fault_; }
  const std::vector<std::string>& Log() const { return log_; }
  const std::map<std::string, int>& Reached() const { return reached_; }
  const std::array<int, kActionKinds>& Done() const { return done_; }
  const Snapshots& Kept() const { return snapshots_; }
  int Actions() const { return actionCount_; }
  void Note(const std::string& line);

 private:
  struct Disturbance {
    std::string path;
    HANDLE lock = INVALID_HANDLE_VALUE;  // LockFile; otherwise read-only
    DWORD until = 0;
  };

  int Uniform(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
  bool Chance(int percent) { return Uniform(100) < percent; }
  ActionKind Draw(bool restricted);
  bool Restricted() const;
  // Does one action of that kind; false when there was nothing to act on.
  bool Act(ActionKind kind);
  bool DoCommand();
  bool DoKey(ActionKind kind);
  bool DoMouse(ActionKind kind);
  bool DoAnswer();
  bool DoSnapshot(const ProgramWindow& planner);
  bool DoDisturbance(ActionKind kind);
  void LiftDisturbances(bool all);
  const ProgramWindow* Pick(bool (*accept)(const ProgramWindow&));
  bool Check();

  std::mt19937 random_;
  DriveOptions options_;
  HANDLE process_;
  DWORD processId_;
  HWND mainWindow_;
  const ProgramCommands& commands_;
  DWORD start_;
  std::vector<ProgramWindow> windows_;
  OutsideSince outside_;
  std::vector<Disturbance> disturbances_;
  std::vector<std::string> log_;
  std::ofstream logFile_;
  std::map<std::string, int> reached_;
  std::array<int, kActionKinds> done_ = {};
  Snapshots snapshots_;
  std::string fault_;
  std::string detail_;  // of the current action, for the log
  int actionCount_ = 0;
};

}  // namespace soak
