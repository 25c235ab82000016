#pragma once
// Commands that act on whichever program window is active (the edit
// commands, Reminder, Repeats, Color, Notes, Delete, Schedule, Next,
// Previous): the main window receives them from its shortcuts and passes
// each on according to the class of the active window.

#include <windows.h>

namespace shell {

// The kinds of program window a command can be passed to, by window class.
enum class ActiveKind { DayPlanner, ToDo, WeekView, YearView, Other };

// Window class names of those windows.
constexpr const char* kDayPlannerClass = "AppointBook2";
constexpr const char* kToDoClass = "ToDo";
constexpr const char* kWeekViewClass = "ViewWeek";
constexpr const char* kYearViewClass = "ViewYear";

ActiveKind KindOfClass(const char* className);
ActiveKind KindOfWindow(HWND window);

enum class Route {
  NotRouted,           // not one of these commands: the main window handles it
  Nothing,             // one of them, but nothing happens with this window active
  ActiveWindow,        // the same command goes to the active window
  ActivateThenActive,  // the active window is activated, then gets the command
  MonthViewNext,       // the month view's NextMonth
  MonthViewPrevious,   // the month view's PreviousMonth
};

// Where command `id` goes while a window of `kind` is active.
Route RouteCommand(UINT id, ActiveKind kind);

}  // namespace shell
