#include "ReadBack.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/Fakes.h"
#include "store/AppointmentBook.h"
#include "store/CalendarText.h"
#include "store/CivilDate.h"
#include "store/DataFile.h"
#include "store/Settings.h"
#include "store/StdFileSystem.h"
#include "store/ToDoLists.h"
#include "support/DataFolder.h"

namespace soak {
namespace {

int MonthOfAbbrev(const std::string& word) {
  for (int month = 1; month <= 12; ++month) {
    if (word == store::MonthAbbrev(month)) return month;
  }
  return 0;
}

bool ParseTime(const std::string& text, int* hour, int* minute) {
  char suffix[3] = "";
  if (std::sscanf(text.c_str(), "%d:%d%2s", hour, minute, suffix) < 2) return false;
  if (std::strcmp(suffix, "am") == 0) {
    if (*hour == 12) *hour = 0;
  } else if (std::strcmp(suffix, "pm") == 0) {
    if (*hour != 12) *hour += 12;
  } else if (suffix[0] != '\0') {
    return false;
  }
  return *hour >= 0 && *hour < 24 && (*minute == 0 || *minute == 30);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Show(const SlotLine& line) {
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d", line.hour, line.minute);
  return std::string(time) + " \"" + line.text + "\"";
}

}  // namespace

bool ParseDayText(const std::string& text, DaySnapshot* out) {
  const std::vector<std::string> lines = Lines(text);
  if (lines.empty()) return false;
  char first[16] = "";
  char second[16] = "";
  int year = 0;
  // "Day Planner for Jan 5, 2026" or (European) "Day Planner for 5 Jan, 2026".
  if (std::sscanf(lines[0].c_str(), "Day Planner for %15s %15[^,], %d", first, second, &year) !=
      3) {
    return false;
  }
  DaySnapshot snapshot;
  snapshot.year = year;
  snapshot.month = MonthOfAbbrev(first);
  snapshot.day = std::atoi(second);
  if (snapshot.month == 0) {
    snapshot.month = MonthOfAbbrev(second);
    snapshot.day = std::atoi(first);
  }
  if (snapshot.month == 0 || snapshot.day == 0) return false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t tab = lines[i].find('\t');
    SlotLine line;
    if (tab == std::string::npos || !ParseTime(lines[i].substr(0, tab), &line.hour, &line.minute)) {
      return false;
    }
    line.text = lines[i].substr(tab + 1);
    snapshot.lines.push_back(line);
  }
  *out = snapshot;
  return true;
}

void Snapshots::Keep(const DaySnapshot& snapshot) {
  kept_[store::DayNumber(snapshot.year, snapshot.month, snapshot.day)] = snapshot;
}

std::vector<std::string> ReadBackFaults(const Snapshots& snapshots, std::size_t* comparedDays) {
  std::vector<std::string> faults;
  const std::string folder = e2e::DataFolder();
  store::StdFileSystem files(false);
  fakes::FakeWorld world;
  store::StoreContext context{world.settings, world.timerIds, world.clock,
                              world.prompts,  world.timers,   world.notices,
                              world.paths,    files,          world.zones};
  store::All_Appointments book(context);
  const std::string dataFile = folder + store::kDataFileName;
  const store::All_Appointments::LoadResult loaded = book.ReadDataFile(dataFile);
  const long long size = e2e::FileSize(dataFile);
  if (loaded.outcome != store::All_Appointments::LoadOutcome::Loaded) {
    faults.push_back("the data file does not read back");
  } else if (size % static_cast<long long>(store::kRecordSize) != 0) {
    faults.push_back("the data file is not whole records (" + std::to_string(size) + " bytes)");
  }
  if (e2e::FileExists(folder + store::kUnsavedDataFileName)) {
    faults.push_back("the book was left in " + std::string(store::kUnsavedDataFileName));
  }
  const long long settingsSize = e2e::FileSize(folder + "settings.bin");
  if (settingsSize != static_cast<long long>(store::kSettingsSize)) {
    faults.push_back("settings.bin is " + std::to_string(settingsSize) + " bytes");
  }
  for (int list = 0; list < store::kToDoListCount; ++list) {
    store::ToDoList lines;
    const store::ToDoFileRead read =
        store::ReadToDoFile(files, folder + store::ToDoFileName(list), lines);
    if (read != store::ToDoFileRead::Loaded && read != store::ToDoFileRead::Missing) {
      faults.push_back(std::string(store::ToDoFileName(list)) + " does not read back");
    }
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "notes\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      std::string bytes;
      if (!e2e::ReadWholeFile(folder + "notes\\" + found.cFileName, &bytes)) {
        faults.push_back(std::string("the notes file ") + found.cFileName + " does not read back");
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  *comparedDays = 0;
  for (const auto& [dayNumber, snapshot] : snapshots.Kept()) {
    std::vector<SlotLine> stored;
    for (int slot = 0; slot < 48; ++slot) {
      const store::An_Appointment* entry =
          book.FindAt(snapshot.year, snapshot.month, snapshot.day, slot / 2, slot % 2 * 30);
      if (entry != nullptr) stored.push_back({slot / 2, slot % 2 * 30, entry->text});
    }
    // A record keeps the first 100 characters of a text; the planner may
    // show up to 180 (typed, or texts merged at a load) until the next save.
    std::vector<SlotLine> shown = snapshot.lines;
    for (SlotLine& line : shown) {
      if (line.text.size() > store::kTextChars) line.text.resize(store::kTextChars);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(stored.begin(), stored.end());
    ++*comparedDays;
    char day[64];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d (shown at action %d)", snapshot.year,
                  snapshot.month, snapshot.day, snapshot.action);
    for (const SlotLine& line : shown) {
      if (!std::binary_search(stored.begin(), stored.end(), line)) {
        faults.push_back(std::string("lost: ") + day + " " + Show(line));
      }
    }
    for (const SlotLine& line : stored) {
      if (!std::binary_search(shown.begin(), shown.end(), line)) {
        faults.push_back(std::string("not shown but stored: ") + day + " " + Show(line));
      }
    }
  }
  return faults;
}

}  // namespace soak
