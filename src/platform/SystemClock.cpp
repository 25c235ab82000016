#include "platform/SystemClock.h"

#include <windows.h>

#include <stdlib.h>
#include <time.h>

#include <cstring>
#include <limits>

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
  if (ticks < kUnixEpochTicks) return 0;
  const unsigned long long now = (ticks - kUnixEpochTicks) / kTicksPerSecond;
  // A moment is 32 bits: a clock past January 2038 gives the last moment
  // rather than a wrapped, negative one.
  if (now > static_cast<unsigned long long>(std::numeric_limits<store::Moment>::max())) {
    return std::numeric_limits<store::Moment>::max();
  }
  return static_cast<store::Moment>(now);
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
