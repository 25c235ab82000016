// The store's surroundings for programs that drive it outside the program:
// a fixed clock, prompts answered OK, counted timers, no repaints, data
// files in /tmp. New York time, "now" in the middle of 1980-2035.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "store/AppointmentBook.h"
#include "store/StdFileSystem.h"
#include "store/TzifTimeZones.h"

namespace bench {

class BenchClock : public store::Clock {
 public:
  store::Moment Now() override { return now; }
  store::Moment now = 0;
};

class NoPrompts : public store::Prompts {
 public:
  store::PromptAnswer Show(const std::string&, const std::string&, store::PromptButtons,
                           store::PromptIcon) override {
    return store::PromptAnswer::Ok;
  }
};

class CountingTimers : public store::ReminderTimers {
 public:
  std::uint32_t Start(std::uint32_t id, std::uint32_t) override {
    ++started;
    return id;
  }
  void Stop(std::uint32_t) override {}
  long started = 0;
};

class NoNotices : public store::RepaintNotices {
 public:
  void DayChanged(int, int, int) override {}
  void MonthChanged(int, int) override {}
  void ViewsChanged() override {}
};

class TempPaths : public store::DataPaths {
 public:
  std::string DataFilePath(const std::string& name, bool) override { return "/tmp/" + name; }
};

// One world for all benchmarks: New York time, "now" in the middle of the range.
struct World {
  World() {
    setenv("TZ", "America/New_York", 1);
    tzset();
    store::SetDefaultSettings(settings, 0);
    settings.reminderMinutes = 15;
    clock.now = store::MakeTime(2010, 6, 15, 12, 0);
  }
  // `sync` false: files are written without asking the system to put them on
  // the disk (fsync), for benchmarks that do not measure the disk's speed.
  store::StoreContext Context(bool sync = true) {
    return store::StoreContext{settings, timerIds, clock, prompts,
                               timers,   notices,  paths, sync ? files : cachedFiles,
                               zones};
  }
  store::SettingsBlock settings{};
  store::ReminderTimerCounter timerIds;
  BenchClock clock;
  NoPrompts prompts;
  CountingTimers timers;
  NoNotices notices;
  TempPaths paths;
  store::StdFileSystem files{true};
  store::StdFileSystem cachedFiles{false};
  store::TzifTimeZones zones{cachedFiles, "/usr/share/zoneinfo/"};
};

inline World& TheWorld() {
  static World world;
  return world;
}

}  // namespace bench
