#pragma once
// A window's client-area DC from GetDC, released with ReleaseDC on the same
// window when the wrapper goes. Not copyable, movable.

#include <windows.h>

namespace fw {

class WindowDC {
 public:
  explicit WindowDC(HWND hwnd);
  ~WindowDC();

  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  WindowDC(WindowDC&& other) noexcept;
  WindowDC& operator=(WindowDC&& other) noexcept;

  HDC Get() const { return dc_; }
  HWND Hwnd() const { return hwnd_; }
  explicit operator bool() const { return dc_ != nullptr; }

  // Releases the DC now; true when ReleaseDC released it.
  bool ReleaseNow();

 private:
  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;
};

}  // namespace fw
