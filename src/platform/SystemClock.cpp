#include "platform/SystemClock.h"

#include <windows.h>

#include <stdlib.h>
#include <time.h>

#include <cstring>

namespace platform {

store::Moment SystemClock::Now() {
  // The system time directly: the C library's time() looks the time zone up
  // again at every call under Wine, which made loading a large book (one
  // clock reading per entry) take seconds.
  FILETIME file = {};
  GetSystemTimeAsFileTime(&file);
  const unsigned long long ticks =
      (static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  constexpr unsigned long long kTicksPerSecond = 10000000ULL;
  constexpr unsigned long long kUnixEpochTicks = 116444736000000000ULL;  // 1601 -> 1970
  return (static_cast<store::Moment>(ticks) - static_cast<store::Moment>(kUnixEpochTicks)) /
         static_cast<store::Moment>(kTicksPerSecond);
}

namespace {

constexpr long long kTicksPerSecond = 10000000LL;
constexpr long long kSecondsFrom1601To1970 = 11644473600LL;

// The C library's local time where it reaches (1970 to 3000), so that the
// program reads the times it always read the same way; before and after, the
// system's own rules for the current zone (SYSTEMTIME reaches 1601 to 30827).
class SystemLocalZone : public store::LocalZone {
 public:
  bool OffsetAt(store::Moment utc, std::int64_t& offset) noexcept override {
    if (utc >= 0 && store::LibraryOffsetAt(utc, offset)) return true;
    const long long ticks = (utc + kSecondsFrom1601To1970) * kTicksPerSecond;
    if (ticks < 0) return false;
    FILETIME file = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal = {};
    SYSTEMTIME local = {};
    FILETIME localFile = {};
    if (!FileTimeToSystemTime(&file, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) ||
        !SystemTimeToFileTime(&local, &localFile)) {
      return false;
    }
    const long long localTicks =
        static_cast<long long>((static_cast<unsigned long long>(localFile.dwHighDateTime) << 32) |
                               localFile.dwLowDateTime);
    offset = (localTicks - ticks) / kTicksPerSecond;
    return true;
  }
};

}  // namespace

void UseSystemZoneRules() {
  static SystemLocalZone zone;  // the program's one local zone
  store::SetLocalZone(&zone);
}

void FollowTimeZone() {
  // With TZ unset (WinMain clears it) the C library reads the system's zone.
  _tzset();
}

bool TimeZoneWatch::Changed() {
  TIME_ZONE_INFORMATION now = {};
  GetTimeZoneInformation(&now);
  const bool changed = !known_ || std::memcmp(&now, &zone_, sizeof now) != 0;
  zone_ = now;
  known_ = true;
  return changed;
}

}  // namespace platform
