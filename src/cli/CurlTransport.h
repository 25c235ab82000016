#pragma once
// HTTP for the CalDAV sync of the native lumetta-cli, with libcurl: one
// connection kept open across requests, certificates verified, redirects
// never followed here (the sync decides), answers cut off above the sync's
// limit, and the user's credentials sent only to the host of each request
// (Basic or Digest, as the server asks).

#include <memory>
#include <string>

#include "store/HttpTransport.h"

namespace cli {

std::unique_ptr<store::HttpTransport> MakeCurlTransport(const std::string& user,
                                                        const std::string& password);

}  // namespace cli
