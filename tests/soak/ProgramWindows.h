#pragma once
// The program's windows as a user sees them: its visible top-level windows
// by kind, and the commands of each kind of window, read from the menus and
// shortcuts inside lumetta.exe itself (so a new menu item is driven too).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace soak {

enum class WindowKind {
  Main,
  Planner,
  Week,
  Year,
  ToDo,
  Notes,
  QuickCheck,
  Reminder,
  MessageBox,
  Dialog,  // any other #32770: the program's dialogs and the system's pickers
  Other,
};

const char* KindName(WindowKind kind);

struct ProgramWindow {
  HWND handle = nullptr;
  WindowKind kind = WindowKind::Other;
  std::string className;
  std::string title;
  bool enabled = false;
  RECT rect = {};
  HWND owner = nullptr;
};

// Every visible top-level window of the process, in z-order.
std::vector<ProgramWindow> VisibleWindows(DWORD processId);

// The name a window is counted under in the report: its kind, and for
// dialogs their title.
std::string ReachedName(const ProgramWindow& window);

// A dialog of the program file: its resource number, its caption and the
// identifiers of its controls, by which an open dialog is recognised.
struct DialogTemplate {
  int resource = 0;
  std::string caption;
  std::vector<int> controls;
};

// The program's dialog a window shows: by its caption (a title that begins
// with it), or for a dialog whose title is set when it opens (a reminder
// dialog is titled with its entry), by three or more controls that are all
// there. Null when none.
const DialogTemplate* DialogOf(const ProgramWindow& window,
                               const std::vector<DialogTemplate>& dialogs);
// "program dialog 141 "Configure Reminder"".
std::string DialogName(const DialogTemplate& dialog);

struct MenuCommand {
  UINT id = 0;
  std::string text;  // as in the menu, without '&'
};

struct Shortcut {
  BYTE key = 0;  // virtual key, with Ctrl
  UINT id = 0;
};

// The menus and shortcuts of the program file.
class ProgramCommands {
 public:
  explicit ProgramCommands(const std::string& programPath);
  bool Loaded() const { return !commands_.empty(); }
  // The menu commands of a kind of window (none for windows without a menu).
  const std::vector<MenuCommand>& For(WindowKind kind) const;
  const std::vector<Shortcut>& Shortcuts() const { return shortcuts_; }
  const std::vector<DialogTemplate>& Dialogs() const { return dialogs_; }

 private:
  std::map<WindowKind, std::vector<MenuCommand>> commands_;
  std::vector<Shortcut> shortcuts_;
  std::vector<DialogTemplate> dialogs_;
};

}  // namespace soak
