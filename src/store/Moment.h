// Moments and local calendar fields.
//
// A moment is a signed 64-bit count of seconds since 1970-01-01 00:00:00 UTC.
// The calendar runs from 1 January 1900 to 31 December 9999. Conversions to
// and from local calendar fields ask the local zone for its UTC offset at a
// moment: the C library's local time by default (the zone database natively),
// or the rules a platform installs (SetLocalZone), so that daylight saving is
// decided by the platform over the whole calendar.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace store {

using Moment = std::int64_t;

// The calendar's first and last years.
constexpr int kFirstCalendarYear = 1900;
constexpr int kLastCalendarYear = 9999;

constexpr Moment kSecondsPerDay = 86400;
constexpr Moment kSecondsPerWeek = 7 * kSecondsPerDay;

// Local calendar fields of a moment. weekday: 0 = Sunday .. 6 = Saturday.
// Default values are the substitutes callers use when a moment cannot be
// broken down (one outside the calendar's years).
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

// The moment of a local date and time (seconds 0). Requires year 1900..9999,
// month 1..12, day 1..31, hour 0..23, minute 0..59, and a zone that knows its
// offset then; otherwise throws CalendarError. A day past the month's
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

// True exactly when TryMakeTime would succeed, decided without asking the
// zone for every year except the first and the last.
bool ConvertsToMoment(int year, int month, int day, int hour, int minute) noexcept;

// Breaks a moment into local fields. False (and `out` = the substitutes year 0,
// month 0, day 0, hour -1, minute -1) for a moment whose local year is outside
// 1900..9999 or one the zone cannot convert.
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

// The local zone's offset from UTC. Without one installed, the C library's
// local time answers (natively the zone database, 1900 to 9999; on Windows
// only 1970 to 3000, so the program installs the system's zone rules).
class LocalZone {
 public:
  virtual ~LocalZone() = default;
  // Seconds east of UTC in force at `utc`; false when the zone cannot tell.
  virtual bool OffsetAt(Moment utc, std::int64_t& offset) noexcept = 0;
};

// Makes `zone` the one local zone of the program (nullptr: the C library's
// again). The caller keeps it alive while it is installed.
void SetLocalZone(LocalZone* zone) noexcept;

// The C library's offset at `utc`: the default zone's answer, for an
// installed zone to defer to where the C library covers the moment.
bool LibraryOffsetAt(Moment utc, std::int64_t& offset) noexcept;

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
  std::unordered_map<int, std::unique_ptr<Month>> months_;  // by year * 12 + month - 1
  const Month* last_ = nullptr;                             // the month asked for last
  int lastKey_ = -1;
};

}  // namespace store
