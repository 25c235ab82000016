// Arming reminder timers, and the identifiers they get.
#include <gtest/gtest.h>

#include <climits>

#include "StoreFixture.h"
#include "store/TimerIds.h"

using namespace store;
using fakes::FakeWorld;

namespace {

class ReminderTest : public BookFixture {
 protected:
  An_Appointment& Entry(int y, int m, int d, int h, int min, int reminderMinutes) {
    An_Appointment& e = book_.Create();
    e.SetSlot(y, m, d, h, min, "x");
    e.reminderMinutes = reminderMinutes;
    return e;
  }
  std::uint32_t DelayOf(const An_Appointment& e) const {
    return world_.timers.running.at(e.timerId());
  }
};

}  // namespace

// When an entry's reminder timer is started, for entries of 14 March 2025.
struct ArmCase {
  const char* what;
  int hour, minute;  // the entry's time on the 14th
  int reminderMinutes;
  int armDay, armHour, armMinute;  // the clock when it is armed
  std::int64_t delayMs;            // -1: no timer
};

constexpr std::int64_t kNone = -1;
constexpr std::int64_t kMin = 60 * 1000;

const ArmCase kArmCases[] = {
    {"15 minutes early, armed an hour ahead", 10, 0, 15, 14, 9, 0, 45 * kMin},
    {"lead passed, entry still ahead: at once", 10, 0, 15, 14, 9, 50, kLateReminderDelayMs},
    {"entry's own time reached: silent", 10, 0, 15, 14, 10, 0, kNone},
    {"entry's own time passed: silent", 10, 0, 15, 14, 10, 30, kNone},
    {"90 minutes early", 16, 0, 90, 14, 14, 0, 30 * kMin},
    {"90 minutes early, armed after the lead", 16, 0, 90, 14, 15, 0, kLateReminderDelayMs},
    {"reminder more than a day ahead", 10, 0, 15, 13, 9, 0, kNone},
    {"no reminder", 10, 0, -1, 14, 9, 50, kNone},
    {"at the entry's time, armed an hour ahead", 10, 0, 0, 14, 9, 0, 60 * kMin},
    {"a lead longer than a day, entry ahead", 10, 0, 2000, 14, 8, 0, kLateReminderDelayMs},
};

TEST_F(ReminderTest, ArmingTable) {
  for (const ArmCase& c : kArmCases) {
    world_.clock.now = MakeTime(2025, 3, c.armDay, c.armHour, c.armMinute);
    An_Appointment& e = Entry(2025, 3, 14, c.hour, c.minute, c.reminderMinutes);
    e.ArmReminder();
    EXPECT_EQ(e.time, MakeTime(2025, 3, 14, c.hour, c.minute)) << c.what;
    if (c.delayMs == kNone) {
      EXPECT_EQ(e.timerId(), 0u) << c.what;
    } else {
      ASSERT_NE(e.timerId(), 0u) << c.what;
      EXPECT_EQ(DelayOf(e), static_cast<std::uint32_t>(c.delayMs)) << c.what;
    }
    book_.Delete(e, false);
  }
  EXPECT_TRUE(world_.timers.running.empty());
}

TEST_F(ReminderTest, FiresAtItsTimeAndLeavesTheEntryUnarmed) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& e = Entry(2025, 3, 14, 10, 0, 15);
  e.ArmReminder();
  const std::uint32_t id = e.timerId();

  world_.clock.now = MakeTime(2025, 3, 14, 9, 45);
  const ReminderDue due = book_.FireReminder(id);
  EXPECT_EQ(due.entry, &e);
  EXPECT_TRUE(due.popUp);
  EXPECT_EQ(e.timerId(), 0u);
  EXPECT_EQ(e.reminderMinutes, 15);
  EXPECT_EQ(world_.timers.stopped, (std::vector<std::uint32_t>{id}));
  EXPECT_TRUE(world_.timers.running.empty());
  // The 23-hourly pass does not show it again.
  world_.clock.now = MakeTime(2025, 3, 14, 9, 50);
  book_.ReArmIdleReminders();
  EXPECT_EQ(e.timerId(), 0u);
}

TEST_F(ReminderTest, SixtyMinutesOrMoreGiveASecondReminderAtTheEntrysTime) {
  world_.clock.now = MakeTime(2025, 3, 14, 14, 0);
  An_Appointment& e = Entry(2025, 3, 14, 16, 0, 90);
  e.ArmReminder();

  world_.clock.now = MakeTime(2025, 3, 14, 14, 30);
  EXPECT_TRUE(book_.FireReminder(e.timerId()).popUp);
  EXPECT_EQ(e.reminderMinutes, 0);
  ASSERT_NE(e.timerId(), 0u);
  EXPECT_EQ(DelayOf(e), 90 * kMin);  // at 16:00

  world_.clock.now = MakeTime(2025, 3, 14, 16, 0);
  const ReminderDue second = book_.FireReminder(e.timerId());
  EXPECT_EQ(second.entry, &e);
  EXPECT_TRUE(second.popUp);
  EXPECT_EQ(e.timerId(), 0u);
  EXPECT_TRUE(world_.timers.running.empty());
}

TEST_F(ReminderTest, DayBeforeFiresThenALaterPassArmsTheRegularOne) {
  world_.clock.now = MakeTime(2025, 3, 14, 7, 0);
  An_Appointment& e = Entry(2025, 3, 16, 8, 0, 10);
  e.dayBefore = 1;
  e.ArmReminder();

  world_.clock.now = MakeTime(2025, 3, 15, 8, 0);
  const ReminderDue due = book_.FireReminder(e.timerId());
  EXPECT_EQ(due.entry, &e);
  EXPECT_TRUE(due.popUp);
  EXPECT_EQ(e.timerId(), 0u);

  book_.ReArmIdleReminders();
  ASSERT_NE(e.timerId(), 0u);
  EXPECT_EQ(DelayOf(e), (23 * 60 + 50) * kMin);  // 07:50 on the 16th
}

TEST_F(ReminderTest, EarlyTimerShowsNothingAndArmsAgain) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& e = Entry(2025, 3, 14, 10, 0, 15);
  e.ArmReminder();
  const std::uint32_t id = e.timerId();

  world_.clock.now = MakeTime(2025, 3, 14, 9, 44);  // a minute early still counts
  world_.clock.now -= 1;
  const ReminderDue early = book_.FireReminder(id);
  EXPECT_EQ(early.entry, nullptr);
  EXPECT_FALSE(early.popUp);
  ASSERT_NE(e.timerId(), 0u);
  EXPECT_NE(e.timerId(), id);
  EXPECT_EQ(DelayOf(e), 61u * 1000);

  world_.clock.now = MakeTime(2025, 3, 14, 9, 44);
  EXPECT_EQ(book_.FireReminder(e.timerId()).entry, &e);
}

TEST_F(ReminderTest, RemindersDisabledKeepTheBookkeepingButShowNothing) {
  world_.settings.flags = 0;
  world_.clock.now = MakeTime(2025, 3, 14, 14, 0);
  An_Appointment& e = Entry(2025, 3, 14, 16, 0, 60);
  e.ArmReminder();

  world_.clock.now = MakeTime(2025, 3, 14, 15, 0);
  const ReminderDue due = book_.FireReminder(e.timerId());
  EXPECT_EQ(due.entry, &e);
  EXPECT_FALSE(due.popUp);
  EXPECT_EQ(e.reminderMinutes, 0);
  EXPECT_EQ(DelayOf(e), 60 * kMin);
}

TEST_F(ReminderTest, UnknownOrZeroTimerFindsNothing) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& idle = Entry(2025, 3, 14, 8, 0, 15);  // passed: no timer
  idle.ArmReminder();
  ASSERT_EQ(idle.timerId(), 0u);
  EXPECT_EQ(book_.FireReminder(0).entry, nullptr);
  EXPECT_EQ(book_.FireReminder(12345).entry, nullptr);
}

TEST_F(ReminderTest, MissedReminderIsShownOnceWhenArmedAndAgainAfterAChange) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 50);
  An_Appointment& e = Entry(2025, 3, 14, 10, 0, 15);
  e.ArmReminder();
  ASSERT_NE(e.timerId(), 0u);
  const ReminderDue due = book_.FireReminder(e.timerId());
  EXPECT_EQ(due.entry, &e);
  EXPECT_TRUE(due.popUp);

  // Arming again (a pass, an edit of the text) shows it no second time.
  world_.clock.now = MakeTime(2025, 3, 14, 9, 52);
  book_.ReArmIdleReminders();
  e.ArmReminder();
  EXPECT_EQ(e.timerId(), 0u);
  // A changed lead is a new reminder, missed as well: shown at once.
  e.reminderMinutes = 20;
  e.ArmReminder();
  ASSERT_NE(e.timerId(), 0u);
  EXPECT_EQ(DelayOf(e), kLateReminderDelayMs);
}

TEST_F(ReminderTest, MissedReminderOfALoadedBookIsShownAtOnce) {
  world_.clock.now = MakeTime(2025, 3, 14, 8, 0);
  Entry(2025, 3, 14, 10, 0, 15).ArmReminder();  // missed by 09:50
  Entry(2025, 3, 14, 9, 0, 15).ArmReminder();   // its time passed by 09:50
  Entry(2025, 3, 14, 11, 0, 15).ArmReminder();  // still ahead
  ASSERT_TRUE(book_.SaveTo("data/Lumetta.bin"));

  world_.clock.now = MakeTime(2025, 3, 14, 9, 50);
  All_Appointments loaded(world_.Context());
  ASSERT_TRUE(loaded.LoadDataFile("data/Lumetta.bin"));
  ASSERT_EQ(loaded.Count(), 3u);
  const An_Appointment* passed = loaded.FindAt(2025, 3, 14, 9, 0);
  const An_Appointment* missed = loaded.FindAt(2025, 3, 14, 10, 0);
  const An_Appointment* ahead = loaded.FindAt(2025, 3, 14, 11, 0);
  ASSERT_TRUE(passed != nullptr && missed != nullptr && ahead != nullptr);
  EXPECT_EQ(passed->timerId(), 0u);
  ASSERT_NE(missed->timerId(), 0u);
  EXPECT_EQ(world_.timers.running.at(missed->timerId()), kLateReminderDelayMs);
  ASSERT_NE(ahead->timerId(), 0u);
  EXPECT_EQ(world_.timers.running.at(ahead->timerId()), 55 * kMin);
}

TEST_F(ReminderTest, LeadMustLieWithinADay) {
  const Moment t = MakeTime(2025, 3, 14, 10, 0);
  An_Appointment& e = Entry(2025, 3, 14, 10, 0, 0);
  world_.clock.now = t - 1;
  e.ArmReminder();
  EXPECT_EQ(DelayOf(e), 1000u);
  world_.clock.now = t;
  e.ArmReminder();
  EXPECT_EQ(e.timerId(), 0u);
  world_.clock.now = t - 86399;
  e.ArmReminder();
  EXPECT_EQ(DelayOf(e), 86399000u);
  world_.clock.now = t - 86400;
  e.ArmReminder();
  EXPECT_EQ(e.timerId(), 0u);
}

TEST_F(ReminderTest, NoReminderOrReminderOffStartsNothingButSetsTheTime) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& a = Entry(2025, 3, 14, 10, 0, -1);
  a.ArmReminder();
  EXPECT_EQ(a.timerId(), 0u);
  EXPECT_EQ(a.time, MakeTime(2025, 3, 14, 10, 0));
  An_Appointment& b = Entry(2025, 3, 14, 10, 0, 5);
  b.ArmReminder();
  ASSERT_NE(b.timerId(), 0u);
  b.reminderOn = 0;
  b.ArmReminder();
  EXPECT_EQ(b.timerId(), 0u);
  EXPECT_TRUE(world_.timers.running.empty());
}

TEST_F(ReminderTest, DayBeforeReminderFiresExactly24HoursAhead) {
  An_Appointment& e = Entry(2025, 3, 16, 8, 0, 10);
  e.dayBefore = 1;
  world_.clock.now = MakeTime(2025, 3, 14, 7, 0);
  e.ArmReminder();
  ASSERT_NE(e.timerId(), 0u);
  EXPECT_EQ(DelayOf(e), 25u * 3600 * 1000);  // at 8:00 on the 15th

  // The window is 86,401 .. 259,199 seconds ahead.
  world_.clock.now = e.time - 259200;
  e.ArmReminder();
  EXPECT_EQ(e.timerId(), 0u);
  world_.clock.now = e.time - 259199;
  e.ArmReminder();
  EXPECT_EQ(DelayOf(e), 172799000u);
  // Within a day of the regular reminder, that one wins.
  world_.clock.now = e.time - 86401;
  e.ArmReminder();
  EXPECT_EQ(DelayOf(e), 85801000u);

  // Without the settings' reminders flag, no day-before timer.
  world_.settings.flags = kFlagHideOnClose;
  world_.clock.now = MakeTime(2025, 3, 14, 7, 0);
  e.ArmReminder();
  EXPECT_EQ(e.timerId(), 0u);
  // The regular reminder does not look at the flag.
  world_.clock.now = MakeTime(2025, 3, 16, 7, 0);
  e.ArmReminder();
  EXPECT_EQ(DelayOf(e), 50u * 60 * 1000);
}

TEST_F(ReminderTest, LeadIsCountedInRealSecondsAcrossADaylightSavingChange) {
  ScopedTimeZone ny("America/New_York");
  world_.clock.now = MakeTime(2025, 3, 9, 1, 0);    // EST
  An_Appointment& e = Entry(2025, 3, 9, 3, 30, 0);  // EDT: 1.5 real hours later
  e.ArmReminder();
  EXPECT_EQ(DelayOf(e), 5400u * 1000);

  world_.clock.now = MakeTime(2025, 11, 2, 0, 30);   // EDT
  An_Appointment& f = Entry(2025, 11, 2, 3, 30, 0);  // EST: 4 real hours later
  f.ArmReminder();
  EXPECT_EQ(DelayOf(f), 4u * 3600 * 1000);
}

TEST_F(ReminderTest, ExtremeReminderMinutesDoNotOverflow) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  // A lead far in the past counts as missed (the entry is an hour ahead);
  // one far in the future as not yet due.
  for (int minutes : {INT_MAX, 1000000}) {
    An_Appointment& e = Entry(2025, 3, 14, 10, 0, minutes);
    e.ArmReminder();
    ASSERT_NE(e.timerId(), 0u) << minutes;
    EXPECT_EQ(DelayOf(e), kLateReminderDelayMs) << minutes;
  }
  for (int minutes : {INT_MIN, INT_MIN + 1}) {
    An_Appointment& e = Entry(2025, 3, 14, 10, 0, minutes);
    e.ArmReminder();
    EXPECT_EQ(e.timerId(), 0u) << minutes;
  }
}

TEST_F(ReminderTest, IdentifiersComeFromTheCounterStartingAt3) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& a = Entry(2025, 3, 14, 10, 0, 0);
  An_Appointment& b = Entry(2025, 3, 14, 11, 0, 0);
  a.ArmReminder();
  b.ArmReminder();
  EXPECT_EQ(a.timerId(), 3u);
  EXPECT_EQ(b.timerId(), 4u);
  a.ArmReminder();  // re-arming stops the old timer and takes a new identifier
  EXPECT_EQ(a.timerId(), 5u);
  EXPECT_EQ(world_.timers.stopped, (std::vector<std::uint32_t>{3}));
  EXPECT_EQ(book_.FindByReminderTimer(5), &a);
  EXPECT_EQ(book_.FindByReminderTimer(3), nullptr);
}

TEST_F(ReminderTest, RefusedTimerLeavesTheEntryUnarmed) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  world_.timers.refuse = true;
  An_Appointment& e = Entry(2025, 3, 14, 10, 0, 0);
  e.ArmReminder();
  EXPECT_EQ(e.timerId(), 0u);
}

// A second expiry of a spent timer (a WM_TIMER already queued when the timer
// was stopped) shows nothing: one reminder, one pop-up.
TEST_F(ReminderTest, ASpentTimerExpiringAgainShowsNothing) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& e = Entry(2025, 3, 14, 10, 0, 15);
  e.ArmReminder();
  const std::uint32_t id = e.timerId();
  world_.clock.now = MakeTime(2025, 3, 14, 9, 45);
  ASSERT_TRUE(book_.FireReminder(id).popUp);

  world_.clock.now = MakeTime(2025, 3, 14, 9, 46);
  const ReminderDue again = book_.FireReminder(id);
  EXPECT_EQ(again.entry, nullptr);
  EXPECT_FALSE(again.popUp);
  EXPECT_EQ(e.timerId(), 0u);
}

TEST_F(ReminderTest, ReArmPasses) {
  world_.clock.now = MakeTime(2025, 3, 13, 12, 0);
  An_Appointment& today = Entry(2025, 3, 13, 18, 0, 0);
  An_Appointment& tomorrow = Entry(2025, 3, 14, 18, 0, 0);
  An_Appointment& broken = Entry(2025, 3, 13, 17, 0, 0);
  broken.ArmReminder();
  broken.SetKey(2025, 3, 14, 25, 0);  // no longer converts
  today.ArmReminder();
  tomorrow.ArmReminder();
  ASSERT_NE(today.timerId(), 0u);
  ASSERT_EQ(tomorrow.timerId(), 0u);
  ASSERT_NE(broken.timerId(), 0u);

  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  const std::uint32_t todayId = today.timerId();
  book_.ReArmIdleReminders();  // only entries without a timer
  EXPECT_EQ(today.timerId(), todayId);
  EXPECT_NE(tomorrow.timerId(), 0u);

  const std::uint32_t tomorrowId = tomorrow.timerId();
  book_.ReArmLiveReminders();      // entries with a timer; the broken one is passed over
  EXPECT_EQ(today.timerId(), 0u);  // its time has passed
  EXPECT_NE(tomorrow.timerId(), tomorrowId);
  EXPECT_NE(broken.timerId(), 0u);
}

TEST(TimerIdsTest, ReminderCounterStepsOverTheFixedTimers) {
  ReminderTimerCounter c;
  EXPECT_EQ(c.Take(), 3u);
  EXPECT_EQ(c.Take(), 4u);
  c.SetNext(998);
  EXPECT_EQ(c.Take(), 998u);
  EXPECT_EQ(c.Take(), 999u);
  EXPECT_EQ(c.Take(), 10000u);
  c.SetNext(timer_ids::kReminderLast);
  EXPECT_EQ(c.Take(), timer_ids::kReminderLast);
  EXPECT_EQ(c.Take(), 3u);
  for (std::uint32_t fixed :
       {timer_ids::kArmReminders, timer_ids::kMinuteClock, timer_ids::kCloseSummary,
        timer_ids::kThreeHourly, timer_ids::kDailyWebPage, timer_ids::kRefitMainWindow}) {
    EXPECT_TRUE(timer_ids::IsFixed(fixed));
    EXPECT_FALSE(timer_ids::IsReminder(fixed));
    EXPECT_FALSE(timer_ids::IsPopup(fixed));
  }
}

// The 23-hourly pass passes over entries far from today; what it arms must be
// exactly what arming every idle entry would arm.
TEST_F(ReminderTest, IdlePassArmsWhatArmingEveryEntryWould) {
  ScopedTimeZone ny("America/New_York");
  world_.clock.now = MakeTime(2025, 3, 8, 23, 30);  // the night before a clock change
  FakeWorld each;
  each.clock.now = world_.clock.now;
  All_Appointments reference(each.Context());
  for (int offset = -4; offset <= 6; ++offset) {
    for (int hour : {0, 3, 12, 23}) {
      for (int minutes : {-1, 0, 15, 90, 1439, 1500, 3000, -120}) {
        for (int dayBefore : {0, 1}) {
          for (All_Appointments* book : {&book_, &reference}) {
            An_Appointment& e = book->Create();
            e.SetSlot(2025, 3, 9 + offset, hour, 30, "x");
            e.reminderMinutes = minutes;
            e.dayBefore = dayBefore;
          }
        }
      }
    }
  }
  book_.ReArmIdleReminders();
  for (An_Appointment& e : reference) e.ArmReminder();
  ASSERT_FALSE(each.timers.running.empty());
  EXPECT_EQ(world_.timers.started, each.timers.started);
  for (std::size_t i = 0; i < book_.Count(); ++i) {
    const An_Appointment& e = book_.At(i);
    const An_Appointment& r = reference.At(i);
    EXPECT_EQ(e.timerId() != 0, r.timerId() != 0)
        << e.day() << " " << e.hour() << " " << e.reminderMinutes;
    if (e.timerId() != 0 && r.timerId() != 0) {
      EXPECT_EQ(world_.timers.running.at(e.timerId()), each.timers.running.at(r.timerId()));
    }
  }
}
