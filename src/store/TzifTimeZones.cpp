#include "store/TzifTimeZones.h"

#include <algorithm>
#include <cctype>

#include "store/CivilDate.h"

namespace store {

namespace {

// No zone file comes near this; anything larger is not one.
constexpr std::size_t kMaxTzifBytes = 1 << 20;
// Changes are given up to the year the rest of the zone code stops at (the
// files' own rule carries a zone on past its last listed change).
constexpr int kLastYear = 2199;
const std::int64_t kEndUtc = DayNumber(kLastYear + 1, 1, 1) * 86400;

std::int64_t BigEndian(std::string_view b, std::size_t at, std::size_t size) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  if (size == 4) return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  return static_cast<std::int64_t>(v);
}

struct Counts {
  std::size_t isut, isstd, leap, time, type, chars;
  std::size_t Block(std::size_t timeSize) const {
    return time * timeSize + time + type * 6 + chars + leap * (timeSize + 4) + isstd + isut;
  }
};

bool Header(std::string_view b, std::size_t at, Counts& c) {
  if (b.size() < at + 44 || b.substr(at, 4) != "TZif") return false;
  std::size_t* fields[] = {&c.isut, &c.isstd, &c.leap, &c.time, &c.type, &c.chars};
  for (std::size_t i = 0; i < 6; ++i) {
    const std::int64_t v = BigEndian(b, at + 20 + 4 * i, 4);
    if (v < 0 || v > static_cast<std::int64_t>(kMaxTzifBytes)) return false;
    *fields[i] = static_cast<std::size_t>(v);
  }
  return c.type > 0;
}

// The rule in a TZif file's footer, a POSIX TZ string such as
// "CET-1CEST,M3.5.0,M10.5.0/3": standard and daylight offsets (east of UTC
// positive here) and the days and local times daylight saving starts and ends.
struct PosixRule {
  struct Day {
    char kind = 'M';  // 'M' month.week.weekday, 'J' 1..365 without Feb 29, 'N' 0..365
    int month = 0, week = 0, number = 0;
  };
  int standard = 0;
  bool daylight = false;
  int saving = 0;
  Day start, end;
  int startTime = 7200, endTime = 7200;  // local seconds
};

class RuleText {
 public:
  explicit RuleText(std::string_view t) : t_(t) {}
  bool Done() const { return at_ == t_.size(); }
  bool Take(char c) {
    if (at_ < t_.size() && t_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Name() {  // "CET", or "<+0330>" for a name with digits
    const std::size_t from = at_;
    if (Take('<')) {
      while (at_ < t_.size() && t_[at_] != '>') ++at_;
      return Take('>') && at_ - from > 2;
    }
    while (at_ < t_.size() && std::isalpha(static_cast<unsigned char>(t_[at_])) != 0) ++at_;
    return at_ - from >= 3;
  }
  bool Number(int& n, int most) {
    const std::size_t from = at_;
    n = 0;
    while (at_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[at_])) != 0 &&
           at_ - from < 3) {
      n = n * 10 + (t_[at_++] - '0');
    }
    return at_ > from && n <= most;
  }
  bool Time(int& seconds, int mostHours) {  // [+-]hh[:mm[:ss]]
    const bool negative = Take('-');
    if (!negative) Take('+');
    int h = 0, m = 0, sec = 0;
    if (!Number(h, mostHours)) return false;
    if (Take(':') && !Number(m, 59)) return false;
    if (m > 0 && Take(':') && !Number(sec, 59)) return false;
    seconds = (negative ? -1 : 1) * (h * 3600 + m * 60 + sec);
    return true;
  }
  bool Day(PosixRule::Day& d, int& time) {
    if (Take('M')) {
      d.kind = 'M';
      if (!Number(d.month, 12) || d.month < 1 || !Take('.') || !Number(d.week, 5) || d.week < 1 ||
          !Take('.') || !Number(d.number, 6)) {
        return false;
      }
    } else {
      d.kind = Take('J') ? 'J' : 'N';
      if (!Number(d.number, 365) || (d.kind == 'J' && d.number < 1)) return false;
    }
    return !Take('/') || Time(time, 167);
  }

 private:
  std::string_view t_;
  std::size_t at_ = 0;
};

bool ParsePosixRule(std::string_view text, PosixRule& rule) {
  RuleText t(text);
  int west = 0;
  if (!t.Name() || !t.Time(west, 24)) return false;
  rule.standard = -west;
  if (t.Done()) return true;
  if (!t.Name()) return false;
  rule.daylight = true;
  rule.saving = rule.standard + 3600;
  if (!t.Done() && !t.Take(',')) {
    if (!t.Time(west, 24)) return false;
    rule.saving = -west;
    if (!t.Take(',')) return false;
  } else if (t.Done()) {
    return false;  // daylight saving without the days it runs
  }
  return t.Day(rule.start, rule.startTime) && t.Take(',') && t.Day(rule.end, rule.endTime) &&
         t.Done();
}

std::int64_t DayOfRule(const PosixRule::Day& d, int year) {
  const std::int64_t first = DayNumber(year, 1, 1);
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (d.kind == 'J') return first + d.number - 1 + (leap && d.number >= 60 ? 1 : 0);
  if (d.kind == 'N') return first + d.number;
  const std::int64_t monthStart = DayNumber(year, d.month, 1);
  const std::int64_t nextMonth = DayNumber(year, d.month + 1, 1);
  std::int64_t day =
      monthStart + (d.number - WeekdayOfDayNumber(monthStart) + 7) % 7 + 7 * (d.week - 1);
  while (day >= nextMonth) day -= 7;  // week 5: the last such weekday
  return day;
}

// Adds the changes the rule makes after the last listed one, to kLastYear.
void ExtendByRule(const PosixRule& rule, std::vector<ZoneTransition>& out) {
  if (!rule.daylight || out.empty()) return;
  const std::int64_t after = out.back().utc;
  int offset = out.back().offsetTo;
  const int firstYear = std::max(1970, DateOfDayNumber(after / 86400).year);
  for (int year = firstYear; year <= kLastYear; ++year) {
    ZoneTransition pair[2] = {
        {DayOfRule(rule.start, year) * 86400 + rule.startTime - rule.standard, 0, rule.saving},
        {DayOfRule(rule.end, year) * 86400 + rule.endTime - rule.saving, 0, rule.standard}};
    if (pair[1].utc < pair[0].utc) std::swap(pair[0], pair[1]);  // the southern half
    for (ZoneTransition& change : pair) {
      if (change.utc <= after || change.offsetTo == offset) continue;
      change.offsetFrom = offset;
      out.push_back(change);
      offset = change.offsetTo;
    }
  }
}

}  // namespace

bool ReadTzif(std::string_view b, std::vector<ZoneTransition>& out) {
  Counts c{};
  if (!Header(b, 0, c)) return false;
  std::size_t at = 44;
  std::size_t timeSize = 4;
  if (b[4] >= '2') {  // the 64-bit data follow the 32-bit data
    at += c.Block(4);
    if (!Header(b, at, c)) return false;
    at += 44;
    timeSize = 8;
  }
  if (b.size() < at + c.Block(timeSize)) return false;
  const std::size_t indices = at + c.time * timeSize;
  const std::size_t types = indices + c.time;
  auto offsetOf = [&](std::size_t type) {
    return static_cast<int>(BigEndian(b, types + 6 * type, 4));
  };
  out.clear();
  int offset = offsetOf(0);  // before the first change
  bool started = false;
  for (std::size_t i = 0; i < c.time; ++i) {
    const std::int64_t utc = BigEndian(b, at + i * timeSize, timeSize);
    const std::size_t type = static_cast<unsigned char>(b[indices + i]);
    if (type >= c.type) return false;
    if (utc >= kEndUtc) break;
    if (utc >= 0 && !started) {
      out.push_back({0, offset, offset});
      started = true;
    }
    const int to = offsetOf(type);
    if (started && to != offset) out.push_back({utc, offset, to});
    offset = to;
  }
  if (!started) out.push_back({0, offset, offset});
  // Files of version 2 on end with the rule for the years after their list.
  const std::size_t footer = at + c.Block(timeSize);
  if (timeSize == 8 && footer < b.size() && b[footer] == '\n') {
    const std::size_t close = b.find('\n', footer + 1);
    PosixRule rule;
    if (close != std::string_view::npos &&
        ParsePosixRule(b.substr(footer + 1, close - footer - 1), rule)) {
      ExtendByRule(rule, out);
    }
  }
  return true;
}

bool TzifTimeZones::Transitions(const std::string& ianaName, std::vector<ZoneTransition>& out) {
  const std::unique_ptr<InputFile> in = files_.OpenRead(folder_ + ianaName);
  if (!in) return false;
  std::string bytes;
  char buffer[8192];
  for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, n);
    if (bytes.size() > kMaxTzifBytes) return false;
  }
  return !in->Failed() && ReadTzif(bytes, out);
}

}  // namespace store
