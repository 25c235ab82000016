#include "Diary.h"

#include <windows.h>

#include <cstdio>
#include <iterator>
#include <random>

#include "common/Records.h"
#include "store/Appointment.h"
#include "store/CivilDate.h"
#include "store/ToDoLists.h"
#include "support/DataFolder.h"

namespace soak {
namespace {

const char* const kTexts[] = {
    "Dentist",
    "Lunch with Ana",
    "\"Quarterly review\" in room 4",
    "Caf\xE9 with Zo\xEB \x80 12",
    "Pay rent \xB7 \xBD done",
    "Call \xC5sa re: M\xFCller's offer",
    "Standup",
    "Gym",
    "Flight LH 1234 \x96 gate B7",
    "A very long entry that fills the whole text field of a record and then goes on and on "
    "past its hundred characters, to be cut",
};
const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

std::string Entries(std::mt19937& random, double runMinutes) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::int64_t today = store::DayNumber(now.wYear, now.wMonth, now.wDay);
  std::string bytes;
  const auto noReminder = [](store::An_Appointment& e) { e.reminderMinutes = -1; };
  // Scattered entries from six weeks before today to six weeks after.
  for (int i = 0; i < 300; ++i) {
    const store::CivilDate date = store::DateOfDayNumber(today - 42 + random() % 85);
    const int slot = 14 + static_cast<int>(random() % 28);
    bytes += test_common::Record(date.year, date.month, date.day, slot / 2, slot % 2 * 30,
                                 kTexts[random() % std::size(kTexts)], noReminder);
  }
  // Weekly series of six.
  for (int series = 0; series < 8; ++series) {
    const std::int64_t first = today - 14 + random() % 14;
    const int slot = 16 + series;
    const store::CivilDate start = store::DateOfDayNumber(first);
    const int weekday = store::WeekdayOfDayNumber(first);
    for (int week = 0; week < 6; ++week) {
      const store::CivilDate date = store::DateOfDayNumber(first + 7 * week);
      bytes += test_common::Record(
          date.year, date.month, date.day, slot / 2, slot % 2 * 30,
          "Weekly " + std::to_string(series) + " from " + std::to_string(start.day),
          [&](store::An_Appointment& e) {
            e.reminderMinutes = -1;
            e.SetRepeat(store::kRepeatWeekly, "", std::string("every ") + kWeekdays[weekday], 0);
          });
    }
  }
  // Reminders that come due while the run goes on: entries in the next
  // slots of today, reminding some minutes ahead.
  const int nowMinutes = now.wHour * 60 + now.wMinute;
  const int lastMinutes = nowMinutes + static_cast<int>(runMinutes) + 1;
  for (int slotStart = (nowMinutes / 30 + 1) * 30;
       slotStart < 24 * 60 && slotStart <= lastMinutes + 60; slotStart += 30) {
    const int reminderAt =
        nowMinutes + 1 +
        static_cast<int>(random() % static_cast<unsigned>(lastMinutes - nowMinutes));
    if (reminderAt > slotStart) continue;
    bytes += test_common::Record(
        now.wYear, now.wMonth, now.wDay, slotStart / 60, slotStart % 60,
        "Reminder due at " + std::to_string(reminderAt / 60) + ":" +
            std::to_string(reminderAt % 60),
        [&](store::An_Appointment& e) { e.reminderMinutes = slotStart - reminderAt; });
  }
  return bytes;
}

std::string ToDoFile(int list) {
  store::ToDoList lines;
  for (int row = 0; row < 5 + list * 3; ++row) {
    lines[static_cast<size_t>(row)].text = std::string(store::ToDoListName(list)) + " task " +
                                           std::to_string(row) +
                                           (row % 4 == 1 ? " \xE0 r\xE9gler" : "");
  }
  return store::EncodeToDoList(lines);
}

const char kCalendar[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//soak//EN\r\n"
    "BEGIN:VEVENT\r\nUID:soak-1\r\nDTSTART:%04d%02d%02dT100000\r\nSUMMARY:Imported meeting\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:soak-2\r\nDTSTART:%04d%02d%02dT143000\r\nSUMMARY:Imported weekly\r\n"
    "RRULE:FREQ=WEEKLY;COUNT=4\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

}  // namespace

bool WriteDiary(std::uint32_t seed, double runMinutes) {
  std::mt19937 random(seed);
  const std::string folder = e2e::DataFolder();
  bool ok = e2e::WriteWholeFile(folder + "Lumetta.bin", Entries(random, runMinutes));
  for (int list = 0; list < store::kToDoListCount; ++list) {
    ok = e2e::WriteWholeFile(folder + store::ToDoFileName(list), ToDoFile(list)) && ok;
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  for (int day = 1; day <= 28; day += 3) {
    char name[32];
    std::snprintf(name, sizeof name, "notes\\%04d%02d%02d.txt", now.wYear, now.wMonth, day);
    ok = e2e::WriteWholeFile(folder + name, "Notes of day " + std::to_string(day) +
                                                "\r\nSecond line \xE9t\xE9\r\n") &&
         ok;
  }
  char calendar[sizeof kCalendar + 32];
  std::snprintf(calendar, sizeof calendar, kCalendar, now.wYear, now.wMonth, now.wDay, now.wYear,
                now.wMonth, now.wDay);
  ok = e2e::WriteWholeFile(kImportFile, calendar) && ok;
  if (!ok) std::fprintf(stderr, "soak: cannot write the diary into %s\n", folder.c_str());
  return ok;
}

}  // namespace soak
