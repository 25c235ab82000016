#pragma once
// HTTP for the CalDAV sync on Windows, with WinHTTP: one session and one
// connection per host kept across requests, certificates verified, redirects
// never followed here (the sync decides), answers cut off above the sync's
// limit, and the credentials given only when the request's host asks for
// them (Basic or Digest).

#include <memory>
#include <string>

#include "store/HttpTransport.h"

namespace platform {

std::unique_ptr<store::HttpTransport> MakeWinHttpTransport(const std::string& user,
                                                           const std::string& password);

}  // namespace platform
