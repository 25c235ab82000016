// The day planner beside the real main window shows its 22 rows whole: its
// height is made from its own frame (caption, menu bar, borders), which is
// taller than the captionless main window's.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "MainFrameTestSupport.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "support/Pump.h"

using main_frame_testing::MainFrameTest;

namespace {

// The planner font at 96 dpi, and the same font as 144 dpi makes it (the
// text and rows half as tall again).
struct FitCase {
  const char* what;
  LONG fontHeight;  // 0: the default planner font
};

const FitCase kFitCases[] = {
    {"default font (96 dpi)", 0},
    {"15 pixels at 96 dpi", -15},
    {"the same at 144 dpi", -23},
};

class PlannerFit : public MainFrameTest {
 protected:
  void TearDown() override {
    planner::CloseAllDayPlanners();
    MainFrameTest::TearDown();
  }
};

TEST_F(PlannerFit, AllTwentyTwoRowsShowWhole) {
  ASSERT_TRUE(MakeFrame());
  for (const FitCase& c : kFitCases) {
    store::g_settings.plannerFont = store::FontDescription{};
    if (c.fontHeight != 0) {
      store::g_settings.plannerFont.height = c.fontHeight;
      store::g_settings.plannerFont.weight = FW_NORMAL;
      std::strcpy(store::g_settings.plannerFont.faceName, "Tahoma");
    }
    frame_->OpenDayPlanner(2025, 3, 16);
    planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 16);
    ASSERT_NE(nullptr, planner) << c.what;
    UpdateWindow(planner->Handle());
    testing_support::PumpPending();

    RECT client = {};
    GetClientRect(planner->Handle(), &client);
    const planner::SlotLayout& layout = planner->Layout();
    const int lastRow = planner::AppointBook2::kVisibleRows - 1;
    EXPECT_GE(client.bottom, layout.halfPast[static_cast<size_t>(lastRow)].bottom)
        << c.what << ": 6:30pm whole";
    EXPECT_LT(client.bottom,
              layout.halfPast[static_cast<size_t>(lastRow)].bottom + layout.rowHeight)
        << c.what << ": no part of a 23rd row";

    // Down to the last row's ":30" slot: its editor lies inside the window.
    planner->OpenSlotEditor(lastRow, planner::kOnTheHour);
    SendMessageA(planner->SlotEditor()->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    testing_support::PumpPending();
    RECT editor = {};
    GetWindowRect(planner->SlotEditor()->Handle(), &editor);
    MapWindowPoints(nullptr, planner->Handle(), reinterpret_cast<POINT*>(&editor), 2);
    EXPECT_LE(editor.bottom, client.bottom) << c.what;
    planner::CloseAllDayPlanners();
    testing_support::PumpPending();
  }
}

}  // namespace
