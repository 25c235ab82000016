#include "ProgramWindows.h"

#include <algorithm>
#include <cstring>

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

// Reads a string-or-ordinal field of a dialog template; returns the string
// (empty for an ordinal or nothing) and moves past it.
std::string ReadTemplateName(const WORD*& at) {
  if (*at == 0x0000) {
    ++at;
    return std::string();
  }
  if (*at == 0xFFFF) {
    at += 2;
    return std::string();
  }
  std::string text;
  while (*at != 0) text += static_cast<char>(*at++ & 0xFF);
  ++at;
  return text;
}

const WORD* AlignToDword(const WORD* at, const BYTE* base) {
  const size_t offset = reinterpret_cast<const BYTE*>(at) - base;
  return reinterpret_cast<const WORD*>(base + ((offset + 3) & ~size_t{3}));
}

// An extended dialog template (every dialog of the program is one).
bool ReadTemplate(const BYTE* data, DWORD size, DialogTemplate* out) {
  const WORD* at = reinterpret_cast<const WORD*>(data);
  if (size < 26 || at[0] != 1 || at[1] != 0xFFFF) return false;
  DWORD style = 0;
  std::memcpy(&style, data + 12, sizeof style);
  WORD items = 0;
  std::memcpy(&items, data + 16, sizeof items);
  at = reinterpret_cast<const WORD*>(data + 26);
  ReadTemplateName(at);  // menu
  ReadTemplateName(at);  // class
  out->caption = ReadTemplateName(at);
  if (style & DS_SETFONT) {
    at += 3;  // point size, weight, italic and character set
    ReadTemplateName(at);
  }
  for (WORD i = 0; i < items; ++i) {
    at = AlignToDword(at, data);
    const BYTE* item = reinterpret_cast<const BYTE*>(at);
    if (item + 24 > data + size) return false;
    DWORD id = 0;
    std::memcpy(&id, item + 20, sizeof id);
    at = reinterpret_cast<const WORD*>(item + 24);
    ReadTemplateName(at);  // class
    ReadTemplateName(at);  // text
    const WORD extra = *at++;
    at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
    const int control = static_cast<int>(static_cast<short>(id));
    if (control > 0 && control != 0xFFFF) out->controls.push_back(control);
  }
  return true;
}

BOOL CALLBACK CollectDialog(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) {
  auto* dialogs = reinterpret_cast<std::vector<DialogTemplate>*>(param);
  if (!IS_INTRESOURCE(name)) return TRUE;
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (found == nullptr) return TRUE;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  DialogTemplate dialog;
  dialog.resource = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
  if (data != nullptr && ReadTemplate(data, SizeofResource(module, found), &dialog)) {
    dialogs->push_back(dialog);
  }
  return TRUE;
}

}  // namespace

const DialogTemplate* DialogOf(const ProgramWindow& window,
                               const std::vector<DialogTemplate>& dialogs) {
  if (window.kind != WindowKind::Dialog) return nullptr;
  const DialogTemplate* best = nullptr;
  for (const DialogTemplate& dialog : dialogs) {
    bool all = !dialog.controls.empty();
    for (int control : dialog.controls) {
      if (GetDlgItem(window.handle, control) == nullptr) all = false;
    }
    const bool captioned = !dialog.caption.empty() &&
                           window.title.compare(0, dialog.caption.size(), dialog.caption) == 0;
    if (captioned) return &dialog;
    if (!all) continue;
    if (dialog.controls.size() >= 3 &&
        (best == nullptr || dialog.controls.size() > best->controls.size())) {
      best = &dialog;
    }
  }
  return best;
}

std::string DialogName(const DialogTemplate& dialog) {
  return "program dialog " + std::to_string(dialog.resource) + " \"" + dialog.caption + "\"";
}

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
    if (title.size() > 40) title = title.substr(0, 40) + "...";
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
  EnumResourceNamesA(program, MAKEINTRESOURCEA(5), CollectDialog,
                     reinterpret_cast<LONG_PTR>(&dialogs_));
  FreeLibrary(program);
}

const std::vector<MenuCommand>& ProgramCommands::For(WindowKind kind) const {
  static const std::vector<MenuCommand> kNone;
  const auto found = commands_.find(kind);
  return found != commands_.end() ? found->second : kNone;
}

}  // namespace soak
