#include "shell/DayIcons.h"

#include <cstdint>
#include <vector>

#include "framework/MemoryDC.h"

namespace shell {

namespace {

// Digit glyphs, one row per string, '#' is ink. Strokes are two pixels wide
// so that the numbers read at a glance; each set is made for its grid.
const char* const kGlyphs5x9[10][9] = {
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

const char* const kGlyphs6x11[10][11] = {
    {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##",
     "##..##", ".####."},
    {"..##..", ".###..", "####..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..",
     "..##..", "######"},
    {".####.", "##..##", "....##", "....##", "...##.", "..##..", ".##...", "##....", "##....",
     "##....", "######"},
    {"#####.", "....##", "....##", "....##", "....##", ".####.", "....##", "....##", "....##",
     "....##", "#####."},
    {"....##", "...###", "..####", ".##.##", "##..##", "##..##", "######", "....##", "....##",
     "....##", "....##"},
    {"######", "##....", "##....", "##....", "#####.", "....##", "....##", "....##", "....##",
     "##..##", ".####."},
    {".####.", "##....", "##....", "##....", "#####.", "##..##", "##..##", "##..##", "##..##",
     "##..##", ".####."},
    {"######", "....##", "....##", "...##.", "...##.", "..##..", "..##..", "..##..", ".##...",
     ".##...", ".##..."},
    {".####.", "##..##", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", "##..##",
     "##..##", ".####."},
    {".####.", "##..##", "##..##", "##..##", "##..##", ".#####", "....##", "....##", "....##",
     "##..##", ".####."},
};

const char* const kGlyphs7x13[10][13] = {
    {".#####.", "#######", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
     "##...##", "##...##", "##...##", "#######", ".#####."},
    {"...##..", "..###..", ".####..", "##.##..", "...##..", "...##..", "...##..", "...##..",
     "...##..", "...##..", "...##..", "#######", "#######"},
    {".#####.", "#######", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...",
     ".##....", "##.....", "##.....", "#######", "#######"},
    {"######.", "#######", ".....##", ".....##", ".....##", "..####.", "..####.", ".....##",
     ".....##", ".....##", ".....##", "#######", "######."},
    {".....##", "....###", "...####", "..##.##", ".##..##", "##...##", "##...##", "#######",
     "#######", ".....##", ".....##", ".....##", ".....##"},
    {"#######", "#######", "##.....", "##.....", "##.....", "######.", "#######", ".....##",
     ".....##", ".....##", "##...##", "#######", ".#####."},
    {".#####.", "#######", "##.....", "##.....", "##.....", "######.", "#######", "##...##",
     "##...##", "##...##", "##...##", "#######", ".#####."},
    {"#######", "#######", ".....##", ".....##", "....##.", "....##.", "...##..", "...##..",
     "..##...", "..##...", "..##...", "..##...", "..##..."},
    {".#####.", "#######", "##...##", "##...##", "##...##", ".#####.", ".#####.", "##...##",
     "##...##", "##...##", "##...##", "#######", ".#####."},
    {".#####.", "#######", "##...##", "##...##", "##...##", "##...##", "#######", ".######",
     ".....##", ".....##", ".....##", "#######", ".#####."},
};

// One drawing grid: a page with a dark band at the top carrying two light
// binding rings (the right one mirrors the left), a grey outline down the
// sides and along the bottom, white paper, and the digits below the band.
struct PageDesign {
  int grid;
  int bandRows;
  int ringLeft;
  int ringTop;
  int ringWidth;
  int ringHeight;
  int glyphWidth;
  int glyphHeight;
  int digitsTop;
  const char* const* glyphs;  // digit d's row r is glyphs[d * glyphHeight + r]
};

const PageDesign kDesigns[] = {
    {16, 4, 4, 1, 1, 1, 5, 9, 5, &kGlyphs5x9[0][0]},
    {20, 5, 5, 1, 1, 2, 6, 11, 6, &kGlyphs6x11[0][0]},
    {24, 6, 6, 1, 2, 2, 7, 13, 8, &kGlyphs7x13[0][0]},
};

const PageDesign* DesignFor(int grid) {
  for (const PageDesign& design : kDesigns) {
    if (design.grid == grid) return &design;
  }
  return nullptr;
}

constexpr COLORREF kBand = RGB(40, 70, 140);
constexpr COLORREF kRing = RGB(230, 230, 230);
constexpr COLORREF kOutline = RGB(110, 110, 110);
constexpr COLORREF kPaper = RGB(255, 255, 255);

int DigitCount(int day) { return day >= 10 ? 2 : 1; }

// The left column of the day's number, centred with a one-pixel gap
// between two digits.
int DigitsLeft(const PageDesign& design, int day) {
  const int width = DigitCount(day) * design.glyphWidth + (DigitCount(day) - 1);
  return (design.grid - width + 1) / 2;
}

bool IsDigitPixel(const PageDesign& design, int day, int x, int y) {
  if (day < 1 || day > 31) return false;
  const int row = y - design.digitsTop;
  if (row < 0 || row >= design.glyphHeight) return false;
  int left = DigitsLeft(design, day);
  const int digits[2] = {day >= 10 ? day / 10 : day % 10, day % 10};
  for (int i = 0; i < DigitCount(day); ++i) {
    const int column = x - left;
    if (column >= 0 && column < design.glyphWidth) {
      return design.glyphs[digits[i] * design.glyphHeight + row][column] == '#';
    }
    left += design.glyphWidth + 1;
  }
  return false;
}

bool InRing(const PageDesign& design, int x, int y) {
  if (y < design.ringTop || y >= design.ringTop + design.ringHeight) return false;
  const int mirrored = design.grid - 1 - x;
  return (x >= design.ringLeft && x < design.ringLeft + design.ringWidth) ||
         (mirrored >= design.ringLeft && mirrored < design.ringLeft + design.ringWidth);
}

COLORREF GridColour(const PageDesign& design, int day, int x, int y) {
  if (IsDigitPixel(design, day, x, y)) return DayIcons::kDigitColour;
  if (y < design.bandRows) return InRing(design, x, y) ? kRing : kBand;
  if (x == 0 || x == design.grid - 1 || y == design.grid - 1) return kOutline;
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
  if (size_ < kSmallestGrid) size_ = kSmallestGrid;
}

DayIcons::~DayIcons() {
  for (HICON icon : icons_) {
    if (icon != nullptr) DestroyIcon(icon);
  }
}

int DayIcons::GridFor(int size) {
  int best = kSmallestGrid;
  int covered = 0;
  for (const PageDesign& design : kDesigns) {
    const int cover = (size / design.grid) * design.grid;
    if (cover > 0 && cover >= covered) {
      best = design.grid;
      covered = cover;
    }
  }
  return best;
}

bool DayIcons::IsDigitPixel(int grid, int day, int x, int y) {
  const PageDesign* design = DesignFor(grid);
  return design != nullptr && shell::IsDigitPixel(*design, day, x, y);
}

HICON DayIcons::ForDay(int day) {
  if (day < 1 || day > 31) return nullptr;
  HICON& icon = icons_[static_cast<size_t>(day - 1)];
  if (icon == nullptr) icon = Make(day);
  return icon;
}

HICON DayIcons::Make(int day) const {
  // Whole-pixel scaling, centred, keeps the digits sharp at any size.
  const PageDesign& design = *DesignFor(GridFor(size_));
  const int scale = size_ / design.grid;
  const int offset = (size_ - design.grid * scale) / 2;

  BITMAPINFO info = fw::TopDownBitmapInfo(size_, size_);
  void* bits = nullptr;
  BitmapHolder colour;
  colour.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour.bitmap == nullptr || bits == nullptr) return nullptr;

  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < size_; ++y) {
    for (int x = 0; x < size_; ++x) {
      const int gx = (x - offset) / scale;
      const int gy = (y - offset) / scale;
      const bool inside = x >= offset && y >= offset && gx < design.grid && gy < design.grid;
      pixels[y * size_ + x] = inside ? Pixel(GridColour(design, day, gx, gy)) : 0;  // transparent
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
