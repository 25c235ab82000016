#pragma once
// The DC of one WM_PAINT: BeginPaint when made, EndPaint when it goes, so
// the update region is always validated. Not copyable, movable.

#include <windows.h>

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

}  // namespace fw
