#include "shell/ShellServices.h"

#include <shellapi.h>

namespace shell {

namespace {

// The folder of the running program: a bare file name (the help file) is
// looked for there, whatever the current folder is. A copy started at
// sign-in by its Run entry starts in another folder.
std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string module(path, length < sizeof path ? length : 0);
  const std::string::size_type slash = module.rfind('\\');
  return slash == std::string::npos ? std::string() : module.substr(0, slash);
}

}  // namespace

void SystemShellRequests::Open(HWND owner, const std::string& target) {
  const std::string folder = ProgramFolder();
  const char* directory = folder.empty() ? nullptr : folder.c_str();
  if (target.find("::/") != std::string::npos) {
    // A topic inside the help file: the help viewer opens it.
    ShellExecuteA(owner, "open", "hh.exe", target.c_str(), directory, SW_SHOWNORMAL);
    return;
  }
  ShellExecuteA(owner, "open", target.c_str(), nullptr, directory, SW_SHOWNORMAL);
}

ShellServices SystemServices::Services() {
  return ShellServices{clock_, prompter_,      prompts_, reminderTimers_, notices_, paths_,
                       files_, settingsHooks_, sound_,   shell_,          zones_};
}

}  // namespace shell
