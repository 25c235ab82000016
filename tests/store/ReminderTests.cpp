// Arming reminder timers, and the identifiers they get.
#include <gtest/gtest.h>

#include <climits>

#include "Fakes.h"
#include "TimeZone.h"
#include "store/AppointmentBook.h"
#include "store/TimerIds.h"

using namespace lumetta;
using fakes::FakeWorld;

namespace {

class ReminderTest : public ::testing::Test {
protected:
    ScopedTimeZone tz_{"UTC"};
    FakeWorld world_;
    All_Appointments book_{world_.Context()};

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

TEST_F(ReminderTest, FiresTheGivenMinutesBeforeTheEntry) {
    world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
    An_Appointment& e = Entry(2025, 3, 14, 10, 0, 15);
    e.ArmReminder();
    EXPECT_EQ(e.time, MakeTime(2025, 3, 14, 10, 0));
    ASSERT_NE(e.timerId(), 0u);
    EXPECT_EQ(DelayOf(e), 45u * 60 * 1000);  // pop-up at 9:45

    world_.clock.now = MakeTime(2025, 3, 14, 9, 50);
    e.ArmReminder();  // lead negative: nothing, and the old timer is gone
    EXPECT_EQ(e.timerId(), 0u);
    EXPECT_TRUE(world_.timers.running.empty());
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
    world_.clock.now = MakeTime(2025, 3, 9, 1, 0);  // EST
    An_Appointment& e = Entry(2025, 3, 9, 3, 30, 0);  // EDT: 1.5 real hours later
    e.ArmReminder();
    EXPECT_EQ(DelayOf(e), 5400u * 1000);

    world_.clock.now = MakeTime(2025, 11, 2, 0, 30);  // EDT
    An_Appointment& f = Entry(2025, 11, 2, 3, 30, 0);  // EST: 4 real hours later
    f.ArmReminder();
    EXPECT_EQ(DelayOf(f), 4u * 3600 * 1000);
}

TEST_F(ReminderTest, ExtremeReminderMinutesDoNotOverflow) {
    world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
    for (int minutes : {INT_MIN, INT_MAX, INT_MIN + 1, 1000000}) {
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

TEST_F(ReminderTest, FiredReminderForgetsItsTimer) {
    world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
    An_Appointment& e = Entry(2025, 3, 14, 10, 0, 0);
    e.ArmReminder();
    const std::uint32_t id = e.timerId();
    e.ReminderFired();
    EXPECT_EQ(e.timerId(), 0u);
    EXPECT_EQ(book_.FindByReminderTimer(id), nullptr);
    EXPECT_TRUE(world_.timers.stopped.empty());  // the caller stopped it
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
    book_.ReArmLiveReminders();  // entries with a timer; the broken one is passed over
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
    for (std::uint32_t fixed : {timer_ids::kArmReminders, timer_ids::kMinuteClock,
                                timer_ids::kCloseSummary, timer_ids::kThreeHourly,
                                timer_ids::kDailyWebPage, timer_ids::kRefitMainWindow}) {
        EXPECT_TRUE(timer_ids::IsFixed(fixed));
        EXPECT_FALSE(timer_ids::IsReminder(fixed));
        EXPECT_FALSE(timer_ids::IsPopup(fixed));
    }
}

TEST(TimerIdsTest, PopupCounterStaysInItsRange) {
    PopupTimerCounter c;
    const std::uint32_t first = c.Take();
    EXPECT_EQ(first, timer_ids::kPopupFirst);
    EXPECT_TRUE(timer_ids::IsPopup(c.Take()));
    EXPECT_FALSE(timer_ids::IsReminder(first));
}
