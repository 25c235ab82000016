#include "remote/TimingTool.h"

#include <cstdio>
#include <string>

#include "common/Records.h"
#include "support/DataFolder.h"
#include "support/LumettaProcess.h"

namespace e2e {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

bool WriteManyEntries(const char* tool, int entries) {
  {
    LumettaProcess first;
    const HWND window = first.WaitForMainWindow();
    DWORD exitCode = 0;
    if (window == nullptr || !first.PostCommand(window, kExitCommand) ||
        !first.WaitForExit(60000, &exitCode)) {
      std::fprintf(stderr, "%s: the program did not start\n", tool);
      return false;
    }
  }
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string dataFile = DataFolder() + "Lumetta.bin";
  if (!WriteWholeFile(dataFile, test_common::ManyRecords(entries, now.wYear, now.wMonth, 20))) {
    std::fprintf(stderr, "%s: cannot write %s\n", tool, dataFile.c_str());
    return false;
  }
  return true;
}

void ExitProgram(const LumettaProcess& program, HWND mainWindow) {
  DWORD exitCode = 0;
  program.PostCommand(mainWindow, kExitCommand);
  program.WaitForExit(60000, &exitCode);
}

}  // namespace e2e
