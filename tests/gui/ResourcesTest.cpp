// The program's resources as compiled: identifiers, main menu, shortcuts,
// icon, version information and manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "resource.h"
#include "test_resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string ResourceBytes(LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(Module(), name, type);
  if (found == nullptr) return std::string();
  HGLOBAL loaded = LoadResource(Module(), found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return std::string(data, SizeofResource(Module(), found));
}

// ---- identifiers -----------------------------------------------------------

struct Define {
  std::string name;
  long value;
};

std::vector<Define> NumericDefines(const std::string& header) {
  std::vector<Define> defines;
  std::istringstream lines(header);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string directive, name, value;
    if (!(words >> directive >> name >> value) || directive != "#define") continue;
    char* end = nullptr;
    const long number = std::strtol(value.c_str(), &end, 0);
    if (end != value.c_str() && *end == '\0') defines.push_back({name, number});
  }
  return defines;
}

// "ID_", "IDR_", "IDD_", ...: the kind of identifier a name stands for.
// Controls are numbered per dialog: "IDC_FIND_TEXT" is of kind "IDC_FIND_".
std::string KindOf(const std::string& name) {
  const size_t first = name.find('_');
  if (name.compare(0, first + 1, "IDC_") == 0) {
    const size_t second = name.find('_', first + 1);
    if (second != std::string::npos) return name.substr(0, second + 1);
  }
  return name.substr(0, first + 1);
}

TEST(ResourceIds, NoValueIsUsedTwiceWithinOneKind) {
  const std::vector<Define> defines =
      NumericDefines(ResourceBytes(MAKEINTRESOURCEA(IDR_TEST_RESOURCE_HEADER), RT_RCDATA));
  ASSERT_GT(defines.size(), 30u) << "resource.h was not read";

  std::map<std::string, std::map<long, std::string>> byKind;
  std::set<std::string> names;
  for (const Define& define : defines) {
    EXPECT_TRUE(names.insert(define.name).second) << define.name << " is defined twice";
    std::string kind = KindOf(define.name);
    if (kind == "IDI_") kind = "IDR_";  // both name icons
    auto inserted = byKind[kind].emplace(define.value, define.name);
    EXPECT_TRUE(inserted.second) << define.name << " and " << inserted.first->second
                                 << " share the value " << define.value;
  }
  EXPECT_EQ(1u, byKind.count("ID_")) << "commands are among them";
}

// ---- main menu -------------------------------------------------------------

struct Item {
  std::string text;  // "-" for a separator
  UINT id;           // 0 for a sub-menu
  std::vector<Item> items;
};

std::vector<Item> ReadMenu(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    Item item;
    if (info.fType & MFT_SEPARATOR) {
      item.text = "-";
      item.id = 0;
    } else {
      item.text = text;
      item.id = info.hSubMenu != nullptr ? 0 : info.wID;
      if (info.hSubMenu != nullptr) item.items = ReadMenu(info.hSubMenu);
    }
    items.push_back(item);
  }
  return items;
}

std::string Describe(const std::vector<Item>& items, const std::string& indent = "") {
  std::string out;
  for (const Item& item : items) {
    out += indent + item.text + (item.id != 0 ? " " + std::to_string(item.id) : "") + "\n";
    out += Describe(item.items, indent + "  ");
  }
  return out;
}

TEST(MainMenu, HasTheFileViewAndHelpMenusWithTheirCommandsAndSeparators) {
  HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(115));
  ASSERT_NE(nullptr, menu);
  const std::vector<Item> expected = {
      {"&File",
       0,
       {{"&Preferences",
         0,
         {{"&Font...", 32801, {}},
          {"&Colors...", 32800, {}},
          {"&Sounds...", 32821, {}},
          {"&Background...", 32839, {}},
          {"-", 0, {}},
          {"&Advanced...", 30799, {}},
          {"-", 0, {}},
          {"&Daily Website...", 32860, {}}}},
        {"-", 0, {}},
        {"&Find...", 32840, {}},
        {"&Timer...", 32822, {}},
        {"&Backup...", 32838, {}},
        {"-", 0, {}},
        {"&Export to iCalendar...", 32910, {}},
        {"&Import iCalendar...", 32911, {}},
        {"-", 0, {}},
        {"Calendar &Accounts...", 32912, {}},
        {"&Sync Now\tCtrl+K", 32913, {}},
        {"Sync &Conflicts...", 32914, {}},
        {"S&ubscribe to Calendar...", 32920, {}},
        {"-", 0, {}},
        {"E&xit", 57665, {}}}},
      {"&View",
       0,
       {{"This &Month", 32775, {}},
        {"&Year\tCtrl+Y", 32795, {}},
        {"&Week\tCtrl+W", 32797, {}},
        {"&Today\tCtrl+T", 32833, {}},
        {"To &Do List\tCtrl+D", 32816, {}}}},
      {"&Help",
       0,
       {{"&Help Topics\tF1", 32774, {}},
        {"&Quick Hints...", 32811, {}},
        {"-", 0, {}},
        {"&Visit lumetta.example.org", 32844, {}},
        {"-", 0, {}},
        {"Version and &Contact Info...", 57664, {}}}},
  };
  EXPECT_EQ(Describe(expected), Describe(ReadMenu(menu)));
  DestroyMenu(menu);
}

TEST(MainMenu, ShortcutsAreCtrlWithTheirKeysAndF1ForHelp) {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(115));
  ASSERT_NE(nullptr, table);
  std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
  CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));

  std::map<WORD, WORD> commandByKey;
  for (const ACCEL& entry : entries) {
    const BYTE modifiers = entry.key == VK_F1 ? FVIRTKEY : FVIRTKEY | FCONTROL;
    EXPECT_EQ(modifiers, entry.fVirt & ~FNOINVERT) << "key " << entry.key;
    commandByKey[entry.key] = entry.cmd;
  }
  const std::map<WORD, WORD> expected = {
      {'A', 32832},       {'C', 32829}, {'D', 32816}, {'K', 32913}, {'M', 32812}, {'N', 32819},
      {'O', 30856},       {'P', 32818}, {'R', 32793}, {'S', 32855}, {'T', 32833}, {'V', 32830},
      {VK_DELETE, 32847}, {'W', 32797}, {'X', 32828}, {'Y', 32795}, {'Z', 32826}, {VK_F1, 32774}};
  EXPECT_EQ(expected, commandByKey);
  EXPECT_EQ(expected.size(), entries.size());
}

// ---- every window's menu ----------------------------------------------------

std::vector<ACCEL> MainShortcuts() {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
  CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
  return entries;
}

// How a shortcut reads after the tab of a menu text: "Ctrl+Y", "Ctrl+Del", "F1".
std::string ShortcutText(const ACCEL& entry) {
  std::string key;
  if (entry.key >= VK_F1 && entry.key <= VK_F12) {
    key = "F" + std::to_string(entry.key - VK_F1 + 1);
  } else if (entry.key == VK_DELETE) {
    key = "Del";
  } else {
    key = std::string(1, static_cast<char>(entry.key));
  }
  return ((entry.fVirt & FCONTROL) != 0 ? "Ctrl+" : "") + key;
}

char AccessLetter(const std::string& label) {
  const size_t amp = label.find('&');
  if (amp == std::string::npos || amp + 1 >= label.size()) return 0;
  return static_cast<char>(tolower(static_cast<unsigned char>(label[amp + 1])));
}

struct MenuCase {
  const char* window;
  int resource;
  bool everyItemHasALetter;
  std::string sharedLetters;  // letters two kept texts of one menu both use
};

void PrintTo(const MenuCase& menu, std::ostream* out) { *out << menu.window; }

class WindowMenus : public ::testing::TestWithParam<MenuCase> {
 protected:
  void Check(const std::vector<Item>& items, const std::string& where) {
    std::map<char, std::string> byLetter;
    for (const Item& item : items) {
      if (item.text == "-") continue;
      const size_t tab = item.text.find('\t');
      const std::string label = item.text.substr(0, tab);
      const std::string shown = tab == std::string::npos ? "" : item.text.substr(tab + 1);
      const char letter = AccessLetter(label);
      if (GetParam().everyItemHasALetter) {
        EXPECT_NE(0, letter) << where << item.text;
      }
      if (letter != 0 && GetParam().sharedLetters.find(letter) == std::string::npos) {
        auto added = byLetter.emplace(letter, label);
        EXPECT_TRUE(added.second) << where << label << " and " << added.first->second
                                  << " share the access key " << letter;
      }
      CheckShortcut(item, shown, where);
      Check(item.items, where + label + " > ");
    }
  }

  // A key shown after the tab is one the shortcut table binds; on the main
  // menu it is bound to that very item, and every bound item shows its key.
  void CheckShortcut(const Item& item, const std::string& shown, const std::string& where) {
    const bool mainMenu = GetParam().resource == IDR_MAINFRAME;
    std::string boundToItem, anyBinding;
    for (const ACCEL& entry : shortcuts_) {
      if (ShortcutText(entry) == shown) anyBinding = shown;
      if (item.id != 0 && entry.cmd == item.id) boundToItem = ShortcutText(entry);
    }
    if (shown.rfind("Ctrl+", 0) == 0 || (mainMenu && !shown.empty())) {
      EXPECT_EQ(shown, anyBinding) << where << item.text << " shows a key nothing binds";
    }
    if (mainMenu) {
      EXPECT_EQ(boundToItem, shown) << where << item.text;
    }
  }

  std::vector<ACCEL> shortcuts_ = MainShortcuts();
};

TEST_P(WindowMenus, AccessKeysAreUniqueAndShownShortcutsAreTheBoundOnes) {
  HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(GetParam().resource));
  ASSERT_NE(nullptr, menu);
  ASSERT_FALSE(shortcuts_.empty());
  Check(ReadMenu(menu), std::string(GetParam().window) + ": ");
  DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowMenus,
                         ::testing::Values(MenuCase{"main", IDR_MAINFRAME, true, ""},
                                           // "&Copy to Clipboard" and "&Close" keep their letters.
                                           MenuCase{"planner", IDR_DAY_PLANNER, false, "c"},
                                           MenuCase{"to-do", IDR_TODO, false, ""},
                                           MenuCase{"week", IDR_WEEKVIEW, false, ""},
                                           MenuCase{"year", IDR_YEARVIEW, false, ""}),
                         [](const ::testing::TestParamInfo<MenuCase>& info) {
                           std::string name = info.param.window;
                           name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                           return name;
                         });

// ---- icon, version, manifest -----------------------------------------------

TEST(ApplicationIcon, LoadsAtSmallAndLargeSize) {
  for (int size : {16, 32}) {
    HICON icon =
        static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(115), IMAGE_ICON, size, size, 0));
    ASSERT_NE(nullptr, icon) << size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(size, colour.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(VersionInfo, NamesTheProductAndVersion821) {
  std::string block = ResourceBytes(MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(2, 8)), fixed->dwProductVersionMS);
  EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, 1)), fixed->dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

  const char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(&block[0], "\\StringFileInfo\\040904E4\\ProductVersion",
                             reinterpret_cast<void**>(const_cast<char**>(&text)), &length));
  EXPECT_STREQ("8.2.1", text);
  ASSERT_TRUE(VerQueryValueA(&block[0], "\\StringFileInfo\\040904E4\\ProductName",
                             reinterpret_cast<void**>(const_cast<char**>(&text)), &length));
  EXPECT_STREQ("Lumetta Calendar & Day Planner", text);
}

TEST(Manifest, IsEmbeddedAndSelectsCommonControls6) {
  const std::string manifest = ResourceBytes(MAKEINTRESOURCEA(1), RT_MANIFEST);
  EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
  EXPECT_NE(std::string::npos, manifest.find("<dpiAware"));

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&controls));
  // Version 6 lives side by side with the old one: the module in use comes
  // from the side-by-side store, not from the system folder.
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  ASSERT_NE(nullptr, comctl);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(comctl, path, MAX_PATH);
  std::string lowered(path);
  for (char& c : lowered) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(std::string::npos, lowered.find("common-controls")) << path;
}

}  // namespace
