#include "menus/OffscreenDC.h"

namespace menus {
namespace {

RECT TargetRect(HDC target, const RECT& rect) {
  if (!IsRectEmpty(&rect)) return rect;
  RECT clip = {};
  GetClipBox(target, &clip);
  return clip;
}

}  // namespace

OffscreenDC::OffscreenDC(HDC target, const RECT& rect)
    : target_(target), rect_(TargetRect(target, rect)), memory_(target) {
  // As large as the rectangle's right and bottom, so that the target's
  // coordinates can be used unchanged.
  if (memory_) bitmap_.Reset(CreateCompatibleBitmap(target, rect_.right, rect_.bottom));
  if (!bitmap_) return;
  selected_.emplace(memory_.Get(), bitmap_.Get());
  SetBkMode(memory_.Get(), GetBkMode(target));
  ExcludeClipRect(memory_.Get(), 0, 0, rect_.right, rect_.top);
  ExcludeClipRect(memory_.Get(), 0, 0, rect_.left, rect_.bottom);
}

OffscreenDC::~OffscreenDC() {
  if (!bitmap_) return;
  BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
         memory_.Get(), rect_.left, rect_.top, SRCCOPY);
  selected_.reset();
}

}  // namespace menus
