// What the repeat dialog shows and decides, apart from its window: the
// control texts, the title, the default end dates offered when a kind is
// clicked, and the choice handed back on OK. The Windows dialog (class
// Repeat) moves these values in and out of its controls.
#pragma once

#include <string>

#include "store/Moment.h"
#include "store/Repeats.h"

namespace store {

class An_Appointment;

// What the dialog is filled with.
struct RepeatFormInput {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  std::string text;
  Moment repeatUntil = 0;
  int repeatKind = kRepeatNone;
  std::string weekOrdinal;  // kept when the day gives no week ordinal

  static RepeatFormInput From(const An_Appointment& entry);
};

// A local date and time as the date picker holds it. Unlike a moment it can
// name any year; it becomes a moment only when the dialog is confirmed.
struct PickerDate {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class RepeatForm {
 public:
  // Throws CalendarError when the entry's date or its end date cannot be
  // converted (the dialog then shows kRepeatYearsMessage and does not open).
  // An end date of 0 or below means none: the picker starts at the entry.
  RepeatForm(const RepeatFormInput& input, bool twentyFourHour);

  // "%s: %s": the time of day and the entry's text.
  const std::string& Title() const { return title_; }
  // The text of the radio button of a kind (0..7): "every %s", ...
  std::string KindText(int kind) const;
  // The kind whose button is selected at opening (above 7 counts as 0).
  int InitialKind() const { return initialKind_; }
  // The end date U the picker shows.
  const PickerDate& EndDate() const { return endDate_; }
  bool HasEndDate() const { return hasEndDate_; }

  // A radio button was clicked; `shown` is the picker's value. Without a
  // chosen end date, U becomes the kind's default: true then, and the
  // picker must show EndDate().
  bool KindClicked(int kind, const PickerDate& shown);
  // The user changed the date in the picker: later clicks keep it.
  void EndDateChanged() { hasEndDate_ = true; }

  // OK: the choice for ApplyRepeatRule. A kind above 7 becomes 0. Throws
  // CalendarError when U is outside the calendar (before 1900, after 9999);
  // nothing is changed then.
  RepeatChoice Confirm(int kind, const PickerDate& shown) const;

 private:
  PickerDate DefaultEndDate(int kind) const;

  RepeatFormInput input_;
  Moment moment_ = 0;  // m: the entry's moment
  CalendarFields local_;
  std::string title_;
  std::string weekdayName_;
  std::string weekOrdinal_;
  std::string dayOrdinal_;
  int initialKind_ = kRepeatNone;
  PickerDate endDate_;
  bool hasEndDate_ = false;
};

// The picker's view of a moment; throws CalendarError for a moment that
// cannot be broken down.
PickerDate PickerDateOf(Moment moment);

}  // namespace store
