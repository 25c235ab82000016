#pragma once
// What the week and year windows share: each shows one period of the
// calendar, paints all of it off-screen, steps back and on through its own
// menu items and through the main window's Previous and Next shortcuts
// passed on, prints through the month view's one print path, closes, and
// shows its quick hints.

#include <windows.h>

#include "framework/DialogTrim.h"
#include "framework/FrameWindow.h"
#include "framework/PaintDC.h"
#include "store/Settings.h"
#include "views/PrintRouting.h"

namespace views {

class CLumettaView;
class MonthViewHost;

class PeriodWindow : public fw::FrameWindow, public PrintSource {
 public:
  bool IsCommandEnabled(UINT id) const override;
  HWND PrintWindow() const override { return Handle(); }

 protected:
  // The window's own menu items, its quick hints dialog and its small icon.
  struct Ids {
    UINT previous;
    UINT next;
    UINT hints;
    int hintsDialog;
    int icon;
  };

  // `savedPosition`: the settings' place for the window's top-left corner.
  PeriodWindow(CLumettaView& monthView, MonthViewHost& host, PrintSourceKind printKind, Ids ids,
               store::WindowPosition& savedPosition)
      : monthView_(monthView),
        host_(host),
        printKind_(printKind),
        ids_(ids),
        savedPosition_(savedPosition) {}

  // Creates the frame (CreateFrame) with the program's menus on its menu bar
  // and its small icon. False when the window is not created.
  bool CreatePeriodFrame(int resourceId, const char* className, const fw::WindowParams& params);

  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  // The month view's marks may have changed while the window was open.
  void OnDestroy() override;
  // Paints through DrawScreen, off-screen so that the window does not
  // flicker; remembers where the window was moved to.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // While the window is disabled (its print dialog or job, a modal dialog)
  // commands, keys, clicks and close requests that still arrive (posted)
  // are dropped: nothing changes or closes the period under the job.
  bool DropsWhileDisabled(UINT message) const;

  // Draws the whole client area on the screen (or into WM_PRINTCLIENT's DC).
  virtual void DrawScreen(HDC dc) = 0;

  virtual void StepBack() = 0;
  virtual void StepOn() = 0;

  // The window's DPI; before it exists, the month view's (it opens there).
  fw::Dpi ViewDpi() const;

  CLumettaView& monthView_;
  MonthViewHost& host_;

 private:
  PrintSourceKind printKind_;
  Ids ids_;
  store::WindowPosition& savedPosition_;
  fw::SmallWindowIcon icon_;
  fw::OffScreenBuffer offScreen_;
};

}  // namespace views
