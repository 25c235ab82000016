#include "store/DavClient.h"

#include <cctype>
#include <utility>

namespace store {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string FailureText(const HttpResponse& r) { return "HTTP " + std::to_string(r.status); }

}  // namespace

std::string HttpResponse::Header(const std::string& name) const {
  const std::string wanted = Lower(name);
  for (const auto& [key, value] : headers) {
    if (Lower(key) == wanted) return value;
  }
  return std::string();
}

bool HttpResponse::Has(const std::string& name) const {
  const std::string wanted = Lower(name);
  for (const auto& header : headers) {
    if (Lower(header.first) == wanted) return true;
  }
  return false;
}

bool ParseDavUrl(const std::string& text, DavUrl& out) {
  const std::size_t colon = text.find("://");
  if (colon == std::string::npos) return false;
  out.scheme = Lower(text.substr(0, colon));
  if (out.scheme != "http" && out.scheme != "https") return false;
  const std::size_t hostStart = colon + 3;
  const std::size_t slash = text.find('/', hostStart);
  out.authority = Lower(
      text.substr(hostStart, slash == std::string::npos ? std::string::npos : slash - hostStart));
  if (out.authority.empty() || out.authority.find('@') != std::string::npos) return false;
  for (const char c : out.authority) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == '?' || c == '#') return false;
  }
  out.path = slash == std::string::npos ? "/" : text.substr(slash);
  const std::size_t query = out.path.find_first_of("?#");
  if (query != std::string::npos) out.path.erase(query);
  // "http://host//cal/" names the same calendar as "/cal/", whose members
  // the server lists under "/cal/".
  for (std::size_t twice; (twice = out.path.find("//")) != std::string::npos;) {
    out.path.erase(twice, 1);
  }
  return !out.path.empty();
}

bool ResolveHref(const DavUrl& base, const std::string& href, DavUrl& out) {
  if (href.find("://") != std::string::npos) {
    if (!ParseDavUrl(href, out)) return false;
    return out.Origin() == base.Origin();
  }
  out = base;
  if (!href.empty() && href[0] == '/') {
    if (href.size() > 1 && href[1] == '/') return false;  // //host/path
    out.path = href;
  } else {
    out.path = base.path.substr(0, base.path.rfind('/') + 1) + href;
  }
  const std::size_t query = out.path.find_first_of("?#");
  if (query != std::string::npos) out.path.erase(query);
  return true;
}

std::string DecodedPath(const std::string& path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size() &&
        std::isxdigit(static_cast<unsigned char>(path[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(path[i + 2]))) {
      out += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += path[i];
    }
  }
  return out;
}

bool LocalHost(const DavUrl& url) {
  std::string host = url.authority;
  if (!host.empty() && host[0] == '[') {
    host = host.substr(0, host.find(']') + 1);
  } else {
    host = host.substr(0, host.find(':'));
  }
  return host == "localhost" || host == "[::1]" || host.compare(0, 4, "127.") == 0;
}

std::string XmlEscape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

DavAnswer DavClient::Send(const std::string& method, const DavUrl& url, HttpHeaders headers,
                          const std::string& body) {
  DavAnswer answer;
  DavUrl at = url;
  for (int hops = 0;; ++hops) {
    HttpRequest request{method, at.Text(), headers, body};
    ++requests_;
    answer.response = transport_.Send(request);
    answer.status = answer.response.status;
    const int s = answer.status;
    if (s == 0) {
      answer.failure = DavFailure::Unreachable;
      answer.message = "the server " + at.Origin() + " cannot be reached (" +
                       (answer.response.error.empty() ? "no answer" : answer.response.error) + ")";
      return answer;
    }
    if (s == 301 || s == 302 || s == 303 || s == 307 || s == 308) {
      DavUrl next;
      const std::string location = answer.response.Header("Location");
      if (hops >= 5 || location.empty() || !ResolveHref(at, location, next)) {
        answer.failure = DavFailure::Redirect;
        answer.message = "the server sent the request on to " +
                         (location.empty() ? std::string("nowhere") : "\"" + location + "\"") +
                         "; Lumetta follows redirects only within the same server";
        return answer;
      }
      at = next;
      continue;
    }
    if (s == 401 || s == 403) {
      answer.failure = DavFailure::Auth;
      answer.message =
          "the server refused the user name or password (" + FailureText(answer.response) + ")";
    } else if (s >= 500) {
      answer.failure = DavFailure::Server;
      answer.message = "the server failed (" + FailureText(answer.response) + ")";
    }
    return answer;
  }
}

DavAnswer DavClient::Multistatus(const std::string& method, const DavUrl& url, const char* depth,
                                 const std::string& body, DavMultistatus& out) {
  DavAnswer answer = Send(
      method, url, {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}}, body);
  if (answer.failure != DavFailure::None) return answer;
  if (answer.status != 207) return answer;  // the caller judges other statuses
  std::string error;
  if (!ParseMultistatus(answer.response.body, out, error)) {
    answer.failure = DavFailure::BadAnswer;
    answer.message = "the server's answer cannot be read: " + error;
  }
  return answer;
}

}  // namespace store
