#pragma once
// The repeat dialog (template IDD_REPEAT): the repeat kinds as one group of
// radio buttons whose texts name the entry's weekday and day, and the end
// date in a date picker. The decisions (texts, default end dates, the choice
// handed back) are those of store::RepeatForm; this class moves them in and
// out of the controls.

#include <windows.h>

#include <functional>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"
#include "store/RepeatForm.h"

namespace store {
class An_Appointment;
}

namespace planner {

class Repeat : public fw::Dialog {
 public:
  // The dialog's result when its end date cannot be held in a moment.
  static constexpr INT_PTR kDateRefused = 1000;

  Repeat(fw::Prompter& prompter, const store::RepeatForm& form);

  // The choice, after the dialog ended with IDOK.
  const store::RepeatChoice& Choice() const { return choice_; }

  // Opens the help file "Lumetta.chm" (the shell's default viewer); tests
  // replace it.
  std::function<void()> openHelp;

  // The radio button of each repeat kind 0..7.
  static int KindControl(int kind);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int CheckedKind() const;  // -1 when none is checked
  store::PickerDate ShownDate() const;
  void ShowDate(const store::PickerDate& date);

  store::RepeatForm form_;
  store::RepeatChoice choice_;
  fw::SmallWindowIcon icon_;
};

// The Repeats command for one entry: the dialog filled from `input` (the
// planner's date, the entry's time, end date, kind and text), and on OK the
// choice applied to the entry (caps, copies, their messages). A date that
// cannot be converted, at opening or as the chosen end date, shows "Yikes!
// Please stick to the years 1990 - 2036." and changes nothing. The entry is
// found by `entryAfter` once the dialog has closed (nullptr: it is gone, and
// nothing changes). True when a rule was applied.
bool RunRepeatDialog(HWND owner, const std::function<store::An_Appointment*()>& entryAfter,
                     const store::RepeatFormInput& input, bool twentyFourHour,
                     fw::Prompter& prompter);

}  // namespace planner
