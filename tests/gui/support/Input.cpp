#include "support/Input.h"

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

}  // namespace testing_support
