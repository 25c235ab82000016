#pragma once
// The week view's period and texts as plain functions, tested without a
// window: where a week begins, the caption and headings, the time of an
// entry, the scroll range, and how the days of a period are laid out on
// printed pages.

#include <string>
#include <vector>

namespace views {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const Date& o) const {
    return year == o.year && month == o.month && day == o.day;
  }
  bool operator!=(const Date& o) const { return !(*this == o); }
};

// A real calendar date (the day exists in its month; February has 29 days
// in every fourth year).
bool IsCalendarDate(const Date& date);
// The date `days` days later (earlier when negative).
Date AddDays(const Date& date, int days);
// 0 = Sunday .. 6 = Saturday.
int WeekdayOf(const Date& date);

// The Sunday on or before the date; the Monday with the European style.
Date FirstDayOfWeek(const Date& date, bool european);

// "Appointments starting Sunday September 7, 2025", or in European style
// "Appointments starting Sunday, 8 September 2025" (the word Sunday stays).
std::string WeekCaption(const Date& start, bool european);
// "Sunday, September 7".
std::string DayHeading(const Date& date);
// "9:30am", "12:30am", "12:00pm"; with military time "0:30", "12:00".
std::string EntryTimeText(int hour, int minute, bool military);
// "Starting 9/7/2025     by Lumetta Calendar".
std::string PrintedHeading(const Date& start);

// The scroll range: lines 1..kWeekTotalLines, 22 to a page, and the first
// visible line kept within 1..(total lines - 21).
constexpr int kWeekTotalLines = 1008;
constexpr int kWeekPageLines = 22;
int ClampWeekScroll(int position);
// The lines a period draws (a heading and a line per entry for each day),
// and never fewer than kWeekTotalLines: the scroll range that reaches the
// last day.
int WeekLines(const std::vector<int>& entriesPerDay);
int ClampWeekScroll(int position, int totalLines);

// A printed page holds kLinesPerPrintedPage lines; the first
// kPrintedHeadingLines carry the page heading. A day block takes one line
// for the day's heading and one for each entry.
constexpr int kLinesPerPrintedPage = 57;
constexpr int kPrintedHeadingLines = 3;

// The part of one day printed on a page: its heading and the entries
// firstEntry .. firstEntry + entryCount - 1.
struct PrintedBlock {
  int dayIndex = 0;
  int firstEntry = 0;
  int entryCount = 0;
};
using PrintedPage = std::vector<PrintedBlock>;

// The lines a printed page holds: as many lines of `lineHeight` as its
// printable height takes below the top margin (kLinesPerPrintedPage when the
// page is not known, height 0), and room for a heading and one entry at least.
int PrintedLinesPerPage(int pageHeight, int lineHeight);

// Lays the days (entry counts per day, in order) out on pages of
// `linesPerPage` lines. A block that fits on the current page goes there;
// one that does not starts a new page. A day with more entries than a whole
// page holds fills pages with its heading repeated on each, so every entry
// is printed exactly once.
std::vector<PrintedPage> LayOutPrintedPages(const std::vector<int>& entriesPerDay,
                                            int linesPerPage = kLinesPerPrintedPage);

}  // namespace views
