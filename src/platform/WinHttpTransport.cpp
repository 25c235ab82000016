#include "platform/WinHttpTransport.h"

#include <windows.h>
#include <winhttp.h>

#include "store/DavXml.h"

namespace platform {

namespace {

struct InternetCloser {
  void operator()(HINTERNET h) const { WinHttpCloseHandle(h); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

// What the user reads when there is no answer.
std::string Why(DWORD error) {
  switch (error) {
    case ERROR_WINHTTP_TIMEOUT:
      return "timed out";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "the host name is not known";
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "the connection was refused";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "the connection was cut off";
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
      return "the server's certificate is not valid";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
    case ERROR_WINHTTP_INVALID_URL:
      return "the address is not an http or https address";
    default:
      return "WinHTTP error " + std::to_string(error);
  }
}

class WinHttpTransport : public store::HttpTransport {
 public:
  WinHttpTransport(std::string user, std::string password)
      : user_(Wide(user)), password_(Wide(password)) {
    for (char& c : password) c = '\0';
    session_.reset(WinHttpOpen(L"Lumetta", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                               WINHTTP_NO_PROXY_BYPASS, 0));
    if (session_) WinHttpSetTimeouts(session_.get(), 0, 10000, 30000, 120000);
  }
  ~WinHttpTransport() override {
    // The password does not outlive the transport in memory.
    for (wchar_t& c : password_) c = L'\0';
  }
  WinHttpTransport(const WinHttpTransport&) = delete;
  WinHttpTransport& operator=(const WinHttpTransport&) = delete;

  store::HttpResponse Send(const store::HttpRequest& request) override {
    store::HttpResponse response;
    if (!session_) {
      response.error = "WinHTTP could not start";
      return response;
    }
    const std::wstring url = Wide(request.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
      response.error = "the address is not an http or https address";
      return response;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    std::wstring headers;
    for (const auto& [name, value] : request.headers) headers += Wide(name + ": " + value + "\r\n");
    // Credentials go with the first request to a host that has asked for them.
    if (host != host_ || parts.nPort != port_) scheme_ = 0;
    // A connection the server drops before its answer is complete (a kept-open
    // one it has closed meanwhile, or one it refused a body on while asking
    // for credentials): the request is sent once more on a new one. Changes
    // are sent conditionally, so a second copy of one is refused, not doubled.
    // The session keeps more than one open connection to a host, and the one
    // taken next may be closed as well: a few tries, not one.
    constexpr int kTries = 3;
    int retried = 0;
    for (int round = 0; round < kTries + 3; ++round) {
      if (!connection_ || host != host_ || parts.nPort != port_) {
        connection_.reset(WinHttpConnect(session_.get(), host.c_str(), parts.nPort, 0));
        host_ = host;
        port_ = parts.nPort;
        if (!connection_) {
          response.error = Why(GetLastError());
          return response;
        }
      }
      Internet handle(WinHttpOpenRequest(
          connection_.get(), Wide(request.method).c_str(), path.c_str(), nullptr,
          WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0));
      if (!handle) {
        response.error = Why(GetLastError());
        return response;
      }
      DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
      WinHttpSetOption(handle.get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never);
      DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
      WinHttpSetOption(handle.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects,
                       sizeof noRedirects);
      if (scheme_ != 0 && !WinHttpSetCredentials(handle.get(), WINHTTP_AUTH_TARGET_SERVER, scheme_,
                                                 user_.c_str(), password_.c_str(), nullptr)) {
        response.error = Why(GetLastError());
        return response;
      }
      const DWORD size = static_cast<DWORD>(request.body.size());
      if (!WinHttpSendRequest(handle.get(),
                              headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                              headers.empty() ? 0 : static_cast<DWORD>(-1),
                              const_cast<char*>(request.body.data()), size, size, 0) ||
          !WinHttpReceiveResponse(handle.get(), nullptr)) {
        const DWORD error = GetLastError();
        connection_.reset();
        if (retried < kTries && Dropped(error)) {
          ++retried;
          continue;
        }
        response.error = Why(error);
        return response;
      }
      DWORD status = 0;
      DWORD length = sizeof status;
      WinHttpQueryHeaders(handle.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &length, WINHTTP_NO_HEADER_INDEX);
      if (status == 401 && scheme_ == 0 && !user_.empty()) {
        scheme_ = Scheme(handle.get());
        if (scheme_ != 0) continue;
      }
      response.headers.clear();
      response.body.clear();
      ReadHeaders(handle.get(), response.headers);
      if (!ReadBody(handle.get(), response)) {
        connection_.reset();
        if (retried < kTries && response.error.empty()) {
          ++retried;
          continue;
        }
        if (response.error.empty()) response.error = "the connection was cut off";
        response.body.clear();
        return response;
      }
      response.status = static_cast<int>(status);
      return response;
    }
    return response;
  }

 private:
  static bool Dropped(DWORD error) {
    constexpr DWORD kReset = 10054, kAborted = 10053;  // WSAECONNRESET, WSAECONNABORTED
    return error == ERROR_WINHTTP_CONNECTION_ERROR || error == kReset || error == kAborted;
  }

  // Digest where the server offers it, else Basic; 0 when neither.
  static DWORD Scheme(HINTERNET request) {
    DWORD supported = 0, first = 0, target = 0;
    if (!WinHttpQueryAuthSchemes(request, &supported, &first, &target)) return 0;
    if (supported & WINHTTP_AUTH_SCHEME_DIGEST) return WINHTTP_AUTH_SCHEME_DIGEST;
    if (supported & WINHTTP_AUTH_SCHEME_BASIC) return WINHTTP_AUTH_SCHEME_BASIC;
    return 0;
  }

  static void ReadHeaders(HINTERNET request, store::HttpHeaders& out) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &bytes, WINHTTP_NO_HEADER_INDEX);
    if (bytes == 0) return;
    std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                             raw.data(), &bytes, WINHTTP_NO_HEADER_INDEX)) {
      return;
    }
    raw.resize(bytes / sizeof(wchar_t));
    const std::string text = Narrow(raw);
    for (std::size_t at = 0; at < text.size();) {
      std::size_t end = text.find("\r\n", at);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(at, end - at);
      at = end + 2;
      const std::size_t colon = line.find(':');
      if (colon == std::string::npos || line.compare(0, 5, "HTTP/") == 0) continue;
      std::size_t v = colon + 1;
      while (v < line.size() && (line[v] == ' ' || line[v] == '\t')) ++v;
      out.emplace_back(line.substr(0, colon), line.substr(v));
    }
  }

  static bool ReadBody(HINTERNET request, store::HttpResponse& response) {
    char buffer[65536];
    for (;;) {
      DWORD got = 0;
      if (!WinHttpReadData(request, buffer, sizeof buffer, &got)) {
        // Left empty where the connection dropped: the caller tries again.
        const DWORD error = GetLastError();
        if (!Dropped(error)) response.error = Why(error);
        return false;
      }
      if (got == 0) return true;
      if (response.body.size() + got > store::kMaxDavAnswerBytes) {
        response.error = "the answer is larger than any calendar";
        return false;
      }
      response.body.append(buffer, got);
    }
  }

  std::wstring user_;
  std::wstring password_;
  Internet session_;
  Internet connection_;
  std::wstring host_;
  INTERNET_PORT port_ = 0;
  DWORD scheme_ = 0;  // the scheme that host asked for; 0 until it asks
};

}  // namespace

std::unique_ptr<store::HttpTransport> MakeWinHttpTransport(const std::string& user,
                                                           const std::string& password) {
  return std::make_unique<WinHttpTransport>(user, password);
}

}  // namespace platform
