// The preference dialogs the main window opens, what follows each of them,
// and the daily web page they configure.
#include "shell/MainFrame.h"

#include "shell/ComicDialog.h"
#include "shell/MyColorDialog.h"
#include "shell/RemindDialog.h"
#include "store/DailyWebsite.h"
#include "store/FixedFields.h"
#include "store/ProgramState.h"
#include "store/Settings.h"

namespace shell {

void CMainFrame::OpenColors() {
  SystemColourChooser chooser;
  MyColorDialog dialog(services_.prompter, store::g_settings, chooser,
                       [this] { CalendarViewsChanged(); });
  dialog.DoModal(Handle());
  PreferencesChanged();
}

void CMainFrame::OpenAdvancedSettings() {
  store::SettingsBlock& settings = store::g_settings;
  const std::int32_t minutes = settings.reminderMinutes;
  const std::uint8_t onTop = settings.alwaysOnTop;
  const std::uint8_t european = settings.europeanCalendar;
  RemindDialog dialog(services_.prompter, settings, services_.shell);
  if (dialog.DoModal(Handle()) == IDOK) {
    if (settings.europeanCalendar != european) CalendarViewsChanged();
    PreferencesChanged();
    store::SaveSettings(settings, services_.paths, services_.files, settingsLoad_);
  }
  // Every live reminder moves only when the default minutes moved.
  if (settings.reminderMinutes != minutes) book_.ReArmLiveReminders();
  if (settings.alwaysOnTop != onTop) PlaceMainWindow();
}

void CMainFrame::OpenDailyWebsite() {
  ComicDialog dialog(services_.prompter, store::g_settings);
  if (dialog.DoModal(Handle()) != IDOK) return;
  // Whether or not the page is switched on: that is decided when it fires.
  const int seconds =
      store::SecondsUntilTimeOfDay(store::g_settings.webPageTime, services_.clock.Now());
  if (dailyWebsiteTimer_ != 0) {
    timers_.Stop(kDailyWebPage);
    dailyWebsiteTimer_ = 0;
  }
  if (seconds >= 1 && seconds <= store::kMaxDailyWebsiteSeconds) RestartDailyWebsiteTimer(seconds);
}

void CMainFrame::RestartDailyWebsiteTimer(int seconds) {
  if (dailyWebsiteTimer_ != 0) timers_.Stop(kDailyWebPage);
  dailyWebsiteTimer_ =
      timers_.Start(kDailyWebPage, static_cast<UINT>(seconds) * 1000u) ? kDailyWebPage : 0;
}

void CMainFrame::ScheduleDailyWebsite(bool open) {
  const store::SettingsBlock& settings = store::g_settings;
  const store::DailyWebsitePlan plan =
      store::PlanDailyWebsite(settings, services_.clock.Now(), open);
  if (plan.startTimer) RestartDailyWebsiteTimer(plan.seconds);
  if (!plan.openPage) return;
  if (settings.webPageAskFirst != 0 &&
      services_.prompter.Show(Handle(), store::DailyWebsiteQuestion(settings),
                              MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  services_.shell.Open(Handle(),
                       store::ReadField(settings.webPageAddress, sizeof settings.webPageAddress));
}

}  // namespace shell
