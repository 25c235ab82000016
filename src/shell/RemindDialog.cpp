#include "shell/RemindDialog.h"

#include "resource.h"
#include "shell/MainFrame.h"
#include "store/Settings.h"

namespace shell {

namespace {

std::uint8_t ByteFlag(bool on) { return on ? 1 : 0; }

}  // namespace

RemindDialog::RemindDialog(fw::Prompter& prompter, store::SettingsBlock& settings,
                           ShellRequests& shell)
    : Dialog(IDD_ADVANCED, prompter), settings_(settings), shell_(shell) {}

bool RemindDialog::OnInitDialog() {
  icon_.Apply(Handle());
  reminders_ = (settings_.flags & store::kFlagRemindersEnabled) != 0 ? 0 : 1;
  minutes_ = settings_.reminderMinutes;
  minimise_ = settings_.minimiseAtStartup != 0;
  onTop_ = settings_.alwaysOnTop != 0;
  fastPrinting_ = settings_.fastPrinting != 0;
  military_ = settings_.militaryTime != 0;
  european_ = settings_.europeanCalendar != 0;
  hideOnClose_ = (settings_.flags & store::kFlagHideOnClose) != 0;
  summarySeconds_ = settings_.summarySeconds;
  return Dialog::OnInitDialog();
}

void RemindDialog::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Radio(IDC_ADVANCED_REMINDERS_ON, IDC_ADVANCED_REMINDERS_OFF, reminders_);
  exchange.Integer(IDC_ADVANCED_MINUTES, minutes_, 0, kMaxMinutes);
  exchange.Check(IDC_ADVANCED_MINIMISE, minimise_);
  exchange.Check(IDC_ADVANCED_ON_TOP, onTop_);
  exchange.Check(IDC_ADVANCED_FAST_PRINTING, fastPrinting_);
  exchange.Check(IDC_ADVANCED_MILITARY, military_);
  exchange.Check(IDC_ADVANCED_EUROPEAN, european_);
  exchange.Check(IDC_ADVANCED_HIDE_ON_CLOSE, hideOnClose_);
  exchange.Integer(IDC_ADVANCED_SUMMARY, summarySeconds_, 0, kMaxSummarySeconds);
}

void RemindDialog::OnOK() {
  if (!UpdateData(true)) return;
  // Neither radio button ticked (a template without a default) keeps the bit.
  if (reminders_ == 0) settings_.flags |= store::kFlagRemindersEnabled;
  if (reminders_ == 1) settings_.flags &= ~store::kFlagRemindersEnabled;
  if (hideOnClose_) {
    settings_.flags |= store::kFlagHideOnClose;
  } else {
    settings_.flags &= ~store::kFlagHideOnClose;
  }
  settings_.reminderMinutes = minutes_;
  settings_.minimiseAtStartup = ByteFlag(minimise_);
  settings_.alwaysOnTop = ByteFlag(onTop_);
  settings_.fastPrinting = ByteFlag(fastPrinting_);
  settings_.militaryTime = ByteFlag(military_);
  settings_.europeanCalendar = ByteFlag(european_);
  settings_.summarySeconds = summarySeconds_;
  Close(IDOK);
}

bool RemindDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
  if (id == IDC_ADVANCED_HELP) {
    shell_.Open(Handle(), CMainFrame::kHelpFile);
    return true;
  }
  return Dialog::OnCommand(id, notifyCode, control);
}

}  // namespace shell
