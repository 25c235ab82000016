#pragma once
// The about box (template IDD_ABOUTBOX, "About Lumetta"): product, version,
// the maker's notice and a button that opens the maker's web site, after
// which the box stays open. It has no OK or Cancel button: Esc or the
// close box end it.

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace shell {

class ShellRequests;

class CAboutDlg : public fw::Dialog {
 public:
  CAboutDlg(fw::Prompter& prompter, ShellRequests& shell);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  ShellRequests& shell_;
  fw::SmallWindowIcon icon_;
};

}  // namespace shell
