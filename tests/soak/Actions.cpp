#include "Actions.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>

#include "Diary.h"
#include "SoakInput.h"
#include "resource.h"
#include "support/DataFolder.h"

namespace soak {
namespace {

const char* const kActionNames[kActionKinds] = {
    "command",     "shortcut",       "key",         "text",         "click",    "double-click",
    "right-click", "wheel",          "scroll-bar",  "answer",       "snapshot", "activate",
    "lock-file",   "read-only-file", "time-change", "session-query"};

// Commands that open windows or dialogs, show, move or copy, but change no
// entry by themselves: a snapshot taken before them still holds.
bool LeavesEntriesAlone(UINT id) {
  static const std::set<UINT> kIds = {ID_VIEW_THIS_MONTH,     ID_VIEW_YEAR,
                                      ID_VIEW_WEEK,           ID_VIEW_TODAY,
                                      ID_VIEW_TODO,           ID_APP_ABOUT,
                                      ID_HELP_QUICK_HINTS,    ID_QUICK_HINTS,
                                      ID_WEEK_QUICK_HINTS,    ID_YEAR_QUICK_HINTS,
                                      ID_COPY_TO_CLIPBOARD,   ID_TODO_COPY_TO_CLIPBOARD,
                                      ID_WEEK_LENGTH_1,       ID_WEEK_LENGTH_2,
                                      ID_WEEK_LENGTH_4,       ID_WEEK_PREVIOUS,
                                      ID_WEEK_NEXT,           ID_YEAR_PREVIOUS,
                                      ID_YEAR_NEXT,           ID_TRAY_SHOW,
                                      ID_TRAY_HIDE,           ID_PRINT,
                                      ID_FILE_FIND,           ID_PREFS_FONT,
                                      ID_PREFS_COLORS,        ID_PREFS_SOUNDS,
                                      ID_PREFS_BACKGROUND,    ID_PREFS_ADVANCED,
                                      ID_PREFS_DAILY_WEBSITE, ID_FILE_TIMER,
                                      ID_FILE_BACKUP,         ID_FILE_EXPORT_ICALENDAR,
                                      ID_TODO_PERSONAL,       ID_TODO_WORK,
                                      ID_TODO_OTHER,          ID_CLOSE};
  return kIds.count(id) != 0;
}

bool HasCommands(const ProgramWindow& w) {
  return w.enabled &&
         (w.kind == WindowKind::Main || w.kind == WindowKind::Planner ||
          w.kind == WindowKind::Week || w.kind == WindowKind::Year || w.kind == WindowKind::ToDo);
}
bool IsDialog(const ProgramWindow& w) {
  return w.enabled && (w.kind == WindowKind::Dialog || w.kind == WindowKind::MessageBox);
}
bool IsEnabledPlanner(const ProgramWindow& w) { return w.enabled && w.kind == WindowKind::Planner; }
// Pop-up menus are left to Esc: a click into one could choose anything.
bool IsPointable(const ProgramWindow& w) { return w.className != "#32768"; }

std::string Describe(const ProgramWindow& w) {
  char handle[24];
  std::snprintf(handle, sizeof handle, " %p", static_cast<void*>(w.handle));
  return ReachedName(w) + handle;
}

POINT RandomPointIn(const RECT& r, std::mt19937& random) {
  const LONG width = std::max<LONG>(1, r.right - r.left);
  const LONG height = std::max<LONG>(1, r.bottom - r.top);
  return {r.left + static_cast<LONG>(random() % static_cast<unsigned>(width)),
          r.top + static_cast<LONG>(random() % static_cast<unsigned>(height))};
}

RECT ClientOnScreen(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  POINT corner = {0, 0};
  ClientToScreen(window, &corner);
  OffsetRect(&client, corner.x, corner.y);
  return client;
}

const char* const kWords[] = {
    "Meeting",        "x",         "\"",    "\"",  "Caf\xE9 \xE0 deux",     "Zo\xEB's \"big\" day",
    "\x80 20 \xB1 5", "Tab\there", "12:30", "   ", "\xC6\xD8\xC5 \xDF\xFF", "Dentist",
};

std::string RandomText(std::mt19937& random) {
  switch (random() % 4) {
    case 0: {  // over-long
      std::string text;
      while (text.size() < 150 + random() % 200) text += kWords[random() % std::size(kWords)];
      return text;
    }
    case 1:
      return "\"";  // "continued" from the entry above
    default:
      return kWords[random() % std::size(kWords)];
  }
}

const WORD kKeys[] = {VK_LEFT, VK_RIGHT,  VK_UP,     VK_DOWN,   VK_PRIOR,  VK_NEXT,
                      VK_HOME, VK_END,    VK_RETURN, VK_ESCAPE, VK_DELETE, VK_TAB,
                      VK_BACK, VK_RETURN, VK_DOWN,   VK_UP};

}  // namespace

const char* ActionName(ActionKind kind) { return kActionNames[static_cast<int>(kind)]; }

ActionKind ActionOfName(const std::string& name) {
  for (int i = 0; i < kActionKinds; ++i) {
    if (name == kActionNames[i]) return static_cast<ActionKind>(i);
  }
  return ActionKind::Count;
}

Driver::Driver(std::uint32_t seed, DriveOptions options, HANDLE process, DWORD processId,
               HWND mainWindow, const ProgramCommands& commands, const std::string& logFile)
    : random_(seed),
      options_(options),
      process_(process),
      processId_(processId),
      mainWindow_(mainWindow),
      commands_(commands),
      start_(GetTickCount()) {
  if (!logFile.empty()) logFile_.open(logFile);
}

Driver::~Driver() { LiftDisturbances(true); }

void Driver::Note(const std::string& line) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "#%d +%.1fs ", actionCount_,
                (GetTickCount() - start_) / 1000.0);
  log_.push_back(stamp + line);
  if (logFile_.is_open()) logFile_ << log_.back() << std::endl;
}

bool Driver::Check() {
  windows_ = VisibleWindows(processId_);
  for (const ProgramWindow& window : windows_) {
    const DialogTemplate* dialog = DialogOf(window, commands_.Dialogs());
    ++reached_[dialog != nullptr ? DialogName(*dialog) : ReachedName(window)];
  }
  fault_ = BrokenInvariant(process_, windows_, options_.limits, &outside_);
  if (!fault_.empty()) Note("FAULT: " + fault_);
  return fault_.empty();
}

// The faults being fixed elsewhere come from a window that closes while a
// modal dialog of its own (or the print dialog it started) is up. While
// such a dialog is up, only the dialog is answered and windows are not
// opened or closed.
bool Driver::Restricted() const {
  if (!options_.avoidKnownFaults) return false;
  for (const ProgramWindow& w : windows_) {
    if (w.kind != WindowKind::Dialog && w.kind != WindowKind::MessageBox) continue;
    if (w.title == "Print") return true;
    for (const ProgramWindow& owner : windows_) {
      if (owner.handle == w.owner && owner.kind != WindowKind::Main) return true;
    }
  }
  return false;
}

ActionKind Driver::Draw(bool restricted) {
  std::array<int, kActionKinds> weights = options_.weights;
  if (restricted) {
    for (int i = 0; i < kActionKinds; ++i) {
      const auto kind = static_cast<ActionKind>(i);
      if (kind != ActionKind::AnswerDialog && kind != ActionKind::Snapshot &&
          kind != ActionKind::LockFile && kind != ActionKind::ReadOnlyFile &&
          kind != ActionKind::TimeChange && kind != ActionKind::Wheel) {
        weights[static_cast<size_t>(i)] = 0;
      }
    }
  }
  int total = 0;
  for (int w : weights) total += w;
  if (total <= 0) return ActionKind::Count;
  int pick = Uniform(total);
  for (int i = 0; i < kActionKinds; ++i) {
    pick -= weights[static_cast<size_t>(i)];
    if (pick < 0) return static_cast<ActionKind>(i);
  }
  return ActionKind::Count;
}

const ProgramWindow* Driver::Pick(bool (*accept)(const ProgramWindow&)) {
  std::vector<const ProgramWindow*> candidates;
  for (const ProgramWindow& w : windows_) {
    if (accept(w)) candidates.push_back(&w);
  }
  if (candidates.empty()) return nullptr;
  return candidates[static_cast<size_t>(Uniform(static_cast<int>(candidates.size())))];
}

bool Driver::Step() {
  LiftDisturbances(false);
  if (!Check()) return false;
  const bool restricted = Restricted();
  // A few draws: a kind with nothing to act on (no dialog to answer, no
  // planner to copy) draws again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ActionKind kind = Draw(restricted);
    if (kind == ActionKind::Count) break;
    detail_.clear();
    if (!Act(kind)) continue;
    ++done_[static_cast<size_t>(kind)];
    ++actionCount_;
    Note(std::string(ActionName(kind)) + (restricted ? " (restricted) " : " ") + detail_);
    break;
  }
  Sleep(options_.pauseMs);
  return Check();
}

bool Driver::Act(ActionKind kind) {
  switch (kind) {
    case ActionKind::Command:
      return DoCommand();
    case ActionKind::Shortcut:
    case ActionKind::Key:
    case ActionKind::Text:
      return DoKey(kind);
    case ActionKind::Click:
    case ActionKind::DoubleClick:
    case ActionKind::RightClick:
    case ActionKind::Wheel:
    case ActionKind::ScrollBar:
      return DoMouse(kind);
    case ActionKind::AnswerDialog:
      return DoAnswer();
    case ActionKind::Snapshot: {
      const ProgramWindow* planner = Pick(IsEnabledPlanner);
      return planner != nullptr && DoSnapshot(*planner);
    }
    case ActionKind::Activate: {
      const ProgramWindow* target = Pick(IsPointable);
      if (target == nullptr) return false;
      detail_ = Describe(*target);
      BringToFront(target->handle);
      return true;
    }
    default:
      return DoDisturbance(kind);
  }
}

bool Driver::DoCommand() {
  const ProgramWindow* target = Pick(HasCommands);
  const bool mainHidden = !IsWindowVisible(mainWindow_);
  if (target == nullptr && !mainHidden) return false;
  UINT id = ID_TRAY_SHOW;  // the one way back to a hidden main window
  std::string name = "Show (tray)";
  HWND window = mainWindow_;
  if (target != nullptr && !(mainHidden && Chance(30))) {
    const std::vector<MenuCommand>& menu = commands_.For(target->kind);
    if (menu.empty()) return false;
    const MenuCommand& command = menu[static_cast<size_t>(Uniform(static_cast<int>(menu.size())))];
    id = command.id;
    name = command.text;
    window = target->handle;
    detail_ = Describe(*target) + " ";
  }
  detail_ += "\"" + name + "\" (" + std::to_string(id) + ")";
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  if (!LeavesEntriesAlone(id)) snapshots_.Forget();
  return true;
}

bool Driver::DoKey(ActionKind kind) {
  HWND front = GetForegroundWindow();
  DWORD owner = 0;
  GetWindowThreadProcessId(front, &owner);
  if (owner != processId_ || Chance(10)) {
    const ProgramWindow* target = Pick(IsPointable);
    if (target == nullptr) return false;
    BringToFront(target->handle);
    front = target->handle;
  }
  char title[80] = "";
  GetWindowTextA(front, title, sizeof title);
  detail_ = std::string("into \"") + title + "\" ";
  if (kind == ActionKind::Shortcut) {
    const std::vector<Shortcut>& shortcuts = commands_.Shortcuts();
    if (shortcuts.empty()) return false;
    const Shortcut& s = shortcuts[static_cast<size_t>(Uniform(static_cast<int>(shortcuts.size())))];
    char name[32];
    std::snprintf(name, sizeof name, "Ctrl+%s (%u)",
                  s.key == VK_DELETE ? "Del" : std::string(1, static_cast<char>(s.key)).c_str(),
                  s.id);
    detail_ += name;
    PressKey(s.key, true);
  } else if (kind == ActionKind::Key) {
    const WORD key = kKeys[Uniform(static_cast<int>(std::size(kKeys)))];
    const bool shift = key == VK_TAB && Chance(30);
    char name[32];
    std::snprintf(name, sizeof name, "key 0x%02X%s", key, shift ? " with Shift" : "");
    detail_ += name;
    PressKey(key, false, shift);
  } else {
    const std::string text = RandomText(random_);
    detail_ += "text \"" + text + "\"";
    TypeText(text);
    if (Chance(40)) PressKey(Chance(50) ? VK_RETURN : VK_DOWN);
  }
  snapshots_.Forget();
  return true;
}

bool Driver::DoMouse(ActionKind kind) {
  const ProgramWindow* target = Pick(IsPointable);
  if (target == nullptr) return false;
  // The main window's frame and menu bar are left out: its close box and
  // File > Exit end the run.
  RECT area = target->kind == WindowKind::Main ? ClientOnScreen(target->handle) : target->rect;
  if (kind == ActionKind::Wheel || kind == ActionKind::ScrollBar) {
    area = ClientOnScreen(target->handle);
  }
  if (kind == ActionKind::ScrollBar) {
    const LONG style = GetWindowLongA(target->handle, GWL_STYLE);
    if (!(style & WS_VSCROLL)) return false;
    // The vertical scroll bar lies just right of the client area.
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    area.left = area.right;
    area.right += width;
  }
  if (area.right <= area.left || area.bottom <= area.top) return false;
  const POINT at = RandomPointIn(area, random_);
  char where[48];
  std::snprintf(where, sizeof where, " at (%ld,%ld)", at.x, at.y);
  detail_ = Describe(*target) + where;
  switch (kind) {
    case ActionKind::Wheel: {
      const int notches = Chance(50) ? 1 + Uniform(3) : -1 - Uniform(3);
      detail_ += " " + std::to_string(notches);
      WheelAt(at, notches);
      return true;  // scrolling changes no entry
    }
    case ActionKind::DoubleClick:
      ClickAt(at, 2);
      break;
    case ActionKind::RightClick:
      ClickAt(at, 1, true);
      break;
    default:
      ClickAt(at, 1);
      break;
  }
  snapshots_.Forget();
  return true;
}

bool Driver::DoAnswer() {
  // The topmost enabled dialog: the one a user can reach.
  const ProgramWindow* dialog = nullptr;
  for (const ProgramWindow& w : windows_) {
    if (IsDialog(w)) {
      dialog = &w;
      break;
    }
  }
  if (dialog == nullptr) return false;
  detail_ = Describe(*dialog) + " ";
  snapshots_.Forget();
  const bool cancelOnly = options_.avoidKnownFaults && dialog->title == "Daily Website";
  HWND fileName = GetDlgItem(dialog->handle, 0x47c);
  if (!cancelOnly && fileName != nullptr && Chance(60)) {
    const char* const kNames[] = {kImportFile, "C:\\soak\\export.ics", "C:\\soak\\",
                                  "C:\\nowhere\\none.ics", "C:\\soak\\import.ics"};
    const char* name = kNames[Uniform(static_cast<int>(std::size(kNames)))];
    DWORD_PTR result = 0;
    SendMessageTimeoutA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name), SMTO_NORMAL,
                        options_.limits.hangMs, &result);
    detail_ += std::string("file name \"") + name + "\", OK";
    PostMessageA(dialog->handle, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
  }
  std::vector<HWND> buttons;
  for (HWND child = GetWindow(dialog->handle, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child) && IsWindowEnabled(child)) {
      const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
      if (type != BS_GROUPBOX) buttons.push_back(child);
    }
  }
  if (cancelOnly || buttons.empty() || Chance(35)) {
    // A key goes to the window in front; a dialog that another process
    // cannot bring there gets the command Esc sends instead.
    if (BringToFront(dialog->handle)) {
      detail_ += "Esc";
      PressKey(VK_ESCAPE);
    } else {
      detail_ += "Cancel (not in front for Esc)";
      PostMessageA(dialog->handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return true;
  }
  const HWND button = buttons[static_cast<size_t>(Uniform(static_cast<int>(buttons.size())))];
  char text[64] = "";
  GetWindowTextA(button, text, sizeof text);
  detail_ += std::string("button \"") + text + "\"";
  PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

bool Driver::DoSnapshot(const ProgramWindow& planner) {
  detail_ = Describe(planner);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(planner.handle, WM_COMMAND, MAKEWPARAM(ID_COPY_TO_CLIPBOARD, 0), 0,
                           SMTO_NORMAL, options_.limits.hangMs, &result)) {
    detail_ += ": no answer";
    return true;
  }
  std::string text;
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
        text = bytes;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  DaySnapshot snapshot;
  if (!ParseDayText(text, &snapshot)) {
    detail_ += ": no day planner text on the clipboard";
    return true;
  }
  snapshot.action = actionCount_ + 1;
  snapshots_.Keep(snapshot);
  char day[64];
  std::snprintf(day, sizeof day, ": %04d-%02d-%02d, %u entries", snapshot.year, snapshot.month,
                snapshot.day, static_cast<unsigned>(snapshot.lines.size()));
  detail_ += day;
  return true;
}

bool Driver::DoDisturbance(ActionKind kind) {
  if (kind == ActionKind::TimeChange) {
    for (const ProgramWindow& w : windows_) PostMessageA(w.handle, WM_TIMECHANGE, 0, 0);
    PostMessageA(mainWindow_, WM_TIMECHANGE, 0, 0);
    return true;
  }
  if (kind == ActionKind::SessionQuery) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(mainWindow_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, options_.limits.hangMs,
                        &result);
    SendMessageTimeoutA(mainWindow_, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, options_.limits.hangMs,
                        &result);
    detail_ = result != 0 ? "answered" : "";
    return true;
  }
  const char* const kFiles[] = {"Lumetta.bin", "Lumetta.bin", "settings.bin",
                                "per.bin",     "wor.bin",     "oth.bin"};
  Disturbance disturbance;
  disturbance.path = e2e::DataFolder() + kFiles[Uniform(static_cast<int>(std::size(kFiles)))];
  for (const Disturbance& d : disturbances_) {
    if (d.path == disturbance.path) return false;
  }
  const DWORD forMs = 1000 + static_cast<DWORD>(Uniform(4000));
  disturbance.until = GetTickCount() + forMs;
  if (kind == ActionKind::LockFile) {
    disturbance.lock =
        CreateFileA(disturbance.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (disturbance.lock == INVALID_HANDLE_VALUE) return false;
  } else {
    const DWORD attributes = GetFileAttributesA(disturbance.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesA(disturbance.path.c_str(), attributes | FILE_ATTRIBUTE_READONLY)) {
      return false;
    }
  }
  detail_ = disturbance.path + " for " + std::to_string(forMs) + " ms";
  disturbances_.push_back(disturbance);
  return true;
}

void Driver::LiftDisturbances(bool all) {
  const DWORD now = GetTickCount();
  for (auto it = disturbances_.begin(); it != disturbances_.end();) {
    if (!all && static_cast<LONG>(now - it->until) < 0) {
      ++it;
      continue;
    }
    if (it->lock != INVALID_HANDLE_VALUE) {
      CloseHandle(it->lock);
    } else {
      const DWORD attributes = GetFileAttributesA(it->path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesA(it->path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
      }
    }
    it = disturbances_.erase(it);
  }
}

bool Driver::Settle() {
  LiftDisturbances(true);
  Note("settle: disturbances lifted");
  HWND lastSettled = nullptr;
  int settleTries = 0;
  for (int round = 0; round < 40; ++round) {
    if (!Check()) return false;
    // The enabled one first: a dialog under a nested one (Print under its
    // printer's Advanced Settings) takes no keys until that one closes.
    const ProgramWindow* dialog = nullptr;
    for (const ProgramWindow& w : windows_) {
      if (!IsDialog(w) && w.className != "#32768") continue;
      if (dialog == nullptr || (IsWindowEnabled(w.handle) && !IsWindowEnabled(dialog->handle))) {
        dialog = &w;
      }
    }
    if (dialog == nullptr) break;
    // Esc reaches a dialog only once it is in front, which another process
    // cannot always bring about; then the dialog gets the command Esc sends.
    if (dialog->handle == lastSettled && ++settleTries > 3) {
      Note("settle: Cancel to " + Describe(*dialog) + " (Esc did not reach it)");
      PostMessageA(dialog->handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else {
      if (dialog->handle != lastSettled) settleTries = 0;
      lastSettled = dialog->handle;
      Note("settle: Esc on " + Describe(*dialog));
      BringToFront(dialog->handle);
      PressKey(VK_ESCAPE);
    }
    Sleep(300);
  }
  if (!Check()) return false;
  for (const ProgramWindow& w : windows_) {
    if (w.kind == WindowKind::Dialog || w.kind == WindowKind::MessageBox) {
      fault_ = Describe(w) + " does not close with Esc or Cancel";
      Note("FAULT: " + fault_);
      return false;
    }
  }
  const std::vector<ProgramWindow> planners = windows_;
  for (const ProgramWindow& w : planners) {
    if (w.kind != WindowKind::Planner) continue;
    detail_.clear();
    DoSnapshot(w);
    Note("settle: snapshot " + detail_);
  }
  return Check();
}

}  // namespace soak
