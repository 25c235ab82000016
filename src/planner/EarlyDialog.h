#pragma once
// The "Configure Reminder" dialog (CEarlyDialog, template IDD_EARLY): the
// reminder fields of one entry. The caller fills the values, opens it and
// reads them back whichever way it closed: ticking the enabled box and
// changing the minutes read the controls back at once, so those changes
// stay after Cancel too.

#include <string>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace planner {

class CEarlyDialog : public fw::Dialog {
 public:
  static constexpr int kMinMinutes = 0;
  static constexpr int kMaxMinutes = 180;

  explicit CEarlyDialog(fw::Prompter& prompter);

  bool enabled = true;
  int minutesEarly = 1;
  bool dayBefore = false;
  bool noHighlight = false;
  // For the title "9:30am: Text"; hour -1 keeps the template's title.
  int hour = -1;
  int minute = 0;
  bool militaryTime = false;
  std::string text;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  // The minutes box and the day-before box follow the enabled box.
  void EnableDependents();

  bool filling_ = false;
  fw::SmallWindowIcon icon_;
};

}  // namespace planner
