#pragma once
// The one message loop of the user-interface thread.
//
// Before a keyboard message is dispatched it is offered, in this order, to:
//  1. the Window objects from the message's window up to its top-level
//     window (Window::PreTranslateMessage), so a window can take a key itself;
//  2. the modeless dialog it belongs to (IsDialogMessage: Tab, Enter, Esc);
//  3. the program-wide accelerator table, whose commands go to its target
//     window. The main window's shortcuts thus work while any other window
//     of the program is active.

#include <windows.h>

namespace fw {

class MessageLoop {
 public:
  // Program-wide shortcuts; their WM_COMMAND goes to target.
  void SetAccelerators(HWND target, HACCEL table);

  // Runs until WM_QUIT and returns its exit code.
  int Run();

  // Offers a message to the windows, dialogs and accelerators as above;
  // true when one of them consumed it (then it must not be dispatched).
  bool PreTranslate(MSG& msg);

 private:
  HWND acceleratorTarget_ = nullptr;
  HACCEL accelerators_ = nullptr;
};

}  // namespace fw
