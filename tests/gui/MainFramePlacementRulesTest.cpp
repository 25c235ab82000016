// The placement rules of the main window as arithmetic: saved corner, the
// pull to the screen edges, starting hidden, refitting, frame extras and the
// remembered position.
#include <gtest/gtest.h>

#include "shell/MainWindowPlacement.h"

namespace {

const Size2 kScreen{1024, 768};
const Size2 kWindow{300, 250};

TEST(PlacementRules, FirstPlacementKeepsANegativeLeftAndRaisesANegativeTopToZero) {
  const Corner corner = PlacementCorner({-40, -30}, kWindow, kScreen, true, false);
  EXPECT_EQ(-40, corner.left);
  EXPECT_EQ(0, corner.top);
  EXPECT_FALSE(corner.startedHidden);
}

TEST(PlacementRules, LaterPlacementsPullAWindowNearTheRightOrBottomEdgeFlush) {
  // 1024 - 300 - 10 = 714: beyond that the window goes flush (724).
  EXPECT_EQ(714, PlacementCorner({714, 0}, kWindow, kScreen, false, false).left);
  EXPECT_EQ(724, PlacementCorner({715, 0}, kWindow, kScreen, false, false).left);
  EXPECT_EQ(724, PlacementCorner({5000, 0}, kWindow, kScreen, false, false).left);
  // 768 - 250 - 10 = 508.
  EXPECT_EQ(508, PlacementCorner({0, 508}, kWindow, kScreen, false, false).top);
  EXPECT_EQ(518, PlacementCorner({0, 509}, kWindow, kScreen, false, false).top);
  // The first placement leaves them alone.
  EXPECT_EQ(715, PlacementCorner({715, 509}, kWindow, kScreen, true, false).left);
  EXPECT_EQ(509, PlacementCorner({715, 509}, kWindow, kScreen, true, false).top);
  // A negative left stays negative on later placements too.
  EXPECT_EQ(-40, PlacementCorner({-40, -30}, kWindow, kScreen, false, false).left);
}

TEST(PlacementRules, MinimiseAtStartupPutsOnlyTheFirstPlacementOffScreen) {
  const Corner first = PlacementCorner({100, 120}, kWindow, kScreen, true, true);
  EXPECT_EQ(5000, first.left);
  EXPECT_EQ(120, first.top);
  EXPECT_TRUE(first.startedHidden);
  const Corner later = PlacementCorner({100, 120}, kWindow, kScreen, false, true);
  EXPECT_EQ(100, later.left);
  EXPECT_FALSE(later.startedHidden);
}

TEST(PlacementRules, RefitUsesZeroForOffScreenOrNearlyOffScreenCorners) {
  EXPECT_EQ(0, RefitCorner({-5, 0}, kWindow, kScreen).left);
  EXPECT_EQ(0, RefitCorner({975, 0}, kWindow, kScreen).left);  // > 1024 - 50
  EXPECT_EQ(0, RefitCorner({9, 0}, kWindow, kScreen).left);    // below 10
  EXPECT_EQ(10, RefitCorner({10, 0}, kWindow, kScreen).left);
  EXPECT_EQ(724, RefitCorner({974, 0}, kWindow, kScreen).left);  // pulled flush
  EXPECT_EQ(714, RefitCorner({714, 0}, kWindow, kScreen).left);
  EXPECT_EQ(0, RefitCorner({0, 719}, kWindow, kScreen).top);  // > 768 - 50
  EXPECT_EQ(518, RefitCorner({0, 718}, kWindow, kScreen).top);
  EXPECT_EQ(200, RefitCorner({0, 200}, kWindow, kScreen).top);
}

TEST(PlacementRules, FrameExtrasOfPlacementAndRefit) {
  const Size2 placed = PlacementFrameExtra({280, 240}, {270, 212});
  EXPECT_EQ(12, placed.width);
  EXPECT_EQ(34, placed.height);
  const Size2 refit = RefitFrameExtra({280, 240}, {270, 212});
  EXPECT_EQ(10, refit.width);
  EXPECT_EQ(28, refit.height);
}

TEST(PlacementRules, RememberedPositionKeepsOnlyCoordinatesOnTheScreen) {
  const lumetta::WindowPosition inside = RememberedPosition(1024, 768, kScreen);
  EXPECT_EQ(1024, inside.left);
  EXPECT_EQ(768, inside.top);
  const lumetta::WindowPosition outside = RememberedPosition(1025, -1, kScreen);
  EXPECT_EQ(0, outside.left);
  EXPECT_EQ(0, outside.top);
  const lumetta::WindowPosition hidden = RememberedPosition(5000, 40, kScreen);
  EXPECT_EQ(0, hidden.left);
  EXPECT_EQ(40, hidden.top);
}

}  // namespace
