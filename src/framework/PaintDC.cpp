#include "framework/PaintDC.h"

#include <utility>

#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"

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

void OffScreenBuffer::Paint(HWND hwnd, HDC target, const std::function<void(HDC)>& paint) {
  RECT client = {};
  GetClientRect(hwnd, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  if (!bitmap_ || client.right > size_.cx || client.bottom > size_.cy) {
    bitmap_.Reset();  // before the new one: both need not be in memory at once
    bitmap_.Reset(CreateCompatibleBitmap(target, client.right, client.bottom));
    size_ = bitmap_ ? SIZE{client.right, client.bottom} : SIZE{};
  }
  MemoryDC memory(target);
  if (!memory || !bitmap_) {
    paint(target);
    return;
  }
  ScopedSelect select(memory.Get(), bitmap_.Get());
  paint(memory.Get());
  BitBlt(target, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace fw
