// CalDAV requests over an HttpTransport: URLs and hrefs, redirects within
// the same host, the WebDAV bodies the sync sends, and the answers read
// into plain values. Nothing here changes the diary.
#pragma once

#include <string>
#include <vector>

#include "store/DavXml.h"
#include "store/HttpTransport.h"

namespace store {

struct DavUrl {
  std::string scheme;     // "http" or "https", lower case
  std::string authority;  // host[:port], lower case
  std::string path;       // begins with '/'
  std::string Origin() const { return scheme + "://" + authority; }
  std::string Text() const { return Origin() + path; }
};

// False for anything but http(s)://host[:port][/path] (credentials in the
// address are refused: they would be sent in the clear).
bool ParseDavUrl(const std::string& text, DavUrl& out);
// An href of an answer, taken relative to `base`; false when it names
// another host.
bool ResolveHref(const DavUrl& base, const std::string& href, DavUrl& out);
// Percent-escapes undone: the form in which two hrefs are compared.
std::string DecodedPath(const std::string& path);
// Plain HTTP is for the local machine only (or when the user allows it).
bool LocalHost(const DavUrl& url);

enum class DavFailure { None, Unreachable, Auth, Server, BadAnswer, Redirect };

struct DavAnswer {
  DavFailure failure = DavFailure::None;
  int status = 0;
  std::string message;  // for a failure: what the user is told
  HttpResponse response;
};

class DavClient {
 public:
  explicit DavClient(HttpTransport& transport) : transport_(transport) {}

  // Sends the request; follows up to five redirects to the same host (to
  // another host is a failure, and nothing is sent there). An answer with
  // status 401/403, 5xx or none at all is a failure; other statuses are
  // the caller's to judge.
  DavAnswer Send(const std::string& method, const DavUrl& url, HttpHeaders headers,
                 const std::string& body);
  // PROPFIND/REPORT whose answer must be a 207 multistatus.
  DavAnswer Multistatus(const std::string& method, const DavUrl& url, const char* depth,
                        const std::string& body, DavMultistatus& out);

  int requests() const { return requests_; }

 private:
  HttpTransport& transport_;
  int requests_ = 0;
};

// XML text escaping for request bodies.
std::string XmlEscape(const std::string& text);

}  // namespace store
