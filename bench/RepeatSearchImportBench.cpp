// Speed of the repeat expansion, the search, the old text import and the
// iCalendar export and import on books of 100,000 entries spread over
// 1980-2035 (New York time).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "BenchWorld.h"
#include "store/AppointmentBook.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"
#include "store/Repeats.h"
#include "store/Search.h"
#include "store/TextImport.h"

using bench::TheWorld;
using namespace store;

namespace {

class NoOutlets : public SearchOutlets {
 public:
  void OpenDayPlanner(int, int, int) override { ++opened; }
  void OpenTextViewer(const std::string&) override { ++opened; }
  void ShowHits(const std::vector<SearchHit>&) override { ++opened; }
  long opened = 0;
};

struct Slot {
  int year, month, day, hour, minute;
};

// n slots over 1980-2035 on the hour and half hour, in time order.
std::vector<Slot> Slots(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<Slot> slots(n);
  for (Slot& s : slots) {
    s = Slot{1980 + static_cast<int>(rng() % 56), 1 + static_cast<int>(rng() % 12),
             1 + static_cast<int>(rng() % 28), static_cast<int>(rng() % 24),
             static_cast<int>(rng() % 2) * 30};
  }
  std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute) <
           std::tie(b.year, b.month, b.day, b.hour, b.minute);
  });
  return slots;
}

// Entry texts; "Orthodontist" in about one entry of seventy, so a search for
// it walks the whole book and still writes a long results file.
std::string Text(std::mt19937& rng) {
  static const char* const kWords[] = {"Meeting", "Dentist", "Lunch with Sam",   "Call",
                                       "Gym",     "Review",  "Pick up the kids", "Flight"};
  if (rng() % 70 == 0) return "Orthodontist check-up";
  std::string t = kWords[rng() % 8];
  if (rng() % 3 == 0) t += " about the quarterly report";
  return t;
}

// A sorted book of n entries.
std::unique_ptr<All_Appointments> MakeBook(std::size_t n) {
  auto book = std::make_unique<All_Appointments>(TheWorld().Context(false));
  std::mt19937 rng(11);
  for (const Slot& s : Slots(n, 42)) {
    An_Appointment& e = book->Create();
    e.SetSlot(s.year, s.month, s.day, s.hour, s.minute, Text(rng));
    e.ArmReminder();
  }
  book->Sort();
  return book;
}

// An old-format text file of n lines, each followed by its 4 bytes.
const std::string& OldTextFile(std::size_t n) {
  static std::string path;
  if (!path.empty()) return path;
  path = "/tmp/lumetta-rsi-bench-" + std::to_string(n) + ".data";
  std::string data;
  std::mt19937 rng(3);
  for (const Slot& s : Slots(n, 43)) {
    char line[300];
    std::snprintf(line, sizeof line,
                  "LMTA|%d|%d|%d|%d|%d|%d|0|0|0|15|2nd|every Tuesday|%s|0|0|125|251|0|1|0\r\n",
                  s.year, s.month, s.day, s.hour, s.minute, s.day, Text(rng).c_str());
    data += line;
    data += "\x01\x02\x03\x04";
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
  return path;
}

void BM_ExpandRepeatsDaily1000(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  std::size_t entries = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<All_Appointments> book = MakeBook(n);
    // Minute 15: no entry of the book is in the way of the series.
    An_Appointment& first = book->Create();
    first.SetSlot(2010, 3, 1, 7, 15, "Daily pills");
    first.repeatKind = kRepeatEveryday;
    first.repeatUntil = MakeTime(2016, 1, 1, 0, 0);
    first.ArmReminder();
    book->Sort();
    state.ResumeTiming();

    benchmark::DoNotOptimize(ExpandRepeats(first));

    state.PauseTiming();
    entries = book->Count();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["entries_after"] = static_cast<double>(entries);
}

void BM_Search(benchmark::State& state) {
  std::unique_ptr<All_Appointments> book = MakeBook(static_cast<std::size_t>(state.range(0)));
  NoOutlets outlets;
  std::size_t hits = 0;
  for (auto _ : state) {
    hits = Search(*book, "orthodontist", true, outlets).hits;
  }
  state.counters["hits"] = static_cast<double>(hits);
  std::remove(TheWorld().paths.DataFilePath(kSearchResultsFileName, true).c_str());
}

void BM_ImportText(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  const std::string& path = OldTextFile(n);
  std::size_t made = 0;
  for (auto _ : state) {
    auto book = std::make_unique<All_Appointments>(TheWorld().Context(false));
    made = static_cast<std::size_t>(ImportText(*book, path, false).made);
    state.PauseTiming();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(made);
}

void BM_ExportICalendar(benchmark::State& state) {
  std::unique_ptr<All_Appointments> book = MakeBook(static_cast<std::size_t>(state.range(0)));
  const Moment stamp = TheWorld().clock.now;
  int events = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    events = 0;
    const std::string text = WriteICalendar(*book, {}, {}, stamp, &events);
    bytes = text.size();
  }
  state.counters["events"] = events;
  state.counters["bytes"] = static_cast<double>(bytes);
}

// Our own export of n entries read into an empty book (no notes folder:
// the file has no journals).
void BM_ImportICalendar(benchmark::State& state) {
  const std::string text = WriteICalendar(*MakeBook(static_cast<std::size_t>(state.range(0))), {},
                                          {}, TheWorld().clock.now);
  const DayNotesFiles noNotes(TheWorld().cachedFiles, "");
  int made = 0;
  for (auto _ : state) {
    auto book = std::make_unique<All_Appointments>(TheWorld().Context(false));
    const IcsImportResult r = ImportICalendarText(*book, text, noNotes, "bench.ics");
    made = r.summary.entriesMade + r.summary.merged;
    state.PauseTiming();
    book.reset();
    state.ResumeTiming();
  }
  state.counters["entries"] = made;
}

}  // namespace

BENCHMARK(BM_ExportICalendar)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportICalendar)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandRepeatsDaily1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Search)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportText)->Arg(100000)->Unit(benchmark::kMillisecond);
