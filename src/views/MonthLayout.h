#pragma once
// The geometry of the month view as plain functions, so that it is tested
// without a window: the hot regions of one month for a cell size, the hit
// tests on them, and stepping the shown month within the calendar's years.
//
// The view is 7 cells wide and 8 high: row 0 holds "<<", the title and
// ">>"; row 1 the weekday names; rows 2 to 7 the days.

#include <windows.h>

#include <array>

#include "store/Moment.h"

namespace views {

constexpr int kFirstYear = store::kFirstCalendarYear;
constexpr int kLastYear = store::kLastCalendarYear;

// 0 = Sunday .. 6 = Saturday.
int WeekdayOf(int year, int month, int day);

struct MonthLayout {
  int cellWidth = 0;
  int cellHeight = 0;
  int year = 0;
  int month = 0;
  int dayCount = 0;          // days of the shown month
  RECT previousButton = {};  // "<<"
  RECT nextButton = {};      // ">>"
  RECT title = {};           // opens the year view: columns 2..4, European 1..3
  // days[d] for d = 1..dayCount; the others are all zeros.
  std::array<RECT, 32> days = {};
};

// The layout of a month for a cell size; European style starts weeks on
// Monday.
MonthLayout LayoutMonth(int cellWidth, int cellHeight, int year, int month, bool european);

// Clicks count the edges of a region (left <= x <= right); hovering does not
// (left < x < right).
enum class Edges { Included, Excluded };
bool InRegion(const RECT& region, POINT point, Edges edges);

// The first day of the shown month whose region holds the point, 0 for none.
int DayAt(const MonthLayout& layout, POINT point, Edges edges);

struct YearMonth {
  int year = 0;
  int month = 0;
};

// One month on; a year past the last is held there (December 9999 -> January 9999).
YearMonth NextMonthOf(YearMonth shown);
// One month back; a year before the first is held there (January 1900 -> December 1900).
YearMonth PreviousMonthOf(YearMonth shown);

}  // namespace views
