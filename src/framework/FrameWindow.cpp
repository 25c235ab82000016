#include "framework/FrameWindow.h"

namespace fw {
namespace {

HICON LoadSharedIcon(HINSTANCE instance, int resourceId, int sizeMetricX, int sizeMetricY) {
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                       GetSystemMetrics(sizeMetricX), GetSystemMetrics(sizeMetricY),
                                       LR_SHARED));
}

}  // namespace

bool FrameWindow::CreateFrame(int resourceId, const char* className, const WindowParams& params) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WindowClass windowClass;
  windowClass.name = className;
  windowClass.style = CS_DBLCLKS;
  windowClass.icon = LoadSharedIcon(instance, resourceId, SM_CXICON, SM_CYICON);
  windowClass.smallIcon = LoadSharedIcon(instance, resourceId, SM_CXSMICON, SM_CYSMICON);
  windowClass.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);

  HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
  WindowParams withMenu = params;
  withMenu.menu = menu;
  if (!Create(windowClass, withMenu)) {
    if (menu != nullptr)
      DestroyMenu(menu);  // a menu attached to a window goes with it; this one never was
    return false;
  }
  // Shortcut tables loaded from resources are freed by the system at exit.
  accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));
  return true;
}

void FrameWindow::SetView(Window* view) {
  view_ = view;
  FitViewToClient();
}

bool FrameWindow::IsCommandEnabled(UINT id) const {
  return view_ != nullptr && view_->IsCommandEnabled(id);
}

void FrameWindow::PrepareForDpi() {
  if (!menuHandler_) return;
  LRESULT ignored = 0;
  const WPARAM dpi = MAKEWPARAM(WindowDpi().Value(), WindowDpi().Value());
  menuHandler_(Handle(), WM_DPICHANGED, dpi, 0, &ignored);
}

void FrameWindow::FitViewToClient() {
  if (view_ == nullptr || !view_->Exists() || !Exists()) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  MoveWindow(view_->Handle(), 0, 0, client.right, client.bottom, TRUE);
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam);
      const UINT code = HIWORD(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      if (view_ != nullptr && view_->DispatchCommand(id, code, control)) return 0;
      if (OnCommand(id, code, control)) return 0;
      return DefaultHandling(message, wParam, lParam);
    }
    case WM_SIZE:
      FitViewToClient();
      return 0;
    case WM_SETFOCUS:
      if (view_ != nullptr && view_->Exists()) {
        SetFocus(view_->Handle());
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (endsMessageLoop_) PostQuitMessage(0);
      break;
    case WM_INITMENUPOPUP:
      if (menuHandler_) {
        const LRESULT result = Window::HandleMessage(message, wParam, lParam);
        LRESULT ignored = 0;
        menuHandler_(Handle(), message, wParam, lParam, &ignored);
        return result;
      }
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
      if (menuHandler_) {
        LRESULT result = 0;
        if (menuHandler_(Handle(), message, wParam, lParam, &result)) return result;
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace fw
