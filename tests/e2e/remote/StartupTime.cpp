// lumetta_startup_time: how long the installed program takes from its
// start until its main window is shown, with no data file and with a data
// file of many entries (5 % with reminders, the coming days' armed), in
// turns; prints every run and the medians.
//   lumetta_startup_time [runs] [entries]     (defaults: 7 runs, 100000 entries)
// Run it in a throw-away prefix: scripts/startup-time.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Records.h"
#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
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
  for (int run = 0; run < runs; ++run) {
    DeleteFileA(dataFile.c_str());
    const double none = TimeOneStart();
    if (!e2e::WriteWholeFile(dataFile, many)) {
      std::fprintf(stderr, "lumetta_startup_time: cannot write %s\n", dataFile.c_str());
      return 1;
    }
    const double full = TimeOneStart();
    if (none < 0 || full < 0) {
      std::fprintf(stderr, "lumetta_startup_time: run %d failed\n", run + 1);
      return 1;
    }
    std::printf("run %d: no data file %.0f ms, %d entries %.0f ms\n", run + 1, none, entries, full);
    without.push_back(none);
    with.push_back(full);
  }
  const double a = Median(without);
  const double b = Median(with);
  std::printf("median: no data file %.0f ms, %d entries %.0f ms, difference %.0f ms\n", a, entries,
              b, b - a);
  return 0;
}
