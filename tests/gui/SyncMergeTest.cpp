// What a background sync changed arrives in the window's book beside what
// the user typed while it ran: nothing typed is lost, nothing doubled.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/Fakes.h"
#include "shell/BackgroundSync.h"
#include "store/AppointmentBook.h"
#include "store/SyncItems.h"

namespace {

store::AppointmentRecord Entry(int day, int hour, const std::string& text) {
  store::AppointmentRecord r;
  r.year = 2027;
  r.month = 3;
  r.day = r.monthDay = day;
  r.hour = hour;
  r.text = text;
  r.reminderOn = 1;
  return r;
}

std::vector<std::pair<int, std::string>> DaysAndTexts(const store::All_Appointments& book) {
  std::vector<std::pair<int, std::string>> out;
  for (const store::An_Appointment& e : book) {
    const store::AppointmentRecord r = store::RecordOfEntry(e);
    out.emplace_back(r.day, r.text);
  }
  return out;
}

TEST(SyncMerge, TheSyncsChangesJoinWhatWasTypedMeanwhile) {
  fakes::FakeWorld world;
  const store::StoreContext context = world.Context();
  store::All_Appointments book(context);
  const store::AppointmentRecord kept = Entry(1, 9, "Dentist");
  const store::AppointmentRecord changedThere = Entry(2, 10, "Call the bank");
  const store::AppointmentRecord typedHere = Entry(3, 14, "Team meeting");
  for (const auto& r : {kept, changedThere, typedHere}) book.MergeRecord(r);
  book.Sort();

  shell::SyncResult result;
  for (const store::An_Appointment& e : book) result.before.push_back(store::RecordOfEntry(e));
  // The server moved the bank call to the 5th and added a flight.
  result.after = {kept, typedHere, Entry(5, 10, "Call the bank"), Entry(7, 8, "Flight")};
  // Meanwhile the user retyped the meeting and added a note of a new day.
  for (store::An_Appointment& e : book) {
    if (e.text == "Team meeting") e.text = "Team meeting, room 4";
  }
  book.MergeRecord(Entry(4, 12, "Lunch"));
  book.Sort();

  EXPECT_EQ(3, shell::ApplySyncChanges(book, result));  // one gone, two come
  const std::vector<std::pair<int, std::string>> expected = {{1, "Dentist"},
                                                             {3, "Team meeting, room 4"},
                                                             {4, "Lunch"},
                                                             {5, "Call the bank"},
                                                             {7, "Flight"}};
  EXPECT_EQ(expected, DaysAndTexts(book));
  // Nothing more to do a second time: the same result changes nothing.
  shell::SyncResult again;
  again.before = again.after = result.after;
  EXPECT_EQ(0, shell::ApplySyncChanges(book, again));
  EXPECT_EQ(expected, DaysAndTexts(book));
}

}  // namespace
