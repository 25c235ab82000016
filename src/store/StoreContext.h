// Everything the appointment book reaches outside itself, handed in once when
// the book is made. The Windows program passes the program-wide settings block
// and reminder timer counter (ProgramState.h) and its platform objects; tests
// pass their own.
#pragma once

#include "store/Platform.h"
#include "store/Settings.h"
#include "store/TimerIds.h"

namespace store {

struct StoreContext {
  SettingsBlock& settings;         // reminder minutes, fore colour, reminders-enabled flag
  ReminderTimerCounter& timerIds;  // identifiers for reminder timers
  Clock& clock;
  Prompts& prompts;
  ReminderTimers& timers;
  RepaintNotices& notices;
  DataPaths& paths;
  FileSystem& files;
  SystemTimeZones& zones;  // the zones iCalendar files name without defining them
};

}  // namespace store
