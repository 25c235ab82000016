#pragma once
// The main window's timers: their identifiers and periods, the rule for
// the start-up summary's duration, and starting a timer with retries. Every
// timer of the program runs on the main window; the fixed identifiers live
// in store/TimerIds.h beside the ranges of the changing ones.

#include <windows.h>

#include <cstdint>

#include "store/TimerIds.h"

namespace shell {

using store::timer_ids::kArmReminders;     // 3000
using store::timer_ids::kCloseSummary;     // 3488
using store::timer_ids::kDailyWebPage;     // 3490
using store::timer_ids::kMinuteClock;      // 3444
using store::timer_ids::kRefitMainWindow;  // 6969
using store::timer_ids::kThreeHourly;      // 3489

// Writes the data file within a minute of a change. A fixed timer of the
// main window like the ones above, so no reminder, snooze or countdown
// timer can take its identifier.
constexpr std::uint32_t kSaveAfterChange = 3491;
static_assert(store::timer_ids::IsFixed(kSaveAfterChange), "a fixed main-window timer");
static_assert(!store::timer_ids::IsReminder(kSaveAfterChange) &&
                  !store::timer_ids::IsPopup(kSaveAfterChange),
              "outside the reminder, snooze and countdown identifiers");

// The CalDAV sync: once soon (start-up, resume, a change that has rested)
// and every 15 minutes.
constexpr std::uint32_t kSyncSoon = 3492;
constexpr std::uint32_t kSyncPeriodic = 3493;
static_assert(store::timer_ids::IsFixed(kSyncSoon) && store::timer_ids::IsFixed(kSyncPeriodic),
              "fixed main-window timers");
constexpr UINT kSyncAtStartMs = 3000;
constexpr UINT kSyncAfterResumeMs = 10000;
constexpr UINT kSyncAfterChangeMs = 60000;
constexpr UINT kSyncPeriodMs = 900000;  // 15 minutes
constexpr DWORD kSyncAtExitMs = 4000;   // Exit waits no longer for a slow server

// The subscribed calendars: read soon after start-up, then every 4 hours.
constexpr std::uint32_t kSubscriptionsSoon = 3497;
constexpr std::uint32_t kSubscriptionsPeriodic = 3498;
static_assert(store::timer_ids::IsFixed(kSubscriptionsSoon) &&
                  store::timer_ids::IsFixed(kSubscriptionsPeriodic),
              "fixed main-window timers");
constexpr UINT kSubscriptionsAtStartMs = 2000;
constexpr UINT kSubscriptionsPeriodMs = 14400000;  // 4 hours

constexpr UINT kArmRemindersMs = 82800000;  // 23 hours
constexpr UINT kThreeHourlyMs = 10800000;   // 3 hours
constexpr UINT kFirstMinuteTickMs = 30000;
constexpr UINT kRefitDelayMs = 5;
constexpr UINT kSaveAfterChangeMs = 60000;

// Attempts to start timers 3000, 3444 and 3489 before giving up.
constexpr int kStartAttempts = 10;

// Until the next full minute, from the current second of the minute.
UINT MinuteTimerDelayMs(int secondOfMinute);

// How long the start-up summary stays: the summary seconds setting when
// that gives 1000 to 300000 ms, else the pop-up's own duration.
UINT SummaryDurationMs(int summarySeconds, UINT popupDurationMs);

// Window timers of one window. An interface so tests can watch the periods
// and refusals; the program uses WindowTimerService.
class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual bool Start(UINT_PTR id, UINT delayMs) = 0;
  virtual void Stop(UINT_PTR id) = 0;
};

// SetTimer/KillTimer on a window (WM_TIMER arrives there).
class WindowTimerService : public TimerService {
 public:
  void SetWindow(HWND window) { window_ = window; }
  bool Start(UINT_PTR id, UINT delayMs) override;
  void Stop(UINT_PTR id) override;

 private:
  HWND window_ = nullptr;
};

// Starts a timer, trying again when the platform refuses, up to `attempts`
// tries in all; true when it runs.
bool StartRetrying(TimerService& timers, UINT_PTR id, UINT delayMs, int attempts = kStartAttempts);

}  // namespace shell
