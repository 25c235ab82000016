#pragma once
// The rule that one copy of the program runs at a time for a user: a named
// mutex marks the running copy; a second copy finds the first one's main
// window, brings it back and ends.

#include <windows.h>

namespace shell {

constexpr const char* kSingleInstanceMutexName = "Lumetta mutex";

// The marker of the running copy: the mutex, created with initial
// ownership and never released; the system drops it when the process ends.
class SingleInstanceMutex {
 public:
  SingleInstanceMutex();
  ~SingleInstanceMutex();
  SingleInstanceMutex(const SingleInstanceMutex&) = delete;
  SingleInstanceMutex& operator=(const SingleInstanceMutex&) = delete;

  // The mutex existed before: another copy is (or was just) running.
  bool AlreadyExisted() const { return alreadyExisted_; }

 private:
  HANDLE mutex_ = nullptr;
  bool alreadyExisted_ = false;
};

// The running copy's main window: titled exactly "Lumetta" (the hidden
// owner window and a quick-check pop-up can carry that title too, so the
// main window's class is asked for as well). nullptr when there is none.
HWND FindRunningCopy();

// Brings the running copy's main window back: to the top, restored and
// centred on the screen, with its last active pop-up above it.
void HandOverTo(HWND mainWindow);

}  // namespace shell
