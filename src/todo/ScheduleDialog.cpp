#include "todo/ScheduleDialog.h"

#include <utility>

#include "framework/DateTimePicker.h"
#include "resource.h"
#include "store/ScheduleSlots.h"

namespace todo {
namespace {

void ShowMoment(HWND picker, store::Moment moment) {
  const store::CalendarFields f = store::LocalFields(moment);
  fw::SetPickerTime(picker, f.year, f.month, f.day, f.hour < 0 ? 0 : f.hour,
                    f.minute < 0 ? 0 : f.minute, 0);
}

bool ReadMoment(HWND picker, store::Moment& moment) {
  SYSTEMTIME st = {};
  if (!fw::GetPickerTime(picker, st)) return false;
  return store::TryMakeTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, moment);
}

}  // namespace

ScheduleDialog::ScheduleDialog(fw::Prompter& prompter, std::string title, store::Moment when)
    : Dialog(IDD_SCHEDULE, prompter), date_(when), time_(when), title_(std::move(title)) {}

bool ScheduleDialog::OnInitDialog() {
  SetWindowTextA(Handle(), title_.c_str());
  icon_.Apply(Handle(), IDI_TODO);
  ShowMembers();
  return true;
}

void ScheduleDialog::ShowMembers() {
  CheckDlgButton(Handle(), IDC_SCHEDULE_REMOVE, remove_ ? BST_CHECKED : BST_UNCHECKED);
  ShowMoment(GetDlgItem(Handle(), IDC_SCHEDULE_DATE), date_);
  ShowMoment(GetDlgItem(Handle(), IDC_SCHEDULE_TIME), time_);
}

bool ScheduleDialog::ReadControls() {
  store::Moment date = 0;
  store::Moment time = 0;
  if (!ReadMoment(GetDlgItem(Handle(), IDC_SCHEDULE_DATE), date) ||
      !ReadMoment(GetDlgItem(Handle(), IDC_SCHEDULE_TIME), time)) {
    return false;
  }
  date_ = date;
  time_ = time;
  remove_ = IsDlgButtonChecked(Handle(), IDC_SCHEDULE_REMOVE) == BST_CHECKED;
  return true;
}

void ScheduleDialog::OnOK() {
  if (!ReadControls()) {
    GetPrompter().Show(Handle(), kDateRangeMessage, MB_OK);
    return;
  }
  const store::ChosenSlot chosen = store::RoundChosenSlot(date_, time_);
  date_ = chosen.date;
  time_ = chosen.time;
  ShowMembers();
  Close(IDOK);
}

}  // namespace todo
