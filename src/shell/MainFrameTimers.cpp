// The main window's timers and the saving of the data file. Every timer is
// stopped when it expires, so each expiry runs once; the repeating ones
// start themselves again.
#include "shell/MainFrame.h"

#include "views/MainFont.h"
#include "views/MonthView.h"
#include "views/QuickCheckPopup.h"

namespace shell {

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
      store::CalendarFields now;
      store::LocalFields(services_.clock.Now(), now);
      StartRetrying(timers_, id, MinuteTimerDelayMs(now.second));
      break;
    }
    case kCloseSummary:
      timers_.Stop(id);
      views::CloseQuickCheckPopup();
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
      if (store::timer_ids::IsReminder(static_cast<std::uint32_t>(id))) {
        FireReminder(id);
      } else if (!countdowns_.OnTimer(id)) {
        popups_.OnTimer(id);  // a snooze timer
      }
      break;
  }
}

void CMainFrame::FireReminder(UINT_PTR id) {
  const store::ReminderDue due = book_.FireReminder(static_cast<std::uint32_t>(id));
  if (due.entry == nullptr) return;
  SetActiveWindow(Handle());
  const store::An_Appointment& e = *due.entry;
  if (due.popUp) ShowReminderPopup(e.year(), e.month(), e.day(), e.hour(), e.minute(), e.text);
}

void CMainFrame::ShowReminderPopup(int year, int month, int day, int hour, int minute,
                                   const std::string& text) {
  const LOGFONTA mainFont =
      view_ != nullptr ? view_->MainFontDescription() : views::DefaultMainFontDescription();
  popups_.Show(ReminderText{year, month, day, hour, minute, text}, mainFont);
}

void CMainFrame::SaveBook() {
  changes_.MarkWritten(book_);
  book_.Save();
}

void CMainFrame::SaveIfChanged() {
  if (changes_.TakeChange(book_)) book_.Save();
}

}  // namespace shell
