// The main window's icon in the notification area: today's day number, the
// tooltip naming the next appointment, the clicks and the context menu.
#include "shell/MainFrame.h"

#include <string>

#include "resource.h"
#include "shell/TrayMenu.h"
#include "shell/TrayTooltip.h"
#include "store/ProgramState.h"
#include "views/MonthView.h"

namespace shell {

void CMainFrame::UpdateTrayIcon(bool add) {
  HICON icon = nullptr;
  store::CalendarFields today;
  if (store::LocalFields(services_.clock.Now(), today)) icon = dayIcons_.ForDay(today.day);
  if (icon == nullptr) {
    // No date: the application icon.
    icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  }
  if (add) {
    tray_.Add(Handle(), icon, kTrayTip);
  } else {
    tray_.Modify(icon, kTrayTip);
  }
}

void CMainFrame::ReAddTrayIcon() {
  const HICON icon = tray_.Record().hIcon;
  const std::string tip = tray_.Record().szTip;
  tray_.Add(Handle(), icon, tip.c_str());
}

void CMainFrame::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != TrayIcon::kIconId) return;
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONDOWN:
      if (!IsWindowVisible(Handle()) || startedHidden_) {
        startedHidden_ = false;
        RestoreMainWindow();
      } else {
        PlayClickSound();
        HideMainWindow();
      }
      break;
    case WM_RBUTTONDOWN:
      ShowTrayMenu();
      break;
    case WM_MOUSEMOVE:
      UpdateTrayTooltip();
      break;
    default:
      break;
  }
}

void CMainFrame::ShowTrayMenu() {
  const bool visible = IsWindowVisible(Handle()) != FALSE;
  const OwnedMenu menu =
      BuildTrayMenu(!visible || startedHidden_, [this](UINT id) { return IsCommandEnabled(id); });
  if (menu.Get() == nullptr) return;
  if (visible && view_ != nullptr) InvalidateRect(view_->Handle(), nullptr, FALSE);
  // The menu closes properly when the user clicks elsewhere only if the
  // window is in the foreground while it tracks.
  SetForegroundWindow(Handle());
  POINT at = {};
  GetCursorPos(&at);
  TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  PostMessageA(Handle(), WM_NULL, 0, 0);
}

void CMainFrame::UpdateTrayTooltip() {
  // At most once a second.
  const store::Moment now = services_.clock.Now();
  if (tooltipComputed_ && now == lastTooltipSecond_) return;
  tooltipComputed_ = true;
  lastTooltipSecond_ = now;
  std::string tip = TrayTooltipFor(book_, now, store::g_settings.militaryTime != 0);
  if (!syncLine_.empty()) tip += "\n" + syncLine_;
  tray_.Modify(tray_.Record().hIcon, tip.c_str());
}

}  // namespace shell
