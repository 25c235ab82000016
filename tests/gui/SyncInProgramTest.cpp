// The program's sync against a real CalDAV server: run by tests/sync's
// program_sync.py (which starts Radicale and plays the other device) with
// the server in LUMETTA_TEST_CALDAV_*; skipped without one.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "MainFrameTestSupport.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"

using main_frame_testing::MainFrameTest;

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

class SyncInProgram : public MainFrameTest {
 protected:
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
};

// The clock says Sunday 16 March 2025, 10:00; the server holds an event at
// 14:00 that day, made by the other device.
TEST_F(SyncInProgram, AnAccountAddedInTheDialogSyncsBothWays) {
  const std::string url = Variable("LUMETTA_TEST_CALDAV_URL");
  if (url.empty()) GTEST_SKIP() << "no CalDAV server given";
  ASSERT_TRUE(MakeFrame());
  testing_support::DialogWatcher watcher;
  std::string status;
  watcher.Then([&](const testing_support::SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, IDC_SYNC_URL, url.c_str());
    SetDlgItemTextA(d.hwnd, IDC_SYNC_USER, Variable("LUMETTA_TEST_CALDAV_USER").c_str());
    SetDlgItemTextA(d.hwnd, IDC_SYNC_PASSWORD, Variable("LUMETTA_TEST_CALDAV_PASSWORD").c_str());
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_SYNC_TEST, BN_CLICKED), 0);
    const std::string calendar = Variable("LUMETTA_TEST_CALDAV_CALENDAR");
    SendDlgItemMessageA(d.hwnd, IDC_SYNC_CALENDAR, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(calendar.c_str()));
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_SYNC_ADD, BN_CLICKED), 0);
    char text[300] = {};
    GetDlgItemTextA(d.hwnd, IDC_SYNC_STATUS, text, sizeof text);
    status = text;
    return IDCANCEL;
  });
  testing_support::SendCommand(frame_->Handle(), ID_FILE_SYNC_ACCOUNTS);
  ASSERT_EQ(0u, status.find("Added")) << status;
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
  // The window answers while the sync runs.
  DWORD_PTR answer = 0;
  EXPECT_NE(0,
            SendMessageTimeoutA(frame_->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &answer));
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SyncRunning(); }));
  EXPECT_EQ(0u, frame_->LastSyncLine().find("Synced at ")) << frame_->LastSyncLine();
  EXPECT_NE(std::string::npos, platform_testing::ReadWholeFile(services_.DataFile("Lumetta.bin"))
                                   .find("Typed in a planner"));
  EXPECT_NE(nullptr, frame_->Book().FindAt(2025, 3, 16, 14, 0));
}

}  // namespace
