#pragma once
// Reading what a window shows, and the clipboard's text.

#include <windows.h>

#include <string>

namespace testing_support {

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
std::string ClassNameOf(HWND window);

// The clipboard's text; "(clipboard busy)" when it cannot be opened.
std::string ClipboardText();
// Puts a text on the clipboard as another program would.
void SetClipboardText(const std::string& text);

}  // namespace testing_support
