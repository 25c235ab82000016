// The system's time zone rules read from the zone database's compiled
// files (TZif, RFC 8536), as POSIX systems keep them in /usr/share/zoneinfo.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Platform.h"

namespace store {

// The changes of a TZif file from 1970 to 2199 (past its listed changes, by
// the rule in its footer), as SystemTimeZones answers them; false when the
// bytes are not a TZif file.
bool ReadTzif(std::string_view bytes, std::vector<ZoneTransition>& out);

class TzifTimeZones : public SystemTimeZones {
 public:
  // `folder` ends with a separator ("/usr/share/zoneinfo/").
  TzifTimeZones(FileSystem& files, std::string folder)
      : files_(files), folder_(std::move(folder)) {}
  bool Transitions(const std::string& ianaName, std::vector<ZoneTransition>& out) override;

 private:
  FileSystem& files_;
  std::string folder_;
};

}  // namespace store
