#pragma once
// Small touches several dialogs share: opening centred on the mouse
// pointer, and the small (16 x 16) window icon.

#include <windows.h>

namespace planner {

// The icon resource dialogs show as their small window icon.
constexpr int kSmallDialogIconId = 163;

// Moves the window so that its centre is at the mouse pointer, kept inside
// the work area of the monitor under the pointer.
void CentreOnCursor(HWND window);

// Loads an icon resource at 16 x 16 and gives it to a window as its small
// icon; the icon is destroyed with this object, which must outlive the
// window (a dialog object outlives its modal window).
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

}  // namespace planner
