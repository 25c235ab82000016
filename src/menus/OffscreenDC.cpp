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
  // Only as large as the rectangle (a bitmap reaching from the target's
  // origin grew with every row further down a menu, and each new page of it
  // costs time); its origin is moved so that the target's coordinates can
  // be used unchanged.
  const int width = rect_.right - rect_.left;
  const int height = rect_.bottom - rect_.top;
  if (memory_ && width > 0 && height > 0)
    bitmap_.Reset(CreateCompatibleBitmap(target, width, height));
  if (!bitmap_) return;
  selected_.emplace(memory_.Get(), bitmap_.Get());
  SetBkMode(memory_.Get(), GetBkMode(target));
  SetWindowOrgEx(memory_.Get(), rect_.left, rect_.top, nullptr);
}

OffscreenDC::~OffscreenDC() {
  if (!bitmap_) return;
  BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
         memory_.Get(), rect_.left, rect_.top, SRCCOPY);
  selected_.reset();
}

}  // namespace menus
