#include "views/PeriodWindow.h"

#include "framework/MessageBoxPrompter.h"
#include "framework/PaintDC.h"
#include "resource.h"
#include "views/MonthView.h"
#include "views/MonthViewHost.h"
#include "views/PeriodHintsDialog.h"

namespace views {

fw::Dpi PeriodWindow::ViewDpi() const { return Exists() ? WindowDpi() : monthView_.WindowDpi(); }

bool PeriodWindow::CreatePeriodFrame(int resourceId, const char* className,
                                     const fw::WindowParams& params) {
  if (!CreateFrame(resourceId, className, params)) return false;
  // The handler first: converting the menu bar measures its items.
  SetMenuHandler([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return host_.HandleMenuMessage(window, message, wParam, lParam, result);
  });
  host_.AttachMenus(Handle());
  icon_.Apply(Handle(), ids_.icon);
  return true;
}

bool PeriodWindow::IsCommandEnabled(UINT id) const {
  return id == ID_PRINT || id == ID_CLOSE || id == ids_.previous || id == ids_.next ||
         id == ids_.hints;
}

bool PeriodWindow::OnCommand(UINT id, UINT, HWND) {
  if (id == ID_PRINT) {
    monthView_.PrintFrom(printKind_, *this);
  } else if (id == ID_CLOSE) {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
  } else if (id == ids_.previous || id == ID_PREVIOUS) {
    StepBack();
  } else if (id == ids_.next || id == ID_NEXT) {
    StepOn();
  } else if (id == ids_.hints) {
    fw::MessageBoxPrompter prompter("Lumetta");
    PeriodHintsDialog(prompter, ids_.hintsDialog, ids_.icon).DoModal(Handle());
  } else {
    return false;
  }
  return true;
}

void PeriodWindow::OnDestroy() { InvalidateRect(monthView_.Handle(), nullptr, FALSE); }

bool PeriodWindow::DropsWhileDisabled(UINT message) const {
  switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_VSCROLL:
      return !IsWindowEnabled(Handle());
    default:
      return false;
  }
}

LRESULT PeriodWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (DropsWhileDisabled(message)) return 0;
  LRESULT painted = 0;
  if (fw::HandleWholePaint(
          Handle(), message, wParam, [this](HDC dc) { DrawScreen(dc); }, painted, &offScreen_)) {
    return painted;
  }
  if (message == WM_DPICHANGED) {
    const LRESULT result = FrameWindow::HandleMessage(message, wParam, lParam);
    icon_.Apply(Handle(), ids_.icon);  // the small icon of the new scale
    return result;
  }
  if (message == WM_MOVE) {
    RECT frame = {};
    GetWindowRect(Handle(), &frame);
    savedPosition_ = {frame.left, frame.top};
  }
  return FrameWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace views
