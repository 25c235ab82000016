#pragma once
// The plain-text form of one day that the planner's "Copy to Clipboard"
// puts on the clipboard: a heading line, then one line per entry of the
// day's 48 slots in time order ("9:00am\tText\r\n"), whatever part of the
// day the planner shows.

#include <string>

namespace store {
class All_Appointments;
}

namespace planner {

std::string BuildDayText(const store::All_Appointments& book, int year, int month, int day,
                         bool europeanCalendar, bool militaryTime);

}  // namespace planner
