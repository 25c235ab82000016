#pragma once
// The place where the owner-drawn menu module (FlatMenu) plugs in. Until it
// exists the program has none and its menus are the system's own; when it
// comes, CLumetta makes one, and these calls are where it is installed,
// attached to the main window, fed the main window's menu messages and
// removed again.

#include <windows.h>

class MenuModule {
 public:
  virtual ~MenuModule() = default;
  // Start-up step 7, after the main window was created.
  virtual void Install() = 0;
  // The end of the main window's creation.
  virtual void Attach(HWND mainWindow) = 0;
  // The application's exit.
  virtual void Remove() = 0;
  // WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR of the
  // main window; true when handled, with the message's result in *result.
  virtual bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) = 0;
};
