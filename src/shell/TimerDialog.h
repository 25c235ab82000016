#pragma once
// The countdown timer dialog (template IDD_TIMER, "Countdown Timer"): how
// long until the countdown expires, whether its pop-up snoozes for the same
// time, and the text the pop-up shows. A change of the minutes or the text
// checks every value at once, as OK does; OK refuses a countdown of 0
// seconds. The caller starts the countdown from Request() after IDOK.

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"
#include "shell/Countdowns.h"

namespace shell {

class CTimerDialog : public fw::Dialog {
 public:
  static constexpr int kMaxHours = 8;
  static constexpr int kMaxMinutes = 999;
  static constexpr int kMaxSeconds = 999;
  static constexpr size_t kMaxTextChars = 60;

  explicit CTimerDialog(fw::Prompter& prompter);

  const CountdownRequest& Request() const { return request_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  CountdownRequest request_;
  fw::SmallWindowIcon icon_;
  bool filling_ = false;   // the controls are being filled: their changes are ours
  bool checking_ = false;  // a change's check is showing its message
};

}  // namespace shell
