#include "menus/FlatMenu.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/ScopedSelect.h"
#include "framework/Window.h"
#include "framework/WindowDC.h"
#include "menus/MenuItems.h"

namespace menus {
namespace {

const char kRegisteredProperty[] = "FlatMenuProp";

// One item of a menu as read from it.
struct MenuItem {
  UINT type = 0;
  UINT id = 0;
  HMENU submenu = nullptr;
  std::string text;
};

MenuItem ReadItem(HMENU menu, int position) {
  MenuItem item;
  char text[256] = "";
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return item;
  item.type = info.fType;
  item.id = info.wID;
  item.submenu = info.hSubMenu;
  if ((info.fType & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_BITMAP)) == 0) item.text = text;
  return item;
}

void SetItemData(HMENU menu, int position, std::uint32_t data) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  info.dwItemData = data;
  SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

void MakeOwnerDrawn(HMENU menu, int position, UINT type) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  info.fType = type | MFT_OWNERDRAW;
  SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

// The width of a menu-bar label as shown: its "&" marks take no room.
int LabelWidth(HDC dc, const std::string& text) {
  RECT r = {};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

// What a bar item stores as its label's width: the label, and the growth
// of the item's 96-DPI margin.
int BarWidth(HDC dc, fw::Dpi dpi, const std::string& text) {
  return LabelWidth(dc, text) + dpi.Scale(kBarExtraWidthAt96) - kBarExtraWidthAt96;
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

bool HasToolbars(HWND window) {
  return FindWindowExA(window, nullptr, TOOLBARCLASSNAMEA, nullptr) != nullptr;
}

// Pop-up mode takes command images from the toolbars of the window, or of
// its parent when it has none.
HWND ImageSource(HWND window) {
  if (HasToolbars(window)) return window;
  const HWND parent = GetParent(window);
  return parent != nullptr && HasToolbars(parent) ? parent : nullptr;
}

}  // namespace

FlatMenu::FlatMenu(std::optional<FlatMenuSettings> settings) : settings_(settings) {}

FlatMenu::~FlatMenu() {
  while (hookCount_ > 0) RemoveMenuHook();
}

void FlatMenu::Attach(HWND window) {
  RegisterMenuWindow(window, true);
  ConvertMenuBar(window);
}

bool FlatMenu::HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) {
  switch (message) {
    case WM_DPICHANGED:
      RemeasureMenuBar(window);
      return false;
    case WM_INITMENUPOPUP:
      // The window's own handling (enabling the commands) still runs.
      if (HIWORD(lParam) == 0)
        PrepareMenu(window, reinterpret_cast<HMENU>(wParam), IsRegistered(window), false);
      return false;
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item.CtlType != ODT_MENU) return false;
      MeasureMenuItem(item);
      *result = TRUE;
      return true;
    }
    case WM_DRAWITEM:
      if (!DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), window)) return false;
      *result = TRUE;
      return true;
    case WM_MENUCHAR: {
      const HMENU menu = reinterpret_cast<HMENU>(lParam);
      if (!IsOwnerDrawnMenu(menu)) return false;
      *result = MenuCharacter(menu, static_cast<char>(LOWORD(wParam)), HIWORD(wParam));
      return *result != 0;
    }
    default:
      return false;
  }
}

void FlatMenu::RegisterMenuWindow(HWND window, bool on) {
  if (on)
    SetPropA(window, kRegisteredProperty, reinterpret_cast<HANDLE>(1));
  else
    RemovePropA(window, kRegisteredProperty);
}

bool FlatMenu::IsRegistered(HWND window) {
  return window != nullptr && GetPropA(window, kRegisteredProperty) != nullptr;
}

void FlatMenu::ConvertMenuBar(HWND window) {
  if (!IsRegistered(window)) return;
  const HMENU bar = GetMenu(window);
  if (bar == nullptr) return;
  PrepareMenu(window, bar, true, true);
  DrawMenuBar(window);
}

void FlatMenu::RemeasureMenuBar(HWND window) {
  const HMENU bar = GetMenu(window);
  if (!IsRegistered(window) || bar == nullptr) return;
  fw::WindowDC windowDC(window);
  const fw::Dpi dpi = fw::Window::DpiOf(window);
  fw::ScopedSelect font(windowDC.Get(), MenuFont(dpi, false));
  const int count = GetMenuItemCount(bar);
  for (int position = 0; position < count; ++position) {
    const MenuItem item = ReadItem(bar, position);
    if ((item.type & MFT_OWNERDRAW) == 0) continue;
    // Setting the type again makes the system ask for the item's size anew.
    MakeOwnerDrawn(bar, position, item.type);
    SetItemData(
        bar, position,
        BarItemData(BarWidth(windowDC.Get(), dpi, ItemText(ItemKey{bar, item.submenu, item.id}))));
  }
  DrawMenuBar(window);
}

HFONT FlatMenu::MenuFont(fw::Dpi dpi, bool bold) {
  if (!menuFont_ || menuFontDpi_ != dpi) {
    LOGFONTA font = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    const int system = static_cast<int>(fw::Dpi::System().Value());
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi.Value()), system);
    font.lfWidth = MulDiv(font.lfWidth, static_cast<int>(dpi.Value()), system);
    menuFont_.Reset(CreateFontIndirectA(&font));
    font.lfWeight = FW_BOLD;
    boldMenuFont_.Reset(CreateFontIndirectA(&font));
    menuFontDpi_ = dpi;
  }
  HFONT chosen = bold ? boldMenuFont_.Get() : menuFont_.Get();
  return chosen != nullptr ? chosen : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

const FlatMenuSettings& FlatMenu::Settings() {
  if (!settings_) settings_ = ReadFlatMenuSettings();
  return *settings_;
}

Colour FlatMenu::Light(int percent) const {
  return AdjustColour(GetSysColor(COLOR_3DFACE), percent, 0);
}

Colour FlatMenu::GradientStart() {
  const int start = Settings().gradientStart;
  return start == kFaceShade ? Light(20) : static_cast<Colour>(start);
}

Colour FlatMenu::GradientEnd() {
  const int end = Settings().gradientEnd;
  return end == kFaceShade ? Light(75) : static_cast<Colour>(end);
}

std::string FlatMenu::ItemText(const ItemKey& key) const {
  if (key.submenu != nullptr) {
    const auto found = textsBySubmenu_.find(key.submenu);
    return found != textsBySubmenu_.end() ? found->second : std::string();
  }
  const auto found = textsById_.find({key.menu, key.id});
  return found != textsById_.end() ? found->second : std::string();
}

const FlatMenu::ItemImage* FlatMenu::FindImage(const ItemKey& key) const {
  if (key.submenu != nullptr) {
    const auto found = imagesBySubmenu_.find(key.submenu);
    return found != imagesBySubmenu_.end() ? &found->second : nullptr;
  }
  const auto found = imagesById_.find(key.id);
  return found != imagesById_.end() ? &found->second : nullptr;
}

void FlatMenu::ForgetDeadMenus() {
  const auto dead = [](const auto& entry) { return !IsMenu(entry.first); };
  for (auto it = textsBySubmenu_.begin(); it != textsBySubmenu_.end();)
    it = dead(*it) ? textsBySubmenu_.erase(it) : std::next(it);
  for (auto it = textsById_.begin(); it != textsById_.end();)
    it = !IsMenu(it->first.first) ? textsById_.erase(it) : std::next(it);
  for (auto it = imagesBySubmenu_.begin(); it != imagesBySubmenu_.end();)
    it = dead(*it) ? imagesBySubmenu_.erase(it) : std::next(it);
}

void FlatMenu::StoreImage(HWND imageSource, const ItemKey& key) {
  for (HWND bar = FindWindowExA(imageSource, nullptr, TOOLBARCLASSNAMEA, nullptr); bar != nullptr;
       bar = FindWindowExA(imageSource, bar, TOOLBARCLASSNAMEA, nullptr)) {
    const LRESULT index = SendMessageA(bar, TB_COMMANDTOINDEX, key.id, 0);
    if (index < 0) continue;
    TBBUTTON button = {};
    if (!SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&button)))
      continue;
    const ItemImage image{reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0)),
                          button.iBitmap};
    if (key.submenu != nullptr)
      imagesBySubmenu_[key.submenu] = image;
    else
      imagesById_[key.id] = image;
    return;
  }
}

void FlatMenu::PrepareMenu(HWND window, HMENU menu, bool registered, bool barMode) {
  if (!registered || menu == nullptr) return;
  ForgetDeadMenus();

  HWND mainWindow = GetAncestor(window, GA_ROOTOWNER);
  fw::WindowDC windowDC(mainWindow != nullptr ? mainWindow : window);
  const HDC dc = windowDC.Get();
  const fw::Dpi dpi = fw::Window::DpiOf(mainWindow != nullptr ? mainWindow : window);
  fw::ScopedSelect guiFont(dc, MenuFont(dpi, false));
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  const int itemHeight = PopupItemHeight(metrics.tmHeight, dpi.Scale(kPopupRowPaddingAt96),
                                         dpi.Scale(kPopupRowMinimumAt96));
  const int separatorHeight = SeparatorHeight(metrics.tmHeight, dpi.Scale(kSeparatorPaddingAt96));
  const HWND imageSource = barMode ? nullptr : ImageSource(window);

  const int count = GetMenuItemCount(menu);
  std::vector<MenuItem> items;
  for (int position = 0; position < count; ++position) {
    MenuItem item = ReadItem(menu, position);
    const bool separator = (item.type & MFT_SEPARATOR) != 0;
    if ((item.type & MFT_OWNERDRAW) == 0 && !(barMode && (item.type & MFT_BITMAP) != 0)) {
      MakeOwnerDrawn(menu, position, item.type);
      if (barMode) SetItemData(menu, position, BarItemData(BarWidth(dc, dpi, item.text)));
      if (!separator) {
        if (item.submenu != nullptr)
          textsBySubmenu_[item.submenu] = item.text;
        else
          textsById_[{menu, item.id}] = item.text;
        if (imageSource != nullptr) StoreImage(imageSource, ItemKey{menu, item.submenu, item.id});
      }
    }
    item.text = ItemText(ItemKey{menu, item.submenu, item.id});
    items.push_back(item);
  }
  if (barMode) return;

  // Every item of a pop-up is as wide as its widest label and shortcut.
  const UINT defaultId = GetMenuDefaultItem(menu, FALSE, 0);
  int widestLabel = 0;
  int widestShortcut = 0;
  for (const MenuItem& item : items) {
    if ((item.type & MFT_SEPARATOR) != 0) continue;
    const bool isDefault = defaultId != static_cast<UINT>(-1) && item.id == defaultId;
    fw::ScopedSelect font(dc, MenuFont(dpi, isDefault));
    widestLabel = std::max(widestLabel, TextWidth(dc, WithoutFirstAmpersand(LabelPart(item.text))));
    widestShortcut = std::max(widestShortcut, TextWidth(dc, ShortcutPart(item.text)));
  }
  for (int position = 0; position < static_cast<int>(items.size()); ++position) {
    const bool separator = (items[position].type & MFT_SEPARATOR) != 0;
    // The rows' fixed margins are 96-DPI sizes: the label takes their growth.
    const int grownMargins = dpi.Scale(kPopupExtraWidthAt96) - kPopupExtraWidthAt96;
    SetItemData(menu, position,
                separator ? SeparatorItemData(separatorHeight)
                          : PopupItemData(itemHeight, widestShortcut, widestLabel + grownMargins));
  }
}

void FlatMenu::MeasureMenuItem(MEASUREITEMSTRUCT& item) {
  const ItemSize size = MeasureItemData(static_cast<std::uint32_t>(item.itemData));
  item.itemWidth = static_cast<UINT>(size.width);
  item.itemHeight = static_cast<UINT>(size.height);
}

bool FlatMenu::IsOwnerDrawnMenu(HMENU menu) {
  if (menu == nullptr || GetMenuItemCount(menu) <= 0) return false;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoA(menu, 0, TRUE, &info) && (info.fType & MFT_OWNERDRAW) != 0;
}

LRESULT FlatMenu::MenuCharacter(HMENU menu, char character, UINT flags) const {
  const bool popup = (flags & MF_POPUP) != 0 && (flags & MF_SYSMENU) == 0;
  if (!popup && flags != 0) return 0;
  std::vector<std::string> labels;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    const MenuItem item = ReadItem(menu, position);
    labels.push_back((item.type & MFT_SEPARATOR) != 0
                         ? std::string()
                         : LabelPart(ItemText(ItemKey{menu, item.submenu, item.id})));
  }
  const int found = FindAccessLetter(labels, character);
  if (found < 0) return 0;
  return MAKELRESULT(found, MNC_EXECUTE);
}

}  // namespace menus
