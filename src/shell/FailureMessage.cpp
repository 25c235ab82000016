#include "shell/FailureMessage.h"

#include <string>

namespace shell {

void FailureMessage::HandlerFailed(const char* what) noexcept {
  try {
    const std::string reason = what[0] != '\0' ? what : "an unexpected error";
    prompter_.Show(GetActiveWindow(),
                   "Lumetta could not complete that action: " + reason +
                       ".\n\nThe program keeps running; your appointments are still in memory "
                       "and are saved as usual.",
                   MB_OK | MB_ICONWARNING);
  } catch (...) {
    // Not even the message could be made (no memory): nothing more to do.
  }
}

}  // namespace shell
