#pragma once
// The geometry of the year view as plain functions, tested without a
// window: twelve month blocks, four across and three down, each 7 cells wide
// and 8 high (name, weekday initials, six rows of days), the day regions of
// a year and the hit test on them.

#include <windows.h>

#include <array>

#include "framework/Dpi.h"

namespace views {

// The cell size from the measured text "WW": wider and taller on a printer.
// A screen cell's room around the text grows with the window's DPI; a
// printed one keeps its size (the printer's font already has its resolution).
struct YearCell {
  int width = 0;
  int height = 0;
};
YearCell YearCellFor(SIZE ww, bool printer, fw::Dpi screen);

struct YearLayout {
  YearCell cell;
  int year = 0;
  // days[month][day] for the days that exist; the others are all zeros.
  std::array<std::array<RECT, 32>, 13> days = {};
};

// The top-left corner of a month's block; y0 is 0 on the screen and one
// cell height on a printed page (the year stands above the blocks).
POINT MonthBlockOrigin(const YearCell& cell, int month, int y0);

// The day regions of a year, laid out as in the month view; European style
// starts the weeks on Monday.
YearLayout LayoutYear(const YearCell& cell, int year, bool european, int y0);

struct YearDay {
  int month = 0;  // 0: no day
  int day = 0;
};
// Months 1 to 12 in order, within each the days from 1: the first region
// that holds the point, edges included.
YearDay YearDayAt(const YearLayout& layout, POINT point);

}  // namespace views
