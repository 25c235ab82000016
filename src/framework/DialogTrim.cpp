#include "framework/DialogTrim.h"

#include "framework/Window.h"

namespace fw {

void CentreOnCursor(HWND window) {
  POINT cursor = {};
  RECT frame = {};
  if (!GetCursorPos(&cursor) || !GetWindowRect(window, &frame)) return;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int left = cursor.x - width / 2;
  int top = cursor.y - height / 2;

  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
  }
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SmallWindowIcon::~SmallWindowIcon() {
  if (icon_ != nullptr) DestroyIcon(icon_);
}

bool SmallWindowIcon::Apply(HWND window, int iconId) {
  const int size = Window::DpiOf(window).Scale(16);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                             IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (icon == nullptr) return false;
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (icon_ != nullptr) DestroyIcon(icon_);
  icon_ = icon;
  return true;
}

void FrontOnActivation::OnActivate(HWND window, WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE || reshowing_) return;
  reshowing_ = true;
  SetActiveWindow(window);
  BringWindowToTop(window);
  ShowWindow(window, SW_HIDE);
  ShowWindow(window, SW_SHOW);
  reshowing_ = false;
}

}  // namespace fw
