// The main window's commands: which are enabled, what each does, and the
// commands passed on to the active program window.
#include "shell/MainFrame.h"

#include <string>

#include "platform/UserFolders.h"
#include "resource.h"
#include "shell/AboutDialog.h"
#include "shell/BackupDialog.h"
#include "shell/BeginDialog.h"
#include "shell/CommandRouting.h"
#include "shell/FindDialog.h"
#include "planner/EditView.h"
#include "shell/ICalendarCommands.h"
#include "shell/ShellPickers.h"
#include "shell/SoundDialog.h"
#include "shell/TimerDialog.h"
#include "store/BackupRestore.h"
#include "store/ProgramState.h"
#include "todo/ToDo.h"
#include "version.h"
#include "views/MonthView.h"

namespace shell {

namespace {

// The folder browser and the file dialog of the backup commands belong to
// the window the user is in when they open (the Backup dialog): owned by the
// main window, which the Backup dialog keeps disabled, they would enable it
// again when they close.
class ActiveWindowPickers : public store::BackupPickers {
 public:
  explicit ActiveWindowPickers(HWND fallback) : fallback_(fallback) {}
  std::string CurrentFolder() override { return Pickers().CurrentFolder(); }
  void SetCurrentFolder(const std::string& folder) override { Pickers().SetCurrentFolder(folder); }
  bool BrowseForFolder(const std::string& title, std::string& path) override {
    return Pickers().BrowseForFolder(title, path);
  }
  bool ChooseFileToOpen(const std::string& title, const std::string& filter,
                        const std::string& initialFolder, std::string& path) override {
    return Pickers().ChooseFileToOpen(title, filter, initialFolder, path);
  }

 private:
  ShellBackupPickers Pickers() const {
    HWND active = GetActiveWindow();
    return ShellBackupPickers(active != nullptr ? active : fallback_);
  }
  HWND fallback_;
};

}  // namespace

std::string CMainFrame::HelpTopicOf(HWND window) {
  const char* topic = "main-window.htm";
  switch (KindOfWindow(window)) {
    case ActiveKind::DayPlanner:
      topic = "day-planner.htm";
      break;
    case ActiveKind::ToDo:
      topic = "todo.htm";
      break;
    case ActiveKind::WeekView:
    case ActiveKind::YearView:
      topic = "week-year.htm";
      break;
    case ActiveKind::Other:
      break;
  }
  return std::string(kHelpFile) + "::/topics/" + topic;
}

bool CMainFrame::RouteToActiveWindow(UINT id) {
  HWND active = GetActiveWindow();
  switch (RouteCommand(id, KindOfWindow(active))) {
    case Route::NotRouted:
      return false;
    case Route::Nothing:
      return true;
    case Route::ActivateThenActive:
      SetActiveWindow(active);
      [[fallthrough]];
    case Route::ActiveWindow:
      // A window that gives the command back does not get it again.
      if (!routing_) {
        routing_ = true;
        SendMessageA(active, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        routing_ = false;
      }
      return true;
    case Route::MonthViewNext:
      if (view_ != nullptr) view_->NextMonth();
      return true;
    case Route::MonthViewPrevious:
      if (view_ != nullptr) view_->PreviousMonth();
      return true;
  }
  return false;
}

void CMainFrame::UpdateAllMenuItems(HMENU menu) const {
  if (menu == nullptr) return;
  UpdateMenuItems(menu);
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    UpdateAllMenuItems(GetSubMenu(menu, position));
  }
}

// --- Commands -------------------------------------------------------------------

bool CMainFrame::IsCommandEnabled(UINT id) const {
  switch (id) {
    case ID_PREFS_FONT:
    case ID_PREFS_COLORS:
    case ID_PREFS_SOUNDS:
    case ID_PREFS_ADVANCED:
    case ID_PREFS_DAILY_WEBSITE:
    case ID_FILE_FIND:
    case ID_FILE_TIMER:
    case ID_FILE_BACKUP:
    case ID_FILE_EXPORT_ICALENDAR:
    case ID_FILE_IMPORT_ICALENDAR:
    case ID_FILE_SYNC_ACCOUNTS:
    case ID_FILE_SYNC_NOW:
    case ID_FILE_SUBSCRIBE:
    case ID_APP_EXIT:
    case ID_VIEW_THIS_MONTH:
    case ID_VIEW_YEAR:
    case ID_VIEW_WEEK:
    case ID_HELP_TOPICS:
    case ID_HELP_VISIT_WEBSITE:
    case ID_HELP_QUICK_HINTS:
    case ID_APP_ABOUT:
    case ID_TRAY_SHOW:
    case ID_TRAY_HIDE:
    case ID_BACKUP_TO_FOLDER:
    case ID_RESTORE_FROM_FILE:
      return true;
    case ID_FILE_SYNC_CONFLICTS:
      return !syncConflicts_.empty();
    default:
      return FrameWindow::IsCommandEnabled(id);
  }
}

bool CMainFrame::OnCommand(UINT id, UINT notifyCode, HWND) {
  switch (id) {
    case ID_APP_EXIT:
      // Closing the main window ends the program.
      SendMessageA(Handle(), WM_CLOSE, 0, 0);
      return true;
    case ID_PREFS_FONT:
      if (view_ != nullptr) {
        view_->ChooseMainFont();
        if (todo::ToDo* toDo = todo::ToDo::Current()) toDo->FollowMainFont(view_->MainFont());
      }
      PreferencesChanged();
      return true;
    case ID_PREFS_COLORS:
      OpenColors();
      return true;
    case ID_PREFS_SOUNDS: {
      ActiveWindowPickers pickers(Handle());
      SoundDialog dialog(services_.prompter, store::g_settings, pickers, services_.sound);
      dialog.DoModal(Handle());
      return true;
    }
    case ID_PREFS_ADVANCED:
      OpenAdvancedSettings();
      return true;
    case ID_PREFS_DAILY_WEBSITE:
      OpenDailyWebsite();
      return true;
    case ID_FILE_FIND: {
      ShellSearchOutlets outlets(Handle(), [this](int year, int month, int day) {
        if (view_ != nullptr) view_->OpenDayPlanner(year, month, day);
      });
      RunFindCommand(Handle(), book_, outlets, services_.prompter);
      return true;
    }
    case ID_FILE_TIMER:
      StartCountdown();
      return true;
    case ID_FILE_BACKUP: {
      ActiveWindowPickers pickers(Handle());
      Backup dialog(services_.prompter, store::g_settings, services_.prompts, pickers);
      dialog.DoModal(Handle());
      return true;
    }
    case ID_FILE_EXPORT_ICALENDAR:
      // The export reads the files: what open windows hold goes in first.
      SaveAllData();
      ExportToICalendar(Handle(), book_, NotesFolder(), exportFolder_);
      return true;
    case ID_FILE_IMPORT_ICALENDAR:
      // What the notes window holds is in the file the import adds to, and
      // the window then shows the file as the import left it.
      planner::EditView::SaveOpenNotes();
      ImportICalendar(Handle(), book_, NotesFolder());
      planner::EditView::ReloadOpenNotes();
      return true;
    case ID_FILE_SYNC_ACCOUNTS:
      OpenSyncAccounts();
      return true;
    case ID_FILE_SYNC_NOW:
      syncHeld_.clear();  // the user asks again for the accounts held back
      SyncNow();
      return true;
    case ID_FILE_SYNC_CONFLICTS:
      ShowSyncConflicts(true);
      return true;
    case ID_FILE_SUBSCRIBE:
      OpenSubscriptions();
      return true;
    case ID_BACKUP_TO_FOLDER:
      BackupToFolder();
      return true;
    case ID_RESTORE_FROM_FILE:
      RestoreFromFile();
      return true;
    case ID_VIEW_THIS_MONTH:
      if (view_ != nullptr) view_->GoToThisMonth();
      return true;
    case ID_VIEW_YEAR:
      OpenYearView();
      return true;
    case ID_VIEW_WEEK: {
      store::CalendarFields today;
      if (store::LocalFields(services_.clock.Now(), today)) {
        OpenWeekView(today.year, today.month, today.day);
      }
      return true;
    }
    case ID_HELP_TOPICS:
      // F1 (a shortcut) opens the topic of the window the user is in.
      services_.shell.Open(Handle(), notifyCode == 1 ? HelpTopicOf(GetActiveWindow()) : kHelpFile);
      return true;
    case ID_HELP_VISIT_WEBSITE:
      services_.shell.Open(Handle(), LUMETTA_WEBSITE_URL);
      return true;
    case ID_HELP_QUICK_HINTS: {
      BeginDialog hints(services_.prompter);
      hints.DoModal(Handle());
      return true;
    }
    case ID_APP_ABOUT: {
      CAboutDlg about(services_.prompter, services_.shell);
      about.DoModal(Handle());
      return true;
    }
    case ID_TRAY_SHOW:
      RestoreMainWindow();
      return true;
    case ID_TRAY_HIDE:
      HideMainWindow();
      return true;
    default:
      return false;
  }
}

void CMainFrame::StartCountdown() {
  CTimerDialog dialog(services_.prompter);
  if (dialog.DoModal(Handle()) != IDOK) return;
  // Said rather than dropped: the user would wait for a pop-up that never comes.
  if (!countdowns_.Start(dialog.Request())) {
    services_.prompter.Show(Handle(), "The timer could not be started.",
                            MB_OK | MB_ICONEXCLAMATION);
  }
}

void CMainFrame::BackupToFolder() {
  // A new user's folder in Documents is made by the first backup.
  platform::MakeFolder(store::BackupFolder(store::g_settings));
  store::BackupToFolder(book_);
}

void CMainFrame::RestoreFromFile() {
  ActiveWindowPickers pickers(Handle());
  store::RestoreFromFile(book_, pickers);
}

}  // namespace shell
