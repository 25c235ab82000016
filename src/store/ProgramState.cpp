#include "store/ProgramState.h"

namespace store {

SettingsBlock g_settings{};
ReminderTimerCounter g_reminderTimerIds;
PopupTimerCounter g_popupTimerIds;

}  // namespace store
