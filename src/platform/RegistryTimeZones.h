// The system's time zone rules on Windows: the zones of the registry's
// "Time Zones" key (with their year-by-year "Dynamic DST" rules), asked for
// by IANA name through the CLDR table of Windows zone names.
#pragma once

#include <string>
#include <vector>

#include "store/Platform.h"

namespace platform {

class RegistryTimeZones : public store::SystemTimeZones {
 public:
  bool Transitions(const std::string& ianaName, std::vector<store::ZoneTransition>& out) override;
};

}  // namespace platform
