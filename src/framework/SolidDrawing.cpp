#include "framework/SolidDrawing.h"

namespace fw {

void FillSolidRect(HDC dc, const RECT& area, COLORREF colour) {
  // An opaque text output of nothing fills with the background colour.
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  FillSolidRect(dc, RECT{x, y, x + width, y + height}, colour);
}

void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft,
                COLORREF bottomRight) {
  const RECT box = {x, y, x + width, y + height};
  Draw3dRects(dc, &box, 1, topLeft, bottomRight);
}

void Draw3dRects(HDC dc, const RECT* boxes, std::size_t count, COLORREF topLeft,
                 COLORREF bottomRight) {
  // An opaque text output of nothing fills with the background colour: one
  // colour change for all the top and left lines, one for the others.
  const auto fill = [dc](LONG left, LONG top, LONG right, LONG bottom) {
    const RECT area = {left, top, right, bottom};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  };
  const RECT* const end = boxes + count;
  const COLORREF old = SetBkColor(dc, topLeft);
  for (const RECT* b = boxes; b != end; ++b) {
    fill(b->left, b->top, b->right - 1, b->top + 1);
    fill(b->left, b->top, b->left + 1, b->bottom - 1);
  }
  SetBkColor(dc, bottomRight);
  for (const RECT* b = boxes; b != end; ++b) {
    fill(b->right - 1, b->top, b->right, b->bottom);
    fill(b->left, b->bottom - 1, b->right, b->bottom);
  }
  SetBkColor(dc, old);
}

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

void TextCentred(HDC dc, int x, int y, int w, int h, const std::string& text) {
  const SIZE size = TextSize(dc, text);
  TextOutA(dc, x + (w - static_cast<int>(size.cx)) / 2, y + (h - static_cast<int>(size.cy)) / 2,
           text.c_str(), static_cast<int>(text.size()));
}

}  // namespace fw
