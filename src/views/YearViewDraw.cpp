// The year view's one paint routine, for the screen and the printed page.
#include <string>

#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/Moment.h"
#include "store/ProgramState.h"
#include "views/MonthView.h"
#include "views/MonthViewHost.h"
#include "views/YearView.h"
#include "platform/ScreenColours.h"

namespace views {
namespace {

// The whole window (and the page) is filled over this square.
constexpr int kFillExtent = 9999;

const char* const kInitials[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
const char* const kEuropeanInitials[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};

}  // namespace

YearLayout ViewYear::Measure(HDC dc, bool printing) const {
  fw::ScopedSelect font(dc, printing ? GetCurrentObject(dc, OBJ_FONT) : ScreenFont());
  const YearCell cell = YearCellFor(fw::TextSize(dc, "WW"), printing, ViewDpi());
  return LayoutYear(cell, year_, store::g_settings.europeanCalendar != 0,
                    printing ? cell.height : 0);
}

void ViewYear::PrintPage(HDC printer, int) { DrawYear(printer, true); }

void ViewYear::DrawMonthBlock(HDC dc, const YearLayout& layout, int month, bool printing) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const bool plain = printing && settings.fastPrinting != 0;
  const int w = layout.cell.width;
  const int h = layout.cell.height;
  const POINT origin = MonthBlockOrigin(layout.cell, month, printing ? h : 0);
  fw::Draw3dRect(dc, origin.x, origin.y, 7 * w - 1, 8 * h - 1, settings.toplite, settings.botlite);
  if (!plain) {
    SetTextColor(dc, settings.fore);
    SetBkColor(dc, settings.back);
  }
  fw::TextCentred(dc, origin.x, origin.y, 7 * w, h, store::MonthName(month));
  const char* const* initials = settings.europeanCalendar != 0 ? kEuropeanInitials : kInitials;
  for (int column = 0; column < 7; ++column) {
    fw::TextCentred(dc, origin.x + column * w, origin.y + h, w, h, initials[column]);
  }

  store::CalendarFields today;
  const bool knowsToday =
      !printing && store::LocalFields(host_.Book().context().clock.Now(), today);
  const int dayCount = store::DaysInMonth(year_, month);
  for (int d = 1; d <= dayCount && d <= 31; ++d) {
    const RECT& cell = layout.days[static_cast<size_t>(month)][static_cast<size_t>(d)];
    fw::Draw3dRect(dc, cell.left + 1, cell.top + 1, w - 2, h - 2, settings.toplite,
                   settings.botlite);
    if (!plain) {
      SetBkColor(dc, settings.back);
      // On paper no day is highlighted.
      const bool marked = !printing && host_.Book().HasHighlightedEntryOn(year_, month, d);
      SetTextColor(dc, marked ? settings.hasappoint : settings.fore);
    }
    fw::TextCentred(dc, cell.left, cell.top, w, h, std::to_string(d));
    if (knowsToday && today.year == year_ && today.month == month && today.day == d) {
      const RECT inside = {cell.left + 1, cell.top + 1, cell.left + w - 1, cell.top + h - 1};
      InvertRect(dc, &inside);
    }
  }
}

void ViewYear::DrawYear(HDC dc, bool printing) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const YearLayout layout = Measure(dc, printing);
  if (!printing) layout_ = layout;
  if (!(printing && settings.fastPrinting != 0)) {
    fw::FillSolidRect(dc, 0, 0, kFillExtent, kFillExtent, settings.back);
    SetTextColor(dc, settings.fore);
    SetBkColor(dc, settings.back);
    SetBkMode(dc, OPAQUE);
  }
  fw::ScopedSelect font(dc, printing ? GetCurrentObject(dc, OBJ_FONT) : ScreenFont());
  if (printing) {
    const std::string year = std::to_string(year_);
    const int w = layout.cell.width;
    TextOutA(dc, 13 * w + w / 2, 0, year.c_str(), static_cast<int>(year.size()));
  }
  for (int month = 1; month <= 12; ++month) DrawMonthBlock(dc, layout, month, printing);
}

}  // namespace views
