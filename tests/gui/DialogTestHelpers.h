#pragma once
// Helpers for the tests of the store's dialogs (repeat, find, backup):
// whether a dialog fits its texts, the date picker's value, the keyboard.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"

namespace dialog_test {

// A control's rectangle in its dialog's client coordinates.
inline RECT ControlRect(HWND dialog, HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline RECT ControlRect(HWND dialog, int id) { return ControlRect(dialog, GetDlgItem(dialog, id)); }

inline std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// What a user would see wrong in a dialog as laid out with its own font: a
// control reaching out of the client area, two controls on top of each
// other (group boxes aside, which frame others), or a text its control cuts
// (measured in the control's own font). Hidden controls are not seen. A
// check box's square takes boxRoom of its width (by default the screen's).
// One line per fault, naming the control by its text or identifier.
inline std::vector<std::string> Misfits(HWND dialog,
                                        int boxRoom = GetSystemMetrics(SM_CXMENUCHECK) + 4) {
  std::vector<std::string> faults;
  RECT client = {};
  GetClientRect(dialog, &client);
  const fw::WindowDC dc(dialog);
  struct Placed {
    std::string name;
    RECT rect;
  };
  std::vector<Placed> placed;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    char className[64] = "";
    GetClassNameA(child, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0) continue;
    const RECT r = ControlRect(dialog, child);
    const std::string name = text[0] != '\0' ? "\"" + std::string(text) + "\""
                                             : "control " + std::to_string(GetDlgCtrlID(child));
    RECT inside = {};
    IntersectRect(&inside, &r, &client);
    if (!EqualRect(&inside, &r))
      faults.push_back(name + " reaches out of the dialog: " + Describe(r));

    const bool button = lstrcmpiA(className, "Button") == 0;
    const LONG_PTR kind = style & BS_TYPEMASK;
    const bool groupBox = button && kind == BS_GROUPBOX;
    if (!groupBox) {
      for (const Placed& other : placed) {
        RECT common = {};
        if (IntersectRect(&common, &r, &other.rect))
          faults.push_back(name + " overlaps " + other.name);
      }
      placed.push_back({name, r});
    }
    if (text[0] == '\0' || (!button && lstrcmpiA(className, "Static") != 0)) continue;
    if (!button && (style & SS_TYPEMASK) > SS_RIGHT) continue;  // icons, frames, pictures
    // The room the text has: a check box or radio button gives some to its box.
    int room = r.right - r.left;
    const bool box = button && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && !groupBox;
    if (box) room -= boxRoom;
    if (button && !box && !groupBox) room -= 2 * GetSystemMetrics(SM_CXEDGE);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
    const fw::ScopedSelect withFont(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    RECT needed = {0, 0, room, 0};
    const bool wraps = !button && (style & SS_TYPEMASK) <= SS_RIGHT;
    DrawTextA(dc.Get(), text, -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    if (needed.right > room || needed.bottom > r.bottom - r.top) {
      faults.push_back(name + " needs " + std::to_string(needed.right) + "x" +
                       std::to_string(needed.bottom) + " but has " + Describe(r));
    }
  }
  return faults;
}

// The face name of the font the dialog's controls use.
inline std::string FontFace(HWND dialog) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA lf = {};
  if (font == nullptr || GetObjectA(font, sizeof lf, &lf) == 0) return std::string();
  return lf.lfFaceName;
}

inline bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

inline void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

inline SYSTEMTIME PickerValue(HWND dialog, int id) {
  SYSTEMTIME st = {};
  SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return st;
}

inline void SetPickerValue(HWND dialog, int id, int year, int month, int day) {
  SYSTEMTIME st = PickerValue(dialog, id);
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

inline std::string DateOf(const SYSTEMTIME& st) {
  return std::to_string(st.wYear) + "-" + std::to_string(st.wMonth) + "-" + std::to_string(st.wDay);
}

// The centre of a window's frame.
inline POINT CentreOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Runs `step` once, inside the dialog's own message loop after the dialog
// has set its focus: where a user's keys would go. For one dialog at a time.
inline std::function<void()>& PendingStep() {
  static std::function<void()> step;
  return step;
}

inline void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  std::function<void()> step = std::move(PendingStep());
  PendingStep() = nullptr;
  if (step) step();
}

// A dialog the keys did not close is ended after a few seconds, so that a
// test fails instead of hanging.
struct Guard {
  HWND dialog = nullptr;
  UINT_PTR timer = 0;
};

inline Guard& DialogGuard() {
  static Guard guard;
  return guard;
}

inline void CALLBACK EndStuckDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  Guard& guard = DialogGuard();
  if (timer == guard.timer && IsWindow(guard.dialog)) EndDialog(guard.dialog, 0);
  guard = Guard{};
}

inline void WhenUp(HWND dialog, std::function<void()> step) {
  PendingStep() = std::move(step);
  Guard& guard = DialogGuard();
  if (guard.timer != 0) KillTimer(nullptr, guard.timer);
  SetTimer(nullptr, 0, 1, RunPendingStep);
  guard = Guard{dialog, SetTimer(nullptr, 0, 5000, EndStuckDialog)};
}

// What the Tab key reaches, from the focused control round to it again:
// each control's text, or its class when it shows none.
inline std::vector<std::string> TabOrder(HWND dialog) {
  std::vector<std::string> order;
  const HWND first = GetFocus();
  HWND control = first;
  do {
    if (control == nullptr || (control != dialog && !IsChild(dialog, control))) break;
    char text[256] = "";
    GetWindowTextA(control, text, sizeof text);
    if (text[0] == '\0') GetClassNameA(control, text, sizeof text);
    order.push_back(text);
    control = GetNextDlgTabItem(dialog, control, FALSE);
  } while (control != first && order.size() < 20);
  return order;
}

// Types a text into the focused control as the keyboard would.
inline void PostTyped(const std::string& text) {
  for (char c : text) PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
}

}  // namespace dialog_test
