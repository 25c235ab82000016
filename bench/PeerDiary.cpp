// peer_diary [--plain] N FOLDER [FROM_YEAR TO_YEAR [SLOT_MINUTES]]: writes
// one synthetic diary of N entries in the slots (default half hours) of
// FROM_YEAR..TO_YEAR (default 2020-2030), 5 % with an alarm 15 minutes
// ahead and about 3 % in weekly series of four (with --plain: one-off
// appointments only, no alarms), in three formats: FOLDER/Lumetta.bin (our data file, through the
// store), FOLDER/diary.rem (remind) and FOLDER/calcurse/apts (calcurse). Every format holds the
// same occurrences, so the agenda tools print the same days.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "store/CivilDate.h"
#include "store/DataFile.h"
#include "store/Moment.h"

#include "BenchWorld.h"

using bench::TheWorld;
using namespace store;

namespace {

constexpr int kSeriesLength = 4;  // weekly, four occurrences

// The length of a slot and the diary's shape: set once from the command line.
int slotMinutes = 30;
bool plain = false;
std::uint32_t SlotsPerDay() { return static_cast<std::uint32_t>(24 * 60 / slotMinutes); }

struct Occurrence {
  std::uint32_t slot;
  int text;
  bool alarm;
  int series;              // occurrence number within its series, -1 for a single entry
  std::uint32_t lastSlot;  // the series' last slot
};

const char* const kTexts[] = {"Meeting",
                              "Dentist",
                              "Lunch with Sam",
                              "Call",
                              "Gym",
                              "Review",
                              "Pick up the kids",
                              "Flight",
                              "Meeting about the quarterly report",
                              "Call about the quarterly report"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

struct SlotTime {
  CivilDate date;
  int hour, minute;
};

SlotTime TimeOf(std::int64_t firstDay, std::uint32_t slot) {
  const int minutes = static_cast<int>(slot % SlotsPerDay()) * slotMinutes;
  return SlotTime{DateOfDayNumber(firstDay + slot / SlotsPerDay()), minutes / 60, minutes % 60};
}

// Random free slots; a new entry starts a series when its three weekly
// follow-ups are free too.
std::vector<Occurrence> MakeDiary(std::size_t n, std::uint32_t slots) {
  const std::uint32_t week = 7 * SlotsPerDay();
  std::mt19937 rng(2020);
  std::vector<std::uint32_t> order(slots);
  for (std::uint32_t i = 0; i < slots; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), rng);
  std::vector<bool> taken(slots);
  std::vector<Occurrence> diary;
  diary.reserve(n);
  for (std::uint32_t s : order) {
    if (diary.size() >= n) break;
    if (taken[s]) continue;
    const int text = static_cast<int>(rng() % 10);
    const bool alarm = rng() % 100 < 5 && !plain;
    bool series = rng() % 100 < 3 && !plain && diary.size() + kSeriesLength <= n &&
                  s + (kSeriesLength - 1) * week < slots;
    for (int k = 1; series && k < kSeriesLength; ++k) series = !taken[s + k * week];
    const int count = series ? kSeriesLength : 1;
    const std::uint32_t last = s + static_cast<std::uint32_t>(count - 1) * week;
    for (int k = 0; k < count; ++k) {
      const std::uint32_t at = s + static_cast<std::uint32_t>(k) * week;
      taken[at] = true;
      diary.push_back(Occurrence{at, text, alarm, series ? k : -1, last});
    }
  }
  std::sort(diary.begin(), diary.end(),
            [](const Occurrence& a, const Occurrence& b) { return a.slot < b.slot; });
  return diary;
}

bool WriteLumetta(const std::vector<Occurrence>& diary, std::int64_t firstDay,
                  const std::string& path) {
  All_Appointments book(TheWorld().Context());
  for (const Occurrence& o : diary) {
    const SlotTime t = TimeOf(firstDay, o.slot);
    An_Appointment& e = book.Create();
    e.SetSlot(t.date.year, t.date.month, t.date.day, t.hour, t.minute, kTexts[o.text]);
    e.reminderMinutes = o.alarm ? 15 : -1;
    if (o.series >= 0) {
      const SlotTime last = TimeOf(firstDay, o.lastSlot);
      const int weekday = WeekdayOfDayNumber(firstDay + o.slot / SlotsPerDay());
      e.SetRepeat(kRepeatWeekly, "", std::string("every ") + kWeekdays[weekday], 0);
      e.repeatUntil =
          MakeTime(last.date.year, last.date.month, last.date.day, last.hour, last.minute);
    }
    e.time = MakeTime(t.date.year, t.date.month, t.date.day, t.hour, t.minute);
  }
  return book.SaveTo(path);
}

// A series is one line at its first occurrence in remind and calcurse:
// `line(file, occurrence, its time, the series' last time or null)`.
template <typename Line>
bool WriteLines(const std::vector<Occurrence>& diary, std::int64_t firstDay,
                const std::string& path, Line line) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return false;
  for (const Occurrence& o : diary) {
    if (o.series > 0) continue;
    const SlotTime last = TimeOf(firstDay, o.lastSlot);
    line(f, o, TimeOf(firstDay, o.slot), o.series == 0 ? &last : nullptr);
  }
  return std::fclose(f) == 0;
}

bool WriteRemind(const std::vector<Occurrence>& diary, std::int64_t firstDay,
                 const std::string& path) {
  return WriteLines(diary, firstDay, path,
                    [](std::FILE* f, const Occurrence& o, const SlotTime& t, const SlotTime* last) {
                      std::fprintf(f, "REM %d %s %d", t.date.day, kMonths[t.date.month - 1],
                                   t.date.year);
                      if (last) {
                        std::fprintf(f, " *7 UNTIL %d %s %d", last->date.day,
                                     kMonths[last->date.month - 1], last->date.year);
                      }
                      std::fprintf(f, " AT %02d:%02d%s DURATION 0:30 MSG %s\n", t.hour, t.minute,
                                   o.alarm ? " +15" : "", kTexts[o.text]);
                    });
}

bool WriteCalcurse(const std::vector<Occurrence>& diary, std::int64_t firstDay,
                   const std::string& path) {
  return WriteLines(
      diary, firstDay, path,
      [firstDay](std::FILE* f, const Occurrence& o, const SlotTime& t, const SlotTime* last) {
        const SlotTime end =
            TimeOf(firstDay, o.slot + static_cast<std::uint32_t>(std::max(1, 30 / slotMinutes)));
        std::fprintf(f, "%02d/%02d/%04d @ %02d:%02d -> %02d/%02d/%04d @ %02d:%02d ", t.date.month,
                     t.date.day, t.date.year, t.hour, t.minute, end.date.month, end.date.day,
                     end.date.year, end.hour, end.minute);
        if (last) {
          std::fprintf(f, "{1W -> %02d/%02d/%04d} ", last->date.month, last->date.day,
                       last->date.year);
        }
        std::fprintf(f, "%s|%s\n", o.alarm ? "!" : "", kTexts[o.text]);
      });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--plain") {
    plain = true;
    --argc;
    ++argv;
  }
  if (argc < 3 || argc == 4 || argc > 6) {
    std::fprintf(stderr,
                 "usage: peer_diary [--plain] N FOLDER [FROM_YEAR TO_YEAR [SLOT_MINUTES]]\n");
    return 2;
  }
  const std::size_t n = std::strtoul(argv[1], nullptr, 10);
  const std::string folder = std::string(argv[2]) + "/";
  const int fromYear = argc >= 5 ? std::atoi(argv[3]) : 2020;
  const int toYear = argc >= 5 ? std::atoi(argv[4]) : 2030;
  if (argc == 6) slotMinutes = std::atoi(argv[5]);
  if (slotMinutes < 1 || 24 * 60 % slotMinutes != 0) {
    std::fprintf(stderr, "a slot divides the day into whole minutes\n");
    return 2;
  }
  const std::int64_t firstDay = DayNumber(fromYear, 1, 1);
  const std::int64_t days = DayNumber(toYear + 1, 1, 1) - firstDay;
  const std::uint32_t slots = static_cast<std::uint32_t>(days) * SlotsPerDay();
  if (n == 0 || n > slots) {
    std::fprintf(stderr, "%zu entries do not fit into the %u slots of %d-%d\n", n, slots, fromYear,
                 toYear);
    return 2;
  }
  const std::vector<Occurrence> diary = MakeDiary(n, slots);
  std::filesystem::create_directories(folder + "calcurse");
  const bool ok = WriteLumetta(diary, firstDay, folder + kDataFileName) &&
                  WriteRemind(diary, firstDay, folder + "diary.rem") &&
                  WriteCalcurse(diary, firstDay, folder + "calcurse/apts");
  if (!ok) {
    std::fprintf(stderr, "could not write the diary into %s\n", folder.c_str());
    return 1;
  }
  std::printf("%zu entries over %d-%d in %s\n", diary.size(), fromYear, toYear, folder.c_str());
  return 0;
}
