// Reminders across the program's life: the day-before reminder of a long
// lead, missed reminders shown once over restarts, and re-arming after the
// clock moved or the machine slept.
#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "common/Records.h"
#include "store/ReminderState.h"

using namespace store;
using fakes::FakeWorld;

namespace {

constexpr std::int64_t kNone = -1;
constexpr std::int64_t kMin = 60 * 1000;

class ReminderClockTest : public BookFixture {
 protected:
  An_Appointment& Entry(int d, int h, int min, int reminderMinutes) {
    An_Appointment& e = book_.Create();
    e.SetSlot(2025, 3, d, h, min, "x");
    e.reminderMinutes = reminderMinutes;
    e.ArmReminder();
    return e;
  }
  std::int64_t DelayOf(const An_Appointment& e) const {
    if (e.timerId() == 0) return kNone;
    return world_.timers.running.at(e.timerId());
  }
  void At(int d, int h, int min) { world_.clock.now = MakeTime(2025, 3, d, h, min); }
};

TEST_F(ReminderClockTest, TheDayBeforeReminderLeavesALongLeadToTheRegularOne) {
  At(14, 7, 0);
  An_Appointment& e = Entry(16, 8, 0, 90);
  e.dayBefore = 1;
  e.ArmReminder();
  ASSERT_EQ(DelayOf(e), 25 * 60 * kMin) << "24 hours before the entry";

  At(15, 8, 0);
  const ReminderDue due = book_.FireReminder(e.timerId());
  EXPECT_EQ(due.entry, &e);
  EXPECT_EQ(e.reminderMinutes, 90);
  book_.ReArmIdleReminders();
  EXPECT_EQ(DelayOf(e), (22 * 60 + 30) * kMin) << "the regular one, 6:30 on the 16th";

  At(16, 6, 30);
  book_.FireReminder(e.timerId());
  EXPECT_EQ(e.reminderMinutes, 0) << "after the regular one, the entry's own time";
  EXPECT_EQ(DelayOf(e), 90 * kMin);
}

// The clock says 14 March, 9:40 at start-up; the last run ended at `lastRun`
// (hour, minute; -1: no run before). The entry is at 10:30 with a lead of 60
// minutes: its reminder moment, 9:30, has passed.
struct SeenCase {
  const char* what;
  int lastRunHour, lastRunMinute;
  std::int64_t delayMs;
};

const SeenCase kSeenCases[] = {
    {"no run before: shown late", -1, 0, kLateReminderDelayMs},
    {"the last run ended before 9:30: shown late", 9, 20, kLateReminderDelayMs},
    {"the last run ended after 9:30: seen then", 9, 35, kNone},
};

TEST_F(ReminderClockTest, AMissedReminderIsShownOnceOverRestarts) {
  for (const SeenCase& c : kSeenCases) {
    FakeWorld world;
    world.clock.now = MakeTime(2025, 3, 14, 9, 40);
    world.files.files["data/Lumetta.bin"] = test_common::Record(
        2025, 3, 14, 10, 30, "Train", [](An_Appointment& e) { e.reminderMinutes = 60; });
    if (c.lastRunHour >= 0) {
      ASSERT_TRUE(WriteLastRunEnd(world.paths, world.files,
                                  MakeTime(2025, 3, 14, c.lastRunHour, c.lastRunMinute)));
    }
    All_Appointments book(world.Context());
    if (const auto end = ReadLastRunEnd(world.paths, world.files)) {
      book.SetRemindersSeenUntil(*end);
    }
    ASSERT_TRUE(book.LoadAtStartup({}));
    const An_Appointment* e = book.FindAt(2025, 3, 14, 10, 30);
    ASSERT_NE(e, nullptr) << c.what;
    const std::int64_t delay = e->timerId() == 0 ? kNone : world.timers.running.at(e->timerId());
    EXPECT_EQ(delay, c.delayMs) << c.what;

    // A new entry typed inside its own lead reminds at once all the same.
    An_Appointment& typed = book.Create();
    typed.SetSlot(2025, 3, 14, 10, 15, "Call");
    typed.reminderMinutes = 60;
    typed.ArmReminder();
    ASSERT_NE(typed.timerId(), 0u) << c.what;
    EXPECT_EQ(world.timers.running.at(typed.timerId()), kLateReminderDelayMs) << c.what;
  }
}

TEST_F(ReminderClockTest, TheLastRunsEndIsKeptAsEightBytes) {
  EXPECT_FALSE(ReadLastRunEnd(world_.paths, world_.files).has_value());
  ASSERT_TRUE(WriteLastRunEnd(world_.paths, world_.files, 1741945200));
  EXPECT_EQ(File("data/reminders.bin"), std::string("\x70\xF9\xD3\x67\0\0\0\0", 8));
  EXPECT_EQ(ReadLastRunEnd(world_.paths, world_.files), 1741945200);
  File("data/reminders.bin") += "x";
  EXPECT_FALSE(ReadLastRunEnd(world_.paths, world_.files).has_value()) << "a longer file";
}

// Entries of 14 March armed at 9:00; then the clock is at `now` and every
// reminder is armed again, counting reminders after 9:00 as missed.
struct ReArmCase {
  const char* what;
  int nowHour, nowMinute;
  int hour, minute, reminderMinutes;  // the entry
  std::int64_t delayMs;
};

const ReArmCase kReArmCases[] = {
    {"ahead: from the new clock", 9, 50, 11, 0, 15, 55 * kMin},
    {"clock set back: from the new clock", 8, 0, 10, 0, 15, 105 * kMin},
    {"reminder passed meanwhile, entry ahead: at once", 9, 50, 10, 0, 15, kLateReminderDelayMs},
    {"reminder and entry passed meanwhile: at once", 11, 0, 9, 30, 15, kLateReminderDelayMs},
    {"no reminder: nothing", 9, 50, 10, 0, -1, kNone},
    {"reminder passed before 9:00: nothing", 11, 0, 9, 10, 15, kNone},
};

TEST_F(ReminderClockTest, ReArmingAfterAClockChangeStartsEveryTimerFromTheClock) {
  for (const ReArmCase& c : kReArmCases) {
    At(14, 9, 0);
    An_Appointment& e = Entry(14, c.hour, c.minute, c.reminderMinutes);
    At(14, c.nowHour, c.nowMinute);
    book_.ReArmAllReminders(MakeTime(2025, 3, 14, 9, 0));
    EXPECT_EQ(DelayOf(e), c.delayMs) << c.what;
    if (e.timerId() != 0) {
      // Shown once: after it fired, arming again shows nothing late.
      book_.FireReminder(e.timerId());
      book_.ReArmAllReminders(MakeTime(2025, 3, 14, 9, 0));
      EXPECT_TRUE(DelayOf(e) == kNone || DelayOf(e) > kLateReminderDelayMs) << c.what;
    }
    book_.Delete(e, false);
  }
}

}  // namespace
