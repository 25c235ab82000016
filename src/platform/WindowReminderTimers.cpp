#include "platform/WindowReminderTimers.h"

namespace platform {

std::uint32_t WindowReminderTimers::Start(std::uint32_t id, std::uint32_t delayMs) {
  if (window_ == nullptr || id == 0) return 0;
  // With a window, SetTimer answers the identifier it was given (any
  // delay above USER_TIMER_MAXIMUM is cut to that by the system).
  const UINT_PTR started = SetTimer(window_, id, delayMs, nullptr);
  return started == 0 ? 0 : static_cast<std::uint32_t>(started);
}

void WindowReminderTimers::Stop(std::uint32_t id) {
  if (window_ != nullptr) KillTimer(window_, id);
}

}  // namespace platform
