// The placement rules of the main window as arithmetic: saved corner, the
// pull to the screen edges, starting hidden, refitting, frame extras and the
// remembered position.
#include <gtest/gtest.h>

#include "shell/MainWindowPlacement.h"

namespace {

const shell::Size2 kScreen{1024, 768};
const shell::Size2 kWindow{300, 250};

TEST(PlacementRules, FirstPlacementKeepsANegativeLeftAndRaisesANegativeTopToZero) {
  const shell::Corner corner = shell::PlacementCorner({-40, -30}, kWindow, kScreen, true, false);
  EXPECT_EQ(-40, corner.left);
  EXPECT_EQ(0, corner.top);
  EXPECT_FALSE(corner.startedHidden);
}

TEST(PlacementRules, LaterPlacementsPullAWindowNearTheRightOrBottomEdgeFlush) {
  // 1024 - 300 - 10 = 714: beyond that the window goes flush (724).
  EXPECT_EQ(714, shell::PlacementCorner({714, 0}, kWindow, kScreen, false, false).left);
  EXPECT_EQ(724, shell::PlacementCorner({715, 0}, kWindow, kScreen, false, false).left);
  EXPECT_EQ(724, shell::PlacementCorner({5000, 0}, kWindow, kScreen, false, false).left);
  // 768 - 250 - 10 = 508.
  EXPECT_EQ(508, shell::PlacementCorner({0, 508}, kWindow, kScreen, false, false).top);
  EXPECT_EQ(518, shell::PlacementCorner({0, 509}, kWindow, kScreen, false, false).top);
  // The first placement leaves them alone.
  EXPECT_EQ(715, shell::PlacementCorner({715, 509}, kWindow, kScreen, true, false).left);
  EXPECT_EQ(509, shell::PlacementCorner({715, 509}, kWindow, kScreen, true, false).top);
  // A negative left stays negative on later placements too.
  EXPECT_EQ(-40, shell::PlacementCorner({-40, -30}, kWindow, kScreen, false, false).left);
}

TEST(PlacementRules, MinimiseAtStartupPutsOnlyTheFirstPlacementOffScreen) {
  const shell::Corner first = shell::PlacementCorner({100, 120}, kWindow, kScreen, true, true);
  EXPECT_EQ(5000, first.left);
  EXPECT_EQ(120, first.top);
  EXPECT_TRUE(first.startedHidden);
  const shell::Corner later = shell::PlacementCorner({100, 120}, kWindow, kScreen, false, true);
  EXPECT_EQ(100, later.left);
  EXPECT_FALSE(later.startedHidden);
}

TEST(PlacementRules, RefitUsesZeroForOffScreenOrNearlyOffScreenCorners) {
  EXPECT_EQ(0, shell::RefitCorner({-5, 0}, kWindow, kScreen).left);
  EXPECT_EQ(0, shell::RefitCorner({975, 0}, kWindow, kScreen).left);  // > 1024 - 50
  EXPECT_EQ(0, shell::RefitCorner({9, 0}, kWindow, kScreen).left);    // below 10
  EXPECT_EQ(10, shell::RefitCorner({10, 0}, kWindow, kScreen).left);
  EXPECT_EQ(724, shell::RefitCorner({974, 0}, kWindow, kScreen).left);  // pulled flush
  EXPECT_EQ(714, shell::RefitCorner({714, 0}, kWindow, kScreen).left);
  EXPECT_EQ(0, shell::RefitCorner({0, 719}, kWindow, kScreen).top);  // > 768 - 50
  EXPECT_EQ(518, shell::RefitCorner({0, 718}, kWindow, kScreen).top);
  EXPECT_EQ(200, shell::RefitCorner({0, 200}, kWindow, kScreen).top);
}

TEST(PlacementRules, FrameExtrasOfPlacementAndRefit) {
  const shell::Size2 placed = shell::PlacementFrameExtra({280, 240}, {270, 212});
  EXPECT_EQ(12, placed.width);
  EXPECT_EQ(34, placed.height);
  const shell::Size2 refit = shell::RefitFrameExtra({280, 240}, {270, 212});
  EXPECT_EQ(10, refit.width);
  EXPECT_EQ(28, refit.height);
}

TEST(PlacementRules, RememberedPositionKeepsOnlyCoordinatesOnTheScreen) {
  const store::WindowPosition inside = shell::RememberedPosition(1024, 768, kScreen);
  EXPECT_EQ(1024, inside.left);
  EXPECT_EQ(768, inside.top);
  const store::WindowPosition outside = shell::RememberedPosition(1025, -1, kScreen);
  EXPECT_EQ(0, outside.left);
  EXPECT_EQ(0, outside.top);
  const store::WindowPosition hidden = shell::RememberedPosition(5000, 40, kScreen);
  EXPECT_EQ(0, hidden.left);
  EXPECT_EQ(40, hidden.top);
}

}  // namespace
