#pragma once
// Keeping windows on the screen: the work area (a monitor less its taskbar)
// a window belongs on, and moving a window into it, shrunk where it is
// larger. Every window of the program opens through these.

#include <windows.h>

namespace fw {

// `wanted` moved onto `work`, and cut to its size where it is larger.
RECT FitRectInto(const RECT& wanted, const RECT& work);

// The work area of the monitor that holds most of `rect`; when no monitor
// holds any of it (a position saved on a monitor since removed), that of
// the monitor holding `anchor`, or the primary one.
RECT WorkAreaFor(const RECT& rect, HWND anchor);

// Moves the window into the work area WorkAreaFor names and shrinks it
// where it is larger; returns the window's new rectangle.
RECT FitIntoWorkArea(HWND window, HWND anchor);

// Centres the window on its owner (on the owner's work area when the owner
// is hidden or absent), kept inside that work area.
void CentreOnOwner(HWND window);

}  // namespace fw
