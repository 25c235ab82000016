#include "menus/FlatMenuSettings.h"

#include <windows.h>

#include <string>

namespace menus {
namespace {

int ProfileInt(const char* section, const char* key, int fallback) {
  const std::string path = std::string("Software\\Lumetta\\") + section;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), key, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return fallback;
  return static_cast<int>(value);
}

}  // namespace

FlatMenuSettings ReadFlatMenuSettings() {
  const FlatMenuSettings defaults;
  FlatMenuSettings settings;
  settings.showGradient = ProfileInt("FlatMenu", "ShowGradient", defaults.showGradient) != 0;
  settings.showGradientSelection =
      ProfileInt("FlatMenuEx", "ShowGradientSel", defaults.showGradientSelection) != 0;
  settings.gradientStart = ProfileInt("FlatMenu", "GradientStart", defaults.gradientStart);
  settings.gradientEnd = ProfileInt("FlatMenu", "GradientEnd", defaults.gradientEnd);
  settings.gradientWidth = ProfileInt("FlatMenu", "GradientWidth", defaults.gradientWidth);
  return settings;
}

}  // namespace menus
