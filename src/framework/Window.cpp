#include "framework/Window.h"

#include "framework/ExceptionBarrier.h"

namespace fw {
namespace {

// The handle-to-object link is a window property rather than GWLP_USERDATA:
// a property with our own name cannot be mistaken for another class's data,
// so FromHandle is safe on any window (controls, dialogs, foreign windows).
const char kObjectProperty[] = "Lumetta.Window";

// The DPI a new window starts with: its parent's when the parent is ours
// (a child lives on its parent's monitor), else its monitor's.
Dpi StartingDpi(HWND hwnd) {
  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  if ((style & WS_CHILD) != 0) {
    if (const Window* parent = Window::FromHandle(GetParent(hwnd))) return parent->WindowDpi();
  }
  return Dpi::ForWindow(hwnd);
}

BOOL CALLBACK ChangeChildDpi(HWND child, LPARAM dpi) {
  // Every descendant is enumerated; only direct children recurse themselves.
  Window* window = Window::FromHandle(child);
  if (window != nullptr && window->WindowDpi().Value() != static_cast<UINT>(dpi))
    window->ChangeDpi(Dpi(static_cast<UINT>(dpi)));
  return TRUE;
}

}  // namespace

Window::~Window() {
  if (hwnd_ == nullptr) return;
  HWND hwnd = hwnd_;
  RemovePropA(hwnd, kObjectProperty);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

Window* Window::FromHandle(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return static_cast<Window*>(GetPropA(hwnd, kObjectProperty));
}

Dpi Window::DpiOf(HWND hwnd) {
  if (const Window* ours = FromHandle(hwnd)) return ours->WindowDpi();
  return Dpi::ForWindow(hwnd);
}

bool Window::RegisterWindowClass(const WindowClass& windowClass) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, windowClass.name, &existing)) return true;

  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.style;
  wc.lpfnWndProc = &Window::WindowProcedure;
  wc.hInstance = instance;
  wc.hIcon = windowClass.icon;
  wc.hIconSm = windowClass.smallIcon;
  wc.hCursor = windowClass.cursor != nullptr ? windowClass.cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = windowClass.background;
  wc.lpszClassName = windowClass.name;
  return RegisterClassExA(&wc) != 0;
}

bool Window::Create(const WindowClass& windowClass, const WindowParams& params) {
  if (hwnd_ != nullptr || windowClass.name == nullptr) return false;
  if (!RegisterWindowClass(windowClass)) return false;
  HWND created = CreateWindowExA(params.exStyle, windowClass.name, params.title, params.style,
                                 params.x, params.y, params.width, params.height, params.parent,
                                 params.menu, GetModuleHandleA(nullptr), this);
  // On failure Windows has already sent WM_NCDESTROY, which unlinked us.
  return created != nullptr && created == hwnd_;
}

void Window::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool Window::DispatchCommand(UINT id, UINT notifyCode, HWND control) {
  return OnCommand(id, notifyCode, control);
}

bool Window::IsCommandEnabled(UINT) const { return false; }

bool Window::PreTranslateMessage(MSG&) { return false; }

bool Window::OnCreate(const CREATESTRUCTA&) { return true; }

void Window::OnDestroy() {}

void Window::PrepareForDpi() {}

void Window::OnDpiChanged() {}

void Window::ChangeDpi(Dpi dpi, const RECT* suggested) {
  dpi_ = dpi;
  if (hwnd_ == nullptr) return;
  // Children first: a parent's layout may measure them, and they see the
  // parent's new size as at the new DPI.
  EnumChildWindows(hwnd_, &ChangeChildDpi, static_cast<LPARAM>(dpi.Value()));
  PrepareForDpi();
  if (suggested != nullptr)
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  OnDpiChanged();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::OnFinalMessage() {}

bool Window::OnCommand(UINT, UINT, HWND) { return false; }

void Window::UpdateMenuItems(HMENU popup) const {
  const int count = GetMenuItemCount(popup);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(popup, static_cast<UINT>(position), TRUE, &item)) continue;
    if ((item.fType & MFT_SEPARATOR) != 0 || item.hSubMenu != nullptr) continue;
    const UINT state = IsCommandEnabled(item.wID) ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(popup, static_cast<UINT>(position), MF_BYPOSITION | state);
  }
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(*reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      break;
    case WM_DPICHANGED: {
      // The new DPI in both halves of wParam; the system's suggested
      // rectangle keeps the window's size in proportion on the new monitor.
      ChangeDpi(Dpi(HIWORD(wParam)), reinterpret_cast<const RECT*>(lParam));
      return 0;
    }
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam) == 0)
        UpdateMenuItems(reinterpret_cast<HMENU>(wParam));  // not the system menu
      break;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      self->dpi_ = StartingDpi(hwnd);
      SetPropA(hwnd, kObjectProperty, self);
    }
  } else {
    self = FromHandle(hwnd);
  }
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);

  if (message == WM_NCDESTROY) {
    const LRESULT result =
        Guarded<LRESULT>(0, [&] { return self->HandleMessage(message, wParam, lParam); });
    RemovePropA(hwnd, kObjectProperty);
    self->hwnd_ = nullptr;
    Guarded<int>(0, [&] {
      self->OnFinalMessage();
      return 0;
    });
    return result;
  }

  // A failed WM_NCCREATE or WM_CREATE makes CreateWindowEx fail cleanly.
  const LRESULT fallback = message == WM_NCCREATE ? FALSE : message == WM_CREATE ? -1 : 0;
  return Guarded<LRESULT>(fallback, [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace fw
