#include "shell/TrayMenu.h"

#include "resource.h"

namespace shell {

namespace {

void Append(HMENU menu, UINT id, const char* text, const std::function<bool(UINT)>& enabled) {
  AppendMenuA(menu, MF_STRING | (enabled(id) ? MF_ENABLED : MF_GRAYED), id, text);
}

}  // namespace

OwnedMenu BuildTrayMenu(bool showItem, const std::function<bool(UINT)>& enabled) {
  OwnedMenu menu(CreatePopupMenu());
  if (menu.Get() == nullptr) return menu;
  if (showItem) {
    Append(menu.Get(), ID_TRAY_SHOW, "&Show", enabled);
  } else {
    Append(menu.Get(), ID_TRAY_HIDE, "&Hide", enabled);
  }
  AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
  Append(menu.Get(), ID_VIEW_YEAR, "&Year", enabled);
  Append(menu.Get(), ID_VIEW_WEEK, "&Week", enabled);
  Append(menu.Get(), ID_VIEW_TODO, "To &Do List", enabled);
  AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
  Append(menu.Get(), ID_VIEW_TODAY, "&Today", enabled);
  AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
  // Only while there are any: the tray menu stays short.
  if (enabled(ID_FILE_SYNC_CONFLICTS)) {
    Append(menu.Get(), ID_FILE_SYNC_CONFLICTS, "Sync &Conflicts...", enabled);
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
  }
  Append(menu.Get(), ID_APP_EXIT, "E&xit", enabled);
  return menu;
}

}  // namespace shell
