// Where the commands that act on the active window go, by the class of
// that window.
#include <gtest/gtest.h>

#include "resource.h"
#include "shell/CommandRouting.h"

namespace {

TEST(RoutingRules, WindowClassesNameTheirKinds) {
  EXPECT_EQ(ActiveKind::DayPlanner, KindOfClass("AppointBook2"));
  EXPECT_EQ(ActiveKind::ToDo, KindOfClass("ToDo"));
  EXPECT_EQ(ActiveKind::WeekView, KindOfClass("ViewWeek"));
  EXPECT_EQ(ActiveKind::YearView, KindOfClass("ViewYear"));
  EXPECT_EQ(ActiveKind::Other, KindOfClass("LumettaMainFrame"));
  EXPECT_EQ(ActiveKind::Other, KindOfClass("todo"));  // exact names only
  EXPECT_EQ(ActiveKind::Other, KindOfClass(nullptr));
}

TEST(RoutingRules, EditCommandsAndDeleteReachAPlannerOrTheToDoListOnly) {
  for (UINT id :
       {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_DELETE}) {
    EXPECT_EQ(Route::ActiveWindow, RouteCommand(id, ActiveKind::DayPlanner)) << id;
    EXPECT_EQ(Route::ActiveWindow, RouteCommand(id, ActiveKind::ToDo)) << id;
    EXPECT_EQ(Route::Nothing, RouteCommand(id, ActiveKind::WeekView)) << id;
    EXPECT_EQ(Route::Nothing, RouteCommand(id, ActiveKind::YearView)) << id;
    EXPECT_EQ(Route::Nothing, RouteCommand(id, ActiveKind::Other)) << id;
  }
}

TEST(RoutingRules, PlannerCommandsReachOnlyAPlanner) {
  for (UINT id : {ID_REMINDER, ID_REPEATS, ID_COLOR, ID_NOTES}) {
    EXPECT_EQ(Route::ActiveWindow, RouteCommand(id, ActiveKind::DayPlanner)) << id;
    for (ActiveKind kind :
         {ActiveKind::ToDo, ActiveKind::WeekView, ActiveKind::YearView, ActiveKind::Other}) {
      EXPECT_EQ(Route::Nothing, RouteCommand(id, kind)) << id;
    }
  }
}

TEST(RoutingRules, ScheduleActivatesTheToDoListFirst) {
  EXPECT_EQ(Route::ActivateThenActive, RouteCommand(ID_SCHEDULE, ActiveKind::ToDo));
  for (ActiveKind kind :
       {ActiveKind::DayPlanner, ActiveKind::WeekView, ActiveKind::YearView, ActiveKind::Other}) {
    EXPECT_EQ(Route::Nothing, RouteCommand(ID_SCHEDULE, kind));
  }
}

TEST(RoutingRules, NextAndPreviousGoToPlannerWeekOrYearViewElseTheMonthView) {
  for (ActiveKind kind : {ActiveKind::DayPlanner, ActiveKind::WeekView, ActiveKind::YearView}) {
    EXPECT_EQ(Route::ActiveWindow, RouteCommand(ID_NEXT, kind));
    EXPECT_EQ(Route::ActiveWindow, RouteCommand(ID_PREVIOUS, kind));
  }
  for (ActiveKind kind : {ActiveKind::ToDo, ActiveKind::Other}) {
    EXPECT_EQ(Route::MonthViewNext, RouteCommand(ID_NEXT, kind));
    EXPECT_EQ(Route::MonthViewPrevious, RouteCommand(ID_PREVIOUS, kind));
  }
}

TEST(RoutingRules, OtherCommandsAreLeftToTheMainWindow) {
  for (UINT id : {ID_APP_EXIT, ID_VIEW_TODAY, ID_VIEW_WEEK, ID_TRAY_SHOW, ID_FILE_FIND}) {
    EXPECT_EQ(Route::NotRouted, RouteCommand(id, ActiveKind::DayPlanner)) << id;
    EXPECT_EQ(Route::NotRouted, RouteCommand(id, ActiveKind::Other)) << id;
  }
}

}  // namespace
