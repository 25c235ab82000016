#include "views/MonthLayout.h"

#include "store/CalendarText.h"
#include "store/CivilDate.h"

namespace views {

int WeekdayOf(int year, int month, int day) {
  // Pure calendar arithmetic: the same answer as the local-time breakdown,
  // without its trouble at the first hours of 1970 east of Greenwich.
  return store::WeekdayOfDayNumber(store::DayNumber(year, month, day));
}

MonthLayout LayoutMonth(int cellWidth, int cellHeight, int year, int month, bool european) {
  const int w = cellWidth;
  const int h = cellHeight;
  MonthLayout layout;
  layout.cellWidth = w;
  layout.cellHeight = h;
  layout.year = year;
  layout.month = month;
  layout.previousButton = {0, 0, w, h};
  layout.nextButton = {6 * w, 0, 7 * w, h};
  // From the left edge of the "Tu" box to the left edge of the "Fr" box.
  layout.title = european ? RECT{w, 0, 4 * w, h} : RECT{2 * w, 0, 5 * w, h};

  const int weekday = WeekdayOf(year, month, 1);
  const int y0 = 2 * h;
  int column;  // 1-based column counter; a multiple of 7 ends the row
  int x;
  if (european) {
    column = weekday;
    x = w * (weekday - 1);
    if (x < 0) x = 6 * w;  // the 1st is a Sunday: alone at the end of the first row
  } else {
    column = weekday + 1;
    x = w * weekday;
  }
  int y = y0;
  layout.dayCount = store::DaysInMonth(year, month);
  if (layout.dayCount > 31) layout.dayCount = 31;
  for (int d = 1; d <= layout.dayCount; ++d) {
    layout.days[static_cast<size_t>(d)] = {x, y, x + w, y + h};
    if (column % 7 == 0) {
      x = 0;
      y += h;
      column = 1;
    } else {
      x += w;
      ++column;
    }
  }
  return layout;
}

bool InRegion(const RECT& region, POINT point, Edges edges) {
  if (edges == Edges::Included) {
    return region.left <= point.x && point.x <= region.right && region.top <= point.y &&
           point.y <= region.bottom;
  }
  return region.left < point.x && point.x < region.right && region.top < point.y &&
         point.y < region.bottom;
}

int DayAt(const MonthLayout& layout, POINT point, Edges edges) {
  for (int d = 1; d <= layout.dayCount; ++d) {
    if (InRegion(layout.days[static_cast<size_t>(d)], point, edges)) return d;
  }
  return 0;
}

YearMonth NextMonthOf(YearMonth shown) {
  if (++shown.month == 13) {
    ++shown.year;
    shown.month = 1;
  }
  if (shown.year > kLastYear) shown.year = kLastYear;
  return shown;
}

YearMonth PreviousMonthOf(YearMonth shown) {
  if (--shown.month == 0) {
    --shown.year;
    shown.month = 12;
  }
  if (shown.year < kFirstYear) shown.year = kFirstYear;
  return shown;
}

}  // namespace views
