#include "planner/DayText.h"

#include <cstdio>

#include "store/AppointmentBook.h"
#include "store/CalendarText.h"

namespace planner {

std::string BuildDayText(const store::All_Appointments& book, int year, int month, int day,
                         bool europeanCalendar, bool militaryTime) {
  char heading[64];
  if (europeanCalendar) {
    std::snprintf(heading, sizeof heading, "Day Planner for %d %s, %d\r\n", day,
                  store::MonthAbbrev(month), year);
  } else {
    std::snprintf(heading, sizeof heading, "Day Planner for %s %d, %d\r\n",
                  store::MonthAbbrev(month), day, year);
  }
  std::string text = heading;
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute : {0, 30}) {
      const store::An_Appointment* entry = book.FindAt(year, month, day, hour, minute);
      if (entry == nullptr) continue;
      text += store::TimeText(hour, minute, militaryTime) + "\t" + entry->text + "\r\n";
    }
  }
  return text;
}

}  // namespace planner
