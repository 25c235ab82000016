#include "store/Moment.h"

#include "store/CivilDate.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace store {

namespace {

using Seconds = std::int64_t;

// How far MakeTime looks either side of a local time for the offsets that may
// apply to it; the zone is taken to change its offset at most once in twice
// this span.
constexpr Seconds kOffsetProbe = 2 * Seconds{kSecondsPerDay};

LocalZone* installedZone = nullptr;  // the program's one local zone

bool YearInRange(int year) { return year >= kFirstCalendarYear && year <= kLastCalendarYear; }

bool FieldsInRange(int year, int month, int day, int hour, int minute) {
  return YearInRange(year) && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 &&
         hour <= 23 && minute >= 0 && minute <= 59;
}

// Real month lengths (Gregorian); only used inside the cache.
int GregorianDays(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// A local date and time as seconds since 1970-01-01 00:00, read as if it were
// UTC. A day past the month's end counts on into the next month.
Seconds LocalSeconds(int year, int month, int day, int hour, int minute, int second = 0) {
  return DayNumber(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

// Floor division for the seconds of a day (moments before 1970 are negative).
Seconds FloorDiv(Seconds a, Seconds b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

bool OffsetAt(Seconds t, Seconds& offset) {
  return installedZone != nullptr ? installedZone->OffsetAt(t, offset) : LibraryOffsetAt(t, offset);
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
    if (!OffsetAt(t, actual) || actual != offset) continue;
    if (!found || t < best) best = t;  // shown twice: the earlier moment
    found = true;
  }
  out = found ? best : local - before;  // skipped: read with the offset before the change
  return true;
}

}  // namespace

void SetLocalZone(LocalZone* zone) noexcept { installedZone = zone; }

bool LibraryOffsetAt(Moment utc, std::int64_t& offset) noexcept {
  const std::time_t tt = static_cast<std::time_t>(utc);
  if (static_cast<Moment>(tt) != utc) return false;  // a 32-bit time_t
  // The reentrant forms: callable from a worker thread, and glibc's
  // localtime() would look at /etc/localtime again at every call.
  std::tm tm{};
#ifdef _WIN32
  if (localtime_s(&tm, &tt) != 0) return false;
#else
  if (localtime_r(&tt, &tm) == nullptr) return false;
#endif
  offset =
      LocalSeconds(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec) -
      utc;
  return true;
}

CalendarError::CalendarError() : std::runtime_error("calendar fields out of range") {}

bool TryMakeTime(int year, int month, int day, int hour, int minute, Moment& out) noexcept {
  if (!FieldsInRange(year, month, day, hour, minute)) return false;
  return MomentOfLocal(LocalSeconds(year, month, day, hour, minute), out);
}

Moment MakeTime(int year, int month, int day, int hour, int minute) {
  Moment m = 0;
  if (!TryMakeTime(year, month, day, hour, minute, m)) throw CalendarError();
  return m;
}

bool ConvertsToMoment(int year, int month, int day, int hour, int minute) noexcept {
  if (!FieldsInRange(year, month, day, hour, minute)) return false;
  if (year > kFirstCalendarYear && year < kLastCalendarYear) return true;
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
  if (!TryMakeTime(next.year, next.month, next.day, f.hour, f.minute, start)) return false;
  out = start + f.second;
  return true;
}

bool LocalFields(Moment moment, CalendarFields& out) noexcept {
  out = CalendarFields{};
  // Far outside the calendar (a sentinel such as the largest moment): no
  // zone is asked, and no sum below can overflow.
  constexpr Seconds kFar = Seconds{1} << 40;  // about 34,800 years
  if (moment < -kFar || moment > kFar) return false;
  Seconds offset = 0;
  if (!OffsetAt(moment, offset)) return false;
  const Seconds local = moment + offset;
  const Seconds dayNumber = FloorDiv(local, kSecondsPerDay);
  const CivilDate date = DateOfDayNumber(dayNumber);
  if (!YearInRange(date.year)) return false;
  const Seconds inDay = local - dayNumber * kSecondsPerDay;
  out.year = date.year;
  out.month = date.month;
  out.day = date.day;
  out.hour = static_cast<int>(inDay / 3600);
  out.minute = static_cast<int>(inDay / 60 % 60);
  out.second = static_cast<int>(inDay % 60);
  out.weekday = WeekdayOfDayNumber(dayNumber);
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

MomentCache::MomentCache() = default;
MomentCache::~MomentCache() = default;

const MomentCache::Month& MomentCache::MonthOf(int year, int month) {
  const int key = year * 12 + (month - 1);
  if (key == lastKey_) return *last_;  // a file's records come mostly in time order
  std::unique_ptr<Month>& slot = months_[key];
  lastKey_ = key;
  if (slot) return *(last_ = slot.get());
  slot = std::make_unique<Month>();
  Month& mo = *slot;
  last_ = &mo;
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
  if (day > GregorianDays(year, month)) {
    return TryMakeTime(year, month, day, hour, minute, out);  // roll-over days
  }
  const Month& mo = MonthOf(year, month);
  if (!mo.plain[day - 1]) return TryMakeTime(year, month, day, hour, minute, out);
  out = mo.firstLocal + (day - 1) * Seconds{kSecondsPerDay} + hour * 3600 + minute * 60 -
        mo.offset[day - 1];
  return true;
}

}  // namespace store
