#include "platform/BackgroundImages.h"

#include <cstring>

#include "store/Settings.h"

namespace platform {

namespace {

void FillSlot(std::uint32_t& slot, const char* path, std::size_t fieldSize) {
  slot = 0;
  if (std::memchr(path, '\0', fieldSize) == nullptr) return;  // not a terminated path
  slot = ImageToSlot(LoadBackgroundImage(path));
}

}  // namespace

bool IsNoImagePath(const std::string& path) {
  return path.empty() || lstrcmpiA(path.c_str(), "none") == 0;
}

fw::Bitmap LoadBackgroundImage(const std::string& path) {
  if (IsNoImagePath(path)) return fw::Bitmap();
  return fw::Bitmap(
      static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

std::uint32_t ImageToSlot(fw::Bitmap image) { return SlotFromBitmap(image.Release()); }

HBITMAP BitmapFromSlot(std::uint32_t slot) {
  return reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(static_cast<std::int32_t>(slot)));
}

std::uint32_t SlotFromBitmap(HBITMAP bitmap) {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(bitmap));
}

void LoadBackgroundImages(store::SettingsBlock& settings) {
  FillSlot(settings.mainImageHandle, settings.mainImage, sizeof settings.mainImage);
  FillSlot(settings.plannerImageHandle, settings.plannerImage, sizeof settings.plannerImage);
}

}  // namespace platform
