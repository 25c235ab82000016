#include "platform/RegistryTimeZones.h"

#include <windows.h>

#include <map>

#include "store/CivilDate.h"
#include "store/ZoneNames.h"

namespace platform {

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2199;

constexpr const char* kZonesKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\";

// The layout of the "TZI" values.
struct RegistryTzi {
  LONG bias;
  LONG standardBias;
  LONG daylightBias;
  SYSTEMTIME standardDate;
  SYSTEMTIME daylightDate;
};

class Key {
 public:
  Key(HKEY parent, const std::string& name) {
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY Get() const { return key_; }

  template <typename T>
  bool Read(const char* name, T& value) const {
    DWORD size = sizeof value;
    DWORD type = 0;
    return key_ != nullptr &&
           RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           size == sizeof value;
  }

 private:
  HKEY key_ = nullptr;
};

// The local time, as seconds since 1970 counted as if UTC, at which a
// rule of the zone takes effect in `year`: the n-th (5: last) weekday of
// a month, or a fixed date when the rule names its year.
std::int64_t WallOfRule(const SYSTEMTIME& rule, int year) {
  std::int64_t day = 0;
  if (rule.wYear != 0) {
    day = store::DayNumber(year, rule.wMonth, rule.wDay);
  } else {
    const std::int64_t first = store::DayNumber(year, rule.wMonth, 1);
    day =
        first + (rule.wDayOfWeek - store::WeekdayOfDayNumber(first) + 7) % 7 + 7 * (rule.wDay - 1);
    while (store::DateOfDayNumber(day).month != rule.wMonth) day -= 7;
  }
  return day * 86400 + rule.wHour * 3600 + rule.wMinute * 60 + rule.wSecond;
}

}  // namespace

bool RegistryTimeZones::Transitions(const std::string& ianaName,
                                    std::vector<store::ZoneTransition>& out) {
  const std::string windows = store::WindowsZoneOfIana(ianaName);
  if (windows.empty()) return false;
  const Key zone(HKEY_LOCAL_MACHINE, kZonesKey + windows);
  RegistryTzi base{};
  if (!zone.Read("TZI", base)) return false;
  // Years whose rules differ from the zone's present ones.
  std::map<int, RegistryTzi> years;
  const Key dynamic(zone.Get(), "Dynamic DST");
  DWORD first = 0, last = 0;
  if (dynamic.Read("FirstEntry", first) && dynamic.Read("LastEntry", last) && first <= last &&
      last - first < 500) {
    for (DWORD y = first; y <= last; ++y) {
      RegistryTzi tzi{};
      if (dynamic.Read(std::to_string(y).c_str(), tzi)) years[static_cast<int>(y)] = tzi;
    }
  }
  auto rulesOf = [&](int year) -> const RegistryTzi& {
    if (years.empty()) return base;
    auto at = years.upper_bound(year);
    return at == years.begin() ? at->second : std::prev(at)->second;
  };
  out.clear();
  int offset = 0;
  auto change = [&](std::int64_t utc, int to) {
    if (out.empty()) {
      out.push_back({utc, to, to});
    } else if (to != offset) {
      out.push_back({utc, offset, to});
    }
    offset = to;
  };
  // Windows applies a zone's rules to every year (the first listed year's
  // before it, the last one's after it), and so do the program's own
  // conversions: the changes run over the whole calendar up to the last
  // year the zone code reads.
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    const RegistryTzi& r = rulesOf(year);
    const int standard = -(r.bias + r.standardBias) * 60;
    const int daylight = -(r.bias + r.daylightBias) * 60;
    const std::int64_t newYear = store::DayNumber(year, 1, 1) * 86400;
    if (r.daylightDate.wMonth == 0 || r.standardDate.wMonth == 0) {
      change(newYear - standard, standard);
      continue;
    }
    const std::int64_t toDaylight = WallOfRule(r.daylightDate, year) - standard;
    const std::int64_t toStandard = WallOfRule(r.standardDate, year) - daylight;
    // South of the equator the year begins in summer time.
    const bool southern = toStandard < toDaylight;
    change(newYear - (southern ? daylight : standard), southern ? daylight : standard);
    if (southern) {
      change(toStandard, standard);
      change(toDaylight, daylight);
    } else {
      change(toDaylight, daylight);
      change(toStandard, standard);
    }
  }
  return true;
}

}  // namespace platform
