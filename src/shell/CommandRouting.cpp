#include "shell/CommandRouting.h"

#include <cstring>

#include "resource.h"

namespace shell {

ActiveKind KindOfClass(const char* className) {
  if (className == nullptr) return ActiveKind::Other;
  if (std::strcmp(className, kDayPlannerClass) == 0) return ActiveKind::DayPlanner;
  if (std::strcmp(className, kToDoClass) == 0) return ActiveKind::ToDo;
  if (std::strcmp(className, kWeekViewClass) == 0) return ActiveKind::WeekView;
  if (std::strcmp(className, kYearViewClass) == 0) return ActiveKind::YearView;
  return ActiveKind::Other;
}

ActiveKind KindOfWindow(HWND window) {
  if (window == nullptr) return ActiveKind::Other;
  char name[64] = "";
  if (GetClassNameA(window, name, sizeof name) == 0) return ActiveKind::Other;
  return KindOfClass(name);
}

Route RouteCommand(UINT id, ActiveKind kind) {
  const bool planner = kind == ActiveKind::DayPlanner;
  switch (id) {
    case ID_EDIT_UNDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
    case ID_DELETE:
      return planner || kind == ActiveKind::ToDo ? Route::ActiveWindow : Route::Nothing;
    case ID_REMINDER:
    case ID_REPEATS:
    case ID_COLOR:
    case ID_NOTES:
      return planner ? Route::ActiveWindow : Route::Nothing;
    case ID_SCHEDULE:
      return kind == ActiveKind::ToDo ? Route::ActivateThenActive : Route::Nothing;
    case ID_NEXT:
    case ID_PREVIOUS:
      if (planner || kind == ActiveKind::WeekView || kind == ActiveKind::YearView) {
        return Route::ActiveWindow;
      }
      return id == ID_NEXT ? Route::MonthViewNext : Route::MonthViewPrevious;
    default:
      return Route::NotRouted;
  }
}

}  // namespace shell
