#include "shell/ComicDialog.h"

#include "framework/DateTimePicker.h"
#include "resource.h"
#include "store/DailyWebsite.h"
#include "store/FixedFields.h"
#include "store/Settings.h"

namespace shell {

ComicDialog::ComicDialog(fw::Prompter& prompter, store::SettingsBlock& settings)
    : Dialog(IDD_DAILY_WEBSITE, prompter), settings_(settings) {}

bool ComicDialog::OnInitDialog() {
  enabled_ = settings_.webPageEnabled != 0;
  address_ = store::ReadField(settings_.webPageAddress, sizeof settings_.webPageAddress);
  time_ = settings_.webPageTime;
  weekdaysOnly_ = settings_.webPageWeekdaysOnly != 0;
  askFirst_ = settings_.webPageAskFirst != 0;
  ShowTime();
  return Dialog::OnInitDialog();
}

void ComicDialog::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Check(IDC_WEBSITE_ENABLED, enabled_);
  exchange.Text(IDC_WEBSITE_ADDRESS, address_, kMaxAddress);
  exchange.Check(IDC_WEBSITE_WEEKDAYS, weekdaysOnly_);
  exchange.Check(IDC_WEBSITE_ASK_FIRST, askFirst_);
}

void ComicDialog::ShowTime() {
  store::CalendarFields f;
  if (!store::LocalFields(time_, f)) return;
  fw::SetPickerTime(GetDlgItem(Handle(), IDC_WEBSITE_TIME), f.year, f.month, f.day, f.hour,
                    f.minute, f.second);
}

void ComicDialog::ReadTime() {
  SYSTEMTIME st = {};
  if (!fw::GetPickerTime(GetDlgItem(Handle(), IDC_WEBSITE_TIME), st)) return;
  // Only the time of day counts; a date the store cannot hold keeps the old time.
  store::Moment read = 0;
  if (store::TryMakeTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, read)) {
    time_ = read + st.wSecond;
  }
}

void ComicDialog::OnOK() {
  if (!UpdateData(true)) return;
  ReadTime();
  settings_.webPageEnabled = enabled_ ? 1 : 0;
  settings_.webPageWeekdaysOnly = weekdaysOnly_ ? 1 : 0;
  store::SetText(settings_.webPageAddress, address_);
  settings_.webPageTime = store::TimeOfDayMoment(time_);
  settings_.webPageAskFirst = askFirst_ ? 1 : 0;
  Close(IDOK);
}

bool ComicDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id == IDC_WEBSITE_DEFAULTS && notifyCode == BN_CLICKED) {
    // The time rounds up from the one loaded on opening, not from the picker.
    address_ = store::kDefaultWebPage;
    enabled_ = true;
    weekdaysOnly_ = true;
    askFirst_ = true;
    time_ = store::RoundUpToHalfHour(time_);
    UpdateData(false);
    ShowTime();
    return true;
  }
  return Dialog::OnCommand(id, notifyCode, control);
}

}  // namespace shell
