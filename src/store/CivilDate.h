// Calendar dates as whole day numbers, for stepping dates on the calendar
// (the proleptic Gregorian calendar; day 0 is 1970-01-01, a Thursday).
// Internal to the store's repeat code.
#pragma once

#include <cstdint>

namespace store {

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

// The day number of a date. The day may lie outside the month: it counts on
// from the month's first day (April 31 is May 1, day 0 the last of March).
inline std::int64_t DayNumber(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + (day - 1);
}

inline CivilDate DateOfDayNumber(std::int64_t n) {
  n += 719468;
  const std::int64_t era = (n >= 0 ? n : n - 146096) / 146097;
  const std::int64_t doe = n - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CivilDate out;
  out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2 ? 1 : 0));
  return out;
}

// 0 = Sunday .. 6 = Saturday.
inline int WeekdayOfDayNumber(std::int64_t n) {
  const std::int64_t w = (n + 4) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

}  // namespace store
