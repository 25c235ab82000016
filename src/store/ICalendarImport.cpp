#include "store/ICalendarImport.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "store/AppointmentBook.h"
#include "store/CodePage.h"
#include "store/DataFile.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarLines.h"
#include "store/ICalendarRecurrence.h"
#include "store/ICalendarTime.h"
#include "store/Repeats.h"

namespace store {

namespace {

// The calendar's days: nothing is placed outside them.
const std::int64_t kLastDay = DayNumber(kLastCalendarYear, 12, 31);
const std::int64_t kFirstDay = DayNumber(kFirstCalendarYear, 1, 1);

std::int64_t DayOf(WallSeconds wall) { return (wall >= 0 ? wall : wall - 86399) / 86400; }

bool ReadNumber(const std::string& text, long low, long high, long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < low || v > high) return false;
  out = v;
  return true;
}

std::string Trimmed(std::string text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool Cancelled(const IcsComponent& c) {
  const IcsProperty* status = c.Find("STATUS");
  return status != nullptr && Upper(status->value) == "CANCELLED";
}

// Occurrences that EXDATE or an overriding RECURRENCE-ID take out of a series.
struct Exclusions {
  std::vector<std::int64_t> days;     // DATE values: the whole day
  std::vector<std::int64_t> moments;  // DATE-TIME values, as UTC seconds
};

struct PlannedEntry {
  AppointmentRecord record;
  bool copy = false;
};

class ImportPlan {
 public:
  ImportPlan(const All_Appointments& book, const IcsComponent& calendar, IcsImportSummary& summary)
      : calendar_(calendar),
        summary_(summary),
        fore_(book.context().settings.fore),
        codePage_(book.codePage()) {
    zones_.Read(calendar, &book.context().zones);
    // Google's exports: floating times are the calendar's zone's.
    if (const IcsProperty* zone = calendar.Find("X-WR-TIMEZONE")) {
      if (zones_.Find(zone->value) != nullptr) calendarZone_ = zone->value;
    }
  }

  void Build();
  std::vector<PlannedEntry> entries;
  std::map<std::int64_t, std::vector<std::string>> notes;  // day number -> lines

 private:
  void Event(const IcsComponent& event, const Exclusions& overridden);
  void Journal(const IcsComponent& journal);
  // Puts text into the notes of the span days from each occurrence's day.
  void NoteOccurrences(const IcsTime& start, const RecurrenceRule* rule,
                       const std::vector<WallSeconds>& extra, const Exclusions& excluded,
                       std::int64_t span, const std::string& text);
  void AllDay(const IcsComponent& event, const IcsTime& start, const RecurrenceRule* rule,
              const std::vector<WallSeconds>& extra, const Exclusions& excluded,
              const std::string& text);
  void Timed(const IcsComponent& event, const IcsTime& start, const RecurrenceRule* rule,
             const std::vector<WallSeconds>& extra, const Exclusions& excluded,
             const std::string& text);
  template <typename Visit>
  void ForEachOccurrence(const IcsTime& start, const RecurrenceRule* rule,
                         const std::vector<WallSeconds>& extra, const Exclusions& excluded,
                         Visit visit);
  const RecurrenceRule* Recurrence(const IcsComponent& c, const IcsTime& start,
                                   RecurrenceRule& rule, std::vector<WallSeconds>& extra,
                                   Exclusions& excluded);
  std::vector<WallSeconds> ExtraDates(const IcsComponent& event, const IcsTime& start) const;
  WallSeconds InFrameOf(const IcsTime& frame, const IcsTime& t) const;
  std::int64_t UtcOf(const IcsTime& frame, WallSeconds wall) const;
  bool SlotOf(const IcsTime& frame, WallSeconds wall, CalendarFields& out) const;
  void Alarms(const IcsComponent& event, const IcsTime& start, AppointmentRecord& r) const;
  void OwnFields(const IcsComponent& event, AppointmentRecord& r);
  // A text in the book's code page; what it cannot hold is counted.
  std::string EightBit(std::string_view utf8) {
    return Utf8ToEightBit(utf8, codePage_, &summary_.unmappable);
  }
  std::string EightBit(const IcsProperty* p) {
    return p == nullptr ? std::string() : EightBit(UnescapeText(p->value));
  }
  void AddExclusions(const IcsTime& frame, const IcsProperty& p, Exclusions& out) const;

  const IcsComponent& calendar_;
  IcsImportSummary& summary_;
  Colour fore_;
  int codePage_;
  ZoneTable zones_;
  std::string calendarZone_;  // X-WR-TIMEZONE, when known
};

std::int64_t ImportPlan::UtcOf(const IcsTime& frame, WallSeconds wall) const {
  if (frame.form == IcsTime::Form::Utc) return wall;
  if (frame.form == IcsTime::Form::Zoned) {
    if (const ZoneRules* zone = zones_.Find(frame.tzid)) return wall - zone->OffsetAt(wall);
  }
  // Floating: the local zone (outside the calendar, UTC will do).
  const CivilDate d = DateOfDayNumber(DayOf(wall));
  const WallSeconds inDay = wall - DayOf(wall) * 86400;
  Moment m = 0;
  if (TryMakeTime(d.year, d.month, d.day, static_cast<int>(inDay / 3600),
                  static_cast<int>(inDay / 60 % 60), m)) {
    return m + inDay % 60;
  }
  return wall;
}

bool ImportPlan::SlotOf(const IcsTime& frame, WallSeconds wall, CalendarFields& out) const {
  const bool absolute = frame.form == IcsTime::Form::Utc ||
                        (frame.form == IcsTime::Form::Zoned && zones_.Find(frame.tzid) != nullptr);
  if (absolute) {
    const std::int64_t utc = UtcOf(frame, wall);
    if (!LocalFields(utc, out)) return false;
  } else {
    const std::int64_t day = DayOf(wall);
    const CivilDate d = DateOfDayNumber(day);
    const WallSeconds inDay = wall - day * 86400;
    out.year = d.year;
    out.month = d.month;
    out.day = d.day;
    out.hour = static_cast<int>(inDay / 3600);
    out.minute = static_cast<int>(inDay / 60 % 60);
  }
  const std::int64_t day = DayNumber(out.year, out.month, out.day);
  return day >= kFirstDay && day <= kLastDay &&
         ConvertsToMoment(out.year, out.month, out.day, out.hour, out.minute);
}

void ImportPlan::AddExclusions(const IcsTime& frame, const IcsProperty& p, Exclusions& out) const {
  for (const std::string& item : SplitEscaped(p.value, ',')) {
    IcsTime t;
    if (!ParseIcsTime(item, p.Param("TZID"), t)) continue;
    // A series of all-day events loses the day whatever time is written.
    if (t.form == IcsTime::Form::Date || frame.form == IcsTime::Form::Date) {
      out.days.push_back(DayOf(t.wall));
    } else {
      if (t.form == IcsTime::Form::Floating) t.tzid = frame.tzid, t.form = frame.form;
      out.moments.push_back(UtcOf(t, t.wall));
    }
  }
}

// The wall time, in the frame of `frame` (a series' start), of a time
// that may be written in another zone, in UTC, or as a date.
WallSeconds ImportPlan::InFrameOf(const IcsTime& frame, const IcsTime& t) const {
  const WallSeconds timeOfDay = frame.wall - DayOf(frame.wall) * 86400;
  if (frame.form == IcsTime::Form::Date) return DayOf(t.wall) * 86400;
  if (t.form == IcsTime::Form::Date) return t.wall + timeOfDay;  // at the series' time
  if (t.form == IcsTime::Form::Floating || (t.form == frame.form && t.tzid == frame.tzid)) {
    return t.wall;
  }
  const std::int64_t utc = UtcOf(t, t.wall);
  if (frame.form == IcsTime::Form::Utc) return utc;
  if (frame.form == IcsTime::Form::Zoned) {
    if (const ZoneRules* zone = zones_.Find(frame.tzid)) return utc + zone->OffsetAtUtc(utc);
  }
  CalendarFields f;
  if (!LocalFields(utc, f)) return utc;
  return WallOf(f.year, f.month, f.day, f.hour, f.minute, static_cast<int>(utc % 60));
}

// The RDATEs of a series in order: dates, date-times (any zone) and periods
// (by their start).
std::vector<WallSeconds> ImportPlan::ExtraDates(const IcsComponent& event,
                                                const IcsTime& start) const {
  std::vector<WallSeconds> extra;
  for (const IcsProperty& p : event.properties) {
    if (!p.Is("RDATE")) continue;
    for (const std::string& item : SplitEscaped(p.value, ',')) {
      IcsTime t;
      const std::string_view at = std::string_view(item).substr(0, item.find('/'));
      if (ParseIcsTime(at, p.Param("TZID"), t)) extra.push_back(InFrameOf(start, t));
    }
  }
  std::sort(extra.begin(), extra.end());
  extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
  return extra;
}

template <typename Visit>
void ImportPlan::ForEachOccurrence(const IcsTime& start, const RecurrenceRule* rule,
                                   const std::vector<WallSeconds>& extra,
                                   const Exclusions& excluded, Visit visit) {
  auto isExcluded = [&](WallSeconds wall) {
    if (std::find(excluded.days.begin(), excluded.days.end(), DayOf(wall)) != excluded.days.end()) {
      return true;
    }
    return !excluded.moments.empty() && std::find(excluded.moments.begin(), excluded.moments.end(),
                                                  UtcOf(start, wall)) != excluded.moments.end();
  };
  // The RDATEs go in among the rule's dates, in order; one on a date of the
  // rule counts once.
  auto nextExtra = extra.begin();
  bool stopped = false;
  auto take = [&](WallSeconds wall) {
    for (; nextExtra != extra.end() && *nextExtra <= wall; ++nextExtra) {
      if (*nextExtra == wall) continue;
      if (!isExcluded(*nextExtra) && !visit(*nextExtra)) return !(stopped = true);
    }
    if (!isExcluded(wall) && !visit(wall)) return !(stopped = true);
    return true;
  };
  auto finish = [&] {
    for (; !stopped && nextExtra != extra.end(); ++nextExtra) {
      if (!isExcluded(*nextExtra) && !visit(*nextExtra)) stopped = true;
    }
  };
  if (rule == nullptr) {
    take(start.wall);
    finish();
    return;
  }
  IcsTime until;
  const std::string* tzid = start.form == IcsTime::Form::Zoned ? &start.tzid : nullptr;
  const bool bounded = !rule->until.empty() && ParseIcsTime(rule->until, tzid, until);
  const std::int64_t untilUtc = bounded ? UtcOf(until, until.wall) : 0;
  const WallSeconds timeOfDay = start.wall - DayOf(start.wall) * 86400;
  int n = 0;
  // One day of slack: a zone east of UTC may still place it on the last day.
  ExpandRecurrence(*rule, DateOfDayNumber(DayOf(start.wall)), kLastDay + 1,
                   [&](const CivilDate& d) {
                     const WallSeconds wall = WallOf(d.year, d.month, d.day, 0, 0, 0) + timeOfDay;
                     if (rule->count > 0 && n >= rule->count) return false;
                     // The start is the first occurrence even before UNTIL.
                     if (bounded && n > 0) {
                       if (until.form == IcsTime::Form::Date ? DayOf(wall) > DayOf(until.wall)
                                                             : UtcOf(start, wall) > untilUtc) {
                         return false;
                       }
                     }
                     ++n;
                     return take(wall);
                   });
  finish();
}

void ImportPlan::Build() {
  // The RECURRENCE-IDs of the overriding events of each series.
  std::map<std::string, Exclusions> overridden;
  for (const IcsComponent& c : calendar_.children) {
    if (!c.Is("VEVENT")) continue;
    const IcsProperty* id = c.Find("RECURRENCE-ID");
    if (id == nullptr) continue;
    const IcsProperty* uid = c.Find("UID");
    const IcsProperty* start = c.Find("DTSTART");
    IcsTime frame;
    if (uid != nullptr && start != nullptr && ParseIcsTime(*start, frame)) {
      AddExclusions(frame, *id, overridden[uid->value]);
    }
  }
  const Exclusions none;
  entries.reserve(calendar_.children.size());
  for (const IcsComponent& c : calendar_.children) {
    if (c.Is("VEVENT")) {
      const IcsProperty* uid = c.Find("UID");
      const bool master = c.Find("RECURRENCE-ID") == nullptr && uid != nullptr;
      auto it = master ? overridden.find(uid->value) : overridden.end();
      Event(c, it != overridden.end() ? it->second : none);
    } else if (c.Is("VJOURNAL")) {
      Journal(c);
    }
  }
}

// The repeats of a series (not of an occurrence that overrides one): its
// RRULE when understood (else null), RDATEs and EXDATEs.
const RecurrenceRule* ImportPlan::Recurrence(const IcsComponent& c, const IcsTime& start,
                                             RecurrenceRule& rule, std::vector<WallSeconds>& extra,
                                             Exclusions& excluded) {
  if (c.Find("RECURRENCE-ID") != nullptr) return nullptr;
  extra = ExtraDates(c, start);
  for (const IcsProperty& p : c.properties) {
    if (p.Is("EXDATE")) AddExclusions(start, p, excluded);
  }
  const IcsProperty* rrule = c.Find("RRULE");
  if (rrule == nullptr) return nullptr;
  if (ParseRecurrenceRule(rrule->value, rule) == RuleParse::Ok) return &rule;
  ++summary_.unsupportedRules;
  return nullptr;
}

void ImportPlan::Event(const IcsComponent& event, const Exclusions& overridden) {
  if (Cancelled(event)) {
    ++summary_.cancelled;
    return;
  }
  const IcsProperty* dtstart = event.Find("DTSTART");
  IcsTime start;
  if (dtstart == nullptr || !ParseIcsTime(*dtstart, start)) {
    ++summary_.noStart;
    return;
  }
  if (start.form == IcsTime::Form::Floating && !calendarZone_.empty()) {
    start.form = IcsTime::Form::Zoned;
    start.tzid = calendarZone_;
  }
  if (start.form == IcsTime::Form::Zoned && zones_.Find(start.tzid) == nullptr) {
    if (summary_.unknownZones++ == 0) summary_.unknownZone = start.tzid;
    start.form = IcsTime::Form::Floating;
  }
  std::string text = EightBit(event.Find("SUMMARY"));
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
  text = Trimmed(text);
  if (text.empty()) text = "(no title)";

  RecurrenceRule rule;
  Exclusions excluded = overridden;
  std::vector<WallSeconds> extra;
  const RecurrenceRule* repeats = Recurrence(event, start, rule, extra, excluded);
  if (start.form == IcsTime::Form::Date) {
    AllDay(event, start, repeats, extra, excluded, text);
  } else {
    Timed(event, start, repeats, extra, excluded, text);
  }
}

void ImportPlan::Timed(const IcsComponent& event, const IcsTime& start, const RecurrenceRule* rule,
                       const std::vector<WallSeconds>& extra, const Exclusions& excluded,
                       const std::string& text) {
  ++summary_.events;
  PlannedEntry planned;
  AppointmentRecord& r = planned.record;
  r.text = CutAtWord(text, kTextChars);
  if (r.text.size() != text.size()) ++summary_.textsCut;
  r.colour = fore_;
  r.reminderOn = 1;
  const bool own = event.Find(kEntryProperty) != nullptr;
  if (own)
    OwnFields(event, r);
  else
    Alarms(event, start, r);

  int placed = 0;
  ForEachOccurrence(start, rule, extra, excluded, [&](WallSeconds wall) {
    CalendarFields f;
    if (!SlotOf(start, wall, f)) {
      ++summary_.outOfRange;
      return true;
    }
    if (placed > kMaxRepeatCopies) {
      ++summary_.seriesCut;
      return false;
    }
    r.year = f.year;
    r.month = f.month;
    r.day = f.day;
    r.hour = f.hour;
    // Other calendars' events go to the half-hour slot of their start.
    r.minute = own ? f.minute : f.minute / 30 * 30;
    planned.copy = placed > 0;
    entries.push_back(planned);
    ++placed;
    return true;
  });
}

void ImportPlan::AllDay(const IcsComponent& event, const IcsTime& start, const RecurrenceRule* rule,
                        const std::vector<WallSeconds>& extra, const Exclusions& excluded,
                        const std::string& text) {
  ++summary_.allDayEvents;
  std::int64_t span = 1;
  IcsTime end;
  std::int64_t length = 0;
  if (const IcsProperty* dtend = event.Find("DTEND");
      dtend != nullptr && ParseIcsTime(*dtend, end)) {
    span = DayOf(end.wall) - DayOf(start.wall);
  } else if (const IcsProperty* d = event.Find("DURATION");
             d != nullptr && ParseDuration(d->value, length)) {
    span = length / 86400;
  }
  span = std::clamp<std::int64_t>(span, 1, kMaxAllDaySpan);
  NoteOccurrences(start, rule, extra, excluded, span, text);
}

void ImportPlan::NoteOccurrences(const IcsTime& start, const RecurrenceRule* rule,
                                 const std::vector<WallSeconds>& extra, const Exclusions& excluded,
                                 std::int64_t span, const std::string& text) {
  int occurrences = 0;
  ForEachOccurrence(start, rule, extra, excluded, [&](WallSeconds wall) {
    if (occurrences++ > kMaxRepeatCopies) {
      ++summary_.seriesCut;
      return false;
    }
    const std::int64_t first = DayOf(wall);
    if (first < kFirstDay || first + span - 1 > kLastDay) {
      ++summary_.outOfRange;
      return true;
    }
    for (std::int64_t day = first; day < first + span; ++day) notes[day].push_back(text);
    return true;
  });
}

void ImportPlan::Journal(const IcsComponent& journal) {
  if (Cancelled(journal)) {
    ++summary_.cancelled;
    return;
  }
  const IcsProperty* dtstart = journal.Find("DTSTART");
  IcsTime start;
  if (dtstart == nullptr || !ParseIcsTime(*dtstart, start)) {
    ++summary_.noStart;
    return;
  }
  ++summary_.journals;
  std::string text;
  for (const IcsProperty& p : journal.properties) {
    if (!p.Is("DESCRIPTION")) continue;
    if (!text.empty()) text += '\n';
    text += EightBit(&p);
  }
  if (Trimmed(text).empty()) text = EightBit(journal.Find("SUMMARY"));
  text = Trimmed(text);
  if (text.empty()) return;
  // Notes files keep CR LF line breaks.
  std::string lines;
  for (const char c : text) {
    if (c == '\r') continue;
    if (c == '\n') lines += '\r';
    lines += c;
  }
  RecurrenceRule rule;
  Exclusions excluded;
  std::vector<WallSeconds> extra;
  const RecurrenceRule* repeats = Recurrence(journal, start, rule, extra, excluded);
  NoteOccurrences(start, repeats, extra, excluded, 1, lines);
}

void ImportPlan::Alarms(const IcsComponent& event, const IcsTime& start,
                        AppointmentRecord& r) const {
  r.reminderMinutes = -1;
  std::vector<long> before;  // minutes before the start
  for (const IcsComponent& alarm : event.children) {
    if (!alarm.Is("VALARM")) continue;
    const IcsProperty* trigger = alarm.Find("TRIGGER");
    if (trigger == nullptr) continue;
    std::int64_t seconds = 0;
    IcsTime at;
    if (ParseDuration(trigger->value, seconds)) {
      const std::string* related = trigger->Param("RELATED");
      // Relative to the end: the imported entry lasts half an hour.
      if (related != nullptr && Upper(*related) == "END") seconds += 30 * 60;
    } else if (ParseIcsTime(trigger->value, nullptr, at) && at.form == IcsTime::Form::Utc) {
      seconds = at.wall - UtcOf(start, start.wall);
    } else {
      continue;
    }
    // Only reminders before the start (or at it) have a place in an entry.
    if (seconds <= 0 && seconds > -366 * 86400) before.push_back(static_cast<long>(-seconds / 60));
  }
  if (before.empty()) return;
  std::sort(before.begin(), before.end());
  // A second alarm a day ahead is the "remind me the day before" reminder.
  if (before.size() > 1) {
    const auto dayAhead = std::find(before.begin() + 1, before.end(), 1440);
    if (dayAhead != before.end()) r.dayBefore = 1;
  }
  r.reminderMinutes = static_cast<int>(before.front());
}

void ImportPlan::OwnFields(const IcsComponent& event, AppointmentRecord& r) {
  long v = 0;
  // Servers that store the event again may escape the separators ("\;"):
  // the field values themselves never hold one.
  for (const std::string& part :
       SplitEscaped(UnescapeText(event.Find(kEntryProperty)->value), ';')) {
    const std::size_t eq = part.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = std::string_view(part).substr(0, eq);
    const std::string value = part.substr(eq + 1);
    const bool number = ReadNumber(value, INT32_MIN, INT32_MAX, v);
    const int n = static_cast<int>(v);
    if (key == "REMINDER" && number)
      r.reminderMinutes = n;
    else if (key == "ON" && number)
      r.reminderOn = n;
    else if (key == "DAYBEFORE" && number)
      r.dayBefore = n;
    else if (key == "TILDE" && number)
      r.tildeFlag = n;
    else if (key == "NOHIGHLIGHT" && number)
      r.noHighlight = n;
    else if (key == "REPEAT" && number)
      r.repeatKind = n;
    else if (key == "UNTIL" && number)
      r.repeatUntil = n;
    else if (key == "MONTHDAY" && number)
      r.monthDay = n;
    else if (key == "WEEKORDINAL")
      r.weekOrdinal = EightBit(value).substr(0, kWeekOrdinalChars);
    else if (key == "WEEKDAY")
      r.weekdayText = EightBit(value).substr(0, kWeekdayTextChars);
  }
  const IcsProperty* colour = event.Find(kColourProperty);
  char* end = nullptr;
  if (colour != nullptr && colour->value.size() == 7 && colour->value[0] == '#') {
    const unsigned long rgb = std::strtoul(colour->value.c_str() + 1, &end, 16);
    if (*end == '\0') r.colour = MakeColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
}

void AddPart(std::string& list, bool when, const std::string& part) {
  if (!when) return;
  if (!list.empty()) list += ", ";
  list += part;
}

}  // namespace

std::string CutAtWord(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t cut = text.rfind(' ', limit);
  if (cut == std::string::npos || cut == 0) cut = limit;
  std::string out = text.substr(0, cut);
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string IcsImportSummary::Message(const std::string& path) const {
  std::string came;
  AddPart(came, true, CountOf(entriesMade, "new entry", "new entries"));
  AddPart(came, copies > 0, CountOf(copies, "copy from repeats", "copies from repeats"));
  AddPart(came, merged > 0,
          CountOf(merged, "text added to an entry in its slot",
                  "texts added to entries in their slots"));
  AddPart(came, alreadyThere > 0,
          CountOf(alreadyThere, "already in the book", "already in the book"));
  std::string text =
      "Imported " + CountOf(events, "event", "events") + " from \"" + path + "\": " + came + ".";
  if (allDayEvents + journals > 0) {
    text += "\n" + CountOf(allDayEvents, "all-day event", "all-day events") + " and " +
            CountOf(journals, "journal", "journals") + " went to the day notes (" +
            CountOf(notesDays, "day", "days") + " changed).";
  }
  if (textsCut > 0) {
    text += "\n" + CountOf(textsCut, "text was", "texts were") + " cut at a word to fit " +
            std::to_string(kTextChars) + " characters.";
  }
  std::string skipped;
  AddPart(skipped, noStart > 0, CountOf(noStart, "without a start", "without a start"));
  AddPart(
      skipped, outOfRange > 0,
      CountOf(outOfRange, "occurrence outside 1900 to 9999", "occurrences outside 1900 to 9999"));
  AddPart(skipped, cancelled > 0, CountOf(cancelled, "cancelled", "cancelled"));
  AddPart(skipped, seriesCut > 0,
          CountOf(seriesCut, "series cut after 1000 copies", "series cut after 1000 copies"));
  AddPart(skipped, notesUnwritten > 0,
          CountOf(notesUnwritten, "day of notes that could not be written",
                  "days of notes that could not be written"));
  AddPart(skipped, noNotesFolder > 0,
          CountOf(noNotesFolder, "note without a notes folder", "notes without a notes folder"));
  if (!skipped.empty()) text += "\nSkipped: " + skipped + ".";
  if (unsupportedRules > 0) {
    text += "\n" + CountOf(unsupportedRules, "repeat rule was", "repeat rules were") +
            " not understood; only the first date was imported.";
  }
  if (unknownZones > 0) {
    text += "\n" + CountOf(unknownZones, "event names", "events name") +
            " a time zone that neither the file nor the system knows (\"" + unknownZone + "\"" +
            (unknownZones > 1 ? " and others" : "") + "); the local time zone was used.";
  }
  if (damagedLines + damagedComponents > 0 || cutOff) {
    std::string damage;
    AddPart(damage, damagedComponents > 0,
            CountOf(damagedComponents, "component without a proper END",
                    "components without a proper END"));
    AddPart(damage, damagedLines > 0,
            CountOf(damagedLines, "line that is not iCalendar", "lines that are not iCalendar"));
    if (!damage.empty()) text += "\nThe file is damaged; skipped: " + damage + ".";
    if (cutOff)
      text += "\nThe file ends before its calendar is complete; it may have been cut off.";
  }
  if (unmappable > 0) {
    text += "\n" + CountOf(unmappable, "character", "characters") +
            " that this system's code page cannot hold became \"?\".";
  }
  return text;
}

namespace {

// Reads the text and plans what it holds; false (with the status and message
// set) when the text is refused whole.
bool PlanICalendarText(const All_Appointments& book, std::string_view bytes,
                       const std::string& path, IcsImportResult& result,
                       std::unique_ptr<ImportPlan>& plan, IcsComponent& calendar) {
  const std::string named = "The file \"" + path + "\" ";
  if (bytes.size() > kMaxICalendarBytes) {
    result.status = IcsImportStatus::TooLarge;
    result.message = named + "is too large to import (more than 64 MB). Nothing was imported.";
    return false;
  }
  const IcsParseResult parsed = ParseICalendar(bytes, calendar);
  if (parsed.syntax != IcsSyntax::Ok) {
    result.status = IcsImportStatus::NotICalendar;
    result.message = named + "is not an iCalendar file. Nothing was imported.";
    return false;
  }
  const IcsDamage& damage = parsed.damage;
  if (damage.Any() && calendar.children.empty()) {
    // Damage and nothing readable around it: more likely not a calendar
    // at all (or only its first lines) than a calendar without entries.
    result.status = damage.truncated ? IcsImportStatus::Truncated : IcsImportStatus::Malformed;
    const std::size_t line = damage.truncated              ? parsed.line
                             : damage.brokenComponents > 0 ? damage.firstBrokenComponent
                                                           : damage.firstBadLine;
    result.message =
        named +
        (damage.truncated ? "ends before its calendar is complete; it may have been cut off."
                          : "has no component that could be read.") +
        " (line " + std::to_string(line) + ") Nothing was imported.";
    return false;
  }

  IcsImportSummary& s = result.summary;
  s.damagedLines = damage.badLines;
  s.damagedComponents = damage.brokenComponents;
  s.cutOff = damage.truncated;
  plan = std::make_unique<ImportPlan>(book, calendar, s);
  plan->Build();
  return true;
}

}  // namespace

IcsImportResult ImportICalendarText(All_Appointments& book, std::string_view bytes,
                                    const DayNotesFiles& notesFiles, const std::string& path) {
  IcsImportResult result;
  IcsComponent calendar;
  std::unique_ptr<ImportPlan> planned;
  if (!PlanICalendarText(book, bytes, path, result, planned, calendar)) return result;
  const ImportPlan& plan = *planned;
  IcsImportSummary& s = result.summary;

  MomentCache cache;
  for (const PlannedEntry& p : plan.entries) {
    const AppointmentRecord& r = p.record;
    if (const An_Appointment* existing = book.FindAt(r.year, r.month, r.day, r.hour, r.minute)) {
      ++(existing->text.find(r.text) == std::string::npos ? s.merged : s.alreadyThere);
      book.AddRecord(r, &cache);
    } else if (book.AddRecord(r, &cache)) {
      ++(p.copy ? s.copies : s.entriesMade);
    }
  }
  for (const auto& [day, lines] : plan.notes) {
    if (!notesFiles.Known()) {
      s.noNotesFolder += static_cast<int>(lines.size());
      continue;
    }
    const CivilDate date = DateOfDayNumber(day);
    const std::string before = notesFiles.Read(date);
    std::string text = before;
    for (const std::string& line : lines) {
      if (text.find(line) != std::string::npos) continue;
      if (!text.empty()) text += "\r\n";
      text += line;
    }
    if (text == before) continue;
    ++(notesFiles.Write(date, text) ? s.notesDays : s.notesUnwritten);
  }
  result.message = s.Message(path);
  return result;
}

IcsImportResult ImportICalendarFile(All_Appointments& book, const std::string& path,
                                    const DayNotesFiles& notes) {
  IcsImportResult result;
  const std::unique_ptr<InputFile> in = book.context().files.OpenRead(path);
  if (!in) {
    result.status = IcsImportStatus::Unreadable;
    result.message = "The file \"" + path + "\" could not be read. Nothing was imported.";
    return result;
  }
  std::string bytes;
  if (in->SizeHint() > 0 && in->SizeHint() <= kMaxICalendarBytes) {
    bytes.reserve(static_cast<std::size_t>(in->SizeHint()));
  }
  char buffer[1 << 16];
  for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, n);
    if (bytes.size() > kMaxICalendarBytes) break;  // refused whole below
  }
  if (in->Failed()) {
    result.status = IcsImportStatus::Unreadable;
    result.message = "The file \"" + path + "\" could not be read. Nothing was imported.";
    return result;
  }
  return ImportICalendarText(book, bytes, notes, path);
}

IcsOccurrences ReadICalendarOccurrences(const All_Appointments& book, std::string_view bytes) {
  IcsOccurrences out;
  IcsImportResult result;
  IcsComponent calendar;
  std::unique_ptr<ImportPlan> plan;
  if (!PlanICalendarText(book, bytes, std::string(), result, plan, calendar)) {
    out.status = result.status;
    return out;
  }
  out.timed.reserve(plan->entries.size());
  for (const PlannedEntry& p : plan->entries) out.timed.push_back(p.record);
  out.allDay = std::move(plan->notes);
  return out;
}

}  // namespace store
