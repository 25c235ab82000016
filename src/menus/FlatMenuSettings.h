#pragma once
// The five look settings of the flat menus, read from the program's profile
// (HKEY_CURRENT_USER\Software\Lumetta\<section>, integer values). The
// program never writes them, so the defaults normally apply.

#include "menus/MenuColours.h"

namespace menus {

// A colour setting of -1 stands for a shade of the system face colour.
constexpr int kFaceShade = -1;

struct FlatMenuSettings {
  bool showGradient = true;
  bool showGradientSelection = true;
  int gradientStart = static_cast<int>(MakeColour(180, 195, 228));
  int gradientEnd = static_cast<int>(MakeColour(255, 255, 255));
  int gradientWidth = 30;
};

FlatMenuSettings ReadFlatMenuSettings();

}  // namespace menus
