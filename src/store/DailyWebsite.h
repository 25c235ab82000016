// The daily web page: when its timer runs next, and whether the page is due
// when the timer fires. Only the time of day of the stored moment counts.
#pragma once

#include <string>

#include "store/Moment.h"

namespace store {

struct SettingsBlock;

// Seconds from `now` to the next moment whose local time of day is that of
// `stored`: later today, or tomorrow when that time has come (a time equal
// to now's second included), by the local clock: 1 to 86400, an hour more
// or less across a clock change.
int SecondsUntilTimeOfDay(Moment stored, Moment now);

// Up to the next full minute, then up to the next half hour: 10:07:30 gives
// 10:30:00, 10:31:00 gives 11:00:00, 10:00:00 stays.
Moment RoundUpToHalfHour(Moment time);

// The longest delay the daily web page timer is started with, in seconds.
constexpr int kMaxDailyWebsiteSeconds = 999998;

// What one run of the daily web page schedule does.
struct DailyWebsitePlan {
  bool startTimer = false;  // (re)start the timer with `seconds`
  int seconds = 0;
  bool openPage = false;  // the page is due now
};

// An address of fewer than two characters plans nothing. Otherwise the
// timer runs on; the page is due when `openNow` (the timer fired), the
// feature is on and, with "weekdays only", today is not a Saturday or Sunday.
DailyWebsitePlan PlanDailyWebsite(const SettingsBlock& settings, Moment now, bool openNow);

// The question asked before opening the page.
std::string DailyWebsiteQuestion(const SettingsBlock& settings);

}  // namespace store
