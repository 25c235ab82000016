// The main window's subscribed calendars: File > "Subscribe to Calendar...",
// the refresh soon after start-up and every 4 hours (downloads on a worker),
// local files re-read within a minute of a change, and the occurrences the
// views show, read from the cached copies in the data folder.
#include "shell/MainFrame.h"

#include <cstdio>

#include "framework/RepaintAll.h"
#include "shell/SubscriptionsDialog.h"
#include "store/ICalendarImport.h"
#include "store/SafeFile.h"

namespace shell {

namespace {

// A local file's time and size, "" when it cannot be found.
std::string FileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::string();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "file %08lX%08lX %lu",
                static_cast<unsigned long>(data.ftLastWriteTime.dwHighDateTime),
                static_cast<unsigned long>(data.ftLastWriteTime.dwLowDateTime),
                static_cast<unsigned long>(data.nFileSizeLow));
  return stamp;
}

bool ReadWhole(store::FileSystem& files, const std::string& path, std::string& bytes) {
  const std::unique_ptr<store::InputFile> in = files.OpenRead(path);
  if (!in) return false;
  char buffer[1 << 16];
  for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, n);
    if (bytes.size() > store::kMaxICalendarBytes) return false;
  }
  return !in->Failed();
}

}  // namespace

void CMainFrame::OpenSubscriptions() {
  SubscriptionsDialog dialog(services_.prompter, services_.files, SyncDataFile());
  dialog.DoModal(Handle());
  if (!dialog.Changed()) return;
  LoadSubscribedItems();
  RefreshSubscriptions();
}

void CMainFrame::LoadSubscribedItems() {
  const std::string dataFile = SyncDataFile();
  subscribed_.Load(book_, services_.files, dataFile,
                   store::ReadSubscriptions(services_.files, store::SubscriptionsPath(dataFile)));
  // The month, week and year views and the open planners show them.
  fw::RepaintAllWindows();
}

void CMainFrame::SubscriptionFailed(const store::Subscription& s, const std::string& why) {
  // Told once; the cached copy stays and is shown meanwhile.
  if (!subscriptionFailuresTold_.insert(s.id).second || exiting_) return;
  services_.prompter.Show(Handle(),
                          "The subscribed calendar \"" + s.name + "\" could not be read: " + why +
                              ". Its last copy is shown meanwhile.",
                          MB_OK | MB_ICONEXCLAMATION);
}

bool CMainFrame::CopyChangedCalendarFiles(std::vector<store::Subscription>& list) {
  const std::string dataFile = SyncDataFile();
  bool changed = false;
  for (store::Subscription& s : list) {
    if (!s.on || !store::DownloadAddress(s.address).empty()) continue;
    const std::string stamp = FileStamp(s.address);
    if (stamp.empty()) {
      SubscriptionFailed(s, "the file is not there");
      continue;
    }
    if (stamp == s.lastModified) continue;
    std::string bytes;
    if (!ReadWhole(services_.files, s.address, bytes) ||
        !store::WriteFileSafely(services_.files, store::SubscriptionCachePath(dataFile, s),
                                bytes.data(), bytes.size())) {
      SubscriptionFailed(s, "the file could not be read or copied");
      continue;
    }
    subscriptionFailuresTold_.erase(s.id);
    s.lastModified = stamp;
    changed = true;
  }
  return changed;
}

void CMainFrame::CheckCalendarFiles() {
  const std::string listPath = store::SubscriptionsPath(SyncDataFile());
  std::vector<store::Subscription> list = store::ReadSubscriptions(services_.files, listPath);
  if (!CopyChangedCalendarFiles(list)) return;
  store::WriteSubscriptions(services_.files, listPath, list);
  LoadSubscribedItems();
}

void CMainFrame::RefreshSubscriptions() {
  CheckCalendarFiles();
  std::vector<CalendarDownload> downloads;
  for (const store::Subscription& s :
       store::ReadSubscriptions(services_.files, store::SubscriptionsPath(SyncDataFile()))) {
    const std::string url = store::DownloadAddress(s.address);
    if (s.on && !url.empty()) downloads.push_back({s.id, url, s.etag, s.lastModified});
  }
  if (!downloads.empty()) subscriptionRefresh_.Start(std::move(downloads));
}

void CMainFrame::OnSubscriptionsRefreshed() {
  std::vector<CalendarDownloaded> results;
  if (!subscriptionRefresh_.Take(results)) return;
  const std::string dataFile = SyncDataFile();
  const std::string listPath = store::SubscriptionsPath(dataFile);
  // Read again: the dialog may have changed the list meanwhile.
  std::vector<store::Subscription> list = store::ReadSubscriptions(services_.files, listPath);
  bool changed = false;
  for (const CalendarDownloaded& r : results) {
    for (store::Subscription& s : list) {
      if (s.id != r.id) continue;
      if (r.status == 304) {
        subscriptionFailuresTold_.erase(s.id);
      } else if (r.status != 200) {
        SubscriptionFailed(s, r.error);
      } else if (!store::WriteFileSafely(services_.files, store::SubscriptionCachePath(dataFile, s),
                                         r.body.data(), r.body.size())) {
        SubscriptionFailed(s, "its copy could not be written in the data folder");
      } else {
        subscriptionFailuresTold_.erase(s.id);
        s.etag = store::FitsSubscriptionsFile(r.etag) ? r.etag : std::string();
        s.lastModified =
            store::FitsSubscriptionsFile(r.lastModified) ? r.lastModified : std::string();
        changed = true;
      }
    }
  }
  if (!changed) return;
  store::WriteSubscriptions(services_.files, listPath, list);
  LoadSubscribedItems();
}

}  // namespace shell
