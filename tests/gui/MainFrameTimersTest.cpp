// The main window's timers: identifiers and periods at creation, the
// start-up summary's duration, retries when the system refuses a timer,
// what each expiry does, and writing the data file a minute after a change.
#include <gtest/gtest.h>

#include <windows.h>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "shell/DayIcons.h"
#include "shell/MainTimers.h"
#include "support/Pump.h"
#include "views/MonthView.h"
#include "views/QuickCheckPopup.h"

using main_frame_testing::MainFrameTest;
using platform_testing::PathExists;
using platform_testing::ReadWholeFile;
using platform_testing::WriteWholeFile;
using test_common::Record;

namespace {

using MainFrameTimers = MainFrameTest;

TEST(TimerRules, MinuteTimerWaitsUntilTheNextFullMinute) {
  EXPECT_EQ(60000u, shell::MinuteTimerDelayMs(0));
  EXPECT_EQ(45000u, shell::MinuteTimerDelayMs(15));
  EXPECT_EQ(1000u, shell::MinuteTimerDelayMs(59));
  EXPECT_EQ(1000u, shell::MinuteTimerDelayMs(60)) << "a leap second";
}

TEST(TimerRules, SummarySecondsCountWhenTheyGiveOneToThreeHundredSeconds) {
  EXPECT_EQ(7000u, shell::SummaryDurationMs(0, 7000));
  EXPECT_EQ(1000u, shell::SummaryDurationMs(1, 7000));
  EXPECT_EQ(12000u, shell::SummaryDurationMs(12, 7000));
  EXPECT_EQ(300000u, shell::SummaryDurationMs(300, 7000));
  EXPECT_EQ(10000u, shell::SummaryDurationMs(301, 10000));
  EXPECT_EQ(10000u, shell::SummaryDurationMs(-5, 10000));
}

TEST(TimerRules, AStartIsTriedTenTimesInAll) {
  main_frame_testing::RecordingTimers timers;
  timers.refusals = 9;
  EXPECT_TRUE(shell::StartRetrying(timers, 3000, 100));
  EXPECT_EQ(10, timers.attempts);
  timers.attempts = 0;
  timers.refusals = 10;
  EXPECT_FALSE(shell::StartRetrying(timers, 3000, 100));
  EXPECT_EQ(10, timers.attempts);
}

TEST_F(MainFrameTimers, CreationStartsTheTimersWithTheirFixedPeriods) {
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(10800000u, timers_.periods[3489]);
  EXPECT_EQ(82800000u, timers_.periods[3000]);
  EXPECT_EQ(30000u, timers_.periods[3444]);
  EXPECT_EQ(60000u, timers_.periods[shell::kSaveAfterChange]);
  // No entries or notes today: no summary pop-up, 7 seconds.
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_EQ(7000u, timers_.periods[3488]);
  // The default page at the time the settings were first made: now, so a day from now.
  EXPECT_EQ(86400000u, timers_.periods[3490]);
  EXPECT_FALSE(timers_.Running(6969));
}

TEST_F(MainFrameTimers, TheSummaryOfABusyDayStaysTwoSecondsALine) {
  // Sunday 16 March 2025 (the test clock's today) with three entries: the
  // date line and three entry lines.
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"),
                             Record(2025, 3, 16, 9, 0, "One") + Record(2025, 3, 16, 11, 0, "Two") +
                                 Record(2025, 3, 16, 15, 30, "Three")));
  ASSERT_TRUE(MakeFrame());
  views::FastView* popup = views::CurrentQuickCheckPopup();
  ASSERT_NE(nullptr, popup) << "the start-up summary shows today";
  EXPECT_EQ(4u, popup->Lines().size());
  EXPECT_EQ(8000u, timers_.periods[3488]);

  SendMessageA(frame_->Handle(), WM_TIMER, 3488, 0);
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup()) << "timer 3488 closes it";
  EXPECT_FALSE(timers_.Running(3488));
}

TEST_F(MainFrameTimers, SummarySecondsSettingDecidesTheSummarysDuration) {
  store::SettingsBlock block{};
  store::SetDefaultSettings(block, services_.clock.now);
  block.summarySeconds = 12;
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("settings.bin"),
                             std::string(reinterpret_cast<const char*>(&block), sizeof block)));
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(12000u, timers_.periods[3488]);
}

TEST_F(MainFrameTimers, RefusedTimersAreTriedAgain) {
  timers_.refusals = 9;  // the first timer started gets through on its tenth try
  ASSERT_TRUE(MakeFrame());
  EXPECT_TRUE(timers_.Running(3489));
  EXPECT_TRUE(timers_.Running(3000));
  EXPECT_TRUE(timers_.Running(3444));
}

TEST_F(MainFrameTimers, TheMinuteTimerRepaintsAndWaitsForTheNextFullMinute) {
  ASSERT_TRUE(MakeFrame());
  services_.clock.now = store::MakeTime(2025, 3, 16, 10, 7) + 15;
  SendMessageA(frame_->Handle(), WM_TIMER, 3444, 0);
  EXPECT_EQ(45000u, timers_.periods[3444]);
  RECT update = {};
  EXPECT_TRUE(GetUpdateRect(frame_->MonthView()->Handle(), &update, FALSE)) << "a repaint is due";
}

TEST_F(MainFrameTimers, TheDailyTimersStartThemselvesAgain) {
  ASSERT_TRUE(MakeFrame());
  timers_.periods.clear();
  SendMessageA(frame_->Handle(), WM_TIMER, 3000, 0);
  EXPECT_EQ(82800000u, timers_.periods[3000]);
  SendMessageA(frame_->Handle(), WM_TIMER, 3489, 0);
  EXPECT_EQ(10800000u, timers_.periods[3489]);
}

TEST_F(MainFrameTimers, TheThreeHourlyTimerWritesTheDataFileAndFollowsTheDay) {
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"), Record(2025, 3, 18, 9, 0, "Kept")));
  ASSERT_TRUE(MakeFrame());
  const std::string data = services_.DataFile("Lumetta.bin");
  ASSERT_TRUE(DeleteFileA(data.c_str()));
  services_.clock.now = store::MakeTime(2025, 3, 17, 1, 30);  // after midnight
  SendMessageA(frame_->Handle(), WM_TIMER, 3489, 0);
  EXPECT_EQ(204u, ReadWholeFile(data).size()) << "written even without a change";
  // Drawn at the size the notification area asks for.
  const main_frame_testing::DayPage page =
      main_frame_testing::ReadDayPage(frame_->Tray().Record().hIcon);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), page.size);
  ASSERT_NE(0, page.grid);
  for (int y = 0; y < page.grid; ++y) {
    for (int x = 0; x < page.grid; ++x) {
      EXPECT_EQ(shell::DayIcons::IsDigitPixel(page.grid, 17, x, y), page.Red(x, y))
          << x << "," << y;
    }
  }
}

TEST_F(MainFrameTimers, TheDataFileIsWrittenAMinuteAfterAChangeAndOnlyThen) {
  ASSERT_TRUE(WriteWholeFile(services_.DataFile("Lumetta.bin"), Record(2025, 3, 18, 9, 0, "Kept")));
  ASSERT_TRUE(MakeFrame());
  const std::string data = services_.DataFile("Lumetta.bin");
  ASSERT_TRUE(DeleteFileA(data.c_str()));

  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSaveAfterChange, 0);
  EXPECT_FALSE(PathExists(data)) << "nothing changed: nothing written";

  // A change of a field in place, as the day planner makes them.
  frame_->Book().At(0).text = "Changed";
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSaveAfterChange, 0);
  const std::string written = ReadWholeFile(data);
  EXPECT_EQ(std::vector<std::string>{"Changed"}, test_common::RecordTexts(written));

  ASSERT_TRUE(DeleteFileA(data.c_str()));
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSaveAfterChange, 0);
  EXPECT_FALSE(PathExists(data)) << "written once per change";

  // A new entry counts as a change, and so does a deleted one.
  store::An_Appointment& added = frame_->Book().Create();
  added.SetSlot(2025, 3, 19, 10, 0, "New");
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSaveAfterChange, 0);
  EXPECT_EQ(408u, ReadWholeFile(data).size());
  frame_->Book().Destroy(frame_->Book().At(0));
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSaveAfterChange, 0);
  EXPECT_EQ(204u, ReadWholeFile(data).size());
}

TEST_F(MainFrameTimers, ABookTakenFromAnOlderVersionsFileIsWrittenAtTheFirstCheck) {
  // An older version kept its data file in the current folder; it is read
  // once, and the data folder has no data file yet.
  ASSERT_TRUE(
      WriteWholeFile(services_.data.appData / "Lumetta.bin", Record(2025, 3, 18, 9, 0, "Old")));
  ASSERT_TRUE(MakeFrame());
  const std::string data = services_.DataFile("Lumetta.bin");
  ASSERT_FALSE(PathExists(data));
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSaveAfterChange, 0);
  const std::string written = ReadWholeFile(data);
  EXPECT_EQ(std::vector<std::string>{"Old"}, test_common::RecordTexts(written));
}

}  // namespace
