#include "shell/OwnerWindow.h"

#include "resource.h"

namespace shell {

bool OwnerWindow::CreateOnce() {
  if (Exists()) return true;
  fw::WindowClass windowClass;
  windowClass.name = kClassName;
  fw::WindowParams params;
  params.title = kTitle;
  params.style = WS_OVERLAPPEDWINDOW;  // created hidden: no WS_VISIBLE
  if (!Create(windowClass, params)) return false;

  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED);
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  // At the bottom of the z-order, out of the way of the window it owns.
  // Wine keeps an owned window directly above its owner, and so cannot make
  // the main window non-topmost again while the owner lies just below it.
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

}  // namespace shell
