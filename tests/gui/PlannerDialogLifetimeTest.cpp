// A day planner waiting for one of its dialogs while the rest of the
// program goes on: a third planner opened meanwhile closes the other
// planner, not this one; Exit ends the dialog and still writes the data and
// the settings; the repeat rule goes to the entry still in the slot.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "planner/RepeatDialog.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Pump.h"

using main_frame_testing::MainFrameTest;
using platform_testing::PathExists;
using platform_testing::ReadWholeFile;

namespace {

// With planners of 17 (the first) and 18 March open, the first planner's
// command opens a dialog; while it is open the main window gets `posted`
// (the clock says 16 March: Today opens a third planner).
struct DialogCase {
  const char* what;
  UINT command;
  UINT posted;
};

const DialogCase kDialogCases[] = {
    {"Reminder, then Today", ID_REMINDER, ID_VIEW_TODAY},
    {"Repeats, then Today", ID_REPEATS, ID_VIEW_TODAY},
    {"Color, then Today", ID_COLOR, ID_VIEW_TODAY},
    {"Reminder, then Exit", ID_REMINDER, ID_APP_EXIT},
    {"Repeats, then Exit", ID_REPEATS, ID_APP_EXIT},
};

class PlannerDialogLifetime : public MainFrameTest {
 protected:
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
  planner::AppointBook2* Open(int day) {
    frame_->OpenDayPlanner(2025, 3, day);
    planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, day);
    if (planner != nullptr) UpdateWindow(planner->Handle());
    testing_support::PumpPending();
    return planner;
  }
  static void Type(planner::AppointBook2& planner, const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
      SendMessageA(planner.SlotEditor()->Handle(), WM_CHAR, static_cast<unsigned char>(*c), 1);
    }
  }
};

TEST_F(PlannerDialogLifetime, APlannerIsNotClosedUnderItsDialogAndExitStillSaves) {
  for (const DialogCase& c : kDialogCases) {
    ASSERT_TRUE(MakeFrame()) << c.what;
    frame_->SetEndsMessageLoop(true);
    planner::AppointBook2* first = Open(17);
    ASSERT_NE(nullptr, first) << c.what;
    ASSERT_NE(nullptr, Open(18)) << c.what;
    const HWND firstWindow = first->Handle();
    Type(*first, "Walk");
    SetActiveWindow(firstWindow);

    testing_support::DialogWatcher watcher;
    const HWND main = frame_->Handle();
    const UINT posted = c.posted;
    watcher.Then([main, posted](const testing_support::SeenDialog&) {
      PostMessageA(main, WM_COMMAND, MAKEWPARAM(posted, 0), 0);
      // Today: the dialog is cancelled once the command has run; Exit ends it.
      return posted == ID_VIEW_TODAY ? IDCANCEL : 0;
    });
    SendMessageA(firstWindow, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    testing_support::PumpPending();
    EXPECT_EQ(1u, watcher.Seen().size()) << c.what;

    if (c.posted == ID_VIEW_TODAY) {
      EXPECT_TRUE(IsWindow(firstWindow)) << c.what << ": the planner with the dialog stays";
      EXPECT_EQ(first, planner::FindDayPlanner(2025, 3, 17)) << c.what;
      EXPECT_NE(nullptr, planner::FindDayPlanner(2025, 3, 16)) << c.what;
      EXPECT_EQ(nullptr, planner::FindDayPlanner(2025, 3, 18)) << c.what;
      EXPECT_TRUE(IsWindowEnabled(firstWindow)) << c.what;
    } else {
      EXPECT_FALSE(IsWindow(main)) << c.what << ": the program ended";
      EXPECT_EQ(nullptr, planner::DayPlannerAt(0)) << c.what;
    }
    frame_.reset();
    testing_support::PumpPending();
    EXPECT_EQ(std::vector<std::string>{"Walk"},
              test_common::RecordTexts(ReadWholeFile(services_.DataFile("Lumetta.bin"))))
        << c.what;
    EXPECT_TRUE(PathExists(services_.DataFile("settings.bin"))) << c.what;
    DeleteFileA(services_.DataFile("Lumetta.bin").c_str());
  }
}

TEST_F(PlannerDialogLifetime, ARuleChosenAfterAnotherPlannerDeletedTheEntryChangesNothing) {
  ASSERT_TRUE(MakeFrame());
  planner::AppointBook2* first = Open(17);
  ASSERT_NE(nullptr, first);
  Type(*first, "Walk");
  testing_support::DialogWatcher watcher;
  watcher.Then([this](const testing_support::SeenDialog& d) {
    // Meanwhile the entry goes (as when another planner empties it).
    if (store::An_Appointment* e = frame_->Book().FindAt(2025, 3, 17, 8, 0)) {
      frame_->Book().Delete(*e, false);
    }
    CheckRadioButton(d.hwnd, planner::Repeat::KindControl(0), planner::Repeat::KindControl(7),
                     planner::Repeat::KindControl(store::kRepeatEveryday));
    return IDOK;
  });
  SendMessageA(first->Handle(), WM_COMMAND, MAKEWPARAM(ID_REPEATS, 0), 0);
  testing_support::PumpPending();
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ(0u, frame_->Book().Count()) << "no copies of a deleted entry";
}

}  // namespace
