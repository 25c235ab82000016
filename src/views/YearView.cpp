// The year view's window: opening, stepping the year, hover, clicks, keys,
// commands and clearing a year.
#include "views/YearView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "framework/WindowDC.h"
#include "framework/WorkArea.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "store/ProgramState.h"
#include "views/MonthLayout.h"
#include "views/MonthView.h"
#include "views/MonthViewHost.h"
#include "views/QuickCheckPopup.h"

namespace views {
namespace {

// The program's one year view (program-wide: the views and planners reach it here).
std::unique_ptr<ViewYear> g_yearView;

// A saved left edge further right than this is not used.
constexpr int kFurthestSavedLeft = 2500;

}  // namespace

ViewYear::ViewYear(CLumettaView& monthView, MonthViewHost& host, fw::Prompter& prompter)
    : PeriodWindow(
          monthView, host, PrintSourceKind::YearView,
          {ID_YEAR_PREVIOUS, ID_YEAR_NEXT, ID_YEAR_QUICK_HINTS, IDD_YEAR_HINTS, IDI_YEARVIEW},
          store::g_settings.yearViewPosition),
      prompter_(prompter) {}

ViewYear::~ViewYear() { Destroy(); }

ViewYear* ViewYear::Current() { return g_yearView.get(); }

ViewYear* ViewYear::Open(CLumettaView& monthView, MonthViewHost& host, fw::Prompter& prompter,
                         HDC dc, int year, int frameExtraHeight) {
  if (g_yearView != nullptr) return nullptr;
  std::unique_ptr<ViewYear> view(new ViewYear(monthView, host, prompter));
  if (!view->InitYearView(dc, year, frameExtraHeight)) return nullptr;
  g_yearView = std::move(view);
  return g_yearView.get();
}

void ViewYear::OnDpiChanged() {
  screenFont_.Reset(nullptr);  // a font fitted at the old scale
  fw::WindowDC dc(Handle());
  layout_ = Measure(dc.Get(), false);
}

void ViewYear::FollowMainFont() {
  RECT outer = {};
  RECT client = {};
  GetWindowRect(Handle(), &outer);
  GetClientRect(Handle(), &client);
  const int frameExtraHeight = (outer.bottom - outer.top) - client.bottom;
  const HWND mainWindow = GetAncestor(monthView_.Handle(), GA_ROOT);
  screenFont_.Reset(nullptr);  // fitted to the old font
  {
    fw::WindowDC dc(Handle());
    layout_ = Measure(dc.Get(), false);
    FitFontInto(dc.Get(), fw::WorkAreaFor(outer, mainWindow), frameExtraHeight);
  }
  const SIZE size = FrameSize(frameExtraHeight);
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  fw::FitIntoWorkArea(Handle(), mainWindow);
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool ViewYear::InitYearView(HDC dc, int year, int frameExtraHeight) {
  year_ = std::clamp(year, kFirstYear, kLastYear);
  const store::SettingsBlock& settings = store::g_settings;
  const int savedLeft = settings.yearViewPosition.left;
  int x = savedLeft >= 0 && savedLeft <= kFurthestSavedLeft ? savedLeft : 0;
  int y = settings.yearViewPosition.top;
  const HWND mainWindow = GetAncestor(monthView_.Handle(), GA_ROOT);
  layout_ = Measure(dc, false);
  SIZE size = FrameSize(frameExtraHeight);
  const RECT work = fw::WorkAreaFor(RECT{x, y, x + size.cx, y + size.cy}, mainWindow);
  const bool fits = FitFontInto(dc, work, frameExtraHeight);
  size = FrameSize(frameExtraHeight);

  const std::string caption = std::to_string(year_);
  fw::WindowParams params;
  params.title = caption.c_str();
  params.style = WS_CAPTION | WS_SYSMENU;
  params.x = x;
  params.y = y;
  params.width = size.cx;
  params.height = size.cy;
  params.parent = monthView_.Handle();
  params.exStyle = WS_EX_APPWINDOW;  // a taskbar button, and Alt+Tab finds it
  if (!CreatePeriodFrame(IDR_YEARVIEW, kClassName, params)) return false;

  if (!fits) prompter_.Show(Handle(), kSmallScreenAdvice, MB_OK);  // the view opens anyway
  if (x == 0 && y == 0) {
    x = (work.left + work.right - size.cx) / 2;
    y = (work.top + work.bottom - size.cy) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  fw::FitIntoWorkArea(Handle(), mainWindow);
  ShowWindow(Handle(), SW_SHOW);
  return true;
}

SIZE ViewYear::FrameSize(int frameExtraHeight) const {
  constexpr int kFrameWidthAt96 = 22;  // the frame's two edges
  return SIZE{4 * 7 * layout_.cell.width + ViewDpi().Scale(kFrameWidthAt96),
              3 * 8 * layout_.cell.height + frameExtraHeight};
}

bool ViewYear::FitFontInto(HDC dc, const RECT& work, int frameExtraHeight) {
  // Smaller than this a day's number is no longer readable.
  constexpr int kSmallestTextHeight = 11;
  LOGFONTA description = monthView_.MainFontDescription();
  const auto fitsWork = [&] {
    const SIZE size = FrameSize(frameExtraHeight);
    return size.cx <= work.right - work.left && size.cy <= work.bottom - work.top;
  };
  for (int height = layout_.cell.height - 6; !fitsWork(); --height) {
    if (height < kSmallestTextHeight) return false;
    description.lfHeight = height;  // positive: the whole line's height
    description.lfWidth = 0;
    screenFont_.Reset(CreateFontIndirectA(&description));
    if (!screenFont_) return false;
    layout_ = Measure(dc, false);
  }
  return true;
}

HFONT ViewYear::ScreenFont() const {
  return screenFont_ ? screenFont_.Get() : monthView_.MainFontFor(ViewDpi());
}

// --- The year ----------------------------------------------------------------------

void ViewYear::ShowYear(int year) {
  year_ = year;
  SetWindowTextA(Handle(), std::to_string(year_).c_str());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ViewYear::NextYear() {
  if (year_ < kLastYear) ShowYear(year_ + 1);
}

void ViewYear::PreviousYear() {
  if (year_ > kFirstYear) ShowYear(year_ - 1);
}

void ViewYear::ConfirmEraseYear(int year) {
  char question[256];
  std::snprintf(
      question, sizeof question,
      "Erase all day planner entries for the year %d?\nPress Cancel if your are not sure.", year);
  if (prompter_.Show(Handle(), question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  std::snprintf(question, sizeof question,
                "Are you really, really sure you want to erase all day planner entries for the "
                "year %d?",
                year);
  if (prompter_.Show(Handle(), question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  store::All_Appointments& book = host_.Book();
  book.DeleteYear(year);
  book.context().notices.ViewsChanged();
}

// --- Mouse and keys ----------------------------------------------------------------

void ViewYear::ForgetHover() { hover_ = YearDay{-1, -1}; }

void ViewYear::OnMouseMove(POINT point) {
  if (GetActiveWindow() != Handle()) {
    ForgetHover();
    CloseQuickCheckPopup();
    monthView_.ForgetQuickCheck();
    if (GetCapture() == Handle()) ReleaseCapture();
    return;
  }
  SetCapture(Handle());
  const YearDay day = YearDayAt(layout_, point);
  if (day.month != 0) {
    if (day.month == hover_.month && day.day == hover_.day) return;
    hover_ = day;
    RECT frame = {};
    GetWindowRect(Handle(), &frame);
    RECT anchor = layout_.days[static_cast<size_t>(day.month)][static_cast<size_t>(day.day)];
    OffsetRect(&anchor, frame.left, frame.top);
    anchor.right += 6;
    anchor.bottom += 6;
    monthView_.ShowQuickCheck(year_, day.month, day.day, anchor, 1);
    return;
  }
  ForgetHover();
  monthView_.ForgetQuickCheck();
  RECT client = {};
  GetClientRect(Handle(), &client);
  if (!PtInRect(&client, point)) ReleaseCapture();
  CloseQuickCheckPopup();
}

void ViewYear::OnDayClick(POINT point, bool right) {
  const YearDay day = YearDayAt(layout_, point);
  if (day.month == 0) return;
  CloseQuickCheckPopup();
  ForgetHover();
  ReleaseCapture();
  if (right) {
    host_.OpenWeekView(year_, day.month, day.day);
  } else {
    monthView_.OpenDayPlanner(year_, day.month, day.day);
  }
}

void ViewYear::OnKeyDown(UINT key) {
  switch (key) {
    case VK_ESCAPE:
      CloseQuickCheckPopup();
      ReleaseCapture();
      ForgetHover();
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      break;
    case VK_PRIOR:
    case VK_RIGHT:
      NextYear();
      break;
    case VK_NEXT:
    case VK_LEFT:
      PreviousYear();
      break;
    default:
      break;
  }
}

// --- Commands ----------------------------------------------------------------------

bool ViewYear::IsCommandEnabled(UINT id) const {
  return id == ID_CLEAR_YEAR || PeriodWindow::IsCommandEnabled(id);
}

bool ViewYear::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id != ID_CLEAR_YEAR) return PeriodWindow::OnCommand(id, notifyCode, control);
  ConfirmEraseYear(year_);
  InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

// --- Messages ----------------------------------------------------------------------

void ViewYear::OnDestroy() {
  CloseQuickCheckPopup();
  if (GetCapture() == Handle()) ReleaseCapture();
  ForgetHover();
  PeriodWindow::OnDestroy();
}

void ViewYear::OnFinalMessage() {
  if (g_yearView.get() == this) {
    std::unique_ptr<ViewYear> doomed = std::move(g_yearView);
  }
}

LRESULT ViewYear::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (DropsWhileDisabled(message)) return 0;
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return 0;
    case WM_LBUTTONDOWN:
      OnDayClick(point, false);
      return 0;
    case WM_RBUTTONDOWN:
      OnDayClick(point, true);
      break;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam));
      break;
    default:
      break;
  }
  return PeriodWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace views
