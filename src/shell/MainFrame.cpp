#include "shell/MainFrame.h"

#include "resource.h"

namespace {

// Until the month view sizes the window, it opens at this size.
const int kInitialWidth = 480;
const int kInitialHeight = 360;

}  // namespace

CMainFrame::~CMainFrame() {
  // Destroy the window while this object's handlers and members still work.
  Destroy();
}

bool CMainFrame::Create() {
  if (!owner_.CreateOnce()) return false;
  fw::WindowSpec spec;
  spec.title = kTitle;
  // Thin border, system menu, sizing frame, minimise box; no caption bar.
  // WS_POPUP, because Windows gives every overlapped window a caption.
  spec.style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
  spec.width = kInitialWidth;
  spec.height = kInitialHeight;
  spec.parent = owner_.Handle();
  return CreateFrame(IDR_MAINFRAME, kClassName, spec);
}

bool CMainFrame::IsCommandEnabled(UINT id) const {
  switch (id) {
    case ID_APP_EXIT:
      return true;
    default:
      return FrameWindow::IsCommandEnabled(id);
  }
}

bool CMainFrame::OnCreate(const CREATESTRUCTA&) {
  UpdateTrayIcon(true);
  return true;
}

void CMainFrame::OnDestroy() { tray_.Remove(); }

bool CMainFrame::OnCommand(UINT id, UINT, HWND) {
  switch (id) {
    case ID_APP_EXIT:
      // Closing the main window ends the program.
      SendMessageA(Handle(), WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

void CMainFrame::UpdateTrayIcon(bool add) {
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 16, 16,
                                             LR_SHARED));
  if (add) {
    tray_.Add(Handle(), icon, kTrayTip);
  } else {
    tray_.Modify(icon, kTrayTip);
  }
}
