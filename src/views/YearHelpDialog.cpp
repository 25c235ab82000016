#include "views/YearHelpDialog.h"

#include "resource.h"

namespace views {

YearHelpDialog::YearHelpDialog(fw::Prompter& prompter) : Dialog(IDD_YEAR_HINTS, prompter) {}

bool YearHelpDialog::OnInitDialog() {
  icon_.Apply(Handle(), IDI_YEARVIEW);
  return Dialog::OnInitDialog();
}

}  // namespace views
