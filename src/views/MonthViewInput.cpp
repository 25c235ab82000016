// The month view's mouse, keys and commands: the hot regions of the last
// drawing decide what a click or a hover does.
#include "views/MonthView.h"

#include "framework/SolidDrawing.h"
#include "framework/WindowDC.h"
#include "resource.h"
#include "store/ProgramState.h"
#include "views/MonthViewHost.h"
#include "views/QuickCheckPopup.h"

namespace views {

CLumettaView::Highlight CLumettaView::FrameOf(const RECT& region) {
  return Highlight{region.left, region.top, region.right - region.left - 1,
                   region.bottom - region.top - 1};
}

// Hover colours are the normal ones swapped.
void CLumettaView::DrawHighlight(const Highlight& frame, bool hover) {
  if (!Exists() || !frame.Exists()) return;
  const store::SettingsBlock& s = store::g_settings;
  fw::WindowDC dc(Handle());
  fw::Draw3dRect(dc.Get(), frame.x, frame.y, frame.width, frame.height,
                 hover ? s.botlite : s.toplite, hover ? s.toplite : s.botlite);
}

// --- Mouse and keys -------------------------------------------------------------------

// A point counts as on the view only where the view is the window under it:
// a window lying over the view (a reminder pop-up, a planner) takes its own
// clicks, even while the view holds the mouse capture.
bool CLumettaView::IsOnView(POINT point) const {
  POINT screen = point;
  ClientToScreen(Handle(), &screen);
  return WindowFromPoint(screen) == Handle();
}

void CLumettaView::ReleaseMouse() const {
  if (GetCapture() == Handle()) ReleaseCapture();
}

RECT CLumettaView::MainWindowRect() const {
  RECT rect = {};
  GetWindowRect(GetAncestor(Handle(), GA_ROOT), &rect);
  return rect;
}

void CLumettaView::OnLeftButtonDown(POINT point) {
  if (!IsOnView(point)) {
    ReleaseMouse();  // the click belongs to the window under the pointer
    return;
  }
  bool hit = false;
  if (InRegion(layout_.previousButton, point, Edges::Included)) {
    hit = true;
    highlight_ = FrameOf(layout_.previousButton);
    host_.PlayClickSound();
    PreviousMonth();
    DrawHighlight(highlight_, false);
  }
  // Tested against the regions the step above may have rebuilt.
  if (InRegion(layout_.nextButton, point, Edges::Included)) {
    hit = true;
    highlight_ = FrameOf(layout_.nextButton);
    host_.PlayClickSound();
    NextMonth();
    DrawHighlight(highlight_, false);
  }
  if (InRegion(layout_.title, point, Edges::Included)) {
    hit = true;
    host_.OpenYearView();
  }
  const int day = DayAt(layout_, point, Edges::Included);
  if (day != 0) {
    highlight_ = FrameOf(layout_.days[static_cast<size_t>(day)]);
    DrawHighlight(highlight_, false);
    CloseQuickCheckPopup();
    ReleaseMouse();
    OpenDayPlanner(shown_.year, shown_.month, day);
    return;
  }
  if (!hit) {
    OpenToDoList();
    ReleaseMouse();
  }
}

void CLumettaView::OnLeftButtonUp() {
  if (!highlight_.Exists()) return;
  DrawHighlight(highlight_, true);
  highlight_ = Highlight();
}

void CLumettaView::OnMouseMove(POINT point) {
  // Captured on every move, so moves beyond the window keep arriving.
  SetCapture(Handle());
  const bool onView = IsOnView(point);
  if (!onView) {
    CloseQuickCheckPopup();
    quickCheckKey_.day = 0;
    ReleaseMouse();
  }
  if (onView && InRegion(layout_.previousButton, point, Edges::Included)) {
    highlight_ = FrameOf(layout_.previousButton);
    DrawHighlight(highlight_, true);
    return;
  }
  if (onView && InRegion(layout_.nextButton, point, Edges::Included)) {
    highlight_ = FrameOf(layout_.nextButton);
    DrawHighlight(highlight_, true);
    return;
  }
  const int day = onView ? DayAt(layout_, point, Edges::Excluded) : 0;
  if (day == 0 || day != lastHoveredDay_) {
    if (highlight_.Exists()) {
      DrawHighlight(highlight_, false);
      highlight_ = Highlight();
      lastHoveredDay_ = day != 0 ? day : 32;
      CloseQuickCheckPopup();
      quickCheckKey_.day = 0;
    }
  }
  if (day == 0) return;
  if (!highlight_.Exists()) {
    highlight_ = FrameOf(layout_.days[static_cast<size_t>(day)]);
    DrawHighlight(highlight_, true);
    lastHoveredDay_ = day;
  }
  ShowQuickCheck(shown_.year, shown_.month, day, MainWindowRect(), 0);
}

void CLumettaView::OnRightButtonDown(POINT point) {
  if (!IsOnView(point)) {
    ReleaseMouse();
    return;
  }
  bool buttonHit = false;
  if (InRegion(layout_.previousButton, point, Edges::Included)) {
    buttonHit = true;
    StepYear(-1);
  }
  if (InRegion(layout_.nextButton, point, Edges::Included)) {
    buttonHit = true;
    StepYear(+1);
  }
  if (InRegion(layout_.title, point, Edges::Included)) {
    GoToThisMonth();
    host_.PlayClickSound();
    return;
  }
  if (buttonHit) {
    host_.PlayClickSound();  // also when the year was at its limit
    return;
  }
  const int day = DayAt(layout_, point, Edges::Included);
  if (day != 0) host_.OpenWeekView(shown_.year, shown_.month, day);
  ReleaseMouse();
  CloseQuickCheckPopup();
}

void CLumettaView::OnKeyDown(UINT key) {
  switch (key) {
    case VK_RETURN: {
      int year = 0;
      int month = 0;
      int day = 0;
      if (Today(year, month, day)) OpenDayPlanner(year, month, day);
      break;
    }
    case VK_ESCAPE:
      host_.PlayClickSound();
      CloseQuickCheckPopup();
      host_.HideMainWindow();
      break;
    case VK_RIGHT:
    case VK_PRIOR:
      NextMonth();
      break;
    case VK_LEFT:
    case VK_NEXT:
      PreviousMonth();
      break;
    case VK_HOME:
      GoToThisMonth();
      break;
    case VK_UP:
      StepYear(+1);
      break;
    case VK_DOWN:
      StepYear(-1);
      break;
    default:
      break;
  }
}

// --- Messages and commands -------------------------------------------------------------

bool CLumettaView::IsCommandEnabled(UINT id) const {
  switch (id) {
    case ID_VIEW_TODO:
    case ID_VIEW_TODAY:
    case ID_PREFS_BACKGROUND:
      return true;
    default:
      return false;
  }
}

bool CLumettaView::OnCommand(UINT id, UINT, HWND) {
  switch (id) {
    case ID_VIEW_TODO:
      OpenToDoList();
      return true;
    case ID_VIEW_TODAY: {
      int year = 0;
      int month = 0;
      int day = 0;
      if (Today(year, month, day)) OpenDayPlanner(year, month, day);
      return true;
    }
    case ID_PREFS_BACKGROUND:
      SelectMonthBackground();
      return true;
    default:
      return false;
  }
}

}  // namespace views
