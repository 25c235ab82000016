#pragma once
// The main window: captionless, owned by the hidden owner window (so it has
// no taskbar button), with the main menu and shortcuts (resource 115) and
// the program's icon in the notification area. Its client area will hold
// the month view; until the windows behind the other commands exist, their
// menu items show greyed.

#include "framework/FrameWindow.h"
#include "shell/OwnerWindow.h"
#include "shell/TrayIcon.h"

class CMainFrame : public fw::FrameWindow {
 public:
  static constexpr const char* kClassName = "LumettaMainFrame";
  static constexpr const char* kTitle = "Lumetta";
  static constexpr const char* kTrayTip = "Lumetta Calendar";

  CMainFrame() = default;
  ~CMainFrame() override;

  // Creates the hidden owner window when needed, then the main window
  // (hidden; the caller shows it). False when either is not created.
  bool Create();

  HWND OwnerHandle() const { return owner_.Handle(); }
  const TrayIcon& Tray() const { return tray_; }

  bool IsCommandEnabled(UINT id) const override;

 protected:
  bool OnCreate(const CREATESTRUCTA& create) override;
  void OnDestroy() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  // Adds the icon to the notification area (add true) or changes it.
  void UpdateTrayIcon(bool add);

  OwnerWindow owner_;
  TrayIcon tray_;
};
