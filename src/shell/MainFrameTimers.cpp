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
  lastClockReading_ = services_.clock.Now();
  zone_.Changed();
  StartRetrying(timers_, kSaveAfterChange, kSaveAfterChangeMs);
  ScheduleSync(kSyncAtStartMs);
  LoadSubscribedItems();
  StartRetrying(timers_, kSyncPeriodic, kSyncPeriodMs);
  timers_.Start(kSubscriptionsSoon, kSubscriptionsAtStartMs);
  StartRetrying(timers_, kSubscriptionsPeriodic, kSubscriptionsPeriodMs);
}

void CMainFrame::OnTimer(UINT_PTR id) {
  switch (id) {
    case kArmReminders:
      timers_.Stop(id);
      StartRetrying(timers_, id, kArmRemindersMs);
      book_.ReArmIdleReminders();
      break;
    case kMinuteClock:
      RestartMinuteClock();
      CheckCalendarFiles();
      break;
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
    case kSyncSoon:
      timers_.Stop(id);
      SyncNow();
      break;
    case kSubscriptionsSoon:
      timers_.Stop(id);
      RefreshSubscriptions();
      break;
    case kSubscriptionsPeriodic:
      timers_.Stop(id);
      StartRetrying(timers_, id, kSubscriptionsPeriodMs);
      RefreshSubscriptions();
      break;
    case kSyncPeriodic:
      timers_.Stop(id);
      StartRetrying(timers_, id, kSyncPeriodMs);
      SyncNow();
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

void CMainFrame::RestartMinuteClock() {
  timers_.Stop(kMinuteClock);
  if (view_ != nullptr && view_->Exists()) InvalidateRect(view_->Handle(), nullptr, FALSE);
  lastClockReading_ = services_.clock.Now();
  store::CalendarFields now;
  store::LocalFields(lastClockReading_, now);
  StartRetrying(timers_, kMinuteClock, MinuteTimerDelayMs(now.second));
}

void CMainFrame::ClockChanged(bool resumed) {
  // Every timer is a delay from the moment it started: after the clock
  // or the zone changed, or a sleep, each is started again from the
  // current clock. Reminders whose moment passed since the last reading
  // (the last minute tick, or the moment the machine went to sleep) and
  // that were not shown are shown now, once.
  platform::FollowTimeZone();
  zone_.Changed();  // the zone now in force is the one to compare with
  const store::Moment before = resumed && suspendedAt_ != 0 ? suspendedAt_ : lastClockReading_;
  suspendedAt_ = 0;
  book_.ReArmAllReminders(before);
  timers_.Stop(kArmReminders);
  StartRetrying(timers_, kArmReminders, kArmRemindersMs);
  RestartMinuteClock();
  UpdateTrayIcon(false);  // the day may have changed
  ScheduleDailyWebsite(false);
  if (resumed) countdowns_.ReArm();
}

void CMainFrame::FireReminder(UINT_PTR id) {
  const store::ReminderDue due = book_.FireReminder(static_cast<std::uint32_t>(id));
  if (due.entry == nullptr) return;
  // The activation stays where the user is typing.
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
  // The sync's worker writes the data file while it runs; the book is
  // written once its changes are in.
  if (sync_.Running() && !exiting_) return;
  changes_.MarkWritten(book_);
  book_.Save();
}

void CMainFrame::SaveIfChanged() {
  if (sync_.Running() || !changes_.TakeChange(book_)) return;
  book_.Save();
  // The change goes to the server once it has rested a minute.
  ScheduleSync(kSyncAfterChangeMs);
}

}  // namespace shell
