#include "store/Moment.h"

#include "store/CivilDate.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <limits>

namespace store {

namespace {

using Seconds = std::int64_t;

constexpr Seconds kLastMoment = std::numeric_limits<Moment>::max();

// How far MakeTime looks either side of a local time for the offsets that may
// apply to it; the zone is taken to change its offset at most once in twice
// this span.
constexpr Seconds kOffsetProbe = 2 * Seconds{kSecondsPerDay};

bool FieldsInRange(int year, int month, int day, int hour, int minute) {
  return year >= 1970 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 &&
         hour <= 23 && minute >= 0 && minute <= 59;
}

// Real month lengths (Gregorian); only used inside the cache.
int GregorianDays(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Years whose every valid date converts; 1970 and 2038 are only partly
// covered (time zones east of UTC, and the end of the 32-bit range).
constexpr int kFirstWholeYear = 1971;
constexpr int kLastWholeYear = 2037;

// A local date and time as seconds since 1970-01-01 00:00, read as if it were
// UTC. A day past the month's end counts on into the next month.
Seconds LocalSeconds(int year, int month, int day, int hour, int minute, int second = 0) {
  return DayNumber(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

// The UTC offset (seconds east) that the platform's local-time conversion
// applies at moment t, taken within the moment range so that both platforms
// answer (Windows' C library refuses moments before 1970).
bool OffsetAt(Seconds t, Seconds& offset) {
  t = std::clamp<Seconds>(t, 0, kLastMoment);
  const std::time_t tt = static_cast<std::time_t>(t);
  const std::tm* tm = std::localtime(&tt);  // single UI thread: the static buffer is fine
  if (tm == nullptr) return false;
  offset = LocalSeconds(tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min,
                        tm->tm_sec) -
           t;
  return true;
}

// The moment a local time stands for (see MakeTime): the offsets in force
// before and after it are the only ones that can apply.
bool MomentOfLocal(Seconds local, Moment& out) {
  Seconds before = 0;
  Seconds after = 0;
  if (!OffsetAt(local - kOffsetProbe, before) || !OffsetAt(local + kOffsetProbe, after)) {
    return false;
  }
  bool found = false;
  Seconds best = 0;
  for (const Seconds offset : {before, after}) {
    const Seconds t = local - offset;
    Seconds actual = 0;
    if (t < 0 || t > kLastMoment || !OffsetAt(t, actual) || actual != offset) continue;
    if (!found || t < best) best = t;  // shown twice: the earlier moment
    found = true;
  }
  if (!found) best = local - before;  // skipped: read with the offset before the change
  if (best < 0 || best > kLastMoment) return false;
  out = static_cast<Moment>(best);
  return true;
}

}  // namespace

CalendarError::CalendarError() : std::runtime_error("calendar fields out of range") {}

bool TryMakeTime(int year, int month, int day, int hour, int minute, Moment& out) noexcept {
  if (!FieldsInRange(year, month, day, hour, minute) || year > 2038) return false;
  return MomentOfLocal(LocalSeconds(year, month, day, hour, minute), out);
}

Moment MakeTime(int year, int month, int day, int hour, int minute) {
  Moment m = 0;
  if (!TryMakeTime(year, month, day, hour, minute, m)) throw CalendarError();
  return m;
}

bool ConvertsToMoment(int year, int month, int day, int hour, int minute) noexcept {
  if (!FieldsInRange(year, month, day, hour, minute)) return false;
  if (year >= kFirstWholeYear && year <= kLastWholeYear) return true;
  Moment ignored = 0;
  return TryMakeTime(year, month, day, hour, minute, ignored);
}

bool CanStoreDay(int year, int month, int day) noexcept {
  return ConvertsToMoment(year, month, day, 0, 0) && ConvertsToMoment(year, month, day, 23, 30);
}

bool NextLocalDay(Moment moment, Moment& out) noexcept {
  CalendarFields f;
  if (!LocalFields(moment, f)) return false;
  const CivilDate next = DateOfDayNumber(DayNumber(f.year, f.month, f.day) + 1);
  Moment start = 0;
  if (!TryMakeTime(next.year, next.month, next.day, f.hour, f.minute, start) ||
      start > std::numeric_limits<Moment>::max() - f.second) {
    return false;
  }
  out = start + f.second;
  return true;
}

bool LocalFields(Moment moment, CalendarFields& out) noexcept {
  out = CalendarFields{};
  if (moment < 0) return false;
  const std::time_t t = moment;
  const std::tm* tm = std::localtime(&t);  // single UI thread: the static buffer is fine
  if (tm == nullptr) return false;
  out.year = tm->tm_year + 1900;
  out.month = tm->tm_mon + 1;
  out.day = tm->tm_mday;
  out.hour = tm->tm_hour;
  out.minute = tm->tm_min;
  out.second = tm->tm_sec;
  out.weekday = tm->tm_wday;
  return true;
}

CalendarFields LocalFields(Moment moment) noexcept {
  CalendarFields f;
  LocalFields(moment, f);
  return f;
}

// ---------------------------------------------------------------------------
// MomentCache
//
// MakeTime reads a local time L with the offsets at L - 2 days and L + 2 days.
// When the offset is the same at every whole day from two days before a local
// day to three days after its start, it is the same all through that span (the
// zone changes it at most once in four days), so every time of the day is
// L - offset, as MakeTime has it.

namespace {

// Days looked at either side of a day: samples at -2, -1, 0, +1, +2, +3 days.
constexpr int kSamplesBefore = 2;
constexpr int kSamplesAfter = 3;

}  // namespace

struct MomentCache::Month {
  Seconds firstLocal = 0;            // midnight of the 1st, read as UTC
  std::array<Seconds, 31> offset{};  // a plain day's offset
  std::array<bool, 31> plain{};      // computed here, or left to MakeTime
};

MomentCache::MomentCache() : months_((kLastWholeYear - kFirstWholeYear + 1) * 12) {}
MomentCache::~MomentCache() = default;

const MomentCache::Month& MomentCache::MonthOf(int year, int month) {
  std::unique_ptr<Month>& slot = months_[(year - kFirstWholeYear) * 12 + (month - 1)];
  if (slot) return *slot;
  slot = std::make_unique<Month>();
  Month& mo = *slot;
  const int days = GregorianDays(year, month);
  mo.firstLocal = LocalSeconds(year, month, 1, 0, 0);

  // sample[k] is the offset at firstLocal + (k - kSamplesBefore) days.
  std::array<Seconds, 31 + kSamplesBefore + kSamplesAfter> sample{};
  std::array<bool, 31 + kSamplesBefore + kSamplesAfter> known{};
  for (int k = 0; k < days + kSamplesBefore + kSamplesAfter; ++k) {
    known[k] = OffsetAt(mo.firstLocal + (k - kSamplesBefore) * Seconds{kSecondsPerDay}, sample[k]);
  }
  for (int d = 0; d < days; ++d) {
    bool plain = true;
    for (int k = d; k <= d + kSamplesBefore + kSamplesAfter; ++k) {
      plain = plain && known[k] && sample[k] == sample[d];
    }
    mo.plain[d] = plain;
    mo.offset[d] = sample[d];
  }
  return mo;
}

bool MomentCache::TryConvert(int year, int month, int day, int hour, int minute, Moment& out) {
  if (!FieldsInRange(year, month, day, hour, minute)) return false;
  if (year < kFirstWholeYear || year > kLastWholeYear || day > GregorianDays(year, month)) {
    return TryMakeTime(year, month, day, hour, minute, out);  // partial years, roll-over days
  }
  const Month& mo = MonthOf(year, month);
  if (!mo.plain[day - 1]) return TryMakeTime(year, month, day, hour, minute, out);
  out = static_cast<Moment>(mo.firstLocal + (day - 1) * Seconds{kSecondsPerDay} + hour * 3600 +
                            minute * 60 - mo.offset[day - 1]);
  return true;
}

}  // namespace store
