#pragma once
// The notification-area icon's context menu, built afresh at every right
// click: "&Show" or "&Hide", then "&Year", "&Week", "To &Do List" and
// "&Today". Items whose windows the program does not have yet show greyed.

#include <windows.h>

#include <functional>

namespace shell {

// Owns a menu handle; the menu is destroyed with it.
class OwnedMenu {
 public:
  explicit OwnedMenu(HMENU menu = nullptr) : menu_(menu) {}
  ~OwnedMenu() {
    if (menu_ != nullptr) DestroyMenu(menu_);
  }
  OwnedMenu(const OwnedMenu&) = delete;
  OwnedMenu& operator=(const OwnedMenu&) = delete;
  OwnedMenu(OwnedMenu&& other) noexcept : menu_(other.menu_) { other.menu_ = nullptr; }

  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

// showItem: "&Show" (the window is hidden or started hidden), else "&Hide".
// enabled tells which commands show enabled.
OwnedMenu BuildTrayMenu(bool showItem, const std::function<bool(UINT)>& enabled);

}  // namespace shell
