#pragma once
// Downloads of the subscribed calendars, on a worker thread so that no
// window waits for a web server. Each download is conditional (the last
// ETag and Last-Modified go with it): an unchanged calendar answers 304 and
// is not downloaded again. The worker posts a message to the main window
// when done; the main window takes the results and writes the cached copies.

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace shell {

struct CalendarDownload {
  std::string id;
  std::string url;  // http or https
  std::string etag;
  std::string lastModified;
};

struct CalendarDownloaded {
  std::string id;
  int status = 0;     // 200 with a body, 304 unchanged; else failed
  std::string error;  // why it failed, in words
  std::string body;
  std::string etag;
  std::string lastModified;
};

class SubscriptionRefresh {
 public:
  SubscriptionRefresh(HWND window, UINT message) : window_(window), message_(message) {}
  SubscriptionRefresh(const SubscriptionRefresh&) = delete;
  SubscriptionRefresh& operator=(const SubscriptionRefresh&) = delete;

  void SetWindow(HWND window) { window_ = window; }
  bool Running() const { return running_; }
  // False when one is running already.
  bool Start(std::vector<CalendarDownload> downloads);
  // The ended refresh's results (once); false when none has ended.
  bool Take(std::vector<CalendarDownloaded>& out);

 private:
  struct Shared {
    std::mutex lock;
    bool done = false;
    std::vector<CalendarDownloaded> results;
  };

  HWND window_;
  UINT message_;
  bool running_ = false;
  std::shared_ptr<Shared> shared_;
};

}  // namespace shell
