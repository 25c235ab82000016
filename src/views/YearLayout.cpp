#include "views/YearLayout.h"

#include "store/CalendarText.h"
#include "views/MonthLayout.h"

namespace views {

YearCell YearCellFor(SIZE ww, bool printer, fw::Dpi screen) {
  const int w = static_cast<int>(ww.cx);
  const int h = static_cast<int>(ww.cy);
  constexpr int kPaddingWidthAt96 = 6;
  constexpr int kPaddingHeightAt96 = 5;
  if (printer) return YearCell{w + 8, h + 6};
  return YearCell{w + screen.Scale(kPaddingWidthAt96), h + screen.Scale(kPaddingHeightAt96)};
}

POINT MonthBlockOrigin(const YearCell& cell, int month, int y0) {
  const int index = month - 1;
  return POINT{(index % 4) * 7 * cell.width, y0 + (index / 4) * 8 * cell.height};
}

YearLayout LayoutYear(const YearCell& cell, int year, bool european, int y0) {
  YearLayout layout;
  layout.cell = cell;
  layout.year = year;
  for (int month = 1; month <= 12; ++month) {
    // The month view's own layout of the days, moved to this block (its
    // days start two rows down, below the name and the weekday initials).
    const MonthLayout days = LayoutMonth(cell.width, cell.height, year, month, european);
    const POINT origin = MonthBlockOrigin(cell, month, y0);
    for (int d = 1; d <= days.dayCount; ++d) {
      RECT r = days.days[static_cast<size_t>(d)];
      OffsetRect(&r, origin.x, origin.y);
      layout.days[static_cast<size_t>(month)][static_cast<size_t>(d)] = r;
    }
  }
  return layout;
}

YearDay YearDayAt(const YearLayout& layout, POINT point) {
  for (int month = 1; month <= 12; ++month) {
    const int count = store::DaysInMonth(layout.year, month);
    for (int d = 1; d <= count && d <= 31; ++d) {
      if (InRegion(layout.days[static_cast<size_t>(month)][static_cast<size_t>(d)], point,
                   Edges::Included)) {
        return YearDay{month, d};
      }
    }
  }
  return YearDay{};
}

}  // namespace views
