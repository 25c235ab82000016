#pragma once
// The table of open day planners: two entries, filled in order, each empty
// or naming an open planner, and the planners' program-wide background
// image. Program-wide by design (the month view, the search, the store's
// repaint notices and the planners themselves find a planner by its date);
// it also owns the planner objects, from their opening until their windows
// are gone.

#include <windows.h>

#include <memory>

namespace planner {

class AppointBook2;
class PlannerHost;

constexpr int kOpenPlannerEntries = 2;

// Activates (restored) the planner of that date, or opens a new one (the
// oldest is closed when both entries are taken). `mainFont` is the month
// view's font: with it and no planner font saved, the planner gets the
// default planner font.
void OpenDayPlanner(PlannerHost& host, int year, int month, int day, HFONT mainFont);

// Puts a planner into the first empty entry; false when both are taken.
bool RegisterDayPlanner(AppointBook2& planner);
// Takes a planner out of the table (its window is being destroyed).
void UnregisterDayPlanner(const AppointBook2& planner);
// The registered planner showing exactly that date, or nullptr.
AppointBook2* FindDayPlanner(int year, int month, int day);
// The planner of an entry (0 or 1), or nullptr.
AppointBook2* DayPlannerAt(int entry);
// Whether an entry of the table is empty.
bool HasFreeEntry();
// Destroys the planner of the first occupied entry that does not wait for
// one of its dialogs, and moves later entries forward into empty places;
// false when no planner could be closed.
bool CloseOldestDayPlanner();
// Destroys every registered planner (each commits its slot editor).
void CloseAllDayPlanners();

// Called from the planner's last message: the object is released.
void ReleaseDayPlanner(AppointBook2& planner);

// The day planner background image (nullptr: none), kept in the settings'
// run-time slot; replacing it deletes the one before.
HBITMAP PlannerBackgroundImage();
void ReplacePlannerBackgroundImage(HBITMAP image);

}  // namespace planner
