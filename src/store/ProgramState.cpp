#include "store/ProgramState.h"

namespace lumetta {

SettingsBlock g_settings{};
ReminderTimerCounter g_reminderTimerIds;
PopupTimerCounter g_popupTimerIds;

}  // namespace lumetta
