#pragma once
// The main font and the fonts made from it. The month view owns the one
// main font of the program; every window without a font of its own draws
// with it. Its description is kept in the settings, so the next start uses
// the font the user chose or the last scaling made.

#include <windows.h>

#include "framework/Dpi.h"
#include "framework/GdiObject.h"

namespace store {
struct FontDescription;
}

namespace views {

// The program's default font at `height`: weight 400, proof quality,
// variable pitch, roman family, "Palatino Linotype".
LOGFONTA DefaultFontDescription(LONG height);
// The default at height -18.
LOGFONTA DefaultMainFontDescription();

// A saved description (the main font's or the day planner's) as the
// LOGFONTA it is, its face name ended within the record.
LOGFONTA SavedFontDescription(const store::FontDescription& saved);
// The saved description when its height is not 0 (a font was chosen),
// otherwise the default.
LOGFONTA SavedOrDefaultMainFont(const store::FontDescription& saved);
void SaveMainFont(const LOGFONTA& description, store::FontDescription& saved);

// The weekday names: the main font in italics.
LOGFONTA WeekdayFontDescription(const LOGFONTA& main);
// The month title: the main font's weight times 1.7, truncated (400 -> 680).
LOGFONTA TitleFontDescription(const LOGFONTA& main);
// The clock: height and width times 0.8, truncated toward zero.
LOGFONTA ClockFontDescription(const LOGFONTA& main);

// Font scaling on a resize of the view to clientWidth with the current cell
// width: height and width times (clientWidth + 6) / (7 * cellWidth - 6),
// computed in single precision and truncated. False (no change) when the
// client is narrower than 100 pixels or the cell narrower than 10.
bool ScaleForWidth(LOGFONTA& description, int clientWidth, int cellWidth);

// Font descriptions (saved, default and derived) give sizes at 96 DPI; the
// font for a window is made at the window's DPI.
fw::Font MakeScaledFont(const LOGFONTA& at96, fw::Dpi dpi);

// The system font dialog (screen fonts), owned by `owner`, starting from the
// current font (made at `dpi`, so the dialog shows the size on the screen;
// an all-zero description when there is none). OK: the description holds
// the choice at 96 DPI and the new font, at `dpi`, is answered (the caller
// replaces its font with it). Cancel: an empty font, description unchanged.
fw::Font PickFont(HWND owner, HFONT current, fw::Dpi dpi, LOGFONTA& description);

}  // namespace views
