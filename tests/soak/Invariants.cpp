#include "Invariants.h"

namespace soak {
namespace {

std::string Describe(const ProgramWindow& window) {
  return ReachedName(window) + " \"" + window.title + "\"";
}

}  // namespace

std::string BrokenInvariant(HANDLE process, const std::vector<ProgramWindow>& windows,
                            const Limits& limits, OutsideSince* outside) {
  DWORD exitCode = 0;
  if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process, &exitCode);
    char text[64];
    wsprintfA(text, "the program ended (exit code 0x%08lX)", exitCode);
    return text;
  }
  const RECT desktop = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  int messageBoxes = 0;
  OutsideSince stillOutside;
  for (const ProgramWindow& window : windows) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window.handle, WM_NULL, 0, 0, SMTO_NORMAL, limits.hangMs, &result) &&
        IsWindow(window.handle)) {
      // How long it takes after all tells a busy machine from a hang.
      const DWORD start = GetTickCount();
      const bool late =
          SendMessageTimeoutA(window.handle, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result) != 0;
      return Describe(window) + " did not answer within " + std::to_string(limits.hangMs) +
             " ms (" +
             (late ? "answered " + std::to_string(GetTickCount() - start) + " ms later"
                   : std::string("no answer 60 s later")) +
             ")";
    }
    if (window.kind == WindowKind::MessageBox) ++messageBoxes;
    RECT rect = window.rect;
    RECT onDesktop;
    // A window needs a corner of 16 x 16 pixels on the desktop to be reached.
    if (IsWindowVisible(window.handle) && !IsIconic(window.handle) &&
        GetWindowRect(window.handle, &rect) &&
        (!IntersectRect(&onDesktop, &rect, &desktop) || onDesktop.right - onDesktop.left < 16 ||
         onDesktop.bottom - onDesktop.top < 16)) {
      const auto seen = outside->find(window.handle);
      const DWORD since = seen != outside->end() ? seen->second : GetTickCount();
      stillOutside[window.handle] = since;
      if (GetTickCount() - since < 1000) continue;
      char where[96];
      wsprintfA(where, " lies outside the desktop (%ld,%ld)-(%ld,%ld)", rect.left, rect.top,
                rect.right, rect.bottom);
      return Describe(window) + where;
    }
  }
  *outside = stillOutside;
  if (messageBoxes > limits.messageBoxes) {
    return std::to_string(messageBoxes) + " message boxes are up at once";
  }
  return std::string();
}

}  // namespace soak
