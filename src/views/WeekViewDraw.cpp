// The week view's one paint routine, for the screen and the printed pages.
#include <algorithm>
#include <climits>

#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "store/AppointmentBook.h"
#include "store/ProgramState.h"
#include "store/Subscriptions.h"
#include "views/DayEntries.h"
#include "views/MonthView.h"
#include "views/MonthViewHost.h"
#include "views/WeekView.h"
#include "platform/ScreenColours.h"

namespace views {
namespace {

// The whole window (and a printed page) is filled over this area.
constexpr int kFillWidth = 3200;
constexpr int kFillHeight = 6400;

// Where a line's parts start, at 96 DPI: the day's heading, the entry's
// time, and the entry's text after the time column (further on paper).
constexpr int kHeadingLeftAt96 = 5;
constexpr int kTimeLeftAt96 = 25;
constexpr int kTextGapAt96 = 25;
constexpr int kPrintedTextGapAt96 = 45;
constexpr int kTextDropAt96 = 2;

void HorizontalLine(HDC dc, int y) {
  MoveToEx(dc, 0, y, nullptr);
  LineTo(dc, kFillWidth, y);
}

void Text(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

const std::vector<store::SubscribedItem>& ViewWeek::SubscribedOn(const Date& date) const {
  static const std::vector<store::SubscribedItem> kNone;
  const store::SubscribedItems* subscribed = host_.Subscribed();
  return subscribed != nullptr ? subscribed->On(date.year, date.month, date.day) : kNone;
}

std::vector<int> ViewWeek::EntriesPerDay() const {
  store::All_Appointments& book = host_.Book();
  book.Sort();
  std::vector<int> counts;
  for (int i = 0; i < length_; ++i) {
    const Date day = AddDays(start_, i);
    counts.push_back(static_cast<int>(EntriesOnDay(book, day.year, day.month, day.day).size() +
                                      SubscribedOn(day).size()));
  }
  return counts;
}

int ViewWeek::PrintPageCount() {
  printedLines_ = kLinesPerPrintedPage;
  return static_cast<int>(LayOutPrintedPages(EntriesPerDay(), printedLines_).size());
}

int ViewWeek::PrintPageCountOn(HDC printer, int pageHeight) {
  if (printer == nullptr || pageHeight <= 0) return PrintPageCount();
  {
    // The printer's own font, as DrawWeek prints with it.
    fw::ScopedSelect select(printer, GetCurrentObject(printer, OBJ_FONT));
    Measure(printer, fw::Dpi());
  }
  printedLines_ = PrintedLinesPerPage(pageHeight, lineHeight_);
  return static_cast<int>(LayOutPrintedPages(EntriesPerDay(), printedLines_).size());
}

void ViewWeek::PrintPage(HDC printer, int page) { DrawWeek(printer, nullptr, page); }

int ViewWeek::DrawDayBlock(HDC dc, const Date& date, int first, int count, bool lastPart, int y,
                           bool printing) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const bool plain = printing && settings.fastPrinting != 0;
  const std::string heading = DayHeading(date);
  clipboardText_ += heading + "\r\n";
  if (!plain) SetTextColor(dc, settings.hasappoint);
  Text(dc, pads_.Scale(kHeadingLeftAt96), y, heading);
  HorizontalLine(dc, y - 2);  // a separator above each heading
  y += lineHeight_;

  const std::vector<store::An_Appointment*> entries =
      EntriesOnDay(host_.Book(), date.year, date.month, date.day);
  // The day's subscribed occurrences join its entries in time order (all-day
  // ones first), named by their calendar.
  struct Row {
    int minute;
    const store::An_Appointment* entry;
    const store::SubscribedItem* item;
  };
  std::vector<Row> rows;
  for (const store::An_Appointment* e : entries) {
    rows.push_back({e->hour() * 60 + e->minute(), e, nullptr});
  }
  for (const store::SubscribedItem& item : SubscribedOn(date)) {
    rows.push_back({item.minuteOfDay, nullptr, &item});
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.minute < b.minute; });
  const int end = std::min(first + count, static_cast<int>(rows.size()));
  const int textX = timeWidth_ + pads_.Scale(printing ? kPrintedTextGapAt96 : kTextGapAt96);
  const int drop = pads_.Scale(kTextDropAt96);
  // Four busy weeks run to thousands of lines, nearly all outside the
  // window: only the visible ones are drawn (the clipboard text has all).
  RECT shown = {0, INT_MIN, 0, INT_MAX};
  if (!printing && GetClipBox(dc, &shown) == ERROR) shown = RECT{0, INT_MIN, 0, INT_MAX};
  for (int i = first; i < end; ++i) {
    std::string time;
    std::string text;
    store::Colour colour = 0;
    const Row& row = rows[static_cast<size_t>(i)];
    if (row.entry != nullptr) {
      const store::An_Appointment& entry = *row.entry;
      time = EntryTimeText(entry.hour(), entry.minute(), settings.militaryTime != 0);
      text = entry.text;
      colour = entry.colour;
    } else {
      const store::SubscribedItem& item = *row.item;
      if (item.minuteOfDay >= 0) {
        time =
            EntryTimeText(item.minuteOfDay / 60, item.minuteOfDay % 60, settings.militaryTime != 0);
      }
      text = store::SubscribedLine(item, false);
      colour = item.colour;
      store::ContrastFix(colour, settings.back);
    }
    if (y + lineHeight_ > shown.top && y < shown.bottom) {
      if (!plain) SetTextColor(dc, settings.fore);
      Text(dc, pads_.Scale(kTimeLeftAt96), y + drop, time);
      if (!plain) SetTextColor(dc, platform::EntryColour(colour));
      Text(dc, textX, y + drop, text);
    }
    clipboardText_ += "\t" + time + "\t" + text + "\r\n";
    y += lineHeight_;
  }
  if (lastPart && WeekdayOf(date) == 6) {  // Saturday ends the week with a double line
    HorizontalLine(dc, y - 2);
    HorizontalLine(dc, y - 1);
  }
  return y;
}

void ViewWeek::DrawWeek(HDC dc, HFONT font, int page) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const bool printing = page > 0;
  clipboardText_ = WeekCaption(start_, settings.europeanCalendar != 0) + "\r\n";
  host_.Book().Sort();
  if (!(printing && settings.fastPrinting != 0)) {
    fw::FillSolidRect(dc, 0, 0, kFillWidth, kFillHeight, settings.back);
    SetTextColor(dc, settings.fore);
    SetBkColor(dc, settings.back);
    SetBkMode(dc, OPAQUE);
  }
  HFONT drawingFont = font;
  if (drawingFont == nullptr && !printing) drawingFont = monthView_.MainFontFor(ViewDpi());
  fw::ScopedSelect select(dc,
                          drawingFont != nullptr ? drawingFont : GetCurrentObject(dc, OBJ_FONT));
  // A printed page keeps its 96-DPI paddings: its font is already made for
  // the printer's resolution.
  Measure(dc, printing ? fw::Dpi() : ViewDpi());

  if (!printing) {
    int y = scroll_ == 1 ? 1 : (1 - scroll_) * lineHeight_;
    blockBottoms_.assign(static_cast<size_t>(length_), 0);
    const std::vector<int> counts = EntriesPerDay();
    if (WeekLines(counts) != totalLines_) {
      // Entries were added or removed while the view was open.
      totalLines_ = WeekLines(counts);
      UpdateScrollBar();
    }
    for (int i = 0; i < length_; ++i) {
      y = DrawDayBlock(dc, AddDays(start_, i), 0, counts[static_cast<size_t>(i)], true, y, false);
      blockBottoms_[static_cast<size_t>(i)] = y;
    }
    return;
  }

  Text(dc, 22, 2, PrintedHeading(start_));
  const std::vector<int> counts = EntriesPerDay();
  const std::vector<PrintedPage> pages = LayOutPrintedPages(counts, printedLines_);
  if (page > static_cast<int>(pages.size())) return;
  int y = 1 + 2 * lineHeight_;
  for (const PrintedBlock& block : pages[static_cast<size_t>(page - 1)]) {
    const bool lastPart =
        block.firstEntry + block.entryCount >= counts[static_cast<size_t>(block.dayIndex)];
    y = DrawDayBlock(dc, AddDays(start_, block.dayIndex), block.firstEntry, block.entryCount,
                     lastPart, y, true);
  }
}

}  // namespace views
