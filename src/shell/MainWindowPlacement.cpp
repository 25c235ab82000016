#include "shell/MainWindowPlacement.h"

namespace shell {

namespace {

// A coordinate within `margin` pixels of the far edge (or beyond it) is
// pulled flush against that edge.
int PullFlush(int value, int windowExtent, int screenExtent) {
  if (value > screenExtent - windowExtent - 10) return screenExtent - windowExtent;
  return value;
}

int RefitCoordinate(int saved, int windowExtent, int screenExtent) {
  int value = saved;
  if (value < 0 || value > screenExtent - 50) value = 0;
  if (value < 10) value = 0;
  return PullFlush(value, windowExtent, screenExtent);
}

}  // namespace

Corner PlacementCorner(const store::WindowPosition& saved, Size2 window, Size2 screen,
                       bool firstPlacement, bool minimiseAtStartup) {
  Corner corner;
  corner.left = saved.left;
  corner.top = saved.top < 0 ? 0 : saved.top;
  if (!firstPlacement) {
    corner.left = PullFlush(corner.left, window.width, screen.width);
    corner.top = PullFlush(corner.top, window.height, screen.height);
  }
  if (firstPlacement && minimiseAtStartup) {
    corner.left = kStartedHiddenLeft;
    corner.startedHidden = true;
  }
  return corner;
}

Corner RefitCorner(const store::WindowPosition& saved, Size2 window, Size2 screen) {
  Corner corner;
  corner.left = RefitCoordinate(saved.left, window.width, screen.width);
  corner.top = RefitCoordinate(saved.top, window.height, screen.height);
  return corner;
}

Size2 PlacementFrameExtra(Size2 natural, Size2 client) {
  return {natural.width - client.width + 2, natural.height - client.height + 6};
}

Size2 RefitFrameExtra(Size2 natural, Size2 client) {
  return {natural.width - client.width, natural.height - client.height};
}

store::WindowPosition RememberedPosition(int left, int top, Size2 screen) {
  store::WindowPosition position;
  position.left = (left < 0 || left > screen.width) ? 0 : left;
  position.top = (top < 0 || top > screen.height) ? 0 : top;
  return position;
}

}  // namespace shell
