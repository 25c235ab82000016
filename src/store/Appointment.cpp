#include "store/Appointment.h"

#include <ostream>
#include <utility>

#include "store/AppointmentBook.h"

namespace store {

EntryTime& EntryTime::operator=(Moment m) {
  if (m != value_) {
    value_ = m;
    owner_->book_->TimeChanged(*owner_);
  }
  return *this;
}

std::ostream& operator<<(std::ostream& out, const EntryTime& time) {
  return out << static_cast<Moment>(time);
}

An_Appointment::An_Appointment(All_Appointments& book) : book_(&book) {}

An_Appointment::~An_Appointment() = default;

void An_Appointment::SetSlot(int year, int month, int day, int hour, int minute,
                             std::string newText) {
  SetKey(year, month, day, hour, minute);
  text = std::move(newText);
}

void An_Appointment::SetKey(int year, int month, int day, int hour, int minute) {
  book_->Rekey(*this, year, month, day, hour, minute);
}

void An_Appointment::SetDate(int year, int month, int day) {
  book_->Rekey(*this, year, month, day, hour_, minute_);
}

void An_Appointment::SetRepeat(int kind, std::string newWeekOrdinal, std::string newWeekdayText,
                               int newMonthDay) {
  repeatKind = kind;
  weekOrdinal = std::move(newWeekOrdinal);
  weekdayText = std::move(newWeekdayText);
  monthDay = newMonthDay;
}

}  // namespace store
