#pragma once
// The geometry of a day planner's slots, measured from its font: the label
// column, the text column and the 24 hour rows of two half-hour slots each,
// and the labels beside them.

#include <windows.h>

#include <array>
#include <string>

#include "framework/Dpi.h"

namespace planner {

constexpr int kHourRows = 24;
// Half of a slot: the ":00" slot is half 1, the ":30" slot half 0.
constexpr int kOnTheHour = 1;
constexpr int kHalfPast = 0;

struct SlotLayout {
  int labelWidth = 0;
  int rowHeight = 0;
  int textWidth = 0;
  int textHeight = 0;
  // Small offsets of what is drawn in a row, from a slot's edges: the
  // entry's text (the slot editor sits a little left of it, its own margin
  // making up the rest; a subscribed calendar's text keeps textRight from
  // the slot's right edge and from the editor), the ":30" label's gap before the slot, the hour
  // label's indent, the repeat and tilde markers left of the text and
  // their vertical steps.
  int textLeft = 0;
  int textTop = 0;
  int textRight = 0;
  int editorLeft = 0;
  int halfPastLabelGap = 0;
  int hourLabelLeft = 0;
  int markerLeft = 0;
  int markerStep = 0;
  int halfPastMarkerLift = 0;
  // onHour[i] is the ":00" slot of hour row i, halfPast[i] its ":30" slot.
  std::array<RECT, kHourRows> onHour{};
  std::array<RECT, kHourRows> halfPast{};

  const RECT& Slot(int row, int half) const {
    return half == kOnTheHour ? onHour[static_cast<size_t>(row)]
                              : halfPast[static_cast<size_t>(row)];
  }
};

// Where a day is drawn: the window, or a printed page (which leaves room
// for a title line above the hours).
enum class Surface { Screen, Printer };

// Measures the font selected into dc: the label width and row height from
// "  08:30AM ", the text column from 70 letters "h", each with a little room;
// the room and the small offsets are written for 96 DPI and grow with the
// screen's (a page's font has the printer's resolution already, and a page
// keeps them); rows start at the top, or two rows down on a printed page.
SlotLayout LayOutSlots(HDC dc, fw::Dpi screen, Surface surface = Surface::Screen);

// The slot under a point: the ":00" slots are tried first, then the ":30"
// slots; a slot's left edge is not tested (a click in the label column
// selects that row), x must be at least 2. False when no slot is there.
bool SlotAt(const SlotLayout& layout, POINT point, int& row, int& half);

// The labels of an hour's two slots: "12:00am" / "12:30", "1:00pm" / "1:30"
// or, in military time, "00:00" / "00:30", "13:00" / "13:30".
std::string OnHourLabel(int hour, bool military);
std::string HalfPastLabel(int hour, bool military);

}  // namespace planner
