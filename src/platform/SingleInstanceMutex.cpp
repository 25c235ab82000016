#include "platform/SingleInstanceMutex.h"

namespace platform {

SingleInstanceMutex::SingleInstanceMutex() {
  mutex_ = CreateMutexA(nullptr, TRUE, kSingleInstanceMutexName);
  alreadyExisted_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

SingleInstanceMutex::~SingleInstanceMutex() {
  // Held until the process ends (this object lives as long as the program).
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

}  // namespace platform
