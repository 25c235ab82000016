// The pop-up menu windows: a call-window-procedure hook subclasses each one
// that opens while a registered window is in the foreground, and the
// subclass draws the flat frame and the shadow from the screen behind it.
#include <cstring>
#include <vector>

#include "framework/ExceptionBarrier.h"
#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"
#include "menus/FlatMenu.h"

namespace menus {
namespace {

const char kOldProcedureProperty[] = "FlatMenuOldProc";
const char kMenuWindowClass[] = "#32768";
// Sent to a pop-up menu window when it is given its size.
constexpr UINT kSizeWindowMessage = 482;
// How far beyond the window the captured background reaches.
constexpr int kCaptureMargin = 10;

// The module that installed the hook: hook and subclass procedures get no
// context of their own. The user-interface thread is the only one.
FlatMenu* g_hooked = nullptr;

bool IsMenuWindow(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, kMenuWindowClass) == 0;
}

// Pixels of a DC area as 0x00RRGGBB values, top-down.
struct PixelBlock {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;
};

PixelBlock ReadPixels(HBITMAP bitmap, SIZE size) {
  PixelBlock block{size.cx, size.cy, std::vector<DWORD>(size.cx * size.cy)};
  BITMAPINFO info = fw::TopDownBitmapInfo(size.cx, size.cy);
  fw::MemoryDC screen(nullptr);
  if (!GetDIBits(screen.Get(), bitmap, 0, size.cy, block.pixels.data(), &info, DIB_RGB_COLORS))
    block.pixels.assign(block.pixels.size(), 0xFFFFFF);
  return block;
}

DWORD DarkenPixel(DWORD pixel, int percent) {
  const DWORD r = ((pixel >> 16) & 0xFF) * percent / 100;
  const DWORD g = ((pixel >> 8) & 0xFF) * percent / 100;
  const DWORD b = (pixel & 0xFF) * percent / 100;
  return (r << 16) | (g << 8) | b;
}

// The shadow's depth in pixels for a pop-up menu window's monitor.
int ShadowDepthOf(HWND window) { return fw::Dpi::ForWindow(window).Scale(kShadowDepthAt96); }

// Whether pop-up menus get the program's own shadow on this platform.
bool MenuShadowApplies() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return true;
  return OwnMenuShadow(version.dwMajorVersion, version.dwMinorVersion);
}

}  // namespace

void FlatMenu::InstallMenuHook() {
  if (hookCount_++ > 0) return;
  g_hooked = this;
  hook_ = SetWindowsHookExA(WH_CALLWNDPROC, HookProcedure, nullptr, GetCurrentThreadId());
}

void FlatMenu::RemoveMenuHook() {
  if (hookCount_ == 0 || --hookCount_ > 0) return;
  menuWindows_.clear();
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  if (g_hooked == this) g_hooked = nullptr;
}

LRESULT CALLBACK FlatMenu::HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_hooked != nullptr) {
    const auto& message = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if ((message.message == WM_CREATE || message.message == kSizeWindowMessage) &&
        IsRegistered(GetForegroundWindow()) && IsMenuWindow(message.hwnd)) {
      fw::Guarded(0, [&] {
        g_hooked->SubclassMenuWindow(message.hwnd);
        return 0;
      });
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FlatMenu::SubclassMenuWindow(HWND window) {
  menuWindows_[window].window = window;
  if (GetPropA(window, kOldProcedureProperty) != nullptr) return;
  const auto old = GetWindowLongPtrA(window, GWLP_WNDPROC);
  SetPropA(window, kOldProcedureProperty, reinterpret_cast<HANDLE>(old));
  if (SetWindowLongPtrA(window, GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(&FlatMenu::MenuWindowProcedure)) == 0)
    RemovePropA(window, kOldProcedureProperty);
}

LRESULT CALLBACK FlatMenu::MenuWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  const auto old = reinterpret_cast<WNDPROC>(GetPropA(window, kOldProcedureProperty));
  if (old == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (g_hooked == nullptr) return CallWindowProcA(old, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes: give it its own procedure back first.
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    RemovePropA(window, kOldProcedureProperty);
  }
  return fw::Guarded<LRESULT>(
      0, [&] { return g_hooked->MenuWindowMessage(window, old, message, wParam, lParam); });
}

LRESULT FlatMenu::MenuWindowMessage(HWND window, WNDPROC old, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
  const bool shadow = MenuShadowApplies();
  const int shadowDepth = ShadowDepthOf(window);
  switch (message) {
    case WM_ERASEBKGND: {
      auto found = menuWindows_.find(window);
      if (found != menuWindows_.end() && !IsWindowVisible(window) && !found->second.background) {
        RECT placed = {};
        GetWindowRect(window, &placed);
        CaptureBackground(found->second, placed);
      }
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
      if (shadow && (position.flags & SWP_NOSIZE) == 0) {
        position.cx += shadowDepth;
        position.cy += shadowDepth;
      }
      if ((position.flags & SWP_NOMOVE) == 0) {
        position.y -= 1;  // overlaps the item it drops from
        auto& record = menuWindows_[window];
        record.window = window;
        record.position = POINT{position.x, position.y};
      }
      // Some platforms show the window before any background erasing:
      // what lies behind is taken now, while it is still uncovered.
      auto found = menuWindows_.find(window);
      if ((position.flags & SWP_SHOWWINDOW) != 0 && (position.flags & SWP_NOSIZE) == 0 &&
          (position.flags & SWP_NOMOVE) == 0 && found != menuWindows_.end() &&
          !IsWindowVisible(window) && !found->second.background) {
        const RECT placed = {position.x, position.y, position.x + position.cx,
                             position.y + position.cy};
        CaptureBackground(found->second, placed);
      }
      break;
    }
    case WM_NCCALCSIZE: {
      const LRESULT result = CallWindowProcA(old, window, message, wParam, lParam);
      if (shadow) {
        auto* client = reinterpret_cast<RECT*>(lParam);
        client->right -= shadowDepth;
        client->bottom -= shadowDepth;
      }
      return result;
    }
    case WM_NCPAINT: {
      const HDC dc = GetWindowDC(window);
      DrawMenuFrame(window, dc);
      ReleaseDC(window, dc);
      return 0;
    }
    case WM_PAINT: {
      // Some platforms paint a border of their own inside the client area.
      const LRESULT result = CallWindowProcA(old, window, message, wParam, lParam);
      const HDC dc = GetWindowDC(window);
      DrawMenuFrame(window, dc);
      ReleaseDC(window, dc);
      return result;
    }
    case WM_PRINT: {
      const LRESULT result = CallWindowProcA(old, window, message, wParam, lParam);
      DrawMenuFrame(window, reinterpret_cast<HDC>(wParam));
      return result;
    }
    case WM_SHOWWINDOW:
      if (wParam == FALSE) menuWindows_.erase(window);
      break;
    case WM_NCDESTROY:
      menuWindows_.erase(window);
      break;
    default:
      break;
  }
  return CallWindowProcA(old, window, message, wParam, lParam);
}

void FlatMenu::CaptureBackground(MenuWindowRecord& record, const RECT& placed) {
  const SIZE size = {placed.right - placed.left + kCaptureMargin,
                     placed.bottom - placed.top + kCaptureMargin};
  const HDC screen = GetDC(nullptr);
  fw::MemoryDC memory(screen);
  record.background.Reset(CreateCompatibleBitmap(screen, size.cx, size.cy));
  record.backgroundSize = size;
  if (record.background) {
    fw::ScopedSelect selected(memory.Get(), record.background.Get());
    BitBlt(memory.Get(), 0, 0, size.cx, size.cy, screen, placed.left, placed.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
}

void FlatMenu::DrawMenuFrame(HWND window, HDC dc) {
  if (dc == nullptr) return;
  RECT placed = {};
  GetWindowRect(window, &placed);
  RECT frame = {0, 0, placed.right - placed.left, placed.bottom - placed.top};
  const bool shadow = MenuShadowApplies();
  const int shadowDepth = ShadowDepthOf(window);
  if (shadow) {
    frame.right -= shadowDepth;
    frame.bottom -= shadowDepth;
  }
  auto found = menuWindows_.find(window);
  if (found != menuWindows_.end() && !EqualRect(&found->second.lastRect, &placed))
    found->second.lastRect = placed;

  const auto outline = [dc](const RECT& r, Colour colour) {
    fw::Pen pen(CreatePen(PS_SOLID, 1, colour));
    fw::ScopedSelect selectPen(dc, pen.Get());
    fw::ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
  };
  outline(frame, GetSysColor(COLOR_3DDKSHADOW));
  RECT inner = frame;
  for (int step = 0; step < 2; ++step) {
    InflateRect(&inner, -1, -1);
    outline(inner, Light(75));
  }

  // A pop-up that drops from the bar opens into its item: no line there.
  if (!IsRectEmpty(&barItem_) && barItem_.bottom == placed.top + 1) {
    fw::Pen pen(CreatePen(PS_SOLID, 1, Light(20)));
    fw::ScopedSelect selectPen(dc, pen.Get());
    MoveToEx(dc, barItem_.left - placed.left - 3, 0, nullptr);
    LineTo(dc, barItem_.right - placed.left - 5, 0);
  }
  if (shadow && found != menuWindows_.end() && found->second.background)
    DrawShadow(dc, found->second, frame, shadowDepth);
}

void FlatMenu::DrawShadow(HDC dc, const MenuWindowRecord& record, const RECT& frame,
                          int shadowDepth) {
  const PixelBlock behind = ReadPixels(record.background.Get(), record.backgroundSize);
  const int width = frame.right + shadowDepth;
  const int height = frame.bottom + shadowDepth;
  if (width > behind.width || height > behind.height) return;
  std::vector<DWORD> shaded(behind.pixels);
  const auto at = [&](int x, int y) -> DWORD& { return shaded[y * behind.width + x]; };
  for (int depth = 0; depth < shadowDepth; ++depth) {
    for (int y = shadowDepth; y < height; ++y) {  // right strip, top end lighter
      const int x = frame.right + depth;
      const int fromCorner = y >= frame.bottom ? y - frame.bottom : -1;
      const int d = fromCorner > depth ? fromCorner : depth;
      at(x, y) = DarkenPixel(behind.pixels[y * behind.width + x],
                             ShadowPercent(d, y - shadowDepth, shadowDepth));
    }
    for (int x = shadowDepth; x < frame.right; ++x) {  // bottom strip, left end lighter
      const int y = frame.bottom + depth;
      at(x, y) = DarkenPixel(behind.pixels[y * behind.width + x],
                             ShadowPercent(depth, x - shadowDepth, shadowDepth));
    }
  }
  // Copy the two strips (with the corner) to the window.
  BITMAPINFO info = fw::TopDownBitmapInfo(behind.width, behind.height);
  fw::MemoryDC memory(dc);
  void* bits = nullptr;
  fw::Bitmap section(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return;
  std::memcpy(bits, shaded.data(), shaded.size() * sizeof(DWORD));
  fw::ScopedSelect selected(memory.Get(), section.Get());
  BitBlt(dc, frame.right, 0, shadowDepth, height, memory.Get(), frame.right, 0, SRCCOPY);
  BitBlt(dc, 0, frame.bottom, width, shadowDepth, memory.Get(), 0, frame.bottom, SRCCOPY);
}

}  // namespace menus
