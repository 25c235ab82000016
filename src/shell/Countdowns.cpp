#include "shell/Countdowns.h"

#include <algorithm>
#include <utility>

#include "shell/MainTimers.h"
#include "store/Platform.h"
#include "store/ProgramState.h"

namespace shell {

namespace {

// A countdown whose snooze does not reuse its own time snoozes 5 minutes.
constexpr int kDefaultSnoozeMinutes = 5;

}  // namespace

UINT CountdownDelayMs(const CountdownRequest& request) {
  const long long seconds = static_cast<long long>(request.hours) * 3600 +
                            static_cast<long long>(request.minutes) * 60 + request.seconds;
  return static_cast<UINT>(std::clamp<long long>(seconds * 1000, 1, USER_TIMER_MAXIMUM));
}

Countdowns::Countdowns(TimerService& timers, Expiry expiry, store::Clock* clock)
    : timers_(timers), expiry_(std::move(expiry)), clock_(clock) {}

bool Countdowns::Start(const CountdownRequest& request) {
  const UINT delay = CountdownDelayMs(request);
  const std::int64_t now = clock_ != nullptr ? clock_->Now() : 0;
  Record record{
      store::g_popupTimerIds.Take(), request.text, 0, kDefaultSnoozeMinutes, 0, now + delay / 1000};
  if (request.snoozeWithThisTime) {
    record.snoozeHours = request.hours;
    record.snoozeMinutes = request.minutes;
    record.snoozeSeconds = request.seconds;
  }
  if (!StartRetrying(timers_, record.timerId, delay)) return false;
  running_.push_back(std::move(record));
  return true;
}

bool Countdowns::OnTimer(UINT_PTR id) {
  const auto it = std::find_if(running_.begin(), running_.end(),
                               [id](const Record& r) { return r.timerId == id; });
  if (it == running_.end()) return false;
  timers_.Stop(id);
  // Taken out before the pop-up opens: its message loop may deliver more timers.
  const Record expired = std::move(*it);
  running_.erase(it);
  if (expiry_) {
    expiry_(expired.snoozeHours, expired.snoozeMinutes, expired.snoozeSeconds, expired.text);
  }
  return true;
}

void Countdowns::ReArm() {
  if (clock_ == nullptr) return;
  const std::int64_t now = clock_->Now();
  for (const Record& r : running_) {
    timers_.Stop(r.timerId);
    const std::int64_t left = std::max<std::int64_t>(r.endsAt - now, 0) * 1000;
    StartRetrying(timers_, r.timerId,
                  static_cast<UINT>(std::clamp<std::int64_t>(left, 1, USER_TIMER_MAXIMUM)));
  }
}

}  // namespace shell
