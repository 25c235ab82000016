#include "framework/RepaintAll.h"

#include <windows.h>

namespace fw {

namespace {

BOOL CALLBACK Repaint(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  DrawMenuBar(window);
  return TRUE;
}

}  // namespace

void RepaintAllWindows() { EnumThreadWindows(GetCurrentThreadId(), Repaint, 0); }

}  // namespace fw
