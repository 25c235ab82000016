// Where a to-do line that is scheduled into the day planner lands: the
// chosen time moved up to a half-hour slot, then on past the slots the book
// already holds.
#pragma once

#include "store/Moment.h"

namespace store {

class All_Appointments;

struct RoundedSlot {
  Moment time = 0;
  bool dayChanged = false;  // the rounding passed midnight: the chosen date moves a day on
};

// Moves a time up to the next whole minute and then to the next half-hour
// boundary: 9:10 gives 9:30, 9:40 gives 10:00, 9:30:20 gives 10:00, 9:30
// stays. A time that cannot be broken into local fields is kept.
RoundedSlot RoundUpToSlot(Moment time);

// The scheduling dialog's date and time once OK is pressed: the time rounded
// up to a slot, and the date one calendar day on when that passed midnight.
struct ChosenSlot {
  Moment date = 0;
  Moment time = 0;
};
ChosenSlot RoundChosenSlot(Moment date, Moment time);

// Moves a time forward in half-hour steps while the book holds an entry at
// its local date, hour and minute, on across midnight into the next days.
// Stops at the last moment that can be stepped from.
Moment FindFreeSlot(const All_Appointments& book, Moment time);

}  // namespace store
