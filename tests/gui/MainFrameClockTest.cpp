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
#include "store/Settings.h"

using main_frame_testing::MainFrameTest;
using platform_testing::WriteWholeFile;
using test_common::Record;

namespace {

constexpr std::uint32_t kMin = 60 * 1000;

// The clock says `start` when the main window opens (with no settings yet,
// so the daily web page is due at that time of day), with an entry an hour
// later whose reminder is 15 minutes early (a timer of 45 minutes). Then
// the clock moves or the machine sleeps to `minutes` and `seconds` after
// `start`; the years around 2038 and after it time the same.
struct ClockCase {
  const char* what;
  int year, month, day, hour, minute;  // start
  bool sleep;  // suspended at the start, resumed at `now`; else WM_TIMECHANGE
  int minutes, seconds;
  std::uint32_t reminderMs;  // the reminder timer's new delay
  UINT minuteTickMs;
  UINT webPageMs;
};

const ClockCase kClockCases[] = {
    {"clock moved forward", 2025, 3, 16, 10, 0, false, 30, 20, 15 * kMin - 20000, 40000, 84580000},
    {"clock moved back", 2025, 3, 16, 10, 0, false, -60, 0, 105 * kMin, 60000, 3600000},
    {"slept past the reminder: shown at resume", 2025, 3, 16, 10, 0, true, 50, 0,
     store::kLateReminderDelayMs, 60000, 83400000},
    {"slept a little", 2025, 3, 16, 10, 0, true, 5, 30, 40 * kMin - 30000, 30000, 86070000},
    {"into 2038 at midnight", 2037, 12, 31, 23, 30, false, 30, 20, 15 * kMin - 20000, 40000,
     84580000},
    {"2040, clock moved back", 2040, 6, 1, 10, 0, false, -60, 0, 105 * kMin, 60000, 3600000},
    {"2040, slept past the reminder", 2040, 6, 1, 10, 0, true, 50, 0, store::kLateReminderDelayMs,
     60000, 83400000},
    {"2040, slept a little", 2040, 6, 1, 23, 0, true, 5, 30, 40 * kMin - 30000, 30000, 86070000},
};

class MainFrameClock : public MainFrameTest {
 protected:
  std::uint32_t ReminderDelay(store::Moment at) {
    store::CalendarFields f;
    if (!store::LocalFields(at, f)) return 0;
    store::An_Appointment* e = frame_->Book().FindAt(f.year, f.month, f.day, f.hour, f.minute);
    if (e == nullptr || e->timerId() == 0) return 0;
    return services_.reminderTimers.delays[e->timerId()];
  }
};

TEST_F(MainFrameClock, AClockChangeOrAResumeStartsEveryTimerFromTheClock) {
  for (const ClockCase& c : kClockCases) {
    const store::Moment start = store::MakeTime(c.year, c.month, c.day, c.hour, c.minute);
    const store::Moment entry = start + 3600;
    store::CalendarFields at;
    ASSERT_TRUE(store::LocalFields(entry, at)) << c.what;
    services_.clock.now = start;
    DeleteFileA(services_.DataFile("settings.bin").c_str());
    store::g_settings = store::SettingsBlock{};
    ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"),
                               Record(at.year, at.month, at.day, at.hour, at.minute, "Meeting",
                                      [](store::An_Appointment& e) { e.reminderMinutes = 15; })));
    ASSERT_TRUE(MakeFrame());
    ASSERT_EQ(45 * kMin, ReminderDelay(entry)) << c.what;
    timers_.periods.clear();

    if (c.sleep) SendMessageA(frame_->Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    services_.clock.now = start + c.minutes * 60 + c.seconds;
    if (c.sleep) {
      SendMessageA(frame_->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    } else {
      SendMessageA(frame_->Handle(), WM_TIMECHANGE, 0, 0);
    }
    EXPECT_EQ(c.reminderMs, ReminderDelay(entry)) << c.what;
    EXPECT_EQ(c.minuteTickMs, timers_.periods[shell::kMinuteClock]) << c.what;
    EXPECT_EQ(shell::kArmRemindersMs, timers_.periods[shell::kArmReminders]) << c.what;
    EXPECT_EQ(c.webPageMs, timers_.periods[shell::kDailyWebPage]) << c.what;
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
