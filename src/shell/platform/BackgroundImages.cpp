#include "shell/platform/BackgroundImages.h"

#include <cstring>

#include "store/Settings.h"
#include "views/BackgroundImage.h"

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
  return views::LoadBackgroundBitmap(path.c_str());
}

std::uint32_t ImageToSlot(fw::Bitmap image) { return views::SlotFromBitmap(image.Release()); }

void LoadBackgroundImages(store::SettingsBlock& settings) {
  FillSlot(settings.mainImageHandle, settings.mainImage, sizeof settings.mainImage);
  FillSlot(settings.plannerImageHandle, settings.plannerImage, sizeof settings.plannerImage);
}

}  // namespace platform
