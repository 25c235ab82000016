#pragma once
// The colour rules of the flat menus, free of any platform type: the
// lightness/saturation adjustment, the steps of a horizontal gradient and the
// darkening of the menu shadow. Colours are 0x00BBGGRR values.

#include <cstdint>
#include <vector>

namespace menus {

using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
         (static_cast<Colour>(blue) << 16);
}
constexpr int Red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// Moves the lightness (and the saturation) of a colour towards full (a
// positive percentage) or towards none (a negative one); hue stays.
Colour AdjustColour(Colour colour, int lightness, int saturation);

// One vertical band of a horizontal gradient: columns [left, right).
struct GradientBand {
  int left;
  int right;
  Colour colour;
};

// The bands that fill `width` columns from `left` with a gradient from `from`
// to `to`: one step per unit of the largest channel difference, empty bands
// left out; equal colours give one band.
std::vector<GradientBand> GradientBands(int left, int width, Colour from, Colour to);

// Whether pop-up menus get the program's own shadow on a Windows version:
// only where the system draws none of its own (Windows 2000, Vista and 7).
// XP draws one, and so do 8 and later (which report themselves as 6.2 to a
// program that does not declare them).
bool OwnMenuShadow(unsigned major, unsigned minor);

// The shadow along a pop-up's right or bottom edge is 4 pixels deep at
// 96 DPI, and deeper in proportion at higher DPIs.
constexpr int kShadowDepthAt96 = 4;

// The percentage of its colour a shadow pixel keeps, for a shadow `deep`
// pixels deep: `depth` counts from the edge of the menu (0) outwards
// (deep - 1), `along` from the end of the strip away from the shadow's
// corner. Lighter outside and at that end: 78 to 93, in four steps
// whatever the depth.
int ShadowPercent(int depth, int along, int deep = kShadowDepthAt96);

// A colour darkened to a percentage of each channel.
Colour Darken(Colour colour, int percent);

}  // namespace menus
