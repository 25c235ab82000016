#include "framework/MessageLoop.h"

#include "framework/Dialog.h"
#include "framework/Window.h"

namespace fw {

void MessageLoop::SetAccelerators(HWND target, HACCEL table) {
  acceleratorTarget_ = target;
  accelerators_ = table;
}

int MessageLoop::Run() {
  MSG msg = {};
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);  // WM_QUIT
    if (got == -1) return -1;
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool MessageLoop::PreTranslate(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || msg.hwnd == nullptr) return false;

  for (HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = GetAncestor(hwnd, GA_PARENT)) {
    if (Window* window = Window::FromHandle(hwnd)) {
      if (window->PreTranslateMessage(msg)) return true;
    }
    if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) == 0) break;  // top level reached
  }

  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (Dialog::IsModeless(root) && IsDialogMessageA(root, &msg)) return true;

  if (accelerators_ != nullptr && IsWindow(acceleratorTarget_) &&
      TranslateAcceleratorA(acceleratorTarget_, accelerators_, &msg)) {
    return true;
  }
  return false;
}

}  // namespace fw
