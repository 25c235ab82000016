#include "shell/SingleInstance.h"

#include "shell/MainFrame.h"

namespace shell {

HWND FindRunningCopy() { return FindWindowA(CMainFrame::kClassName, CMainFrame::kTitle); }

void HandOverTo(HWND mainWindow) {
  HWND popup = GetLastActivePopup(mainWindow);
  BringWindowToTop(mainWindow);
  ShowWindow(mainWindow, SW_RESTORE);

  RECT rect = {};
  GetWindowRect(mainWindow, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(mainWindow, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  if (popup != nullptr && popup != mainWindow) BringWindowToTop(popup);
  BringWindowToTop(mainWindow);
}

}  // namespace shell
