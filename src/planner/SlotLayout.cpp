#include "planner/SlotLayout.h"

#include <cstdio>

#include "framework/SolidDrawing.h"

namespace planner {
namespace {

int TwelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

}  // namespace

SlotLayout LayOutSlots(HDC dc, fw::Dpi screen, Surface surface) {
  constexpr int kPaddingAt96 = 4;
  constexpr int kTextLeftAt96 = 7, kTextTopAt96 = 2, kTextRightAt96 = 4, kEditorLeftAt96 = 4;
  constexpr int kHalfPastLabelGapAt96 = 16, kHourLabelLeftAt96 = 5;
  constexpr int kMarkerLeftAt96 = 9, kMarkerStepAt96 = 4, kHalfPastMarkerLiftAt96 = 3;
  const auto px = [&](int at96) { return surface == Surface::Printer ? at96 : screen.Scale(at96); };
  const int pad = px(kPaddingAt96);
  SlotLayout layout;
  layout.textLeft = px(kTextLeftAt96);
  layout.textTop = px(kTextTopAt96);
  layout.textRight = px(kTextRightAt96);
  layout.editorLeft = px(kEditorLeftAt96);
  layout.halfPastLabelGap = px(kHalfPastLabelGapAt96);
  layout.hourLabelLeft = px(kHourLabelLeftAt96);
  layout.markerLeft = px(kMarkerLeftAt96);
  layout.markerStep = px(kMarkerStepAt96);
  layout.halfPastMarkerLift = px(kHalfPastMarkerLiftAt96);
  const SIZE label = fw::TextSize(dc, "  08:30AM ");
  layout.labelWidth = label.cx + pad;
  layout.rowHeight = label.cy + pad;
  const std::string run(70, 'h');
  const SIZE text = fw::TextSize(dc, run);
  layout.textWidth = text.cx + pad;
  layout.textHeight = text.cy + pad;

  int top = surface == Surface::Printer ? 2 * layout.rowHeight : 0;
  for (size_t i = 0; i < kHourRows; ++i) {
    const int left = layout.labelWidth;
    const int right = layout.labelWidth + layout.textWidth;
    layout.onHour[i] = RECT{left, top, right, top + layout.rowHeight};
    top += layout.rowHeight;
    layout.halfPast[i] = RECT{left, top, right, top + layout.rowHeight};
    top += layout.rowHeight;
  }
  return layout;
}

bool SlotAt(const SlotLayout& layout, POINT point, int& row, int& half) {
  const auto hit = [&](const RECT& r) {
    return point.x >= 2 && point.x <= r.right && point.y >= r.top && point.y <= r.bottom;
  };
  for (int i = 0; i < kHourRows; ++i) {
    if (hit(layout.onHour[static_cast<size_t>(i)])) {
      row = i;
      half = kOnTheHour;
      return true;
    }
  }
  for (int i = 0; i < kHourRows; ++i) {
    if (hit(layout.halfPast[static_cast<size_t>(i)])) {
      row = i;
      half = kHalfPast;
      return true;
    }
  }
  return false;
}

std::string OnHourLabel(int hour, bool military) {
  char text[16];
  if (military) {
    std::snprintf(text, sizeof text, "%02d:00", hour);
  } else {
    std::snprintf(text, sizeof text, "%d:00%s", TwelveHour(hour), hour < 12 ? "am" : "pm");
  }
  return text;
}

std::string HalfPastLabel(int hour, bool military) {
  char text[16];
  if (military) {
    std::snprintf(text, sizeof text, "%02d:30", hour);
  } else {
    std::snprintf(text, sizeof text, "%d:30", TwelveHour(hour));
  }
  return text;
}

}  // namespace planner
