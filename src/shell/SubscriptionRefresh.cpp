#include "shell/SubscriptionRefresh.h"

#include <thread>

#include "platform/WinHttpTransport.h"

namespace shell {

namespace {

constexpr int kMaxRedirects = 5;

CalendarDownloaded Download(store::HttpTransport& http, const CalendarDownload& d) {
  CalendarDownloaded out;
  out.id = d.id;
  store::HttpRequest request;
  request.method = "GET";
  request.url = d.url;
  if (!d.etag.empty()) request.headers.emplace_back("If-None-Match", d.etag);
  if (!d.lastModified.empty()) request.headers.emplace_back("If-Modified-Since", d.lastModified);
  // A subscription carries no credentials, so a redirect may go anywhere but
  // from https to plain http.
  for (int hop = 0;; ++hop) {
    store::HttpResponse answer = http.Send(request);
    const std::string next = answer.Header("Location");
    const bool redirect = answer.status == 301 || answer.status == 302 || answer.status == 303 ||
                          answer.status == 307 || answer.status == 308;
    if (redirect && !next.empty() && hop < kMaxRedirects &&
        !(request.url.compare(0, 6, "https:") == 0 && next.compare(0, 5, "http:") == 0)) {
      request.url = next;
      continue;
    }
    out.status = answer.status;
    if (answer.status == 200) {
      out.body = std::move(answer.body);
      out.etag = answer.Header("ETag");
      out.lastModified = answer.Header("Last-Modified");
    } else if (answer.status == 0) {
      out.error = answer.error;
    } else if (answer.status != 304) {
      out.error = "the server answered " + std::to_string(answer.status);
    }
    return out;
  }
}

}  // namespace

bool SubscriptionRefresh::Start(std::vector<CalendarDownload> downloads) {
  if (running_) return false;
  running_ = true;
  shared_ = std::make_shared<Shared>();
  std::thread([shared = shared_, downloads = std::move(downloads), window = window_,
               message = message_]() {
    const std::unique_ptr<store::HttpTransport> http = platform::MakeWinHttpTransport("", "");
    std::vector<CalendarDownloaded> results;
    for (const CalendarDownload& d : downloads) results.push_back(Download(*http, d));
    {
      const std::lock_guard<std::mutex> hold(shared->lock);
      shared->results = std::move(results);
      shared->done = true;
    }
    PostMessageA(window, message, 0, 0);
  }).detach();
  return true;
}

bool SubscriptionRefresh::Take(std::vector<CalendarDownloaded>& out) {
  if (!running_) return false;
  const std::lock_guard<std::mutex> hold(shared_->lock);
  if (!shared_->done) return false;
  out = std::move(shared_->results);
  running_ = false;
  return true;
}

}  // namespace shell
