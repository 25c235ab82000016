#include "framework/Dpi.h"

namespace fw {
namespace {

// Not in the Windows 7 headers the program is built against.
constexpr int kMonitorEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

template <typename Function>
Function Lookup(const char* module, const char* name) {
  HMODULE library = GetModuleHandleA(module);
  if (library == nullptr) library = LoadLibraryA(module);
  if (library == nullptr) return nullptr;
  // Function pointers from GetProcAddress are cast to their real type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

Dpi Dpi::System() {
  using GetDpiForSystemFunction = UINT(WINAPI*)();
  static const auto getDpiForSystem =
      Lookup<GetDpiForSystemFunction>("user32.dll", "GetDpiForSystem");
  if (getDpiForSystem != nullptr) return Dpi(getDpiForSystem());
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return Dpi(dpi > 0 ? static_cast<UINT>(dpi) : 0);
}

Dpi Dpi::ForWindow(HWND hwnd) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForWindow =
      Lookup<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
  static const auto getDpiForMonitor =
      Lookup<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
  if (hwnd != nullptr && getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return Dpi(dpi);
  }
  if (getDpiForMonitor != nullptr) {
    HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    UINT x = 0;
    UINT y = 0;
    if (monitor != nullptr && SUCCEEDED(getDpiForMonitor(monitor, kMonitorEffectiveDpi, &x, &y)) &&
        y != 0)
      return Dpi(y);
  }
  return System();
}

int Dpi::Scale(int at96) const { return MulDiv(at96, static_cast<int>(value_), kDesign); }

int Dpi::Unscale(int pixels) const { return MulDiv(pixels, kDesign, static_cast<int>(value_)); }

LOGFONTA Dpi::ScaleFont(const LOGFONTA& at96) const {
  LOGFONTA font = at96;
  font.lfHeight = Scale(at96.lfHeight);
  font.lfWidth = Scale(at96.lfWidth);
  return font;
}

LOGFONTA Dpi::UnscaleFont(const LOGFONTA& scaled) const {
  LOGFONTA font = scaled;
  font.lfHeight = Unscale(scaled.lfHeight);
  font.lfWidth = Unscale(scaled.lfWidth);
  return font;
}

void EnablePerMonitorDpiAwareness() {
  using SetContextFunction = BOOL(WINAPI*)(HANDLE);
  using SetAwareFunction = BOOL(WINAPI*)();
  const auto setContext = Lookup<SetContextFunction>("user32.dll", "SetProcessDpiAwarenessContext");
  // Fails harmlessly when the manifest has already set the awareness.
  if (setContext != nullptr && setContext(kPerMonitorAwareV2)) return;
  if (setContext != nullptr && GetLastError() == ERROR_ACCESS_DENIED) return;
  const auto setAware = Lookup<SetAwareFunction>("user32.dll", "SetProcessDPIAware");
  if (setAware != nullptr) setAware();
}

}  // namespace fw
