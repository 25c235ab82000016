#pragma once
// What the week and year windows share: each shows one period of the
// calendar, paints all of it off-screen, steps back and on through its own
// menu items and through the main window's Previous and Next shortcuts
// passed on, prints through the month view's one print path, closes, and
// shows its quick hints.

#include <windows.h>

#include "framework/DialogTrim.h"
#include "framework/FrameWindow.h"
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
  // The window's own menu items.
  struct CommandIds {
    UINT previous;
    UINT next;
    UINT hints;
  };

  PeriodWindow(CLumettaView& monthView, MonthViewHost& host, PrintSourceKind printKind,
               CommandIds ids)
      : monthView_(monthView), host_(host), printKind_(printKind), ids_(ids) {}

  // Creates the frame (CreateFrame) with the program's menus on its menu bar
  // and the small icon `iconId`. False when the window is not created.
  bool CreatePeriodFrame(int resourceId, const char* className, const fw::WindowParams& params,
                         int iconId);

  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  // Paints through DrawScreen, off-screen so that the window does not
  // flicker; remembers where the window was moved to (SavedPosition).
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Draws the whole client area on the screen (or into WM_PRINTCLIENT's DC).
  virtual void DrawScreen(HDC dc) = 0;

  virtual void StepBack() = 0;
  virtual void StepOn() = 0;
  virtual void ShowHints() = 0;
  // The settings' place for the window's top-left corner.
  virtual store::WindowPosition& SavedPosition() = 0;

  CLumettaView& monthView_;
  MonthViewHost& host_;

 private:
  PrintSourceKind printKind_;
  CommandIds ids_;
  fw::SmallWindowIcon icon_;
};

}  // namespace views
