// The main window's timers follow the clock: after the system clock is
// moved and after a sleep, the reminders, the minute tick, the 23-hourly
// pass and the daily web page are started again from the current clock; the
// moment a run ends is kept, so a restart does not show a reminder again.
#include <gtest/gtest.h>

#include <windows.h>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "shell/MainTimers.h"
#include "store/ReminderState.h"

using main_frame_testing::MainFrameTest;
using platform_testing::WriteWholeFile;
using test_common::Record;

namespace {

constexpr std::uint32_t kMin = 60 * 1000;

// The clock says Sunday 16 March 2025, 10:00 when the main window opens,
// with an entry at 11:00 whose reminder is 15 minutes early (a timer of 45
// minutes). Then `message` arrives with the clock at `now` (minutes and
// seconds after 10:00).
struct ClockCase {
  const char* what;
  bool sleep;  // suspended at 10:00, resumed at `now`; else WM_TIMECHANGE
  int minutes, seconds;
  std::uint32_t reminderMs;  // the reminder timer's new delay
  UINT minuteTickMs;
};

const ClockCase kClockCases[] = {
    {"clock moved forward", false, 30, 20, 15 * kMin - 20000, 40000},
    {"clock moved back", false, -60, 0, 105 * kMin, 60000},
    {"slept past the reminder: shown at resume", true, 50, 0, store::kLateReminderDelayMs, 60000},
    {"slept a little", true, 5, 30, 40 * kMin - 30000, 30000},
};

class MainFrameClock : public MainFrameTest {
 protected:
  store::An_Appointment* Entry() { return frame_->Book().FindAt(2025, 3, 16, 11, 0); }
  std::uint32_t ReminderDelay() {
    store::An_Appointment* e = Entry();
    if (e == nullptr || e->timerId() == 0) return 0;
    return services_.reminderTimers.delays[e->timerId()];
  }
};

TEST_F(MainFrameClock, AClockChangeOrAResumeStartsEveryTimerFromTheClock) {
  for (const ClockCase& c : kClockCases) {
    const store::Moment start = store::MakeTime(2025, 3, 16, 10, 0);
    services_.clock.now = start;
    ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"),
                               Record(2025, 3, 16, 11, 0, "Meeting",
                                      [](store::An_Appointment& e) { e.reminderMinutes = 15; })));
    ASSERT_TRUE(MakeFrame());
    ASSERT_EQ(45 * kMin, ReminderDelay()) << c.what;
    timers_.periods.clear();

    if (c.sleep) SendMessageA(frame_->Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    services_.clock.now = start + c.minutes * 60 + c.seconds;
    if (c.sleep) {
      SendMessageA(frame_->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    } else {
      SendMessageA(frame_->Handle(), WM_TIMECHANGE, 0, 0);
    }
    EXPECT_EQ(c.reminderMs, ReminderDelay()) << c.what;
    EXPECT_EQ(c.minuteTickMs, timers_.periods[shell::kMinuteClock]) << c.what;
    EXPECT_EQ(shell::kArmRemindersMs, timers_.periods[shell::kArmReminders]) << c.what;
    EXPECT_TRUE(timers_.Running(shell::kDailyWebPage)) << c.what;
    frame_.reset();
  }
}

TEST_F(MainFrameClock, AMissedReminderShownAtOneStartIsNotShownAtTheNext) {
  // Due at 10:00 - 20 minutes = 9:40; the program starts at 10:00.
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"),
                             Record(2025, 3, 16, 10, 20, "Meeting",
                                    [](store::An_Appointment& e) { e.reminderMinutes = 40; })));
  const auto lateStarts = [this] {
    int n = 0;
    for (const auto& timer : services_.reminderTimers.delays) {
      n += timer.second == store::kLateReminderDelayMs ? 1 : 0;
    }
    return n;
  };
  services_.clock.now = store::MakeTime(2025, 3, 16, 10, 0);
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(1, lateStarts()) << "missed: shown at start";
  services_.clock.now += 60;
  frame_.reset();
  EXPECT_EQ(services_.clock.now,
            store::ReadLastRunEnd(services_.paths, services_.files).value_or(0));

  services_.reminderTimers.delays.clear();
  services_.clock.now += 60;
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(0, lateStarts()) << "shown in the run before";
}

}  // namespace
