// Drawing one item of a flat menu: the menu-bar items and the pop-up rows.
// The system's bitmaps (the check mark) are named only with OEMRESOURCE.
#define OEMRESOURCE
#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ScopedSelect.h"
#include "framework/Window.h"
#include "menus/FlatMenu.h"
#include "menus/MenuItems.h"
#include "menus/OffscreenDC.h"

namespace menus {
namespace {

// Pixel positions of a pop-up row at 96 DPI, scaled for the window's DPI.
constexpr int kPlainStripWidthAt96 = 22;
constexpr int kTextLeftAt96 = 30;
constexpr int kShortcutMarginAt96 = 12;
constexpr int kCheckBoxRightAt96 = 20;
constexpr int kRadioDotRadiusAt96 = 3;
// The check mark's square (the system's menu check size at 96 DPI).
constexpr int kCheckMarkAt96 = 13;
// The toolbar images are 16 pixels square; the box they sit in.
constexpr int kImageSize = 16;
constexpr int kImageBoxAt96 = 22;

struct FoundItem {
  int position = -1;
  UINT type = 0;
  UINT state = 0;
  HMENU submenu = nullptr;
  UINT id = 0;
};

RECT ScreenRect(HDC dc, const RECT& r) {
  POINT origin = {};
  GetDCOrgEx(dc, &origin);
  RECT screen = r;
  OffsetRect(&screen, origin.x, origin.y);
  return screen;
}

FoundItem ReadFound(HMENU menu, int position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
  FoundItem found;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return found;
  found = FoundItem{position, info.fType, info.fState, info.hSubMenu, info.wID};
  return found;
}

// The item being drawn. Items that open a submenu may all share one
// identifier (on some platforms 0), so the item's place on the screen
// decides between them.
FoundItem FindItem(HWND window, HMENU menu, UINT itemId, const RECT& screenRect) {
  const int count = GetMenuItemCount(menu);
  FoundItem first;
  int matches = 0;
  for (int position = 0; position < count; ++position) {
    const FoundItem item = ReadFound(menu, position);
    const bool sameId = item.id == itemId ||
                        (item.submenu != nullptr &&
                         static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.submenu)) == itemId);
    if (!sameId) continue;
    if (matches++ == 0) first = item;
    RECT placed = {};
    // A pop-up's items are found through its own window.
    const HWND owner = menu == GetMenu(window) ? window : nullptr;
    if (GetMenuItemRect(owner, menu, static_cast<UINT>(position), &placed) &&
        placed.left == screenRect.left && placed.top == screenRect.top)
      return item;
  }
  return first;
}

void Fill(HDC dc, const RECT& r, Colour colour) {
  fw::Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.Get());
}

void FillGradient(HDC dc, const RECT& r, Colour from, Colour to) {
  for (const GradientBand& band : GradientBands(r.left, r.right - r.left, from, to)) {
    const RECT part = {band.left, r.top, band.right, r.bottom};
    Fill(dc, part, band.colour);
  }
}

// A rectangle outlined in a pen colour and filled (or left hollow).
void Frame(HDC dc, const RECT& r, Colour pen, const Colour* fill) {
  fw::Pen framePen(CreatePen(PS_SOLID, 1, pen));
  fw::Brush brush(fill != nullptr ? CreateSolidBrush(*fill) : nullptr);
  fw::ScopedSelect selectPen(dc, framePen.Get());
  fw::ScopedSelect selectBrush(dc, fill != nullptr ? brush.Get() : GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, Colour colour) {
  fw::Pen pen(CreatePen(PS_SOLID, 1, colour));
  fw::ScopedSelect selectPen(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// Bits per pixel of what the DC draws on: for a memory DC its bitmap's.
int DepthOfColour(HDC dc) {
  if (GetObjectType(dc) == OBJ_MEMDC) {
    BITMAP bitmap = {};
    if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap) != 0)
      return bitmap.bmBitsPixel * bitmap.bmPlanes;
  }
  return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

UINT PrefixFlags(UINT itemState) {
  BOOL cues = TRUE;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
  return (itemState & ODS_NOACCEL) != 0 && !cues ? DT_HIDEPREFIX : 0;
}

// The system's check mark drawn `size` pixels square (black on white, as
// the system draws menu glyphs), laid in black onto the box's centre.
void DrawCheckMark(HDC dc, const RECT& box, int size) {
  fw::MemoryDC glyph(dc);
  fw::Bitmap bitmap(CreateCompatibleBitmap(dc, size, size));
  if (!glyph || !bitmap) return;
  fw::ScopedSelect selected(glyph.Get(), bitmap.Get());
  RECT square = {0, 0, size, size};
  DrawFrameControl(glyph.Get(), &square, DFC_MENU, DFCS_MENUCHECK);
  BitBlt(dc, (box.left + box.right - size) / 2, (box.top + box.bottom - size) / 2, size, size,
         glyph.Get(), 0, 0, SRCAND);
}

// The images are drawn at a whole multiple of their size (each pixel a
// square block): a stretch by 1.25 or 1.5 would blur them.
int ImageSizeAt(fw::Dpi dpi) {
  return kImageSize * std::max(1, static_cast<int>(dpi.Value() / fw::Dpi::kDesign));
}

void DrawImage(HDC dc, HIMAGELIST list, int index, int x, int y, int size) {
  if (size == kImageSize) {
    ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  const HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  if (icon == nullptr) return;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
  SetStretchBltMode(dc, oldMode);
  DestroyIcon(icon);
}

void DrawSilhouette(HDC dc, HIMAGELIST list, int index, int x, int y, int size, Colour colour) {
  const HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  if (icon == nullptr) return;
  fw::Brush brush(CreateSolidBrush(colour));
  if (size == kImageSize) {
    DrawStateA(dc, brush.Get(), nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, size, size,
               DST_ICON | DSS_MONO);
  } else {
    // DrawState does not stretch: the silhouette is made at the image's
    // size and then drawn enlarged, block for block.
    fw::MemoryDC memory(dc);
    fw::Bitmap plain(CreateCompatibleBitmap(dc, kImageSize, kImageSize));
    if (plain) {
      fw::ScopedSelect selected(memory.Get(), plain.Get());
      const COLORREF key = RGB(255, 0, 255);
      fw::Brush keyBrush(CreateSolidBrush(key));
      const RECT all = {0, 0, kImageSize, kImageSize};
      FillRect(memory.Get(), &all, keyBrush.Get());
      DrawStateA(memory.Get(), brush.Get(), nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0,
                 kImageSize, kImageSize, DST_ICON | DSS_MONO);
      const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
      TransparentBlt(dc, x, y, size, size, memory.Get(), 0, 0, kImageSize, kImageSize, key);
      SetStretchBltMode(dc, oldMode);
    }
  }
  DestroyIcon(icon);
}

}  // namespace

bool FlatMenu::DrawMenuItem(const DRAWITEMSTRUCT& item, HWND window) {
  if (item.CtlType != ODT_MENU) return false;
  const HMENU menu = reinterpret_cast<HMENU>(item.hwndItem);
  const FoundItem found = FindItem(window, menu, item.itemID, ScreenRect(item.hDC, item.rcItem));
  const ItemKey key{menu, found.submenu, found.id};

  drawDpi_ = fw::Window::DpiOf(window);
  OffscreenDC surface(item.hDC, item.rcItem);
  const HDC dc = surface.Get();
  fw::ScopedSelect font(dc, MenuFont(drawDpi_, false));
  SetBkMode(dc, TRANSPARENT);
  if (menu == GetMenu(window)) {
    DrawBarItem(dc, item, key, window);
  } else {
    const bool isDefault = (found.state & MFS_DEFAULT) != 0;
    DrawPopupItem(dc, item, key, (found.type & MFT_SEPARATOR) != 0,
                  (found.type & MFT_RADIOCHECK) != 0, isDefault,
                  (item.itemState & ODS_INACTIVE) != 0);
  }
  return true;
}

void FlatMenu::DrawBarItem(HDC dc, const DRAWITEMSTRUCT& item, const ItemKey& key, HWND window) {
  const Colour face = GetSysColor(COLOR_3DFACE);
  const RECT& r = item.rcItem;
  const int shadow = drawDpi_.Scale(kShadowDepthAt96);
  const RECT body = {r.left, r.top, r.right - shadow, r.bottom};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool hot = (item.itemState & ODS_HOTLIGHT) != 0 && (item.itemState & ODS_INACTIVE) == 0;
  const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const RECT screen = ScreenRect(item.hDC, r);
  Fill(dc, r, face);
  if (selected) {
    const Colour fill = Light(20);
    Frame(dc, body, GetSysColor(COLOR_3DDKSHADOW), &fill);
    barItem_ = screen;
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770") barItem_.right += 1;
    // The open pop-up seems to lie on the bar: a shadow right of the item.
    for (int depth = 0; depth < shadow; ++depth)
      for (int y = r.top + shadow; y < r.bottom; ++y)
        SetPixelV(dc, body.right + depth, y,
                  Darken(face, ShadowPercent(depth, y - r.top - shadow, shadow)));
  } else {
    if (EqualRect(&barItem_, &screen)) SetRectEmpty(&barItem_);
    if (hot) {
      const Colour fill = disabled ? AdjustColour(face, 73, 0)
                                   : AdjustColour(GetSysColor(COLOR_HIGHLIGHT), 70, -57);
      Frame(dc, body, GetSysColor(COLOR_HIGHLIGHT), &fill);
    }
  }
  const std::string label = LabelPart(ItemText(key));
  if (label.empty()) return;
  SetTextColor(dc, (item.itemState & ODS_INACTIVE) != 0 ? GetSysColor(COLOR_GRAYTEXT)
                   : disabled                           ? AdjustColour(face, -18, 0)
                                                        : GetSysColor(COLOR_MENUTEXT));
  RECT text = body;
  DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | PrefixFlags(item.itemState));
}

void FlatMenu::FillPopupBackground(HDC dc, const RECT& r, bool highlighted, bool disabled) {
  const Colour face = GetSysColor(COLOR_3DFACE);
  const bool gradients = Settings().showGradient && DepthOfColour(dc) > 8;
  if (!highlighted) {
    const int stripWidth =
        drawDpi_.Scale(gradients ? Settings().gradientWidth : kPlainStripWidthAt96);
    const RECT strip = {r.left, r.top, r.left + stripWidth, r.bottom};
    const RECT body = {strip.right, r.top, r.right, r.bottom};
    if (gradients)
      FillGradient(dc, strip, GradientStart(), GradientEnd());
    else
      Fill(dc, strip, Light(20));
    Fill(dc, body, gradients ? GradientEnd() : Light(75));
    return;
  }
  const Colour pen = GetSysColor(COLOR_HIGHLIGHT);
  const Colour brush = disabled ? AdjustColour(face, 73, 0) : AdjustColour(pen, 70, -57);
  if (gradients && Settings().showGradientSelection) {
    FillGradient(dc, r, disabled ? brush : GradientStart(), GradientEnd());
    Frame(dc, r, pen, nullptr);
  } else {
    Frame(dc, r, pen, &brush);
  }
}

void FlatMenu::DrawPopupItem(HDC dc, const DRAWITEMSTRUCT& item, const ItemKey& key, bool separator,
                             bool radio, bool isDefault, bool inactive) {
  const Colour face = GetSysColor(COLOR_3DFACE);
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool hot = (item.itemState & ODS_HOTLIGHT) != 0 && !inactive;
  const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool checked = (item.itemState & ODS_CHECKED) != 0;
  FillPopupBackground(dc, r, selected || hot, disabled);

  if (separator) {
    const int y = (r.top + r.bottom) / 2;
    Line(dc, r.left + drawDpi_.Scale(kTextLeftAt96), y, r.right - 1, y, AdjustColour(face, -18, 0));
    return;
  }
  const std::string text = ItemText(key);
  const std::string label = LabelPart(text);
  if (label.empty()) return;

  const Colour highlight = GetSysColor(COLOR_HIGHLIGHT);
  const RECT box = {r.left + 1, r.top + 1, r.left + drawDpi_.Scale(kCheckBoxRightAt96),
                    r.bottom - 1};
  if (checked) Frame(dc, box, highlight, nullptr);
  const ItemImage* image = FindImage(key);
  if (image != nullptr && image->list != nullptr) {
    // Centred in its box (3 pixels in at 96 DPI); a selected image lifts
    // off its silhouette by a pixel each way.
    const int size = ImageSizeAt(drawDpi_);
    const int inset = (drawDpi_.Scale(kImageBoxAt96) - size) / 2;
    const int x = r.left + inset;
    const int y = r.top + inset;
    const int lift = drawDpi_.Scale(1);
    if (disabled) {
      DrawSilhouette(dc, image->list, image->index, x, y, size, AdjustColour(face, -27, 0));
    } else if (selected && !checked) {
      DrawSilhouette(dc, image->list, image->index, x + lift, y + lift, size,
                     AdjustColour(highlight, 50, -66));
      DrawImage(dc, image->list, image->index, x - lift, y - lift, size);
    } else {
      DrawImage(dc, image->list, image->index, x, y, size);
    }
  } else if (checked && radio) {
    const Colour dot = GetSysColor(COLOR_MENUTEXT);
    fw::Brush brush(CreateSolidBrush(dot));
    fw::Pen pen(CreatePen(PS_SOLID, 1, dot));
    fw::ScopedSelect selectBrush(dc, brush.Get());
    fw::ScopedSelect selectPen(dc, pen.Get());
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    const int radius = drawDpi_.Scale(kRadioDotRadiusAt96);
    Ellipse(dc, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
  } else if (checked) {
    DrawCheckMark(dc, box, drawDpi_.Scale(kCheckMarkAt96));
  }

  SetTextColor(dc, inactive   ? GetSysColor(COLOR_GRAYTEXT)
                   : disabled ? AdjustColour(face, -18, 0)
                              : GetSysColor(COLOR_MENUTEXT));
  fw::ScopedSelect font(dc, MenuFont(drawDpi_, isDefault));
  const UINT prefix = PrefixFlags(item.itemState);
  const int textLeft = drawDpi_.Scale(kTextLeftAt96);
  RECT labelRect = {r.left + textLeft, r.top, r.right, r.bottom};
  DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &labelRect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefix);
  const std::string shortcut = ShortcutPart(text);
  if (shortcut.empty()) return;
  RECT shortcutRect = {r.left + textLeft, r.top, r.right - drawDpi_.Scale(kShortcutMarginAt96),
                       r.bottom};
  DrawTextA(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &shortcutRect,
            DT_RIGHT | DT_VCENTER | DT_SINGLELINE | prefix);
}

}  // namespace menus
