#include "store/ICalendarTime.h"

#include <algorithm>
#include <cctype>

#include "store/CivilDate.h"
#include "store/ICalendarRecurrence.h"
#include "store/ZoneNames.h"

namespace store {

namespace {

// The last day whose onsets are taken from a zone's rules; later times keep
// the offset of the last change.
const std::int64_t kLastZoneDay = DayNumber(2199, 12, 31);
// Changes taken from one observance at most (a yearly rule makes ~70).
constexpr std::size_t kMaxChangesPerObservance = 2000;

bool Digits(std::string_view s, std::size_t at, std::size_t n, int& out) {
  if (at + n > s.size()) return false;
  out = 0;
  for (std::size_t i = at; i < at + n; ++i) {
    if (std::isdigit(static_cast<unsigned char>(s[i])) == 0) return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

// "+0100", "-0500", "+053000": seconds east of UTC.
bool ParseOffset(std::string_view s, int& out) {
  if (s.size() != 5 && s.size() != 7) return false;
  if (s[0] != '+' && s[0] != '-') return false;
  int h = 0, m = 0, sec = 0;
  if (!Digits(s, 1, 2, h) || !Digits(s, 3, 2, m) || (s.size() == 7 && !Digits(s, 5, 2, sec))) {
    return false;
  }
  if (h > 23 || m > 59 || sec > 59) return false;
  out = (h * 3600 + m * 60 + sec) * (s[0] == '-' ? -1 : 1);
  return true;
}

}  // namespace

WallSeconds WallOf(int year, int month, int day, int hour, int minute, int second) {
  return DayNumber(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

bool ParseIcsTime(std::string_view value, const std::string* tzid, IcsTime& out) {
  int year = 0, month = 0, day = 0;
  if (!Digits(value, 0, 4, year) || !Digits(value, 4, 2, month) || !Digits(value, 6, 2, day)) {
    return false;
  }
  if (month < 1 || month > 12 || day < 1 || day > GregorianDaysInMonth(year, month)) return false;
  if (value.size() == 8) {
    out.form = IcsTime::Form::Date;
    out.wall = WallOf(year, month, day, 0, 0, 0);
    out.tzid.clear();
    return true;
  }
  int hour = 0, minute = 0, second = 0;
  if (value.size() < 15 || value[8] != 'T' || !Digits(value, 9, 2, hour) ||
      !Digits(value, 11, 2, minute) || !Digits(value, 13, 2, second)) {
    return false;
  }
  // Second 60 is a leap second.
  if (hour > 23 || minute > 59 || second > 60) return false;
  out.wall = WallOf(year, month, day, hour, minute, second);
  out.tzid.clear();
  if (value.size() == 16 && (value[15] == 'Z' || value[15] == 'z')) {
    out.form = IcsTime::Form::Utc;
  } else if (value.size() == 15) {
    out.form = tzid != nullptr && !tzid->empty() ? IcsTime::Form::Zoned : IcsTime::Form::Floating;
    if (out.form == IcsTime::Form::Zoned) out.tzid = *tzid;
  } else {
    return false;
  }
  return true;
}

bool ParseIcsTime(const IcsProperty& property, IcsTime& out) {
  const std::string* valueType = property.Param("VALUE");
  if (!ParseIcsTime(property.value, property.Param("TZID"), out)) return false;
  // VALUE=DATE with a date-time, or VALUE=DATE-TIME with a date: not a time.
  if (valueType != nullptr && (*valueType == "DATE") != (out.form == IcsTime::Form::Date)) {
    return false;
  }
  return true;
}

bool ParseDuration(std::string_view value, std::int64_t& seconds) {
  std::size_t at = 0;
  int sign = 1;
  if (at < value.size() && (value[at] == '+' || value[at] == '-')) {
    sign = value[at] == '-' ? -1 : 1;
    ++at;
  }
  if (at >= value.size() || value[at] != 'P') return false;
  ++at;
  bool inTime = false;
  bool any = false;
  std::int64_t total = 0;
  while (at < value.size()) {
    if (value[at] == 'T') {
      inTime = true;
      ++at;
      continue;
    }
    std::int64_t n = 0;
    std::size_t digits = 0;
    while (at < value.size() && std::isdigit(static_cast<unsigned char>(value[at])) != 0) {
      if (++digits > 9) return false;
      n = n * 10 + (value[at++] - '0');
    }
    if (digits == 0 || at >= value.size()) return false;
    const char unit = value[at++];
    if (!inTime && unit == 'W')
      total += n * 7 * 86400;
    else if (!inTime && unit == 'D')
      total += n * 86400;
    else if (inTime && unit == 'H')
      total += n * 3600;
    else if (inTime && unit == 'M')
      total += n * 60;
    else if (inTime && unit == 'S')
      total += n;
    else
      return false;
    any = true;
  }
  if (!any) return false;
  seconds = sign * total;
  return true;
}

bool ZoneRules::Read(const IcsComponent& vtimezone) {
  changes_.clear();
  endless_ = false;
  for (const IcsComponent& observance : vtimezone.children) {
    if (observance.name != "STANDARD" && observance.name != "DAYLIGHT") continue;
    const IcsProperty* start = observance.Find("DTSTART");
    const IcsProperty* from = observance.Find("TZOFFSETFROM");
    const IcsProperty* to = observance.Find("TZOFFSETTO");
    IcsTime onset;
    Change change{};
    if (start == nullptr || from == nullptr || to == nullptr ||
        !ParseIcsTime(start->value, nullptr, onset) ||
        !ParseOffset(from->value, change.offsetFrom) || !ParseOffset(to->value, change.offsetTo)) {
      continue;
    }
    const WallSeconds timeOfDay = ((onset.wall % 86400) + 86400) % 86400;
    const std::int64_t firstDay = (onset.wall - timeOfDay) / 86400;
    std::size_t taken = 0;
    auto add = [&](WallSeconds wall) {
      change.wall = wall;
      changes_.push_back(change);
      return ++taken < kMaxChangesPerObservance;
    };
    RecurrenceRule rule;
    const IcsProperty* rrule = observance.Find("RRULE");
    if (rrule != nullptr && ParseRecurrenceRule(rrule->value, rule) != RuleParse::Invalid) {
      if (rule.until.empty() && rule.count == 0) endless_ = true;
      // UNTIL of an observance is given in UTC (or as local wall time).
      IcsTime until;
      const bool bounded = !rule.until.empty() && ParseIcsTime(rule.until, nullptr, until);
      int made = 0;
      ExpandRecurrence(rule, DateOfDayNumber(firstDay), kLastZoneDay, [&](const CivilDate& d) {
        const WallSeconds wall = WallOf(d.year, d.month, d.day, 0, 0, 0) + timeOfDay;
        if (bounded) {
          const WallSeconds limit =
              until.form == IcsTime::Form::Utc ? until.wall + change.offsetFrom : until.wall;
          if (wall > limit) return false;
        }
        if (rule.count > 0 && made >= rule.count) return false;
        ++made;
        return add(wall);
      });
    } else {
      add(onset.wall);
    }
    for (const IcsProperty& p : observance.properties) {
      if (!p.Is("RDATE")) continue;
      for (const std::string& item : SplitEscaped(p.value, ',')) {
        IcsTime t;
        if (ParseIcsTime(item, nullptr, t) && taken < kMaxChangesPerObservance) {
          add(t.form == IcsTime::Form::Date ? t.wall + timeOfDay : t.wall);
        }
      }
    }
  }
  std::sort(changes_.begin(), changes_.end(),
            [](const Change& a, const Change& b) { return a.wall < b.wall; });
  return !changes_.empty();
}

int ZoneRules::OffsetAt(WallSeconds wall) const {
  // The last change whose onset the clocks have reached; before the first
  // one, the offset it changed from (or the earlier rules').
  auto after = std::upper_bound(changes_.begin(), changes_.end(), wall,
                                [](WallSeconds w, const Change& c) { return w < c.wall; });
  if (system_ != nullptr && (after == changes_.begin() || (after == changes_.end() && !endless_))) {
    return system_->OffsetAt(wall);
  }
  if (after == changes_.begin()) return changes_.empty() ? 0 : changes_.front().offsetFrom;
  return std::prev(after)->offsetTo;
}

bool ZoneRules::Read(const std::vector<ZoneTransition>& transitions) {
  changes_.clear();
  for (const ZoneTransition& t : transitions) {
    changes_.push_back({t.utc + t.offsetFrom, t.offsetFrom, t.offsetTo});
  }
  std::sort(changes_.begin(), changes_.end(),
            [](const Change& a, const Change& b) { return a.wall < b.wall; });
  return !changes_.empty();
}

int ZoneRules::OffsetAtUtc(std::int64_t utc) const {
  auto after =
      std::upper_bound(changes_.begin(), changes_.end(), utc,
                       [](std::int64_t u, const Change& c) { return u < c.wall - c.offsetFrom; });
  if (system_ != nullptr && (after == changes_.begin() || (after == changes_.end() && !endless_))) {
    return system_->OffsetAtUtc(utc);
  }
  if (after == changes_.begin()) return changes_.empty() ? 0 : changes_.front().offsetFrom;
  return std::prev(after)->offsetTo;
}

void ZoneTable::Read(const IcsComponent& calendar, SystemTimeZones* system) {
  system_ = system;
  for (const IcsComponent& c : calendar.children) {
    if (!c.Is("VTIMEZONE")) continue;
    const IcsProperty* id = c.Find("TZID");
    ZoneRules rules;
    if (id == nullptr || !rules.Read(c)) continue;
    // Where the system knows the zone by that name, its rules cover the
    // years before the file's first onset.
    rules.SetSystem(System(id->value));
    zones_[TidyZoneName(id->value)] = std::move(rules);
  }
}

const ZoneRules* ZoneTable::Find(const std::string& tzid) const {
  auto known = found_.find(tzid);
  if (known != found_.end()) return known->second;
  const ZoneRules* rules = Resolve(tzid);
  found_.emplace(tzid, rules);
  return rules;
}

const ZoneRules* ZoneTable::Resolve(const std::string& tzid) const {
  // The file's own definition first, even where the name is also a system zone's.
  auto own = zones_.find(TidyZoneName(tzid));
  if (own != zones_.end()) return &own->second;
  return System(tzid);
}

const ZoneRules* ZoneTable::System(const std::string& tzid) const {
  if (system_ == nullptr) return nullptr;
  for (const std::string& name : IanaCandidates(tzid)) {
    auto cached = systemZones_.find(name);
    if (cached != systemZones_.end()) return &cached->second;
    std::vector<ZoneTransition> transitions;
    ZoneRules rules;
    if (system_->Transitions(name, transitions) && rules.Read(transitions)) {
      return &systemZones_.emplace(name, std::move(rules)).first->second;
    }
  }
  return nullptr;
}

}  // namespace store
