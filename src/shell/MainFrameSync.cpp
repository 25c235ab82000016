// The main window's CalDAV sync: File > "Calendar Accounts..." and "Sync
// Now", the sync at start-up, every 15 minutes, a minute after a change has
// rested, at resume and at exit; the worker's result merged into the book.
#include "shell/MainFrame.h"

#include "planner/EditView.h"
#include "platform/ProtectedSecret.h"
#include "platform/SystemCodePage.h"
#include "shell/SyncAccountsDialog.h"
#include "store/DataFile.h"
#include "store/ProgramState.h"
#include "store/SyncState.h"
#include "views/MainFont.h"
#include "views/MonthView.h"

#include <algorithm>
#include <cstdio>

namespace shell {

namespace {

// What the tray tooltip's line says of an ended sync.
std::string SyncLine(store::Moment at, const store::SyncReport& report) {
  store::CalendarFields f;
  char when[16] = "";
  if (store::LocalFields(at, f)) std::snprintf(when, sizeof when, "%02d:%02d", f.hour, f.minute);
  if (report.outcome == store::SyncOutcome::Done) {
    return std::string("Synced at ") + when + ": " + std::to_string(report.downloaded) + " in, " +
           std::to_string(report.uploaded) + " out" +
           (report.conflicts > 0 ? ", " + std::to_string(report.conflicts) + " conflicts" : "");
  }
  return std::string("Sync failed at ") + when;
}

}  // namespace

std::string CMainFrame::SyncDataFile() {
  return services_.paths.DataFilePath(store::kDataFileName, true);
}

void CMainFrame::OpenSyncAccounts() {
  SyncAccountsDialog dialog(services_.prompter, services_.files, SyncDataFile());
  dialog.DoModal(Handle());
  if (dialog.Changed()) SyncNow();
}

void CMainFrame::SyncNow() {
  if (sync_.Running()) {
    syncAgain_ = true;  // what changed meanwhile goes in the next one
    return;
  }
  syncQueue_ = store::ReadSyncAccounts(services_.files, store::SyncAccountsPath(SyncDataFile()));
  syncQueue_.erase(
      std::remove_if(syncQueue_.begin(), syncQueue_.end(),
                     [&](const store::SyncAccount& a) { return syncHeld_.count(a.name) > 0; }),
      syncQueue_.end());
  StartNextSync();
}

void CMainFrame::StartNextSync() {
  // One started while a question was open: the queue goes on after it.
  if (syncQueue_.empty() || sync_.Running()) return;
  const store::SyncAccount account = syncQueue_.front();
  syncQueue_.erase(syncQueue_.begin());
  SyncJob job;
  job.account = account;
  if (!platform::ReadKeptSecret(store::KeptPasswordPath(SyncDataFile(), account.name),
                                job.password)) {
    store::SyncReport report;
    report.outcome = store::SyncOutcome::AuthFailed;
    report.message = "the password of \"" + account.name +
                     "\" is not kept on this computer; remove the account and add it again";
    SyncEnded(report);
    StartNextSync();
    return;
  }
  // The worker starts from the data file: what is typed and open goes in first.
  CommitOpenEditors();
  planner::EditView::SaveOpenNotes();
  SaveBook();
  job.dataFile = SyncDataFile();
  job.notesFolder = NotesFolder();
  job.codePage = book_.codePage();
  job.settings = store::g_settings;
  job.allowManyDeletes = account.name == allowDeletesFor_;
  allowDeletesFor_.clear();
  sync_.Start(std::move(job));
}

void CMainFrame::OnSyncFinished() {
  SyncResult result;
  if (!sync_.Take(result)) return;
  // A slot being typed in is committed before the sync's changes arrive.
  CommitOpenEditors();
  if (ApplySyncChanges(book_, result) > 0) {
    book_.ReArmIdleReminders();
    CalendarViewsChanged();
  }
  planner::EditView::ReloadOpenNotes();
  // The worker wrote the data file as the sync left it; with what was typed
  // meanwhile the book is written again.
  SaveBook();
  if (result.report.outcome == store::SyncOutcome::AskFirst && !exiting_) {
    // Held while the question is open: a timer's sync meanwhile leaves it alone.
    syncHeld_.insert(result.account.name);
    if (AskAboutDeletes(result.account, result.report)) {
      syncHeld_.erase(result.account.name);
      allowDeletesFor_ = result.account.name;
      syncQueue_.insert(syncQueue_.begin(), result.account);
    } else {
      syncLine_ = "Sync of \"" + result.account.name + "\" stopped: many entries would be deleted";
      tooltipComputed_ = false;
      UpdateTrayTooltip();
    }
  } else {
    SyncEnded(result.report);
  }
  if (!syncQueue_.empty()) {
    StartNextSync();
  } else if (syncAgain_) {
    syncAgain_ = false;
    SyncNow();
  }
}

void CMainFrame::SyncEnded(const store::SyncReport& report) {
  syncLine_ = SyncLine(services_.clock.Now(), report);
  tooltipComputed_ = false;
  UpdateTrayTooltip();
  if (report.outcome == store::SyncOutcome::Done) {
    syncFailuresTold_.clear();
    if (!report.conflictList.empty()) {
      syncConflicts_.insert(syncConflicts_.end(), report.conflictList.begin(),
                            report.conflictList.end());
      if (!exiting_) ShowSyncConflicts(false);
    }
    return;
  }
  // Told once per kind of failure, not at every retry.
  const int kind = static_cast<int>(report.outcome);
  if (!syncFailuresTold_.insert(kind).second || exiting_) return;
  services_.prompter.Show(Handle(), "The calendar could not be synced: " + report.message + ".",
                          MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::SyncAtExit() {
  exiting_ = true;
  if (!sync_.Running()) SyncNow();
  syncAgain_ = false;
  if (sync_.WaitFor(kSyncAtExitMs)) {
    syncQueue_.clear();
    OnSyncFinished();
    return;
  }
  // The server is too slow: the book is written as it is, and the sync's
  // state cannot be trusted to match it any more. Without it the next sync
  // compares everything and doubles nothing.
  SaveBook();
  for (const store::SyncAccount& a :
       store::ReadSyncAccounts(services_.files, store::SyncAccountsPath(SyncDataFile()))) {
    services_.files.Remove(store::SyncStatePath(SyncDataFile(), a.name));
  }
}

void CMainFrame::ScheduleSync(UINT delayMs) { timers_.Start(kSyncSoon, delayMs); }

bool CMainFrame::AskAboutDeletes(const store::SyncAccount& account,
                                 const store::SyncReport& report) {
  const std::string question =
      "Syncing \"" + account.name + "\" would delete " + std::to_string(report.wouldDeleteHere) +
      " entries from this computer and " + std::to_string(report.wouldDeleteThere) +
      " from the server.\n\nDelete them?\n\nYes deletes them. No keeps them and stops syncing "
      "this account until you choose Sync Now again.";
  return services_.prompter.Show(Handle(), question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CMainFrame::ShowSyncConflicts(bool activate) {
  if (syncConflicts_.empty()) return;
  if (conflictsWindow_ == nullptr) {
    conflictsWindow_ = std::make_unique<SyncConflictsWindow>(
        [this](int year, int month, int day) { OpenDayPlanner(year, month, day); },
        view_ != nullptr ? view_->MainFontDescription() : views::DefaultMainFontDescription());
  }
  conflictsWindow_->Show(Handle(), syncConflicts_, activate);
}

}  // namespace shell
