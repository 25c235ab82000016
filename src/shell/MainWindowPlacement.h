#pragma once
// The rules by which the main window places and sizes itself around the
// month view, and the rule for remembering its position. Pure arithmetic on
// sizes and positions, so the edge rules can be tested on their own;
// CMainFrame applies them to the window.

#include "store/Settings.h"

namespace shell {

struct Size2 {
  int width = 0;
  int height = 0;
};

// Where a placement puts the window's top-left corner.
struct Corner {
  int left = 0;
  int top = 0;
  bool startedHidden = false;  // off screen because of "Minimize main window at startup"
};

// Left edge of a window that starts hidden: off every screen.
constexpr int kStartedHiddenLeft = 5000;

// PlaceMainWindow: the saved corner (top 0 when negative); after the first
// placement a window within 10 pixels of the right or bottom screen edge is
// pulled flush against it; on the first placement with "minimise at
// start-up" the window goes off screen.
Corner PlacementCorner(const store::WindowPosition& saved, Size2 window, Size2 screen,
                       bool firstPlacement, bool minimiseAtStartup);

// RefitMainWindow: the saved corner, 0 when negative or within 50 pixels of
// the far screen edge; a value below 10 becomes 0, one within 10 pixels of
// the far edge is pulled flush.
Corner RefitCorner(const store::WindowPosition& saved, Size2 window, Size2 screen);

// Frame extra width and height after a placement (the window had the
// natural size as its outer size and shows `client`).
Size2 PlacementFrameExtra(Size2 natural, Size2 client);
// The same after a refit.
Size2 RefitFrameExtra(Size2 natural, Size2 client);

// The position stored for a moved window: a coordinate that is negative or
// beyond the screen becomes 0.
store::WindowPosition RememberedPosition(int left, int top, Size2 screen);

// Move notifications of the run that are not remembered (the window's own
// creation and placement).
constexpr int kIgnoredMoves = 3;

}  // namespace shell
