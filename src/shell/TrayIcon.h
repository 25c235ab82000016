#pragma once
// The program's icon in the notification area of the taskbar. Added when
// the main window is created, changed when the day or the tooltip changes,
// removed when the main window goes (at the latest when this object goes).

#include <windows.h>

#include <shellapi.h>

namespace shell {

class TrayIcon {
 public:
  // The icon's identifier and the message its mouse events arrive as.
  static constexpr UINT kIconId = 0xA703;
  static constexpr UINT kCallbackMessage = 0xA703;
  // Longest tooltip text (the record holds 127 characters and a terminator).
  static constexpr size_t kMaxTipLength = 127;

  TrayIcon() = default;
  ~TrayIcon();

  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Puts the icon into the notification area for owner; false when the
  // shell refused it.
  bool Add(HWND owner, HICON icon, const char* tip);
  // Changes the icon and the tooltip of an added icon.
  bool Modify(HICON icon, const char* tip);
  // Takes the icon out of the notification area, if it is there.
  void Remove();

  bool Added() const { return added_; }
  const NOTIFYICONDATAA& Record() const { return record_; }

 private:
  void Fill(HWND owner, HICON icon, const char* tip);

  NOTIFYICONDATAA record_ = {};
  bool added_ = false;
};

}  // namespace shell
