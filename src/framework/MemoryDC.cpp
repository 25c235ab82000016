#include "framework/MemoryDC.h"

#include <utility>

namespace fw {

BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

MemoryDC::MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}

MemoryDC::~MemoryDC() { Delete(); }

MemoryDC::MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}

MemoryDC& MemoryDC::operator=(MemoryDC&& other) noexcept {
  if (this != &other) {
    Delete();
    dc_ = std::exchange(other.dc_, nullptr);
  }
  return *this;
}

void MemoryDC::Delete() {
  if (dc_ != nullptr) DeleteDC(dc_);
  dc_ = nullptr;
}

}  // namespace fw
