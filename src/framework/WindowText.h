#pragma once
// Reading the text of a window or control (GetWindowTextA) whatever its
// length.

#include <windows.h>

#include <string>

namespace fw {

// The window's text; empty for none or for a window that does not exist.
std::string WindowText(HWND window);

}  // namespace fw
