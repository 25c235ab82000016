#include "shell/MainTimers.h"

namespace shell {

UINT MinuteTimerDelayMs(int secondOfMinute) {
  if (secondOfMinute < 0) secondOfMinute = 0;
  if (secondOfMinute > 59) secondOfMinute = 59;  // a leap second still waits a second
  return static_cast<UINT>(60000 - 1000 * secondOfMinute);
}

UINT SummaryDurationMs(int summarySeconds, UINT popupDurationMs) {
  const long long ms = static_cast<long long>(summarySeconds) * 1000;
  if (ms >= 1000 && ms <= 300000) return static_cast<UINT>(ms);
  return popupDurationMs;
}

bool WindowTimerService::Start(UINT_PTR id, UINT delayMs) {
  return window_ != nullptr && SetTimer(window_, id, delayMs, nullptr) != 0;
}

void WindowTimerService::Stop(UINT_PTR id) {
  if (window_ != nullptr) KillTimer(window_, id);
}

bool StartRetrying(TimerService& timers, UINT_PTR id, UINT delayMs, int attempts) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (timers.Start(id, delayMs)) return true;
  }
  return false;
}

}  // namespace shell
