#include "SoakInput.h"

#include <vector>

namespace soak {
namespace {

INPUT KeyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT>& inputs) {
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MoveTo(POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>(screen.x * 65535LL / (width > 1 ? width - 1 : 1));
  input.mi.dy = static_cast<LONG>(screen.y * 65535LL / (height > 1 ? height - 1 : 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

}  // namespace

bool BringToFront(HWND window) {
  if (GetForegroundWindow() == window) return true;
  SetForegroundWindow(window);
  for (int i = 0; i < 10 && GetForegroundWindow() != window; ++i) Sleep(10);
  return GetForegroundWindow() == window;
}

void PressKey(WORD virtualKey, bool control, bool shift) {
  std::vector<INPUT> inputs;
  if (control) inputs.push_back(KeyInput(VK_CONTROL, false));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (control) inputs.push_back(KeyInput(VK_CONTROL, true));
  Send(inputs);
}

void TypeText(const std::string& text) {
  std::vector<INPUT> inputs;
  for (char c : text) {
    wchar_t wide = 0;
    if (MultiByteToWideChar(1252, 0, &c, 1, &wide, 1) != 1) continue;
    for (bool up : {false, true}) {
      INPUT input = {};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = wide;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void ClickAt(POINT screen, int count, bool right) {
  MoveTo(screen);
  std::vector<INPUT> inputs;
  for (int i = 0; i < count; ++i) {
    for (DWORD flag : {right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                       right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
      INPUT input = {};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flag;
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void WheelAt(POINT screen, int notches) {
  MoveTo(screen);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
  SendInput(1, &input, sizeof input);
}

}  // namespace soak
