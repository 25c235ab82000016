#pragma once
// The marker of the program's running copy, one per user: a named mutex.
// The program holds it (shell/SingleInstance.h has the rest of the rule);
// lumetta-cli only asks whether it exists.

#include <windows.h>

namespace platform {

constexpr const char* kSingleInstanceMutexName = "Lumetta mutex";

// The mutex, created with initial ownership and never released; the system
// drops it when the process ends.
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

}  // namespace platform
