#pragma once
// Background images: bitmap files drawn unscaled behind the month view and
// the day planner. Their paths are kept in the settings ("" or "none" = no
// image); the loaded bitmaps are owned by the window that shows them.
// Loading them and their slots in the settings: platform/BackgroundImages.h.

#include <windows.h>

#include "framework/GdiObject.h"

namespace fw {
class Prompter;
}

namespace views {

enum class BackgroundFor { MonthView, DayPlanner };

// Draws the image with its top-left corner at (0, 0), unscaled.
void DrawBackgroundImage(HDC dc, HBITMAP image);

struct BackgroundChoice {
  bool changed = false;  // false: keep the current image
  fw::Bitmap image;      // the new image (empty: no image) when changed
};

// The picker. With a current image it first asks whether to select a new
// one (Yes) or remove it (No: the stored path becomes "none"). Then the
// open-file dialog for a .bmp file; OK stores the chosen path in the
// settings and answers the loaded bitmap (empty when it cannot be loaded).
// Cancel anywhere keeps the current image. The dialog takes paths that fit
// the settings' 256-byte field only.
BackgroundChoice SelectBackgroundImage(HWND owner, BackgroundFor which, HBITMAP current,
                                       fw::Prompter& prompter);

constexpr const char* kBackgroundQuestion =
    "Select a new image - press Yes.\nRemove the current image - press No.";
constexpr const char* kBackgroundDialogTitle = "Select a bitmap file to use as a background image";

}  // namespace views
