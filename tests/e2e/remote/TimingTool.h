#pragma once
// What the timing tools that measure the installed program with a large data
// file share: the clock, and the program's data file of many entries.
#include <windows.h>

namespace e2e {

class LumettaProcess;

// The milliseconds between two QueryPerformanceCounter readings.
double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to);

// Starts and ends the program once, which makes its data folder, then
// writes a data file of `entries` full half-hour slots from this month on,
// one entry in twenty with a reminder. False, with a message that names
// `tool` on stderr, when either fails.
bool WriteManyEntries(const char* tool, int entries);

// File > Exit, and the wait for the program to end.
void ExitProgram(const LumettaProcess& program, HWND mainWindow);

}  // namespace e2e
