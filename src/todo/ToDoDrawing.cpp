// The to-do window's one paint routine, shared by the screen and the
// printed page, and the row layout it draws by.
#include <string>

#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "store/ProgramState.h"
#include "todo/ToDo.h"
#include "platform/ScreenColours.h"

namespace todo {
ToDo::Rows ToDo::LayoutRows(HDC dc, Surface surface) const {
  const SIZE size = fw::TextSize(dc, std::string(77, 'h'));
  // The room around a row's text at 96 DPI; a printed page keeps it as it
  // is, its font being made for the printer's resolution.
  constexpr int kRowPaddingAt96 = 4;
  // Before the window exists it opens at its owner's DPI.
  const fw::Dpi screen = Exists() ? WindowDpi() : mainDpi_;
  const int padding = surface == Surface::Printer ? kRowPaddingAt96 : screen.Scale(kRowPaddingAt96);
  Rows rows;
  rows.width = size.cx + padding;
  rows.height = size.cy + padding;
  const int firstTop = surface == Surface::Printer ? 2 * rows.height : 0;
  for (size_t i = 0; i < rows.rects.size(); ++i) {
    const int top = firstTop + static_cast<int>(i) * rows.height;
    rows.rects[i] = {0, top, rows.width, top + rows.height};
  }
  return rows;
}

void ToDo::DrawLists(HDC dc, HFONT font, Surface surface) {
  const bool printer = surface == Surface::Printer;
  // Fast printing: black text on white, no row colours.
  const bool plain = printer && store::g_settings.fastPrinting != 0;
  fw::ScopedSelect select(dc, printer ? nullptr : font);
  // A page is laid out for itself; the screen's rows stay as they are.
  const Rows rows = LayoutRows(dc, surface);
  if (!printer) TakeScreenLayout(rows);

  const store::SettingsBlock settings = platform::DrawingSettings();
  if (!plain) SetTextColor(dc, settings.fore);
  SetBkMode(dc, OPAQUE);
  if (printer) {
    const char* heading = store::ToDoTitle(currentList_);
    TextOutA(dc, 22, 2, heading, static_cast<int>(std::char_traits<char>::length(heading)));
  }
  const int shift = printer ? rows.height : 0;
  const store::ToDoList& lines = lists_.List(currentList_);
  for (size_t i = 0; i < rows.rects.size(); ++i) {
    const COLORREF colour = i % 2 == 0 ? settings.dayplan1 : settings.dayplan2;
    const store::ToDoRect& r = rows.rects[i];
    if (!plain) {
      // As tall as the row's bottom coordinate: each row paints over the
      // overhang of the one above, and the last one's fills the space below.
      const RECT fill = {r.left, r.top + shift, r.left + 9999, r.top + shift + r.bottom};
      fw::FillSolidRect(dc, fill, colour);
    }
    if (plain) {
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
    } else {
      SetBkColor(dc, colour);
    }
    const std::string& text = lines[i].text;
    TextOutA(dc, 5, r.top + 2 + shift, text.c_str(), static_cast<int>(text.size()));
  }
}

}  // namespace todo
