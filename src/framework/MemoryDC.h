#pragma once
// An off-screen DC from CreateCompatibleDC, deleted with DeleteDC when the
// wrapper goes. Select a bitmap into it with ScopedSelect. Not copyable,
// movable.

#include <windows.h>

namespace fw {

class MemoryDC {
 public:
  // Compatible with the given DC; nullptr means the screen.
  explicit MemoryDC(HDC compatibleWith);
  ~MemoryDC();

  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  MemoryDC(MemoryDC&& other) noexcept;
  MemoryDC& operator=(MemoryDC&& other) noexcept;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Delete();

  HDC dc_ = nullptr;
};

// The description of a 32-bit, top-down DIB of the given size, the form the
// program's off-screen surfaces use when their pixels are read or written.
BITMAPINFO TopDownBitmapInfo(int width, int height);

}  // namespace fw
