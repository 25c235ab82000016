// The year view's one paint routine, for the screen and the printed page.
#include <algorithm>
#include <array>
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

void ViewYear::DrawMonthBlock(HDC dc, const YearLayout& layout, int month, bool printing,
                              const DayNumberSizes& numbers) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const bool plain = printing && settings.fastPrinting != 0;
  const int w = layout.cell.width;
  const int h = layout.cell.height;
  const POINT origin = MonthBlockOrigin(layout.cell, month, printing ? h : 0);
  const int dayCount = std::min(store::DaysInMonth(year_, month), 31);
  // The block's frame and its days' frames in one go; no text reaches
  // another day's frame, so they may come before the texts.
  std::array<RECT, 32> frames = {};
  frames[0] = {origin.x, origin.y, origin.x + 7 * w - 1, origin.y + 8 * h - 1};
  for (int d = 1; d <= dayCount; ++d) {
    const RECT& cell = layout.days[static_cast<size_t>(month)][static_cast<size_t>(d)];
    frames[static_cast<size_t>(d)] = {cell.left + 1, cell.top + 1, cell.left + w - 1,
                                      cell.top + h - 1};
  }
  fw::Draw3dRects(dc, frames.data(), static_cast<size_t>(dayCount) + 1, settings.toplite,
                  settings.botlite);
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
  for (int d = 1; d <= dayCount; ++d) {
    const RECT& cell = layout.days[static_cast<size_t>(month)][static_cast<size_t>(d)];
    if (!plain) {
      // On paper no day is highlighted.
      const bool marked = !printing && host_.Book().HasHighlightedEntryOn(year_, month, d);
      SetTextColor(dc, marked ? settings.hasappoint : settings.fore);
    }
    const std::string number = std::to_string(d);
    const SIZE size = numbers[static_cast<size_t>(d)];
    TextOutA(dc, cell.left + (w - static_cast<int>(size.cx)) / 2,
             cell.top + (h - static_cast<int>(size.cy)) / 2, number.c_str(),
             static_cast<int>(number.size()));
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
  // The day numbers are measured once for all twelve months.
  DayNumberSizes numbers = {};
  for (size_t d = 1; d < numbers.size(); ++d) numbers[d] = fw::TextSize(dc, std::to_string(d));
  for (int month = 1; month <= 12; ++month) DrawMonthBlock(dc, layout, month, printing, numbers);
}

}  // namespace views
