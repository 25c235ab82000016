// The month view with another window of the program lying over it, and
// double clicks: a point counts as on the view only where the view is the
// window under the pointer, and the second click of a double click does not
// act again. Real mouse input (SendInput) where the window manager decides
// who gets a click.
#include "MonthViewFixture.h"
#include "support/Input.h"
#include "support/Pump.h"

namespace {

using month_test::At;
using month_test::Centre;
using month_test::DayCall;

// A top-level window over part of the view, as a reminder pop-up or a day
// planner may lie; it counts the clicks it gets.
class Overlay : public fw::Window {
 public:
  int clicks = 0;

  bool Open(const RECT& screen) {
    fw::WindowClass windowClass;
    windowClass.name = "LumettaTestOverlay";
    windowClass.background = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    fw::WindowParams params;
    params.exStyle = WS_EX_TOPMOST;
    params.style = WS_POPUP | WS_VISIBLE;
    params.x = screen.left;
    params.y = screen.top;
    params.width = screen.right - screen.left;
    params.height = screen.bottom - screen.top;
    return Create(windowClass, params);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) ++clicks;
    return fw::Window::HandleMessage(message, wParam, lParam);
  }
};

class MonthViewOverlapTest : public month_test::MonthViewTest {
 protected:
  // February 2024 begins on a Thursday: the overlay covers the first three
  // columns ("<<", days 4 to 6, 11 to 13, ...) and leaves days 1 to 3, 7 to
  // 10, 14 and ">>" open.
  void LayOverlay() {
    const int w = view->CellWidth();
    const int h = view->CellHeight();
    POINT topLeft = {0, 0};
    POINT bottomRight = {3 * w, 8 * h};
    ClientToScreen(View(), &topLeft);
    ClientToScreen(View(), &bottomRight);
    ASSERT_TRUE(overlay.Open(RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}));
    testing_support::PumpPending();
  }

  POINT OnScreen(POINT client) const {
    ClientToScreen(View(), &client);
    return client;
  }

  void TearDown() override {
    ReleaseCapture();
    overlay.Destroy();
    MonthViewTest::TearDown();
  }

  Overlay overlay;
};

TEST_F(MonthViewOverlapTest, UnderTheOverlayNothingActsAndTheCaptureIsReleased) {
  host.diary.Add(2024, 2, 12, 9, 0, "Dentist");  // day 12 is covered
  MakeView();
  LayOverlay();

  // Messages as the view gets them while it holds the capture.
  Send(WM_MOUSEMOVE, 0, At(Centre(DayRect(14))));
  ASSERT_EQ(View(), GetCapture()) << "resting on an open day captures the mouse";
  Send(WM_MOUSEMOVE, 0, At(Centre(DayRect(12))));
  EXPECT_NE(View(), GetCapture()) << "the pointer went onto the overlay";
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup()) << "no popup for a covered day";

  LeftClick(Centre(DayRect(12)));
  LeftClick(Centre(view->Layout().previousButton));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(Centre(DayRect(11))));
  EXPECT_TRUE(host.dayPlanners.empty());
  EXPECT_TRUE(host.weekViews.empty());
  EXPECT_EQ(0, host.toDoLists);
  EXPECT_EQ(2, view->ShownMonth()) << "\"<<\" under the overlay does not step";
  EXPECT_EQ(0, host.clicks);

  // The open part of the view still acts.
  LeftClick(Centre(DayRect(14)));
  EXPECT_EQ(std::vector<DayCall>({{2024, 2, 14}}), host.dayPlanners);
}

TEST_F(MonthViewOverlapTest, AClickOnTheOverlayReachesTheOverlayAfterRestingOnTheView) {
  MakeView();
  LayOverlay();
  testing_support::MoveMouseTo(OnScreen(Centre(DayRect(14))));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return GetCapture() == View(); }))
      << "resting on the view captures the mouse";

  testing_support::LeftClicksAt(OnScreen(Centre(DayRect(12))), 1);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return overlay.clicks == 1; }))
      << "the click lands on the window under the pointer";
  EXPECT_TRUE(host.dayPlanners.empty());
  EXPECT_EQ(0, host.toDoLists);
}

TEST_F(MonthViewOverlapTest, AQuickDoubleClickOnPreviousStepsTheMonthOnce) {
  MakeView();
  testing_support::LeftClicksAt(OnScreen(Centre(view->Layout().previousButton)), 2);
  // A right click on a day afterwards marks the end of the clicks' messages.
  testing_support::RightClickAt(OnScreen(Centre(DayRect(20))));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !host.weekViews.empty(); }));
  EXPECT_EQ(1, view->ShownMonth()) << "February steps back once, to January";
  EXPECT_EQ(2024, view->ShownYear());
  EXPECT_EQ(1, host.clicks) << "one click sound for the double click";
}

}  // namespace
