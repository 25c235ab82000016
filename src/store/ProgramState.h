// The program-wide state of the running program, gathered in one place: the
// settings block that every window reads and writes in place, and the
// counters of timer identifiers. The store's classes never reach these
// directly (they get them through StoreContext), so tests run on their own.
#pragma once

#include "store/Settings.h"
#include "store/TimerIds.h"

namespace store {

// The one settings block: zero until LoadSettings fills it at start-up;
// saved at shut-down, after the Advanced Settings dialog and after a
// first-start registry import.
extern SettingsBlock g_settings;

// Identifiers of reminder timers; starts at 3 (TimerIds.h).
extern ReminderTimerCounter g_reminderTimerIds;

// Identifiers of snooze and countdown timers (TimerIds.h).
extern PopupTimerCounter g_popupTimerIds;

}  // namespace store
