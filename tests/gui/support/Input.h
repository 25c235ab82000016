#pragma once
// Commands, keys and clicks delivered the way Windows delivers them.

#include <windows.h>

namespace testing_support {

// WM_COMMAND as a menu item sends it (processed before returning).
void SendCommand(HWND target, UINT id);
// The same, posted (processed by the next pump).
void PostCommand(HWND target, UINT id);

// Posts a key press (down and up) to window; the message loop translates it.
void PostKey(HWND window, UINT virtualKey);

// Marks a key as held down in the thread's keyboard state while it lives,
// as accelerator translation reads it (GetKeyState).
class HeldKey {
 public:
  explicit HeldKey(UINT virtualKey);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  UINT key_;
  BYTE previous_;
};

// Posts a left click at a point of the window's client area.
void PostClick(HWND window, int x, int y);

// Real mouse input through SendInput, delivered by the window manager to the
// window under the pointer (or the one holding the capture), with double
// clicks made as Windows makes them. Points are in screen coordinates.
void MoveMouseTo(POINT screen);
// Moves there and clicks the left button `count` times in quick succession.
void LeftClicksAt(POINT screen, int count);
void RightClickAt(POINT screen);

}  // namespace testing_support
