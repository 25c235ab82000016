#pragma once
// The DC of one WM_PAINT: BeginPaint when made, EndPaint when it goes, so
// the update region is always validated. Not copyable, movable.

#include <windows.h>

#include <functional>

#include "framework/GdiObject.h"

namespace fw {

class PaintDC {
 public:
  explicit PaintDC(HWND hwnd);
  ~PaintDC();

  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  PaintDC(PaintDC&& other) noexcept;
  PaintDC& operator=(PaintDC&& other) noexcept;

  HDC Get() const { return paint_.hdc; }
  const RECT& PaintRect() const { return paint_.rcPaint; }
  explicit operator bool() const { return hwnd_ != nullptr && paint_.hdc != nullptr; }

 private:
  void End();

  HWND hwnd_ = nullptr;
  PAINTSTRUCT paint_ = {};
};

// A window's off-screen bitmap: the client area is drawn into it and copied
// to the screen in one step, so that it does not flicker. It is kept from
// paint to paint (made again only when the client area outgrows it): a new
// bitmap of a large window is fresh memory, whose first touch can cost more
// than the drawing.
class OffScreenBuffer {
 public:
  // Draws the client area of `hwnd` through `paint` into the bitmap and
  // copies it to `target`; draws straight onto `target` when no bitmap can
  // be made, nothing when the client area is empty.
  void Paint(HWND hwnd, HDC target, const std::function<void(HDC)>& paint);

 private:
  Bitmap bitmap_;
  SIZE size_ = {};
};

// For a window that paints all of itself with one routine, on the screen
// (through `buffer` when given) and into a WM_PRINTCLIENT context: answers
// WM_PAINT, WM_PRINTCLIENT and WM_ERASEBKGND (there is nothing to erase) and
// returns true with the message's result; false for any other message.
template <typename PaintRoutine>
bool HandleWholePaint(HWND hwnd, UINT message, WPARAM wParam, PaintRoutine&& paint, LRESULT& result,
                      OffScreenBuffer* buffer = nullptr) {
  switch (message) {
    case WM_PAINT: {
      PaintDC dc(hwnd);
      if (dc && buffer != nullptr) {
        buffer->Paint(hwnd, dc.Get(), paint);
      } else if (dc) {
        paint(dc.Get());
      }
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace fw
