#include "platform/ScreenColours.h"

#include <windows.h>

namespace platform {

namespace {

std::optional<bool> g_forcedHighContrast;

}  // namespace

bool HighContrastOn() {
  if (g_forcedHighContrast) return *g_forcedHighContrast;
  HIGHCONTRASTA contrast = {};
  contrast.cbSize = sizeof contrast;
  if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

store::SettingsBlock DrawingSettings() {
  store::SettingsBlock settings = store::g_settings;
  if (!HighContrastOn()) return settings;
  settings.fore = GetSysColor(COLOR_WINDOWTEXT);
  settings.back = GetSysColor(COLOR_WINDOW);
  // The planner's alternating rows become one plain background.
  settings.dayplan1 = GetSysColor(COLOR_WINDOW);
  settings.dayplan2 = GetSysColor(COLOR_WINDOW);
  // Frames in the text colour stay visible on any high-contrast scheme.
  settings.toplite = GetSysColor(COLOR_WINDOWTEXT);
  settings.botlite = GetSysColor(COLOR_WINDOWTEXT);
  settings.currentday = GetSysColor(COLOR_HIGHLIGHT);
  settings.hasappoint = GetSysColor(COLOR_HOTLIGHT);
  return settings;
}

store::Colour EntryColour(store::Colour own) {
  return HighContrastOn() ? GetSysColor(COLOR_WINDOWTEXT) : own;
}

void ForceHighContrast(std::optional<bool> on) { g_forcedHighContrast = on; }

}  // namespace platform
