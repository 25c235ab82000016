#pragma once
// What the notification area shows. Wine's virtual desktop draws the taskbar
// (window class "Shell_TrayWnd") with the icons painted at its right end; they
// are not windows of their own, so an icon is found by its pixels: a snapshot
// taken before the program starts is compared with the area afterwards.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace e2e {

class NotificationArea {
 public:
  // Width of the strip at the right end of the taskbar that holds the icons.
  static constexpr int kStripWidth = 200;
  // An icon changes a few hundred pixels of the strip; a few stray pixels
  // (a clock tick, a redrawn edge) do not count as one.
  static constexpr int kIconPixels = 40;

  // Snapshot of the strip now; Valid() is false without a taskbar.
  static NotificationArea Capture();

  bool Valid() const { return !pixels_.empty(); }
  // Number of pixels that differ between two snapshots (all when sizes differ).
  int ChangedPixels(const NotificationArea& other) const;

  // Waits until the strip differs from `before` by an icon (shown true) or
  // matches it again (shown false); true when that happened in time.
  static bool WaitForIcon(const NotificationArea& before, bool shown, DWORD timeoutMs);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace e2e
