// The main window's place and size: placing it around the month view,
// refitting it after the view scaled its font, hiding it into the
// notification area, restoring it, and remembering where the user put it.
#include "shell/MainFrame.h"

#include "shell/MainWindowPlacement.h"
#include "store/ProgramState.h"
#include "views/MonthView.h"

namespace shell {

namespace {

Size2 ScreenSize() {
  HDC screen = GetDC(nullptr);
  const Size2 size{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
  ReleaseDC(nullptr, screen);
  return size;
}

Size2 OuterSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

Size2 ClientSize(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return {rect.right, rect.bottom};
}

}  // namespace

SIZE CMainFrame::NaturalSize() const {
  if (view_ != nullptr && view_->Exists()) return view_->NaturalSize();
  RECT rect = {};
  GetWindowRect(Handle(), &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void CMainFrame::PlaceMainWindow() {
  const SIZE natural = NaturalSize();
  const Corner corner =
      PlacementCorner(store::g_settings.mainWindowPosition, OuterSize(Handle()), ScreenSize(),
                      firstPlacement_, store::g_settings.minimiseAtStartup != 0);
  startedHidden_ = corner.startedHidden;

  SetWindowPos(Handle(), HWND_TOPMOST, corner.left, corner.top, natural.cx, natural.cy,
               SWP_FRAMECHANGED | SWP_NOACTIVATE);
  const Size2 extra = PlacementFrameExtra({natural.cx, natural.cy}, ClientSize(Handle()));
  frameExtraWidth_ = extra.width;
  frameExtraHeight_ = extra.height;
  // Right after start-up the window is never topmost.
  const bool topmost = !firstPlacement_ && store::g_settings.alwaysOnTop != 0;
  SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, corner.left, corner.top,
               natural.cx + extra.width, natural.cy + extra.height, SWP_NOACTIVATE);
  firstPlacement_ = false;
}

void CMainFrame::RefitMainWindow() {
  const SIZE natural = NaturalSize();
  const Corner corner =
      RefitCorner(store::g_settings.mainWindowPosition, OuterSize(Handle()), ScreenSize());
  SetWindowPos(Handle(), HWND_NOTOPMOST, corner.left, corner.top, natural.cx, natural.cy,
               SWP_NOACTIVATE);
  const Size2 extra = RefitFrameExtra({natural.cx, natural.cy}, ClientSize(Handle()));
  frameExtraWidth_ = extra.width;
  frameExtraHeight_ = extra.height;
  SetWindowPos(Handle(), store::g_settings.alwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST,
               corner.left, corner.top, natural.cx + extra.width + 2, natural.cy + extra.height + 2,
               SWP_NOACTIVATE);
  timers_.Stop(kRefitMainWindow);
  ShowWindow(Handle(), SW_RESTORE);
}

void CMainFrame::RestoreMainWindow() {
  PlayClickSound();
  // The two size changes of the placement below are not the user's.
  if (view_ != nullptr) view_->SetResizeSkipCount(2);
  ShowWindow(Handle(), SW_RESTORE);
  BringWindowToTop(Handle());
  SetActiveWindow(Handle());
  PlaceMainWindow();
}

void CMainFrame::HideMainWindow() { ShowWindow(Handle(), SW_HIDE); }

void CMainFrame::OnMove() {
  // The window's own creation and first placement are not the user's moves.
  if (++moveCount_ <= kIgnoredMoves) return;
  RECT rect = {};
  GetWindowRect(Handle(), &rect);
  store::g_settings.mainWindowPosition = RememberedPosition(rect.left, rect.top, ScreenSize());
}

}  // namespace shell
