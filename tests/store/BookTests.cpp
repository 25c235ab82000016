// The appointment record and the appointment book.
#include <gtest/gtest.h>

#include <random>

#include "StoreFixture.h"
#include "common/Records.h"

using namespace store;
using test_common::StoredFields;

namespace {

using BookTest = BookFixture;

using TextList = std::vector<std::string>;

}  // namespace

// --- The record -----------------------------------------------------------------

TEST_F(BookTest, NewEntryTakesItsDefaultsFromTheSettings) {
  world_.settings.reminderMinutes = 15;
  world_.settings.fore = MakeColour(1, 2, 3);
  An_Appointment& e = book_.Create();
  EXPECT_EQ(e.reminderMinutes, 15);
  EXPECT_EQ(e.reminderOn, 1);
  EXPECT_EQ(e.colour, MakeColour(1, 2, 3));
  EXPECT_EQ(e.year(), 0);
  EXPECT_EQ(e.minute(), 0);
  EXPECT_EQ(e.monthDay, 0);
  EXPECT_EQ(e.dayBefore, 0);
  EXPECT_EQ(e.tildeFlag, 0);
  EXPECT_EQ(e.noHighlight, 0);
  EXPECT_EQ(e.repeatKind, 0);
  EXPECT_EQ(e.time, 0);
  EXPECT_EQ(e.repeatUntil, 0);
  EXPECT_EQ(e.timerId(), 0u);
  EXPECT_TRUE(e.text.empty());
  EXPECT_TRUE(e.weekOrdinal.empty());
  EXPECT_TRUE(e.weekdayText.empty());

  world_.settings.reminderMinutes = -1;
  EXPECT_EQ(book_.Create().reminderMinutes, -1);
  world_.settings.reminderMinutes = -5;
  EXPECT_EQ(book_.Create().reminderMinutes, 1);
}

TEST_F(BookTest, NewEntryStandsAtTheEndUntilTheNextSort) {
  Add(2025, 3, 14, 10, 0, "late");
  Add(2025, 3, 14, 9, 0, "early");
  EXPECT_EQ(Texts(), (TextList{"late", "early"}));
  book_.Sort();
  EXPECT_EQ(Texts(), (TextList{"early", "late"}));
}

TEST_F(BookTest, CopyKeepsEveryFieldButTimerAndReminderOnAndSortsTheBook) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  Add(2025, 3, 14, 8, 0, "first");
  An_Appointment& o = book_.Create();
  o.SetSlot(2025, 3, 14, 10, 0, "Board meeting");
  o.SetRepeat(kRepeatMonthlyByWeekday, "2nd", "every Friday", 14);
  SetOtherFields(o);
  o.repeatUntil = 1800000000;
  o.reminderOn = 1;
  o.ArmReminder();
  ASSERT_NE(o.timerId(), 0u);
  o.reminderOn = 0;
  o.SetDate(2025, 3, 13);  // now earlier than "first", not yet sorted
  o.ArmReminder();

  o.reminderOn = 1;  // as every copy has it
  const std::string copied = StoredFields(o);
  o.reminderOn = 0;

  An_Appointment& c = book_.CreateCopy(o);
  EXPECT_EQ(StoredFields(c), copied);
  EXPECT_EQ(c.timerId(), 0u);
  // Sorted: the two entries of the 13th come before "first" of the 14th.
  EXPECT_EQ(Texts(), (TextList{"Board meeting", "Board meeting", "first"}));
}

TEST_F(BookTest, SetSlotAndSetRepeatLeaveTimeToArmReminder) {
  An_Appointment& e = Add(2025, 3, 14, 10, 0, "x");
  const Moment before = e.time;
  e.SetSlot(2025, 3, 15, 11, 30, "y");
  EXPECT_EQ(e.time, before);
  EXPECT_EQ(e.text, "y");
  e.SetRepeat(kRepeatWeekly, "1st", "every Saturday", 15);
  EXPECT_EQ(e.repeatKind, kRepeatWeekly);
  EXPECT_EQ(e.weekOrdinal, "1st");
  EXPECT_EQ(e.weekdayText, "every Saturday");
  EXPECT_EQ(e.monthDay, 15);
  e.ArmReminder();
  EXPECT_EQ(e.time, MakeTime(2025, 3, 15, 11, 30));
}

TEST_F(BookTest, ArmReminderRefusesAKeyThatDoesNotConvertAndChangesNothing) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  world_.settings.reminderMinutes = 15;
  An_Appointment& e = Add(2025, 3, 14, 10, 0, "x");
  const std::uint32_t timer = e.timerId();
  ASSERT_NE(timer, 0u);
  e.SetKey(2025, 13, 14, 10, 0);
  EXPECT_THROW(e.ArmReminder(), CalendarError);
  EXPECT_EQ(e.time, MakeTime(2025, 3, 14, 10, 0));
  EXPECT_EQ(e.timerId(), timer);
}

// --- Lookups -----------------------------------------------------------------------

TEST_F(BookTest, FindAtAnswersTheFirstInListOrderAndHonoursTheSkip) {
  An_Appointment& a = Add(2025, 3, 14, 10, 0, "a");
  An_Appointment& b = Add(2025, 3, 14, 10, 0, "b");
  Add(2025, 3, 14, 10, 30, "c");
  EXPECT_EQ(book_.FindAt(2025, 3, 14, 10, 0), &a);
  EXPECT_EQ(book_.FindAt(2025, 3, 14, 10, 0, &a), &b);
  EXPECT_EQ(book_.FindAt(2025, 3, 14, 10, 0, &b), &a);
  EXPECT_EQ(book_.FindAt(2025, 3, 14, 11, 0), nullptr);
  book_.Destroy(b);
  EXPECT_EQ(book_.FindAt(2025, 3, 14, 10, 0, &a), nullptr);
  // A changed key is found under the new key only.
  a.SetKey(2025, 3, 15, 8, 0);
  EXPECT_EQ(book_.FindAt(2025, 3, 14, 10, 0), nullptr);
  EXPECT_EQ(book_.FindAt(2025, 3, 15, 8, 0), &a);
}

TEST_F(BookTest, FindOnDayFollowsListOrder) {
  An_Appointment& late = Add(2025, 3, 14, 16, 0, "late");
  An_Appointment& early = Add(2025, 3, 14, 8, 0, "early");
  Add(2025, 3, 15, 8, 0, "other day");
  EXPECT_EQ(book_.FindOnDay(2025, 3, 14), &late);
  EXPECT_EQ(book_.FindOnDay(2025, 3, 14, true), &early);
  book_.Sort();
  EXPECT_EQ(book_.FindOnDay(2025, 3, 14), &early);
  EXPECT_EQ(book_.FindOnDay(2025, 3, 14, true), &late);
  EXPECT_EQ(book_.FindOnDay(2025, 3, 16), nullptr);
}

TEST_F(BookTest, HasHighlightedEntryOnReadsTheFlagAsItIsNow) {
  An_Appointment& a = Add(2025, 3, 14, 8, 0, "a");
  An_Appointment& b = Add(2025, 3, 14, 9, 0, "b");
  EXPECT_TRUE(book_.HasHighlightedEntryOn(2025, 3, 14));
  a.noHighlight = 1;
  EXPECT_TRUE(book_.HasHighlightedEntryOn(2025, 3, 14));
  b.noHighlight = 1;
  EXPECT_FALSE(book_.HasHighlightedEntryOn(2025, 3, 14));
  EXPECT_FALSE(book_.HasHighlightedEntryOn(2025, 3, 15));
}

TEST_F(BookTest, NextAppointmentAfterWalksTheCurrentOrder) {
  An_Appointment& late = Add(2025, 3, 14, 16, 0, "late");
  An_Appointment& early = Add(2025, 3, 14, 8, 0, "early");
  const Moment morning = MakeTime(2025, 3, 14, 7, 0);
  EXPECT_EQ(book_.NextAppointmentAfter(morning), &late);  // unsorted: the first later one
  book_.Sort();
  EXPECT_EQ(book_.NextAppointmentAfter(morning), &early);
  EXPECT_EQ(book_.NextAppointmentAfter(early.time), &late);
  EXPECT_EQ(book_.NextAppointmentAfter(late.time), nullptr);
}

TEST_F(BookTest, EntryBefore) {
  An_Appointment& b = Add(2025, 3, 14, 9, 0, "b");
  An_Appointment& a = Add(2025, 3, 14, 8, 0, "a");
  An_Appointment& c = Add(2025, 3, 14, 10, 0, "c");
  EXPECT_EQ(book_.EntryBefore(b), &a);  // sorts first
  EXPECT_EQ(book_.EntryBefore(c), &b);
  EXPECT_EQ(book_.EntryBefore(a), nullptr);
}

TEST_F(BookTest, FindByReminderTimer) {
  world_.clock.now = MakeTime(2025, 3, 14, 7, 0);
  An_Appointment& a = Add(2025, 3, 14, 8, 0, "a");
  An_Appointment& b = Add(2025, 3, 14, 9, 0, "b");
  ASSERT_NE(a.timerId(), 0u);
  ASSERT_NE(b.timerId(), a.timerId());
  EXPECT_EQ(book_.FindByReminderTimer(a.timerId()), &a);
  EXPECT_EQ(book_.FindByReminderTimer(b.timerId()), &b);
  const std::uint32_t old = a.timerId();
  a.CancelReminder();
  EXPECT_EQ(book_.FindByReminderTimer(old), nullptr);
  EXPECT_EQ(book_.FindByReminderTimer(12345), nullptr);
}

TEST_F(BookTest, SortKeepsEqualTimesInTheirOrder) {
  Add(2025, 3, 14, 9, 0, "x1");
  Add(2025, 3, 14, 8, 0, "a");
  Add(2025, 3, 14, 9, 0, "x2");
  Add(2025, 3, 14, 9, 0, "x3");
  book_.Sort();
  EXPECT_EQ(Texts(), (TextList{"a", "x1", "x2", "x3"}));
  // The general path (many entries out of order) keeps equal times in order too.
  for (int i = 0; i < 200; ++i) Add(2025, 3, 1 + (i * 7) % 28, 12, 0, "n" + std::to_string(i));
  book_.Sort();
  Moment last = 0;
  std::map<Moment, int> lastIndex;
  for (const An_Appointment& e : book_) {
    EXPECT_LE(last, e.time);
    last = e.time;
    if (e.text[0] == 'n') {
      const int i = std::stoi(e.text.substr(1));
      EXPECT_LT(lastIndex[e.time], i + 1);
      lastIndex[e.time] = i + 1;
    }
  }
}

// --- Deleting --------------------------------------------------------------------

TEST_F(BookTest, DeleteTakesTheContinuedEntriesThatFollow) {
  An_Appointment& meeting = Add(2025, 3, 14, 10, 0, "Meeting");
  Add(2025, 3, 14, 10, 30, "Meeting (continued)");
  Add(2025, 3, 14, 11, 0, "Lunch");
  int removed = 5;
  book_.Delete(meeting, true, &removed);
  EXPECT_EQ(removed, 7);
  EXPECT_EQ(Texts(), (TextList{"Lunch"}));
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(BookTest, ContinuedAtTheStartOfTheTextIsNoContinuation) {
  An_Appointment& a = Add(2025, 3, 14, 10, 0, "Meeting");
  Add(2025, 3, 14, 10, 30, "continued talks");
  Add(2025, 3, 14, 11, 0, "X continued");  // "continued" at position 2 would count
  book_.Delete(a, false);
  EXPECT_EQ(Texts(), (TextList{"continued talks", "X continued"}));
}

TEST_F(BookTest, ContinuationChainCrossesDaysAndCancelsTimers) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& a = Add(2025, 3, 14, 23, 30, "Night shift");
  Add(2025, 3, 15, 0, 0, "Night shift (continued)");
  Add(2025, 3, 15, 0, 30, "Night shift (continued)");
  ASSERT_EQ(world_.timers.running.size(), 3u);
  int removed = 0;
  book_.Delete(a, false, &removed);
  EXPECT_EQ(removed, 3);
  EXPECT_TRUE(book_.Empty());
  EXPECT_TRUE(world_.timers.running.empty());
}

TEST_F(BookTest, RepeatingContinuationStopsTheChainUnlessAsked) {
  {
    An_Appointment& a = Add(2025, 3, 14, 10, 0, "Talk");
    An_Appointment& c = Add(2025, 3, 14, 10, 30, "Talk (continued)");
    c.repeatKind = kRepeatWeekly;
    book_.Delete(a, false);
    EXPECT_EQ(Texts(), (TextList{"Talk (continued)"}));
    EXPECT_TRUE(world_.prompts.shown.empty());
    book_.DeleteDay(2025, 3, 14);
  }
  {
    An_Appointment& a = Add(2025, 3, 14, 10, 0, "Talk");
    An_Appointment& c = Add(2025, 3, 14, 10, 30, "Talk (continued)");
    c.repeatKind = kRepeatWeekly;
    world_.prompts.answer = PromptAnswer::No;
    int removed = 0;
    book_.Delete(a, true, &removed);
    EXPECT_EQ(removed, 2);
    EXPECT_TRUE(book_.Empty());
    ExpectOnlyMessage(
        "You have deleted a datebook entry which repeats.\n Delete the other \"Talk "
        "(continued)\" repeating entries in this time slot as well?",
        PromptButtons::YesNo, PromptIcon::Question);
  }
}

TEST_F(BookTest, YesToTheRepeatQuestionDeletesTheSeries) {
  auto gym = [&](int day, const std::string& text, const std::string& weekday) -> An_Appointment& {
    An_Appointment& e = Add(2025, 3, day, 18, 0, text);
    e.SetRepeat(kRepeatWeekly, "", weekday, 0);
    return e;
  };
  An_Appointment& first = gym(3, "Gym", "every Monday");
  gym(10, "Gym", "every Monday");
  gym(17, "Gym", "every Monday");
  gym(6, "Gym", "every Thursday");
  gym(24, "Gym Dentist", "every Monday");
  Add(2025, 3, 31, 18, 0, "Gym");  // not repeating: stays
  world_.prompts.answer = PromptAnswer::Yes;
  int removed = 0;
  book_.Delete(first, true, &removed);
  EXPECT_EQ(removed, 1);  // the entry itself; the copies are not counted
  EXPECT_EQ(Texts(), (TextList{"Gym", "Dentist", "Gym"}));
  const An_Appointment* dentist = book_.FindAt(2025, 3, 24, 18, 0);
  ASSERT_NE(dentist, nullptr);
  EXPECT_EQ(dentist->repeatKind, kRepeatNone);
  const An_Appointment* thursday = book_.FindAt(2025, 3, 6, 18, 0);
  ASSERT_NE(thursday, nullptr);
  EXPECT_EQ(thursday->repeatKind, kRepeatWeekly);
}

TEST_F(BookTest, YesDeletesConsecutiveCopiesFromPositionZero) {
  auto copy = [&](int day) -> An_Appointment& {
    An_Appointment& e = Add(2025, 3, day, 9, 0, "Standup");
    e.SetRepeat(kRepeatEveryday, "", "", 0);
    return e;
  };
  copy(1);
  copy(2);
  copy(3);
  An_Appointment& last = copy(4);
  book_.Sort();
  world_.prompts.answer = PromptAnswer::Yes;
  book_.AskDeleteRepeats(last);
  EXPECT_EQ(Texts(), (TextList{"Standup"}));
  EXPECT_EQ(&book_.At(0), &last);
}

TEST_F(BookTest, NoToTheRepeatQuestionChangesNothingElse) {
  An_Appointment& a = Add(2025, 3, 3, 18, 0, "Gym");
  a.SetRepeat(kRepeatEveryday, "", "", 0);
  Add(2025, 3, 4, 18, 0, "Gym").SetRepeat(kRepeatEveryday, "", "", 0);
  world_.prompts.answer = PromptAnswer::No;
  book_.Delete(a, true);
  EXPECT_EQ(Texts(), (TextList{"Gym"}));
}

TEST_F(BookTest, DeleteDayAndDeleteYear) {
  world_.clock.now = MakeTime(2025, 3, 14, 1, 0);
  Add(2025, 3, 14, 10, 0, "a");
  Add(2025, 3, 14, 11, 0, "b");
  Add(2025, 3, 15, 0, 0, "b (continued)");
  Add(2024, 3, 14, 11, 0, "last year");
  Add(2026, 1, 1, 11, 0, "next year");
  book_.DeleteDay(2025, 3, 14);
  EXPECT_EQ(Texts(), (TextList{"last year", "b (continued)", "next year"}));
  EXPECT_EQ(world_.timers.running.size(), 1u);  // the timer of "b (continued)" only
  book_.DeleteYear(2025);
  EXPECT_EQ(Texts(), (TextList{"last year", "next year"}));
  EXPECT_TRUE(world_.timers.running.empty());
  EXPECT_EQ(book_.FindOnDay(2025, 3, 14), nullptr);
}

// Sorting a few new entries into one spot again and again uses up the room
// between list labels; list order must stay known throughout.
TEST_F(BookTest, ManyInsertionsAtOneSpotKeepListOrder) {
  Add(2025, 3, 14, 8, 0, "before");
  Add(2025, 3, 14, 12, 0, "after");
  for (int i = 0; i < 100; ++i) {
    An_Appointment& e = Add(2025, 3, 14, 10, 0, "n" + std::to_string(i));
    e.time = book_.At(1).time - 1;  // always just before the second entry
    book_.Sort();
    ASSERT_EQ(&book_.At(1), &e);
    ASSERT_EQ(book_.FindAt(2025, 3, 14, 10, 0), &e) << i;
    ASSERT_EQ(book_.FindOnDay(2025, 3, 14, true), &book_.At(book_.Count() - 1));
  }
  book_.Destroy(book_.At(50));
  EXPECT_EQ(book_.Count(), 101u);
  EXPECT_EQ(book_.At(0).text, "before");
  EXPECT_EQ(book_.At(100).text, "after");
}

TEST_F(BookTest, SortKeepsEqualTimesInOrderWithEarlyEntriesThroughoutTheList) {
  // As in a file read where clocks go forward: here and there an entry takes
  // the time of one a few places before it. Few such entries, and many.
  for (int every : {50, 4}) {
    book_.DeleteYear(2025);
    for (int i = 0; i < 400; ++i) {
      const int minute = i % every == every - 1 ? i - 3 : i;
      Add(2025, 3, 14, 9, 0, std::to_string(i)).time = minute * 60;
    }
    book_.Sort();
    for (std::size_t i = 1; i < book_.Count(); ++i) {
      const An_Appointment& a = book_.At(i - 1);
      const An_Appointment& b = book_.At(i);
      ASSERT_TRUE(a.time < b.time || (a.time == b.time && std::stoi(a.text) < std::stoi(b.text)))
          << "every " << every << ": " << a.text << " before " << b.text;
    }
  }
}

TEST_F(BookTest, SortHandlesEveryAmountOfDisorder) {
  std::mt19937 rng(3);
  for (int outOfOrder : {1, 5, 9, 40, 300}) {
    book_.DeleteYear(2025);
    for (int i = 0; i < 600; ++i) Add(2025, 1 + i % 12, 1 + i % 28, i % 24, 0, "s").time = i;
    book_.Sort();
    for (int i = 0; i < outOfOrder; ++i) {
      Add(2025, 1, 1, 0, 30, "x").time = static_cast<Moment>(rng() % 700);
    }
    book_.Sort();
    for (std::size_t i = 1; i < book_.Count(); ++i) {
      ASSERT_LE(book_.At(i - 1).time, book_.At(i).time) << outOfOrder;
    }
    const An_Appointment* first = nullptr;
    for (const An_Appointment& e : book_) {
      if (e.month() == 1 && e.day() == 1) {
        first = &e;
        break;
      }
    }
    EXPECT_EQ(book_.FindOnDay(2025, 1, 1), first) << outOfOrder;
  }
}

// The indexes must answer exactly what a walk of the list answers, whatever
// happened to the entries: random operations against a plain model.
TEST_F(BookTest, IndexesAgreeWithAWalkOfTheList) {
  std::mt19937 rng(12345);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto field = [&](int lo, int hi) {
    if (pick(40) == 0) return pick(2) == 0 ? -1 - pick(3) : 256 + pick(3);  // no index key
    return lo + pick(hi - lo + 1);
  };
  for (int step = 0; step < 4000; ++step) {
    const int op = pick(10);
    if (op < 4 || book_.Empty()) {
      An_Appointment& e = book_.Create();
      e.SetSlot(2025, field(1, 2), field(1, 3), field(8, 9), pick(2) * 30, "t");
      e.time = pick(1000);
      e.noHighlight = pick(3) == 0;
      if (pick(8) == 0) {  // now and then many at once
        for (int k = 0; k < 12; ++k) book_.Create().time = pick(1000);
      }
    } else {
      An_Appointment& e = book_.At(static_cast<std::size_t>(pick(static_cast<int>(book_.Count()))));
      switch (op) {
        case 4:
          e.SetKey(2025, field(1, 2), field(1, 3), field(8, 9), pick(2) * 30);
          break;
        case 5:
          e.SetDate(2025, field(1, 2), field(1, 3));
          break;
        case 6:
          book_.Destroy(e);
          break;
        case 7:
          book_.Sort();
          for (std::size_t i = 1; i < book_.Count(); ++i) {
            ASSERT_LE(book_.At(i - 1).time, book_.At(i).time) << "step " << step;
          }
          break;
        case 8:
          e.time = pick(1000);
          break;
        default:
          book_.DeleteDay(2025, field(1, 2), field(1, 3));
          break;
      }
    }
    {
      const Moment probe = pick(1000);
      const An_Appointment* later = nullptr;
      for (const An_Appointment& e : book_) {
        if (e.time > probe) {
          later = &e;
          break;
        }
      }
      ASSERT_EQ(book_.NextAppointmentAfter(probe), later) << "step " << step;
    }
    for (int q = 0; q < 3; ++q) {
      const int m = field(1, 2), d = field(1, 3), h = field(8, 9), mi = pick(2) * 30;
      const An_Appointment* skip =
          book_.Empty() || pick(2)
              ? nullptr
              : &book_.At(static_cast<std::size_t>(pick(static_cast<int>(book_.Count()))));
      const An_Appointment* firstAt = nullptr;
      const An_Appointment* firstDay = nullptr;
      const An_Appointment* lastDay = nullptr;
      bool highlighted = false;
      for (const An_Appointment& e : book_) {
        if (e.month() != m || e.day() != d) continue;
        if (firstDay == nullptr) firstDay = &e;
        lastDay = &e;
        if (e.noHighlight == 0) highlighted = true;
        if (&e != skip && e.hour() == h && e.minute() == mi && firstAt == nullptr) firstAt = &e;
      }
      ASSERT_EQ(book_.FindAt(2025, m, d, h, mi, skip), firstAt) << "step " << step;
      ASSERT_EQ(book_.FindOnDay(2025, m, d), firstDay) << "step " << step;
      ASSERT_EQ(book_.FindOnDay(2025, m, d, true), lastDay) << "step " << step;
      ASSERT_EQ(book_.HasHighlightedEntryOn(2025, m, d), highlighted) << "step " << step;
    }
  }
}
