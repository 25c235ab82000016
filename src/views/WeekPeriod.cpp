#include "views/WeekPeriod.h"

#include <algorithm>
#include <cstdio>

#include "store/CalendarText.h"
#include "store/CivilDate.h"

namespace views {

bool IsCalendarDate(const Date& date) {
  return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= store::DaysInMonth(date.year, date.month);
}

Date AddDays(const Date& date, int days) {
  const store::CivilDate moved =
      store::DateOfDayNumber(store::DayNumber(date.year, date.month, date.day) + days);
  return Date{moved.year, moved.month, moved.day};
}

int WeekdayOf(const Date& date) {
  return store::WeekdayOfDayNumber(store::DayNumber(date.year, date.month, date.day));
}

Date FirstDayOfWeek(const Date& date, bool european) {
  const int first = european ? 1 : 0;
  const int back = (WeekdayOf(date) - first + 7) % 7;
  return AddDays(date, -back);
}

std::string WeekCaption(const Date& start, bool european) {
  char text[128];
  if (european) {
    std::snprintf(text, sizeof text, "%s, %d %s %d", "Appointments starting Sunday", start.day,
                  store::MonthName(start.month), start.year);
  } else {
    std::snprintf(text, sizeof text, "%s %s %d, %d", "Appointments starting Sunday",
                  store::MonthName(start.month), start.day, start.year);
  }
  return text;
}

std::string DayHeading(const Date& date) {
  char text[64];
  std::snprintf(text, sizeof text, "%s, %s %d", store::WeekdayName(WeekdayOf(date) + 1),
                store::MonthName(date.month), date.day);
  return text;
}

std::string EntryTimeText(int hour, int minute, bool military) {
  char text[32];
  if (military) {
    std::snprintf(text, sizeof text, "%d:%02d%s", hour, minute, "");
  } else {
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    std::snprintf(text, sizeof text, "%d:%02d%s", shown, minute, hour < 12 ? "am" : "pm");
  }
  return text;
}

std::string PrintedHeading(const Date& start) {
  char text[96];
  std::snprintf(text, sizeof text, "%s %d/%d/%d     by Lumetta Calendar", "Starting", start.month,
                start.day, start.year);
  return text;
}

int ClampWeekScroll(int position) { return ClampWeekScroll(position, kWeekTotalLines); }

int WeekLines(const std::vector<int>& entriesPerDay) {
  int lines = 0;
  for (int entries : entriesPerDay) lines += 1 + std::max(0, entries);
  return std::max(kWeekTotalLines, lines);
}

int ClampWeekScroll(int position, int totalLines) {
  return std::clamp(position, 1, std::max(1, totalLines - kWeekPageLines + 1));
}

int PrintedLinesPerPage(int pageHeight, int lineHeight) {
  if (pageHeight <= 0 || lineHeight <= 0) return kLinesPerPrintedPage;
  // Lines start one pixel down (DrawWeek).
  return std::max(kPrintedHeadingLines + 2, (pageHeight - 1) / lineHeight);
}

std::vector<PrintedPage> LayOutPrintedPages(const std::vector<int>& entriesPerDay,
                                            int linesPerPage) {
  const int pageRoom = std::max(2, linesPerPage - kPrintedHeadingLines);
  std::vector<PrintedPage> pages(1);
  int used = 0;  // lines of day blocks on the current page
  for (int day = 0; day < static_cast<int>(entriesPerDay.size()); ++day) {
    const int entries = std::max(0, entriesPerDay[static_cast<size_t>(day)]);
    if (used > 0 && used + entries + 1 > pageRoom) {
      pages.emplace_back();
      used = 0;
    }
    int first = 0;
    do {
      if (used == pageRoom) {  // only a day longer than a page gets here
        pages.emplace_back();
        used = 0;
      }
      const int count = std::min(entries - first, pageRoom - used - 1);
      pages.back().push_back(PrintedBlock{day, first, count});
      used += count + 1;
      first += count;
    } while (first < entries);
  }
  return pages;
}

}  // namespace views
