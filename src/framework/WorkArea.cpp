#include "framework/WorkArea.h"

#include <algorithm>

namespace fw {

namespace {

RECT WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) return info.rcWork;
  RECT work = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return work;
}

}  // namespace

RECT FitRectInto(const RECT& wanted, const RECT& work) {
  const LONG width = std::min(wanted.right - wanted.left, work.right - work.left);
  const LONG height = std::min(wanted.bottom - wanted.top, work.bottom - work.top);
  const LONG left = std::clamp(wanted.left, work.left, work.right - width);
  const LONG top = std::clamp(wanted.top, work.top, work.bottom - height);
  return RECT{left, top, left + width, top + height};
}

RECT WorkAreaFor(const RECT& rect, HWND anchor) {
  HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
  if (monitor == nullptr && anchor != nullptr) {
    monitor = MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST);
  }
  if (monitor == nullptr) monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  return WorkAreaOf(monitor);
}

RECT FitIntoWorkArea(HWND window, HWND anchor) {
  RECT frame = {};
  if (!GetWindowRect(window, &frame)) return frame;
  const RECT fitted = FitRectInto(frame, WorkAreaFor(frame, anchor));
  if (!EqualRect(&fitted, &frame)) {
    SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return fitted;
}

void CentreOnOwner(HWND window) {
  RECT frame = {};
  if (!GetWindowRect(window, &frame)) return;
  HWND owner = GetWindow(window, GW_OWNER);
  RECT over = {};
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &over);
    // An owner off every screen (the main window started hidden) does not count.
    if (MonitorFromRect(&over, MONITOR_DEFAULTTONULL) == nullptr) over = RECT{};
  }
  const RECT work = WorkAreaFor(over, owner);
  if (IsRectEmpty(&over)) over = work;
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  const LONG left = (over.left + over.right - width) / 2;
  const LONG top = (over.top + over.bottom - height) / 2;
  const RECT fitted = FitRectInto(RECT{left, top, left + width, top + height}, work);
  SetWindowPos(window, nullptr, fitted.left, fitted.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw
