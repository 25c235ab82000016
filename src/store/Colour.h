// Colours as stored by the program: 0x00BBGGRR (red in the lowest byte).
#pragma once

#include <cstdint>

namespace store {

using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
         (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace store
