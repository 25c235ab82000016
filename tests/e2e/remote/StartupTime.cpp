// lumetta_startup_time: how long the installed program takes from its
// start until its main window is shown, with no data file and with a data
// file of many entries (5 % with reminders, the coming days' armed), in
// pairs; prints every pair and, for each kind and for the pairs'
// differences, the median and the spread (lowest, quartiles, highest).
// Each pair starts with the other kind than the one before, so that a
// change of load during the runs weighs on both kinds alike.
//   lumetta_startup_time [runs] [entries]     (defaults: 9 runs, 100000 entries)
// Run it in a throw-away prefix: scripts/startup-time.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Records.h"
#include "remote/TimingTool.h"
#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace {

using e2e::Milliseconds;

// One start: the time until the main window is visible; -1 on failure.
double TimeOneStart() {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  e2e::LumettaProcess program;
  if (!program.Started()) return -1;
  HWND window = nullptr;
  const DWORD deadline = GetTickCount() + e2e::kStartTimeoutMs;
  while (window == nullptr && program.Running() && GetTickCount() < deadline) {
    window = e2e::FindProcessWindow(program.Id(), e2e::kMainWindowTitle);
    if (window == nullptr) Sleep(10);
  }
  LARGE_INTEGER shown;
  QueryPerformanceCounter(&shown);
  if (window == nullptr) return -1;
  DWORD exitCode = 0;
  program.PostCommand(window, e2e::kExitCommand);
  if (!program.WaitForExit(60000, &exitCode)) return -1;
  return Milliseconds(start, shown);
}

// The value below which `share` of the sorted values lie (linear between neighbours).
double Quantile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  const double at = share * static_cast<double>(sorted.size() - 1);
  const std::size_t below = static_cast<std::size_t>(at);
  if (below + 1 >= sorted.size()) return sorted.back();
  return sorted[below] + (at - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

void PrintSpread(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%-22s median %5.0f ms   lowest %5.0f, quartiles %5.0f .. %5.0f, highest %5.0f\n",
              what, Quantile(values, 0.5), Quantile(values, 0), Quantile(values, 0.25),
              Quantile(values, 0.75), Quantile(values, 1));
}

// The data file as a user's would be: written well before the start, on the
// disk rather than still being written out while the program starts.
bool WriteDataFile(const std::string& path, const std::string& bytes) {
  if (!e2e::WriteWholeFile(path, bytes)) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(file) != FALSE;
  CloseHandle(file);
  return flushed;
}

// Each start begins after the same pause, for the files the previous run
// wrote to reach the disk.
constexpr DWORD kSettleMs = 500;

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  const int entries = argc > 2 ? std::atoi(argv[2]) : 100000;
  const std::string dataFile = e2e::DataFolder() + "Lumetta.bin";
  // Full half-hour slots from this month on, one entry in twenty with a
  // reminder: the reminders of the coming days are armed at start-up.
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string many = test_common::ManyRecords(entries, now.wYear, now.wMonth, 20);

  // A first start makes the data folder and the settings; not counted.
  if (TimeOneStart() < 0) {
    std::fprintf(stderr, "lumetta_startup_time: the program did not start\n");
    return 1;
  }
  std::vector<double> without;
  std::vector<double> with;
  std::vector<double> differences;
  for (int run = 0; run < runs; ++run) {
    double none = -1;
    double full = -1;
    for (int turn = 0; turn < 2; ++turn) {
      const bool withData = (turn == 0) == (run % 2 == 1);
      if (withData) {
        if (!WriteDataFile(dataFile, many)) {
          std::fprintf(stderr, "lumetta_startup_time: cannot write %s\n", dataFile.c_str());
          return 1;
        }
      } else {
        DeleteFileA(dataFile.c_str());
      }
      Sleep(kSettleMs);
      (withData ? full : none) = TimeOneStart();
    }
    if (none < 0 || full < 0) {
      std::fprintf(stderr, "lumetta_startup_time: run %d failed\n", run + 1);
      return 1;
    }
    std::printf("run %d: no data file %.0f ms, %d entries %.0f ms, difference %+.0f ms\n", run + 1,
                none, entries, full, full - none);
    std::fflush(stdout);
    without.push_back(none);
    with.push_back(full);
    differences.push_back(full - none);
  }
  PrintSpread("no data file:", without);
  PrintSpread((std::to_string(entries) + " entries:").c_str(), with);
  PrintSpread("difference (pairs):", differences);
  std::sort(without.begin(), without.end());
  std::sort(with.begin(), with.end());
  std::printf("difference of the medians: %+.0f ms\n",
              Quantile(with, 0.5) - Quantile(without, 0.5));
  return 0;
}
