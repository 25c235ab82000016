#include "shell/ShellServices.h"

#include <shellapi.h>

void SystemShellRequests::Open(HWND owner, const std::string& target) {
  ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ShellServices SystemServices::Services() {
  return ShellServices{clock_,  prompter_,       prompts_, reminderTimers_, notices_,
                       paths_,  files_,          settingsHooks_, sound_,    shell_};
}
