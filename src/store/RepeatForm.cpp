#include "store/RepeatForm.h"

#include "store/Appointment.h"
#include "store/CalendarText.h"
#include "store/CivilDate.h"

namespace store {

namespace {

// A default end date never falls after the calendar's last year.
constexpr int kLastDefaultYear = kLastCalendarYear;
constexpr int kFallbackDefaultYear = kLastCalendarYear;
constexpr int kDefaultDays = 28;

const char* WeekdayNameOf(int weekday) {
  static const char* const kNames[6] = {"Sunday",    "Monday",   "Tuesday",
                                        "Wednesday", "Thursday", "Friday"};
  return weekday >= 0 && weekday <= 5 ? kNames[weekday] : "Saturday";
}

}  // namespace

RepeatFormInput RepeatFormInput::From(const An_Appointment& e) {
  RepeatFormInput in;
  in.year = e.year();
  in.month = e.month();
  in.day = e.day();
  in.hour = e.hour();
  in.minute = e.minute();
  in.text = e.text;
  in.repeatUntil = e.repeatUntil;
  in.repeatKind = e.repeatKind;
  in.weekOrdinal = e.weekOrdinal;
  return in;
}

PickerDate PickerDateOf(Moment moment) {
  CalendarFields f;
  if (!LocalFields(moment, f)) throw CalendarError();
  return PickerDate{f.year, f.month, f.day, f.hour, f.minute, f.second};
}

RepeatForm::RepeatForm(const RepeatFormInput& input, bool twentyFourHour) : input_(input) {
  moment_ = MakeTime(input.year, input.month, input.day, input.hour, input.minute);
  local_ = LocalFields(moment_);
  // A negative end (possible from an old text file) counts as none, like 0.
  hasEndDate_ = input.repeatUntil > 0;
  endDate_ = PickerDateOf(hasEndDate_ ? input.repeatUntil : moment_);
  initialKind_ =
      input.repeatKind >= 0 && input.repeatKind <= kRepeatYearly ? input.repeatKind : kRepeatNone;
  const char* ordinal = WeekOrdinal(input.day);
  weekOrdinal_ = ordinal != nullptr ? ordinal : input.weekOrdinal;
  dayOrdinal_ = DayOrdinal(input.day);
  weekdayName_ = WeekdayNameOf(local_.weekday);
  title_ = TimeText(input.hour, input.minute, twentyFourHour) + ": " + input.text;
}

std::string RepeatForm::KindText(int kind) const {
  switch (kind) {
    case kRepeatNone:
      return "does not repeat";
    case kRepeatEveryWeekday:
      return "every weekday";
    case kRepeatEveryday:
      return "everyday";
    case kRepeatWeekly:
      return "every " + weekdayName_;
    case kRepeatEveryOtherWeek:
      return "every other " + weekdayName_;
    case kRepeatMonthlyByDate:
      return "every month on the " + dayOrdinal_;
    case kRepeatMonthlyByWeekday:
      return weekOrdinal_ + " " + weekdayName_ + " of every month";
    case kRepeatYearly:
      return "every year on this day";
    default:
      return std::string();
  }
}

PickerDate RepeatForm::DefaultEndDate(int kind) const {
  if (kind == kRepeatEveryWeekday || kind == kRepeatEveryday) {
    // m + 28 days, stepped on the calendar so the time of day stays.
    const CivilDate d =
        DateOfDayNumber(DayNumber(local_.year, local_.month, local_.day) + kDefaultDays);
    return PickerDate{d.year, d.month, d.day, local_.hour, local_.minute, 0};
  }
  int years = 0;
  switch (kind) {
    case kRepeatWeekly:
    case kRepeatEveryOtherWeek:
      years = 1;
      break;
    case kRepeatMonthlyByDate:
    case kRepeatMonthlyByWeekday:
      years = 2;
      break;
    case kRepeatYearly:
      years = 10;
      break;
    default:
      return endDate_;
  }
  int year = local_.year + years;
  if (year > kLastDefaultYear) year = kFallbackDefaultYear;
  // February 29 in a year without one rolls over to March 1, as MakeTime does.
  const CivilDate d = DateOfDayNumber(DayNumber(year, local_.month, local_.day));
  return PickerDate{d.year, d.month, d.day, local_.hour, local_.minute, 0};
}

bool RepeatForm::KindClicked(int kind, const PickerDate& shown) {
  endDate_ = shown;
  if (hasEndDate_ || kind == kRepeatNone) return false;
  endDate_ = DefaultEndDate(kind);
  return true;
}

RepeatChoice RepeatForm::Confirm(int kind, const PickerDate& shown) const {
  RepeatChoice choice;
  choice.kind = kind >= 0 && kind <= kRepeatYearly ? kind : kRepeatNone;
  // An end date a moment cannot hold is refused like any date the time
  // functions reject; a wrapped value is never stored.
  choice.until = MakeTime(shown.year, shown.month, shown.day, shown.hour, shown.minute);
  choice.weekOrdinal = weekOrdinal_;
  choice.weekdayText = KindText(kRepeatWeekly);
  choice.monthDay = input_.day;
  return choice;
}

}  // namespace store
