// The main window passing commands on by the class of the active window:
// stand-in windows of the classes AppointBook2, ToDo, ViewWeek and ViewYear
// record what reaches them; with none of them active, Next and Previous
// step the month view.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
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

// Every command passed on by the active window's class, sent once with each
// kind of window active: the commands that reached it, in order, and where
// Next went.
struct RoutingCase {
  const char* activeClass;  // nullptr: the main window itself is active
  std::vector<UINT> reaching;
  bool nextStepsTheMonth;
};

const UINT kPassedOn[] = {
    ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL,
    ID_DELETE,    ID_REMINDER, ID_REPEATS,   ID_COLOR,      ID_NOTES,
    ID_SCHEDULE,  ID_PREVIOUS, ID_NEXT};

TEST_F(MainFrameRouting, EachCommandReachesTheKindOfWindowItIsFor) {
  const RoutingCase cases[] = {
      {"AppointBook2",
       {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_DELETE,
        ID_REMINDER, ID_REPEATS, ID_COLOR, ID_NOTES, ID_PREVIOUS, ID_NEXT},
       false},
      {"ToDo",
       {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_DELETE,
        ID_SCHEDULE},
       true},
      {"ViewWeek", {ID_PREVIOUS, ID_NEXT}, false},
      {"ViewYear", {ID_PREVIOUS, ID_NEXT}, false},
      {nullptr, {}, true},
  };
  for (const RoutingCase& c : cases) {
    SCOPED_TRACE(c.activeClass != nullptr ? c.activeClass : "the main window");
    g_received.clear();
    std::unique_ptr<StandIn> active;
    if (c.activeClass != nullptr) {
      active = std::make_unique<StandIn>(c.activeClass);
      active->Activate();
      ASSERT_EQ(active->Handle(), GetActiveWindow());
    } else {
      SetForegroundWindow(frame_->Handle());
      SetActiveWindow(frame_->Handle());
    }
    const int month = Month();
    for (UINT id : kPassedOn) Send(id);
    std::vector<UINT> reached;
    for (const auto& received : g_received) {
      EXPECT_EQ(active != nullptr ? active->Handle() : nullptr, received.first);
      reached.push_back(received.second);
    }
    EXPECT_EQ(c.reaching, reached);
    // Previous then Next: where they step the month view, it is back where it was.
    EXPECT_EQ(month, Month());
    Send(ID_NEXT);
    EXPECT_EQ(c.nextStepsTheMonth ? month % 12 + 1 : month, Month());
    Send(ID_PREVIOUS);
    if (active != nullptr) {
      EXPECT_EQ(active->Handle(), GetActiveWindow());
    }
  }
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

// F1 in a window of the program opens that window's help topic; Help >
// Help Topics opens the help file at its start.
TEST_F(MainFrameRouting, F1OpensTheHelpTopicOfTheActiveWindow) {
  fw::MessageLoop loop;
  loop.SetAccelerators(frame_->Handle(), frame_->Accelerators());
  const struct {
    const char* windowClass;
    const char* topic;
  } cases[] = {{"AppointBook2", "Lumetta.chm::/topics/day-planner.htm"},
               {"ToDo", "Lumetta.chm::/topics/todo.htm"},
               {"ViewWeek", "Lumetta.chm::/topics/week-year.htm"},
               {"ViewYear", "Lumetta.chm::/topics/week-year.htm"},
               {nullptr, "Lumetta.chm::/topics/main-window.htm"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.topic);
    services_.shell.opened.clear();
    std::unique_ptr<StandIn> window;
    HWND target = frame_->Handle();
    if (c.windowClass != nullptr) {
      window = std::make_unique<StandIn>(c.windowClass);
      window->Activate();
      target = window->Handle();
    } else {
      SetActiveWindow(target);
    }
    testing_support::PostKey(target, VK_F1);
    testing_support::PumpPending(&loop);
    EXPECT_EQ(std::vector<std::string>{c.topic}, services_.shell.opened);
  }
  services_.shell.opened.clear();
  SendMessageA(frame_->Handle(), WM_COMMAND, MAKEWPARAM(ID_HELP_TOPICS, 0), 0);
  EXPECT_EQ(std::vector<std::string>{"Lumetta.chm"}, services_.shell.opened) << "from the menu";
}

TEST_F(MainFrameRouting, AWindowThatGivesTheCommandBackDoesNotGetItAgain) {
  StandIn planner("AppointBook2");
  planner.Activate();
  g_giveBackTo = frame_->Handle();
  Send(ID_COLOR);
  EXPECT_EQ(1u, g_received.size());
}

}  // namespace
