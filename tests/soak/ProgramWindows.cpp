#include "ProgramWindows.h"

#include <algorithm>

#include "resource.h"

namespace soak {
namespace {

struct Search {
  DWORD processId;
  std::vector<ProgramWindow>* found;
};

WindowKind KindOf(HWND window, const std::string& className) {
  static const std::map<std::string, WindowKind> kClasses = {
      {"LumettaMainFrame", WindowKind::Main},
      {"AppointBook2", WindowKind::Planner},
      {"ViewWeek", WindowKind::Week},
      {"ViewYear", WindowKind::Year},
      {"ToDo", WindowKind::ToDo},
      {"EditView", WindowKind::Notes},
      {"FastView", WindowKind::QuickCheck},
      {"ReminderPopup", WindowKind::Reminder}};
  const auto known = kClasses.find(className);
  if (known != kClasses.end()) return known->second;
  if (className == "#32770") {
    // A message box shows its text in a static control of this identifier.
    return GetDlgItem(window, 0xFFFF) != nullptr ? WindowKind::MessageBox : WindowKind::Dialog;
  }
  return WindowKind::Other;
}

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  ProgramWindow found;
  found.handle = window;
  char text[256] = "";
  GetClassNameA(window, text, sizeof text);
  found.className = text;
  text[0] = '\0';
  GetWindowTextA(window, text, sizeof text);
  found.title = text;
  found.kind = KindOf(window, found.className);
  found.enabled = IsWindowEnabled(window) != FALSE;
  GetWindowRect(window, &found.rect);
  found.owner = GetWindow(window, GW_OWNER);
  search->found->push_back(found);
  return TRUE;
}

// Commands that leave the program (the help viewer, a browser, the file
// manager) or end it: the soak run drives the program, not those.
bool LeavesTheProgram(UINT id) {
  switch (id) {
    case ID_APP_EXIT:
    case ID_HELP_TOPICS:
    case ID_HELP_VISIT_WEBSITE:
    case ID_PLANNER_HELP_TOPICS:
    case ID_VIEW_ALL_NOTES:
    case ID_FIND_NOTES:
      return true;
    default:
      return false;
  }
}

void CollectMenu(HMENU menu, std::vector<MenuCommand>& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu != nullptr) {
      CollectMenu(info.hSubMenu, out);
      continue;
    }
    if ((info.fType & MFT_SEPARATOR) || LeavesTheProgram(info.wID)) continue;
    std::string name = text;
    name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
    const size_t tab = name.find('\t');
    if (tab != std::string::npos) name.resize(tab);
    out.push_back({info.wID, name});
  }
}

}  // namespace

const char* KindName(WindowKind kind) {
  switch (kind) {
    case WindowKind::Main:
      return "main window";
    case WindowKind::Planner:
      return "day planner";
    case WindowKind::Week:
      return "week view";
    case WindowKind::Year:
      return "year view";
    case WindowKind::ToDo:
      return "to-do window";
    case WindowKind::Notes:
      return "notes window";
    case WindowKind::QuickCheck:
      return "quick-check popup";
    case WindowKind::Reminder:
      return "reminder popup";
    case WindowKind::MessageBox:
      return "message box";
    case WindowKind::Dialog:
      return "dialog";
    case WindowKind::Other:
      return "other window";
  }
  return "?";
}

std::vector<ProgramWindow> VisibleWindows(DWORD processId) {
  std::vector<ProgramWindow> found;
  Search search{processId, &found};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return found;
}

std::string ReachedName(const ProgramWindow& window) {
  if (window.kind == WindowKind::Dialog || window.kind == WindowKind::MessageBox) {
    // Titles that quote an entry ("Scheduling ...") count as one dialog.
    std::string title = window.title.substr(0, window.title.find_first_of("\"'"));
    if (title.size() > 24) title = title.substr(0, 24) + "...";
    return std::string(KindName(window.kind)) + " \"" + title + "\"";
  }
  if (window.kind == WindowKind::Other) return "window of class " + window.className;
  return KindName(window.kind);
}

ProgramCommands::ProgramCommands(const std::string& programPath) {
  HMODULE program = LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (program == nullptr) return;
  const std::pair<WindowKind, int> menus[] = {{WindowKind::Main, IDR_MAINFRAME},
                                              {WindowKind::Planner, IDR_DAY_PLANNER},
                                              {WindowKind::Week, IDR_WEEKVIEW},
                                              {WindowKind::Year, IDR_YEARVIEW},
                                              {WindowKind::ToDo, IDR_TODO}};
  for (const auto& [kind, resource] : menus) {
    if (HMENU menu = LoadMenuA(program, MAKEINTRESOURCEA(resource))) {
      CollectMenu(menu, commands_[kind]);
      DestroyMenu(menu);
    }
  }
  // The notification area's menu reaches the main window too.
  commands_[WindowKind::Main].push_back({ID_TRAY_HIDE, "Hide (tray)"});
  commands_[WindowKind::Main].push_back({ID_TRAY_SHOW, "Show (tray)"});
  if (HACCEL table = LoadAcceleratorsA(program, MAKEINTRESOURCEA(IDR_MAINFRAME))) {
    ACCEL entries[64];
    const int count = CopyAcceleratorTableA(table, entries, 64);
    for (int i = 0; i < count; ++i) {
      shortcuts_.push_back({static_cast<BYTE>(entries[i].key), entries[i].cmd});
    }
    DestroyAcceleratorTable(table);
  }
  FreeLibrary(program);
}

const std::vector<MenuCommand>& ProgramCommands::For(WindowKind kind) const {
  static const std::vector<MenuCommand> kNone;
  const auto found = commands_.find(kind);
  return found != commands_.end() ? found->second : kNone;
}

}  // namespace soak
