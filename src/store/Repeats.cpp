#include "store/Repeats.h"

#include <algorithm>
#include <cstdint>

#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/CivilDate.h"

namespace store {

namespace {

// Bounds of the end dates the caps compare (after 2000-02-12 19:51:18 UTC,
// before the calendar's end); others are compared as the entry's date.
constexpr Moment kCapFloor = 950385078;
constexpr Moment kCapCeiling = 253402300800;  // 10000-01-01 00:00 UTC
constexpr int kYearlyCapLastYear = kLastCalendarYear;

enum class NextKind {
  Found,        // date and time hold the occurrence
  None,         // the rule gives no occurrence
  BeyondRange,  // the occurrence lies after the last moment
};

struct Next {
  NextKind kind = NextKind::None;
  CivilDate date;
  Moment time = 0;
};

CivilDate FirstOfNextMonth(const CivilDate& d) {
  return d.month == 12 ? CivilDate{d.year + 1, 1, 1} : CivilDate{d.year, d.month + 1, 1};
}

// Day number of the first day of `month` whose weekday is the one named in
// the rule's weekday text.
std::int64_t FirstMatchingWeekday(const CivilDate& month, const std::string& weekdayText) {
  const std::int64_t first = DayNumber(month.year, month.month, 1);
  const int from = WeekdayOfDayNumber(first) + 1;  // weekday number, 1 = Sunday
  return first + DaysUntilWeekday(from, weekdayText);
}

// The fifth such weekday of the first following month that has one.
std::int64_t FifthMatchingWeekday(CivilDate month, const std::string& weekdayText) {
  // Every weekday falls five times in some month of any four in a row.
  for (int tries = 0; tries < 12; ++tries, month = FirstOfNextMonth(month)) {
    const std::int64_t fifth = FirstMatchingWeekday(month, weekdayText) + 28;
    if (DateOfDayNumber(fifth).month == month.month) return fifth;
  }
  return DayNumber(month.year, month.month, 1);  // not reached
}

// The date of the next occurrence, stepped on the calendar from the entry's
// date; false for a rule without one.
bool NextDate(const An_Appointment& e, std::int64_t& out) {
  const std::int64_t today = DayNumber(e.year(), e.month(), e.day());
  const CivilDate date = DateOfDayNumber(today);  // rolled over (April 31 is May 1)
  switch (e.repeatKind) {
    case kRepeatEveryWeekday: {
      const int weekday = WeekdayOfDayNumber(today);
      out = today + (weekday == 5 ? 3 : weekday == 6 ? 2 : 1);
      return true;
    }
    case kRepeatEveryday:
      out = today + 1;
      return true;
    case kRepeatWeekly:
      out = today + 7;
      return true;
    case kRepeatEveryOtherWeek:
      out = today + 14;
      return true;
    case kRepeatMonthlyByDate: {
      const CivilDate next = FirstOfNextMonth(date);
      out = DayNumber(next.year, next.month, std::min(e.day(), DaysInMonth(next.year, next.month)));
      return true;
    }
    case kRepeatMonthlyByWeekday: {
      const CivilDate next = FirstOfNextMonth(date);
      const std::int64_t first = FirstMatchingWeekday(next, e.weekdayText);
      const std::string& ordinal = e.weekOrdinal;
      if (ordinal == "1st")
        out = first;
      else if (ordinal == "2nd")
        out = first + 7;
      else if (ordinal == "3rd")
        out = first + 14;
      else if (ordinal == "4th")
        out = first + 21;
      else if (ordinal == "5th")
        out = FifthMatchingWeekday(next, e.weekdayText);
      else
        return false;
      return true;
    }
    case kRepeatYearly:
      // February 29 rolls over to March 1 in a year without one.
      out = DayNumber(date.year + 1, date.month, date.day);
      return true;
    default:
      return false;
  }
}

Next FindNext(const An_Appointment& e) {
  Next next;
  if (!ConvertsToMoment(e.year(), e.month(), e.day(), e.hour(), e.minute())) return next;
  std::int64_t n = 0;
  if (!NextDate(e, n)) return next;
  next.date = DateOfDayNumber(n);
  next.kind = TryMakeTime(next.date.year, next.date.month, next.date.day, e.hour(), e.minute(),
                          next.time)
                  ? NextKind::Found
                  : NextKind::BeyondRange;  // the entry's own key converts: only the year can fail
  if (next.kind != NextKind::Found) next.time = 0;
  return next;
}

// Sorts the book when the expansion ends, however it ends.
class SortWhenDone {
 public:
  explicit SortWhenDone(All_Appointments& book) : book_(book) {}
  ~SortWhenDone() { book_.Sort(); }
  SortWhenDone(const SortWhenDone&) = delete;
  SortWhenDone& operator=(const SortWhenDone&) = delete;

 private:
  All_Appointments& book_;
};

}  // namespace

Moment NextOccurrence(const An_Appointment& entry) { return FindNext(entry).time; }

bool AdvanceToNext(An_Appointment& entry) {
  const Next next = FindNext(entry);
  entry.time = next.time;
  if (next.kind != NextKind::Found) return false;
  entry.SetDate(next.date.year, next.date.month, next.date.day);
  return true;
}

int ExpandRepeats(An_Appointment& first) {
  if (first.repeatUntil < 1) return 0;
  All_Appointments& book = first.book();
  const Moment until = first.repeatUntil;
  // Copies are appended and merged into the sorted book in one pass at the
  // end; the book is also sorted before the conflict message is shown, so
  // nobody ever sees it out of order. The result equals sorting after each
  // copy (the sort keeps entries of equal time in list order).
  SortWhenDone sortAtEnd(book);

  const An_Appointment* prev = &first;
  int kept = 0;
  for (int made = 0; made < kMaxRepeatCopies; ++made) {
    // Sorted once for all copies when the expansion ends.
    An_Appointment& c = book.CreateCopy(*prev, All_Appointments::Sorting::Later);
    c.monthDay = first.monthDay;
    Next next = FindNext(c);
    if (next.kind == NextKind::BeyondRange) {
      // Later than any end date a moment can hold.
      book.Destroy(c);
      break;
    }
    if (next.kind == NextKind::Found) {
      // A series set on the 31st keeps to it after a shorter month.
      if (c.repeatKind == kRepeatMonthlyByDate && c.monthDay > next.date.day) {
        const int day = std::min(DaysInMonth(next.date.year, next.date.month), c.monthDay);
        if (!TryMakeTime(next.date.year, next.date.month, day, c.hour(), c.minute(), next.time)) {
          book.Destroy(c);
          break;
        }
        next.date.day = day;
      }
      c.SetDate(next.date.year, next.date.month, next.date.day);
    }
    // Without an occurrence the copy keeps its predecessor's slot, time 0,
    // and the conflict check below ends the expansion.
    c.time = next.time;
    if (c.time > until) {
      book.Destroy(c);
      break;
    }
    const Moment t = c.time;
    if (CheckConflict(c)) break;
    c.ArmReminder();
    ++kept;
    if (static_cast<std::int64_t>(t) + 1 > until) break;
    prev = &c;
  }
  return kept;
}

bool CheckConflict(An_Appointment& copy) {
  All_Appointments& book = copy.book();
  if (book.FindAt(copy.year(), copy.month(), copy.day(), copy.hour(), copy.minute(), &copy) ==
      nullptr) {
    return false;
  }
  book.Sort();  // in order while the message is up
  const std::string message = "Unable to (further) schedule the repeating appointment [" +
                              copy.text + "]; it conflicts with an existing appointment at " +
                              std::to_string(copy.year()) + "/" + std::to_string(copy.month()) +
                              "/" + std::to_string(copy.day()) + " " +
                              TimeText(copy.hour(), copy.minute(), false);
  book.context().prompts.Show(message, kPromptCaption, PromptButtons::Ok, PromptIcon::None);
  book.Destroy(copy);
  return true;
}

void ApplyRepeatRule(An_Appointment& e, const RepeatChoice& choice) {
  // Both may throw CalendarError; nothing has changed yet.
  MakeTime(e.year(), e.month(), e.day(), e.hour(), e.minute());
  const Moment d = MakeTime(e.year(), e.month(), e.day(), 0, 0);
  const CalendarFields day = LocalFields(d);
  const Moment u = choice.until;
  const Moment compared = u > kCapFloor && u < kCapCeiling ? u : d;
  const int comparedYear = LocalFields(compared).year;

  Moment until = u;
  bool tellEverydayCap = false;
  switch (choice.kind) {
    case kRepeatEveryday:
      if (static_cast<std::int64_t>(compared) >
          static_cast<std::int64_t>(d) + 183 * kSecondsPerDay) {
        until = MakeTime(day.year + 1, day.month, day.day, 0, 0);
        tellEverydayCap = true;
      }
      break;
    case kRepeatWeekly:
    case kRepeatEveryOtherWeek:
    case kRepeatMonthlyByDate:
    case kRepeatMonthlyByWeekday:
      if (comparedYear > day.year + 5) until = MakeTime(day.year + 5, day.month, day.day, 0, 0);
      break;
    case kRepeatYearly:
      if (comparedYear > day.year + 20) {
        until = MakeTime(std::min(day.year + 20, kYearlyCapLastYear), day.month, day.day, 0, 0);
      }
      break;
    default:
      break;
  }

  if (tellEverydayCap) {
    e.book().context().prompts.Show(kEverydayCapMessage, kPromptCaption, PromptButtons::Ok,
                                    PromptIcon::None);
  }
  e.SetRepeat(choice.kind, choice.weekOrdinal, choice.weekdayText, choice.monthDay);
  e.repeatUntil = until;
  e.ArmReminder();
  if (choice.kind != kRepeatNone) {
    ExpandRepeats(e);
    e.book().context().notices.MonthChanged(e.year(), e.month());
  }
}

}  // namespace store
