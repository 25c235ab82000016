// Drawing a day: on screen every paint redraws the whole day; on paper the
// same hours from 6:00am below a title line.
#include "planner/AppointBook2.h"

#include <algorithm>

#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "planner/DayPlanners.h"
#include "planner/EditView.h"
#include "planner/PlannerHost.h"
#include "store/AppointmentBook.h"
#include "store/ProgramState.h"
#include "store/Subscriptions.h"
#include "framework/WindowDC.h"
#include "views/BackgroundImage.h"
#include "platform/ScreenColours.h"

namespace planner {
namespace {

// Wider than any screen row: fills and lines run to the window's edge.
constexpr int kRowExtent = 3200;
constexpr int kPrintedFirstHour = 6;
constexpr COLORREF kMarkerColour = RGB(255, 0, 0);

void Text(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

}  // namespace

void AppointBook2::DrawDay(HDC dc, HFONT font, Surface surface) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  fw::ScopedSelect select(dc, font);
  const bool printer = surface == Surface::Printer;
  // The window's hit tests and editor keep the screen's layout.
  const SlotLayout shownLayout = layout_;
  layout_ = LayOutSlots(dc, WindowDpi(), surface);
  const bool plain = printer && settings.fastPrinting != 0;
  if (!plain) SetTextColor(dc, settings.fore);

  const int shownFirstHour = firstHour_;
  if (printer) {
    Text(dc, 22, 2, TitleFor(year_, month_, day_) + "                     by Lumetta Calendar");
    firstHour_ = kPrintedFirstHour;
  }
  HBITMAP image = PlannerBackgroundImage();
  if (!printer && image != nullptr) {
    // Without an image the hours' own fills cover the window.
    RECT all = {};
    GetClientRect(Handle(), &all);
    fw::Brush fill(CreateSolidBrush(settings.dayplan1));
    FillRect(dc, &all, fill.Get());
  }
  views::DrawBackgroundImage(dc, image);
  SetBkMode(dc, TRANSPARENT);

  for (int hour = firstHour_; hour < kHourRows; ++hour) {
    DrawHour(dc, hour, hour - firstHour_, hour % 2 == 0 ? settings.dayplan1 : settings.dayplan2,
             plain, image != nullptr);
  }

  if (printer) {
    firstHour_ = shownFirstHour;
    layout_ = shownLayout;
  } else if (editor_ == nullptr && !EditView::IsBeingEdited()) {
    // After opening, scrolling and stepping the selection is the top ":00" slot.
    OpenSlotEditor(0, kOnTheHour);
  }
}

void AppointBook2::DrawHour(HDC dc, int hour, int row, COLORREF rowColour, bool plain, bool image) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  const bool military = settings.militaryTime != 0;
  const RECT& onHour = layout_.onHour[static_cast<size_t>(row)];
  const RECT& halfPast = layout_.halfPast[static_cast<size_t>(row)];
  store::All_Appointments& book = host_.Book();

  if (!plain && !image) {
    // The hour's two slots; the last hour's colour runs on below it.
    const int bottom = hour == kHourRows - 1 ? onHour.top + halfPast.bottom : halfPast.bottom;
    RECT fill = {0, onHour.top, kRowExtent, bottom};
    fw::Brush brush(CreateSolidBrush(rowColour));
    FillRect(dc, &fill, brush.Get());
  }
  Text(dc, layout_.hourLabelLeft, onHour.top + layout_.textTop, OnHourLabel(hour, military));
  DrawSlotText(dc, onHour, book.FindAt(year_, month_, day_, hour, 0), rowColour, plain, 0);
  DrawSubscribed(dc, row, kOnTheHour, rowColour, plain);
  Line(dc, onHour.left, onHour.bottom, kRowExtent, onHour.bottom);

  const std::string label30 = HalfPastLabel(hour, military);
  const SIZE extent = fw::TextSize(dc, label30);
  Text(dc, halfPast.left - extent.cx - layout_.halfPastLabelGap, halfPast.top + layout_.textTop,
       label30);
  DrawSlotText(dc, halfPast, book.FindAt(year_, month_, day_, hour, 30), rowColour, plain,
               layout_.halfPastMarkerLift);
  DrawSubscribed(dc, row, kHalfPast, rowColour, plain);

  if (row != 0) Line(dc, 0, onHour.top, kRowExtent, onHour.top);
}

// The markers left of a slot ("~" for a tilde entry, "+" for a repeating
// one) and the entry's text in its colour; `markerLift` raises the markers
// of a ":30" slot.
void AppointBook2::DrawSlotText(HDC dc, const RECT& slot, store::An_Appointment* entry,
                                COLORREF rowColour, bool plain, int markerLift) {
  const store::SettingsBlock settings = platform::DrawingSettings();
  if (entry != nullptr) {
    const bool repeats = entry->repeatKind != store::kRepeatNone;
    const bool tilde = entry->tildeFlag == 1;
    if (repeats || tilde) {
      const COLORREF before = plain ? 0 : SetTextColor(dc, kMarkerColour);
      const int x = slot.left - layout_.markerLeft;
      if (repeats && tilde) {
        Text(dc, x, slot.top - layout_.markerStep - markerLift, "~");
        Text(dc, x, slot.top + layout_.markerStep - markerLift, "+");
      } else {
        Text(dc, x, slot.top - markerLift, tilde ? "~" : "+");
      }
      if (!plain) SetTextColor(dc, before);
    }
    if (!platform::HighContrastOn()) {
      // Only against the saved scheme: the fix is kept with the entry.
      store::Colour colour = entry->colour;
      store::ContrastFix(colour, rowColour);
      entry->colour = colour;
    }
    if (!plain) SetTextColor(dc, platform::EntryColour(entry->colour));
    Text(dc, slot.left + layout_.textLeft, slot.top + layout_.textTop, entry->text);
  }
  SetTextColor(dc, settings.fore);
}

std::string AppointBook2::SubscribedText(int row, int half, store::Colour& colour) const {
  const store::SubscribedItems* subscribed = host_.Subscribed();
  if (subscribed == nullptr) return std::string();
  const int first = (firstHour_ + row) * 60 + (half == kOnTheHour ? 0 : 30);
  std::string text;
  for (const store::SubscribedItem& item : subscribed->On(year_, month_, day_)) {
    const bool here = item.minuteOfDay < 0
                          ? row == 0 && half == kOnTheHour
                          : item.minuteOfDay >= first && item.minuteOfDay < first + 30;
    if (!here) continue;
    if (text.empty()) colour = item.colour;
    text += (text.empty() ? "" : "; ") + store::SubscribedLine(item, false);
  }
  return text;
}

void AppointBook2::DrawSubscribed(HDC dc, int row, int half, COLORREF rowColour, bool plain) {
  store::Colour colour = 0;
  const std::string text = SubscribedText(row, half, colour);
  if (text.empty()) return;
  const RECT& slot = layout_.Slot(row, half);
  const SIZE size = fw::TextSize(dc, text);
  store::ContrastFix(colour, rowColour);
  if (!plain) SetTextColor(dc, colour);
  // Right-aligned, but never left of the slot's start on a long text.
  Text(dc, std::max<int>(slot.left + layout_.textLeft, slot.right - size.cx - layout_.textRight),
       slot.top + layout_.textTop, text);
  SetTextColor(dc, store::g_settings.fore);
}

int AppointBook2::SubscribedWidth(int row, int half) {
  store::Colour colour = 0;
  const std::string text = SubscribedText(row, half, colour);
  if (text.empty()) return 0;
  fw::WindowDC dc(Handle());
  fw::ScopedSelect select(dc.Get(), font_.Get());
  const RECT& slot = layout_.Slot(row, half);
  // The editor keeps at least half of the slot for the user's own text.
  return std::min(static_cast<int>(fw::TextSize(dc.Get(), text).cx) + 2 * layout_.textRight,
                  static_cast<int>(slot.right - slot.left) / 2);
}

}  // namespace planner
