#pragma once
// The place where the owner-drawn menu module (menus::FlatMenu) plugs in:
// CLumetta makes one, and these calls are where it is installed, attached
// to each window with a menu bar, fed those windows' menu messages and
// removed again. Without one (some tests) the menus are the system's own.

#include <windows.h>

namespace menus {

class MenuModule {
 public:
  virtual ~MenuModule() = default;
  // Start-up step 7, after the main window was created.
  virtual void Install() = 0;
  // The end of the creation of a window with a menu bar (the main window,
  // the day planners, the to-do window, the week and year views): it
  // registers and its menu bar is converted.
  virtual void Attach(HWND window) = 0;
  // The application's exit.
  virtual void Remove() = 0;
  // WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR of such
  // a window; true when handled, with the message's result in *result.
  virtual bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) = 0;
};

}  // namespace menus
