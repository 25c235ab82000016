// The main window passing commands on by the class of the active window:
// stand-in windows of the classes AppointBook2, ToDo, ViewWeek and ViewYear
// record what reaches them; with none of them active, Next and Previous
// step the month view.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "MainFrameTestSupport.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "views/MonthView.h"

using main_frame_testing::MainFrameTest;

namespace {

// Commands that reached the stand-in windows, in order.
std::vector<std::pair<HWND, UINT>> g_received;
// When set, a stand-in gives every command back to this window.
HWND g_giveBackTo = nullptr;

LRESULT CALLBACK StandInProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    g_received.emplace_back(hwnd, LOWORD(wParam));
    if (g_giveBackTo != nullptr) SendMessageA(g_giveBackTo, WM_COMMAND, wParam, lParam);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A visible top-level window of a program window class.
class StandIn {
 public:
  explicit StandIn(const char* className) : className_(className) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StandInProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    // The program's own class of that name (registered by an earlier test
    // of the real window) gives way to the stand-in's.
    UnregisterClassA(className, wc.hInstance);
    RegisterClassA(&wc);
    className_ = className;
    hwnd_ = CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200,
                            150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  // The class goes too: the real window registers its own.
  ~StandIn() {
    DestroyWindow(hwnd_);
    UnregisterClassA(className_, GetModuleHandleA(nullptr));
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

  HWND Handle() const { return hwnd_; }
  void Activate() const {
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
  }

 private:
  HWND hwnd_ = nullptr;
  const char* className_ = nullptr;
};

class MainFrameRouting : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    g_received.clear();
    g_giveBackTo = nullptr;
    ASSERT_TRUE(MakeFrame());
  }
  void Send(UINT id) { SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 1), 0); }
  int Month() const { return frame_->MonthView()->ShownMonth(); }
};

TEST_F(MainFrameRouting, ADayPlannerGetsTheEditAndPlannerCommandsAndNextPrevious) {
  StandIn planner("AppointBook2");
  planner.Activate();
  ASSERT_EQ(planner.Handle(), GetActiveWindow());
  const UINT ids[] = {ID_EDIT_UNDO,       ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                      ID_EDIT_SELECT_ALL, ID_REMINDER, ID_REPEATS,   ID_COLOR,
                      ID_NOTES,           ID_DELETE,   ID_NEXT,      ID_PREVIOUS};
  for (UINT id : ids) Send(id);
  Send(ID_SCHEDULE);  // not a planner's command
  ASSERT_EQ(sizeof ids / sizeof ids[0], g_received.size());
  for (size_t i = 0; i < g_received.size(); ++i) {
    EXPECT_EQ(planner.Handle(), g_received[i].first);
    EXPECT_EQ(ids[i], g_received[i].second);
  }
  EXPECT_EQ(3, Month()) << "the month view did not move";
}

TEST_F(MainFrameRouting, TheToDoListGetsEditDeleteAndScheduleWhileNextStepsTheMonth) {
  StandIn toDo("ToDo");
  toDo.Activate();
  for (UINT id : {ID_EDIT_COPY, ID_DELETE, ID_SCHEDULE, ID_REMINDER, ID_COLOR}) Send(id);
  ASSERT_EQ(3u, g_received.size());
  EXPECT_EQ(ID_EDIT_COPY, g_received[0].second);
  EXPECT_EQ(ID_DELETE, g_received[1].second);
  EXPECT_EQ(ID_SCHEDULE, g_received[2].second);
  EXPECT_EQ(toDo.Handle(), GetActiveWindow()) << "Schedule activates the to-do window";
  Send(ID_NEXT);
  EXPECT_EQ(4, Month());
  Send(ID_PREVIOUS);
  Send(ID_PREVIOUS);
  EXPECT_EQ(2, Month());
  EXPECT_EQ(3u, g_received.size());
}

TEST_F(MainFrameRouting, WeekAndYearViewsGetNextAndPreviousOnly) {
  for (const char* className : {"ViewWeek", "ViewYear"}) {
    g_received.clear();
    StandIn view(className);
    view.Activate();
    for (UINT id : {ID_NEXT, ID_PREVIOUS, ID_EDIT_COPY, ID_DELETE, ID_SCHEDULE}) Send(id);
    ASSERT_EQ(2u, g_received.size()) << className;
    EXPECT_EQ(ID_NEXT, g_received[0].second) << className;
    EXPECT_EQ(ID_PREVIOUS, g_received[1].second) << className;
    EXPECT_EQ(3, Month()) << className;
  }
}

TEST_F(MainFrameRouting, WithTheMainWindowActiveNextAndPreviousStepTheMonthView) {
  SetForegroundWindow(frame_->Handle());
  SetActiveWindow(frame_->Handle());
  Send(ID_NEXT);
  EXPECT_EQ(4, Month());
  Send(ID_PREVIOUS);
  Send(ID_PREVIOUS);
  EXPECT_EQ(2, Month());
  for (UINT id : {ID_EDIT_PASTE, ID_REMINDER, ID_DELETE, ID_SCHEDULE}) Send(id);
  EXPECT_TRUE(g_received.empty());
}

TEST_F(MainFrameRouting, ShortcutsPressedInAnotherProgramWindowReachItThroughTheMainWindow) {
  fw::MessageLoop loop;
  loop.SetAccelerators(frame_->Handle(), frame_->Accelerators());
  StandIn planner("AppointBook2");
  planner.Activate();
  {
    testing_support::HeldKey control(VK_CONTROL);
    testing_support::PostKey(planner.Handle(), 'N');
    testing_support::PumpPending(&loop);
  }
  ASSERT_EQ(1u, g_received.size());
  EXPECT_EQ(ID_NEXT, g_received[0].second);
  EXPECT_EQ(planner.Handle(), g_received[0].first);
}

TEST_F(MainFrameRouting, AWindowThatGivesTheCommandBackDoesNotGetItAgain) {
  StandIn planner("AppointBook2");
  planner.Activate();
  g_giveBackTo = frame_->Handle();
  Send(ID_COLOR);
  EXPECT_EQ(1u, g_received.size());
}

}  // namespace
