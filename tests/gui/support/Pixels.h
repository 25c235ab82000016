#pragma once
// A copy of what a window's client area (or the whole window, frame
// included) shows on screen, to read pixels.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace testing_support {

class ClientPixels {
 public:
  enum class Area { Client, Window };
  // Copies the client area as it is now (the window must be visible and
  // painted: pump messages first). With Area::Window, the whole window from
  // its top-left corner: title bar, menu bar, scroll bars and borders too.
  explicit ClientPixels(HWND window, Area area = Area::Client);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colour at a point of the area; CLR_INVALID outside.
  COLORREF At(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;  // top-down rows, 0x00RRGGBB
};

// The colour image of an icon, top-down, each pixel 0xAARRGGBB (alpha on
// top; 0 where the icon is transparent); empty when it cannot be read.
struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
IconPixels ReadIcon(HICON icon);

}  // namespace testing_support
