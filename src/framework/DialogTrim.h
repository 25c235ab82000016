#pragma once
// Small touches several dialogs and pop-ups share: opening centred on the
// mouse pointer, the small window icon, and coming to the front
// when activated.

#include <windows.h>

namespace fw {

// The icon resource dialogs show as their small window icon.
constexpr int kSmallDialogIconId = 163;

// Moves the window so that its centre is at the mouse pointer, kept inside
// the work area of the monitor under the pointer.
void CentreOnCursor(HWND window);

// Loads an icon resource at the small-icon size of the window's DPI (16 x 16
// at 96) and gives it to the window as its small icon; apply it again when
// the DPI changes. The icon is destroyed with this object, which must
// outlive the window (a dialog object outlives its modal window).
class SmallWindowIcon {
 public:
  SmallWindowIcon() = default;
  ~SmallWindowIcon();
  SmallWindowIcon(const SmallWindowIcon&) = delete;
  SmallWindowIcon& operator=(const SmallWindowIcon&) = delete;

  // False when the resource does not exist (the window keeps its icon).
  bool Apply(HWND window, int iconId = kSmallDialogIconId);

 private:
  HICON icon_ = nullptr;
};

// A pop-up that comes to the front each time it is activated: it takes the
// activation, rises to the top and is shown again. Showing it again
// activates it once more; that nested activation is left alone. A
// deactivation is left alone too: two such pop-ups (or a pop-up and its own
// question) would take the activation from each other without end.
class FrontOnActivation {
 public:
  // For WM_ACTIVATE, after the default handling.
  void OnActivate(HWND window, WPARAM state);

 private:
  bool reshowing_ = false;
};

}  // namespace fw
