#pragma once
// An off-screen drawing surface for one rectangle of a target DC: drawing
// goes into a compatible memory DC (outside the rectangle is clipped away)
// and the rectangle is copied to the target when the surface goes.

#include <windows.h>

#include <optional>

#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"

namespace menus {

class OffscreenDC {
 public:
  // An empty rectangle means the target's clip box.
  OffscreenDC(HDC target, const RECT& rect);
  ~OffscreenDC();
  OffscreenDC(const OffscreenDC&) = delete;
  OffscreenDC& operator=(const OffscreenDC&) = delete;

  // The DC to draw into, in the target's coordinates; the target itself when
  // no memory surface could be made.
  HDC Get() const { return bitmap_ ? memory_.Get() : target_; }
  const RECT& Rect() const { return rect_; }

 private:
  HDC target_;
  RECT rect_;
  fw::MemoryDC memory_;
  fw::Bitmap bitmap_;
  std::optional<fw::ScopedSelect> selected_;
};

}  // namespace menus
