// Moments and local calendar fields.
//
// A moment is a signed 32-bit count of seconds since 1970-01-01 00:00:00 UTC.
// Conversions to and from local calendar fields go through the C library's
// local-time conversion (mktime/localtime), so the program behaves the same
// natively and on Windows, and daylight saving is decided by the platform.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace store {

using Moment = std::int32_t;

constexpr Moment kSecondsPerDay = 86400;
constexpr Moment kSecondsPerWeek = 7 * kSecondsPerDay;

// Local calendar fields of a moment. weekday: 0 = Sunday .. 6 = Saturday.
// Default values are the substitutes callers use when a moment cannot be
// broken down (a negative moment).
struct CalendarFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = -1;
  int minute = -1;
  int second = 0;
  int weekday = 0;
};

// The one error that propagates out of the store: calendar fields that cannot
// be turned into a moment.
class CalendarError : public std::runtime_error {
 public:
  CalendarError();
};

// The moment of a local date and time (seconds 0). Requires year >= 1970,
// month 1..12, day 1..31, hour 0..23, minute 0..59, and a result that fits a
// non-negative moment; otherwise throws CalendarError. A day past the month's
// end rolls over into the next month (April 31 -> May 1).
// The answer depends only on the fields and the time zone, whatever was
// converted before (the C library's mktime guesses from its previous call):
// a local time that occurs twice (clocks going back) is its earlier moment;
// one that never occurs (clocks going forward) is read with the offset in
// force before the change, so a skipped 2:30 becomes 3:30 daylight time.
// The zone is taken to change its UTC offset at most once in any four days.
Moment MakeTime(int year, int month, int day, int hour, int minute);

// The same without the exception: false when MakeTime would throw.
bool TryMakeTime(int year, int month, int day, int hour, int minute, Moment& out) noexcept;

// True exactly when TryMakeTime would succeed, decided without the C library
// for every year except 1970 and 2038 (the only years with partial coverage).
bool ConvertsToMoment(int year, int month, int day, int hour, int minute) noexcept;

// Breaks a moment into local fields. False (and `out` = the substitutes year 0,
// month 0, day 0, hour -1, minute -1) for a negative moment or one the
// platform cannot convert.
bool LocalFields(Moment moment, CalendarFields& out) noexcept;
CalendarFields LocalFields(Moment moment) noexcept;

// Whether the entries of a local calendar day can be kept: each of its
// half-hour slots, 0:00 to 23:30, is a moment. The one test of the range of
// days the calendar offers.
bool CanStoreDay(int year, int month, int day) noexcept;

// The same local clock time one calendar day later: not 86,400 seconds on, as
// a day with a clock change has 23 or 25 hours. False when that day has no
// moment (past the end of the range).
bool NextLocalDay(Moment moment, Moment& out) noexcept;

// A cache for converting many calendar dates in one pass (loading a data file,
// re-arming every reminder). It gives exactly MakeTime's answer: a day whose
// UTC offset is the same from two days before it to two days after it is
// computed arithmetically; any other day goes to MakeTime.
// Make a new cache for each pass: it does not notice a change of time zone.
class MomentCache {
 public:
  MomentCache();
  ~MomentCache();
  MomentCache(const MomentCache&) = delete;
  MomentCache& operator=(const MomentCache&) = delete;

  bool TryConvert(int year, int month, int day, int hour, int minute, Moment& out);

 private:
  struct Month;
  const Month& MonthOf(int year, int month);
  std::vector<std::unique_ptr<Month>> months_;
};

}  // namespace store
