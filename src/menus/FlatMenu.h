#pragma once
// The owner-drawn flat menus: every window that registers gets its menu bar
// and the pop-up menus it shows drawn in one flat style (a light strip for
// check marks and images, framed highlights, right-aligned shortcuts, a flat
// frame with a small shadow around each pop-up). The windows hand their
// menu messages to HandleMenuMessage; a call-window-procedure hook on the
// user-interface thread subclasses the pop-up menu windows for the frame.

#include <windows.h>
// After <windows.h>.
#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "framework/Dpi.h"
#include "framework/GdiObject.h"
#include "menus/FlatMenuSettings.h"
#include "menus/MenuColours.h"
#include "menus/MenuModule.h"

namespace menus {

class FlatMenu : public MenuModule {
 public:
  // Without settings they are read from the profile on first use.
  explicit FlatMenu(std::optional<FlatMenuSettings> settings = std::nullopt);
  ~FlatMenu() override;
  FlatMenu(const FlatMenu&) = delete;
  FlatMenu& operator=(const FlatMenu&) = delete;

  // MenuModule: the hook, a window's registration with its menu bar, and
  // the four menu messages of a registered window.
  void Install() override { InstallMenuHook(); }
  void Attach(HWND window) override;
  void Remove() override { RemoveMenuHook(); }
  bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result) override;

  void InstallMenuHook();
  void RemoveMenuHook();
  static void RegisterMenuWindow(HWND window, bool on);
  static bool IsRegistered(HWND window);
  void ConvertMenuBar(HWND window);
  void PrepareMenu(HWND window, HMENU menu, bool registered, bool barMode);
  static void MeasureMenuItem(MEASUREITEMSTRUCT& item);
  bool DrawMenuItem(const DRAWITEMSTRUCT& item, HWND window);
  static bool IsOwnerDrawnMenu(HMENU menu);
  LRESULT MenuCharacter(HMENU menu, char character, UINT flags) const;

 private:
  struct ItemImage {
    HIMAGELIST list = nullptr;
    int index = -1;
  };
  struct MenuWindowRecord {
    HWND window = nullptr;
    RECT lastRect = {};
    POINT position = {};
    fw::Bitmap background;
    SIZE backgroundSize = {};
  };
  // Where an item's text and image are kept: by submenu, or by the menu
  // that holds it and its command (one command may have other texts in the
  // menus of other windows).
  struct ItemKey {
    HMENU menu;
    HMENU submenu;
    UINT id;
  };

  const FlatMenuSettings& Settings();
  Colour Light(int percent) const;
  Colour GradientStart();
  Colour GradientEnd();
  std::string ItemText(const ItemKey& key) const;
  const ItemImage* FindImage(const ItemKey& key) const;
  void ForgetDeadMenus();
  void StoreImage(HWND imageSource, const ItemKey& key);

  // Drawing (MenuItemDrawing.cpp).
  void DrawBarItem(HDC dc, const DRAWITEMSTRUCT& item, const ItemKey& key, HWND window);
  void DrawPopupItem(HDC dc, const DRAWITEMSTRUCT& item, const ItemKey& key, bool separator,
                     bool radio, bool isDefault, bool inactive);
  void FillPopupBackground(HDC dc, const RECT& r, bool highlighted, bool disabled);
  // The menu font (bold for a default item) for a window at `dpi`: the
  // system's menu font, which is made for the system DPI, scaled.
  HFONT MenuFont(fw::Dpi dpi, bool bold);
  // The menu-bar items of a window measured again (its DPI changed).
  void RemeasureMenuBar(HWND window);

  // The pop-up menu windows (MenuWindows.cpp).
  static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MenuWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
  void SubclassMenuWindow(HWND window);
  LRESULT MenuWindowMessage(HWND window, WNDPROC old, UINT message, WPARAM wParam, LPARAM lParam);
  // The screen behind a window about to show there, and a margin beyond.
  void CaptureBackground(MenuWindowRecord& record, const RECT& placed);
  void DrawMenuFrame(HWND window, HDC dc);
  void DrawShadow(HDC dc, const MenuWindowRecord& record, const RECT& frame, int shadowDepth);

  std::optional<FlatMenuSettings> settings_;
  fw::Dpi drawDpi_;  // of the window whose item is being drawn
  fw::Dpi menuFontDpi_;
  fw::Font menuFont_;
  fw::Font boldMenuFont_;
  std::map<std::pair<HMENU, UINT>, std::string> textsById_;
  std::map<HMENU, std::string> textsBySubmenu_;
  std::map<UINT, ItemImage> imagesById_;
  std::map<HMENU, ItemImage> imagesBySubmenu_;
  std::map<HWND, MenuWindowRecord> menuWindows_;
  // The bar item whose pop-up is open, in screen coordinates (the pop-up's
  // frame opens into it); empty when none.
  RECT barItem_ = {};
  int hookCount_ = 0;
  HHOOK hook_ = nullptr;
};

}  // namespace menus
