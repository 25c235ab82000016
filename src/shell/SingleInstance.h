#pragma once
// The rule that one copy of the program runs at a time for a user: a named
// mutex (platform/SingleInstanceMutex.h) marks the running copy; a second
// copy finds the first one's main window, brings it back and ends.

#include <windows.h>

namespace shell {

// The running copy's main window: titled exactly "Lumetta" (the hidden
// owner window and a quick-check pop-up can carry that title too, so the
// main window's class is asked for as well). nullptr when there is none.
HWND FindRunningCopy();

// Brings the running copy's main window back: to the top, restored and
// centred on the screen, with its last active pop-up above it.
void HandOverTo(HWND mainWindow);

}  // namespace shell
