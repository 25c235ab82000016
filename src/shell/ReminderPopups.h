#pragma once
// The open and snoozed reminder pop-ups. Any number may be open at once;
// each fired reminder (or expired countdown) makes a new one. The set owns
// every pop-up: one lives while its window is open and while its snooze
// timer runs, and is released when it is closed with no snooze pending.
// Snooze timers are timers of the main window, which hands their expiry
// to OnTimer.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "shell/ReminderPopup.h"

namespace fw {
class Prompter;
}
namespace store {
class All_Appointments;
}

namespace platform {
class SoundOutput;
}

namespace shell {

class ShellRequests;

class TimerService;

class ReminderPopups {
 public:
  ReminderPopups(TimerService& timers, store::All_Appointments& book, fw::Prompter& prompter,
                 ShellRequests& shell, platform::SoundOutput& sound);
  ~ReminderPopups();
  ReminderPopups(const ReminderPopups&) = delete;
  ReminderPopups& operator=(const ReminderPopups&) = delete;

  // Makes and shows a new pop-up with a private copy of the main font;
  // nullptr when its window could not be made.
  ReminderPopup* Show(const ReminderText& what, const LOGFONTA& mainFont);
  // A snooze timer of one of the pop-ups: shows it again; true when the
  // identifier was one.
  bool OnTimer(UINT_PTR id);
  // Closes every pop-up and stops every snooze (the main window is going).
  void CloseAll();

  // The pop-ups alive, open or snoozed, oldest first.
  std::size_t Count() const { return popups_.size(); }
  ReminderPopup& At(std::size_t i) const { return *popups_[i]; }

  // A reminder's snooze delay (five minutes); tests shorten it.
  void SetReminderSnoozeMs(UINT ms) { reminderSnoozeMs_ = ms; }
  UINT ReminderSnoozeMs() const { return reminderSnoozeMs_; }

  // --- For the pop-ups -----------------------------------------------------

  TimerService& Timers() const { return timers_; }
  store::All_Appointments& Book() const { return book_; }
  fw::Prompter& Prompter() const { return prompter_; }
  ShellRequests& Shell() const { return shell_; }
  platform::SoundOutput& Sound() const { return sound_; }
  // Destroys a pop-up whose window is gone and that has no snooze pending.
  void Release(ReminderPopup& popup);

 private:
  TimerService& timers_;
  store::All_Appointments& book_;
  fw::Prompter& prompter_;
  ShellRequests& shell_;
  platform::SoundOutput& sound_;
  UINT reminderSnoozeMs_ = ReminderPopup::kReminderSnoozeMs;
  std::vector<std::unique_ptr<ReminderPopup>> popups_;
};

}  // namespace shell
