#include "framework/PaintDC.h"

#include <utility>

namespace fw {

PaintDC::PaintDC(HWND hwnd) : hwnd_(hwnd) {
  if (BeginPaint(hwnd, &paint_) == nullptr) hwnd_ = nullptr;
}

PaintDC::~PaintDC() { End(); }

PaintDC::PaintDC(PaintDC&& other) noexcept
    : hwnd_(std::exchange(other.hwnd_, nullptr)), paint_(other.paint_) {
  other.paint_ = PAINTSTRUCT{};
}

PaintDC& PaintDC::operator=(PaintDC&& other) noexcept {
  if (this != &other) {
    End();
    hwnd_ = std::exchange(other.hwnd_, nullptr);
    paint_ = other.paint_;
    other.paint_ = PAINTSTRUCT{};
  }
  return *this;
}

void PaintDC::End() {
  if (hwnd_ != nullptr) EndPaint(hwnd_, &paint_);
  hwnd_ = nullptr;
  paint_ = PAINTSTRUCT{};
}

}  // namespace fw
