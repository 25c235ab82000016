#pragma once
// What must hold at every moment of a run: the program runs, each of its
// windows answers within the hang limit, no more than a handful of message
// boxes are up at once, and no window lies outside the desktop.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ProgramWindows.h"

namespace soak {

struct Limits {
  DWORD hangMs = 2000;
  int messageBoxes = 6;
};

// Since when each window has been seen outside the desktop. A window is
// made at a place of its own and moved after (the quick-check popup at
// (-1,-1) for the moment it measures its lines): only a window that stays
// outside for a second counts.
using OutsideSince = std::map<HWND, DWORD>;

// The first broken rule, described; empty when all hold.
std::string BrokenInvariant(HANDLE process, const std::vector<ProgramWindow>& windows,
                            const Limits& limits, OutsideSince* outside);

}  // namespace soak
