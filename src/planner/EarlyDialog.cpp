#include "planner/EarlyDialog.h"

#include "resource.h"
#include "store/CalendarText.h"

namespace planner {

CEarlyDialog::CEarlyDialog(fw::Prompter& prompter) : Dialog(IDD_EARLY, prompter) {}

bool CEarlyDialog::OnInitDialog() {
  icon_.Apply(Handle());
  if (hour != -1) {
    const std::string title = store::TimeText(hour, minute, militaryTime) + ": " + text;
    SetWindowTextA(Handle(), title.c_str());
  }
  // Filling the minutes box notifies a change: not a user's edit.
  filling_ = true;
  const bool result = Dialog::OnInitDialog();
  filling_ = false;
  EnableDependents();
  return result;
}

void CEarlyDialog::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Check(IDC_EARLY_ENABLED, enabled);
  exchange.Integer(IDC_EARLY_MINUTES, minutesEarly, kMinMinutes, kMaxMinutes);
  exchange.Check(IDC_EARLY_DAY_BEFORE, dayBefore);
  exchange.Check(IDC_EARLY_NO_HIGHLIGHT, noHighlight);
}

void CEarlyDialog::EnableDependents() {
  const bool on = IsDlgButtonChecked(Handle(), IDC_EARLY_ENABLED) == BST_CHECKED;
  EnableWindow(GetDlgItem(Handle(), IDC_EARLY_MINUTES), on);
  EnableWindow(GetDlgItem(Handle(), IDC_EARLY_DAY_BEFORE), on);
}

bool CEarlyDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id == IDC_EARLY_ENABLED && notifyCode == BN_CLICKED) {
    UpdateData(true);
    EnableDependents();
    return true;
  }
  if (id == IDC_EARLY_MINUTES && notifyCode == EN_CHANGE) {
    // An emptied box is a number being typed, not a wrong one.
    if (!filling_ && GetWindowTextLengthA(control) > 0) UpdateData(true);
    return true;
  }
  return Dialog::OnCommand(id, notifyCode, control);
}

}  // namespace planner
