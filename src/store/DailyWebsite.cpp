#include "store/DailyWebsite.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "store/CivilDate.h"

#include "store/FixedFields.h"
#include "store/Settings.h"

namespace store {

namespace {

// The local clock's reading of a moment as seconds since 1970-01-01 00:00.
std::int64_t ClockSeconds(Moment moment) {
  const CalendarFields f = LocalFields(moment);
  return DayNumber(f.year, f.month, f.day) * kSecondsPerDay + (f.hour * 60 + f.minute) * 60 +
         f.second;
}

// The second moment at which the clock shows what it shows at `moment`, in
// the hour repeated when clocks go back; `moment` itself otherwise.
Moment LaterShowing(Moment moment) {
  constexpr Moment kProbe = 2 * kSecondsPerDay;
  if (moment > std::numeric_limits<Moment>::max() - kProbe) return moment;
  const std::int64_t offsetNow = ClockSeconds(moment) - moment;
  const std::int64_t offsetAfter = ClockSeconds(moment + kProbe) - (moment + kProbe);
  const std::int64_t back = offsetNow - offsetAfter;
  if (back <= 0 || moment > std::numeric_limits<Moment>::max() - back) return moment;
  const auto later = static_cast<Moment>(moment + back);
  return ClockSeconds(later) == ClockSeconds(moment) ? later : moment;
}

}  // namespace

int SecondsUntilTimeOfDay(Moment stored, Moment now) {
  CalendarFields at;
  CalendarFields today;
  if (!LocalFields(stored, at) || !LocalFields(now, today)) return static_cast<int>(kSecondsPerDay);
  // The first moment after now at which the local clock shows the stored
  // time: today, or on the next calendar days. Across a clock change the
  // page still opens at its time, and in the hour shown twice when clocks go
  // back the second showing counts too, so the timer never runs to a moment
  // already past.
  const std::int64_t firstDay = DayNumber(today.year, today.month, today.day);
  for (std::int64_t day = firstDay; day <= firstDay + 2; ++day) {
    const CivilDate date = DateOfDayNumber(day);
    Moment earlier = 0;
    if (!TryMakeTime(date.year, date.month, date.day, at.hour, at.minute, earlier)) continue;
    for (const Moment shown : {earlier, LaterShowing(earlier)}) {
      const std::int64_t seconds = static_cast<std::int64_t>(shown) + at.second - now;
      if (seconds >= 1) return static_cast<int>(seconds);
    }
  }
  return static_cast<int>(kSecondsPerDay);
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
