// Names of time zones as iCalendar files write them in TZID: IANA names,
// Windows zone names, and either with a vendor's prefix or stray
// punctuation ("/mozilla.org/20050126_1/Europe/Berlin", "Pacific Standard
// Time:").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// The names are held in place, not pointed to: a table of pointers would be
// relocated, page by page, at every start of every program that links it.
struct WindowsZoneName {
  char iana[33];
  char windows[33];
  bool primary;  // the IANA name the table gives for the Windows name itself
};
// By IANA name (WindowsZoneTable.cpp).
extern const WindowsZoneName kWindowsZoneNames[];
extern const std::size_t kWindowsZoneNameCount;

// The IANA name of a Windows zone name (any case), or "".
std::string IanaOfWindowsZone(std::string_view windowsName);
// The Windows zone name of an IANA name, or "".
std::string WindowsZoneOfIana(std::string_view ianaName);

// The name without quotes, spaces and trailing punctuation (":;,.").
std::string TidyZoneName(std::string_view tzid);

// The IANA names a TZID may stand for, best first: the tidied name, a
// Windows name's IANA name, then the name with its leading parts taken
// away one at a time. Only names safe to look up as files are answered
// (letters, digits and "_+-", parts joined by "/", none starting with ".").
std::vector<std::string> IanaCandidates(std::string_view tzid);

}  // namespace store
