// The 31 day-number icons of the notification area, read back pixel by pixel
// at the small-icon sizes of 100, 125, 150 and 200 % and beyond: the page
// fills the icon, the number is red, large enough to read, its two digits
// stand apart, and it sits on white paper inside the page.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "shell/DayIcons.h"
#include "support/Pixels.h"

namespace {

using testing_support::IconPixels;

bool IsDigitRed(std::uint32_t pixel) {
  const COLORREF red = shell::DayIcons::kDigitColour;
  return (pixel & 0xFFFFFF) == ((static_cast<std::uint32_t>(GetRValue(red)) << 16) |
                                GetBValue(red) | (static_cast<std::uint32_t>(GetGValue(red)) << 8));
}

struct Box {
  int left = 1 << 20;
  int top = 1 << 20;
  int right = -1;
  int bottom = -1;
  void Add(int x, int y) {
    left = x < left ? x : left;
    top = y < top ? y : top;
    right = x > right ? x : right;
    bottom = y > bottom ? y : bottom;
  }
};

struct SizeCase {
  int size;  // asked for
  int grid;  // the designed grid it is drawn on
  int page;  // side of the drawn page, centred in the icon
};

const SizeCase kSizes[] = {
    {16, 16, 16}, {20, 20, 20}, {24, 24, 24}, {32, 16, 32},
    {40, 20, 40}, {48, 24, 48}, {36, 16, 32},  // no grid fits 36 exactly
};

class DayIcons : public ::testing::Test {
 protected:
  static bool IsPaper(std::uint32_t pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }

  // The widths of the runs of columns holding red, left to right, and the
  // gaps between them.
  static void ColumnRuns(const IconPixels& image, std::vector<int>& runs, std::vector<int>& gaps) {
    int run = 0;
    int gap = 0;
    for (int x = 0; x < image.width; ++x) {
      bool red = false;
      for (int y = 0; y < image.height && !red; ++y) red = IsDigitRed(image.At(x, y));
      if (red) {
        if (run == 0 && !runs.empty()) gaps.push_back(gap);
        ++run;
        gap = 0;
      } else {
        if (run > 0) runs.push_back(run);
        run = 0;
        ++gap;
      }
    }
    if (run > 0) runs.push_back(run);
  }
};

TEST_F(DayIcons, EachDayIsItsDesignedPageScaledByWholePixelsToFillTheIcon) {
  for (const SizeCase& c : kSizes) {
    shell::DayIcons icons(c.size);
    const int scale = c.page / c.grid;
    const int offset = (c.size - c.page) / 2;
    for (int day = 1; day <= 31; ++day) {
      SCOPED_TRACE(::testing::Message() << "size " << c.size << ", day " << day);
      const IconPixels image = testing_support::ReadIcon(icons.ForDay(day));
      ASSERT_EQ(c.size, image.width);
      ASSERT_EQ(c.size, image.height);
      int red = 0;
      for (int y = 0; y < c.size; ++y) {
        for (int x = 0; x < c.size; ++x) {
          const bool onPage =
              x >= offset && y >= offset && x < offset + c.page && y < offset + c.page;
          ASSERT_EQ(onPage ? 0xFFu : 0u, image.At(x, y) >> 24) << "alpha at " << x << "," << y;
          if (!onPage) continue;
          const bool digit = shell::DayIcons::IsDigitPixel(c.grid, day, (x - offset) / scale,
                                                           (y - offset) / scale);
          ASSERT_EQ(digit, IsDigitRed(image.At(x, y))) << "at " << x << "," << y;
          red += digit ? 1 : 0;
        }
      }
      EXPECT_GE(red, c.size * c.size / 20) << "a visible number";
    }
  }
}

TEST_F(DayIcons, TheNumberIsLargeCentredOnPaperAndItsDigitsStandApart) {
  for (const SizeCase& c : kSizes) {
    shell::DayIcons icons(c.size);
    const int scale = c.page / c.grid;
    for (int day = 1; day <= 31; ++day) {
      SCOPED_TRACE(::testing::Message() << "size " << c.size << ", day " << day);
      const IconPixels image = testing_support::ReadIcon(icons.ForDay(day));
      ASSERT_EQ(c.size, image.width);
      Box number;
      for (int y = 0; y < c.size; ++y) {
        for (int x = 0; x < c.size; ++x) {
          if (IsDigitRed(image.At(x, y))) number.Add(x, y);
        }
      }
      ASSERT_GE(number.right, 0) << "no number";
      // Readable at a glance: at least half the icon tall, and two digits at
      // least three fifths of it wide.
      EXPECT_GE((number.bottom - number.top + 1) * 2, c.size);
      if (day >= 10) {
        EXPECT_GE((number.right - number.left + 1) * 5, c.size * 3);
      }
      EXPECT_LE(std::abs(number.left - (c.size - 1 - number.right)), scale) << "centred";

      // White paper all round the number: inside the page, clear of the band
      // and the outline.
      ASSERT_GE(number.left, 1);
      ASSERT_GE(number.top, 1);
      ASSERT_LE(number.right, c.size - 2);
      ASSERT_LE(number.bottom, c.size - 2);
      for (int x = number.left - 1; x <= number.right + 1; ++x) {
        EXPECT_TRUE(IsPaper(image.At(x, number.top - 1))) << "above, at " << x;
        EXPECT_TRUE(IsPaper(image.At(x, number.bottom + 1))) << "below, at " << x;
      }
      for (int y = number.top; y <= number.bottom; ++y) {
        EXPECT_TRUE(IsPaper(image.At(number.left - 1, y))) << "left, at " << y;
        EXPECT_TRUE(IsPaper(image.At(number.right + 1, y))) << "right, at " << y;
      }

      // One block of columns per digit, equally wide, apart by a clear column.
      std::vector<int> runs;
      std::vector<int> gaps;
      ColumnRuns(image, runs, gaps);
      ASSERT_EQ(day >= 10 ? 2u : 1u, runs.size());
      if (day >= 10) {
        EXPECT_EQ(runs[0], runs[1]);
        EXPECT_GE(gaps[0], scale);
      }
    }
  }
}

TEST_F(DayIcons, NumbersDifferFromDayToDay) {
  for (const SizeCase& c : kSizes) {
    shell::DayIcons icons(c.size);
    std::vector<std::vector<bool>> red;
    for (int day = 1; day <= 31; ++day) {
      const IconPixels image = testing_support::ReadIcon(icons.ForDay(day));
      std::vector<bool> mask;
      for (std::uint32_t pixel : image.pixels) mask.push_back(IsDigitRed(pixel));
      red.push_back(mask);
    }
    for (size_t a = 0; a < red.size(); ++a) {
      for (size_t b = a + 1; b < red.size(); ++b) {
        EXPECT_NE(red[a], red[b]) << "size " << c.size << ": " << a + 1 << " and " << b + 1;
      }
    }
  }
}

TEST_F(DayIcons, DaysOutsideOneToThirtyOneHaveNoIconAndIconsAreKept) {
  shell::DayIcons icons(16);
  EXPECT_EQ(nullptr, icons.ForDay(0));
  EXPECT_EQ(nullptr, icons.ForDay(32));
  EXPECT_EQ(icons.ForDay(5), icons.ForDay(5));
}

}  // namespace
