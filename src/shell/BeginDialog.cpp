#include "shell/BeginDialog.h"

#include "resource.h"

namespace shell {

BeginDialog::BeginDialog(fw::Prompter& prompter) : Dialog(IDD_MONTH_HINTS, prompter) {}

bool BeginDialog::OnInitDialog() {
  icon_.Apply(Handle(), IDR_MAINFRAME);
  return Dialog::OnInitDialog();
}

}  // namespace shell
