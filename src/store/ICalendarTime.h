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

// One VTIMEZONE: its changes of offset from DTSTART up to 2038, taken from
// the STANDARD and DAYLIGHT observances (DTSTART, RRULE, RDATE,
// TZOFFSETFROM, TZOFFSETTO).
class ZoneRules {
 public:
  // False when the component has no usable observance.
  bool Read(const IcsComponent& vtimezone);
  // Seconds east of UTC in force at that wall-clock time of the zone.
  int OffsetAt(WallSeconds wall) const;

 private:
  struct Change {
    WallSeconds wall;  // the onset, as the clocks showed before it
    int offsetFrom;
    int offsetTo;
  };
  std::vector<Change> changes_;  // by onset
};

// The zones of one file by TZID.
class ZoneTable {
 public:
  void Read(const IcsComponent& calendar);
  const ZoneRules* Find(const std::string& tzid) const;

 private:
  std::map<std::string, ZoneRules> zones_;
};

}  // namespace store
