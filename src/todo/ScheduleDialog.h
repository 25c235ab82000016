#pragma once
// The scheduling dialog (template IDD_SCHEDULE): the date and time a to-do
// line goes into the day planner, and whether the line leaves the list
// afterwards. On OK the chosen time is moved up to its half-hour slot (the
// date follows past midnight) and shown before the dialog closes; a date the
// calendar cannot hold keeps the dialog open with a message.

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"
#include "store/Moment.h"

namespace todo {

class ScheduleDialog : public fw::Dialog {
 public:
  static constexpr const char* kDateRangeMessage = "Please select a date from 1900 to 9999.";

  // `title` is the caption; the pickers start at `when`.
  ScheduleDialog(fw::Prompter& prompter, std::string title, store::Moment when);

  // After IDOK: the chosen date (its day counts) and time (its hour and minute).
  store::Moment Date() const { return date_; }
  store::Moment Time() const { return time_; }
  bool RemoveAfterScheduling() const { return remove_; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void ShowMembers();
  // False when a picker holds a date the calendar refuses.
  bool ReadControls();

  bool remove_ = false;
  store::Moment date_;
  store::Moment time_;
  std::string title_;
  fw::SmallWindowIcon icon_;
};

}  // namespace todo
