#pragma once
// The store's reminder timers as window timers of the main window: their
// expiry is the window's WM_TIMER with the identifier, which the main window
// hands to FireReminder.

#include <windows.h>

#include "store/Platform.h"

namespace platform {

class WindowReminderTimers : public store::ReminderTimers {
 public:
  // The store is made before the main window exists; until SetWindow gives
  // the window, no timer starts (Start answers 0).
  explicit WindowReminderTimers(HWND window = nullptr) : window_(window) {}

  void SetWindow(HWND window) { window_ = window; }
  HWND Window() const { return window_; }

  // SetTimer(window, id, delayMs): answers id, or 0 when it failed.
  std::uint32_t Start(std::uint32_t id, std::uint32_t delayMs) override;
  void Stop(std::uint32_t id) override;

 private:
  HWND window_;
};

}  // namespace platform
