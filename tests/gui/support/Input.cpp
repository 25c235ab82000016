#include "support/Input.h"

#include <vector>

namespace testing_support {

void SendCommand(HWND target, UINT id) { SendMessageA(target, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void PostCommand(HWND target, UINT id) { PostMessageA(target, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void PostKey(HWND window, UINT virtualKey) {
  const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  const LPARAM up = down | (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
  PostMessageA(window, WM_KEYDOWN, virtualKey, down);
  PostMessageA(window, WM_KEYUP, virtualKey, up);
}

HeldKey::HeldKey(UINT virtualKey) : key_(virtualKey) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  previous_ = state[key_];
  state[key_] = 0x80;
  SetKeyboardState(state);
}

HeldKey::~HeldKey() {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[key_] = previous_;
  SetKeyboardState(state);
}

void PostClick(HWND window, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(window, WM_LBUTTONUP, 0, at);
}

namespace {

INPUT MouseInput(DWORD flags, POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

// Every event carries the point: under Wine a pointer motion still on its
// way from the X server may move the cursor between two events.
void SendMouse(POINT screen, DWORD down, DWORD up, int count) {
  std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE, screen)};
  for (int i = 0; i < count; ++i) {
    inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | down, screen));
    inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | up, screen));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void MoveMouseTo(POINT screen) { SendMouse(screen, 0, 0, 0); }

void LeftClicksAt(POINT screen, int count) {
  SendMouse(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, count);
}

void RightClickAt(POINT screen) {
  SendMouse(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

}  // namespace testing_support
