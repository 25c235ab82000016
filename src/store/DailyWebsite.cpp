#include "store/DailyWebsite.h"

#include <cstring>

#include "store/FixedFields.h"
#include "store/Settings.h"

namespace store {

namespace {

int SecondOfDay(const CalendarFields& f) { return (f.hour * 60 + f.minute) * 60 + f.second; }

}  // namespace

int SecondsUntilTimeOfDay(Moment stored, Moment now) {
  CalendarFields at;
  CalendarFields today;
  if (!LocalFields(stored, at) || !LocalFields(now, today)) return static_cast<int>(kSecondsPerDay);
  // Today's date, or tomorrow's once the time has come, at the stored time
  // of day through the local zone: across a clock change the page still
  // opens at its time, not an hour off.
  const int day = SecondOfDay(today) >= SecondOfDay(at) ? today.day + 1 : today.day;
  Moment target = 0;
  if (!TryMakeTime(today.year, today.month, day, at.hour, at.minute, target)) {
    return static_cast<int>(kSecondsPerDay);
  }
  target += at.second;
  const Moment seconds = target - now;
  // A time of day skipped by the clock change can fall outside: keep it.
  if (seconds < 1) return 1;
  return static_cast<int>(seconds);
}

Moment RoundUpToHalfHour(Moment time) {
  CalendarFields f;
  if (!LocalFields(time, f)) return time;
  if (f.second != 0) {
    time += 60 - f.second;
    if (!LocalFields(time, f)) return time;
  }
  if (f.minute != 0 && f.minute != 30) time += 60 * (f.minute < 31 ? 30 - f.minute : 60 - f.minute);
  return time;
}

DailyWebsitePlan PlanDailyWebsite(const SettingsBlock& settings, Moment now, bool openNow) {
  DailyWebsitePlan plan;
  const std::string address = ReadField(settings.webPageAddress, sizeof settings.webPageAddress);
  if (address.size() < 2) return plan;
  bool due = openNow && settings.webPageEnabled != 0;
  CalendarFields today;
  if (settings.webPageWeekdaysOnly != 0 && LocalFields(now, today) &&
      (today.weekday == 0 || today.weekday == 6)) {
    due = false;
  }
  const int seconds = SecondsUntilTimeOfDay(settings.webPageTime, now);
  if (seconds >= 1 && seconds <= kMaxDailyWebsiteSeconds) {
    plan.startTimer = true;
    plan.seconds = seconds;
  }
  plan.openPage = due;
  return plan;
}

std::string DailyWebsiteQuestion(const SettingsBlock& settings) {
  return "Would you like Lumetta to open a web browser for: " +
         ReadField(settings.webPageAddress, sizeof settings.webPageAddress) + "?";
}

}  // namespace store
