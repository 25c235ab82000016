// The week view's window: opening, the period and its stepping, scrolling,
// keys, clicks, commands and the clipboard.
#include "views/WeekView.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "framework/WindowDC.h"
#include "framework/WorkArea.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "store/Moment.h"
#include "store/ProgramState.h"
#include "views/MainFont.h"
#include "views/MonthView.h"
#include "views/MonthViewHost.h"

namespace views {
namespace {

// The program's one week view (program-wide: the views and planners reach it here).
std::unique_ptr<ViewWeek> g_weekView;

// 77 letters "h": the width of the text column.
const std::string kTextColumnSample(77, 'h');
constexpr const char* kTimeColumnSample = "08:30AM";

// Sizes at 96 DPI: the room around a line's text; the frame, caption, menu
// bar and scroll bar around the lines; the first opening's gap from the
// screen's right and bottom edges.
constexpr int kLinePaddingAt96 = 4;
constexpr int kFrameWidthAt96 = 19;
constexpr int kFrameHeightAt96 = 48;
constexpr int kRightGapAt96 = 29;
constexpr int kBottomGapAt96 = 98;

bool European() { return store::g_settings.europeanCalendar != 0; }

// The height the font selected in dc is meant to have at `dpi` (its
// description is made for the system's DPI) and the height it has: a raster
// font such as the context's default comes in few sizes, and the month
// view's monitor may have another DPI than the system. {0, 0} when the
// description asks for no height.
std::pair<int, int> MeantAndRealHeight(HDC dc, fw::Dpi dpi) {
  LOGFONTA description = {};
  TEXTMETRICA metrics = {};
  if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof description, &description) == 0 ||
      description.lfHeight == 0 || !GetTextMetricsA(dc, &metrics))
    return {0, 0};
  // A positive height is the cell's, a negative one the letters' alone.
  const int real =
      description.lfHeight > 0 ? metrics.tmHeight : metrics.tmHeight - metrics.tmInternalLeading;
  const int meant = dpi.Scale(fw::Dpi::System().Unscale(std::abs(description.lfHeight)));
  return {meant, real};
}

}  // namespace

ViewWeek::ViewWeek(CLumettaView& monthView, MonthViewHost& host)
    : PeriodWindow(
          monthView, host, PrintSourceKind::WeekView,
          {ID_WEEK_PREVIOUS, ID_WEEK_NEXT, ID_WEEK_QUICK_HINTS, IDD_WEEK_HINTS, IDI_WEEKVIEW},
          store::g_settings.weekViewPosition) {}

ViewWeek::~ViewWeek() { Destroy(); }

ViewWeek* ViewWeek::Current() { return g_weekView.get(); }

ViewWeek* ViewWeek::Open(CLumettaView& monthView, MonthViewHost& host, HDC dc, const Date& date) {
  if (g_weekView != nullptr || !IsCalendarDate(date)) return nullptr;
  std::unique_ptr<ViewWeek> view(new ViewWeek(monthView, host));
  if (!view->InitWeekView(dc, date)) return nullptr;
  g_weekView = std::move(view);
  return g_weekView.get();
}

void ViewWeek::Measure(HDC dc, fw::Dpi pads, std::pair<int, int> meantAndReal) {
  const auto text = [&](LONG length) {
    const int n = static_cast<int>(length);
    return meantAndReal.second > 0 ? MulDiv(n, meantAndReal.first, meantAndReal.second) : n;
  };
  const SIZE time = fw::TextSize(dc, kTimeColumnSample);
  const int pad = pads.Scale(kLinePaddingAt96);
  timeWidth_ = text(time.cx) + pad;
  lineHeight_ = text(time.cy) + pad;
  textWidth_ = text(fw::TextSize(dc, kTextColumnSample).cx) + pad;
  pads_ = pads;
}

bool ViewWeek::InitWeekView(HDC dc, const Date& date) {
  const store::SettingsBlock& settings = store::g_settings;
  start_ = FirstDayOfWeek(date, European());
  host_.Book().Sort();
  // Made for the month view's monitor, where the window opens. Without a
  // font of its own the context's font is measured, as big as it is meant
  // to be there.
  const fw::Dpi dpi = monthView_.WindowDpi();
  MakeOwnFont(dpi);
  {
    fw::ScopedSelect font(dc, ownFont_ ? ownFont_.Get() : GetCurrentObject(dc, OBJ_FONT));
    Measure(dc, dpi, ownFont_ ? std::pair<int, int>{0, 0} : MeantAndRealHeight(dc, dpi));
  }
  caption_ = WeekCaption(start_, European());
  totalLines_ = WeekLines(EntriesPerDay());

  int x = settings.weekViewPosition.left;
  int y = settings.weekViewPosition.top;
  if (x == 0 && y == 0) {
    x = GetSystemMetrics(SM_CXSCREEN) - textWidth_ - timeWidth_ - pads_.Scale(kRightGapAt96);
    y = std::max(0, GetSystemMetrics(SM_CYSCREEN) - kWeekPageLines * lineHeight_ -
                        pads_.Scale(kBottomGapAt96));
  }
  fw::WindowParams params;
  params.title = caption_.c_str();
  params.style = WS_CAPTION | WS_SYSMENU | WS_VSCROLL;
  params.x = x;
  params.y = y;
  params.width = FrameSize().cx;
  params.height = FrameSize().cy;
  params.parent = monthView_.Handle();
  params.exStyle = WS_EX_APPWINDOW;  // a taskbar button, and Alt+Tab finds it
  if (!CreatePeriodFrame(IDR_WEEKVIEW, kClassName, params)) return false;
  UpdateScrollBar();
  return true;
}

SIZE ViewWeek::FrameSize() const {
  return SIZE{timeWidth_ + textWidth_ + pads_.Scale(kFrameWidthAt96),
              kWeekPageLines * lineHeight_ + pads_.Scale(kFrameHeightAt96)};
}

void ViewWeek::FollowMainFont() {
  OnDpiChanged();  // measures again in the window's font at its DPI
  const SIZE size = FrameSize();
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  fw::FitIntoWorkArea(Handle(), GetAncestor(monthView_.Handle(), GA_ROOT));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ViewWeek::MakeOwnFont(fw::Dpi dpi) {
  const store::SettingsBlock& settings = store::g_settings;
  if (settings.plannerFont.height != 0)
    ownFont_ = MakeScaledFont(SavedFontDescription(settings.plannerFont), dpi);
}

void ViewWeek::OnDpiChanged() {
  MakeOwnFont(WindowDpi());
  {
    fw::WindowDC dc(Handle());
    HFONT font = ownFont_ ? ownFont_.Get() : monthView_.MainFontFor(ViewDpi());
    fw::ScopedSelect select(dc.Get(), font);
    Measure(dc.Get(), WindowDpi());
  }
  totalLines_ = WeekLines(EntriesPerDay());
  UpdateScrollBar();
}

// --- The period ----------------------------------------------------------------------

void ViewWeek::SetStart(const Date& start) {
  start_ = start;
  scroll_ = 1;
  totalLines_ = WeekLines(EntriesPerDay());
  UpdateScrollBar();
  caption_ = WeekCaption(start_, European());
  SetWindowTextA(Handle(), caption_.c_str());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ViewWeek::Next() { Step(7); }

void ViewWeek::Previous() { Step(-7); }

void ViewWeek::Step(int days) {
  const Date start = AddDays(start_, days);
  for (int i = 0; i < 7; ++i) {
    const Date day = AddDays(start, i);
    if (store::CanStoreDay(day.year, day.month, day.day)) {
      SetStart(start);
      return;
    }
  }
  // A week the calendar cannot keep entries for is not offered.
  monthView_.RefuseDay(Handle());
}

void ViewWeek::RetargetWeekView(const Date& date) {
  if (!IsCalendarDate(date)) return;
  const Date target = FirstDayOfWeek(date, European());
  // Stepping a week at a time from the start reaches the target's week.
  if (target != start_) SetStart(target);
}

void ViewWeek::SetPeriodLength(int days) {
  if (days == length_ || (days != 7 && days != 14 && days != 28)) return;
  length_ = days;
  scroll_ = 1;
  totalLines_ = WeekLines(EntriesPerDay());
  UpdateScrollBar();
  InvalidateRect(Handle(), nullptr, FALSE);
}

// --- Scrolling ----------------------------------------------------------------------

void ViewWeek::UpdateScrollBar() {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 1;
  info.nMax = totalLines_;
  info.nPage = kWeekPageLines;
  info.nPos = scroll_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void ViewWeek::ScrollTo(int position) {
  const int clamped = ClampWeekScroll(position, totalLines_);
  if (clamped == scroll_) return;
  scroll_ = clamped;
  UpdateScrollBar();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ViewWeek::OnWheel(int delta) {
  // The user's lines per notch; a page for "one screen at a time".
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int perNotch = lines == WHEEL_PAGESCROLL ? kWeekPageLines : static_cast<int>(lines);
  wheelDelta_ += delta;
  const int notches = wheelDelta_ / WHEEL_DELTA;
  wheelDelta_ -= notches * WHEEL_DELTA;
  if (notches != 0) ScrollTo(scroll_ - notches * perNotch);
}

void ViewWeek::OnScroll(int request, int thumb) {
  switch (request) {
    case SB_LINEUP:
      ScrollTo(scroll_ - 1);
      break;
    case SB_LINEDOWN:
      ScrollTo(scroll_ + 1);
      break;
    case SB_PAGEUP:
      ScrollTo(scroll_ - kWeekPageLines);
      break;
    case SB_PAGEDOWN:
      ScrollTo(scroll_ + kWeekPageLines);
      break;
    case SB_THUMBPOSITION:  // dragging takes effect when the thumb is released
      ScrollTo(thumb);
      break;
    default:
      break;
  }
}

// --- Input --------------------------------------------------------------------------

void ViewWeek::OnKeyDown(UINT key) {
  switch (key) {
    case VK_ESCAPE:
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      break;
    case VK_PRIOR:
    case VK_UP:
      OnScroll(SB_PAGEUP, 0);
      break;
    case VK_NEXT:
    case VK_DOWN:
      OnScroll(SB_PAGEDOWN, 0);
      break;
    case VK_LEFT:
      Previous();
      break;
    case VK_RIGHT:
      Next();
      break;
    default:
      break;
  }
}

void ViewWeek::OnLeftButtonDown(int y) {
  for (size_t i = 0; i < blockBottoms_.size(); ++i) {
    if (blockBottoms_[i] > y) {
      const Date day = AddDays(start_, static_cast<int>(i));
      monthView_.OpenDayPlanner(day.year, day.month, day.day);
      return;
    }
  }
}

// --- Commands -----------------------------------------------------------------------

void ViewWeek::CopyToClipboard() {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 0, 0, Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClipboardEditId)),
                              GetModuleHandleA(nullptr), nullptr);
  if (edit == nullptr) return;
  // The edit control's own limit (30000 characters) would cut a long period.
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextA(edit, clipboardText_.c_str());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_COPY, 0, 0);
  DestroyWindow(edit);
}

bool ViewWeek::IsCommandEnabled(UINT id) const {
  switch (id) {
    case ID_WEEK_LENGTH_1:
      return length_ != 7;
    case ID_WEEK_LENGTH_2:
      return length_ != 14;
    case ID_WEEK_LENGTH_4:
      return length_ != 28;
    case ID_COPY_TO_CLIPBOARD:
      return true;
    default:
      return PeriodWindow::IsCommandEnabled(id);
  }
}

bool ViewWeek::OnCommand(UINT id, UINT notifyCode, HWND control) {
  switch (id) {
    case ID_COPY_TO_CLIPBOARD:
      CopyToClipboard();
      return true;
    case ID_WEEK_LENGTH_1:
      SetPeriodLength(7);
      return true;
    case ID_WEEK_LENGTH_2:
      SetPeriodLength(14);
      return true;
    case ID_WEEK_LENGTH_4:
      SetPeriodLength(28);
      return true;
    default:
      return PeriodWindow::OnCommand(id, notifyCode, control);
  }
}

// --- Messages -----------------------------------------------------------------------

void ViewWeek::OnFinalMessage() {
  if (g_weekView.get() == this) {
    std::unique_ptr<ViewWeek> doomed = std::move(g_weekView);
  }
}

LRESULT ViewWeek::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (DropsWhileDisabled(message)) return 0;
  switch (message) {
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(GET_Y_LPARAM(lParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam));
      break;
    default:
      break;
  }
  return PeriodWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace views
