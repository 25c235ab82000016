// The main window opens the week view and the year view, and asks them to
// repaint when the appointment book changed.
#include "shell/MainFrame.h"

#include "framework/WindowDC.h"
#include "framework/WorkArea.h"
#include "store/ProgramState.h"
#include "views/MonthView.h"
#include "views/WeekView.h"
#include "views/YearView.h"

namespace shell {

void CMainFrame::OpenWeekView(int year, int month, int day) {
  if (day > 31 || view_ == nullptr) return;
  PlayClickSound();
  // A saved corner off the screen (or never saved) puts the view at 0, 0.
  int left = store::g_settings.weekViewPosition.left;
  int top = store::g_settings.weekViewPosition.top;
  if (left < 0 || left > GetSystemMetrics(SM_CXSCREEN) - 50) left = 0;
  if (top < 0 || top > GetSystemMetrics(SM_CYSCREEN) - 50) top = 0;

  const views::Date date{year, month, day};
  views::ViewWeek* week = views::ViewWeek::Current();
  if (week == nullptr) {
    fw::WindowDC dc(Handle());
    week = views::ViewWeek::Open(*view_, *this, dc.Get(), date);
    if (week == nullptr) return;
  } else {
    week->RetargetWeekView(date);
  }
  SetWindowPos(week->Handle(), nullptr, left, top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  fw::FitIntoWorkArea(week->Handle(), Handle());
  SetActiveWindow(week->Handle());
  // Also from the tray menu, over another program's windows.
  SetForegroundWindow(week->Handle());
  ShowWindow(week->Handle(), SW_RESTORE);
}

void CMainFrame::OpenYearView() {
  if (view_ == nullptr) return;
  PlayClickSound();
  if (views::ViewYear* year = views::ViewYear::Current()) {
    SetActiveWindow(year->Handle());
    SetForegroundWindow(year->Handle());
    ShowWindow(year->Handle(), SW_RESTORE);
    return;
  }
  store::CalendarFields today;
  if (!store::LocalFields(services_.clock.Now(), today)) return;
  fw::WindowDC dc(Handle());
  views::ViewYear::Open(*view_, *this, services_.prompter, dc.Get(), today.year, frameExtraHeight_);
}

void CMainFrame::RepaintWeekAndYearViews() {
  if (views::ViewWeek* week = views::ViewWeek::Current()) {
    InvalidateRect(week->Handle(), nullptr, FALSE);
  }
  if (views::ViewYear* year = views::ViewYear::Current()) {
    InvalidateRect(year->Handle(), nullptr, FALSE);
  }
}

}  // namespace shell
