#include "shell/platform/SystemClock.h"

#include <ctime>
#include <limits>

lumetta::Moment SystemClock::Now() {
  const long long now = static_cast<long long>(std::time(nullptr));
  // A moment is 32 bits: a clock past January 2038 (or broken) gives the
  // last moment rather than a wrapped, negative one.
  if (now < 0) return 0;
  if (now > std::numeric_limits<lumetta::Moment>::max()) {
    return std::numeric_limits<lumetta::Moment>::max();
  }
  return static_cast<lumetta::Moment>(now);
}
