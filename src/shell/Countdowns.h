#pragma once
// Running countdowns. The countdown timer dialog starts one; any number may
// run at once. Each is a timer of the main window with its own identifier
// (from the snooze and countdown range), owned by the set until it expires;
// at expiry the set hands its text and snooze delay to the expiry action
// (the main window opens a countdown pop-up) and forgets it. Nothing is
// saved: a countdown ends with the program.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace shell {

class TimerService;
}  // namespace shell
namespace store {
class Clock;
}
namespace shell {

// What the user asked for in the countdown timer dialog.
struct CountdownRequest {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  bool snoozeWithThisTime = true;  // else the pop-up snoozes 5 minutes
  std::string text;
};

// ms from now until the countdown expires.
UINT CountdownDelayMs(const CountdownRequest& request);

class Countdowns {
 public:
  // Receives the snooze delay's hours, minutes and seconds and the text.
  using Expiry = std::function<void(int hours, int minutes, int seconds, const std::string& text)>;

  // With a clock, each countdown also knows the moment it ends, so that
  // ReArm can start it again from the clock.
  Countdowns(TimerService& timers, Expiry expiry, store::Clock* clock = nullptr);
  Countdowns(const Countdowns&) = delete;
  Countdowns& operator=(const Countdowns&) = delete;

  // Starts a countdown; false (and nothing runs) when the platform would
  // not start its timer.
  bool Start(const CountdownRequest& request);
  // A countdown's timer expired: stops it and runs the expiry action; true
  // when the identifier was one of ours.
  bool OnTimer(UINT_PTR id);
  // The machine woke up: each countdown's timer runs again for what is
  // left until its end by the clock (one that ended meanwhile expires at
  // once).
  void ReArm();

  std::size_t Count() const { return running_.size(); }
  UINT_PTR TimerIdAt(std::size_t i) const { return running_[i].timerId; }

 private:
  struct Record {
    UINT_PTR timerId;
    std::string text;
    int snoozeHours;
    int snoozeMinutes;
    int snoozeSeconds;
    std::int64_t endsAt;  // by the clock, seconds since 1970
  };

  TimerService& timers_;
  Expiry expiry_;
  store::Clock* clock_;
  std::vector<Record> running_;
};

}  // namespace shell
