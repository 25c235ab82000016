// The main window's timers and the saving of the data file. Every timer is
// stopped when it expires, so each expiry runs once; the repeating ones
// start themselves again.
#include "shell/MainFrame.h"

#include "planner/QuickCheckPopup.h"
#include "views/MonthView.h"

using namespace main_timers;

void CMainFrame::StartTimers() {
  StartRetrying(timers_, kThreeHourly, kThreeHourlyMs);
  StartRetrying(timers_, kArmReminders, kArmRemindersMs);
  StartRetrying(timers_, kMinuteClock, kFirstMinuteTickMs);
  StartRetrying(timers_, kSaveAfterChange, kSaveAfterChangeMs);
}

void CMainFrame::OnTimer(UINT_PTR id) {
  switch (id) {
    case kArmReminders:
      timers_.Stop(id);
      StartRetrying(timers_, id, kArmRemindersMs);
      book_.ReArmIdleReminders();
      break;
    case kMinuteClock: {
      timers_.Stop(id);
      if (view_ != nullptr && view_->Exists()) InvalidateRect(view_->Handle(), nullptr, FALSE);
      lumetta::CalendarFields now;
      lumetta::LocalFields(services_.clock.Now(), now);
      StartRetrying(timers_, id, MinuteTimerDelayMs(now.second));
      break;
    }
    case kCloseSummary:
      timers_.Stop(id);
      planner::CloseQuickCheckPopup();
      break;
    case kThreeHourly:
      timers_.Stop(id);
      StartRetrying(timers_, id, kThreeHourlyMs);
      if (view_ != nullptr && view_->Exists()) InvalidateRect(view_->Handle(), nullptr, FALSE);
      UpdateTrayIcon(false);  // the day number follows midnight
      SaveBook();
      break;
    case kDailyWebPage:
      timers_.Stop(id);
      dailyWebsiteTimer_ = 0;
      ScheduleDailyWebsite(true);
      break;
    case kRefitMainWindow:
      RefitMainWindow();
      break;
    case kSaveAfterChange:
      SaveIfChanged();
      break;
    default:
      // Reminder, snooze and countdown timers belong to their own windows,
      // which come in later versions.
      break;
  }
}

void CMainFrame::SaveBook() {
  changes_.MarkWritten(book_);
  book_.Save();
}

void CMainFrame::SaveIfChanged() {
  if (changes_.TakeChange(book_)) book_.Save();
}
