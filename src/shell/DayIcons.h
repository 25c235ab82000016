#pragma once
// The notification-area icons: one per day of the month, 1 to 31, drawn at
// run time as a small calendar page with the day number in red. The digits
// are pixel glyphs placed on whole pixels (no smoothing), so they stay crisp
// at 16 x 16; larger small-icon sizes scale them by whole pixels.

#include <windows.h>

#include <array>

namespace shell {

class DayIcons {
 public:
  // The drawing grid of one icon, before scaling.
  static constexpr int kGrid = 16;
  // The colour of the digits.
  static constexpr COLORREF kDigitColour = RGB(220, 0, 0);
  // Glyph size and where the digits stand on the grid.
  static constexpr int kGlyphWidth = 5;
  static constexpr int kGlyphHeight = 9;
  static constexpr int kDigitsTop = 5;

  // Icons of `size` x `size` pixels (the small-icon size when 0).
  explicit DayIcons(int size = 0);
  ~DayIcons();
  DayIcons(const DayIcons&) = delete;
  DayIcons& operator=(const DayIcons&) = delete;

  // The icon for day 1..31, made on first use and kept; nullptr for other
  // days or when it could not be made.
  HICON ForDay(int day);
  int Size() const { return size_; }

  // Whether pixel (x, y) of the 16 x 16 grid is a digit pixel of `day`'s
  // number (for drawing and for tests that read the icons back).
  static bool IsDigitPixel(int day, int x, int y);

 private:
  HICON Make(int day) const;

  int size_;
  std::array<HICON, 31> icons_{};
};

}  // namespace shell
