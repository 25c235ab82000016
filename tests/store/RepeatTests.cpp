// Repeating appointments: next-occurrence arithmetic (month ends, leap years,
// daylight-saving changes in New York), the expansion with its limits and
// conflict message, and the end-date caps of ApplyRepeatRule.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "common/Records.h"
#include "store/CivilDate.h"
#include "store/Repeats.h"

using namespace store;

namespace {

struct Slot {
  int year, month, day, hour, minute;
  bool operator==(const Slot& o) const {
    return year == o.year && month == o.month && day == o.day && hour == o.hour &&
           minute == o.minute;
  }
};

std::ostream& operator<<(std::ostream& os, const Slot& s) {
  return os << s.year << "-" << s.month << "-" << s.day << " " << s.hour << ":" << s.minute;
}

using Slots = std::vector<Slot>;

std::int64_t DayNumberOf(const Slot& s) { return DayNumber(s.year, s.month, s.day); }

// In New York, for its daylight-saving changes.
class RepeatTest : public BookFixture {
 protected:
  RepeatTest() : BookFixture("America/New_York") {}

  // The slots of every entry with this text, in list order.
  Slots SlotsOf(const std::string& text) const {
    Slots out;
    for (const An_Appointment& e : book_) {
      if (e.text == text) out.push_back(SlotOf(e));
    }
    return out;
  }

  static Slot SlotOf(const An_Appointment& e) {
    return {e.year(), e.month(), e.day(), e.hour(), e.minute()};
  }

  Slot LocalSlot(Moment t) const {
    const CalendarFields f = LocalFields(t);
    return {f.year, f.month, f.day, f.hour, f.minute};
  }

  bool BookIsSorted() const {
    for (std::size_t i = 1; i < book_.Count(); ++i) {
      if (book_.At(i - 1).time > book_.At(i).time) return false;
    }
    return true;
  }
};

}  // namespace

// --- NextOccurrence and AdvanceToNext -------------------------------------------

TEST_F(RepeatTest, NextOccurrenceOfEachKindFallsOnItsSlot) {
  const struct {
    const char* what;
    Slot from;
    int kind;
    Slot next;
  } cases[] = {
      // 2025-03-14 is a Friday.
      {"weekdays from Friday", {2025, 3, 14, 9, 0}, kRepeatEveryWeekday, {2025, 3, 17, 9, 0}},
      {"weekdays from Saturday", {2025, 3, 15, 9, 0}, kRepeatEveryWeekday, {2025, 3, 17, 9, 0}},
      {"weekdays from Sunday", {2025, 3, 16, 9, 0}, kRepeatEveryWeekday, {2025, 3, 17, 9, 0}},
      {"weekdays from Wednesday", {2025, 3, 12, 9, 0}, kRepeatEveryWeekday, {2025, 3, 13, 9, 0}},
      {"daily into March", {2025, 2, 28, 7, 15}, kRepeatEveryday, {2025, 3, 1, 7, 15}},
      {"daily into a leap day", {2024, 2, 28, 7, 15}, kRepeatEveryday, {2024, 2, 29, 7, 15}},
      {"weekly into a new year", {2025, 12, 29, 18, 0}, kRepeatWeekly, {2026, 1, 5, 18, 0}},
      {"fortnightly", {2025, 2, 20, 18, 0}, kRepeatEveryOtherWeek, {2025, 3, 6, 18, 0}},
      {"by date from the 31st", {2025, 1, 31, 10, 0}, kRepeatMonthlyByDate, {2025, 2, 28, 10, 0}},
      {"by date into a leap February",
       {2024, 1, 31, 10, 0},
       kRepeatMonthlyByDate,
       {2024, 2, 29, 10, 0}},
      {"by date into April", {2025, 3, 31, 10, 0}, kRepeatMonthlyByDate, {2025, 4, 30, 10, 0}},
      {"by date into a new year",
       {2025, 12, 15, 10, 0},
       kRepeatMonthlyByDate,
       {2026, 1, 15, 10, 0}},
      // Spring forward on 2025-03-09 (a day of 23 hours): adding 24 hours to
      // 23:30 would land on March 10.
      {"daily into spring forward", {2025, 3, 8, 9, 0}, kRepeatEveryday, {2025, 3, 9, 9, 0}},
      {"late daily into spring forward",
       {2025, 3, 8, 23, 30},
       kRepeatEveryday,
       {2025, 3, 9, 23, 30}},
      // Fall back on 2025-11-02 (25 hours): adding 24 hours to 0:30 would
      // stay on November 1.
      {"daily into fall back", {2025, 11, 1, 0, 30}, kRepeatEveryday, {2025, 11, 2, 0, 30}},
      {"weekly over fall back", {2025, 10, 28, 8, 0}, kRepeatWeekly, {2025, 11, 4, 8, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const An_Appointment& e =
        Add(c.from.year, c.from.month, c.from.day, c.from.hour, c.from.minute, c.what, c.kind);
    EXPECT_EQ(LocalSlot(NextOccurrence(e)), c.next);
  }
}

TEST_F(RepeatTest, ADayOfTwentyThreeHoursIsSteppedByItsLength) {
  const An_Appointment& morning = Add(2025, 3, 8, 9, 0, "m", kRepeatEveryday);
  EXPECT_EQ(NextOccurrence(morning) - morning.time, 23 * 3600);
}

TEST_F(RepeatTest, MonthlyByWeekdayStepsToTheSameWeekOfTheNextMonth) {
  An_Appointment& e = Add(2025, 3, 11, 14, 0, "t", kRepeatMonthlyByWeekday);
  e.weekdayText = "every Tuesday";
  e.weekOrdinal = "2nd";
  EXPECT_EQ(LocalSlot(NextOccurrence(e)), (Slot{2025, 4, 8, 14, 0}));
  ASSERT_TRUE(AdvanceToNext(e));
  EXPECT_EQ(LocalSlot(NextOccurrence(e)), (Slot{2025, 5, 13, 14, 0}));

  const struct {
    const char* ordinal;
    int day;  // in April 2025, whose first Tuesday is the 1st
  } cases[] = {{"1st", 1}, {"2nd", 8}, {"3rd", 15}, {"4th", 22}};
  for (const auto& c : cases) {
    e.SetDate(2025, 3, 4);
    e.weekOrdinal = c.ordinal;
    EXPECT_EQ(LocalSlot(NextOccurrence(e)), (Slot{2025, 4, c.day, 14, 0})) << c.ordinal;
  }
  // A weekday text that names no weekday counts as Saturday.
  e.weekOrdinal = "1st";
  e.weekdayText = "";
  EXPECT_EQ(LocalSlot(NextOccurrence(e)), (Slot{2025, 4, 5, 14, 0}));
}

TEST_F(RepeatTest, FifthWeekdaySkipsMonthsWithoutOne) {
  // Saturdays fall five times in March, May and August 2025, not in April,
  // June or July.
  An_Appointment& e = Add(2025, 3, 29, 11, 0, "s", kRepeatMonthlyByWeekday);
  e.weekdayText = "every Saturday";
  e.weekOrdinal = "5th";
  ASSERT_TRUE(AdvanceToNext(e));
  EXPECT_EQ(SlotOf(e), (Slot{2025, 5, 31, 11, 0}));
  ASSERT_TRUE(AdvanceToNext(e));
  EXPECT_EQ(SlotOf(e), (Slot{2025, 8, 30, 11, 0}));
  EXPECT_EQ(LocalSlot(e.time), (Slot{2025, 8, 30, 11, 0}));
}

TEST_F(RepeatTest, YearlyFromFebruary29StaysOnMarch1) {
  An_Appointment& e = Add(2024, 2, 29, 8, 0, "leap", kRepeatYearly);
  ASSERT_TRUE(AdvanceToNext(e));
  EXPECT_EQ(SlotOf(e), (Slot{2025, 3, 1, 8, 0}));
  ASSERT_TRUE(AdvanceToNext(e));
  EXPECT_EQ(SlotOf(e), (Slot{2026, 3, 1, 8, 0}));
}

TEST_F(RepeatTest, NoOccurrenceForNoRuleAnUnknownOrdinalOrPastTheLastMoment) {
  An_Appointment& none = Add(2025, 3, 11, 9, 0, "n", kRepeatNone);
  EXPECT_EQ(NextOccurrence(none), 0);
  An_Appointment& odd = Add(2025, 3, 11, 9, 0, "o", 8);
  EXPECT_EQ(NextOccurrence(odd), 0);
  An_Appointment& ordinal = Add(2025, 3, 11, 9, 0, "x", kRepeatMonthlyByWeekday);
  ordinal.weekdayText = "every Tuesday";
  ordinal.weekOrdinal = "6th";
  EXPECT_EQ(NextOccurrence(ordinal), 0);
  EXPECT_EQ(NextOccurrence(Add(2037, 6, 1, 9, 0, "y", kRepeatYearly)), MakeTime(2038, 6, 1, 9, 0));
  // The calendar ends with 9999.
  EXPECT_EQ(NextOccurrence(Add(9999, 6, 1, 9, 0, "z", kRepeatYearly)), 0);
}

TEST_F(RepeatTest, AdvanceToNextMovesTheDateAndKeepsHourAndMinute) {
  An_Appointment& e = Add(2025, 3, 8, 9, 30, "a", kRepeatEveryday);
  ASSERT_TRUE(AdvanceToNext(e));
  EXPECT_EQ(SlotOf(e), (Slot{2025, 3, 9, 9, 30}));
  EXPECT_EQ(e.time, MakeTime(2025, 3, 9, 9, 30));
  EXPECT_EQ(book_.FindAt(2025, 3, 9, 9, 30), &e);  // found under its new date

  An_Appointment& stuck = Add(2025, 3, 11, 9, 0, "b", kRepeatMonthlyByWeekday);
  stuck.weekOrdinal = "last";
  EXPECT_FALSE(AdvanceToNext(stuck));
  EXPECT_EQ(stuck.time, 0);
  EXPECT_EQ(SlotOf(stuck), (Slot{2025, 3, 11, 9, 0}));
}

// --- ExpandRepeats -------------------------------------------------------------------

// A series runs to its end moment, never past it, and a monthly series set on
// the 31st returns to it after shorter months.
TEST_F(RepeatTest, ASeriesEndsAtItsEndMoment) {
  const int weekdays = kRepeatEveryWeekday, byDate = kRepeatMonthlyByDate;
  struct Day {
    int month, day;
  };
  const struct {
    int kind, monthDay, hour;  // every occurrence at hour:00 in the year of `until`
    Slot until;
    std::vector<Day> days;  // the first is the entry's own
  } cases[] = {
      // Weekdays to the last one's moment, and to the midnight before it.
      {weekdays, 0, 9, {2025, 3, 20, 9, 0}, {{3, 14}, {3, 17}, {3, 18}, {3, 19}, {3, 20}}},
      {weekdays, 0, 9, {2025, 3, 20, 0, 0}, {{3, 14}, {3, 17}, {3, 18}, {3, 19}}},
      // Monthly from the 31st, also over a leap February.
      {byDate, 31, 10, {2025, 6, 15, 0, 0}, {{1, 31}, {2, 28}, {3, 31}, {4, 30}, {5, 31}}},
      {byDate, 31, 10, {2024, 3, 31, 10, 0}, {{1, 31}, {2, 29}, {3, 31}}},
      // The March copy would return to the 31st, after the end date.
      {byDate, 31, 10, {2025, 3, 29, 0, 0}, {{1, 31}, {2, 28}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "until " << c.until);
    Slots expected;
    for (const Day& d : c.days) expected.push_back({c.until.year, d.month, d.day, c.hour, 0});
    const Slot& s = expected.front();
    An_Appointment& o = Add(s.year, s.month, s.day, s.hour, s.minute, "series", c.kind);
    o.monthDay = c.monthDay;
    o.repeatUntil =
        MakeTime(c.until.year, c.until.month, c.until.day, c.until.hour, c.until.minute);
    EXPECT_EQ(ExpandRepeats(o), static_cast<int>(expected.size()) - 1);
    EXPECT_EQ(SlotsOf("series"), expected);
    for (const An_Appointment& e : book_) {
      EXPECT_EQ(e.monthDay, c.monthDay);
      EXPECT_EQ(e.time, MakeTime(e.year(), e.month(), e.day(), e.hour(), e.minute()));
    }
    EXPECT_TRUE(world_.prompts.shown.empty());
    book_.DeleteYear(c.until.year);
  }
}

TEST_F(RepeatTest, ExpansionStopsSilentlyAfter1000Copies) {
  An_Appointment& o = Add(2025, 1, 1, 7, 0, "Pills", kRepeatEveryday);
  o.repeatUntil = MakeTime(2030, 1, 1, 0, 0);
  EXPECT_EQ(ExpandRepeats(o), kMaxRepeatCopies);
  EXPECT_EQ(book_.Count(), 1001u);
  EXPECT_EQ(LocalSlot(book_.At(1000).time), (Slot{2027, 9, 28, 7, 0}));
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_TRUE(BookIsSorted());
}

TEST_F(RepeatTest, DailySeriesAcrossBothDaylightSavingChangesMakesOneCopyPerDay) {
  An_Appointment& o = Add(2025, 3, 7, 0, 30, "Night", kRepeatEveryday);
  o.repeatUntil = MakeTime(2025, 11, 5, 0, 30);
  const int copies = ExpandRepeats(o);
  EXPECT_TRUE(world_.prompts.shown.empty()) << world_.prompts.shown[0].text;
  EXPECT_EQ(copies, 243);  // March 8 .. November 5
  const Slots s = SlotsOf("Night");
  for (std::size_t i = 1; i < s.size(); ++i) {
    EXPECT_EQ(DayNumberOf(s[i]) - DayNumberOf(s[i - 1]), 1) << s[i];
    EXPECT_EQ(s[i].hour, 0);
    EXPECT_EQ(s[i].minute, 30);
  }
}

TEST_F(RepeatTest, CopiesCarryTheWholeRuleAndMatchTheBooksOwnCopy) {
  world_.clock.now = MakeTime(2025, 3, 14, 12, 0);
  An_Appointment& o = Add(2025, 3, 14, 10, 0, "Yoga", kRepeatWeekly);
  o.weekdayText = "every Friday";
  o.weekOrdinal = "2nd";
  o.monthDay = 14;
  SetOtherFields(o);
  o.repeatUntil = MakeTime(2025, 3, 28, 10, 0);
  ASSERT_EQ(ExpandRepeats(o), 2);

  An_Appointment& reference = book_.CreateCopy(o);
  ASSERT_TRUE(AdvanceToNext(reference));
  reference.ArmReminder();
  const An_Appointment* copy = nullptr;
  for (const An_Appointment& e : book_) {
    if (&e != &reference && e.day() == 21) copy = &e;
  }
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->reminderOn, 1);
  EXPECT_EQ(test_common::StoredFields(*copy), test_common::StoredFields(reference))
      << "every stored field equal to the book's own copy";
}

TEST_F(RepeatTest, CopiesDueWithinADayGetTheirReminder) {
  world_.clock.now = MakeTime(2025, 3, 14, 12, 0);
  An_Appointment& o = Add(2025, 3, 14, 10, 0, "Call", kRepeatEveryday);
  o.reminderMinutes = 15;
  o.repeatUntil = MakeTime(2025, 3, 17, 10, 0);
  world_.timers.started.clear();
  ASSERT_EQ(ExpandRepeats(o), 3);
  // Only the copy of March 15 10:00 is due within a day.
  ASSERT_EQ(world_.timers.started.size(), 1u);
  const An_Appointment* armed = book_.FindByReminderTimer(world_.timers.started[0]);
  ASSERT_NE(armed, nullptr);
  EXPECT_EQ(armed->day(), 15);
  EXPECT_EQ(world_.timers.running[world_.timers.started[0]],
            (MakeTime(2025, 3, 15, 9, 45) - world_.clock.now) * 1000u);
}

TEST_F(RepeatTest, ConflictEndsTheSeriesWithItsMessageAndLeavesTheOtherEntry) {
  An_Appointment& existing = Add(2025, 3, 17, 18, 30, "Dentist");
  existing.colour = MakeColour(9, 9, 9);
  An_Appointment& o = Add(2025, 3, 14, 18, 30, "Gym", kRepeatEveryday);
  o.repeatUntil = MakeTime(2025, 3, 30, 0, 0);
  EXPECT_EQ(ExpandRepeats(o), 2);
  EXPECT_EQ(SlotsOf("Gym"),
            (Slots{{2025, 3, 14, 18, 30}, {2025, 3, 15, 18, 30}, {2025, 3, 16, 18, 30}}));
  ExpectOnlyMessage(
      "Unable to (further) schedule the repeating appointment [Gym]; it conflicts with an "
      "existing appointment at 2025/3/17 6:30pm");
  EXPECT_EQ(book_.FindAt(2025, 3, 17, 18, 30), &existing);
  EXPECT_EQ(existing.text, "Dentist");
  EXPECT_EQ(existing.colour, MakeColour(9, 9, 9));
  EXPECT_EQ(book_.Count(), 4u);
  EXPECT_TRUE(BookIsSorted());
}

TEST_F(RepeatTest, TheBookIsInOrderWhileTheConflictMessageIsShown) {
  class CheckingPrompts : public Prompts {
   public:
    explicit CheckingPrompts(const All_Appointments*& book) : book_(book) {}
    bool sortedWhenShown = false;
    PromptAnswer Show(const std::string&, const std::string&, PromptButtons, PromptIcon) override {
      sortedWhenShown = true;
      for (std::size_t i = 1; i < book_->Count(); ++i) {
        if (book_->At(i - 1).time > book_->At(i).time) sortedWhenShown = false;
      }
      return PromptAnswer::Ok;
    }

   private:
    const All_Appointments*& book_;
  };
  const All_Appointments* seen = nullptr;
  CheckingPrompts prompts(seen);
  StoreContext ctx = world_.Context();
  StoreContext checked{ctx.settings, ctx.timerIds, ctx.clock, prompts,  ctx.timers,
                       ctx.notices,  ctx.paths,    ctx.files, ctx.zones};
  All_Appointments book(checked);
  seen = &book;
  for (int d = 1; d <= 28; ++d) {
    An_Appointment& e = book.Create();
    e.SetSlot(2025, 4, d, 12, 0, "busy");
    e.ArmReminder();
  }
  An_Appointment& o = book.Create();
  o.SetSlot(2025, 3, 30, 12, 0, "series");
  o.repeatKind = kRepeatEveryday;
  o.repeatUntil = MakeTime(2025, 5, 1, 0, 0);
  o.ArmReminder();
  EXPECT_EQ(ExpandRepeats(o), 1);
  EXPECT_TRUE(prompts.sortedWhenShown);
}

TEST_F(RepeatTest, UnknownWeekOrdinalEndsWithTheConflictMessageOnThePredecessorsSlot) {
  An_Appointment& o = Add(2025, 3, 11, 9, 0, "Club", kRepeatMonthlyByWeekday);
  o.weekdayText = "every Tuesday";
  o.weekOrdinal = "last";
  o.repeatUntil = MakeTime(2026, 1, 1, 0, 0);
  EXPECT_EQ(ExpandRepeats(o), 0);
  ASSERT_EQ(world_.prompts.shown.size(), 1u);
  EXPECT_NE(
      world_.prompts.shown[0].text.find("[Club]; it conflicts with an existing appointment at "
                                        "2025/3/11 9:00am"),
      std::string::npos);
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_EQ(o.time, MakeTime(2025, 3, 11, 9, 0));
}

TEST_F(RepeatTest, NoCopiesWithoutEndDateOrBeforeTheFirstOccurrence) {
  An_Appointment& o = Add(2025, 3, 11, 9, 0, "a", kRepeatEveryday);
  o.repeatUntil = 0;
  EXPECT_EQ(ExpandRepeats(o), 0);
  o.repeatUntil = -5;
  EXPECT_EQ(ExpandRepeats(o), 0);
  o.repeatUntil = MakeTime(2025, 3, 12, 8, 59);
  EXPECT_EQ(ExpandRepeats(o), 0);
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(RepeatTest, SeriesRunsPast2038AndEndsQuietlyWhereTheCalendarEnds) {
  An_Appointment& birthday = Add(2030, 6, 1, 9, 0, "Birthday", kRepeatYearly);
  birthday.repeatUntil = MakeTime(2045, 6, 1, 9, 0);
  EXPECT_EQ(ExpandRepeats(birthday), 15);  // 2031 .. 2045
  An_Appointment& o = Add(9990, 6, 1, 9, 0, "Anniversary", kRepeatYearly);
  o.repeatUntil = std::numeric_limits<Moment>::max();
  EXPECT_EQ(ExpandRepeats(o), 9);  // 9991 .. 9999
  EXPECT_EQ(SlotsOf("Anniversary").back(), (Slot{9999, 6, 1, 9, 0}));
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(RepeatTest, ExpansionSortsAnUnsortedBook) {
  Add(2025, 5, 1, 9, 0, "late");
  Add(2025, 1, 1, 9, 0, "early");
  An_Appointment& o = Add(2025, 3, 1, 9, 0, "s", kRepeatWeekly);
  o.repeatUntil = MakeTime(2025, 3, 15, 9, 0);
  EXPECT_EQ(ExpandRepeats(o), 2);
  EXPECT_TRUE(BookIsSorted());
  EXPECT_EQ(book_.At(0).text, "early");
  EXPECT_EQ(book_.At(book_.Count() - 1).text, "late");
}

// --- ApplyRepeatRule ------------------------------------------------------------------

namespace {

RepeatChoice Choice(int kind, Moment until) {
  RepeatChoice c;
  c.kind = kind;
  c.until = until;
  c.weekOrdinal = "2nd";
  c.weekdayText = "every Friday";
  c.monthDay = 14;
  return c;
}

}  // namespace

TEST_F(RepeatTest, LongDailyRuleIsCutToOneYearWithItsMessage) {
  for (const Moment until : {MakeTime(2025, 9, 30, 9, 0), MakeTime(2035, 3, 14, 9, 0)}) {
    book_.DeleteYear(2025);
    book_.DeleteYear(2026);
    world_.prompts.shown.clear();
    An_Appointment& e = Add(2025, 3, 14, 9, 0, "Walk");
    ApplyRepeatRule(e, Choice(kRepeatEveryday, until));
    EXPECT_EQ(e.repeatUntil, MakeTime(2026, 3, 14, 0, 0));
    ExpectOnlyMessage(
        "Your appointment repeats every single day for a long time...\nHow about I set "
        "it to repeat for one year from today?\n");
    EXPECT_EQ(SlotsOf("Walk").size(), 365u);  // 2025-03-14 .. 2026-03-13
  }
}

TEST_F(RepeatTest, DailyRuleOf100DaysIsKept) {
  An_Appointment& e = Add(2025, 3, 14, 9, 0, "Walk");
  const Moment until = MakeTime(2025, 6, 22, 9, 0);  // 100 days later
  ApplyRepeatRule(e, Choice(kRepeatEveryday, until));
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_EQ(e.repeatUntil, until);
  EXPECT_EQ(SlotsOf("Walk").size(), 101u);
  EXPECT_EQ(e.repeatKind, kRepeatEveryday);
  EXPECT_EQ(e.weekOrdinal, "2nd");
  EXPECT_EQ(e.weekdayText, "every Friday");
  EXPECT_EQ(e.monthDay, 14);
}

TEST_F(RepeatTest, WeeklyAndMonthlyRulesAreCutToFiveYears) {
  for (const int kind :
       {kRepeatWeekly, kRepeatEveryOtherWeek, kRepeatMonthlyByDate, kRepeatMonthlyByWeekday}) {
    // Each kind in its own slots, so the series do not meet.
    An_Appointment& e = Add(2025, 3, 14, kind + 5, 0, "k" + std::to_string(kind));
    RepeatChoice c = Choice(kind, MakeTime(2033, 3, 1, 9, 0));
    ApplyRepeatRule(e, c);
    EXPECT_EQ(e.repeatUntil, MakeTime(2030, 3, 14, 0, 0)) << "kind " << kind;
    // Five years later in its own year is not cut.
    An_Appointment& f = Add(2025, 3, 15, kind + 5, 30, "f" + std::to_string(kind));
    ApplyRepeatRule(f, Choice(kind, MakeTime(2030, 12, 1, 9, 0)));
    EXPECT_EQ(f.repeatUntil, MakeTime(2030, 12, 1, 9, 0)) << "kind " << kind;
  }
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(RepeatTest, YearlyRuleIsCutToTwentyYears) {
  An_Appointment& recent = Add(2020, 6, 1, 9, 0, "recent");
  ApplyRepeatRule(recent, Choice(kRepeatYearly, MakeTime(2036, 6, 1, 9, 0)));
  EXPECT_EQ(recent.repeatUntil, MakeTime(2036, 6, 1, 9, 0));
  EXPECT_EQ(SlotsOf("recent").size(), 17u);

  An_Appointment& old = Add(2010, 6, 1, 10, 0, "old");
  ApplyRepeatRule(old, Choice(kRepeatYearly, MakeTime(2036, 6, 1, 9, 0)));
  EXPECT_EQ(old.repeatUntil, MakeTime(2030, 6, 1, 0, 0));
  EXPECT_EQ(SlotsOf("old").back(), (Slot{2029, 6, 1, 10, 0}));
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(RepeatTest, EndDatesOutsideTheComparedRangeAreNotCut) {
  // Before 2000-02-12: compared as the entry's own date.
  An_Appointment& e = Add(1995, 1, 10, 9, 0, "nineties");
  ApplyRepeatRule(e, Choice(kRepeatEveryday, MakeTime(1999, 1, 1, 0, 0)));
  EXPECT_EQ(e.repeatUntil, MakeTime(1999, 1, 1, 0, 0));
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_EQ(SlotsOf("nineties").size(), 1001u);  // held by the copy limit

  // After 2038 the caps apply as before it.
  An_Appointment& f = Add(2036, 1, 10, 9, 0, "late");
  ApplyRepeatRule(f, Choice(kRepeatWeekly, MakeTime(2040, 6, 1, 0, 0)));
  EXPECT_EQ(f.repeatUntil, MakeTime(2040, 6, 1, 0, 0));
  An_Appointment& g = Add(2030, 1, 10, 10, 0, "capped");
  ApplyRepeatRule(g, Choice(kRepeatWeekly, MakeTime(2050, 6, 1, 0, 0)));
  EXPECT_EQ(g.repeatUntil, MakeTime(2035, 1, 10, 0, 0));
}

TEST_F(RepeatTest, DoesNotRepeatStoresTheRuleWithoutCopies) {
  An_Appointment& e = Add(2025, 3, 14, 9, 0, "once", kRepeatWeekly);
  ApplyRepeatRule(e, Choice(kRepeatNone, MakeTime(2025, 6, 1, 0, 0)));
  EXPECT_EQ(e.repeatKind, kRepeatNone);
  EXPECT_EQ(e.repeatUntil, MakeTime(2025, 6, 1, 0, 0));
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_EQ(world_.notices.months, 0);
}

TEST_F(RepeatTest, ApplyingARuleArmsTheReminderAndAsksTheMonthViewToRepaint) {
  world_.clock.now = MakeTime(2025, 3, 14, 8, 0);
  An_Appointment& e = Add(2025, 3, 14, 9, 0, "Meet");
  e.reminderMinutes = 10;
  e.time = 0;  // ApplyRepeatRule recomputes it
  ApplyRepeatRule(e, Choice(kRepeatWeekly, MakeTime(2025, 4, 1, 0, 0)));
  EXPECT_EQ(e.time, MakeTime(2025, 3, 14, 9, 0));
  EXPECT_NE(e.timerId(), 0u);
  EXPECT_EQ(world_.notices.months, 1);
  EXPECT_EQ(SlotsOf("Meet").size(), 3u);
}

TEST_F(RepeatTest, SettingARuleAgainMeetsTheOldCopies) {
  An_Appointment& e = Add(2025, 3, 14, 9, 0, "Sync");
  ApplyRepeatRule(e, Choice(kRepeatWeekly, MakeTime(2025, 4, 30, 0, 0)));
  const std::size_t count = book_.Count();
  ApplyRepeatRule(e, Choice(kRepeatWeekly, MakeTime(2025, 5, 30, 0, 0)));
  EXPECT_EQ(book_.Count(), count);
  ASSERT_EQ(world_.prompts.shown.size(), 1u);
  EXPECT_NE(world_.prompts.shown[0].text.find("at 2025/3/21 9:00am"), std::string::npos);
}

TEST_F(RepeatTest, AnEntryWhoseDateCannotBeConvertedIsRefusedUnchanged) {
  An_Appointment& e = book_.Create();
  e.SetSlot(2025, 13, 1, 9, 0, "bad");
  EXPECT_THROW(ApplyRepeatRule(e, Choice(kRepeatWeekly, MakeTime(2025, 6, 1, 0, 0))),
               CalendarError);
  EXPECT_EQ(e.repeatKind, kRepeatNone);
  EXPECT_EQ(e.repeatUntil, 0);
  EXPECT_EQ(book_.Count(), 1u);
}
