#include "support/Pump.h"

#include "framework/MessageLoop.h"

namespace testing_support {

namespace {

void DispatchOne(MSG& msg, fw::MessageLoop* loop) {
  if (loop != nullptr && loop->PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

void PumpPending(fw::MessageLoop* loop) {
  MSG msg = {};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the test to see
      return;
    }
    DispatchOne(msg, loop);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, fw::MessageLoop* loop) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpPending(loop);
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE,
                              static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20),
                              QS_ALLINPUT);
  }
}

}  // namespace testing_support
