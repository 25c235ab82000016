#pragma once
// Reading what a window shows.

#include <windows.h>

#include <string>

namespace testing_support {

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
std::string ClassNameOf(HWND window);

}  // namespace testing_support
