#include "store/CalendarText.h"

#include <cstdio>

namespace store {

namespace {

const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
const char* const kMonthAbbrevs[12] = {"Jan",  "Feb", "March", "April", "May", "June",
                                       "July", "Aug", "Sept",  "Oct",   "Nov", "Dec"};
const char* const kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const kWeekdayKeys[6] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri"};

}  // namespace

const char* MonthName(int month) { return month >= 1 && month <= 12 ? kMonthNames[month - 1] : ""; }

const char* MonthAbbrev(int month) {
  return month >= 1 && month <= 12 ? kMonthAbbrevs[month - 1] : "";
}

const char* WeekdayName(int weekdayNumber) {
  return weekdayNumber >= 1 && weekdayNumber <= 7 ? kWeekdayNames[weekdayNumber - 1] : "";
}

int WeekdayNumber(std::string_view text) {
  for (int i = 0; i < 6; ++i) {
    if (text.find(kWeekdayKeys[i]) != std::string_view::npos) return i + 1;
  }
  return 7;
}

int DaysUntilWeekday(int fromWeekdayNumber, std::string_view text) {
  const int target = WeekdayNumber(text);
  return target >= fromWeekdayNumber ? target - fromWeekdayNumber : target + 7 - fromWeekdayNumber;
}

int DaysInMonth(int year, int month) {
  switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      return 31;
    case 2:
      return year % 4 == 0 ? 29 : 28;
    default:
      return 30;
  }
}

std::string TimeText(int hour, int minute, bool twentyFourHour) {
  char buf[32];
  if (twentyFourHour) {
    std::snprintf(buf, sizeof buf, "%d:%02d", hour, minute);
  } else if (hour == 0) {
    std::snprintf(buf, sizeof buf, "12:%02dam", minute);
  } else if (hour < 12) {
    std::snprintf(buf, sizeof buf, "%d:%02dam", hour, minute);
  } else if (hour == 12) {
    std::snprintf(buf, sizeof buf, "12:%02dpm", minute);
  } else {
    std::snprintf(buf, sizeof buf, "%d:%02dpm", hour - 12, minute);
  }
  return buf;
}

std::string DayOrdinal(int day) {
  switch (day) {
    case 1:
    case 21:
    case 31:
      return std::to_string(day) + "st";
    case 2:
    case 22:
      return std::to_string(day) + "nd";
    case 3:
    case 23:
      return std::to_string(day) + "rd";
    default:
      return std::to_string(day) + "th";
  }
}

const char* WeekOrdinal(int day) {
  if (day <= 0) return nullptr;
  if (day > 28) return "5th";
  if (day > 21) return "4th";
  if (day > 14) return "3rd";
  if (day > 7) return "2nd";
  return "1st";
}

}  // namespace store
