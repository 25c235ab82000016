#include "views/CellDrawing.h"

namespace views {

void FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  const COLORREF old = SetBkColor(dc, colour);
  const RECT area = {x, y, x + width, y + height};
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, old);
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

void DrawCell(HDC dc, int x, int y, int w, int h, const std::string& text, CellLook look,
              const CellColours& colours) {
  const SIZE size = TextSize(dc, text);
  const int textX = x + (w - static_cast<int>(size.cx)) / 2;
  const int textY = y + (h - static_cast<int>(size.cy)) / 2;
  const COLORREF textColour = GetTextColor(dc);
  const COLORREF backColour = GetBkColor(dc);
  const RECT inside = {x + 1, y + 1, x + w - 2, y + h - 2};
  const int length = static_cast<int>(text.size());

  if (look.today && look.marked) {
    InvertRect(dc, &inside);
    SetTextColor(dc, colours.marked);
    TextOutA(dc, textX, textY, text.c_str(), length);
  } else if (look.today) {
    TextOutA(dc, textX, textY, text.c_str(), length);
    InvertRect(dc, &inside);
  } else {
    if (look.marked) SetTextColor(dc, colours.marked);
    TextOutA(dc, textX, textY, text.c_str(), length);
  }
  SetTextColor(dc, textColour);
  if (look.framed) Draw3dRect(dc, x, y, w - 1, h - 1, colours.topLeft, colours.bottomRight);
  SetBkColor(dc, backColour);
}

}  // namespace views
