#pragma once
// Everything the main window and its appointment book reach outside the
// program's own windows: clock, files, data folder, message boxes, reminder
// timers, repaint notices, the settings hooks, sounds and the shell's open
// request. CLumetta hands in the program's real ones (SystemServices); a
// test hands in its own (a scratch data folder, scripted answers, a sound
// recorder). The objects must outlive the main window.

#include <windows.h>

#include <string>

#include "framework/MessageBoxPrompter.h"
#include "platform/DataFolder.h"
#include "platform/ForwardingRepaintNotices.h"
#include "platform/PrompterPrompts.h"
#include "platform/ShellSettingsHooks.h"
#include "platform/SoundCues.h"
#include "platform/SystemClock.h"
#include "platform/RegistryTimeZones.h"
#include "platform/Win32FileSystem.h"
#include "platform/WindowReminderTimers.h"

namespace shell {

// The shell's open request: a file or web address in the program the
// system associates with it (ShellExecuteA "open", shown normally).
class ShellRequests {
 public:
  virtual ~ShellRequests() = default;
  virtual void Open(HWND owner, const std::string& target) = 0;
};

class SystemShellRequests : public ShellRequests {
 public:
  // A failure is not reported. "file::/topic" opens a help file's topic.
  void Open(HWND owner, const std::string& target) override;
};

struct ShellServices {
  store::Clock& clock;
  fw::Prompter& prompter;
  platform::PrompterPrompts& prompts;  // owned by the main window once it exists
  platform::WindowReminderTimers& reminderTimers;
  platform::ForwardingRepaintNotices& notices;  // aimed at the main window once it exists
  store::DataPaths& paths;
  store::FileSystem& files;
  store::SettingsHooks& settingsHooks;
  platform::SoundOutput& sound;
  ShellRequests& shell;
  store::SystemTimeZones& zones;
};

// The program's real services, made once by CLumetta for the run.
class SystemServices {
 public:
  SystemServices() = default;
  SystemServices(const SystemServices&) = delete;
  SystemServices& operator=(const SystemServices&) = delete;

  ShellServices Services();
  platform::DataFolder& Paths() { return paths_; }
  store::FileSystem& Files() { return files_; }

 private:
  platform::SystemClock clock_;
  fw::MessageBoxPrompter prompter_{"Lumetta"};
  platform::PrompterPrompts prompts_{prompter_};
  platform::WindowReminderTimers reminderTimers_;
  platform::ForwardingRepaintNotices notices_;
  platform::DataFolder paths_;
  platform::Win32FileSystem files_;
  platform::RegistryTimeZones zones_;
  platform::ShellSettingsHooks settingsHooks_{clock_};
  platform::SystemSoundOutput sound_{&prompter_};
  SystemShellRequests shell_;
};

}  // namespace shell
