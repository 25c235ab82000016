#pragma once
// A top-level window with a menu, keyboard shortcuts and icons taken from
// one resource id, and an optional view: a child window that fills the
// client area and sees every command before the frame does.

#include <windows.h>

#include <functional>
#include <utility>

#include "framework/Window.h"

namespace fw {

class FrameWindow : public Window {
 public:
  // Creates the frame with menu, accelerator table and icon resourceId
  // (params.menu is ignored). False when the window is not created.
  bool CreateFrame(int resourceId, const char* className, const WindowParams& params);

  HACCEL Accelerators() const { return accelerators_; }

  // The child that fills the client area and gets commands first; the frame
  // does not own it. nullptr for none.
  void SetView(Window* view);
  Window* View() const { return view_; }

  // When set, the frame's destruction ends the message loop (the main
  // window of the program).
  void SetEndsMessageLoop(bool ends) { endsMessageLoop_ = ends; }

  // Enabled when the view enables the command. Derived frames add their own
  // commands and call this for the rest.
  bool IsCommandEnabled(UINT id) const override;

  // Who draws the frame's owner-drawn menus: its menu messages (pop-up
  // initialisation after the frame's own handling, measuring, drawing and
  // access letters) go to the handler, which returns true with the result
  // when it took one. None by default.
  using MenuHandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
  void SetMenuHandler(MenuHandler handler) { menuHandler_ = std::move(handler); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The menu handler measures the menu bar again (WM_DPICHANGED reaches it
  // with the window's new DPI already set).
  void PrepareForDpi() override;

 private:
  void FitViewToClient();

  HACCEL accelerators_ = nullptr;
  Window* view_ = nullptr;
  bool endsMessageLoop_ = false;
  MenuHandler menuHandler_;
};

}  // namespace fw
