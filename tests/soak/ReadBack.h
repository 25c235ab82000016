#pragma once
// What the program's windows showed and what its files hold after it ends.
// A day planner's "Copy to Clipboard" text is kept as that day's snapshot
// until something may change entries; after exit every snapshot still kept
// must equal the entries of its day in the data file.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace soak {

struct SlotLine {
  int hour = 0;
  int minute = 0;
  std::string text;
  bool operator<(const SlotLine& o) const {
    return hour != o.hour ? hour < o.hour : minute != o.minute ? minute < o.minute : text < o.text;
  }
};

struct DaySnapshot {
  int year = 0;
  int month = 0;
  int day = 0;
  std::vector<SlotLine> lines;
  int action = 0;  // the number of the action that took it
};

// Reads a day planner's clipboard text (either date order, 12- or 24-hour
// times); false when it is not one.
bool ParseDayText(const std::string& text, DaySnapshot* out);

class Snapshots {
 public:
  void Keep(const DaySnapshot& snapshot);
  // Something may have changed entries since: no snapshot holds any more.
  void Forget() { kept_.clear(); }
  std::size_t Count() const { return kept_.size(); }
  const std::map<std::int64_t, DaySnapshot>& Kept() const { return kept_; }

 private:
  std::map<std::int64_t, DaySnapshot> kept_;  // by day number
};

// Reads the data file, settings, to-do lists and notes of the data folder
// back through the store, and compares the kept snapshots with the data
// file. One line per fault.
std::vector<std::string> ReadBackFaults(const Snapshots& snapshots, std::size_t* comparedDays);

}  // namespace soak
