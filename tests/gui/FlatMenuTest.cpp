// The flat menus: how items are measured, access letters with "&&", the
// plain strips on displays of 8 bits per pixel or fewer, and what an open
// pop-up menu shows (strip, highlight frame, check mark).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/FrameWindow.h"
#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "menus/FlatMenu.h"
#include "menus/MenuColours.h"
#include "menus/MenuItems.h"
#include "resource.h"
#include "support/Pump.h"

namespace {

using menus::AdjustColour;
using menus::FlatMenu;
using menus::FlatMenuSettings;

const UINT kFirst = 40001;
const COLORREF kUntouched = RGB(255, 0, 255);

class MenuTestFrame : public fw::FrameWindow {
 public:
  ~MenuTestFrame() override { Destroy(); }
  bool Create() {
    fw::WindowParams params;
    params.title = "Flat menu test";
    params.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    params.x = 100;
    params.y = 100;
    params.width = 500;
    params.height = 300;
    return CreateFrame(IDR_MAINFRAME, "LumettaFlatMenuTest", params);
  }
  // The test menus' commands are enabled (the frame greys unknown ones).
  bool IsCommandEnabled(UINT id) const override {
    return (id >= kFirst && id < kFirst + 100) || fw::FrameWindow::IsCommandEnabled(id);
  }
};

struct PopupMenu {
  HMENU handle = CreatePopupMenu();
  ~PopupMenu() { DestroyMenu(handle); }
};

// One row of a test menu: a text, or nullptr for a separator.
struct Row {
  const char* text;
  UINT state;
};

COLORREF Face() { return GetSysColor(COLOR_3DFACE); }
COLORREF Light(int percent) { return AdjustColour(Face(), percent, 0); }

SIZE GuiTextSize(const std::string& text) {
  fw::WindowDC screen(nullptr);
  LOGFONTA font = {};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  fw::Font made(CreateFontIndirectA(&font));
  fw::ScopedSelect select(screen.Get(), made.Get());
  SIZE size = {};
  GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// The box around the dark pixels (text) a surface shows, those whose red,
// green and blue add up to less than `darker`; empty when none.
template <typename PixelAt>
RECT InkBox(const RECT& area, PixelAt at, int darker = 3 * 128) {
  RECT ink = {area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = at(x, y);
      if (c == CLR_INVALID || GetRValue(c) + GetGValue(c) + GetBValue(c) >= darker) continue;
      ink = RECT{std::min(ink.left, static_cast<LONG>(x)), std::min(ink.top, static_cast<LONG>(y)),
                 std::max(ink.right, static_cast<LONG>(x + 1)),
                 std::max(ink.bottom, static_cast<LONG>(y + 1))};
    }
  return ink;
}

// The ink of a text drawn whole in the menus' font, black on white.
SIZE ReferenceInk(const std::string& text) {
  const int width = 800;
  const int height = 100;
  BITMAPINFO info = fw::TopDownBitmapInfo(width, height);
  fw::WindowDC screen(nullptr);
  void* bits = nullptr;
  fw::Bitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  fw::MemoryDC memory(screen.Get());
  fw::ScopedSelect select(memory.Get(), dib.Get());
  fw::ScopedSelect font(memory.Get(), GetStockObject(DEFAULT_GUI_FONT));
  const RECT all = {0, 0, width, height};
  FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(memory.Get(), RGB(0, 0, 0));
  SetBkMode(memory.Get(), TRANSPARENT);
  TextOutA(memory.Get(), 10, 10, text.c_str(), static_cast<int>(text.size()));
  GdiFlush();
  const RECT ink = InkBox(all, [&](int x, int y) { return GetPixel(memory.Get(), x, y); });
  return SIZE{ink.right - ink.left, ink.bottom - ink.top};
}

ULONG_PTR ItemData(HMENU menu, int position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return info.dwItemData;
}

bool IsOwnerDrawn(HMENU menu, int position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return (info.fType & MFT_OWNERDRAW) != 0;
}

// The screen's pixels of a rectangle, copied at once.
class ScreenPixels {
 public:
  explicit ScreenPixels(const RECT& r)
      : origin_{r.left, r.top}, width_(r.right - r.left), height_(r.bottom - r.top) {
    BITMAPINFO info = fw::TopDownBitmapInfo(width_, height_);
    fw::WindowDC screen(nullptr);
    void* bits = nullptr;
    fw::Bitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || bits == nullptr) return;
    fw::MemoryDC memory(screen.Get());
    fw::ScopedSelect select(memory.Get(), dib.Get());
    BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    pixels_.assign(source, source + width_ * height_);
  }
  COLORREF At(int x, int y) const {
    x -= origin_.x;
    y -= origin_.y;
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return CLR_INVALID;
    const DWORD rgb = pixels_[y * width_ + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }

 private:
  POINT origin_;
  int width_;
  int height_;
  std::vector<DWORD> pixels_;
};

class FlatMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { UseSettings(FlatMenuSettings{}); }
  void TearDown() override {
    frame_.reset();
    testing_support::PumpPending();
  }

  // A fresh module with these settings and a registered frame using it.
  void UseSettings(const FlatMenuSettings& settings) {
    frame_.reset();
    flat_ = std::make_unique<FlatMenu>(settings);
    frame_ = std::make_unique<MenuTestFrame>();
    ASSERT_TRUE(frame_->Create());
    frame_->SetMenuHandler([this](HWND w, UINT m, WPARAM wp, LPARAM lp, LRESULT* r) {
      return flat_->HandleMenuMessage(w, m, wp, lp, r);
    });
    flat_->Attach(frame_->Handle());
    testing_support::PumpPending();
  }

  void Fill(HMENU menu, const std::vector<Row>& rows) {
    UINT id = kFirst;
    for (const Row& row : rows) {
      if (row.text == nullptr)
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      else
        AppendMenuA(menu, MF_STRING | row.state, id++, row.text);
    }
  }

  // As when the pop-up is about to open.
  void Prepare(HMENU menu) {
    SendMessageA(frame_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  }

  SIZE Measure(HMENU menu, int position) {
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = GetMenuItemID(menu, position);
    item.itemData = ItemData(menu, position);
    SendMessageA(frame_->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
    return SIZE{static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
  }

  LRESULT MenuChar(HMENU menu, char c, UINT flags) {
    return SendMessageA(frame_->Handle(), WM_MENUCHAR, MAKEWPARAM(c, flags),
                        reinterpret_cast<LPARAM>(menu));
  }

  // Draws the first item of a menu into a DIB of that depth and colours;
  // its second row of pixels.
  std::vector<COLORREF> DrawFirstItem(HMENU menu, int bitsPerPixel,
                                      const std::vector<COLORREF>& palette, int width) {
    const std::vector<COLORREF> all =
        DrawFirstItem(menu, bitsPerPixel, palette, width, RECT{0, 0, width, 20});
    return std::vector<COLORREF>(all.begin() + width, all.begin() + 2 * width);
  }
  // Draws it into `r` of a DIB first filled with kUntouched, 10 pixels
  // taller than r's bottom; every pixel, row by row.
  std::vector<COLORREF> DrawFirstItem(HMENU menu, int bitsPerPixel,
                                      const std::vector<COLORREF>& palette, int width,
                                      const RECT& r);

  std::unique_ptr<FlatMenu> flat_;
  std::unique_ptr<MenuTestFrame> frame_;
};

// --- Measuring ----------------------------------------------------------------------

TEST_F(FlatMenuTest, MenuBarItemsAreAsWideAsTheirLabelsWithThePlatformsHeight) {
  const HMENU bar = GetMenu(frame_->Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_GT(GetMenuItemCount(bar), 2);
  for (int position = 0; position < 2; ++position) {
    char text[64] = "";
    // The text as loaded, from a fresh copy of the menu.
    const HMENU fresh = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    GetMenuStringA(fresh, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    DestroyMenu(fresh);
    EXPECT_TRUE(IsOwnerDrawn(bar, position)) << text;
    const SIZE size = Measure(bar, position);
    EXPECT_EQ(size.cy, 0) << text;
    EXPECT_EQ(size.cx,
              GuiTextSize(menus::WithoutFirstAmpersand(text)).cx + frame_->WindowDpi().Scale(4))
        << text;
  }
}

TEST_F(FlatMenuTest, WindowsThatDidNotRegisterKeepTheSystemsMenus) {
  FlatMenu::RegisterMenuWindow(frame_->Handle(), false);
  PopupMenu menu;
  Fill(menu.handle, {{"&Open", 0}, {nullptr, 0}});
  Prepare(menu.handle);
  EXPECT_FALSE(IsOwnerDrawn(menu.handle, 0));
  EXPECT_FALSE(IsOwnerDrawn(menu.handle, 1));
  EXPECT_EQ(MenuChar(menu.handle, 'o', MF_POPUP), 0);
}

// --- Access letters -------------------------------------------------------------------

TEST_F(FlatMenuTest, AccessLettersIgnoreDoubledAmpersands) {
  PopupMenu menu;
  Fill(menu.handle,
       {{"Save &&Close", 0}, {nullptr, 0}, {"&Cut\tCtrl+X", 0}, {"Tom && &Jerry", 0}, {"R&&D", 0}});
  Prepare(menu.handle);
  struct Case {
    char letter;
    UINT flags;
    LRESULT expected;
  };
  for (const Case& c : {Case{'c', MF_POPUP, MAKELRESULT(2, MNC_EXECUTE)},
                        Case{'J', MF_POPUP, MAKELRESULT(3, MNC_EXECUTE)}, Case{'d', MF_POPUP, 0},
                        Case{'x', MF_POPUP, 0}, Case{'c', 0, MAKELRESULT(2, MNC_EXECUTE)},
                        Case{'c', MF_POPUP | MF_SYSMENU, 0}}) {
    EXPECT_EQ(MenuChar(menu.handle, c.letter, c.flags), c.expected)
        << "letter " << c.letter << " flags " << c.flags;
  }
}

// --- Colour depth -----------------------------------------------------------------------

std::vector<COLORREF> FlatMenuTest::DrawFirstItem(HMENU menu, int bitsPerPixel,
                                                  const std::vector<COLORREF>& palette, int width,
                                                  const RECT& r) {
  const int height = r.bottom + 10;
  std::vector<unsigned char> infoBytes(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(infoBytes.data());
  info->bmiHeader.biSize = sizeof info->bmiHeader;
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = -height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biClrUsed = bitsPerPixel <= 8 ? 256 : 0;
  for (std::size_t i = 0; i < palette.size() && i < 256; ++i)
    info->bmiColors[i] =
        RGBQUAD{GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
  fw::WindowDC screen(nullptr);
  void* bits = nullptr;
  fw::Bitmap dib(CreateDIBSection(screen.Get(), info, DIB_RGB_COLORS, &bits, nullptr, 0));
  EXPECT_TRUE(dib);
  fw::MemoryDC memory(screen.Get());
  fw::ScopedSelect select(memory.Get(), dib.Get());
  fw::Brush untouched(CreateSolidBrush(kUntouched));
  const RECT all = {0, 0, width, height};
  FillRect(memory.Get(), &all, untouched.Get());

  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_MENU;
  item.itemID = GetMenuItemID(menu, 0);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = reinterpret_cast<HWND>(menu);
  item.hDC = memory.Get();
  item.rcItem = r;
  item.itemData = ItemData(menu, 0);
  SendMessageA(frame_->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory.Get(), x, y));
  return pixels;
}

// A row further down a menu is drawn where its rectangle lies, exactly as the
// first row is, and leaves the pixels around it alone.
TEST_F(FlatMenuTest, ARowFurtherDownIsDrawnInItsOwnRectangleOnly) {
  PopupMenu menu;
  Fill(menu.handle, {{"Item\tCtrl+I", MF_CHECKED}});
  Prepare(menu.handle);
  const int width = 140;
  const RECT first = {0, 0, 120, 22};
  const RECT lower = {12, 80, 132, 102};
  const std::vector<COLORREF> top = DrawFirstItem(menu.handle, 32, {}, width, first);
  const std::vector<COLORREF> down = DrawFirstItem(menu.handle, 32, {}, width, lower);
  ASSERT_NE(kUntouched, top[width + 1]);  // the first row is drawn
  for (int y = 0; y < lower.bottom + 10; ++y) {
    for (int x = 0; x < width; ++x) {
      const POINT p = {x, y};
      const COLORREF want = PtInRect(&lower, p)
                                ? top[static_cast<size_t>((y - lower.top) * width + x - lower.left)]
                                : kUntouched;
      ASSERT_EQ(want, down[static_cast<size_t>(y * width + x)]) << x << "," << y;
    }
  }
}

// --- An open pop-up --------------------------------------------------------------------

struct OpenMenuShot {
  RECT window = {};
  std::vector<RECT> items;
  std::unique_ptr<ScreenPixels> pixels;
};

OpenMenuShot* g_shot = nullptr;
HMENU g_shotMenu = nullptr;
int g_shotTicks = 0;

BOOL CALLBACK FindShownMenuWindow(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32768" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Runs inside the menu's modal loop: once the pop-up shows (and has had a
// moment to paint), copies it from the screen and closes the menu; gives up
// after a few seconds.
void CALLBACK TakeShot(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND popup = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMenuWindow, reinterpret_cast<LPARAM>(&popup));
  ++g_shotTicks;
  if (popup == nullptr || g_shotTicks < 3) {
    if (g_shotTicks > 100) {
      KillTimer(nullptr, timer);
      EndMenu();
    }
    return;
  }
  KillTimer(nullptr, timer);
  GetWindowRect(popup, &g_shot->window);
  for (int i = 0; i < GetMenuItemCount(g_shotMenu); ++i) {
    RECT r = {};
    GetMenuItemRect(nullptr, g_shotMenu, static_cast<UINT>(i), &r);
    g_shot->items.push_back(r);
  }
  g_shot->pixels = std::make_unique<ScreenPixels>(g_shot->window);
  EndMenu();
}

// Opens the menu at (200, 200) as the frame's pop-up and copies what the
// screen shows once it is up.
OpenMenuShot ShootOpenMenu(HMENU menu, HWND owner, FlatMenu& flat) {
  SetForegroundWindow(owner);
  flat.Install();
  OpenMenuShot shot;
  g_shot = &shot;
  g_shotMenu = menu;
  g_shotTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, TakeShot);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 200, 0, owner, nullptr);
  KillTimer(nullptr, timer);
  g_shot = nullptr;
  flat.Remove();
  return shot;
}

TEST_F(FlatMenuTest, AnOpenPopupShowsItsStripFrameHighlightAndCheckMark) {
  FlatMenuSettings plain;
  plain.showGradient = false;
  UseSettings(plain);
  PopupMenu menu;
  Fill(menu.handle, {{"&Highlighted", MF_HILITE}, {"&Checked", MF_CHECKED}, {"&Plain", 0}});
  const OpenMenuShot shot = ShootOpenMenu(menu.handle, frame_->Handle(), *flat_);
  ASSERT_TRUE(shot.pixels != nullptr) << "the menu did not open";
  ASSERT_EQ(shot.items.size(), 3u);
  const ScreenPixels& at = *shot.pixels;

  // The flat frame.
  const int midY = (shot.window.top + shot.window.bottom) / 2;
  EXPECT_EQ(at.At(shot.window.left, midY), GetSysColor(COLOR_3DDKSHADOW)) << "outer frame";
  EXPECT_EQ(at.At(shot.window.left + 1, midY), Light(75)) << "inner frame";

  // The highlighted item: a frame in the highlight colour, filled paler.
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const RECT& first = shot.items[0];
  const int firstMid = (first.top + first.bottom) / 2;
  EXPECT_EQ(at.At(first.left, firstMid), highlight) << "highlight frame";
  EXPECT_EQ(at.At(first.left + 10, first.top + 2), AdjustColour(highlight, 70, -57))
      << "highlight fill";

  // The checked item: the light strip and the framed box (the mark in it:
  // PopupRowsFollowTheWindowsDpi).
  const RECT& checked = shot.items[1];
  EXPECT_EQ(at.At(checked.left + 1, checked.top + 3), highlight) << "check box frame";
  EXPECT_EQ(at.At(checked.left + frame_->WindowDpi().Scale(21), checked.top + 3), Light(20))
      << "strip beside the box";

  // A plain item: the strip and the lighter body.
  const RECT& plainItem = shot.items[2];
  EXPECT_EQ(at.At(plainItem.left + 5, plainItem.top + 2), Light(20)) << "strip";
  EXPECT_EQ(at.At(plainItem.right - 3, plainItem.top + 2), Light(75)) << "body";
}

// Each row shows its label and shortcut whole, side by side inside the row:
// the rows are measured from the widest label and shortcut and the font.
TEST_F(FlatMenuTest, AnOpenPopupShowsEveryLabelAndShortcutWholeInsideItsRow) {
  FlatMenuSettings plain;
  plain.showGradient = false;
  UseSettings(plain);
  struct Shown {
    const char* label;
    const char* shortcut;
  };
  const Shown rows[] = {
      {"A label wider than the others", "Ctrl+Shift+W"}, {"Jog", "Alt+F4"}, {"Exit", ""}};
  PopupMenu menu;
  for (const Shown& row : rows) {
    const std::string text =
        std::string(row.label) + (row.shortcut[0] != '\0' ? "\t" : "") + row.shortcut;
    AppendMenuA(menu.handle, MF_STRING, kFirst + GetMenuItemCount(menu.handle), text.c_str());
  }
  const OpenMenuShot shot = ShootOpenMenu(menu.handle, frame_->Handle(), *flat_);
  ASSERT_TRUE(shot.pixels != nullptr) << "the menu did not open";
  ASSERT_EQ(shot.items.size(), std::size(rows));

  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Shown& row = rows[i];
    const RECT& item = shot.items[i];
    const RECT ink = InkBox(item, [&](int x, int y) { return shot.pixels->At(x, y); });
    const SIZE label = ReferenceInk(row.label);
    const SIZE both = ReferenceInk(std::string(row.label) + row.shortcut);
    // Whole: as tall as the texts drawn unclipped, and at least as wide as
    // label and shortcut side by side (1 pixel of smoothing either way).
    EXPECT_NEAR(ink.bottom - ink.top, both.cy, 1) << row.label;
    EXPECT_GE(ink.right - ink.left, row.shortcut[0] != '\0' ? both.cx - 1 : label.cx - 1)
        << row.label;
    EXPECT_GT(ink.left, item.left + 20) << row.label << ": text right of the strip";
    EXPECT_LT(ink.right, item.right - 4) << row.label << ": a margin after the text";
  }
}

// The pop-up lies on the window under it: the pixels beside its right and
// bottom edges are darker than before it opened, most next to the menu.
TEST_F(FlatMenuTest, AnOpenPopupDarkensWhatLiesBesideIt) {
  PopupMenu menu;
  Fill(menu.handle, {{"&Open", 0}, {"&Save", 0}, {"E&xit", 0}});
  const RECT around = {150, 150, 600, 400};
  UpdateWindow(frame_->Handle());
  const ScreenPixels before(around);
  const OpenMenuShot shot = ShootOpenMenu(menu.handle, frame_->Handle(), *flat_);
  ASSERT_TRUE(shot.pixels != nullptr) << "the menu did not open";
  const RECT& w = shot.window;
  const int midX = (w.left + w.right) / 2;
  const int midY = (w.top + w.bottom) / 2;
  const auto sum = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  struct Strip {
    const char* what;
    POINT inner;  // next to the menu
    POINT outer;  // the strip's outer edge
  };
  for (const Strip& s : {Strip{"right", {w.right - 4, midY}, {w.right - 1, midY}},
                         Strip{"bottom", {midX, w.bottom - 4}, {midX, w.bottom - 1}}}) {
    const COLORREF was = before.At(s.inner.x, s.inner.y);
    const COLORREF inner = shot.pixels->At(s.inner.x, s.inner.y);
    const COLORREF outer = shot.pixels->At(s.outer.x, s.outer.y);
    ASSERT_NE(was, CLR_INVALID) << s.what;
    EXPECT_LT(sum(inner), sum(was) * 90 / 100) << s.what << ": darkened";
    EXPECT_GT(sum(inner), sum(was) * 60 / 100) << s.what << ": a shadow, not black";
    EXPECT_LT(sum(inner), sum(outer)) << s.what << ": lighter outwards";
    EXPECT_LE(sum(outer), sum(before.At(s.outer.x, s.outer.y))) << s.what;
  }
}

// --- At each DPI ----------------------------------------------------------------------

// A pop-up's rows at each DPI its window reaches (as on a monitor of that
// scale). The strip, plain on 8 bits per pixel and the settings' gradient
// deeper, ends where the text starts, and the body beyond shows the end
// colour; rows, separators and the check mark grow with the scale (the mark
// drawn at the menu's size, not a 96-DPI picture in a larger box).
TEST_F(FlatMenuTest, PopupRowsFollowTheWindowsDpi) {
  FlatMenuSettings redToBlue;
  redToBlue.gradientStart = static_cast<int>(RGB(255, 0, 0));
  redToBlue.gradientEnd = static_cast<int>(RGB(0, 0, 255));
  UseSettings(redToBlue);
  struct Case {
    UINT dpi;
    int plainStripEnd;  // where the plain strip ends, in pixels
    int textLeft;       // where the gradient strip ends and the text starts
  };
  // 96 DPI first: the sizes the others are compared with.
  const Case cases[] = {{96, 22, 30}, {120, 28, 38}, {144, 33, 45}, {192, 44, 60}, {480, 110, 150}};
  // The colours either way are in the palette, so nothing is approximated.
  const std::vector<COLORREF> palette = {Light(20),        Light(75),         RGB(255, 0, 0),
                                         RGB(0, 0, 255),   RGB(0, 0, 0),      RGB(255, 255, 255),
                                         RGB(128, 0, 128), RGB(192, 192, 192)};
  int row96 = 0, separator96 = 0, mark96 = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
    RECT suggested = {};
    GetWindowRect(frame_->Handle(), &suggested);
    SendMessageA(frame_->Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    PopupMenu menu;
    Fill(menu.handle, {{"&Plain", 0}, {nullptr, 0}, {"&Checked", MF_CHECKED}});
    Prepare(menu.handle);
    const int width = 4 * c.textLeft;
    const std::vector<COLORREF> plain = DrawFirstItem(menu.handle, 8, palette, width);
    for (int x : {0, c.plainStripEnd / 2, c.plainStripEnd - 1})
      EXPECT_EQ(plain[x], Light(20)) << "plain strip column " << x;
    for (int x : {c.plainStripEnd, c.textLeft - 1, width - 10})
      EXPECT_EQ(plain[x], Light(75)) << "plain body column " << x;
    const std::vector<COLORREF> deep = DrawFirstItem(menu.handle, 32, {}, width);
    EXPECT_TRUE(GetRValue(deep[0]) > 200 && GetBValue(deep[0]) < 60) << "starts red";
    const COLORREF end = deep[c.textLeft - 2];
    EXPECT_TRUE(GetBValue(end) > 200 && GetRValue(end) < 60) << "ends blue, not " << end;
    for (int x = 1; x < c.textLeft; ++x) EXPECT_LE(GetRValue(deep[x]), GetRValue(deep[x - 1])) << x;
    for (int x : {c.textLeft, 2 * c.textLeft, width - 10})
      EXPECT_EQ(deep[x], RGB(0, 0, 255)) << "body column " << x;

    const OpenMenuShot shot = ShootOpenMenu(menu.handle, frame_->Handle(), *flat_);
    ASSERT_TRUE(shot.pixels != nullptr && shot.items.size() == 3u) << "the menu did not open";
    // The black of the mark, in the box left of the label.
    const RECT& checked = shot.items[2];
    const RECT box = {checked.left, checked.top, checked.left + (checked.bottom - checked.top),
                      checked.bottom};
    const RECT mark = InkBox(
        box, [&](int x, int y) { return shot.pixels->At(x, y); }, 1);
    const int row = shot.items[0].bottom - shot.items[0].top;
    const int separator = shot.items[1].bottom - shot.items[1].top;
    if (c.dpi == 96) {
      row96 = row;
      separator96 = separator;
      mark96 = mark.right - mark.left;
      ASSERT_GT(mark96, 3) << "no check mark";
    }
    const int scale = static_cast<int>(c.dpi);
    EXPECT_NEAR(MulDiv(row96, scale, 96), row, 2) << "row; " << row96 << " at 96 DPI";
    // A separator is not cramped below its 96-DPI height times the scale; it
    // may exceed it by the half pixel that height rounds off, grown too.
    const int share = MulDiv(separator96, scale, 96);
    EXPECT_GE(separator, share - 2) << "separator; " << separator96 << " at 96 DPI";
    EXPECT_LE(separator, share + 1 + scale / 96) << "separator; " << separator96 << " at 96 DPI";
    EXPECT_NEAR(MulDiv(mark96, scale, 96), mark.right - mark.left, MulDiv(mark96, scale, 576) + 1)
        << "check mark; " << mark96 << " pixels wide at 96 DPI";
  }
}

}  // namespace
