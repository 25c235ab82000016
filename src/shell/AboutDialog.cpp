#include "shell/AboutDialog.h"

#include "resource.h"
#include "shell/ShellServices.h"
#include "version.h"

namespace shell {

CAboutDlg::CAboutDlg(fw::Prompter& prompter, ShellRequests& shell)
    : Dialog(IDD_ABOUTBOX, prompter), shell_(shell) {}

bool CAboutDlg::OnInitDialog() {
  icon_.Apply(Handle(), IDR_MAINFRAME);
  return Dialog::OnInitDialog();
}

bool CAboutDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id == IDC_ABOUT_WEBSITE) {
    if (notifyCode == BN_CLICKED) shell_.Open(Handle(), LUMETTA_WEBSITE_URL);
    return true;
  }
  return Dialog::OnCommand(id, notifyCode, control);
}

}  // namespace shell
