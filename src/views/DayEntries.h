#pragma once
// The entries of one day in time order, found in the sorted appointment
// book without walking all of it.

#include <vector>

namespace store {
class All_Appointments;
class An_Appointment;
}  // namespace store

namespace views {

// The entries dated year-month-day, in list order. The book must be sorted
// (All_Appointments::Sort) before.
std::vector<store::An_Appointment*> EntriesOnDay(const store::All_Appointments& book, int year,
                                                 int month, int day);

}  // namespace views
