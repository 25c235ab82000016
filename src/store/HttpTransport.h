// What the CalDAV sync needs from an HTTP library: one request, one answer.
// The native build implements it with libcurl, the Windows build with
// WinHTTP; tests with a fake server. An implementation verifies HTTPS
// certificates, never follows a redirect itself (the sync decides which it
// follows, and sends credentials to no other host) and refuses an answer
// larger than kMaxDavAnswerBytes.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace store {

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
  std::string method;  // GET, PUT, DELETE, PROPFIND, REPORT
  std::string url;     // absolute: scheme, host, path
  HttpHeaders headers;
  std::string body;
};

struct HttpResponse {
  int status = 0;     // 0: no answer (see `error`)
  std::string error;  // why there is no answer: unreachable, timeout, certificate, too large
  HttpHeaders headers;
  std::string body;

  // The first header of that name (case-insensitive), "" when absent.
  std::string Header(const std::string& name) const;
  bool Has(const std::string& name) const;
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual HttpResponse Send(const HttpRequest& request) = 0;
};

}  // namespace store
