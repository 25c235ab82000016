#pragma once
// Loading the background images named in the settings: a bitmap file
// drawn behind the month view (mainImage) and one behind the day planner
// (plannerImage). A loaded image travels to its view through the settings'
// 32-bit handle slot (GDI handles carry 32 significant bits in 64-bit
// processes too); the view that takes it from the slot owns it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/GdiObject.h"

namespace store {
struct SettingsBlock;
}

namespace platform {

// True for the texts that mean "no image": empty or "none" in any case.
bool IsNoImagePath(const std::string& path);

// The bitmap file at its natural size (LoadImageA from a file). Empty for a
// "no image" path and for a file that cannot be loaded as a bitmap.
fw::Bitmap LoadBackgroundImage(const std::string& path);

// The slot value of an image; the slot's reader becomes its owner.
std::uint32_t ImageToSlot(fw::Bitmap image);

// A slot's image (the views take theirs this way) and an image's slot value
// without handing it over. GDI handles carry 32 significant bits, also in
// 64-bit processes (sign-extended).
HBITMAP BitmapFromSlot(std::uint32_t slot);
std::uint32_t SlotFromBitmap(HBITMAP bitmap);

// Fills both handle slots from the settings' image paths: an image that
// cannot be loaded (including "none") or an empty path leaves the slot
// empty. Called while loading the settings, before any view took an image:
// the slots' earlier values are not images anyone owns and are overwritten.
void LoadBackgroundImages(store::SettingsBlock& settings);

}  // namespace platform
