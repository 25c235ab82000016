#include "planner/RepeatDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "framework/DateTimePicker.h"
#include "resource.h"
#include "store/Repeats.h"

namespace planner {

namespace {

// The radio buttons in the order of the repeat kinds 0..7.
constexpr int kKindControls[] = {IDC_REPEAT_NONE,
                                 IDC_REPEAT_EVERY_WEEKDAY,
                                 IDC_REPEAT_EVERYDAY,
                                 IDC_REPEAT_WEEKLY,
                                 IDC_REPEAT_EVERY_OTHER_WEEK,
                                 IDC_REPEAT_MONTHLY_BY_DATE,
                                 IDC_REPEAT_MONTHLY_BY_WEEKDAY,
                                 IDC_REPEAT_YEARLY};
constexpr int kKinds = static_cast<int>(sizeof kKindControls / sizeof kKindControls[0]);

void OpenHelpFile() {
  ShellExecuteA(nullptr, nullptr, "Lumetta.chm", nullptr, nullptr, SW_SHOWNORMAL);
}

void TellYears(HWND owner, fw::Prompter& prompter) {
  prompter.Show(owner, store::kRepeatYearsMessage, MB_OK);
}

}  // namespace

Repeat::Repeat(fw::Prompter& prompter, const store::RepeatForm& form)
    : Dialog(IDD_REPEAT, prompter), openHelp(OpenHelpFile), form_(form) {}

int Repeat::KindControl(int kind) {
  return kind >= 0 && kind < kKinds ? kKindControls[kind] : kKindControls[0];
}

bool Repeat::OnInitDialog() {
  HWND hwnd = Handle();
  SetWindowTextA(hwnd, form_.Title().c_str());
  icon_.Apply(hwnd);
  for (int kind = 0; kind < kKinds; ++kind) {
    SetDlgItemTextA(hwnd, kKindControls[kind], form_.KindText(kind).c_str());
  }
  CheckDlgButton(hwnd, KindControl(form_.InitialKind()), BST_CHECKED);
  ShowDate(form_.EndDate());
  fw::CentreOnCursor(hwnd);
  return true;
}

int Repeat::CheckedKind() const {
  for (int kind = 0; kind < kKinds; ++kind) {
    if (IsDlgButtonChecked(Handle(), kKindControls[kind]) == BST_CHECKED) return kind;
  }
  return -1;
}

store::PickerDate Repeat::ShownDate() const {
  SYSTEMTIME st = {};
  if (!fw::GetPickerTime(GetDlgItem(Handle(), IDC_REPEAT_UNTIL), st)) return form_.EndDate();
  return store::PickerDate{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void Repeat::ShowDate(const store::PickerDate& date) {
  fw::SetPickerTime(GetDlgItem(Handle(), IDC_REPEAT_UNTIL), date.year, date.month, date.day,
                    date.hour, date.minute, date.second);
}

void Repeat::OnOK() {
  try {
    choice_ = form_.Confirm(CheckedKind(), ShownDate());
  } catch (const store::CalendarError&) {
    Close(kDateRefused);  // a date outside 1900..9999
    return;
  }
  Close(IDOK);
}

bool Repeat::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id == IDC_REPEAT_HELP) {
    if (openHelp) openHelp();
    return true;
  }
  for (int kind = 0; kind < kKinds; ++kind) {
    if (static_cast<int>(id) != kKindControls[kind]) continue;
    if (notifyCode == BN_CLICKED && form_.KindClicked(CheckedKind(), ShownDate())) {
      ShowDate(form_.EndDate());
    }
    return true;
  }
  return Dialog::OnCommand(id, notifyCode, control);
}

INT_PTR Repeat::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == IDC_REPEAT_UNTIL &&
        header->code == DTN_DATETIMECHANGE) {
      form_.EndDateChanged();  // later clicks keep the chosen date
      return TRUE;
    }
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}

bool RunRepeatDialog(HWND owner, const std::function<store::An_Appointment*()>& entryAfter,
                     const store::RepeatFormInput& input, bool twentyFourHour,
                     fw::Prompter& prompter) {
  std::unique_ptr<store::RepeatForm> form;
  try {
    form = std::make_unique<store::RepeatForm>(input, twentyFourHour);
  } catch (const store::CalendarError&) {
    TellYears(owner, prompter);
    return false;
  }

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_DATE_CLASSES;
  InitCommonControlsEx(&controls);

  Repeat dialog(prompter, *form);
  const INT_PTR result = dialog.DoModal(owner);
  if (result == Repeat::kDateRefused) {
    TellYears(owner, prompter);
    return false;
  }
  if (result != IDOK) return false;
  store::An_Appointment* entry = entryAfter();
  if (entry == nullptr) return false;
  try {
    store::ApplyRepeatRule(*entry, dialog.Choice());
  } catch (const store::CalendarError&) {
    TellYears(owner, prompter);
    return false;
  }
  return true;
}

}  // namespace planner
