#pragma once
// After a preference changed (colours, fonts), every window the program has
// open is drawn anew: frames, menus bars and all child windows.

namespace fw {

// Invalidates and erases every top-level window of the calling thread, its
// frame and its children; each repaints at its next paint.
void RepaintAllWindows();

}  // namespace fw
