#pragma once
// Drawing the cells of the calendar: solid fills, the one-pixel 3-D frame
// and one cell with its centred text, today's inversion and the highlight
// colour of marked days.

#include <windows.h>

#include <string>

namespace views {

// Fills x, y, width x height with a colour (the DC's background colour is kept).
void FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour);

// A one-pixel frame: top and left lines in topLeft, bottom and right in
// bottomRight; its edges run along columns x and x + width - 1 and rows y
// and y + height - 1.
void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight);

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

// The size of a text in the DC's font.
SIZE TextSize(HDC dc, const std::string& text);

}  // namespace views
