// The day planner's opening, messages and closing.
#include "planner/AppointBook2.h"

#include <windowsx.h>

#include <cstdio>

#include "framework/WorkArea.h"
#include "framework/Prompter.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "planner/DayPlanners.h"
#include "planner/EditView.h"
#include "planner/PlannerHost.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/CivilDate.h"
#include "store/ProgramState.h"
#include "views/MainFont.h"

namespace planner {
namespace {

// The day planner's font when none was chosen.
constexpr LONG kDefaultPlannerFontHeight = -15;

}  // namespace

AppointBook2::AppointBook2(PlannerHost& host) : host_(host) {
  store::FixTextContrast(store::g_settings);
}

AppointBook2::~AppointBook2() { Destroy(); }

std::string AppointBook2::TitleFor(int year, int month, int day) {
  const int weekday = store::WeekdayOfDayNumber(store::DayNumber(year, month, day));
  char title[96];
  std::snprintf(title, sizeof title, "%s, %s %d, %d", store::WeekdayName(weekday + 1),
                store::MonthName(month), day, year);
  return title;
}

bool AppointBook2::InitDayPlanner(int year, int month, int day, HFONT mainFont) {
  year_ = year;
  month_ = month;
  day_ = day;
  firstHour_ = kFirstHourAtOpen;

  hasDefaultFont_ = mainFont != nullptr;
  // Made for the main window's monitor, where the planner opens.
  const fw::Dpi startDpi = fw::Window::DpiOf(host_.MainWindow());
  MakePlannerFont(startDpi);

  fw::WindowDC screen(nullptr);
  {
    fw::ScopedSelect select(screen.Get(), font_.Get());
    layout_ = LayOutSlots(screen.Get(), startDpi);
  }
  const std::string title = TitleFor(year, month, day);
  fw::WindowParams params;
  params.title = title.c_str();
  params.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VSCROLL;
  params.parent = host_.MainWindow();
  params.exStyle = WS_EX_APPWINDOW;  // a taskbar button, and Alt+Tab finds it
  // Made as wide as its rows and frame, as far as the frame is known before
  // the window exists: the fitting then has no width to change first.
  RECT rows = {0, 0, layout_.labelWidth + layout_.textWidth, kVisibleRows * 2 * layout_.rowHeight};
  AdjustWindowRectEx(&rows, params.style, TRUE, params.exStyle);
  params.width = rows.right - rows.left + GetSystemMetrics(SM_CXVSCROLL);
  params.height = rows.bottom - rows.top;
  if (!CreateFrame(IDR_DAY_PLANNER, kClassName, params)) return false;
  // The handler first: converting the menu bar measures its items.
  SetMenuHandler([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return host_.HandleMenuMessage(window, message, wParam, lParam, result);
  });
  host_.AttachMenus(Handle());

  SCROLLINFO scroll = {};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  scroll.nMin = 1;
  scroll.nMax = 24;
  scroll.nPage = kVisibleRows;
  scroll.nPos = firstHour_ + 1;
  SetScrollInfo(Handle(), SB_VERT, &scroll, FALSE);

  // Before showing: a new icon on a shown window repaints its whole frame.
  icon_.Apply(Handle());
  const POINT at = StartPosition(screen.Get());
  FitToRows(at, HWND_TOP, SWP_SHOWWINDOW);
  fw::FitIntoWorkArea(Handle(), GetWindow(Handle(), GW_OWNER));

  EditView::FollowNotes(*this);

  if (GetDeviceCaps(screen.Get(), VERTRES) < WindowSize().cy) {
    host_.Prompter().Show(
        Handle(),
        "Please select a smaller font - this will allow the day planner to fit on "
        "your screen.",
        MB_OK);
    if (!Exists()) return false;  // closed while the message was open
    SelectPlannerFont();
  }
  return Exists();
}

void AppointBook2::MakePlannerFont(fw::Dpi dpi) {
  const store::FontDescription& saved = store::g_settings.plannerFont;
  if (saved.height != 0) {
    font_ = views::MakeScaledFont(views::SavedFontDescription(saved), dpi);
  } else if (hasDefaultFont_) {
    font_ = views::MakeScaledFont(views::DefaultFontDescription(kDefaultPlannerFontHeight), dpi);
  }
}

void AppointBook2::FitToFont() {
  {
    fw::WindowDC dc(Handle());
    fw::ScopedSelect select(dc.Get(), font_.Get());
    layout_ = LayOutSlots(dc.Get(), WindowDpi());
  }
  RECT frame = {};
  GetWindowRect(Handle(), &frame);
  FitToRows(POINT{frame.left, frame.top}, nullptr, SWP_NOZORDER | SWP_SHOWWINDOW);
  EditView::PlannerFontChanged(*this);
  RepaintPlanner(false);
}

void AppointBook2::OnDpiChanged() {
  // The slot editor is committed: it was made with the old font and place.
  const int row = editor_ ? selectedRow_ : -1;
  const int half = selectedHalf_;
  CloseSlotEditor();
  icon_.Apply(Handle());
  MakePlannerFont(WindowDpi());
  FitToFont();
  if (row >= 0) OpenSlotEditor(row, half);
}

POINT AppointBook2::StartPosition(HDC screen) const {
  const store::WindowPosition saved = store::g_settings.dayPlannerPosition;
  int x = saved.left;
  int y = saved.top;
  if (x != 0 || y != 0) {
    x += 5;
    y += 5;
    // Two planners opened one after the other sit 5 pixels apart.
    AppointBook2* first = DayPlannerAt(0);
    AppointBook2* second = DayPlannerAt(1);
    if (first != nullptr && second != nullptr && first != this && first->Exists()) {
      RECT frame = {};
      GetWindowRect(first->Handle(), &frame);
      if (frame.left == x) {
        x -= 5;
        y -= 5;
      }
    }
  }
  const int width = GetDeviceCaps(screen, HORZRES);
  const int height = GetDeviceCaps(screen, VERTRES);
  if (x < 0 || x > width - 100) x = 100;
  if (y < 0 || y > height - 100) y = 50;
  if (x == 0) x = 100;
  if (y == 0) y = 50;
  return POINT{x, y};
}

SIZE AppointBook2::WindowSize() const {
  // The planner's own frame (caption, menu bar, borders) around the 22
  // rows: the main window's frame has no caption, and with it the bottom
  // row was cut in half.
  // Across, the borders and the scroll bar are measured too: a fixed
  // allowance cut the text column's right end.
  int frameHeight = host_.FrameExtraHeight();
  int frameWidth = 19;
  RECT outer = {};
  RECT client = {};
  if (Exists() && GetWindowRect(Handle(), &outer) && GetClientRect(Handle(), &client)) {
    frameHeight = (outer.bottom - outer.top) - client.bottom;
    frameWidth = (outer.right - outer.left) - client.right;
  }
  return SIZE{layout_.labelWidth + layout_.textWidth + frameWidth,
              kVisibleRows * 2 * layout_.rowHeight + frameHeight};
}

void AppointBook2::FitToRows(POINT at, HWND after, UINT flags) {
  // The width first: a narrower window may wrap its menu bar onto a
  // second line, which changes the frame's height.
  SIZE size = WindowSize();
  RECT frame = {};
  GetWindowRect(Handle(), &frame);
  if (frame.right - frame.left != size.cx) {
    SetWindowPos(Handle(), nullptr, at.x, at.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    size = WindowSize();
  }
  SetWindowPos(Handle(), after, at.x, at.y, size.cx, size.cy, flags);
}

RECT AppointBook2::NotesAnchorRect() const {
  RECT frame = {};
  if (Exists()) GetWindowRect(Handle(), &frame);
  return frame;
}

// --- Messages -------------------------------------------------------------------

AppointBook2::InUse::~InUse() {
  if (--planner_.useCount_ == 0 && planner_.released_) {
    ReleaseDayPlanner(planner_);  // the last use of the object
  }
}

void AppointBook2::ReleaseWhenUnused() {
  if (useCount_ > 0) {
    released_ = true;
  } else {
    ReleaseDayPlanner(*this);
  }
}

LRESULT AppointBook2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing of the object is touched once the handler has returned.
  InUse use(*this);
  return Dispatch(message, wParam, lParam);
}

LRESULT AppointBook2::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_VSCROLL:
      ScrollHours(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostMessageA(Handle(), WM_CLOSE, 0, 0);
      if (wParam == VK_PRIOR) ScrollHours(SB_PAGEUP, 0);
      if (wParam == VK_NEXT) ScrollHours(SB_PAGEDOWN, 0);
      break;
    case WM_MOVE: {
      const LRESULT result = FrameWindow::HandleMessage(message, wParam, lParam);
      OnMove();
      return result;
    }
    case WM_NCACTIVATE:
      // Showing activates the planner just before its first WM_NCPAINT, which
      // paints the frame in the new state anyway: that activation only
      // records the state (lParam -1), sparing a second painting of the frame.
      if (!framePainted_) return DefaultHandling(message, wParam, -1);
      break;
    case WM_ERASEBKGND:
      // Every paint covers the whole client area: the white of an erase
      // would only show for a moment, at the cost of one more fill.
      return 1;
    case WM_NCPAINT:
      framePainted_ = true;
      break;
    case WM_SETFOCUS:
      // The keyboard belongs to the slot editor whenever the planner has it.
      if (editor_ != nullptr) {
        FocusEditor();
        return 0;
      }
      break;
    default:
      break;
  }
  return FrameWindow::HandleMessage(message, wParam, lParam);
}

void AppointBook2::OnPaint() {
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(Handle(), &paint);
  if (dc != nullptr) DrawDay(dc, font_.Get());
  EndPaint(Handle(), &paint);
}

void AppointBook2::OnLeftButtonDown(POINT point) {
  int row = 0;
  int half = kOnTheHour;
  if (SlotAt(layout_, point, row, half)) OpenSlotEditor(row, half);
}

void AppointBook2::OnMove() {
  // The first two moves come from the planner's own placing.
  if (moveSkips_ > 0) {
    --moveSkips_;
    return;
  }
  RECT frame = {};
  GetWindowRect(Handle(), &frame);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  const POINT corner = {frame.left, frame.top};
  if (!GetMonitorInfoA(MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& area = monitor.rcMonitor;
  if (frame.left >= area.left && frame.top >= area.top && frame.right <= area.right &&
      frame.bottom <= area.bottom) {
    store::g_settings.dayPlannerPosition = store::WindowPosition{frame.left, frame.top};
  }
}

void AppointBook2::FocusEditor() {
  if (editor_ != nullptr && editor_->Handle() != nullptr) SetFocus(editor_->Handle());
}

void AppointBook2::CloseFromEditor() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

// --- Closing ---------------------------------------------------------------------

void AppointBook2::OnDestroy() {
  EditView::CloseNotes();  // saves the notes
  EditView::ForgetOwner(*this);
  CloseSlotEditor();
  UnregisterDayPlanner(*this);
  host_.CalendarViewsChanged();
}

void AppointBook2::OnFinalMessage() {
  // The table owns this object; it goes now, or after the methods that
  // still wait for a dialog of this planner have returned.
  ReleaseWhenUnused();
}

}  // namespace planner
