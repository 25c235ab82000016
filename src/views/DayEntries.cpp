#include "views/DayEntries.h"

#include <algorithm>

#include "store/AppointmentBook.h"
#include "store/Moment.h"

namespace views {
namespace {

bool OnDay(const store::An_Appointment& e, int year, int month, int day) {
  return e.year() == year && e.month() == month && e.day() == day;
}

std::vector<store::An_Appointment*> ScanWholeBook(const store::All_Appointments& book, int year,
                                                  int month, int day) {
  std::vector<store::An_Appointment*> found;
  for (store::An_Appointment& e : book) {
    if (OnDay(e, year, month, day)) found.push_back(&e);
  }
  return found;
}

}  // namespace

std::vector<store::An_Appointment*> EntriesOnDay(const store::All_Appointments& book, int year,
                                                 int month, int day) {
  std::vector<store::An_Appointment*> found;
  store::An_Appointment* first = book.FindOnDay(year, month, day);
  if (first == nullptr) return found;
  store::Moment dayStart = 0;
  if (!store::TryMakeTime(year, month, day, 0, 0, dayStart)) {
    return ScanWholeBook(book, year, month, day);
  }
  // The sorted list holds the day's entries from its first moment on.
  size_t low = 0;
  size_t high = book.Count();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (static_cast<store::Moment>(book.At(middle).time) < dayStart) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  // Entries of the day lie within its 25 hours at most (a daylight-saving day).
  const store::Moment dayEnd = dayStart + store::kSecondsPerDay + 3600;
  for (size_t i = low; i < book.Count(); ++i) {
    store::An_Appointment& e = book.At(i);
    if (static_cast<store::Moment>(e.time) >= dayEnd) break;
    if (OnDay(e, year, month, day)) found.push_back(&e);
  }
  // The day's first entry missing here means some entry's time does not
  // match its date (one never armed stands elsewhere in the list): then
  // only a walk of the whole book finds them all.
  if (std::find(found.begin(), found.end(), first) == found.end()) {
    return ScanWholeBook(book, year, month, day);
  }
  return found;
}

}  // namespace views
