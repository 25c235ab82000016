#pragma once
// The one way the program asks the user something in a message box. Code
// that prompts takes a Prompter, so a test can answer it without a window.

#include <windows.h>

#include <string>

namespace fw {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // Shows text with MessageBox type flags (buttons, icon) and returns the
  // button pressed (IDOK, IDCANCEL, IDYES, ...).
  virtual int Show(HWND owner, const std::string& text, UINT type) = 0;
};

}  // namespace fw
