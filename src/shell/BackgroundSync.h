#pragma once
// The CalDAV sync of the program, run on a worker thread so that no window
// waits for a server. The worker owns its copies of everything: it reads the
// data file (written just before), syncs its own book with the account's
// calendar, writes the data file and the sync state as the sync goes, and
// posts a message to the main window when done. The main window then takes
// the result and applies the sync's changes to its own book (see
// ApplySyncChanges), where the user may have typed meanwhile.

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "store/CalDavSync.h"
#include "store/DataFile.h"
#include "store/Settings.h"
#include "store/SyncAccounts.h"

namespace store {
class All_Appointments;
}

namespace shell {

struct SyncJob {
  store::SyncAccount account;
  std::string password;
  std::string dataFile;
  std::string notesFolder;  // with its trailing separator
  int codePage = 1252;
  bool allowManyDeletes = false;  // the user said yes to a sync that deletes many
  store::SettingsBlock settings;  // a copy: the worker reads no program-wide state
};

struct SyncResult {
  store::SyncAccount account;
  store::SyncReport report;
  // The entries of the data file before and after the sync.
  std::vector<store::AppointmentRecord> before;
  std::vector<store::AppointmentRecord> after;
};

class BackgroundSync {
 public:
  // `message` is posted to `window` when a sync has ended.
  BackgroundSync(HWND window, UINT message);
  // A sync still running is left to end on its own (nothing of this object
  // is used by it).
  ~BackgroundSync();
  BackgroundSync(const BackgroundSync&) = delete;
  BackgroundSync& operator=(const BackgroundSync&) = delete;

  void SetWindow(HWND window) { window_ = window; }
  bool Running() const { return running_; }
  // False when one is running already.
  bool Start(SyncJob job);
  // Waits at most `ms` for the running sync; true when none runs any more.
  bool WaitFor(DWORD ms);
  // The ended sync's result (once per sync); false when none has ended.
  bool Take(SyncResult& out);

 private:
  struct Shared {
    std::mutex lock;
    std::condition_variable ended;
    bool done = false;
    SyncResult result;
  };

  HWND window_;
  UINT message_;
  bool running_ = false;
  std::shared_ptr<Shared> shared_;
};

// Applies what a sync changed (the records in `before` but not `after`
// go, those in `after` but not `before` come) to `book`, leaving alone what
// the user changed meanwhile. Answers the number of entries changed.
int ApplySyncChanges(store::All_Appointments& book, const SyncResult& result);

}  // namespace shell
