#pragma once
// The main window (CMainFrame): captionless, owned by the hidden owner
// window (so it has no taskbar button), with the main menu and shortcuts
// (resource 115). Its client area is the month view. It owns the
// appointment book, keeps the day-number icon in the notification area,
// runs the program's timers, remembers its position, passes the commands
// that act on the active program window on to it, and writes the data file
// and the settings at exit and at the end of a Windows session.
//
// The implementation is spread over a few files by theme: MainFrame.cpp
// (life cycle, messages), MainFrameCommands.cpp (commands and their
// routing), MainFrameViews.cpp (the week and year views), MainFramePlacement.cpp (placing,
// refitting, hiding, restoring), MainFrameTray.cpp (the notification-area
// icon), MainFrameTimers.cpp (timers and saving) and MainFramePreferences.cpp
// (the preference dialogs and the daily web page).

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/FrameWindow.h"
#include "planner/NotesHost.h"
#include "planner/PlannerHost.h"
#include "platform/SystemClock.h"
#include "shell/BackgroundSync.h"
#include "shell/SubscriptionRefresh.h"
#include "store/Subscriptions.h"
#include "shell/BookFingerprint.h"
#include "shell/Countdowns.h"
#include "shell/DayIcons.h"
#include "shell/MainTimers.h"
#include "shell/OwnerWindow.h"
#include "shell/ReminderPopups.h"
#include "shell/SyncConflictsWindow.h"
#include "shell/ShellServices.h"
#include "shell/TrayIcon.h"
#include "store/AppointmentBook.h"
#include "store/Platform.h"
#include "todo/ToDoHost.h"
#include "views/MonthViewHost.h"

namespace views {
class CLumettaView;
}

namespace menus {
class MenuModule;
}

namespace shell {

class CMainFrame : public fw::FrameWindow,
                   public views::MonthViewHost,
                   public planner::NotesHost,
                   public planner::PlannerHost,
                   public todo::ToDoHost,
                   public store::RepaintNotices {
 public:
  static constexpr const char* kClassName = "LumettaMainFrame";
  static constexpr const char* kTitle = "Lumetta";
  static constexpr const char* kTrayTip = "Lumetta Calendar";
  static constexpr const char* kHelpFile = "Lumetta.chm";
  // "Lumetta.chm::/topics/..." for the help topic of a window of the program.
  static std::string HelpTopicOf(HWND window);

  // Makes the appointment book and loads the settings into the program-wide
  // block. `timers` replaces the window's own timers (tests watch them).
  explicit CMainFrame(const ShellServices& services, TimerService* timers = nullptr,
                      menus::MenuModule* menus = nullptr);
  // Saves the settings.
  ~CMainFrame() override;

  // The program's main window, or nullptr.
  static CMainFrame* Current();

  // Creates the hidden owner window when needed, then the main window with
  // the month view, placed and sized, with its icon and timers. The window
  // is not shown yet. False when it could not be made.
  bool Create();

  // --- Operations of the main window --------------------------------------

  void PlaceMainWindow() override;
  void RefitMainWindow();
  void RestoreMainWindow();
  void HideMainWindow() override;
  // Today's day-number icon with the tip "Lumetta Calendar".
  void UpdateTrayIcon(bool add);
  // The Backup dialog's buttons.
  void BackupToFolder();
  void RestoreFromFile();
  // A new reminder pop-up. Year 0 makes a countdown's, with the snooze
  // delay's hours, minutes and seconds in day, hour and minute.
  void ShowReminderPopup(int year, int month, int day, int hour, int minute,
                         const std::string& text);
  // Writes the data file, the settings and any other open data, as at exit
  // (the end of a Windows session, which ends the process without the
  // usual shut-down).
  void SaveAllData();
  // Commits the text of every open day planner's slot editor into the book.
  void CommitOpenEditors();

  // --- State ----------------------------------------------------------------

  store::All_Appointments& Book() override { return book_; }
  const store::SubscribedItems* Subscribed() override { return &subscribed_; }
  views::CLumettaView* MonthView() const { return view_.get(); }
  const TrayIcon& Tray() const { return tray_; }
  ReminderPopups& Popups() { return popups_; }
  const Countdowns& RunningCountdowns() const { return countdowns_; }
  int FrameExtraWidth() const { return frameExtraWidth_; }
  int FrameExtraHeight() const override { return frameExtraHeight_; }
  bool StartedHidden() const { return startedHidden_; }
  bool SyncRunning() const { return sync_.Running(); }
  bool SubscriptionsRefreshing() const { return subscriptionRefresh_.Running(); }
  // The last sync's time and result, as the tray tooltip shows it.
  const std::string& LastSyncLine() const { return syncLine_; }
  SyncConflictsWindow* ConflictsWindow() { return conflictsWindow_.get(); }

  bool IsCommandEnabled(UINT id) const override;

  // --- The month view's host ------------------------------------------------

  std::string NotesFolder() override;  // also the notes window's
  void PlayClickSound() override;
  void StartRefitTimer() override;
  void OpenDayPlanner(int year, int month, int day) override;
  void CloseDayPlanners() override;
  void OpenWeekView(int year, int month, int day) override;
  void OpenYearView() override;
  void OpenToDoList() override;

  // --- The notes window's host ---------------------------------------------

  store::FileSystem& NotesFiles() override { return services_.files; }
  fw::Prompter& NotesPrompter() override { return services_.prompter; }
  HWND NotesWindowOwner() override { return Handle(); }

  // --- The day planners' host ------------------------------------------------

  HWND MainWindow() override { return Handle(); }
  fw::Prompter& Prompter() override { return services_.prompter; }
  void RunShellVerb(HWND owner, const char* verb, const std::string& target, int show) override;
  void CalendarViewsChanged() override;
  // A preference changed: every open window repaints.
  void PreferencesChanged();
  void EnableMonthView(bool enable) override;
  // The owner-drawn menus, for the planners, the to-do window and the week
  // and year views as for the main window.
  void AttachMenus(HWND window) override;
  bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result) override;

  // --- The to-do window's host ---------------------------------------------

  store::FileSystem& ToDoFiles() override { return services_.files; }
  store::DataPaths& ToDoPaths() override { return services_.paths; }
  fw::Prompter& ToDoPrompter() override { return services_.prompter; }
  HWND ToDoOwner() override { return Handle(); }
  int ToDoFrameExtraHeight() override { return frameExtraHeight_; }
  void ToDoClosed() override;
  store::All_Appointments& ToDoBook() override { return book_; }
  void ToDoScheduled() override { CalendarViewsChanged(); }

  // --- Repaint notices of the store ----------------------------------------

  void DayChanged(int year, int month, int day) override;
  void MonthChanged(int year, int month) override;
  void ViewsChanged() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCreate(const CREATESTRUCTA& create) override;
  void OnDestroy() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  // Posted at creation: the loaded book is what the data file holds.
  static constexpr UINT kNoteLoadedBook = WM_APP + 1;
  // Posted by the sync's worker when it has ended.
  static constexpr UINT kSyncFinished = WM_APP + 2;
  // Posted by the subscribed calendars' downloads when they have ended.
  static constexpr UINT kSubscriptionsRefreshed = WM_APP + 7;

  // MainFrame.cpp
  void LoadBook();
  void NoteLoadedBook();
  bool CreateView();
  void ShowStartupSummary();

  // MainFramePreferences.cpp
  void OpenColors();
  void OpenAdvancedSettings();
  void OpenDailyWebsite();
  // Runs at creation (open false) and when the daily web page timer fires
  // (open true): restarts the timer, opens the page when it is due.
  void ScheduleDailyWebsite(bool open);
  // Stops the daily web page timer if it runs and starts it with `seconds`.
  void RestartDailyWebsiteTimer(int seconds);

  // MainFrameCommands.cpp
  void StartCountdown();
  bool RouteToActiveWindow(UINT id);
  void UpdateAllMenuItems(HMENU menu) const;

  // MainFrameViews.cpp
  void RepaintWeekAndYearViews();

  // MainFrameSync.cpp
  std::string SyncDataFile();
  void OpenSyncAccounts();
  void SyncNow();
  void StartNextSync();
  void OnSyncFinished();
  void SyncEnded(const store::SyncReport& report);
  // Exit: a sync within a few seconds, never longer.
  void SyncAtExit();
  void ScheduleSync(UINT delayMs);
  // The sync would delete many entries: asks whether to; true to go on.
  bool AskAboutDeletes(const store::SyncAccount& account, const store::SyncReport& report);
  void ShowSyncConflicts(bool activate);

  // MainFrameSubscriptions.cpp
  void OpenSubscriptions();
  // Re-reads changed local files at once and downloads the web calendars.
  void RefreshSubscriptions();
  // Copies each local calendar file whose time changed into its cached copy
  // (true when one did); CheckCalendarFiles then shows what they hold.
  bool CopyChangedCalendarFiles(std::vector<store::Subscription>& list);
  void CheckCalendarFiles();
  void OnSubscriptionsRefreshed();
  void LoadSubscribedItems();
  void SubscriptionFailed(const store::Subscription& s, const std::string& why);

  // MainFramePlacement.cpp
  void OnMove();
  SIZE NaturalSize() const;

  // MainFrameTray.cpp
  void OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
  void ShowTrayMenu();
  void UpdateTrayTooltip();
  void ReAddTrayIcon();

  // MainFrameTimers.cpp
  void StartTimers();
  void OnTimer(UINT_PTR id);
  void FireReminder(UINT_PTR id);
  void RestartMinuteClock();
  // The system clock or time zone changed (WM_TIMECHANGE, a new zone), or
  // the machine woke up (`resumed`): every timer starts again from the clock.
  void ClockChanged(bool resumed);
  // Writes the moment this run ends (the reminders shown so far).
  void NoteRunEnd();
  void SaveBook();
  void SaveIfChanged();

  ShellServices services_;
  // How the settings file read at start-up: one that could not be read is
  // never written over.
  store::SettingsLoadResult settingsLoad_ = store::SettingsLoadResult::Loaded;
  store::All_Appointments book_;
  OwnerWindow owner_;
  UINT_PTR dailyWebsiteTimer_ = 0;
  // The clock at the last minute tick, and when the machine went to sleep
  // (0: it did not); reminders due after them count as missed.
  store::Moment lastClockReading_ = 0;
  store::Moment suspendedAt_ = 0;
  platform::TimeZoneWatch zone_;
  DayIcons dayIcons_;  // before the tray icon, which shows one of them
  TrayIcon tray_;
  int frameExtraWidth_ = 0;
  int frameExtraHeight_ = 0;
  std::unique_ptr<views::CLumettaView> view_;

  // One main window per run: these are the run's placement, move and
  // tooltip values.
  bool firstPlacement_ = true;
  bool startedHidden_ = false;
  int moveCount_ = 0;
  bool tooltipComputed_ = false;
  store::Moment lastTooltipSecond_ = 0;

  WindowTimerService windowTimers_;
  TimerService& timers_;
  ReminderPopups popups_;  // after the book and the timers it uses
  Countdowns countdowns_;  // their pop-ups join popups_
  menus::MenuModule* menus_;
  ChangeWatch changes_;
  UINT taskbarCreatedMessage_ = 0;
  std::string exportFolder_;  // where the last iCalendar export of this run went
  bool created_ = false;      // the creation sequence ran to its end
  bool routing_ = false;      // a routed command is on its way to the active window

  BackgroundSync sync_{nullptr, kSyncFinished};
  std::vector<store::SyncAccount> syncQueue_;  // accounts still to sync this round
  bool syncAgain_ = false;                     // Sync Now came while one ran
  bool exiting_ = false;
  std::string syncLine_;            // the last sync's time and result, for the tooltip
  std::set<int> syncFailuresTold_;  // the kinds of failure told since the last good sync
  std::string allowDeletesFor_;     // the account whose next sync may delete many
  std::set<std::string> syncHeld_;  // accounts not synced until the user decides on their deletes
  std::vector<store::SyncConflict> syncConflicts_;  // of this run's syncs, oldest first
  std::unique_ptr<SyncConflictsWindow> conflictsWindow_;

  SubscriptionRefresh subscriptionRefresh_{nullptr, kSubscriptionsRefreshed};
  store::SubscribedItems subscribed_;  // never part of the book
  // Subscriptions whose failure was told since they last refreshed well.
  std::set<std::string> subscriptionFailuresTold_;
};

}  // namespace shell
