// The recurrence rules (RRULE) of iCalendar events and time zone
// observances: FREQ DAILY, WEEKLY, MONTHLY or YEARLY with INTERVAL, COUNT,
// UNTIL, BYDAY, BYMONTHDAY, BYMONTH and WKST. Occurrences are dates on the
// calendar; the time of day is the series' own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/CivilDate.h"

namespace store {

struct RecurrenceRule {
  enum class Frequency { Daily, Weekly, Monthly, Yearly };
  Frequency frequency = Frequency::Daily;
  int interval = 1;
  int count = 0;      // 0: no COUNT
  std::string until;  // the UNTIL value as written ("" for none)
  // BYDAY: (ordinal, weekday 0 = Sunday .. 6); ordinal 0 means every such
  // weekday of the period, negative ones count from its end.
  std::vector<std::pair<int, int>> byDay;
  std::vector<int> byMonthDay;  // 1..31 or -31..-1
  std::vector<int> byMonth;     // 1..12
  int weekStart = 1;            // WKST, 0 = Sunday; Monday by default
};

enum class RuleParse {
  Ok,
  Unsupported,  // a frequency or part outside the set above (SECONDLY, BYSETPOS, ...)
  Invalid,      // not a rule at all, or values out of range
};

RuleParse ParseRecurrenceRule(std::string_view value, RecurrenceRule& out);

// Visits the dates of the series that starts on `start`, in order, the start
// first (whether or not it matches the rule), up to `lastDay` (a day number)
// or until `visit` answers false. COUNT and UNTIL are the caller's to apply,
// since UNTIL is a moment. YEARLY without BYMONTH keeps the start's month.
void ExpandRecurrence(const RecurrenceRule& rule, const CivilDate& start, std::int64_t lastDay,
                      const std::function<bool(const CivilDate&)>& visit);

// Days of a month in the Gregorian calendar (with the century rule).
int GregorianDaysInMonth(int year, int month);

}  // namespace store
