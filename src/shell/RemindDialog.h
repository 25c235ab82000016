#pragma once
// The "Advanced Settings" dialog (RemindDialog, template IDD_ADVANCED):
// reminders on or off, the default reminder minutes, the display and
// behaviour flags and the start-up summary's seconds. OK stores them into
// the settings block; Cancel and Esc change nothing. What follows a change
// (re-arming, placing, saving) is the main window's.

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace store {
struct SettingsBlock;
}

namespace shell {

class ShellRequests;

class RemindDialog : public fw::Dialog {
 public:
  static constexpr int kMaxMinutes = 180;
  static constexpr int kMaxSummarySeconds = 300;

  // Help asks `shell` to open the help file.
  RemindDialog(fw::Prompter& prompter, store::SettingsBlock& settings, ShellRequests& shell);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  store::SettingsBlock& settings_;
  ShellRequests& shell_;
  fw::SmallWindowIcon icon_;
  // The controls' values: 0 "Enable Reminders", 1 "No Reminders".
  int reminders_ = 0;
  int minutes_ = 0;
  bool minimise_ = false;
  bool onTop_ = false;
  bool fastPrinting_ = false;
  bool military_ = false;
  bool european_ = false;
  bool hideOnClose_ = false;
  int summarySeconds_ = 0;
};

}  // namespace shell
