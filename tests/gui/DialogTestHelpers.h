#pragma once
// Helpers for the tests of the store's dialogs (repeat, find, backup):
// layout in dialog units, the date picker's value, styles.

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace dialog_test {

// A rectangle in dialog units, as the templates give them.
struct Units {
  int x, y, width, height;
};

// The pixels a rectangle of dialog units takes in this dialog. Position and
// size are converted separately, as the dialog manager places controls.
inline RECT ToPixels(HWND dialog, const Units& u) {
  RECT at = {u.x, u.y, u.width, u.height};
  MapDialogRect(dialog, &at);
  return RECT{at.left, at.top, at.left + at.right, at.top + at.bottom};
}

// A control's rectangle in its dialog's client coordinates.
inline RECT ControlRect(HWND dialog, int id) {
  RECT r = {};
  HWND control = GetDlgItem(dialog, id);
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// True when the control stands where the template puts it.
inline bool PlacedAt(HWND dialog, int id, const Units& u, std::string* actual = nullptr) {
  const RECT want = ToPixels(dialog, u);
  const RECT have = ControlRect(dialog, id);
  if (actual != nullptr) *actual = Describe(have) + " (expected " + Describe(want) + ")";
  return EqualRect(&want, &have) != FALSE;
}

// The client area's size in dialog units matches the template's size.
inline bool SizedAt(HWND dialog, int width, int height, std::string* actual = nullptr) {
  RECT want = {0, 0, width, height};
  MapDialogRect(dialog, &want);
  RECT have = {};
  GetClientRect(dialog, &have);
  if (actual != nullptr) *actual = Describe(have) + " (expected " + Describe(want) + ")";
  return have.right == want.right && have.bottom == want.bottom;
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

}  // namespace dialog_test
