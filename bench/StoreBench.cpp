// Speed of the appointment store on books spread over 1980-2035.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/AppointmentBook.h"
#include "store/CivilDate.h"
#include "store/DataFile.h"
#include "store/ScheduleSlots.h"
#include "store/StdFileSystem.h"

#include "BenchWorld.h"

using bench::TheWorld;
using bench::World;
using namespace store;

namespace {

struct Slot {
  int year, month, day, hour, minute;
};

// n different random slots over 1980-2035 (quarter hours, as a data file
// written by the program holds one record per slot), in time order.
std::vector<Slot> RandomSlots(std::size_t n, unsigned seed) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::vector<Slot> days;
  for (int y = 1980; y <= 2035; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int length = m == 2 && y % 4 == 0 ? 29 : kDays[m - 1];
      for (int d = 1; d <= length; ++d) days.push_back(Slot{y, m, d, 0, 0});
    }
  }
  constexpr std::uint32_t kPerDay = 96;
  std::vector<std::uint32_t> index(days.size() * kPerDay);
  for (std::uint32_t i = 0; i < index.size(); ++i) index[i] = i;
  n = std::min(n, index.size());
  std::mt19937 rng(seed);
  for (std::size_t i = 0; i < n; ++i) {  // the first n of a random permutation
    std::swap(index[i], index[i + rng() % (index.size() - i)]);
  }
  index.resize(n);
  std::sort(index.begin(), index.end());
  std::vector<Slot> slots(n);
  for (std::size_t i = 0; i < n; ++i) {
    Slot s = days[index[i] / kPerDay];
    s.hour = static_cast<int>(index[i] % kPerDay) / 4;
    s.minute = static_cast<int>(index[i] % 4) * 15;
    slots[i] = s;
  }
  return slots;
}

std::string TextFor(std::mt19937& rng) {
  static const char* const kWords[] = {"Meeting", "Dentist", "Lunch with Sam",   "Call",
                                       "Gym",     "Review",  "Pick up the kids", "Flight"};
  std::string t = kWords[rng() % 8];
  if (rng() % 3 == 0) t += " about the quarterly report";
  return t;
}

// A data file of n records (sorted or shuffled), written once per size.
const std::string& DataFile(std::size_t n, bool shuffled) {
  static std::map<std::pair<std::size_t, bool>, std::string> made;
  const auto key = std::make_pair(n, shuffled);
  auto it = made.find(key);
  if (it != made.end()) return it->second;
  World& w = TheWorld();
  All_Appointments book(w.Context());
  std::mt19937 rng(7);
  std::vector<Slot> slots = RandomSlots(n, 42);
  if (shuffled) std::shuffle(slots.begin(), slots.end(), rng);
  for (const Slot& s : slots) {
    An_Appointment& e = book.Create();
    e.SetSlot(s.year, s.month, s.day, s.hour, s.minute, TextFor(rng));
    e.time = 0;
  }
  const std::string path =
      "/tmp/lumetta-bench-" + std::to_string(n) + (shuffled ? "-shuffled" : "") + ".bin";
  book.SaveTo(path);
  return made.emplace(key, path).first->second;
}

// A loaded (and sorted) book of n entries, kept for the lookup benchmarks.
All_Appointments& LoadedBook(std::size_t n) {
  static std::map<std::size_t, std::unique_ptr<All_Appointments>> books;
  auto it = books.find(n);
  if (it != books.end()) return *it->second;
  auto book = std::make_unique<All_Appointments>(TheWorld().Context());
  book->LoadDataFile(DataFile(n, false));
  book->Sort();
  return *books.emplace(n, std::move(book)).first->second;
}

void LoadBenchmark(benchmark::State& state, bool shuffled) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const std::string& path = DataFile(n, shuffled);
  World& w = TheWorld();
  std::size_t count = 0;
  for (auto _ : state) {
    auto book = std::make_unique<All_Appointments>(w.Context());
    book->LoadDataFile(path);
    count = book->Count();
    state.PauseTiming();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(count);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

void BM_LoadDataFile(benchmark::State& state) { LoadBenchmark(state, false); }
void BM_LoadDataFileShuffled(benchmark::State& state) { LoadBenchmark(state, true); }

void BM_SaveTo(benchmark::State& state) {
  All_Appointments& book = LoadedBook(static_cast<std::size_t>(state.range(0)));
  const std::string path = "/tmp/lumetta-bench-save.bin";
  for (auto _ : state) benchmark::DoNotOptimize(book.SaveTo(path));
  std::remove(path.c_str());
}

// The same without asking the system to put the file on the disk (fsync).
void BM_SaveToNoSync(benchmark::State& state) {
  All_Appointments book(TheWorld().Context(false));
  book.LoadDataFile(DataFile(static_cast<std::size_t>(state.range(0)), false));
  const std::string path = "/tmp/lumetta-bench-save.bin";
  for (auto _ : state) benchmark::DoNotOptimize(book.SaveTo(path));
  std::remove(path.c_str());
}

void BM_FindAt(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  All_Appointments& book = LoadedBook(n);
  std::vector<Slot> probes = RandomSlots(4096, 99);     // mostly misses
  for (std::size_t i = 0; i < probes.size(); i += 2) {  // half of them hits
    const An_Appointment& e = book.At((i * 7919) % book.Count());
    probes[i] = Slot{e.year(), e.month(), e.day(), e.hour(), e.minute()};
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const Slot& s = probes[i++ & 4095];
    benchmark::DoNotOptimize(book.FindAt(s.year, s.month, s.day, s.hour, s.minute));
  }
}

// Scheduling a to-do line: the next free slot from a taken one.
void BM_FindFreeSlot(benchmark::State& state) {
  All_Appointments& book = LoadedBook(static_cast<std::size_t>(state.range(0)));
  std::vector<Moment> starts;
  for (std::size_t i = 0; i < 4096; ++i) {
    const An_Appointment& e = book.At((i * 7919) % book.Count());
    starts.push_back(MakeTime(e.year(), e.month(), e.day(), e.hour(), e.minute()));
  }
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FindFreeSlot(book, starts[i++ & 4095]));
}

void BM_FindOnDay(benchmark::State& state) {
  All_Appointments& book = LoadedBook(static_cast<std::size_t>(state.range(0)));
  const std::vector<Slot> probes = RandomSlots(4096, 98);
  std::size_t i = 0;
  for (auto _ : state) {
    const Slot& s = probes[i++ & 4095];
    benchmark::DoNotOptimize(book.FindOnDay(s.year, s.month, s.day, (i & 1) != 0));
  }
}

void BM_HasHighlightedEntryOn(benchmark::State& state) {
  All_Appointments& book = LoadedBook(static_cast<std::size_t>(state.range(0)));
  const std::vector<Slot> probes = RandomSlots(4096, 97);
  std::size_t i = 0;
  for (auto _ : state) {
    const Slot& s = probes[i++ & 4095];
    benchmark::DoNotOptimize(book.HasHighlightedEntryOn(s.year, s.month, s.day));
  }
}

// What the month view asks when it paints: all 31 days of one month.
void BM_MonthHighlights(benchmark::State& state) {
  All_Appointments& book = LoadedBook(static_cast<std::size_t>(state.range(0)));
  int month = 0;
  for (auto _ : state) {
    const int year = 1980 + (month / 12) % 56;
    const int m = 1 + month % 12;
    ++month;
    int marked = 0;
    for (int d = 1; d <= 31; ++d) marked += book.HasHighlightedEntryOn(year, m, d) ? 1 : 0;
    benchmark::DoNotOptimize(marked);
  }
}

void BM_SortSorted(benchmark::State& state) {
  All_Appointments& book = LoadedBook(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) book.Sort();
}

void BM_AddAndSort(benchmark::State& state) {
  World& w = TheWorld();
  All_Appointments book(w.Context());
  book.LoadDataFile(DataFile(static_cast<std::size_t>(state.range(0)), false));
  book.Sort();
  std::mt19937 rng(5);
  for (auto _ : state) {
    An_Appointment& e = book.Create();
    e.SetSlot(1980 + static_cast<int>(rng() % 56), 1 + static_cast<int>(rng() % 12),
              1 + static_cast<int>(rng() % 28), 8, 15, "New entry");
    e.ArmReminder();
    book.Sort();
  }
}

// Timer 3000's pass over a loaded book in which every 20th entry (5 %) has a
// reminder. The entries near "now" that it arms keep their timers, as in the
// program, so later passes see the same idle entries.
void BM_ReArmIdleReminders(benchmark::State& state) {
  World& w = TheWorld();
  All_Appointments book(w.Context());
  book.LoadDataFile(DataFile(static_cast<std::size_t>(state.range(0)), false));
  book.Sort();
  std::size_t i = 0;
  for (An_Appointment& e : book) e.reminderMinutes = i++ % 20 == 0 ? 15 : -1;
  const long startedBefore = w.timers.started;
  for (auto _ : state) book.ReArmIdleReminders();
  state.counters["armed"] = static_cast<double>(w.timers.started - startedBefore);
}

// The store's part of a start with a large data file: the weekday backup
// copy, reading and merging every record (arming the reminders due within a
// day), the first sort. The file holds every half hour from the first of
// "now"'s month on, one entry in twenty with a reminder, in its own folder.
class StartupFolder : public DataPaths {
 public:
  StartupFolder()
      : folder_(std::filesystem::temp_directory_path() /
                ("lumetta-bench-startup-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
  }
  ~StartupFolder() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string DataFilePath(const std::string& name, bool) override {
    return (folder_ / name).string();
  }

 private:
  std::filesystem::path folder_;
};

void BM_LoadAtStartup(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  World& w = TheWorld();
  StartupFolder folder;
  StdFileSystem cachedOnly(false);  // as the Windows program's copy: no flush to the disk
  const StoreContext context{w.settings, w.timerIds, w.clock,    w.prompts, w.timers,
                             w.notices,  folder,     cachedOnly, w.zones};
  {
    All_Appointments book(context);
    const CalendarFields now = LocalFields(w.clock.now);
    const std::int64_t first = DayNumber(now.year, now.month, 1);
    std::mt19937 rng(3);
    for (int i = 0; i < n; ++i) {
      const CivilDate date = DateOfDayNumber(first + i / 48);
      An_Appointment& e = book.Create();
      e.SetSlot(date.year, date.month, date.day, (i % 48) / 2, (i % 2) * 30, TextFor(rng));
      e.reminderMinutes = i % 20 == 0 ? 15 : -1;
    }
    book.SaveTo(folder.DataFilePath(kDataFileName, true));
  }
  const long startedBefore = w.timers.started;
  std::size_t count = 0;
  for (auto _ : state) {
    auto book = std::make_unique<All_Appointments>(context);
    book->LoadAtStartup({});
    book->Sort();
    count = book->Count();
    state.PauseTiming();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(count);
  state.counters["armed"] = static_cast<double>(w.timers.started - startedBefore) /
                            static_cast<double>(state.iterations());
}

// Bytes allocated from the C library, in its heap or mapped on their own.
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Heap bytes per entry beyond its text, for a loaded book.
void BM_MemoryPerEntry(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const std::string& path = DataFile(n, false);
  double perEntry = 0;
  for (auto _ : state) {
    malloc_trim(0);
    const std::size_t before = HeapInUse();
    auto book = std::make_unique<All_Appointments>(TheWorld().Context());
    book->LoadDataFile(path);
    const std::size_t after = HeapInUse();
    std::size_t textBytes = 0;
    for (const An_Appointment& e : *book) {
      for (const std::string* s : {&e.text, &e.weekOrdinal, &e.weekdayText}) {
        if (s->capacity() > 15) textBytes += s->capacity() + 1;  // beyond the inline buffer
      }
    }
    perEntry = static_cast<double>(after - before - textBytes) / static_cast<double>(book->Count());
  }
  state.counters["bytes_per_entry"] = perEntry;
}

}  // namespace

BENCHMARK(BM_LoadDataFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDataFileShuffled)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAtStartup)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTo)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToNoSync)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAt)->Arg(100000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FindFreeSlot)->Arg(100000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FindOnDay)->Arg(100000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_HasHighlightedEntryOn)->Arg(100000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_MonthHighlights)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SortSorted)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddAndSort)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReArmIdleReminders)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPerEntry)->Arg(100000)->Arg(1000000)->Iterations(1);

BENCHMARK_MAIN();
