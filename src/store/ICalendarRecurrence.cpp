#include "store/ICalendarRecurrence.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace store {

namespace {

// An integer with an optional sign, wholly digits otherwise.
bool ReadInt(std::string_view s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  std::size_t at = (s[0] == '+' || s[0] == '-') ? 1 : 0;
  if (at == s.size()) return false;
  long v = 0;
  for (std::size_t i = at; i < s.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(s[i])) == 0) return false;
    v = v * 10 + (s[i] - '0');
  }
  out = static_cast<int>(s[0] == '-' ? -v : v);
  return true;
}

int WeekdayCode(std::string_view s) {
  static const char* const kCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  for (int i = 0; i < 7; ++i) {
    if (s == kCodes[i]) return i;
  }
  return -1;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// The days of one month that the BYDAY / BYMONTHDAY parts pick, in order;
// without either, the start's day of month (when the month has it).
std::vector<int> DaysOfMonth(const RecurrenceRule& rule, int year, int month, int startDay) {
  const int length = GregorianDaysInMonth(year, month);
  std::vector<bool> picked(32, false);
  if (rule.byMonthDay.empty() && rule.byDay.empty()) {
    if (startDay <= length) picked[startDay] = true;
  } else {
    std::vector<bool> byMonthDay(32, rule.byMonthDay.empty());
    for (const int d : rule.byMonthDay) {
      const int day = d > 0 ? d : length + 1 + d;
      if (day >= 1 && day <= length) byMonthDay[day] = true;
    }
    std::vector<bool> byDay(32, rule.byDay.empty());
    const int firstWeekday = WeekdayOfDayNumber(DayNumber(year, month, 1));
    for (const auto& [ordinal, weekday] : rule.byDay) {
      const int first = 1 + (weekday - firstWeekday + 7) % 7;
      if (ordinal == 0) {
        for (int day = first; day <= length; day += 7) byDay[day] = true;
      } else if (ordinal > 0) {
        const int day = first + 7 * (ordinal - 1);
        if (day <= length) byDay[day] = true;
      } else {
        const int last = first + 7 * ((length - first) / 7);
        const int day = last + 7 * (ordinal + 1);
        if (day >= 1) byDay[day] = true;
      }
    }
    for (int day = 1; day <= length; ++day) picked[day] = byMonthDay[day] && byDay[day];
  }
  std::vector<int> days;
  for (int day = 1; day <= length; ++day) {
    if (picked[day]) days.push_back(day);
  }
  return days;
}

bool MonthAllowed(const RecurrenceRule& rule, int month) {
  return rule.byMonth.empty() ||
         std::find(rule.byMonth.begin(), rule.byMonth.end(), month) != rule.byMonth.end();
}

bool WeekdayAllowed(const RecurrenceRule& rule, int weekday) {
  if (rule.byDay.empty()) return true;
  for (const auto& d : rule.byDay) {
    if (d.second == weekday) return true;
  }
  return false;
}

bool MonthDayAllowed(const RecurrenceRule& rule, const CivilDate& date) {
  if (rule.byMonthDay.empty()) return true;
  const int length = GregorianDaysInMonth(date.year, date.month);
  for (const int d : rule.byMonthDay) {
    if ((d > 0 ? d : length + 1 + d) == date.day) return true;
  }
  return false;
}

}  // namespace

int GregorianDaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return month >= 1 && month <= 12 ? kDays[month - 1] : 30;
}

RuleParse ParseRecurrenceRule(std::string_view value, RecurrenceRule& out) {
  out = RecurrenceRule();
  bool haveFrequency = false;
  RuleParse result = RuleParse::Ok;
  for (const std::string_view part : Split(value, ';')) {
    if (part.empty()) continue;
    const std::size_t eq = part.find('=');
    if (eq == std::string_view::npos) return RuleParse::Invalid;
    std::string name(part.substr(0, eq));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string text(part.substr(eq + 1));
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string_view v = text;
    if (name == "FREQ") {
      haveFrequency = true;
      if (v == "DAILY")
        out.frequency = RecurrenceRule::Frequency::Daily;
      else if (v == "WEEKLY")
        out.frequency = RecurrenceRule::Frequency::Weekly;
      else if (v == "MONTHLY")
        out.frequency = RecurrenceRule::Frequency::Monthly;
      else if (v == "YEARLY")
        out.frequency = RecurrenceRule::Frequency::Yearly;
      else
        result = RuleParse::Unsupported;
    } else if (name == "INTERVAL") {
      if (!ReadInt(v, out.interval) || out.interval < 1) return RuleParse::Invalid;
    } else if (name == "COUNT") {
      if (!ReadInt(v, out.count) || out.count < 1) return RuleParse::Invalid;
    } else if (name == "UNTIL") {
      out.until = text;
    } else if (name == "WKST") {
      out.weekStart = WeekdayCode(v);
      if (out.weekStart < 0) return RuleParse::Invalid;
    } else if (name == "BYDAY") {
      for (const std::string_view d : Split(v, ',')) {
        if (d.size() < 2) return RuleParse::Invalid;
        const int weekday = WeekdayCode(d.substr(d.size() - 2));
        int ordinal = 0;
        if (weekday < 0 || (d.size() > 2 && !ReadInt(d.substr(0, d.size() - 2), ordinal)) ||
            ordinal < -53 || ordinal > 53) {
          return RuleParse::Invalid;
        }
        out.byDay.emplace_back(ordinal, weekday);
      }
    } else if (name == "BYMONTHDAY") {
      for (const std::string_view d : Split(v, ',')) {
        int day = 0;
        if (!ReadInt(d, day) || day == 0 || day < -31 || day > 31) return RuleParse::Invalid;
        out.byMonthDay.push_back(day);
      }
    } else if (name == "BYMONTH") {
      for (const std::string_view d : Split(v, ',')) {
        int month = 0;
        if (!ReadInt(d, month) || month < 1 || month > 12) return RuleParse::Invalid;
        out.byMonth.push_back(month);
      }
    } else {
      // BYSETPOS, BYWEEKNO, BYYEARDAY, BYHOUR, RSCALE...: not followed.
      result = RuleParse::Unsupported;
    }
  }
  if (!haveFrequency) return RuleParse::Invalid;
  return result;
}

void ExpandRecurrence(const RecurrenceRule& rule, const CivilDate& start, std::int64_t lastDay,
                      const std::function<bool(const CivilDate&)>& visit) {
  const std::int64_t first = DayNumber(start.year, start.month, start.day);
  if (first > lastDay || !visit(start)) return;
  // Visits a later date of the series; false when the expansion ends.
  auto emit = [&](std::int64_t n) {
    if (n <= first) return true;
    if (n > lastDay) return false;
    return visit(DateOfDayNumber(n));
  };
  using F = RecurrenceRule::Frequency;
  const std::int64_t step = rule.interval;
  switch (rule.frequency) {
    case F::Daily:
      for (std::int64_t n = first + step; n <= lastDay; n += step) {
        const CivilDate d = DateOfDayNumber(n);
        if (!MonthAllowed(rule, d.month) || !WeekdayAllowed(rule, WeekdayOfDayNumber(n)) ||
            !MonthDayAllowed(rule, d)) {
          continue;
        }
        if (!emit(n)) return;
      }
      return;
    case F::Weekly: {
      std::vector<int> offsets;  // days after the week's start
      if (rule.byDay.empty()) {
        offsets.push_back((WeekdayOfDayNumber(first) - rule.weekStart + 7) % 7);
      } else {
        for (const auto& d : rule.byDay) offsets.push_back((d.second - rule.weekStart + 7) % 7);
      }
      std::sort(offsets.begin(), offsets.end());
      offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
      const std::int64_t week0 = first - (WeekdayOfDayNumber(first) - rule.weekStart + 7) % 7;
      for (std::int64_t week = week0; week <= lastDay; week += 7 * step) {
        for (const int o : offsets) {
          if (!MonthAllowed(rule, DateOfDayNumber(week + o).month)) continue;
          if (!emit(week + o)) return;
        }
      }
      return;
    }
    case F::Monthly:
    case F::Yearly: {
      const bool monthly = rule.frequency == F::Monthly;
      for (std::int64_t k = 0;; k += step) {
        std::vector<int> months;
        int year = start.year;
        if (monthly) {
          const std::int64_t index = (start.month - 1) + k;
          year = static_cast<int>(start.year + index / 12);
          months.push_back(static_cast<int>(index % 12) + 1);
          if (!MonthAllowed(rule, months[0])) months.clear();
        } else {
          year = static_cast<int>(start.year + k);
          months = rule.byMonth.empty() ? std::vector<int>{start.month} : rule.byMonth;
          std::sort(months.begin(), months.end());
        }
        if (DayNumber(year, 1, 1) > lastDay) return;
        for (const int month : months) {
          for (const int day : DaysOfMonth(rule, year, month, start.day)) {
            if (!emit(DayNumber(year, month, day))) return;
          }
        }
      }
    }
  }
}

}  // namespace store
