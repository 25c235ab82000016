#include "views/CellDrawing.h"

#include "framework/SolidDrawing.h"

namespace views {

void DrawCell(HDC dc, int x, int y, int w, int h, const std::string& text, CellLook look,
              const CellColours& colours) {
  const COLORREF textColour = GetTextColor(dc);
  const COLORREF backColour = GetBkColor(dc);
  const RECT inside = {x + 1, y + 1, x + w - 2, y + h - 2};

  if (look.today && look.marked) {
    InvertRect(dc, &inside);
    SetTextColor(dc, colours.marked);
    fw::TextCentred(dc, x, y, w, h, text);
  } else if (look.today) {
    fw::TextCentred(dc, x, y, w, h, text);
    InvertRect(dc, &inside);
  } else {
    if (look.marked) SetTextColor(dc, colours.marked);
    fw::TextCentred(dc, x, y, w, h, text);
  }
  SetTextColor(dc, textColour);
  if (look.framed) fw::Draw3dRect(dc, x, y, w - 1, h - 1, colours.topLeft, colours.bottomRight);
  SetBkColor(dc, backColour);
}

}  // namespace views
