#include "store/Moment.h"

#include <array>
#include <ctime>
#include <limits>

namespace lumetta {

namespace {

bool FieldsInRange(int year, int month, int day, int hour, int minute) {
    return year >= 1970 && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
           hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
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

}  // namespace

CalendarError::CalendarError() : std::runtime_error("calendar fields out of range") {}

bool TryMakeTime(int year, int month, int day, int hour, int minute, Moment& out) noexcept {
    if (!FieldsInRange(year, month, day, hour, minute) || year > 2038) return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = 0;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    // Windows' C library refuses moments before 1970; refuse them here too so
    // both platforms agree. (-1 can never be a genuine answer with seconds 0.)
    if (t < 0 || static_cast<long long>(t) > std::numeric_limits<Moment>::max()) return false;
    out = static_cast<Moment>(t);
    return true;
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

struct MomentCache::Month {
    // A regular month: every day has the offset of the 1st at midnight, so a
    // date is base + whole days + hours + minutes.
    bool regular = false;
    Moment base = 0;
    // An irregular month (a daylight-saving change in it): per-day bases; a
    // day whose own offset changes is left to the C library (dayRegular 0).
    std::array<Moment, 31> dayBase{};
    std::array<bool, 31> dayRegular{};
};

MomentCache::MomentCache() : months_((kLastWholeYear - kFirstWholeYear + 1) * 12) {}
MomentCache::~MomentCache() = default;

namespace {

// True when `m` shows as noon of the given local date: the offset at that noon
// equals the offset assumed for `m`.
bool ShowsNoonOf(Moment m, int year, int month, int day) {
    CalendarFields f;
    return LocalFields(m, f) && f.year == year && f.month == month && f.day == day &&
           f.hour == 12 && f.minute == 0;
}

// Midnight of the day after (year, month, day), as the C library has it.
bool NextMidnight(int year, int month, int day, Moment& out) {
    if (day < GregorianDays(year, month)) return TryMakeTime(year, month, day + 1, 0, 0, out);
    if (month < 12) return TryMakeTime(year, month + 1, 1, 0, 0, out);
    return TryMakeTime(year + 1, 1, 1, 0, 0, out);
}

}  // namespace

MomentCache::Month* MomentCache::MonthOf(int year, int month) {
    std::unique_ptr<Month>& slot = months_[(year - kFirstWholeYear) * 12 + (month - 1)];
    if (slot) return slot.get();
    slot = std::make_unique<Month>();
    Month& mo = *slot;
    const int days = GregorianDays(year, month);

    Moment first = 0;
    Moment next = 0;
    if (TryMakeTime(year, month, 1, 0, 0, first) && NextMidnight(year, month, days, next) &&
        static_cast<long long>(next) - first == static_cast<long long>(days) * kSecondsPerDay) {
        mo.regular = true;
        for (int d = 1; d <= days && mo.regular; ++d) {
            mo.regular = ShowsNoonOf(first + (d - 1) * kSecondsPerDay + 12 * 3600, year, month, d);
        }
        mo.base = first;
    }
    if (!mo.regular) {
        for (int d = 1; d <= days; ++d) {
            Moment start = 0;
            Moment end = 0;
            mo.dayRegular[d - 1] = TryMakeTime(year, month, d, 0, 0, start) &&
                                   NextMidnight(year, month, d, end) &&
                                   end - start == kSecondsPerDay &&
                                   ShowsNoonOf(start + 12 * 3600, year, month, d);
            mo.dayBase[d - 1] = start;
        }
    }
    return slot.get();
}

bool MomentCache::TryConvert(int year, int month, int day, int hour, int minute, Moment& out) {
    if (!FieldsInRange(year, month, day, hour, minute)) return false;
    if (year < kFirstWholeYear || year > kLastWholeYear || day > GregorianDays(year, month)) {
        return TryMakeTime(year, month, day, hour, minute, out);  // partial years, roll-over days
    }
    const Month* mo = MonthOf(year, month);
    const Moment within = hour * 3600 + minute * 60;
    if (mo->regular) {
        out = mo->base + (day - 1) * kSecondsPerDay + within;
        return true;
    }
    if (mo->dayRegular[day - 1]) {
        out = mo->dayBase[day - 1] + within;
        return true;
    }
    return TryMakeTime(year, month, day, hour, minute, out);
}

}  // namespace lumetta
