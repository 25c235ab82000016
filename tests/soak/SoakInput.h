#pragma once
// Input as the user gives it: through SendInput, to the foreground window
// (keys and text) or the window under the pointer (mouse).
#include <windows.h>

#include <string>

namespace soak {

// Brings `window` to the front; false when it did not become the foreground.
bool BringToFront(HWND window);
void PressKey(WORD virtualKey, bool control = false, bool shift = false);
// Windows-1252 text, typed character by character.
void TypeText(const std::string& text);
// Clicks (count 1 or 2) the left button, or the right with `right`, at a
// screen point.
void ClickAt(POINT screen, int count, bool right = false);
void WheelAt(POINT screen, int notches);

}  // namespace soak
