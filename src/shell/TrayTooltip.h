#pragma once
// The text of the notification-area tooltip, which names the next
// appointment. Kept apart from the window so every form can be tested with
// a fixed "now".

#include <cstddef>
#include <string>

#include "store/Moment.h"

namespace store {
class All_Appointments;
}

namespace shell {

// What the tooltip shows of the next appointment: its slot, its moment and
// its text.
struct TooltipAppointment {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  store::Moment time = 0;
  std::string text;
};

// Texts longer than this are cut to kTooltipKeptChars characters and "...".
constexpr std::size_t kTooltipLongestText = 62;
constexpr std::size_t kTooltipKeptChars = 60;
constexpr const char* kNoAppointmentsTip = "Lumetta Calendar: no appointments are scheduled";

// The tooltip for the next appointment after `now` (nullptr: none), in one
// of four forms: today ("9:05am: text "), tomorrow (" Tomorrow at 9:05am:
// text "), within a week ("Friday 9:05am: text ") or later ("Friday, March
// 14 9:05am: text "). With militaryTime the hour runs 0..23 without suffix.
std::string TrayTooltipText(const TooltipAppointment* next, store::Moment now, bool militaryTime);

// The same for the first entry of the (time-sorted) book later than `now`.
std::string TrayTooltipFor(const store::All_Appointments& book, store::Moment now,
                           bool militaryTime);

}  // namespace shell
