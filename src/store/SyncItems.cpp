#include "store/SyncItems.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>
#include <unordered_set>

#include "store/AppointmentBook.h"
#include "store/CivilDate.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"
#include "store/ICalendarLines.h"
#include "store/ICalendarRecurrence.h"
#include "store/Repeats.h"

namespace store {

namespace {

using SlotKey = std::tuple<int, int, int, int, int>;

SlotKey KeyOf(const An_Appointment& e) {
  return {e.year(), e.month(), e.day(), e.hour(), e.minute()};
}

// Everything but the key and the armed time/timer; the rule's fields only
// where there is a rule (the iCalendar export writes them only then).
std::string FieldsText(const AppointmentRecord& r) {
  if (r.repeatKind == kRepeatNone && r.repeatUntil == 0) {
    return r.text + '\x1f' + std::to_string(r.colour) + ',' + std::to_string(r.reminderMinutes) +
           ',' + std::to_string(r.reminderOn) + ',' + std::to_string(r.dayBefore) + ',' +
           std::to_string(r.tildeFlag) + ',' + std::to_string(r.noHighlight);
  }
  return r.text + '\x1f' + std::to_string(r.colour) + ',' + std::to_string(r.reminderMinutes) +
         ',' + std::to_string(r.reminderOn) + ',' + std::to_string(r.dayBefore) + ',' +
         std::to_string(r.tildeFlag) + ',' + std::to_string(r.noHighlight) + ',' +
         std::to_string(r.repeatKind) + ',' + std::to_string(r.repeatUntil) + ',' +
         std::to_string(r.monthDay) + '\x1f' + r.weekOrdinal + '\x1f' + r.weekdayText;
}

std::string KeyText(const AppointmentRecord& r) {
  char key[32];
  std::snprintf(key, sizeof key, "%04d%02d%02dT%02d%02d", r.year, r.month, r.day, r.hour, r.minute);
  return key;
}

std::string DateTimeText(int year, int month, int day, int hour, int minute) {
  char text[24];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", year, month, day, hour, minute);
  return text;
}

// "every Tuesday" -> 2 (0 = Sunday); -1 when no weekday is named.
int WeekdayNamed(const std::string& text) {
  static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
  for (int i = 0; i < 7; ++i) {
    if (text.find(names[i]) != std::string::npos) return i;
  }
  return -1;
}

// The RRULE of a series (without UNTIL), "" when its rule has none.
std::string RuleOf(const An_Appointment& e) {
  static const char* const days[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  switch (e.repeatKind) {
    case kRepeatEveryWeekday:
      return "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR";
    case kRepeatEveryday:
      return "FREQ=DAILY";
    case kRepeatWeekly:
      return "FREQ=WEEKLY";
    case kRepeatEveryOtherWeek:
      return "FREQ=WEEKLY;INTERVAL=2";
    case kRepeatMonthlyByDate:
      return "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(e.day());
    case kRepeatMonthlyByWeekday: {
      const int weekday = WeekdayNamed(e.weekdayText);
      const std::string& o = e.weekOrdinal;
      const int n = o == "1st"   ? 1
                    : o == "2nd" ? 2
                    : o == "3rd" ? 3
                    : o == "4th" ? 4
                    : o == "5th" ? 5
                                 : 0;
      if (weekday < 0 || n == 0) return std::string();
      return "FREQ=MONTHLY;BYDAY=" + std::to_string(n) + days[weekday];
    }
    case kRepeatYearly:
      return "FREQ=YEARLY";
    default:
      return std::string();
  }
}

}  // namespace

AppointmentRecord RecordOfEntry(const An_Appointment& e) {
  unsigned char bytes[kRecordSize];
  EncodeRecord(e, bytes);
  AppointmentRecord r;
  DecodeRecord(bytes, r);
  r.timerId = 0;
  r.time = 0;
  return r;
}

std::uint64_t EntriesFingerprint(std::vector<AppointmentRecord> entries) {
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (const AppointmentRecord& r : entries) lines.push_back(KeyText(r) + '\x1e' + FieldsText(r));
  std::sort(lines.begin(), lines.end());
  std::string all;
  for (const std::string& line : lines) all += line + '\n';
  return Fingerprint(all);
}

std::vector<SyncSlot> SlotsOf(const std::vector<AppointmentRecord>& entries) {
  std::vector<SyncSlot> slots;
  for (const AppointmentRecord& r : entries) {
    slots.push_back(SyncSlot{r.year, r.month, r.day, r.hour, r.minute});
  }
  return slots;
}

std::vector<LocalItem> CollectLocalItems(All_Appointments& book, const SyncState& state) {
  book.Sort();
  std::map<SlotKey, std::vector<An_Appointment*>> bySlot;
  for (An_Appointment& e : book) bySlot[KeyOf(e)].push_back(&e);
  std::unordered_set<const An_Appointment*> claimed;
  std::set<std::string> uids;

  std::vector<LocalItem> items;
  for (std::size_t i = 0; i < state.records.size(); ++i) {
    const SyncRecord& rec = state.records[i];
    LocalItem item;
    item.uid = rec.uid;
    item.record = static_cast<int>(i);
    uids.insert(rec.uid);
    if (rec.slots.empty()) {
      item.noEntries = true;
      item.hash = rec.localHash;
      items.push_back(std::move(item));
      continue;
    }
    for (const SyncSlot& s : rec.slots) {
      const auto found = bySlot.find({s.year, s.month, s.day, s.hour, s.minute});
      if (found == bySlot.end()) continue;
      for (An_Appointment* e : found->second) {
        if (claimed.insert(e).second) {
          item.entries.push_back(e);
          break;
        }
      }
    }
    std::vector<AppointmentRecord> records;
    for (const An_Appointment* e : item.entries) records.push_back(RecordOfEntry(*e));
    item.hash = EntriesFingerprint(records);
    items.push_back(std::move(item));
  }

  // A series: the same text and rule (the copies keep their own colour and
  // reminder, which an override carries).
  using SeriesKey = std::tuple<std::string, int, std::string, std::string, int, Moment, int, int>;
  std::map<SeriesKey, std::size_t> series;
  for (An_Appointment& e : book) {
    if (claimed.count(&e) != 0) continue;
    if (!ConvertsToMoment(e.year(), e.month(), e.day(), e.hour(), e.minute())) continue;
    if (e.repeatKind != kRepeatNone && e.repeatUntil > 0) {
      const SeriesKey key{e.text,     e.repeatKind,  e.weekOrdinal, e.weekdayText,
                          e.monthDay, e.repeatUntil, e.hour(),      e.minute()};
      const auto found = series.find(key);
      if (found != series.end()) {
        items[found->second].entries.push_back(&e);
        continue;
      }
      series[key] = items.size();
    }
    LocalItem item;
    for (int n = 0;; ++n) {
      item.uid = EntryUid(e, n);
      if (uids.insert(item.uid).second) break;
    }
    item.entries.push_back(&e);
    items.push_back(std::move(item));
  }
  for (LocalItem& item : items) {
    if (item.record >= 0) continue;
    std::vector<AppointmentRecord> records;
    for (const An_Appointment* e : item.entries) records.push_back(RecordOfEntry(*e));
    item.hash = EntriesFingerprint(records);
  }
  return items;
}

std::string ItemCalendarText(const LocalItem& item, Moment stamp, int codePage) {
  IcsWriter out;
  out.Line("BEGIN", "VCALENDAR");
  out.Line("VERSION", "2.0");
  out.Line("PRODID", kICalendarProductId);
  out.Line("CALSCALE", "GREGORIAN");
  const std::string dtstamp = IcsStamp(stamp);
  if (item.entries.size() == 1) {
    WriteEventComponent(out, *item.entries[0], item.uid, dtstamp, codePage);
  } else if (!item.entries.empty()) {
    const An_Appointment& first = *item.entries[0];
    const std::string firstFields = FieldsText(RecordOfEntry(first));
    const std::int64_t firstDay = DayNumber(first.year(), first.month(), first.day());
    // The occurrences of the rule, as every other reader of the RRULE sees them.
    std::set<std::int64_t> occurrences{firstDay};
    std::string rule = RuleOf(first);
    CalendarFields until;
    if (!rule.empty() && first.repeatUntil > 0 && LocalFields(first.repeatUntil, until)) {
      RecurrenceRule parsed;
      if (ParseRecurrenceRule(rule, parsed) == RuleParse::Ok) {
        const std::int64_t lastDay = DayNumber(until.year, until.month, until.day);
        ExpandRecurrence(parsed, DateOfDayNumber(firstDay), lastDay, [&](const CivilDate& d) {
          const std::int64_t n = DayNumber(d.year, d.month, d.day);
          const bool inTime =
              n < lastDay || first.hour() * 60 + first.minute() <= until.hour * 60 + until.minute;
          if (inTime) occurrences.insert(n);
          return occurrences.size() <= static_cast<std::size_t>(kMaxRepeatCopies);
        });
        rule +=
            ";UNTIL=" + DateTimeText(until.year, until.month, until.day, until.hour, until.minute);
      } else {
        rule.clear();
      }
    } else {
      rule.clear();
    }
    // Entries on an occurrence at the series' time; the others are moved.
    std::set<std::int64_t> taken;
    std::vector<const An_Appointment*> moved;
    std::vector<std::pair<const An_Appointment*, std::int64_t>> overrides;
    for (const An_Appointment* e : item.entries) {
      const std::int64_t day = DayNumber(e->year(), e->month(), e->day());
      const bool onTime = e->hour() == first.hour() && e->minute() == first.minute();
      if (onTime && occurrences.count(day) != 0 && taken.insert(day).second) {
        if (e != &first && FieldsText(RecordOfEntry(*e)) != firstFields) {
          overrides.emplace_back(e, day);
        }
      } else {
        moved.push_back(e);
      }
    }
    std::vector<std::int64_t> free;
    for (const std::int64_t day : occurrences) {
      if (taken.count(day) == 0) free.push_back(day);
    }
    std::vector<IcsExtraLine> masterLines;
    if (!rule.empty()) masterLines.emplace_back("RRULE", rule);
    std::size_t nextFree = 0;
    std::set<std::int64_t> rdates;
    for (const An_Appointment* e : moved) {
      if (nextFree < free.size()) {
        overrides.emplace_back(e, free[nextFree++]);
      } else {
        // No occurrence left to move: an added date of its own.
        const std::int64_t day = DayNumber(e->year(), e->month(), e->day());
        if (!rdates.insert(day).second) continue;  // a second entry of that day is dropped
        overrides.emplace_back(e, day);
        const CivilDate d = DateOfDayNumber(day);
        masterLines.emplace_back(
            "RDATE", DateTimeText(d.year, d.month, d.day, first.hour(), first.minute()));
      }
    }
    for (std::size_t i = nextFree; i < free.size(); ++i) {
      const CivilDate d = DateOfDayNumber(free[i]);
      masterLines.emplace_back("EXDATE",
                               DateTimeText(d.year, d.month, d.day, first.hour(), first.minute()));
    }
    WriteEventComponent(out, first, item.uid, dtstamp, codePage, masterLines);
    for (const auto& [e, day] : overrides) {
      const CivilDate d = DateOfDayNumber(day);
      WriteEventComponent(
          out, *e, item.uid, dtstamp, codePage,
          {{"RECURRENCE-ID", DateTimeText(d.year, d.month, d.day, first.hour(), first.minute())}});
    }
  }
  out.Line("END", "VCALENDAR");
  return std::move(out.Text());
}

RemoteEntries ReadRemoteEntries(const StoreContext& context, std::string_view body,
                                const DayNotesFiles& notes, int codePage) {
  RemoteEntries result;
  IcsComponent calendar;
  if (ParseICalendar(body, calendar).syntax != IcsSyntax::Ok) {
    result.message = "is not iCalendar data";
    return result;
  }
  for (const IcsComponent& c : calendar.children) {
    if (const IcsProperty* uid = c.Find("UID")) {
      if (c.Is("VEVENT") || result.uid.empty()) result.uid = uid->value;
      if (c.Is("VEVENT")) break;
    }
  }
  All_Appointments scratch(context);
  scratch.SetCodePage(codePage);
  const IcsImportResult imported = ImportICalendarText(scratch, body, notes, "calendar object");
  if (imported.status != IcsImportStatus::Imported) {
    result.message = "is not iCalendar data";
    return result;
  }
  scratch.Sort();
  for (const An_Appointment& e : scratch) result.entries.push_back(RecordOfEntry(e));
  result.hash = EntriesFingerprint(result.entries);
  result.ok = true;
  return result;
}

}  // namespace store
