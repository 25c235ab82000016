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

namespace store {

class BenchClock : public Clock {
 public:
  Moment Now() override { return now; }
  Moment now = 0;
};

class NoPrompts : public Prompts {
 public:
  PromptAnswer Show(const std::string&, const std::string&, PromptButtons, PromptIcon) override {
    return PromptAnswer::Ok;
  }
};

class CountingTimers : public ReminderTimers {
 public:
  std::uint32_t Start(std::uint32_t id, std::uint32_t) override {
    ++started;
    return id;
  }
  void Stop(std::uint32_t) override {}
  long started = 0;
};

class NoNotices : public RepaintNotices {
 public:
  void DayChanged(int, int, int) override {}
  void MonthChanged(int, int) override {}
  void ViewsChanged() override {}
};

class TempPaths : public DataPaths {
 public:
  std::string DataFilePath(const std::string& name, bool) override { return "/tmp/" + name; }
};

// One world for all benchmarks: New York time, "now" in the middle of the range.
struct World {
  World() {
    setenv("TZ", "America/New_York", 1);
    tzset();
    SetDefaultSettings(settings, 0);
    settings.reminderMinutes = 15;
    clock.now = MakeTime(2010, 6, 15, 12, 0);
  }
  StoreContext Context() {
    return StoreContext{settings, timerIds, clock, prompts, timers, notices, paths, files};
  }
  SettingsBlock settings{};
  ReminderTimerCounter timerIds;
  BenchClock clock;
  NoPrompts prompts;
  CountingTimers timers;
  NoNotices notices;
  TempPaths paths;
  StdFileSystem files{true};
};

inline World& TheWorld() {
  static World world;
  return world;
}

}  // namespace store
