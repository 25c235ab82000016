#include "views/QuickCheckLines.h"

#include <algorithm>
#include <cstdio>

#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/CivilDate.h"
#include "store/Settings.h"

namespace views {

using store::An_Appointment;

namespace {

int WeekdayNumberOf(int year, int month, int day) {
  return store::WeekdayOfDayNumber(store::DayNumber(year, month, day)) + 1;
}

}  // namespace

std::string QuickCheckTitle(const An_Appointment* first, int year, int month, bool european) {
  if (first == nullptr) return "Lumetta";
  char title[96] = {};
  if (european) {
    std::snprintf(title, sizeof title, "Lumetta - %d %s, %d", first->day(),
                  store::MonthAbbrev(month), year);
  } else {
    std::snprintf(title, sizeof title, "Lumetta - %s %d, %d", store::MonthAbbrev(month),
                  first->day(), year);
  }
  return title;
}

std::string QuickCheckDateLine(int year, int month, int day, bool european) {
  const char* weekday = store::WeekdayName(WeekdayNumberOf(year, month, day));
  const char* monthName = store::MonthAbbrev(month);
  char line[96] = {};
  if (european) {
    std::snprintf(line, sizeof line, " %s, %d %s %d %s  ", weekday, day, monthName, year, "");
  } else {
    std::snprintf(line, sizeof line, " %s %s %d, %d %s  ", weekday, monthName, day, year, "");
  }
  return line;
}

std::vector<QuickCheckLine> BuildQuickCheckLines(store::All_Appointments& book,
                                                 An_Appointment* first, int year, int month,
                                                 int day, bool hasNotes,
                                                 const store::SettingsBlock& settings,
                                                 const std::vector<store::SubscribedItem>& others) {
  std::vector<QuickCheckLine> lines;
  lines.push_back(
      {QuickCheckDateLine(year, month, day, settings.europeanCalendar != 0), settings.hasappoint});
  if (hasNotes) lines.push_back({kNotesHint, settings.fore});
  // NextAppointmentAfter answers strictly later entries, so the walk ends.
  for (An_Appointment* entry = first;
       entry != nullptr && entry->year() == year && entry->month() == month && entry->day() == day;
       entry = book.NextAppointmentAfter(entry->time)) {
    store::ContrastFix(entry->colour, settings.back);
    lines.push_back(
        {" " + store::TimeText(entry->hour(), entry->minute(), settings.militaryTime != 0) + "  " +
             entry->text + "  ",
         entry->colour});
  }
  for (const store::SubscribedItem& item : others) {
    store::Colour colour = item.colour;
    store::ContrastFix(colour, settings.back);
    const std::string time = item.minuteOfDay < 0
                                 ? std::string()
                                 : store::TimeText(item.minuteOfDay / 60, item.minuteOfDay % 60,
                                                   settings.militaryTime != 0) +
                                       "  ";
    lines.push_back({" " + time + store::SubscribedLine(item, false) + "  ", colour});
  }
  return lines;
}

int QuickCheckDurationFor(int lineCount) {
  const int d = 2 * lineCount;
  if (d > 40) return 40000;
  if (d < 6) return 10000;
  return d * 1000;
}

QuickCheckPlacement FitQuickCheck(const RECT& anchor, int screenWidth, int screenHeight, int widest,
                                  int totalHeight) {
  QuickCheckPlacement at;
  at.x = anchor.left - widest - 3;
  if (at.x < 0 && anchor.right < screenWidth - screenWidth / 5) at.x = anchor.right;
  at.y = anchor.top;
  if (at.y + totalHeight > screenHeight) at.y = screenHeight - totalHeight - 5;
  const int anchorHeight = anchor.bottom - anchor.top;
  if (totalHeight < anchorHeight) at.y = anchorHeight / 2 + anchor.top - totalHeight / 2;
  if (at.y < 0) at.y = 0;
  if (anchor.left > screenWidth + 1) {
    at.x = screenWidth - widest - 8;
    at.y = screenHeight - totalHeight - 5;
  }
  at.fits = at.x >= 0 && totalHeight <= screenHeight;
  return at;
}

QuickCheckPlacement ShrinkToFit(const std::function<QuickCheckMeasure(bool shrink)>& measure,
                                const RECT& anchor, int screenWidth, int screenHeight,
                                int lineCount) {
  QuickCheckMeasure size = measure(false);
  QuickCheckPlacement at =
      FitQuickCheck(anchor, screenWidth, screenHeight, size.widest, size.lineHeight * lineCount);
  for (int shrinks = 0; !at.fits && shrinks < kMaxQuickCheckShrinks; ++shrinks) {
    size = measure(true);
    at = FitQuickCheck(anchor, screenWidth, screenHeight, size.widest, size.lineHeight * lineCount);
  }
  return at;
}

}  // namespace views
