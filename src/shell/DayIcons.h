#pragma once
// The notification-area icons: one per day of the month, 1 to 31, drawn at
// run time as a small calendar page with the day number in red. The page and
// the digits are designed pixel by pixel for grids of 16, 20 and 24 pixels and
// placed on whole pixels (no smoothing), so they stay crisp at the small-icon
// sizes of 100, 125 and 150 %; larger sizes scale one of them by whole pixels.

#include <windows.h>

#include <array>

namespace shell {

class DayIcons {
 public:
  // The colour of the digits.
  static constexpr COLORREF kDigitColour = RGB(220, 0, 0);
  // The smallest drawing grid; smaller icons are not made.
  static constexpr int kSmallestGrid = 16;

  // Icons of `size` x `size` pixels (the small-icon size when 0).
  explicit DayIcons(int size = 0);
  ~DayIcons();
  DayIcons(const DayIcons&) = delete;
  DayIcons& operator=(const DayIcons&) = delete;

  // The icon for day 1..31, made on first use and kept; nullptr for other
  // days or when it could not be made.
  HICON ForDay(int day);
  int Size() const { return size_; }

  // The grid an icon of `size` pixels is drawn on: of the designed grids, the
  // one whose whole-pixel scaling covers most of the icon (the larger grid
  // when two cover the same), centred in what is left.
  static int GridFor(int size);

  // Whether pixel (x, y) of `grid` (16, 20 or 24) is a digit pixel of `day`'s
  // number (for drawing and for tests that read the icons back).
  static bool IsDigitPixel(int grid, int day, int x, int y);

 private:
  HICON Make(int day) const;

  int size_;
  std::array<HICON, 31> icons_{};
};

}  // namespace shell
