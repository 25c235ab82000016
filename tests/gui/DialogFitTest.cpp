// Every dialog of the program, made from its template at 96, 120, 144 and
// 192 DPI, shows each text whole: no static text, check box, button or
// group box cuts its text, and no control leaves the dialog or covers
// another.
//
// A dialog is laid out in units of its font, and the font is made for the
// screen's DPI: the same template with its font's point size scaled to
// give the height the font has at another DPI is laid out as it would be
// there. The test opens each template so, at every DPI whose font height
// the screen's DPI can give (all four at 96 DPI; at 144 DPI, 144 itself).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "DialogTestHelpers.h"
#include "resource.h"

namespace {

// Skips a string or ordinal of a template; returns what follows it.
const WORD* SkipNameOrOrdinal(const WORD* at) {
  if (*at == 0xFFFF) return at + 2;
  while (*at != 0) ++at;
  return at + 1;
}

// The point size whose font at `screenDpi` is as tall as `points` at `dpi`;
// 0 when no whole point size is.
WORD PointsFor(WORD points, UINT dpi, UINT screenDpi) {
  const int wanted = MulDiv(points, static_cast<int>(dpi), 72);
  for (int p = 1; p < 4 * points; ++p)
    if (MulDiv(p, static_cast<int>(screenDpi), 72) == wanted) return static_cast<WORD>(p);
  return 0;
}

// A copy of an extended dialog template whose font is as tall as at `dpi`
// on a screen of `screenDpi`; empty when no point size gives that height.
std::string TemplateAt(int id, UINT dpi, UINT screenDpi) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  EXPECT_NE(nullptr, found) << id;
  if (found == nullptr) return {};
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  EXPECT_EQ(0xFFFF, words[1]) << id << " is no extended template";
  if (words[1] != 0xFFFF) return {};
  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy,
  // then menu, class and caption, then the font's point size.
  const WORD* at = SkipNameOrOrdinal(SkipNameOrOrdinal(SkipNameOrOrdinal(words + 13)));
  const WORD points = PointsFor(*at, dpi, screenDpi);
  if (points == 0) return {};
  const auto* bytes = reinterpret_cast<const char*>(words);
  std::string copy(bytes, SizeofResource(module, found));
  std::memcpy(&copy[reinterpret_cast<const char*>(at) - bytes], &points, sizeof points);
  return copy;
}

// A dialog's icon is loaded at the screen's icon size, not laid out in
// units of the font: where the template stands in for another DPI, the icon
// is sized as that DPI's screen would size it.
void SizeIconsFor(HWND dialog, UINT dpi, int screenDpi) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0 ||
        (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
      continue;
    const RECT r = dialog_test::ControlRect(dialog, child);
    SetWindowPos(child, nullptr, 0, 0, MulDiv(r.right - r.left, static_cast<int>(dpi), screenDpi),
                 MulDiv(r.bottom - r.top, static_cast<int>(dpi), screenDpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Every dialog template of the program.
const int kTemplates[] = {
    IDD_ABOUTBOX,      IDD_MONTH_HINTS,   IDD_WEEK_HINTS, IDD_YEAR_HINTS, IDD_BACKUP,
    IDD_TIMER,         IDD_FIND,          IDD_EDIT_HELP,  IDD_EARLY,      IDD_REPEAT,
    IDD_ADVANCED,      IDD_DAILY_WEBSITE, IDD_SOUNDS,     IDD_COLORS,     IDD_SYNC_ACCOUNTS,
    IDD_SUBSCRIPTIONS, IDD_TODO_HELP,     IDD_SCHEDULE,
};

TEST(DialogFitTest, EveryDialogShowsItsTextsWholeAtEveryDpi) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (UINT dpi : {96u, 120u, 144u, 192u}) {
    // The check box's square grows with the DPI.
    const int boxRoom =
        MulDiv(GetSystemMetrics(SM_CXMENUCHECK) + 4, static_cast<int>(dpi), screenDpi);
    for (int id : kTemplates) {
      const std::string bytes = TemplateAt(id, dpi, static_cast<UINT>(screenDpi));
      if (bytes.empty()) continue;
      HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                               reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                               nullptr, PlainDialog, 0);
      ASSERT_NE(nullptr, dialog) << id;
      SizeIconsFor(dialog, dpi, screenDpi);
      char caption[128] = "";
      GetWindowTextA(dialog, caption, sizeof caption);  // names the dialog
      for (const std::string& fault : dialog_test::Misfits(dialog, boxRoom))
        ADD_FAILURE() << "\"" << caption << "\" (" << id << ") at " << dpi << " DPI: " << fault;
      DestroyWindow(dialog);
    }
  }
}

}  // namespace
