#pragma once
// The store's clock: the C library's time().

#include "store/Platform.h"

namespace platform {

class SystemClock : public store::Clock {
 public:
  store::Moment Now() override;
};

}  // namespace platform
