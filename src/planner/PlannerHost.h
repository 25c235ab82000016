#pragma once
// What the day planners need from the program around them: the book, the
// main window (their owner, whose frame height they add), message boxes,
// the notes folder, the shell, the calendar views to repaint and the
// owner-drawn menus. The main window implements it; tests use a fake. Every
// call comes on the user-interface thread.

#include <windows.h>

#include <string>

namespace fw {
class Prompter;
}
namespace store {
class All_Appointments;
class SubscribedItems;
}  // namespace store

namespace planner {

class PlannerHost {
 public:
  virtual ~PlannerHost() = default;

  virtual store::All_Appointments& Book() = 0;
  // The subscribed calendars' occurrences, shown but never edited; nullptr
  // when there are none.
  virtual const store::SubscribedItems* Subscribed() { return nullptr; }
  // The main window: owner of every planner.
  virtual HWND MainWindow() = 0;
  // The main window's outer height minus its client height.
  virtual int FrameExtraHeight() const = 0;
  virtual fw::Prompter& Prompter() = 0;
  // The notes folder with its trailing backslash; "" when there is none.
  virtual std::string NotesFolder() = 0;

  // ShellExecuteA with that verb (nullptr: the default one) on a file,
  // folder or address; failures are not reported.
  virtual void RunShellVerb(HWND owner, const char* verb, const std::string& target, int show) = 0;

  // Entries changed: the month view repaints (and the week and year views
  // when they are open).
  virtual void CalendarViewsChanged() = 0;
  // Enables or disables the month view (while the repeat dialog is open).
  virtual void EnableMonthView(bool enable) = 0;

  // The owner-drawn menus: a new planner registers with them, and hands
  // them its menu messages (true when handled, with the result in *result).
  virtual void AttachMenus(HWND window) = 0;
  virtual bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) = 0;
};

}  // namespace planner
