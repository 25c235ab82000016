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
  FillSolidRect(dc, x, y, width - 1, 1, topLeft);
  FillSolidRect(dc, x, y, 1, height - 1, topLeft);
  FillSolidRect(dc, x + width - 1, y, 1, height, bottomRight);
  FillSolidRect(dc, x, y + height - 1, width, 1, bottomRight);
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
