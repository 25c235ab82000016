#include "store/ScheduleSlots.h"

#include <limits>

#include "store/AppointmentBook.h"

namespace store {
namespace {

constexpr Moment kHalfHour = 1800;
constexpr Moment kLastSteppable = std::numeric_limits<Moment>::max() - 2 * 3600;

}  // namespace

RoundedSlot RoundUpToSlot(Moment time) {
  RoundedSlot rounded{time, false};
  CalendarFields fields;
  if (!LocalFields(time, fields) || time > kLastSteppable) return rounded;
  const int startDay = fields.day;
  if (fields.second != 0) {
    rounded.time += 60 - fields.second;
    LocalFields(rounded.time, fields);
  }
  const int minute = fields.minute;
  if (minute != 0 && minute != 30) {
    rounded.time += -60 * minute + (minute < 30 ? kHalfHour : 2 * kHalfHour);
    LocalFields(rounded.time, fields);
  }
  rounded.dayChanged = fields.day != startDay;
  return rounded;
}

ChosenSlot RoundChosenSlot(Moment date, Moment time) {
  const RoundedSlot rounded = RoundUpToSlot(time);
  ChosenSlot chosen{date, rounded.time};
  Moment next = 0;
  if (rounded.dayChanged && NextLocalDay(date, next)) chosen.date = next;
  return chosen;
}

Moment FindFreeSlot(const All_Appointments& book, Moment time) {
  CalendarFields at;
  while (time <= kLastSteppable && LocalFields(time, at) &&
         book.FindAt(at.year, at.month, at.day, at.hour, at.minute) != nullptr) {
    time += kHalfHour;
  }
  return time;
}

}  // namespace store
