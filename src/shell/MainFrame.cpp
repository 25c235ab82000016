// The main window's life cycle and its messages.
#include "shell/MainFrame.h"

#include <shellapi.h>

#include <string>

#include "framework/RepaintAll.h"
#include "planner/AppointBook2.h"
#include "platform/SystemCodePage.h"
#include "planner/DayPlanners.h"
#include "planner/EditView.h"
#include "resource.h"
#include "menus/MenuModule.h"
#include "shell/NotesFolder.h"
#include "store/CodePage.h"
#include "store/DataFile.h"
#include "store/ReminderState.h"
#include "store/ProgramState.h"
#include "store/TextImport.h"
#include "todo/ToDo.h"
#include "views/MonthView.h"
#include "views/QuickCheckPopup.h"
#include "views/WeekView.h"
#include "views/YearView.h"

namespace shell {

namespace {

// The program's main window (program-wide: other windows reach it here).
CMainFrame* g_mainFrame = nullptr;

// Until the month view gives the natural size, the window has this size.
const int kInitialWidth = 480;
const int kInitialHeight = 360;

std::string ModulePath() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

}  // namespace

CMainFrame::CMainFrame(const ShellServices& services, TimerService* timers,
                       menus::MenuModule* menus)
    : services_(services),
      book_(store::StoreContext{store::g_settings, store::g_reminderTimerIds, services.clock,
                                services.prompts, services.reminderTimers, services.notices,
                                services.paths, services.files, services.zones}),
      timers_(timers != nullptr ? *timers : windowTimers_),
      popups_(timers_, book_, services.prompter, services.shell, services.sound),
      countdowns_(
          timers_,
          [this](int hours, int minutes, int seconds, const std::string& text) {
            ShowReminderPopup(0, 0, hours, minutes, seconds, text);
          },
          &services.clock),
      menus_(menus) {
  g_mainFrame = this;
  planner::EditView::SetHost(this);
  settingsLoad_ = store::LoadSettings(store::g_settings, services_.paths, services_.files,
                                      services_.clock, services_.settingsHooks);
  store::ReportUnreadSettings(settingsLoad_, services_.paths, services_.prompts);
}

CMainFrame::~CMainFrame() {
  // Destroy the window while this object's handlers and members still work.
  Destroy();
  store::SaveSettings(store::g_settings, services_.paths, services_.files, settingsLoad_);
  if (g_mainFrame == this) {
    g_mainFrame = nullptr;
    planner::EditView::SetHost(nullptr);
  }
}

CMainFrame* CMainFrame::Current() { return g_mainFrame; }

bool CMainFrame::Create() {
  if (!owner_.CreateOnce()) return false;
  fw::WindowParams params;
  params.title = kTitle;
  // Thin border, system menu, sizing frame, minimise box; no caption bar.
  // WS_POPUP, because Windows gives every overlapped window a caption.
  params.style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
  params.width = kInitialWidth;
  params.height = kInitialHeight;
  params.parent = owner_.Handle();
  return CreateFrame(IDR_MAINFRAME, kClassName, params);
}

// --- Creation and destruction -------------------------------------------------

bool CMainFrame::OnCreate(const CREATESTRUCTA&) {
  windowTimers_.SetWindow(Handle());
  sync_.SetWindow(Handle());
  subscriptionRefresh_.SetWindow(Handle());
  // Before the book is loaded, which arms the reminders due within a day.
  services_.reminderTimers.SetWindow(Handle());
  services_.prompts.SetOwner(Handle());
  taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");

  UpdateTrayIcon(true);
  if (!CreateView()) return false;
  PlaceMainWindow();
  book_.Sort();
  // Once the message loop runs (before any input can change the book):
  // the book as loaded counts as written. Not now: with a large book that
  // would delay the window's first appearance.
  PostMessageA(Handle(), kNoteLoadedBook, 0, 0);
  ShowStartupSummary();
  StartTimers();
  ScheduleDailyWebsite(false);
  view_->SetResizeSkipCount(0);
  services_.notices.SetTarget(this);
  UpdateAllMenuItems(GetMenu(Handle()));
  if (menus_ != nullptr) {
    // The handler first: converting the menu bar measures its items.
    SetMenuHandler(
        [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
          return HandleMenuMessage(window, message, wParam, lParam, result);
        });
    AttachMenus(Handle());
  }
  created_ = true;
  return true;
}

void CMainFrame::NoteLoadedBook() {
  // A book that came from somewhere else than the data file (an older
  // version's file, the old text file, an earlier run's side file) is
  // written at the next save check.
  const std::string dataFile = services_.paths.DataFilePath(store::kDataFileName, true);
  if (services_.files.Exists(dataFile) && !book_.SideFilePending()) changes_.MarkWritten(book_);
}

void CMainFrame::LoadBook() {
  // The texts are in the system's code page; lumetta-cli, run elsewhere on a
  // copy of the data folder, learns it from the file recorded beside them.
  book_.SetCodePage(platform::AnsiCodePage());
  store::WriteCodePageFile(services_.files,
                           services_.paths.DataFilePath(store::kCodePageFileName, true),
                           book_.codePage());
  // The weekday backup copy first, then the data file; without one, an
  // older version's file or the old text file beside the program.
  if (const auto lastRunEnd = store::ReadLastRunEnd(services_.paths, services_.files)) {
    book_.SetRemindersSeenUntil(*lastRunEnd);
  }
  book_.LoadAtStartup(
      [this] { store::ImportText(book_, store::OldTextDataPath(ModulePath()), false); });
}

bool CMainFrame::CreateView() {
  LoadBook();
  view_ = std::make_unique<views::CLumettaView>(*this);
  if (!view_->Create(Handle())) return false;
  SetView(view_.get());
  return true;
}

void CMainFrame::ShowStartupSummary() {
  store::CalendarFields today;
  if (store::LocalFields(services_.clock.Now(), today)) {
    RECT anchor = {};
    GetWindowRect(Handle(), &anchor);
    view_->ShowQuickCheck(today.year, today.month, today.day, anchor, 0);
  }
  const UINT duration = SummaryDurationMs(store::g_settings.summarySeconds,
                                          static_cast<UINT>(views::QuickCheckDuration()));
  timers_.Start(kCloseSummary, duration);
}

void CMainFrame::OnDestroy() {
  // The planners and the to-do window close first (the month view goes
  // with this window's children, after the book is written): their
  // editors' text is saved, and the to-do lists are written while this
  // window still serves them.
  planner::CloseAllDayPlanners();
  todo::ToDo::CloseToDo();
  // Only a book that was loaded is written: a window whose creation failed
  // half-way must not replace the data file with an empty book.
  if (created_) {
    SyncAtExit();
    SaveBook();
    NoteRunEnd();
  }
  tray_.Remove();
  views::CloseQuickCheckPopup();
  popups_.CloseAll();
  services_.reminderTimers.SetWindow(nullptr);
  services_.notices.SetTarget(nullptr);
  services_.prompts.SetOwner(nullptr);
}

void CMainFrame::CommitOpenEditors() {
  for (int entry = 0; entry < planner::kOpenPlannerEntries; ++entry) {
    if (planner::AppointBook2* open = planner::DayPlannerAt(entry)) open->CloseSlotEditor();
  }
}

void CMainFrame::SaveAllData() {
  // What is typed into an open editor is part of the data.
  CommitOpenEditors();
  planner::EditView::SaveOpenNotes();
  todo::ToDo::SaveOpenLists();
  SaveBook();
  NoteRunEnd();
  store::SaveSettings(store::g_settings, services_.paths, services_.files, settingsLoad_);
}

void CMainFrame::NoteRunEnd() {
  // The reminders due until now have been shown in this run.
  store::WriteLastRunEnd(services_.paths, services_.files, services_.clock.Now());
}

// --- Messages -------------------------------------------------------------------

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
    // The shell restarted: without its icon the program would be unreachable.
    ReAddTrayIcon();
    return 0;
  }
  switch (message) {
    case WM_COMMAND: {
      // Before the month view sees them: these go by the active window.
      if (RouteToActiveWindow(LOWORD(wParam))) return 0;
      break;
    }
    case WM_INITMENU:
      UpdateAllMenuItems(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_MOVE:
      OnMove();
      break;
    case WM_PAINT: {
      // So that a second copy always finds this window by its title.
      char title[16] = "";
      GetWindowTextA(Handle(), title, sizeof title);
      if (lstrcmpA(title, kTitle) != 0) SetWindowTextA(Handle(), kTitle);
      break;
    }
    case WM_ACTIVATE: {
      const LRESULT result = FrameWindow::HandleMessage(message, wParam, lParam);
      if (HIWORD(wParam) != 0) {  // being minimised
        PlayClickSound();
        HideMainWindow();
      }
      return result;
    }
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      if (command == SC_MINIMIZE ||
          (command == SC_CLOSE && (store::g_settings.flags & store::kFlagHideOnClose) != 0)) {
        PlayClickSound();
        HideMainWindow();
        return 0;
      }
      break;
    }
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return 0;
    case WM_TIMECHANGE:
      ClockChanged(false);
      return 0;
    case WM_SETTINGCHANGE:
      if (zone_.Changed()) ClockChanged(false);
      if (wParam == SPI_SETHIGHCONTRAST) fw::RepaintAllWindows();
      break;
    case WM_SYSCOLORCHANGE:
      // High contrast switched, or its colours changed: every window draws anew.
      fw::RepaintAllWindows();
      break;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) suspendedAt_ = services_.clock.Now();
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
        ClockChanged(true);
        ScheduleSync(kSyncAfterResumeMs);
      }
      return TRUE;
    case kNoteLoadedBook:
      NoteLoadedBook();
      return 0;
    case kSyncFinished:
      OnSyncFinished();
      return 0;
    case kSubscriptionsRefreshed:
      OnSubscriptionsRefreshed();
      return 0;
    case TrayIcon::kCallbackMessage:
      OnTrayNotification(wParam, lParam);
      return 0;
    case WM_QUERYENDSESSION:
      // Windows ends the process after the session without destroying its
      // windows: everything is written now, as at exit.
      SaveAllData();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != 0) SaveAllData();
      return 0;
    default:
      break;
  }
  return FrameWindow::HandleMessage(message, wParam, lParam);
}

// --- The month view's host --------------------------------------------------------

std::string CMainFrame::NotesFolder() { return shell::NotesFolder(); }

void CMainFrame::PlayClickSound() { platform::PlayClickSound(store::g_settings, services_.sound); }

void CMainFrame::StartRefitTimer() { timers_.Start(kRefitMainWindow, kRefitDelayMs); }

void CMainFrame::OpenDayPlanner(int year, int month, int day) {
  planner::OpenDayPlanner(*this, year, month, day, view_ != nullptr ? view_->MainFont() : nullptr);
}

void CMainFrame::CloseDayPlanners() { planner::CloseAllDayPlanners(); }

// --- Repaint notices ----------------------------------------------------------

void CMainFrame::DayChanged(int year, int month, int day) {
  planner::AppointBook2* open = planner::FindDayPlanner(year, month, day);
  if (open != nullptr && open->Exists()) InvalidateRect(open->Handle(), nullptr, FALSE);
  RepaintWeekAndYearViews();
}

void CMainFrame::MonthChanged(int year, int month) {
  if (view_ != nullptr) view_->RepaintIfShowing(year, month);
  RepaintWeekAndYearViews();
}

void CMainFrame::ViewsChanged() {
  if (view_ != nullptr && view_->Exists()) InvalidateRect(view_->Handle(), nullptr, FALSE);
  RepaintWeekAndYearViews();
}

// --- The day planners' host ------------------------------------------------------

void CMainFrame::RunShellVerb(HWND owner, const char* verb, const std::string& target, int show) {
  if (verb == nullptr && show == SW_SHOWNORMAL) {
    services_.shell.Open(owner, target);
    return;
  }
  ShellExecuteA(owner, verb, target.c_str(), nullptr, nullptr, show);
}

void CMainFrame::CalendarViewsChanged() {
  if (view_ != nullptr && view_->Exists()) InvalidateRect(view_->Handle(), nullptr, FALSE);
  RepaintWeekAndYearViews();
}

void CMainFrame::PreferencesChanged() {
  // The week and year views are measured in the main font.
  if (views::ViewYear* year = views::ViewYear::Current()) year->FollowMainFont();
  if (views::ViewWeek* week = views::ViewWeek::Current()) week->FollowMainFont();
  // Planners, notes and the to-do window draw with the settings too.
  fw::RepaintAllWindows();
}

void CMainFrame::EnableMonthView(bool enable) {
  if (view_ != nullptr && view_->Exists()) EnableWindow(view_->Handle(), enable ? TRUE : FALSE);
}

void CMainFrame::AttachMenus(HWND window) {
  if (menus_ != nullptr) menus_->Attach(window);
}

bool CMainFrame::HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT* result) {
  return menus_ != nullptr && menus_->HandleMenuMessage(window, message, wParam, lParam, result);
}

// --- The to-do window ---------------------------------------------------------------

void CMainFrame::OpenToDoList() {
  todo::ToDo::Open(*this, view_ != nullptr ? view_->MainFont() : nullptr);
}

void CMainFrame::ToDoClosed() {
  if (view_ != nullptr && view_->Exists()) InvalidateRect(view_->Handle(), nullptr, FALSE);
}

}  // namespace shell
