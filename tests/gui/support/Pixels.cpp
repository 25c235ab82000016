#include "support/Pixels.h"

#include <utility>

#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"

namespace testing_support {

namespace {

// The DC of the whole window (GetWindowDC) or of its client area.
class AreaDC {
 public:
  AreaDC(HWND window, bool whole)
      : window_(window), dc_(whole ? GetWindowDC(window) : GetDC(window)) {}
  ~AreaDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  AreaDC(const AreaDC&) = delete;
  AreaDC& operator=(const AreaDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace

IconPixels ReadIcon(HICON icon) {
  IconPixels out;
  ICONINFO info = {};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return out;
  fw::Bitmap colour(info.hbmColor);
  fw::Bitmap mask(info.hbmMask);
  BITMAP bitmap = {};
  if (!colour || GetObjectA(colour.Get(), sizeof bitmap, &bitmap) == 0) return out;
  BITMAPINFO request = fw::TopDownBitmapInfo(bitmap.bmWidth, bitmap.bmHeight);
  std::vector<std::uint32_t> pixels(static_cast<size_t>(bitmap.bmWidth * bitmap.bmHeight));
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, colour.Get(), 0, static_cast<UINT>(bitmap.bmHeight),
                             pixels.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != bitmap.bmHeight) return out;
  out.width = bitmap.bmWidth;
  out.height = bitmap.bmHeight;
  out.pixels = std::move(pixels);
  return out;
}

ClientPixels::ClientPixels(HWND window, Area area) {
  RECT bounds = {};
  if (area == Area::Window) {
    GetWindowRect(window, &bounds);
    OffsetRect(&bounds, -bounds.left, -bounds.top);
  } else {
    GetClientRect(window, &bounds);
  }
  width_ = bounds.right;
  height_ = bounds.bottom;
  if (width_ <= 0 || height_ <= 0) return;

  BITMAPINFO info = fw::TopDownBitmapInfo(width_, height_);
  void* bits = nullptr;
  const AreaDC screen(window, area == Area::Window);
  if (screen.Get() == nullptr) return;
  fw::Bitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return;
  {
    fw::MemoryDC memory(screen.Get());
    fw::ScopedSelect select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  const DWORD* source = static_cast<const DWORD*>(bits);
  pixels_.assign(source, source + static_cast<size_t>(width_) * static_cast<size_t>(height_));
}

COLORREF ClientPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return CLR_INVALID;
  const DWORD rgb =
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace testing_support
