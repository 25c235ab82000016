// The day planners in the running main window: opened by a click on a
// day, Today, Enter and a one-hit search; shortcuts reaching the active
// planner; what is typed into a slot is in the data file after Exit and at
// the end of a Windows session.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "framework/ScopedSelect.h"
#include "framework/WindowDC.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "views/MonthView.h"
#include "views/QuickCheckPopup.h"

using main_frame_testing::MainFrameTest;
using platform_testing::ReadWholeFile;

namespace {

class MainFramePlanners : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    ASSERT_TRUE(MakeFrame());
  }
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
  static HWND Editor(planner::AppointBook2& planner) {
    return planner.SlotEditor() != nullptr ? planner.SlotEditor()->Handle() : nullptr;
  }
  static void Type(planner::AppointBook2& planner, const char* text) {
    for (const char* c = text; *c != '\0'; ++c)
      SendMessageA(Editor(planner), WM_CHAR, static_cast<unsigned char>(*c), 1);
  }
  planner::AppointBook2* Shown(int year, int month, int day) {
    testing_support::PumpPending();
    planner::AppointBook2* planner = planner::FindDayPlanner(year, month, day);
    if (planner != nullptr) UpdateWindow(planner->Handle());
    testing_support::PumpPending();
    return planner;
  }
};

// The clock says Sunday 16 March 2025, 10:00.
TEST_F(MainFramePlanners, AClickOnADayTodayAndEnterOpenThatDaysPlanner) {
  views::CLumettaView* view = frame_->MonthView();
  const RECT& day20 = view->Layout().days[20];
  const POINT p = {(day20.left + day20.right) / 2, (day20.top + day20.bottom) / 2};
  SendMessageA(view->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageA(view->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  planner::AppointBook2* clicked = Shown(2025, 3, 20);
  ASSERT_NE(nullptr, clicked);
  EXPECT_EQ(frame_->Handle(), GetWindow(clicked->Handle(), GW_OWNER));

  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  ASSERT_NE(nullptr, Shown(2025, 3, 16));
  planner::CloseAllDayPlanners();
  SendMessageA(view->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_NE(nullptr, Shown(2025, 3, 16));
}

TEST_F(MainFramePlanners, TheMainWindowsShortcutsReachTheActivePlanner) {
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  planner::AppointBook2* planner = Shown(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  SetActiveWindow(planner->Handle());
  Type(*planner, "Walk");
  // Ctrl+A then Ctrl+X as the main window's shortcut table delivers them.
  SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(ID_EDIT_SELECT_ALL, 1), 0);
  SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(ID_EDIT_CUT, 1), 0);
  EXPECT_EQ(0, GetWindowTextLengthA(Editor(*planner)));
  SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(ID_NEXT, 1), 0);
  EXPECT_EQ(17, planner->Day());
  EXPECT_EQ(3, frame_->MonthView()->ShownMonth()) << "the month view stays";
}

TEST_F(MainFramePlanners, TextTypedIntoAnOpenPlannerIsWrittenAtExit) {
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  planner::AppointBook2* planner = Shown(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  Type(*planner, "Still typing");
  frame_->SetEndsMessageLoop(true);
  testing_support::SendCommand(frame_->Handle(), ID_APP_EXIT);
  const std::string written = ReadWholeFile(services_.DataFile("Lumetta.bin"));
  EXPECT_EQ(std::vector<std::string>{"Still typing"}, test_common::RecordTexts(written));
  EXPECT_EQ(nullptr, planner::DayPlannerAt(0));
}

// Past 2038 a day's entry takes the same road: typed into the 10:00 slot of
// the clock's day, written at Exit, back at the next start in the day's
// summary with its reminder armed for its time, an hour on.
TEST_F(MainFramePlanners, AnEntryTypedIn2040IsWrittenAndArmedAtTheNextStart) {
  frame_.reset();
  services_.clock.now = store::MakeTime(2040, 6, 1, 9, 0);
  ASSERT_TRUE(MakeFrame());
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  planner::AppointBook2* planner = Shown(2040, 6, 1);
  ASSERT_NE(nullptr, planner);
  const RECT slot = planner->Layout().Slot(10 - planner->FirstHour(), planner::kOnTheHour);
  SendMessageA(planner->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM((slot.left + slot.right) / 2, (slot.top + slot.bottom) / 2));
  Type(*planner, "Dentist");
  frame_->SetEndsMessageLoop(true);
  testing_support::SendCommand(frame_->Handle(), ID_APP_EXIT);

  const std::vector<store::AppointmentRecord> records =
      test_common::ReadRecords(ReadWholeFile(services_.DataFile("Lumetta.bin")));
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("Dentist", records[0].text);
  EXPECT_EQ(2040, records[0].year);
  EXPECT_EQ(6, records[0].month);
  EXPECT_EQ(1, records[0].day);
  EXPECT_EQ(10, records[0].hour);
  EXPECT_EQ(0, records[0].minute);

  frame_.reset();
  MSG quit = {};
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  ASSERT_TRUE(MakeFrame());
  const views::FastView* summary = views::CurrentQuickCheckPopup();
  ASSERT_NE(nullptr, summary) << "today's summary at start";
  bool listed = false;
  for (const views::QuickCheckLine& line : summary->Lines())
    listed = listed || line.text.find("Dentist") != std::string::npos;
  EXPECT_TRUE(listed);
  const store::An_Appointment* entry = frame_->Book().FindAt(2040, 6, 1, 10, 0);
  ASSERT_NE(nullptr, entry);
  ASSERT_NE(0u, entry->timerId()) << "no reminder armed";
  EXPECT_EQ(3600000u, services_.reminderTimers.delays[entry->timerId()]);
}

TEST_F(MainFramePlanners, TextTypedIntoAnOpenPlannerIsWrittenAtTheEndOfASession) {
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  planner::AppointBook2* planner = Shown(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  Type(*planner, "Before logoff");
  SendMessageA(frame_->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  const std::string written = ReadWholeFile(services_.DataFile("Lumetta.bin"));
  EXPECT_EQ(std::vector<std::string>{"Before logoff"}, test_common::RecordTexts(written));
}

TEST_F(MainFramePlanners, ASearchWithOneHitOpensThatDaysPlanner) {
  store::An_Appointment& entry = frame_->Book().Create();
  entry.SetSlot(2025, 4, 2, 9, 0, "Piano lesson");
  testing_support::DialogWatcher watcher;
  watcher.Then([](const testing_support::SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, IDC_FIND_TEXT, "piano");
    return IDOK;
  });
  testing_support::SendCommand(frame_->Handle(), ID_FILE_FIND);
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_EQ(0u, services_.prompter.texts[0].find("Found one entry with the text"));
  EXPECT_NE(nullptr, Shown(2025, 4, 2));
}

// A planner opened from the main window shows its 22 half-hour slots whole
// inside its client area at every planner font, each row tall enough for a
// time label and wide enough for 70 letters; a click on the last slot
// selects 18:30.
TEST_F(MainFramePlanners, APlannerShowsAllTwentyTwoSlotsWholeAtEveryFont) {
  const auto savedFont = store::g_settings.plannerFont;
  for (int height : {-11, -13, -15}) {
    SCOPED_TRACE(height);
    store::g_settings.plannerFont.height = height;
    store::SetText(store::g_settings.plannerFont.faceName, "Arial");
    testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
    planner::AppointBook2* planner = Shown(2025, 3, 16);
    ASSERT_NE(nullptr, planner);
    const planner::SlotLayout& layout = planner->Layout();
    const auto extent = [&](const std::string& text) {
      fw::WindowDC screen(nullptr);
      fw::ScopedSelect select(screen.Get(), planner->Font());
      SIZE size = {};
      GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
      return size;
    };
    EXPECT_GE(layout.rowHeight, extent("08:30AM").cy);
    EXPECT_GE(layout.textWidth, extent(std::string(70, 'h')).cx);

    RECT client = {};
    GetClientRect(planner->Handle(), &client);
    const RECT first = layout.Slot(0, planner::kOnTheHour);
    const RECT last = layout.Slot(10, planner::kHalfPast);
    EXPECT_EQ(0, first.top);
    EXPECT_LE(last.bottom, client.bottom) << "the last slot is cut off";
    EXPECT_LE(last.right, client.right) << "the text column is cut off";
    const POINT middle = {(last.left + last.right) / 2, (last.top + last.bottom) / 2};
    SendMessageA(planner->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    EXPECT_EQ(8 + 10, planner->FirstHour() + planner->SelectedRow());
    EXPECT_EQ(planner::kHalfPast, planner->SelectedHalf());
    planner::CloseAllDayPlanners();
    testing_support::PumpPending();
  }
  store::g_settings.plannerFont = savedFont;
}

}  // namespace
