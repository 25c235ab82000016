#include "support/WindowText.h"

#include <cstring>

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

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

}  // namespace testing_support
