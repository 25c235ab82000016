#pragma once
// The colouring every dialog of the program shares: each control-colour
// request (WM_CTLCOLOR*) is answered with blue-violet text on white and one
// white brush.

#include <windows.h>

namespace fw {

class DialogColors {
 public:
  static constexpr COLORREF kText = RGB(46, 34, 255);
  static constexpr COLORREF kBackground = RGB(255, 255, 255);

  // Sets the text and text-background colours of dc and returns the brush
  // to answer the request with.
  static HBRUSH Apply(HDC dc);

  // The one white brush, made at first use and kept for the whole run
  // (program-wide by design: every dialog answers with the same brush).
  static HBRUSH SharedBrush();
};

}  // namespace fw
