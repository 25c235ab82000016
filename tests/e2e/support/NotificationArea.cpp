#include "support/NotificationArea.h"

#include <algorithm>

namespace e2e {
namespace {

// Device contexts and the bitmap, released in reverse order of creation.
struct ScreenDC {
  HDC dc = GetDC(nullptr);
  ~ScreenDC() { ReleaseDC(nullptr, dc); }
};
struct MemoryDC {
  HDC dc;
  explicit MemoryDC(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() { DeleteDC(dc); }
};
struct Bitmap {
  HBITMAP bitmap;
  Bitmap(HDC compatible, int width, int height)
      : bitmap(CreateCompatibleBitmap(compatible, width, height)) {}
  ~Bitmap() { DeleteObject(bitmap); }
};
struct Selection {
  HDC dc;
  HGDIOBJ previous;
  Selection(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
  ~Selection() { SelectObject(dc, previous); }
};

}  // namespace

NotificationArea NotificationArea::Capture() {
  NotificationArea area;
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  RECT rect;
  if (!taskbar || !GetWindowRect(taskbar, &rect)) return area;
  const int width = std::min<int>(kStripWidth, rect.right - rect.left);
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return area;

  ScreenDC screen;
  MemoryDC memory(screen.dc);
  Bitmap bitmap(screen.dc, width, height);
  {
    Selection selected(memory.dc, bitmap.bitmap);
    if (!BitBlt(memory.dc, 0, 0, width, height, screen.dc, rect.right - width, rect.top, SRCCOPY)) {
      return area;
    }
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  if (GetDIBits(memory.dc, bitmap.bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) !=
      height) {
    return area;
  }
  area.width_ = width;
  area.height_ = height;
  area.pixels_ = std::move(pixels);
  return area;
}

int NotificationArea::ChangedPixels(const NotificationArea& other) const {
  if (width_ != other.width_ || height_ != other.height_) {
    return static_cast<int>(std::max(pixels_.size(), other.pixels_.size()));
  }
  int changed = 0;
  for (size_t i = 0; i < pixels_.size(); ++i) {
    if ((pixels_[i] & 0xFFFFFFu) != (other.pixels_[i] & 0xFFFFFFu)) ++changed;
  }
  return changed;
}

bool NotificationArea::WaitForIcon(const NotificationArea& before, bool shown, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const int changed = Capture().ChangedPixels(before);
    if (shown ? changed >= kIconPixels : changed == 0) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
}

}  // namespace e2e
