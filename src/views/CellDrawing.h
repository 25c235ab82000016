#pragma once
// Drawing one cell of the calendar: its centred text, today's inversion,
// the highlight colour of marked days and the 3-D frame (the plain fills and
// frames are framework/SolidDrawing's).

#include <windows.h>

#include <string>

namespace views {

struct CellColours {
  COLORREF marked;       // hasappoint: numbers of days with entries or notes
  COLORREF topLeft;      // toplite
  COLORREF bottomRight;  // botlite
};

struct CellLook {
  bool framed = false;
  bool today = false;   // inverted
  bool marked = false;  // number in the marked colour
};

// Draws the text centred in the w x h cell at x, y with the DC's font. Today
// inverts the inside of the cell (its number too, unless it is marked); a
// framed cell gets the 3-D frame at x, y of (w - 1) x (h - 1).
void DrawCell(HDC dc, int x, int y, int w, int h, const std::string& text, CellLook look,
              const CellColours& colours);

}  // namespace views
