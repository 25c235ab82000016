#include "shell/TrayIcon.h"

#include <cstddef>
#include <cstring>

namespace shell {

// The record is handed over in its Windows XP/Vista layout (up to the
// balloon icon); that is 504 bytes on 32-bit Windows.
static_assert(sizeof(void*) != 4 || offsetof(NOTIFYICONDATAA, hBalloonIcon) == 504,
              "notification icon record size");

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Fill(HWND owner, HICON icon, const char* tip) {
  record_ = NOTIFYICONDATAA{};
  record_.cbSize = static_cast<DWORD>(offsetof(NOTIFYICONDATAA, hBalloonIcon));
  record_.hWnd = owner;
  record_.uID = kIconId;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = kCallbackMessage;
  record_.hIcon = icon;
  const size_t length = tip != nullptr ? std::strlen(tip) : 0;
  const size_t kept = length < kMaxTipLength ? length : kMaxTipLength;
  if (kept > 0) std::memcpy(record_.szTip, tip, kept);
  record_.szTip[kept] = '\0';
}

bool TrayIcon::Add(HWND owner, HICON icon, const char* tip) {
  if (added_) Remove();
  Fill(owner, icon, tip);
  added_ = Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
  return added_;
}

bool TrayIcon::Modify(HICON icon, const char* tip) {
  if (!added_) return false;
  Fill(record_.hWnd, icon, tip);
  return Shell_NotifyIconA(NIM_MODIFY, &record_) != FALSE;
}

void TrayIcon::Remove() {
  if (!added_) return;
  Shell_NotifyIconA(NIM_DELETE, &record_);
  added_ = false;
}

}  // namespace shell
