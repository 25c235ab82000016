// The program's sync against a real CalDAV server: run by tests/sync's
// program_sync.py (which starts Radicale and plays the other device) with
// the server in LUMETTA_TEST_CALDAV_*; skipped without one.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "MainFrameTestSupport.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "shell/MainTimers.h"
#include "shell/SyncConflictsWindow.h"
#include "store/ProgramState.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"

using main_frame_testing::MainFrameTest;

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string StatusOf(HWND dialog) {
  char text[300] = {};
  GetDlgItemTextA(dialog, IDC_SYNC_STATUS, text, sizeof text);
  return text;
}

// Asks a window from another thread, every 150 ms until destroyed, whether
// it answers within 100 ms: only a window whose thread takes its messages
// does. A window that waits for a server misses every question meanwhile;
// a busy machine may make a single one late, never two in a row.
class Prober {
 public:
  explicit Prober(HWND target)
      : thread_([this, target] {
          int missed = 0;
          while (!stop_) {
            DWORD_PTR result = 0;
            ++sent_;
            if (SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0) {
              missed = 0;
            } else if (++missed > mostMissedInARow_) {
              mostMissedInARow_ = missed;
            }
            Sleep(150);
          }
        }) {}
  ~Prober() {
    stop_ = true;
    thread_.join();
  }
  int Sent() const { return sent_; }
  int MostMissedInARow() const { return mostMissedInARow_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> sent_{0};
  std::atomic<int> mostMissedInARow_{0};
  std::thread thread_;
};

class SyncInProgram : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    if (Variable("LUMETTA_TEST_CALDAV_URL").empty()) GTEST_SKIP() << "no CalDAV server given";
    ASSERT_TRUE(MakeFrame());
  }
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
  // Pumps messages until `done` or 30 seconds have passed.
  template <typename Done>
  bool PumpUntil(Done done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
      testing_support::PumpPending();
      Sleep(10);
    }
    return done();
  }
  // The last sync's line and the last message the user was shown.
  std::string Told() const {
    const auto& texts = services_.prompter.texts;
    return frame_->LastSyncLine() + " / " + (texts.empty() ? "" : texts.back());
  }
  // Asks the other device (program_sync.py) to do something and waits till
  // it says it has.
  bool OtherDevice(const char* ask, const char* done) {
    const std::string signals = Variable("LUMETTA_TEST_CALDAV_SIGNALS") + "\\";
    CloseHandle(CreateFileA((signals + ask).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    return PumpUntil(
        [&] { return GetFileAttributesA((signals + done).c_str()) != INVALID_FILE_ATTRIBUTES; });
  }
  // Adds an account through File > Calendar Accounts..., as the user does:
  // Test Connection (cancelled once first when `cancelFirst`), the
  // calendar chosen, Add. True when the dialog said it was added.
  // The address and the calendar are named by LUMETTA_TEST_CALDAV_<name>.
  bool AddAccount(const std::string& urlName, const std::string& calendarName,
                  bool cancelFirst = false) {
    const std::string url = Variable(("LUMETTA_TEST_CALDAV_" + urlName).c_str());
    const std::string calendar = Variable(("LUMETTA_TEST_CALDAV_" + calendarName).c_str());
    testing_support::DialogWatcher watcher;
    watcher.Then([&](const testing_support::SeenDialog& d) {
      SetDlgItemTextA(d.hwnd, IDC_SYNC_URL, url.c_str());
      SetDlgItemTextA(d.hwnd, IDC_SYNC_USER, Variable("LUMETTA_TEST_CALDAV_USER").c_str());
      SetDlgItemTextA(d.hwnd, IDC_SYNC_PASSWORD, Variable("LUMETTA_TEST_CALDAV_PASSWORD").c_str());
      const auto test = [&] {
        SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_SYNC_TEST, BN_CLICKED), 0);
      };
      {
        const Prober prober(d.hwnd);
        if (cancelFirst) {
          test();
          test();
          cancelled_ = StatusOf(d.hwnd) == "Cancelled.";
        }
        test();
        PumpUntil([&] { return StatusOf(d.hwnd) != "Connecting..."; });
        probes_ = prober.Sent();
        missedInARow_ = prober.MostMissedInARow();
      }
      SendDlgItemMessageA(d.hwnd, IDC_SYNC_CALENDAR, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(calendar.c_str()));
      SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_SYNC_ADD, BN_CLICKED), 0);
      status_ = StatusOf(d.hwnd);
      return IDCANCEL;
    });
    testing_support::SendCommand(frame_->Handle(), ID_FILE_SYNC_ACCOUNTS);
    return status_.find("Added") == 0;
  }
  // Of the last Test Connection: a first test cancelled (when asked to),
  // questions asked of the dialog meanwhile and the most left unanswered.
  std::string status_;  // the dialog's status line at the end
  bool cancelled_ = false;
  int probes_ = 0, missedInARow_ = 0;
};

// The clock says Sunday 16 March 2025, 10:00; the server holds an event at
// 14:00 that day, made by the other device.
TEST_F(SyncInProgram, AnAccountAddedInTheDialogSyncsBothWays) {
  ASSERT_TRUE(AddAccount("URL", "CALENDAR")) << status_;
  // The password is kept protected: it is in no file of the data folder.
  const std::string password = Variable("LUMETTA_TEST_CALDAV_PASSWORD");
  for (const char* name : {"Lumetta.accounts", "Lumetta.bin"}) {
    EXPECT_EQ(std::string::npos,
              platform_testing::ReadWholeFile(services_.DataFile(name)).find(password))
        << name;
  }
  // Closing the dialog synced once already; the planner's slot is typed in
  // while nothing runs, then Sync Now takes it up.
  ASSERT_TRUE(PumpUntil([&] {
    return !frame_->SyncRunning() && frame_->Book().FindAt(2025, 3, 16, 14, 0) != nullptr;
  }));
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  testing_support::PumpPending();
  planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  ASSERT_NE(nullptr, planner->SlotEditor());
  for (const char c : std::string("Typed in a planner")) {
    SendMessageA(planner->SlotEditor()->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  testing_support::SendCommand(frame_->Handle(), ID_FILE_SYNC_NOW);
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning(); }));
  EXPECT_EQ(0u, frame_->LastSyncLine().find("Synced at ")) << Told();
  EXPECT_NE(std::string::npos, platform_testing::ReadWholeFile(services_.DataFile("Lumetta.bin"))
                                   .find("Typed in a planner"));
  EXPECT_NE(nullptr, frame_->Book().FindAt(2025, 3, 16, 14, 0));
  // No conflict: nothing offers a list of them.
  EXPECT_FALSE(frame_->IsCommandEnabled(ID_FILE_SYNC_CONFLICTS));
  EXPECT_EQ(nullptr, frame_->ConflictsWindow());
}

// The server holds an event on Monday 17 March 2025 at 09:00; once it is
// here, both this computer and the other device change it.
TEST_F(SyncInProgram, AConflictIsListedAndOpensItsDay) {
  ASSERT_TRUE(AddAccount("URL", "CONFLICT_CALENDAR")) << status_;
  store::An_Appointment* entry = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    entry = frame_->Book().FindAt(2025, 3, 17, 9, 0);
    return !frame_->SyncRunning() && entry != nullptr;
  }));
  entry->text = "Changed here";
  ASSERT_TRUE(OtherDevice("change", "changed"));
  store::g_settings.militaryTime = 0;  // times as "9:00am"
  SetActiveWindow(frame_->Handle());
  testing_support::SendCommand(frame_->Handle(), ID_FILE_SYNC_NOW);
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning(); }));

  // The list opened by itself, without taking the keyboard.
  shell::SyncConflictsWindow* window = frame_->ConflictsWindow();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_NE(window->Handle(), GetActiveWindow());
  EXPECT_TRUE(frame_->IsCommandEnabled(ID_FILE_SYNC_CONFLICTS));
  HWND list = FindWindowExA(window->Handle(), nullptr, "ListBox", nullptr);
  ASSERT_NE(nullptr, list);
  ASSERT_EQ(1, SendMessageA(list, LB_GETCOUNT, 0, 0));
  char row[500] = {};
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
  const std::string text = row;
  for (const char* part : {"2025/3/17 9:00am", "\"Changed on the phone\"", "\"Changed here\""}) {
    EXPECT_NE(std::string::npos, text.find(part)) << text;
  }
  EXPECT_EQ(nullptr, planner::FindDayPlanner(2025, 3, 17));
  SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
  testing_support::PumpPending();
  EXPECT_NE(nullptr, planner::FindDayPlanner(2025, 3, 17));
}

// Every answer of the server comes a few seconds late.
TEST_F(SyncInProgram, ASlowServerFreezesNoWindow) {
  ASSERT_TRUE(AddAccount("SLOW_URL", "CALENDAR", true)) << status_;
  EXPECT_TRUE(cancelled_);
  EXPECT_GT(probes_, 5);
  EXPECT_LE(missedInARow_, 1);
  // Closing the dialog started a sync.
  ASSERT_TRUE(frame_->SyncRunning());
  int probes = 0, missedInARow = 0;
  {
    const Prober prober(frame_->Handle());
    ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning(); }));
    probes = prober.Sent();
    missedInARow = prober.MostMissedInARow();
  }
  EXPECT_GT(probes, 5);
  EXPECT_LE(missedInARow, 1);
  EXPECT_EQ(0u, frame_->LastSyncLine().find("Synced at ")) << Told();
  EXPECT_NE(nullptr, frame_->Book().FindAt(2025, 3, 16, 14, 0));
}

// The server holds three meetings on Tuesday 18 March 2025; once they are
// here, the other device deletes all of them.
TEST_F(SyncInProgram, ASyncThatWouldDeleteManyEntriesAsksFirst) {
  ASSERT_TRUE(AddAccount("URL", "MANY_CALENDAR")) << status_;
  const auto meetings = [&] {
    int here = 0;
    for (const int hour : {9, 10, 11})
      here += frame_->Book().FindAt(2025, 3, 18, hour, 0) != nullptr;
    return here;
  };
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning() && meetings() == 3; }));
  ASSERT_TRUE(OtherDevice("delete", "deleted"));

  // No: the entries stay, and the automatic syncs leave the account alone.
  services_.prompter.answer = IDNO;
  testing_support::SendCommand(frame_->Handle(), ID_FILE_SYNC_NOW);
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning(); }));
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_NE(std::string::npos, services_.prompter.texts[0].find("would delete 3 entries"))
      << services_.prompter.texts[0];
  EXPECT_EQ(3, meetings());
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSyncSoon, 0);
  EXPECT_FALSE(frame_->SyncRunning());

  // Sync Now asks again; yes deletes them.
  services_.prompter.answer = IDYES;
  testing_support::SendCommand(frame_->Handle(), ID_FILE_SYNC_NOW);
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning(); }));
  EXPECT_EQ(2u, services_.prompter.texts.size());
  EXPECT_EQ(0, meetings());
  EXPECT_EQ(0u, frame_->LastSyncLine().find("Synced at ")) << Told();
}

}  // namespace
