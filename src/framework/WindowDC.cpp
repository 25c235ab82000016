#include "framework/WindowDC.h"

#include <utility>

namespace fw {

WindowDC::WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}

WindowDC::~WindowDC() { ReleaseNow(); }

WindowDC::WindowDC(WindowDC&& other) noexcept
    : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}

WindowDC& WindowDC::operator=(WindowDC&& other) noexcept {
  if (this != &other) {
    ReleaseNow();
    hwnd_ = std::exchange(other.hwnd_, nullptr);
    dc_ = std::exchange(other.dc_, nullptr);
  }
  return *this;
}

bool WindowDC::ReleaseNow() {
  if (dc_ == nullptr) return false;
  const bool released = ReleaseDC(hwnd_, dc_) == 1;
  dc_ = nullptr;
  hwnd_ = nullptr;
  return released;
}

}  // namespace fw
