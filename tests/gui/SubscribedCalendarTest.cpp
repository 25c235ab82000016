// A subscribed calendar served by a real web server: run by
// subscribed_calendar.py (which serves a small holiday calendar and checks
// its log for the conditional download) with the address in
// LUMETTA_TEST_SUBSCRIBE_URL; skipped without one.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MainFrameTestSupport.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "views/MonthView.h"
#include "views/QuickCheckPopup.h"
#include "views/WeekView.h"

using main_frame_testing::MainFrameTest;

namespace {

constexpr COLORREF kRed = RGB(192, 0, 0);  // the dialog's third colour

class SubscribedCalendar : public MainFrameTest {
 protected:
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
  template <typename Done>
  bool PumpUntil(Done done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
      testing_support::PumpPending();
      Sleep(10);
    }
    return done();
  }
  static int CountIn(const testing_support::ClientPixels& pixels, const RECT& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += pixels.At(x, y) == c ? 1 : 0;
    }
    return n;
  }
  std::string PopupText(int day) {
    views::CloseQuickCheckPopup();
    views::CLumettaView* view = frame_->MonthView();
    view->ForgetQuickCheck();
    view->ShowQuickCheck(2025, 3, day, RECT{900, 300, 1000, 400}, 0);
    std::string text;
    if (views::FastView* popup = views::CurrentQuickCheckPopup()) {
      for (const views::QuickCheckLine& line : popup->Lines()) text += line.text + "|";
    }
    return text;
  }
};

// The clock says Sunday 16 March 2025, 10:00. The calendar holds a call at
// 11:00 that day and an all-day holiday on the 17th.
TEST_F(SubscribedCalendar, ItsDaysShowInTheViewsAndNothingOfItIsWritten) {
  const char* url = std::getenv("LUMETTA_TEST_SUBSCRIBE_URL");
  if (url == nullptr) GTEST_SKIP() << "no web server given";
  ASSERT_TRUE(MakeFrame());
  testing_support::DialogWatcher watcher;
  std::string status;
  watcher.Then([&](const testing_support::SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, IDC_SUBS_ADDRESS, url);
    SetDlgItemTextA(d.hwnd, IDC_SUBS_NAME, "Holidays");
    SendDlgItemMessageA(d.hwnd, IDC_SUBS_COLOUR, CB_SETCURSEL, 2, 0);
    CheckDlgButton(d.hwnd, IDC_SUBS_HIGHLIGHT, BST_CHECKED);
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_SUBS_ADD, BN_CLICKED), 0);
    char text[300] = {};
    GetDlgItemTextA(d.hwnd, IDC_SUBS_STATUS, text, sizeof text);
    status = text;
    return IDCANCEL;
  });
  testing_support::SendCommand(frame_->Handle(), ID_FILE_SUBSCRIBE);
  ASSERT_EQ(0u, status.find("Subscribed to \"Holidays\"")) << status;
  ASSERT_TRUE(PumpUntil([&] {
    return !frame_->SubscriptionsRefreshing() && !frame_->Subscribed()->On(2025, 3, 17).empty();
  }));
  EXPECT_NE(
      std::string::npos,
      platform_testing::ReadWholeFile(services_.DataFile("Lumetta.subscriptions")).find("GMT"))
      << "the server's Last-Modified is kept for the next download";

  // The month view: marked days and the quick-check popup's lines.
  testing_support::PumpPending();
  HWND monthView = frame_->MonthView()->Handle();
  RedrawWindow(monthView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const testing_support::ClientPixels month(monthView);
  const COLORREF marked = store::g_settings.hasappoint;
  struct Day {
    int day;
    const char* line;  // in the popup; nullptr: no popup
    bool highlighted;
  } const days[] = {
      {17, " Spring Holiday (Holidays)  |", true},
      {15, nullptr, false},
  };
  for (const Day& d : days) {
    SCOPED_TRACE(d.day);
    const RECT& cell = frame_->MonthView()->Layout().days[static_cast<size_t>(d.day)];
    EXPECT_EQ(d.highlighted, CountIn(month, cell, marked) > 3);
    const std::string popup = PopupText(d.day);
    if (d.line == nullptr) {
      EXPECT_EQ("", popup);
    } else {
      EXPECT_NE(std::string::npos, popup.find(d.line)) << popup;
    }
  }
  EXPECT_NE(std::string::npos, PopupText(16).find("Team call (Holidays)"));

  // The week view lists the call among the day's lines, in time order.
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_WEEK);
  testing_support::PumpPending();
  ASSERT_NE(nullptr, views::ViewWeek::Current());
  const std::string week = views::ViewWeek::Current()->ClipboardText();
  EXPECT_NE(std::string::npos, week.find("Sunday, March 16\r\n\t11:00am\tTeam call (Holidays)\r\n"))
      << week;
  EXPECT_NE(std::string::npos, week.find("\t\tSpring Holiday (Holidays)\r\n")) << week;
  SendMessageA(views::ViewWeek::Current()->Handle(), WM_CLOSE, 0, 0);
  testing_support::PumpPending();

  // Today's planner: the call in its slot and the holiday of the 17th not;
  // drawn in red at the slot's right end, beyond the slot editor's reach.
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  testing_support::PumpPending();
  planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  const int callRow = 11 - planner->FirstHour();
  const RECT slot = planner->Layout().Slot(callRow, planner::kOnTheHour);
  const LONG middle = (slot.left + slot.right) / 2;
  const testing_support::ClientPixels shown(planner->Handle());
  EXPECT_GT(CountIn(shown, RECT{middle, slot.top, slot.right, slot.bottom}, kRed), 3);
  EXPECT_EQ(0, CountIn(shown, RECT{slot.left, slot.top, middle, slot.bottom}, kRed));
  EXPECT_EQ(0, CountIn(shown, planner->Layout().Slot(0, planner::kOnTheHour), kRed));

  // A click in that slot edits the user's own entry there, not the call.
  SendMessageA(planner->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(slot.left + 20, (slot.top + slot.bottom) / 2));
  SendMessageA(planner->Handle(), WM_LBUTTONUP, 0,
               MAKELPARAM(slot.left + 20, (slot.top + slot.bottom) / 2));
  ASSERT_NE(nullptr, planner->SlotEditor());
  HWND editor = planner->SlotEditor()->Handle();
  EXPECT_EQ(0, GetWindowTextLengthA(editor));
  RECT editorRect = {};
  GetWindowRect(editor, &editorRect);
  MapWindowPoints(nullptr, planner->Handle(), reinterpret_cast<POINT*>(&editorRect), 2);
  LONG firstRed = slot.right;
  for (LONG y = slot.top; y < slot.bottom; ++y) {
    for (LONG x = slot.left; x < firstRed; ++x) firstRed = shown.At(x, y) == kRed ? x : firstRed;
  }
  EXPECT_LE(editorRect.right, firstRed) << "the editor leaves the call in view";
  for (const char c : std::string("Mine")) {
    SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
  }

  // A second refresh: the server answers that nothing changed (its log is
  // read by the script); the days stay.
  SendMessageA(frame_->Handle(), WM_TIMER, shell::kSubscriptionsSoon, 0);
  ASSERT_TRUE(PumpUntil([&] { return !frame_->SubscriptionsRefreshing(); }));
  EXPECT_EQ(1u, frame_->Subscribed()->On(2025, 3, 17).size());
  EXPECT_TRUE(services_.prompter.texts.empty());

  frame_->SetEndsMessageLoop(true);
  testing_support::SendCommand(frame_->Handle(), ID_APP_EXIT);
  const std::string written = platform_testing::ReadWholeFile(services_.DataFile("Lumetta.bin"));
  EXPECT_EQ(std::vector<std::string>{"Mine"}, test_common::RecordTexts(written));
}

}  // namespace
