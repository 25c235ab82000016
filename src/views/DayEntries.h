#pragma once
// The entries of one day in time order, found in the sorted appointment
// book without walking all of it.

#include <vector>

namespace lumetta {
class All_Appointments;
class An_Appointment;
}  // namespace lumetta

namespace views {

// The entries dated year-month-day, in list order. The book must be sorted
// (All_Appointments::Sort) before.
std::vector<lumetta::An_Appointment*> EntriesOnDay(const lumetta::All_Appointments& book, int year,
                                                   int month, int day);

}  // namespace views
