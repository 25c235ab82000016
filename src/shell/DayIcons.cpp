#include "shell/DayIcons.h"

#include <cstdint>
#include <vector>

#include "framework/MemoryDC.h"

namespace shell {

namespace {

// Digits 0..9, kGlyphHeight rows of kGlyphWidth columns; '#' is ink.
const char* const kGlyphs[10][DayIcons::kGlyphHeight] = {
    {".###.", "##.##", "##.##", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."},
    {"..##.", ".###.", "####.", "..##.", "..##.", "..##.", "..##.", "..##.", "#####"},
    {".###.", "##.##", "...##", "...##", "..##.", ".##..", "##...", "##...", "#####"},
    {"####.", "...##", "...##", "...##", ".###.", "...##", "...##", "...##", "####."},
    {"...##", "..###", ".####", "##.##", "##.##", "#####", "...##", "...##", "...##"},
    {"#####", "##...", "##...", "####.", "...##", "...##", "...##", "##.##", ".###."},
    {".###.", "##...", "##...", "####.", "##.##", "##.##", "##.##", "##.##", ".###."},
    {"#####", "...##", "...##", "..##.", "..##.", ".##..", ".##..", ".##..", ".##.."},
    {".###.", "##.##", "##.##", ".###.", "##.##", "##.##", "##.##", "##.##", ".###."},
    {".###.", "##.##", "##.##", "##.##", ".####", "...##", "...##", "##.##", ".###."},
};

// The page: a dark band at the top (rows 0..3), a grey outline, white paper.
constexpr int kBandRows = 4;
constexpr COLORREF kBand = RGB(40, 70, 140);
constexpr COLORREF kRing = RGB(230, 230, 230);
constexpr COLORREF kOutline = RGB(110, 110, 110);
constexpr COLORREF kPaper = RGB(255, 255, 255);

// Left column of each digit of a day's number on the grid.
int DigitCount(int day) { return day >= 10 ? 2 : 1; }
int DigitsLeft(int day) {
  const int width = DigitCount(day) * DayIcons::kGlyphWidth + (DigitCount(day) - 1);
  return (DayIcons::kGrid - width + 1) / 2;
}

COLORREF GridColour(int day, int x, int y) {
  if (DayIcons::IsDigitPixel(day, x, y)) return DayIcons::kDigitColour;
  if (y < kBandRows) return (y == 1 && (x == 4 || x == 11)) ? kRing : kBand;
  if (x == 0 || x == DayIcons::kGrid - 1 || y == DayIcons::kGrid - 1) return kOutline;
  return kPaper;
}

// A top-down 32-bit pixel as a DIB stores it (blue, green, red, alpha).
std::uint32_t Pixel(COLORREF colour) {
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

// Deletes a GDI bitmap at scope exit (the icon keeps its own copies).
struct BitmapHolder {
  HBITMAP bitmap = nullptr;
  ~BitmapHolder() {
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
};

}  // namespace

DayIcons::DayIcons(int size) : size_(size > 0 ? size : GetSystemMetrics(SM_CXSMICON)) {
  if (size_ < kGrid) size_ = kGrid;
}

DayIcons::~DayIcons() {
  for (HICON icon : icons_) {
    if (icon != nullptr) DestroyIcon(icon);
  }
}

bool DayIcons::IsDigitPixel(int day, int x, int y) {
  if (day < 1 || day > 31) return false;
  const int row = y - kDigitsTop;
  if (row < 0 || row >= kGlyphHeight) return false;
  int left = DigitsLeft(day);
  const int digits[2] = {day >= 10 ? day / 10 : day % 10, day % 10};
  for (int i = 0; i < DigitCount(day); ++i) {
    const int column = x - left;
    if (column >= 0 && column < kGlyphWidth) return kGlyphs[digits[i]][row][column] == '#';
    left += kGlyphWidth + 1;
  }
  return false;
}

HICON DayIcons::ForDay(int day) {
  if (day < 1 || day > 31) return nullptr;
  HICON& icon = icons_[static_cast<size_t>(day - 1)];
  if (icon == nullptr) icon = Make(day);
  return icon;
}

HICON DayIcons::Make(int day) const {
  // Whole-pixel scaling, centred, keeps the digits sharp at any size.
  const int scale = size_ / kGrid;
  const int offset = (size_ - kGrid * scale) / 2;

  BITMAPINFO info = fw::TopDownBitmapInfo(size_, size_);
  void* bits = nullptr;
  BitmapHolder colour;
  colour.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour.bitmap == nullptr || bits == nullptr) return nullptr;

  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < size_; ++y) {
    for (int x = 0; x < size_; ++x) {
      const int gx = (x - offset) / (scale > 0 ? scale : 1);
      const int gy = (y - offset) / (scale > 0 ? scale : 1);
      const bool inside = x >= offset && y >= offset && gx < kGrid && gy < kGrid;
      pixels[y * size_ + x] = inside ? Pixel(GridColour(day, gx, gy)) : 0;  // outside: transparent
    }
  }
  GdiFlush();

  // The mask is all zero: the alpha channel of the colour bitmap decides.
  std::vector<std::uint8_t> maskBits(static_cast<size_t>(((size_ + 15) / 16) * 2 * size_), 0);
  BitmapHolder mask;
  mask.bitmap = CreateBitmap(size_, size_, 1, 1, maskBits.data());
  if (mask.bitmap == nullptr) return nullptr;

  ICONINFO iconInfo = {};
  iconInfo.fIcon = TRUE;
  iconInfo.hbmMask = mask.bitmap;
  iconInfo.hbmColor = colour.bitmap;
  return CreateIconIndirect(&iconInfo);
}

}  // namespace shell
