// lumetta_soak: random, seeded input to the real program for a given time.
//
//   lumetta_soak [--minutes M] [--seed S] [--hang-ms N] [--pause-ms N]
//                [--weight KIND=N]... [--hit-known-faults] [--print-port PATH]
//                [--log FILE]
//
// Starts lumetta.exe (installed in this prefix) with a seeded diary, acts
// on it until the time is up, then ends it with File > Exit and reads the
// files back. Prints a report; on a fault, the seed and the action log.
// Exit code 0 when no fault was found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "Actions.h"
#include "Diary.h"
#include "ReadBack.h"
#include "resource.h"
#include "support/FilePrinter.h"
#include "support/LumettaProcess.h"

namespace {

struct Options {
  double minutes = 1;
  std::uint32_t seed = 1;
  std::string printPort;
  std::string logFile;
  soak::DriveOptions drive;
};

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--hit-known-faults") {
      o->drive.avoidKnownFaults = false;
      continue;
    }
    if (value == nullptr) return false;
    ++i;
    if (arg == "--minutes") {
      o->minutes = std::atof(value);
    } else if (arg == "--seed") {
      o->seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
    } else if (arg == "--hang-ms") {
      o->drive.limits.hangMs = static_cast<DWORD>(std::atoi(value));
    } else if (arg == "--pause-ms") {
      o->drive.pauseMs = static_cast<DWORD>(std::atoi(value));
    } else if (arg == "--print-port") {
      o->printPort = value;
    } else if (arg == "--log") {
      o->logFile = value;
    } else if (arg == "--weight") {
      const char* equals = std::strchr(value, '=');
      const soak::ActionKind kind =
          equals ? soak::ActionOfName(std::string(value, equals)) : soak::ActionKind::Count;
      if (kind == soak::ActionKind::Count) return false;
      o->drive.weights[static_cast<size_t>(kind)] = std::atoi(equals + 1);
    } else {
      return false;
    }
  }
  return o->minutes > 0;
}

// The process's global flags, which every process of the prefix takes from
// the registry: 0x70 turns on the heap's tail, free and parameter checks.
unsigned long GlobalFlags() {
  using Query = ULONG(WINAPI*)();
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetNtGlobalFlags")));
  return query != nullptr ? query() : 0;
}

// The first start makes the settings and folders as a new user has them;
// the diary is written after it.
bool PrepareDataFolder(const Options& o) {
  e2e::LumettaProcess first;
  const HWND window = first.WaitForMainWindow();
  DWORD exitCode = 0;
  if (window == nullptr || !first.PostCommand(window, e2e::kExitCommand) ||
      !first.WaitForExit(60000, &exitCode)) {
    std::fprintf(stderr, "soak: the program did not start and end for its first run\n");
    return false;
  }
  return soak::WriteDiary(o.seed, o.minutes);
}

// File > Exit, answering with the default button what asks meanwhile.
std::string Exit(const e2e::LumettaProcess& program, HWND mainWindow, soak::Driver& driver) {
  program.PostCommand(mainWindow, e2e::kExitCommand);
  const DWORD start = GetTickCount();
  DWORD exitCode = 0;
  while (!program.WaitForExit(250, &exitCode)) {
    if (GetTickCount() - start > 60000) return "File > Exit did not end the program within 60 s";
    for (const soak::ProgramWindow& w : soak::VisibleWindows(program.Id())) {
      if (w.kind != soak::WindowKind::MessageBox && w.kind != soak::WindowKind::Dialog) continue;
      driver.Note("exit: default button of " + soak::ReachedName(w));
      const LRESULT id = SendMessageA(w.handle, DM_GETDEFID, 0, 0);
      PostMessageA(w.handle, WM_COMMAND, HIWORD(id) == DC_HASDEFID ? LOWORD(id) : IDOK, 0);
    }
  }
  if (exitCode != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "File > Exit ended with exit code 0x%08lX", exitCode);
    return text;
  }
  return std::string();
}

void Report(const Options& o, const soak::Driver& driver, const soak::ProgramCommands& commands,
            double minutes, const std::vector<std::string>& faults, std::size_t comparedDays) {
  std::printf("soak: seed %u, %.1f minutes, %d actions\n", o.seed, minutes, driver.Actions());
  std::printf("actions by kind:\n");
  for (int i = 0; i < soak::kActionKinds; ++i) {
    std::printf("  %-15s %6d\n", soak::ActionName(static_cast<soak::ActionKind>(i)),
                driver.Done()[static_cast<size_t>(i)]);
  }
  std::printf("windows reached (checks while shown):\n");
  for (const auto& [name, count] : driver.Reached())
    std::printf("  %6d  %s\n", count, name.c_str());
  std::string missing;
  for (soak::WindowKind kind :
       {soak::WindowKind::Main, soak::WindowKind::Planner, soak::WindowKind::Week,
        soak::WindowKind::Year, soak::WindowKind::ToDo, soak::WindowKind::Notes,
        soak::WindowKind::QuickCheck, soak::WindowKind::Reminder, soak::WindowKind::MessageBox}) {
    if (driver.Reached().count(soak::KindName(kind)) == 0 &&
        driver.Reached().count(std::string(soak::KindName(kind)) + " \"Lumetta\"") == 0) {
      missing += std::string("  ") + soak::KindName(kind) + "\n";
    }
  }
  for (const soak::DialogTemplate& dialog : commands.Dialogs()) {
    const std::string name = soak::DialogName(dialog);
    if (driver.Reached().count(name) == 0) missing += "  " + name + "\n";
  }
  std::printf("not reached:\n%s", missing.empty() ? "  (none)\n" : missing.c_str());
  std::printf("days compared with the data file after exit: %u\n",
              static_cast<unsigned>(comparedDays));
  std::printf("faults: %u\n", static_cast<unsigned>(faults.size()));
  for (const std::string& fault : faults) std::printf("  FAULT: %s\n", fault.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::fprintf(stderr,
                 "usage: lumetta_soak [--minutes M] [--seed S] [--hang-ms N] [--pause-ms N] "
                 "[--weight KIND=N]... [--hit-known-faults] [--print-port PATH] [--log FILE]\n");
    return 2;
  }
  // The script tells the program's messages from the driver's by this.
  std::printf("soak: driver process %04lx\n", GetCurrentProcessId());
  std::printf("soak: heap checks of this prefix (global flags) 0x%lx\n", GlobalFlags());
  std::unique_ptr<e2e::FilePrinter> printer;
  if (!o.printPort.empty()) printer = std::make_unique<e2e::FilePrinter>(o.printPort);
  if (printer && !printer->Ready()) std::fprintf(stderr, "soak: no file printer; printing fails\n");
  CreateDirectoryA(soak::kSoakFolder, nullptr);
  if (!PrepareDataFolder(o)) return 2;

  const soak::ProgramCommands commands(e2e::kInstalledProgram);
  if (!commands.Loaded()) {
    std::fprintf(stderr, "soak: cannot read the menus of %s\n", e2e::kInstalledProgram);
    return 2;
  }
  e2e::LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  if (mainWindow == nullptr) {
    std::fprintf(stderr, "soak: the program did not start\n");
    return 2;
  }
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.Id());
  soak::Driver driver(o.seed, o.drive, process, program.Id(), mainWindow, commands, o.logFile);
  char ids[96];
  std::snprintf(ids, sizeof ids, "program process %04lx, driver process %04lx", program.Id(),
                GetCurrentProcessId());
  driver.Note(ids);
  const DWORD start = GetTickCount();
  const DWORD runMs = static_cast<DWORD>(o.minutes * 60000);
  bool ok = true;
  while (ok && GetTickCount() - start < runMs) ok = driver.Step();
  if (ok) ok = driver.Settle();
  std::vector<std::string> faults;
  std::size_t comparedDays = 0;
  if (!ok) {
    faults.push_back(driver.Fault());
  } else {
    const std::string exitFault = Exit(program, mainWindow, driver);
    if (!exitFault.empty()) {
      faults.push_back(exitFault);
    } else {
      faults = soak::ReadBackFaults(driver.Kept(), &comparedDays);
    }
  }
  CloseHandle(process);
  const double minutes = (GetTickCount() - start) / 60000.0;

  if (!faults.empty()) {
    std::printf("soak: FAILED with seed %u; the action log:\n", o.seed);
    for (const std::string& line : driver.Log()) std::printf("%s\n", line.c_str());
  }
  Report(o, driver, commands, minutes, faults, comparedDays);
  std::fflush(stdout);
  return faults.empty() ? 0 : 1;
}
