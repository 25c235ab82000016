#include "views/PeriodHintsDialog.h"

namespace views {

PeriodHintsDialog::PeriodHintsDialog(fw::Prompter& prompter, int dialogId, int iconId)
    : Dialog(dialogId, prompter), iconId_(iconId) {}

bool PeriodHintsDialog::OnInitDialog() {
  icon_.Apply(Handle(), iconId_);
  return Dialog::OnInitDialog();
}

}  // namespace views
