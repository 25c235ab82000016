// Fakes of the platform interfaces of the store, for every test tree.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/AppointmentBook.h"
#include "store/Platform.h"
#include "store/Search.h"
#include "store/Settings.h"
#include "store/StdFileSystem.h"
#include "store/TimerIds.h"
#include "store/TzifTimeZones.h"

namespace fakes {

class FakeClock : public store::Clock {
 public:
  store::Moment now = 0;
  store::Moment Now() override { return now; }
};

class FakePrompts : public store::Prompts {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    store::PromptButtons buttons;
    store::PromptIcon icon;
  };
  std::vector<Shown> shown;
  store::PromptAnswer answer = store::PromptAnswer::Ok;
  store::PromptAnswer Show(const std::string& text, const std::string& caption,
                           store::PromptButtons buttons, store::PromptIcon icon) override {
    shown.push_back({text, caption, buttons, icon});
    return answer;
  }
};

class FakeTimers : public store::ReminderTimers {
 public:
  std::map<std::uint32_t, std::uint32_t> running;  // id -> delay in ms
  std::vector<std::uint32_t> started;
  std::vector<std::uint32_t> stopped;
  bool refuse = false;
  std::uint32_t Start(std::uint32_t id, std::uint32_t delayMs) override {
    if (refuse) return 0;
    started.push_back(id);
    running[id] = delayMs;
    return id;
  }
  void Stop(std::uint32_t id) override {
    stopped.push_back(id);
    running.erase(id);
  }
};

class FakeNotices : public store::RepaintNotices {
 public:
  std::vector<std::string> days;
  int months = 0;
  int views = 0;
  void DayChanged(int y, int m, int d) override {
    days.push_back(std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d));
  }
  void MonthChanged(int, int) override { ++months; }
  void ViewsChanged() override { ++views; }
};

// The planners and text viewers a search opens, as "y-m-d" and paths.
class RecordingOutlets : public store::SearchOutlets {
 public:
  std::vector<std::string> planners;
  std::vector<std::string> viewed;
  void OpenDayPlanner(int y, int m, int d) override {
    planners.push_back(std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d));
  }
  void OpenTextViewer(const std::string& path) override { viewed.push_back(path); }
  std::vector<std::string> listed;  // "y-m-d line" of each hit shown in a list
  void ShowHits(const std::vector<store::SearchHit>& hits) override {
    for (const store::SearchHit& hit : hits) {
      listed.push_back(std::to_string(hit.year) + "-" + std::to_string(hit.month) + "-" +
                       std::to_string(hit.day) + " " + hit.line);
    }
  }
};

// Answers names in one data folder; reading may be pointed elsewhere.
class FakePaths : public store::DataPaths {
 public:
  std::string folder = "data/";
  std::map<std::string, std::string> readFrom;  // name -> path for reading
  std::string DataFilePath(const std::string& name, bool forWriting) override {
    if (!forWriting) {
      auto it = readFrom.find(name);
      if (it != readFrom.end()) return it->second;
    }
    return folder + name;
  }
};

// Files in memory, with switches for the failures a disk can have.
class MemoryFileSystem : public store::FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;                  // exist but cannot be opened
  std::set<std::string> readFailsAfter0;             // open, then a read error at once
  std::map<std::string, std::size_t> readFailsAt;    // a read error after so many bytes
  std::map<std::string, std::uint64_t> claimedSize;  // the size a file says it has
  std::set<std::string> unwritable;                  // cannot be created
  std::set<std::string> unwritableFolders;  // nothing in them can be created ("" = current)
  bool failReplace = false;
  bool failFinish = false;
  std::size_t failWriteAfter = static_cast<std::size_t>(-1);  // bytes
  std::vector<std::string> log;

  bool Exists(const std::string& path) override {
    return files.count(path) != 0 || unreadable.count(path) != 0;
  }

  std::unique_ptr<store::InputFile> OpenRead(const std::string& path) override {
    if (unreadable.count(path) != 0) return nullptr;
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    std::size_t failAt = static_cast<std::size_t>(-1);
    if (readFailsAfter0.count(path) != 0) failAt = 0;
    if (readFailsAt.count(path) != 0) failAt = readFailsAt.at(path);
    const auto claimed = claimedSize.find(path);
    return std::make_unique<Reader>(
        it->second, failAt, claimed != claimedSize.end() ? claimed->second : it->second.size());
  }

  std::unique_ptr<store::OutputFile> Create(const std::string& path) override {
    log.push_back("create " + path);
    if (unwritable.count(path) != 0) return nullptr;
    const std::size_t sep = path.find_last_of("/\\");
    if (unwritableFolders.count(sep == std::string::npos ? "" : path.substr(0, sep + 1)) != 0) {
      return nullptr;
    }
    files[path].clear();
    return std::make_unique<Writer>(*this, path);
  }

  bool Replace(const std::string& from, const std::string& to) override {
    log.push_back("replace " + from + " " + to);
    if (failReplace || files.count(from) == 0) return false;
    files[to] = files[from];
    files.erase(from);
    unreadable.erase(to);
    return true;
  }

  bool Rename(const std::string& from, const std::string& to) override {
    log.push_back("rename " + from + " " + to);
    if (files.count(from) == 0 || Exists(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }

  bool CopyReplacing(const std::string& from, const std::string& to) override {
    log.push_back("copy " + from + " " + to);
    if (files.count(from) == 0 || unreadable.count(from) != 0) return false;
    files[to] = files[from];
    return true;
  }

  bool Remove(const std::string& path) override {
    log.push_back("remove " + path);
    files.erase(path);
    return true;
  }

 private:
  class Reader : public store::InputFile {
   public:
    Reader(std::string data, std::size_t failAt, std::uint64_t size)
        : data_(std::move(data)), failAt_(failAt), size_(size) {}
    std::size_t Read(void* buffer, std::size_t size) override {
      const std::size_t end = std::min(data_.size(), failAt_);
      if (at_ == end && end < data_.size()) {
        failed_ = true;
        return 0;
      }
      const std::size_t n = std::min(size, end - at_);
      std::memcpy(buffer, data_.data() + at_, n);
      at_ += n;
      return n;
    }
    bool Failed() const override { return failed_; }
    std::uint64_t SizeHint() const override { return size_; }

   private:
    std::string data_;
    std::size_t at_ = 0;
    std::size_t failAt_;
    std::uint64_t size_;
    bool failed_ = false;
  };

  class Writer : public store::OutputFile {
   public:
    Writer(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    bool Write(const void* data, std::size_t size) override {
      std::string& f = fs_.files[path_];
      if (f.size() + size > fs_.failWriteAfter) return false;
      f.append(static_cast<const char*>(data), size);
      return true;
    }
    bool Finish() override { return !fs_.failFinish; }

   private:
    MemoryFileSystem& fs_;
    std::string path_;
  };
};

// A complete context of fakes, with settings at their defaults.
struct FakeWorld {
  store::SettingsBlock settings{};
  store::ReminderTimerCounter timerIds;
  FakeClock clock;
  FakePrompts prompts;
  FakeTimers timers;
  FakeNotices notices;
  FakePaths paths;
  MemoryFileSystem files;
  // The real zone database where there is one (native tests).
  store::StdFileSystem zoneFiles;
  store::TzifTimeZones zones{zoneFiles, "/usr/share/zoneinfo/"};

  FakeWorld() { store::SetDefaultSettings(settings, 0); }

  store::StoreContext Context() {
    return store::StoreContext{settings, timerIds, clock, prompts, timers,
                               notices,  paths,    files, zones};
  }
};

}  // namespace fakes
