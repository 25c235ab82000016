#include "shell/TrayTooltip.h"

#include <cstdio>

#include "store/AppointmentBook.h"
#include "store/CalendarText.h"

namespace shell {

namespace {

bool SameDate(const store::CalendarFields& a, const TooltipAppointment& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

std::string Format(const char* format, const char* first, int a, int b, const char* c,
                   const std::string& text) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, first, a, b, c, text.c_str());
  return buffer;
}

}  // namespace

std::string TrayTooltipText(const TooltipAppointment* next, store::Moment now, bool militaryTime) {
  if (next == nullptr) return kNoAppointmentsTip;

  int hour = next->hour;
  const char* suffix = "";
  if (!militaryTime) {
    suffix = hour >= 12 ? "pm" : "am";
    if (hour > 12) hour -= 12;
    if (hour == 0) hour = 12;
  }
  const int minute = next->minute;

  const store::CalendarFields today = store::LocalFields(now);
  const store::CalendarFields tomorrow = store::LocalFields(now + store::kSecondsPerDay);
  const store::CalendarFields when = store::LocalFields(next->time);
  const char* weekday = store::WeekdayName(when.weekday + 1);

  // The whole date is compared, so an entry a year from today is not shown
  // as today's.
  std::string tip;
  char buffer[256];
  if (SameDate(today, *next)) {
    std::snprintf(buffer, sizeof buffer, "%d:%02d%s: %s ", hour, minute, suffix,
                  next->text.c_str());
    tip = buffer;
  } else if (SameDate(tomorrow, *next)) {
    tip = Format("%s at %d:%02d%s: %s ", " Tomorrow", hour, minute, suffix, next->text);
  } else if (next->time < now + store::kSecondsPerWeek) {
    tip = Format("%s %d:%02d%s: %s ", weekday, hour, minute, suffix, next->text);
  } else {
    std::snprintf(buffer, sizeof buffer, "%s, %s %d %d:%02d%s: %s ", weekday,
                  store::MonthName(next->month), next->day, hour, minute, suffix,
                  next->text.c_str());
    tip = buffer;
  }
  if (tip.size() > kTooltipLongestText) tip = tip.substr(0, kTooltipKeptChars) + "...";
  return tip;
}

std::string TrayTooltipFor(const store::All_Appointments& book, store::Moment now,
                           bool militaryTime) {
  const store::An_Appointment* entry = book.NextAppointmentAfter(now);
  if (entry == nullptr) return TrayTooltipText(nullptr, now, militaryTime);
  TooltipAppointment next;
  next.year = entry->year();
  next.month = entry->month();
  next.day = entry->day();
  next.hour = entry->hour();
  next.minute = entry->minute();
  next.time = entry->time;
  next.text = entry->text;
  return TrayTooltipText(&next, now, militaryTime);
}

}  // namespace shell
