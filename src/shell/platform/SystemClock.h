#pragma once
// The store's clock: the C library's time().

#include "store/Platform.h"

class SystemClock : public lumetta::Clock {
 public:
  lumetta::Moment Now() override;
};
