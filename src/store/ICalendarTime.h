// Times of iCalendar files: DATE and DATE-TIME values (floating, UTC, or
// local to a TZID), durations, and the time zones a file defines in its
// VTIMEZONE components with their STANDARD and DAYLIGHT rules.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/ICalendarLines.h"
#include "store/Platform.h"

namespace store {

// A wall-clock time given as seconds since 1970-01-01 00:00 counted as if
// it were UTC (no zone applied).
using WallSeconds = std::int64_t;

struct IcsTime {
  enum class Form { Floating, Utc, Zoned, Date };
  Form form = Form::Floating;
  WallSeconds wall = 0;
  std::string tzid;  // Zoned only
};

WallSeconds WallOf(int year, int month, int day, int hour, int minute, int second);

// "20250314", "20250314T103000", "20250314T103000Z"; a TZID parameter
// makes a local time Zoned, VALUE=DATE or a bare date makes a Date.
bool ParseIcsTime(std::string_view value, const std::string* tzid, IcsTime& out);
bool ParseIcsTime(const IcsProperty& property, IcsTime& out);

// "-PT15M", "P1D", "-P1W", "PT1H30M": signed seconds.
bool ParseDuration(std::string_view value, std::int64_t& seconds);

// One VTIMEZONE: its changes of offset from DTSTART up to 2199, taken from
// the STANDARD and DAYLIGHT observances (DTSTART, RRULE, RDATE,
// TZOFFSETFROM, TZOFFSETTO).
class ZoneRules {
 public:
  // False when the component has no usable observance.
  bool Read(const IcsComponent& vtimezone);
  // The system's rules of a zone (SystemTimeZones); false when empty.
  bool Read(const std::vector<ZoneTransition>& transitions);
  // Seconds east of UTC in force at that wall-clock time of the zone.
  int OffsetAt(WallSeconds wall) const;
  // The same at a moment given as seconds since 1970 UTC.
  int OffsetAtUtc(std::int64_t utc) const;
  // The system's rules of the same zone, for the times the file's
  // definition does not cover: files often define a zone only from some
  // recent year on, or only the changes near their events.
  void SetSystem(const ZoneRules* system) { system_ = system; }

 private:
  struct Change {
    WallSeconds wall;  // the onset, as the clocks showed before it
    int offsetFrom;
    int offsetTo;
  };
  std::vector<Change> changes_;  // by onset
  const ZoneRules* system_ = nullptr;
  bool endless_ = true;  // a rule goes on after the last change taken
};

// The zones of one file by TZID: those it defines, and those it only
// names, found by their name among the system's zones.
class ZoneTable {
 public:
  // `system` may be null: then only the file's own zones are known.
  void Read(const IcsComponent& calendar, SystemTimeZones* system = nullptr);
  // nullptr when neither the file nor the system knows the zone.
  const ZoneRules* Find(const std::string& tzid) const;

 private:
  const ZoneRules* Resolve(const std::string& tzid) const;
  const ZoneRules* System(const std::string& tzid) const;

  std::map<std::string, ZoneRules> zones_;  // the file's, by tidied TZID
  SystemTimeZones* system_ = nullptr;
  mutable std::map<std::string, ZoneRules> systemZones_;   // by IANA name
  mutable std::map<std::string, const ZoneRules*> found_;  // by TZID as written
};

}  // namespace store
