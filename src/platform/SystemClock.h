#pragma once
// The store's clock: the system time. And the time zone: the C library's
// local time follows the system's zone only when told that it changed.

#include <windows.h>

#include "store/Platform.h"

namespace platform {

class SystemClock : public store::Clock {
 public:
  store::Moment Now() override;
};

// Makes the store's conversions use the system's zone rules over the whole
// calendar, 1900 to 9999 (the C library's local time reaches 1970 to 3000).
void UseSystemZoneRules();

// Makes the C library's local time (store::MakeTime, LocalFields) follow
// the system's time zone as it is now.
void FollowTimeZone();

// Tells whether the system's time zone changed since it was last asked
// (the first question answers true).
class TimeZoneWatch {
 public:
  bool Changed();

 private:
  bool known_ = false;
  TIME_ZONE_INFORMATION zone_ = {};
};

}  // namespace platform
