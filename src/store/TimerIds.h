// Identifiers of the timers that run on the main window, and the counters
// that hand out the changing ones. Three ranges that never meet:
//
//   1000 .. 9999          fixed timers of the main window (the named ones
//                         below; new fixed timers go in this range too)
//   3 .. 999, 10000 .. kReminderLast
//                         reminder timers, one per armed entry
//                         (ReminderTimerCounter)
//   kPopupFirst .. kPopupLast
//                         snooze timers of reminder pop-ups and countdown
//                         timers, one per pop-up or countdown record
//                         (PopupTimerCounter)
#pragma once

#include <cstdint>

namespace store {

namespace timer_ids {

constexpr std::uint32_t kArmReminders = 3000;     // every 23 hours: arm reminders due within a day
constexpr std::uint32_t kMinuteClock = 3444;      // each full minute: clock and today's mark
constexpr std::uint32_t kCloseSummary = 3488;     // close the start-up summary
constexpr std::uint32_t kThreeHourly = 3489;      // every 3 hours: repaint, tray day, save
constexpr std::uint32_t kDailyWebPage = 3490;     // the daily web page
constexpr std::uint32_t kRefitMainWindow = 6969;  // refit the main window after a font rescale

constexpr std::uint32_t kFixedFirst = 1000;
constexpr std::uint32_t kFixedLast = 9999;

constexpr std::uint32_t kReminderFirst = 3;
constexpr std::uint32_t kReminderLast = 0x6FFFFFFF;

constexpr std::uint32_t kPopupFirst = 0x70000000;
constexpr std::uint32_t kPopupLast = 0x7FFFFFFF;

constexpr bool IsFixed(std::uint32_t id) { return id >= kFixedFirst && id <= kFixedLast; }
constexpr bool IsPopup(std::uint32_t id) { return id >= kPopupFirst && id <= kPopupLast; }
constexpr bool IsReminder(std::uint32_t id) {
  return id >= kReminderFirst && id <= kReminderLast && !IsFixed(id);
}

}  // namespace timer_ids

// The reminder timer counter: starts at 3 and grows, stepping over the fixed
// range; after kReminderLast (some billion armings) it starts again at 3.
class ReminderTimerCounter {
 public:
  std::uint32_t Take() {
    const std::uint32_t id = next_;
    ++next_;
    if (timer_ids::IsFixed(next_)) next_ = timer_ids::kFixedLast + 1;
    if (next_ > timer_ids::kReminderLast) next_ = timer_ids::kReminderFirst;
    return id;
  }
  // For tests of the wrap-around and the fixed range.
  void SetNext(std::uint32_t next) { next_ = next; }

 private:
  std::uint32_t next_ = timer_ids::kReminderFirst;
};

// Identifiers for snooze and countdown timers: unique per pop-up or record.
class PopupTimerCounter {
 public:
  std::uint32_t Take() {
    const std::uint32_t id = next_;
    next_ = next_ == timer_ids::kPopupLast ? timer_ids::kPopupFirst : next_ + 1;
    return id;
  }

 private:
  std::uint32_t next_ = timer_ids::kPopupFirst;
};

}  // namespace store
