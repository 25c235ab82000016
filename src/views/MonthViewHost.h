#pragma once
// What the month view needs from the window it lives in. The main window
// implements it; tests use a fake. Every call comes on the user-interface
// thread, from the view's message handlers.

#include <windows.h>

#include <string>

namespace store {
class All_Appointments;
class SubscribedItems;
}  // namespace store

namespace views {

class MonthViewHost {
 public:
  virtual ~MonthViewHost() = default;

  // The appointment book; its clock (context().clock) is the view's "now".
  virtual store::All_Appointments& Book() = 0;
  // The subscribed calendars' occurrences, shown but never edited; nullptr
  // when there are none.
  virtual const store::SubscribedItems* Subscribed() { return nullptr; }
  // The notes folder with its trailing backslash; "" when there is none.
  virtual std::string NotesFolder() = 0;
  // The click sound cue.
  virtual void PlayClickSound() = 0;

  // Hides the main window; it stays reachable from the notification area.
  virtual void HideMainWindow() = 0;
  // Starts the main window's refit timer (6969, 5 ms), after the view has
  // rescaled the main font and hidden the main window.
  virtual void StartRefitTimer() = 0;
  // Places and sizes the main window around the view's NaturalSize, after
  // the user chose a new main font.
  virtual void PlaceMainWindow() = 0;

  // Activates (restored) the open day planner of that date, or makes one,
  // registers it in the table of open planners (closing the oldest when
  // full) and initialises it with the date, the view's MainFont() and
  // CellHeight(). The view has played the click sound.
  virtual void OpenDayPlanner(int year, int month, int day) = 0;
  // Closes every open day planner (the view is being destroyed).
  virtual void CloseDayPlanners() = 0;
  // Opens the week view at that date, or retargets the open one.
  virtual void OpenWeekView(int year, int month, int day) = 0;
  // The year view command: activates the year view or opens it on the current year.
  virtual void OpenYearView() = 0;
  // Activates and restores the to-do window, or creates it with the view's
  // MainFont(). The view has played the click sound.
  virtual void OpenToDoList() = 0;
  // The owner-drawn menus: the week and year views register with them at
  // creation, and hand them their menu messages (true when handled, with
  // the result in *result).
  virtual void AttachMenus(HWND window) = 0;
  virtual bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) = 0;
};

}  // namespace views
