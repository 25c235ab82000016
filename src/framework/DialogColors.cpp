#include "framework/DialogColors.h"

#include "framework/GdiObject.h"

namespace fw {

HBRUSH DialogColors::SharedBrush() {
  static const Brush brush(CreateSolidBrush(kBackground));
  return brush.Get();
}

HBRUSH DialogColors::Apply(HDC dc) {
  SetTextColor(dc, kText);
  SetBkColor(dc, kBackground);
  return SharedBrush();
}

}  // namespace fw
