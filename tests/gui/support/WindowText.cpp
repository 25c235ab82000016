#include "support/WindowText.h"

namespace testing_support {

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ControlText(HWND dialog, int controlId) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, controlId, text, sizeof text);
  return text;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

}  // namespace testing_support
