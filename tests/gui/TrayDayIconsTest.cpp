// The 31 day-number icons of the notification area: read back pixel by
// pixel, every digit pixel is red and every other pixel is not, at the
// notification area's 16 x 16 and scaled by whole pixels when larger.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "shell/DayIcons.h"

namespace {

// The colour pixels of an icon, top-down, as 0x00RRGGBB plus alpha on top.
struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

IconPixels Read(HICON icon) {
  IconPixels out;
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return out;
  BITMAP bitmap = {};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  out.width = bitmap.bmWidth;
  out.height = bitmap.bmHeight;
  BITMAPINFO request = {};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = out.width;
  request.bmiHeader.biHeight = -out.height;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  out.pixels.resize(static_cast<size_t>(out.width * out.height));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(out.height), out.pixels.data(), &request,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return out;
}

bool IsDigitRed(std::uint32_t pixel) {
  const COLORREF red = shell::DayIcons::kDigitColour;
  return (pixel & 0xFFFFFF) == ((static_cast<std::uint32_t>(GetRValue(red)) << 16) |
                                GetBValue(red) | (static_cast<std::uint32_t>(GetGValue(red)) << 8));
}

TEST(DayIcons, EachDayShowsItsOwnNumberInRedAndNothingElseRed) {
  shell::DayIcons icons(16);
  for (int day = 1; day <= 31; ++day) {
    HICON icon = icons.ForDay(day);
    ASSERT_NE(nullptr, icon) << "day " << day;
    const IconPixels image = Read(icon);
    ASSERT_EQ(16, image.width) << "day " << day;
    ASSERT_EQ(16, image.height) << "day " << day;
    int red = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool digit = shell::DayIcons::IsDigitPixel(day, x, y);
        EXPECT_EQ(digit, IsDigitRed(image.At(x, y))) << "day " << day << " at " << x << "," << y;
        EXPECT_EQ(0xFFu, image.At(x, y) >> 24) << "opaque: day " << day << " at " << x << "," << y;
        red += digit ? 1 : 0;
      }
    }
    EXPECT_GE(red, 12) << "day " << day << " has a visible number";
  }
}

TEST(DayIcons, NumbersDifferFromDayToDay) {
  for (int a = 1; a <= 31; ++a) {
    for (int b = a + 1; b <= 31; ++b) {
      bool differ = false;
      for (int y = 0; y < 16 && !differ; ++y) {
        for (int x = 0; x < 16 && !differ; ++x) {
          differ = shell::DayIcons::IsDigitPixel(a, x, y) != shell::DayIcons::IsDigitPixel(b, x, y);
        }
      }
      EXPECT_TRUE(differ) << a << " and " << b << " look the same";
    }
  }
}

TEST(DayIcons, TheNumberStaysInsideThePageAndIsCentred) {
  for (int day : {1, 8, 16, 31}) {
    int minX = 16, maxX = -1;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if (!shell::DayIcons::IsDigitPixel(day, x, y)) continue;
        minX = x < minX ? x : minX;
        maxX = x > maxX ? x : maxX;
        EXPECT_GE(y, shell::DayIcons::kDigitsTop) << day;
        EXPECT_LT(y, 15) << day;
      }
    }
    EXPECT_GE(minX, 1) << day;
    EXPECT_LE(maxX, 14) << day;
    EXPECT_LE(std::abs((minX + maxX) - 15), 2) << "centred: day " << day;
  }
}

TEST(DayIcons, LargerSizesScaleByWholePixels) {
  shell::DayIcons icons(32);
  const IconPixels image = Read(icons.ForDay(16));
  ASSERT_EQ(32, image.width);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(shell::DayIcons::IsDigitPixel(16, x / 2, y / 2), IsDigitRed(image.At(x, y)))
          << x << "," << y;
    }
  }
}

TEST(DayIcons, DaysOutsideOneToThirtyOneHaveNoIconAndIconsAreKept) {
  shell::DayIcons icons(16);
  EXPECT_EQ(nullptr, icons.ForDay(0));
  EXPECT_EQ(nullptr, icons.ForDay(32));
  EXPECT_EQ(icons.ForDay(5), icons.ForDay(5));
}

}  // namespace
