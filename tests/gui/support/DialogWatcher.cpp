#include "support/DialogWatcher.h"

#include "framework/Dialog.h"
#include "support/WindowText.h"

namespace testing_support {

namespace {
// The watcher of this thread; a hook procedure has no other way to its object.
thread_local DialogWatcher* t_watcher = nullptr;
}  // namespace

DialogWatcher::DialogWatcher() {
  t_watcher = this;
  hook_ = SetWindowsHookExA(WH_CBT, &DialogWatcher::Hook, nullptr, GetCurrentThreadId());
}

DialogWatcher::~DialogWatcher() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (t_watcher == this) t_watcher = nullptr;
}

void DialogWatcher::Then(Answer answer) { answers_.push_back(std::move(answer)); }

void DialogWatcher::ThenPress(int buttonId) {
  Then([buttonId](const SeenDialog&) { return buttonId; });
}

void DialogWatcher::OnActivate(HWND hwnd) {
  if (ClassNameOf(hwnd) != "#32770" || handled_.count(hwnd) != 0) return;
  if (fw::Dialog::IsModeless(hwnd)) return;
  handled_.insert(hwnd);

  SeenDialog seen;
  seen.hwnd = hwnd;
  seen.caption = WindowText(hwnd);
  seen.message = ControlText(hwnd, 0xFFFF);
  int button = IDCANCEL;
  if (!answers_.empty()) {
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    seen.answered = true;
    button = answer(seen);
  }
  seen_.push_back(seen);
  if (button != 0) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

LRESULT CALLBACK DialogWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  DialogWatcher* self = t_watcher;
  if (self != nullptr) {
    if (code == HCBT_ACTIVATE) {
      self->OnActivate(reinterpret_cast<HWND>(wParam));
    } else if (code == HCBT_DESTROYWND) {
      self->handled_.erase(reinterpret_cast<HWND>(wParam));
    }
  }
  return CallNextHookEx(self != nullptr ? self->hook_ : nullptr, code, wParam, lParam);
}

}  // namespace testing_support
