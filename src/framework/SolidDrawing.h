#pragma once
// The plain drawing every window shares: solid fills, the one-pixel 3-D
// frame and the size of a text, all drawn or measured without brushes or
// pens to create and free.

#include <windows.h>

#include <cstddef>
#include <string>

namespace fw {

// Fills x, y, width x height with a colour (the DC's background colour is kept).
void FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour);
void FillSolidRect(HDC dc, const RECT& area, COLORREF colour);

// A one-pixel frame: top and left lines in topLeft, bottom and right in
// bottomRight; its edges run along columns x and x + width - 1 and rows y
// and y + height - 1.
void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight);
// The same frames for `count` boxes (each x, y, x + width, y + height) with
// a third of the calls, for windows that draw hundreds of them in one paint.
void Draw3dRects(HDC dc, const RECT* boxes, std::size_t count, COLORREF topLeft,
                 COLORREF bottomRight);

// The size of a text in the DC's font.
SIZE TextSize(HDC dc, const std::string& text);

// Draws the text centred in the w x h box at x, y with the DC's font and colours.
void TextCentred(HDC dc, int x, int y, int w, int h, const std::string& text);

}  // namespace fw
