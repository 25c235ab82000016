// File > Timer: the countdown timer dialog's values, ranges and messages,
// what OK, Cancel and Esc leave behind, and the countdowns it starts, whose
// expiry opens a "Timer expired" pop-up that snoozes for the countdown's own
// time or for 5 minutes. Timers are recorded, and their expiry is delivered
// by hand: nothing waits.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MainFrameTestSupport.h"
#include "resource.h"
#include "shell/ReminderPopup.h"
#include "shell/ReminderPopups.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "support/WindowText.h"

using main_frame_testing::MainFrameTest;
using testing_support::ControlText;
using testing_support::PumpPending;
using testing_support::SeenDialog;

namespace {

// What the user types into the dialog, as texts.
struct Typed {
  const char* hours;
  const char* minutes;
  const char* seconds;
  bool snoozeWithThisTime;
  std::string text;
};

class CountdownTimerTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    ASSERT_TRUE(MakeFrame());
    services_.prompter.texts.clear();
  }

  // Opens File > Timer, types the values and presses `button` (IDOK,
  // IDCANCEL, or 0 for Esc); a dialog that stays open after OK is then
  // cancelled. `opened` receives the dialog's values as it opened.
  void RunTimer(const Typed& typed, int button, Typed* opened = nullptr) {
    testing_support::DialogWatcher watcher;
    watcher.Then([&](const SeenDialog& dialog) {
      HWND d = dialog.hwnd;
      if (opened != nullptr) {
        openedHours_ = ControlText(d, IDC_TIMER_HOURS);
        openedMinutes_ = ControlText(d, IDC_TIMER_MINUTES);
        openedSeconds_ = ControlText(d, IDC_TIMER_SECONDS);
        *opened = Typed{openedHours_.c_str(), openedMinutes_.c_str(), openedSeconds_.c_str(),
                        IsDlgButtonChecked(d, IDC_TIMER_SNOOZE_WITH_TIME) == BST_CHECKED,
                        ControlText(d, IDC_TIMER_TEXT)};
      }
      SetDlgItemTextA(d, IDC_TIMER_HOURS, typed.hours);
      SetDlgItemTextA(d, IDC_TIMER_MINUTES, typed.minutes);
      SetDlgItemTextA(d, IDC_TIMER_SECONDS, typed.seconds);
      CheckDlgButton(d, IDC_TIMER_SNOOZE_WITH_TIME,
                     typed.snoozeWithThisTime ? BST_CHECKED : BST_UNCHECKED);
      SetDlgItemTextA(d, IDC_TIMER_TEXT, typed.text.c_str());
      if (button == 0) {
        PostMessageA(GetDlgItem(d, IDC_TIMER_HOURS), WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
      }
      PostMessageA(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      // Reached only when the dialog refused to close.
      PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return 0;
    });
    testing_support::SendCommand(frame_->Handle(), ID_FILE_TIMER);
    PumpPending();
    ASSERT_EQ(1u, watcher.Seen().size());
    EXPECT_EQ("Countdown Timer", watcher.Seen()[0].caption);
  }

  const shell::Countdowns& Running() const { return frame_->RunningCountdowns(); }
  shell::ReminderPopups& Popups() { return frame_->Popups(); }

  // The countdown's timer expires.
  void Expire(UINT_PTR id) {
    SendMessageA(frame_->Handle(), WM_TIMER, id, 0);
    PumpPending();
  }

  // Clicks the pop-up's lower icon.
  void Snooze(shell::ReminderPopup& popup) {
    testing_support::PostClick(popup.Handle(), popup.Width() - 10, 2 * popup.LineHeight() - 10);
    PumpPending();
  }

  std::string openedHours_, openedMinutes_, openedSeconds_;
};

TEST_F(CountdownTimerTest, OpensWithNoTimeSnoozeTickedAndNoText) {
  Typed opened{};
  RunTimer({"0", "0", "1", true, ""}, IDCANCEL, &opened);
  EXPECT_STREQ("0", opened.hours);
  EXPECT_STREQ("0", opened.minutes);
  EXPECT_STREQ("0", opened.seconds);
  EXPECT_TRUE(opened.snoozeWithThisTime);
  EXPECT_EQ("", opened.text);
}

struct RefusedCase {
  Typed typed;
  const char* message;
};

TEST_F(CountdownTimerTest, OkRefusesValuesOutOfRangeAndNoTimeAndStartsNothing) {
  const RefusedCase cases[] = {
      {{"9", "0", "5", true, ""}, "Enter an integer between 0 and 8."},
      {{"-1", "0", "5", true, ""}, "Enter an integer between 0 and 8."},
      {{"0", "1000", "0", true, ""}, "Enter an integer between 0 and 999."},
      {{"0", "0", "1000", true, ""}, "Enter an integer between 0 and 999."},
      {{"0", "0", "abc", true, ""}, "Enter an integer between 0 and 999."},
      {{"0", "", "5", true, ""}, "Enter an integer between 0 and 999."},
      {{"0", "0", "5", true, std::string(61, 'x')}, "Enter no more than 60 characters."},
      {{"0", "0", "0", true, "Tea"}, "I can't set a timer to go off in 0 seconds."},
  };
  for (const RefusedCase& c : cases) {
    services_.prompter.texts.clear();
    RunTimer(c.typed, IDOK);
    ASSERT_FALSE(services_.prompter.texts.empty()) << c.message;
    EXPECT_EQ(c.message, services_.prompter.texts.back());
    EXPECT_EQ(0u, Running().Count()) << c.message;
  }
}

TEST_F(CountdownTimerTest, ChangingTheMinutesChecksEveryValueAtOnce) {
  testing_support::DialogWatcher watcher;
  std::vector<std::string> afterHours, afterMinutes;
  watcher.Then([&](const SeenDialog& dialog) {
    SetDlgItemTextA(dialog.hwnd, IDC_TIMER_HOURS, "9");
    afterHours = services_.prompter.texts;
    SetDlgItemTextA(dialog.hwnd, IDC_TIMER_MINUTES, "3");
    afterMinutes = services_.prompter.texts;
    return IDCANCEL;
  });
  testing_support::SendCommand(frame_->Handle(), ID_FILE_TIMER);
  PumpPending();
  EXPECT_TRUE(afterHours.empty()) << "the hours are checked with the next change or OK";
  ASSERT_EQ(1u, afterMinutes.size());
  EXPECT_EQ("Enter an integer between 0 and 8.", afterMinutes[0]);
}

TEST_F(CountdownTimerTest, CancelAndEscStartNothing) {
  for (int button : {IDCANCEL, 0}) {
    RunTimer({"0", "0", "90", true, "Tea"}, button);
    EXPECT_EQ(0u, Running().Count()) << button;
    EXPECT_TRUE(services_.prompter.texts.empty()) << button;
  }
}

struct CountdownCase {
  Typed typed;
  UINT delayMs;
  UINT snoozeMs;
  const char* secondLine;
};

TEST_F(CountdownTimerTest, ExpiryShowsTheTextAndSnoozesForItsOwnTimeOrFiveMinutes) {
  const CountdownCase cases[] = {
      {{"0", "0", "90", true, "Tea"}, 90000, 90000, " Tea  "},
      {{"0", "0", "90", false, "Tea"}, 90000, 300000, " Tea  "},
      {{"1", "2", "3", true, ""}, 3723000, 3723000, "   "},
      {{"8", "999", "999", true, std::string(60, 'y')}, 89739000, 89739000, nullptr},
      {{" 0", "5 ", "0", false, "https://example.org call"}, 300000, 300000, nullptr},
  };
  for (const CountdownCase& c : cases) {
    SCOPED_TRACE(c.typed.text + " " + c.typed.hours + ":" + c.typed.minutes + ":" +
                 c.typed.seconds);
    RunTimer(c.typed, IDOK);
    ASSERT_EQ(1u, Running().Count());
    const UINT_PTR id = Running().TimerIdAt(0);
    EXPECT_EQ(c.delayMs, timers_.periods[id]);
    EXPECT_EQ(0u, Popups().Count()) << "nothing shows before the time";

    Expire(id);
    EXPECT_EQ(0u, Running().Count());
    EXPECT_FALSE(timers_.Running(id)) << "the countdown's timer is stopped";
    ASSERT_EQ(1u, Popups().Count());
    shell::ReminderPopup& popup = Popups().At(0);
    ASSERT_TRUE(popup.Exists());
    EXPECT_EQ("Timer expired", popup.Lines()[0]);
    const std::string secondLine =
        c.secondLine != nullptr ? c.secondLine : " " + c.typed.text + "  ";
    EXPECT_EQ(secondLine, popup.Lines()[1]);

    Snooze(popup);
    ASSERT_TRUE(popup.SnoozePending());
    EXPECT_EQ(c.snoozeMs, timers_.periods[popup.SnoozeTimerId()]);
    Expire(popup.SnoozeTimerId());
    ASSERT_TRUE(popup.Exists()) << "the snooze shows it again";
    EXPECT_EQ("Timer expired", popup.Lines()[0]);
    Popups().CloseAll();
    services_.prompter.texts.clear();  // the link question of the last case
  }
}

TEST_F(CountdownTimerTest, TwoCountdownsEachExpireWithTheirOwnPopup) {
  RunTimer({"0", "0", "30", true, "First"}, IDOK);
  RunTimer({"0", "1", "0", true, "Second"}, IDOK);
  ASSERT_EQ(2u, Running().Count());
  const UINT_PTR first = Running().TimerIdAt(0);
  const UINT_PTR second = Running().TimerIdAt(1);
  EXPECT_NE(first, second);
  EXPECT_EQ(30000u, timers_.periods[first]);
  EXPECT_EQ(60000u, timers_.periods[second]);

  Expire(second);
  Expire(first);
  ASSERT_EQ(2u, Popups().Count());
  EXPECT_EQ(" Second  ", Popups().At(0).Lines()[1]);
  EXPECT_EQ(" First  ", Popups().At(1).Lines()[1]);
  EXPECT_TRUE(IsWindowVisible(Popups().At(0).Handle()));
  EXPECT_TRUE(IsWindowVisible(Popups().At(1).Handle()));
  EXPECT_EQ(0u, Running().Count());
}

}  // namespace
