#pragma once
// Base of every dialog of the program, made from a dialog template in the
// resources. Modal (DoModal) or modeless (CreateModeless, then the message
// loop gives it its keyboard navigation).
//
// The object is linked to its handle at WM_INITDIALOG and unlinked at
// WM_NCDESTROY. Derived classes implement HandleMessage as a plain switch
// that falls back to Dialog::HandleMessage, and move their data through
// DoDataExchange. Every dialog answers the control-colour requests with the
// shared dialog colouring (DialogColors). No exception leaves the dialog
// procedure.

#include <windows.h>

#include "framework/DataExchange.h"
#include "framework/Prompter.h"

namespace fw {

class Dialog {
 public:
  // prompter shows the validation messages of DoDataExchange.
  Dialog(int templateId, Prompter& prompter);
  // Destroys a modeless dialog that is still open (unlinked first, so its
  // handlers no longer run).
  virtual ~Dialog();

  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally; returns the value it ended with (IDOK,
  // IDCANCEL, ...), or -1 when it could not be created.
  INT_PTR DoModal(HWND owner);
  // Creates the dialog modeless; false when it could not be created.
  bool CreateModeless(HWND owner);

  HWND Handle() const { return hwnd_; }
  int TemplateId() const { return templateId_; }

  static Dialog* FromHandle(HWND hwnd);
  // True for an open modeless dialog of ours (the message loop then calls
  // IsDialogMessage for it).
  static bool IsModeless(HWND hwnd);

  // Fills the controls (save false) or reads and checks them (save true)
  // through DoDataExchange; false when a value was refused.
  bool UpdateData(bool save);

 protected:
  // Returns what a dialog procedure returns: FALSE for messages it leaves
  // to the system, else TRUE or the message's own result (a brush for
  // WM_CTLCOLOR*, ...).
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  virtual void DoDataExchange(DataExchange& exchange);
  // WM_INITDIALOG: fills the controls. True lets the system focus the first
  // control.
  virtual bool OnInitDialog();
  // IDOK: reads and checks the controls, closes with IDOK when all are good.
  virtual void OnOK();
  // IDCANCEL: closes with IDCANCEL.
  virtual void OnCancel();
  // WM_COMMAND; true when handled. The default handles IDOK and IDCANCEL.
  virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);
  // After WM_NCDESTROY, when the handle is gone and the object unlinked.
  virtual void OnFinalMessage();

  // Ends a modal dialog with result, or destroys a modeless one.
  void Close(INT_PTR result);
  Prompter& GetPrompter() const { return prompter_; }

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  Prompter& prompter_;
  HWND hwnd_ = nullptr;
  bool modeless_ = false;
};

}  // namespace fw
