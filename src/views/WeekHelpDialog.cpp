#include "views/WeekHelpDialog.h"

#include "resource.h"

namespace views {

WeekHelpDialog::WeekHelpDialog(fw::Prompter& prompter) : Dialog(IDD_WEEK_HINTS, prompter) {}

bool WeekHelpDialog::OnInitDialog() {
  icon_.Apply(Handle(), IDI_WEEKVIEW);
  return Dialog::OnInitDialog();
}

}  // namespace views
