#include "shell/BackgroundSync.h"

#include <map>
#include <thread>

#include "platform/RegistryTimeZones.h"
#include "platform/SystemClock.h"
#include "platform/Win32FileSystem.h"
#include "platform/WinHttpTransport.h"
#include "store/AppointmentBook.h"
#include "store/DayNotesFiles.h"
#include "store/SafeFile.h"
#include "store/SyncItems.h"

namespace shell {

namespace {

// The worker's book asks nothing and arms nothing: its reminders are armed
// in the main window's book once the changes arrive there.
class NoPrompts : public store::Prompts {
 public:
  store::PromptAnswer Show(const std::string&, const std::string&, store::PromptButtons,
                           store::PromptIcon) override {
    return store::PromptAnswer::Cancel;
  }
};
class NoTimers : public store::ReminderTimers {
 public:
  std::uint32_t Start(std::uint32_t, std::uint32_t) override { return 0; }
  void Stop(std::uint32_t) override {}
};
class NoNotices : public store::RepaintNotices {
 public:
  void DayChanged(int, int, int) override {}
  void MonthChanged(int, int) override {}
  void ViewsChanged() override {}
};
class BesideDataFile : public store::DataPaths {
 public:
  explicit BesideDataFile(std::string folder) : folder_(std::move(folder)) {}
  std::string DataFilePath(const std::string& name, bool) override { return folder_ + name; }

 private:
  std::string folder_;
};

std::vector<store::AppointmentRecord> RecordsOf(const store::All_Appointments& book) {
  std::vector<store::AppointmentRecord> out;
  out.reserve(book.Count());
  for (const store::An_Appointment& e : book) out.push_back(store::RecordOfEntry(e));
  return out;
}

SyncResult RunSync(SyncJob& job) {
  SyncResult result;
  result.account = job.account;
  store::ReminderTimerCounter timerIds;
  platform::SystemClock clock;
  NoPrompts prompts;
  NoTimers timers;
  NoNotices notices;
  BesideDataFile paths(store::FolderOf(job.dataFile));
  platform::Win32FileSystem files;
  platform::RegistryTimeZones zones;
  const store::StoreContext context{job.settings, timerIds, clock, prompts, timers,
                                    notices,      paths,    files, zones};
  store::All_Appointments book(context);
  book.SetCodePage(job.codePage);
  if (files.Exists(job.dataFile) && !book.LoadDataFile(job.dataFile)) {
    result.report.outcome = store::SyncOutcome::LocalFailure;
    result.report.message = "the data file could not be read";
    return result;
  }
  book.Sort();
  result.before = RecordsOf(book);
  CreateDirectoryA(job.notesFolder.c_str(), nullptr);
  const store::DayNotesFiles notes(files, job.notesFolder);
  const std::unique_ptr<store::HttpTransport> http =
      platform::MakeWinHttpTransport(job.account.user, job.password);
  for (char& c : job.password) c = '\0';
  store::CalDavSync sync(*http, book, notes, job.account.calendar,
                         store::SyncStatePath(job.dataFile, job.account.name),
                         [&]() { return book.SaveTo(job.dataFile); });
  store::SyncOptions options;
  options.allowPlainHttp = job.account.allowHttp;
  options.allowManyDeletes = job.allowManyDeletes;
  result.report = sync.Run(options);
  book.Sort();
  result.after = RecordsOf(book);
  return result;
}

// Everything the data file keeps of an entry.
std::string Key(const store::AppointmentRecord& r) {
  std::string k;
  for (const std::int64_t n :
       {std::int64_t{r.year}, std::int64_t{r.month}, std::int64_t{r.day}, std::int64_t{r.hour},
        std::int64_t{r.minute}, std::int64_t{r.monthDay}, std::int64_t{r.repeatKind},
        std::int64_t{r.reminderMinutes}, std::int64_t{r.dayBefore}, std::int64_t{r.colour},
        std::int64_t{r.repeatUntil}, std::int64_t{r.reminderOn}, std::int64_t{r.tildeFlag},
        std::int64_t{r.noHighlight}}) {
    k += std::to_string(n);
    k += '|';
  }
  return k + r.weekOrdinal + '|' + r.weekdayText + '|' + r.text;
}

}  // namespace

BackgroundSync::BackgroundSync(HWND window, UINT message) : window_(window), message_(message) {}

BackgroundSync::~BackgroundSync() = default;

bool BackgroundSync::Start(SyncJob job) {
  if (running_) return false;
  running_ = true;
  shared_ = std::make_shared<Shared>();
  std::thread([shared = shared_, job = std::move(job), window = window_,
               message = message_]() mutable {
    SyncResult result = RunSync(job);
    {
      const std::lock_guard<std::mutex> hold(shared->lock);
      shared->result = std::move(result);
      shared->done = true;
    }
    shared->ended.notify_all();
    PostMessageA(window, message, 0, 0);
  }).detach();
  return true;
}

bool BackgroundSync::WaitFor(DWORD ms) {
  if (!running_) return true;
  std::unique_lock<std::mutex> hold(shared_->lock);
  return shared_->ended.wait_for(hold, std::chrono::milliseconds(ms),
                                 [&]() { return shared_->done; });
}

bool BackgroundSync::Take(SyncResult& out) {
  if (!running_) return false;
  const std::lock_guard<std::mutex> hold(shared_->lock);
  if (!shared_->done) return false;
  out = std::move(shared_->result);
  running_ = false;
  return true;
}

int ApplySyncChanges(store::All_Appointments& book, const SyncResult& result) {
  std::map<std::string, int> gone;  // key -> how many copies went
  for (const store::AppointmentRecord& r : result.before) ++gone[Key(r)];
  std::vector<const store::AppointmentRecord*> came;
  for (const store::AppointmentRecord& r : result.after) {
    const auto it = gone.find(Key(r));
    if (it != gone.end() && it->second > 0) {
      --it->second;
    } else {
      came.push_back(&r);
    }
  }
  int changed = 0;
  std::vector<store::An_Appointment*> doomed;
  for (store::An_Appointment& e : book) {
    const auto it = gone.find(Key(store::RecordOfEntry(e)));
    if (it != gone.end() && it->second > 0) {
      --it->second;
      doomed.push_back(&e);
    }
  }
  for (store::An_Appointment* e : doomed) {
    book.Destroy(*e);
    ++changed;
  }
  for (const store::AppointmentRecord* r : came) {
    if (book.MergeRecord(*r) != store::All_Appointments::RecordFate::Refused) ++changed;
  }
  if (changed > 0) book.Sort();
  return changed;
}

}  // namespace shell
