#pragma once
// The application object: the program's start-up and exit, in this order.
//
// Start-up: the single-instance mutex (a second copy brings the first
// copy's window back and ends); the pseudo-random seed; the notes folder;
// the command line (no effect); the main window object (which makes the
// appointment book and loads the settings) and the main window (its icon,
// the month view, the data file, placement, the start-up summary, timers);
// the window is shown; the owner-drawn menu module is installed; the
// start-up sound plays.
//
// Shut-down, when the main window is closed: its destroy handling writes
// the data file and removes its icon, its destructor saves the settings,
// and the exit removes the menu module.

#include <memory>
#include <optional>

#include "framework/Application.h"
#include "framework/ExceptionBarrier.h"
#include "shell/FailureMessage.h"
#include "shell/ShellServices.h"
#include "platform/SingleInstanceMutex.h"

namespace menus {
class MenuModule;
}

namespace shell {

class CLumetta : public fw::Application {
 public:
  // With `services` the program runs on them (tests: a scratch data
  // folder); otherwise on the system's own.
  explicit CLumetta(HINSTANCE instance, const ShellServices* services = nullptr);
  ~CLumetta() override;

 protected:
  bool InitInstance() override;
  int ExitInstance(int exitCode) override;

 private:
  bool CreateMainWindow();

  std::unique_ptr<SystemServices> systemServices_;
  ShellServices services_;
  // A handler that fails is named to the user for the whole run.
  FailureMessage failureMessage_{services_.prompter};
  fw::ScopedFailureReport failureReport_{failureMessage_};
  std::optional<platform::SingleInstanceMutex> mutex_;
  // The owner-drawn menus.
  std::unique_ptr<menus::MenuModule> menus_;
};

}  // namespace shell
