#include "store/ZoneNames.h"

#include <algorithm>
#include <cstring>

namespace store {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

bool SafePart(std::string_view part) {
  if (part.empty() || part[0] == '.' || part[0] == '-') return false;
  return std::all_of(part.begin(), part.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '+' || c == '-';
  });
}

bool SafeName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (std::size_t start = 0;;) {
    const std::size_t slash = name.find('/', start);
    if (!SafePart(name.substr(start, slash - start))) return false;
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

}  // namespace

std::string IanaOfWindowsZone(std::string_view windowsName) {
  for (std::size_t i = 0; i < kWindowsZoneNameCount; ++i) {
    if (kWindowsZoneNames[i].primary && SameText(kWindowsZoneNames[i].windows, windowsName)) {
      return kWindowsZoneNames[i].iana;
    }
  }
  return std::string();
}

std::string WindowsZoneOfIana(std::string_view ianaName) {
  const WindowsZoneName* end = kWindowsZoneNames + kWindowsZoneNameCount;
  const WindowsZoneName* at = std::lower_bound(
      kWindowsZoneNames, end, ianaName, [](const WindowsZoneName& z, std::string_view name) {
        return std::strcmp(z.iana, std::string(name).c_str()) < 0;
      });
  return at != end && ianaName == at->iana ? at->windows : std::string();
}

std::string TidyZoneName(std::string_view tzid) {
  std::size_t first = 0;
  std::size_t last = tzid.size();
  auto stray = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  while (first < last && stray(tzid[first])) ++first;
  while (last > first &&
         (stray(tzid[last - 1]) || std::strchr(":;,.", tzid[last - 1]) != nullptr)) {
    --last;
  }
  return std::string(tzid.substr(first, last - first));
}

std::vector<std::string> IanaCandidates(std::string_view tzid) {
  std::vector<std::string> names;
  const std::string tidy = TidyZoneName(tzid);
  const std::string windows = IanaOfWindowsZone(tidy);
  if (!windows.empty()) names.push_back(windows);
  for (std::string_view rest = tidy; !rest.empty();) {
    if (SafeName(rest)) names.emplace_back(rest);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return names;
}

}  // namespace store
