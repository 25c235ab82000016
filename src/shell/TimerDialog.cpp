#include "shell/TimerDialog.h"

#include "resource.h"

namespace shell {

namespace {

const char kZeroTimeMessage[] = "I can't set a timer to go off in 0 seconds.";

}  // namespace

CTimerDialog::CTimerDialog(fw::Prompter& prompter) : Dialog(IDD_TIMER, prompter) {}

bool CTimerDialog::OnInitDialog() {
  icon_.Apply(Handle(), IDI_STOPWATCH);
  filling_ = true;
  const bool focusFirst = Dialog::OnInitDialog();
  filling_ = false;
  return focusFirst;
}

void CTimerDialog::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Integer(IDC_TIMER_HOURS, request_.hours, 0, kMaxHours);
  exchange.Integer(IDC_TIMER_MINUTES, request_.minutes, 0, kMaxMinutes);
  exchange.Integer(IDC_TIMER_SECONDS, request_.seconds, 0, kMaxSeconds);
  exchange.Check(IDC_TIMER_SNOOZE_WITH_TIME, request_.snoozeWithThisTime);
  exchange.Text(IDC_TIMER_TEXT, request_.text, kMaxTextChars);
}

void CTimerDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (request_.hours == 0 && request_.minutes == 0 && request_.seconds == 0) {
    GetPrompter().Show(Handle(), kZeroTimeMessage, MB_OK);
    return;
  }
  Close(IDOK);
}

bool CTimerDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (notifyCode == EN_CHANGE && (id == IDC_TIMER_MINUTES || id == IDC_TIMER_TEXT)) {
    if (!filling_ && !checking_) {
      checking_ = true;
      UpdateData(true);
      checking_ = false;
    }
    return true;
  }
  return Dialog::OnCommand(id, notifyCode, control);
}

}  // namespace shell
