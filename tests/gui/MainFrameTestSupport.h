#pragma once
// What the tests of the main window and of the start-up need: a scratch
// data folder standing in for AppData, a clock the test sets, scripted
// message boxes, and recorders for sounds, shell requests and timers. The
// main window made on them is the real one, with the real month view.

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FreshDataFolder.h"
#include "PlatformTestFiles.h"
#include "common/Records.h"
#include "framework/Prompter.h"
#include "shell/MainFrame.h"
#include "shell/MainTimers.h"
#include "shell/ShellServices.h"
#include "store/Moment.h"
#include "store/ProgramState.h"
#include "support/RecordingPrompter.h"

namespace main_frame_testing {

class SettableClock : public store::Clock {
 public:
  store::Moment now = store::MakeTime(2025, 3, 16, 10, 0);  // Sunday 16 March 2025
  store::Moment Now() override { return now; }
};

using testing_support::RecordingPrompter;

class NoRegistryHooks : public store::SettingsHooks {
 public:
  void ImportLegacyRegistrySettings(store::SettingsBlock&) override {}
  void LoadBackgroundImages(store::SettingsBlock&) override {}
};

class RecordingSound : public platform::SoundOutput {
 public:
  std::vector<std::string> played;
  void PlayFile(const char* path) override { played.push_back(path); }
  void DefaultBeep() override { played.push_back("(beep)"); }
  int Clicks() const {
    int n = 0;
    for (const std::string& p : played) n += p == "Pick.wav" ? 1 : 0;
    return n;
  }
};

class RecordingShell : public shell::ShellRequests {
 public:
  std::vector<std::string> opened;
  void Open(HWND, const std::string& target) override { opened.push_back(target); }
};

// Window timers that really run, with every start and stop recorded; the
// first `refusals` starts are refused as a busy system might.
class RecordingTimers : public shell::TimerService {
 public:
  HWND window = nullptr;
  int refusals = 0;
  int attempts = 0;
  std::map<UINT_PTR, UINT> periods;  // the last period each timer was started with
  std::vector<UINT_PTR> stopped;

  bool Start(UINT_PTR id, UINT delayMs) override {
    ++attempts;
    if (refusals > 0) {
      --refusals;
      return false;
    }
    periods[id] = delayMs;
    // Without a window yet (during creation) the timer is only recorded.
    return window == nullptr || SetTimer(window, id, delayMs, nullptr) != 0;
  }
  void Stop(UINT_PTR id) override {
    stopped.push_back(id);
    periods.erase(id);
    if (window != nullptr) KillTimer(window, id);
  }
  bool Running(UINT_PTR id) const { return periods.count(id) != 0; }
};

// The main window's reminder timers, with the delay each was started with.
class RecordingReminderTimers : public platform::WindowReminderTimers {
 public:
  std::map<std::uint32_t, std::uint32_t> delays;  // the last delay of each identifier
  std::uint32_t Start(std::uint32_t id, std::uint32_t delayMs) override {
    delays[id] = delayMs;
    return WindowReminderTimers::Start(id, delayMs);
  }
};

// The services of one test: files go to a scratch AppData folder.
class TestServices {
 public:
  TestServices();
  shell::ShellServices Services();

  // "<APPDATA>\Lumetta Calendar\" + name.
  std::string DataFile(const std::string& name) const;

  platform_testing::FreshDataFolder data;  // its APPDATA is the current folder too
  SettableClock clock;
  RecordingPrompter prompter;
  platform::PrompterPrompts prompts{prompter};
  RecordingReminderTimers reminderTimers;
  platform::ForwardingRepaintNotices notices;
  platform::DataFolder paths;
  platform::Win32FileSystem files;
  platform::RegistryTimeZones zones;
  NoRegistryHooks hooks;
  RecordingSound sound;
  RecordingShell shell;
};

// Base of the main-window tests: fresh settings, a scratch data folder as
// the current folder, the main window made and shown on recording timers.
class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes and shows the main window (after the test seeded files or
  // settings), with flat menus when given; false when it could not be made.
  bool MakeFrame(bool show = true, menus::MenuModule* menus = nullptr);

  TestServices services_;
  RecordingTimers timers_;
  std::unique_ptr<shell::CMainFrame> frame_;
  std::string previousFolder_;
};

// Whether the notification area knows the program's icon for this window:
// modifying an icon succeeds only while it is there.
bool TrayIconPresent(HWND owner);

// A day icon read back: its size, the grid its page is drawn on (0 when no
// page was found) and, per grid pixel, whether it is the day icons' red.
struct DayPage {
  int size = 0;
  int grid = 0;
  std::vector<bool> red;
  bool Red(int x, int y) const { return red[static_cast<size_t>(y * grid + x)]; }
};

// Reads a day icon of any size; the page is found by its drawn pixels.
DayPage ReadDayPage(HICON icon);

}  // namespace main_frame_testing
