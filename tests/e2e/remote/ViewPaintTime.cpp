// lumetta_view_paint_time: how long the installed program takes to paint the
// week view at four weeks, the year view and the to-do window once each,
// with a data file of many entries whose busiest days are this month's;
// prints every window's median and slowest paint.
//   lumetta_view_paint_time [paints] [entries]   (defaults: 30 paints, 100000 entries)
// Run it in a throw-away prefix: scripts/view-paint-time.sh.
//
// A paint is asked for from here with RedrawWindow(RDW_UPDATENOW), which
// returns once the program's thread has handled the WM_PAINT; the time of
// an empty round trip to that thread (WM_NULL) is printed beside it. The
// paints are timed once the window has opened and painted itself; the
// opening (command to first paint) is printed on its own.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "remote/TimingTool.h"
#include "resource.h"
#include "support/LumettaProcess.h"

namespace {

template <typename Call>
double Timed(Call call) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  call();
  QueryPerformanceCounter(&end);
  return e2e::Milliseconds(start, end);
}

// The window of that class once it shows; a message box on the way (the
// year view's advice on a small screen) is answered OK.
HWND WaitForWindowOfClass(const e2e::LumettaProcess& program, const char* className) {
  const DWORD deadline = GetTickCount() + e2e::kStartTimeoutMs;
  while (GetTickCount() < deadline) {
    if (HWND found = e2e::FindProcessWindowOfClass(program.Id(), className)) return found;
    if (HWND box = e2e::FindProcessWindowOfClass(program.Id(), "#32770")) {
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    Sleep(5);
  }
  return nullptr;
}

struct Timing {
  double median = 0;
  double slowest = 0;
};

Timing Summary(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return Timing{times[times.size() / 2], times.back()};
}

// `paints` whole repaints of the window; false when one did not happen.
bool TimePaints(HWND window, int paints, Timing& paint, Timing& roundTrip) {
  std::vector<double> painted, trips;
  for (int i = 0; i < paints; ++i) {
    painted.push_back(Timed([&] {
      RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }));
    if (GetUpdateRect(window, nullptr, FALSE)) return false;  // not painted yet
    trips.push_back(Timed([&] { SendMessageA(window, WM_NULL, 0, 0); }));
  }
  paint = Summary(painted);
  roundTrip = Summary(trips);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const int entries = argc > 2 ? std::atoi(argv[2]) : 100000;
  // The week view shows 48 entries a day.
  if (!e2e::WriteManyEntries("lumetta_view_paint_time", entries)) return 1;
  e2e::LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  if (mainWindow == nullptr) return 1;

  struct View {
    const char* name;
    UINT command;
    const char* className;
  };
  const View views[] = {{"week view (4 weeks)", ID_VIEW_WEEK, "ViewWeek"},
                        {"year view", ID_VIEW_YEAR, "ViewYear"},
                        {"to-do window", ID_VIEW_TODO, "ToDo"}};
  int failures = 0;
  for (const View& v : views) {
    // Off every window: resting on a day of the year view opens its
    // quick-check popup, a window made in the middle of the timing.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    LARGE_INTEGER asked;
    QueryPerformanceCounter(&asked);
    program.PostCommand(mainWindow, v.command);
    const HWND window = WaitForWindowOfClass(program, v.className);
    if (window == nullptr) {
      std::fprintf(stderr, "lumetta_view_paint_time: the %s did not open\n", v.name);
      ++failures;
      continue;
    }
    // The first paint ends the opening: it waits for the window's making
    // and showing, and Wine's new window surface is touched for the first time.
    UpdateWindow(window);
    LARGE_INTEGER opened;
    QueryPerformanceCounter(&opened);
    if (v.command == ID_VIEW_WEEK) {
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_WEEK_LENGTH_4, 0), 0);
      UpdateWindow(window);
    }
    Timing paint, trip;
    if (!TimePaints(window, paints, paint, trip)) {
      std::fprintf(stderr, "lumetta_view_paint_time: the %s did not paint\n", v.name);
      ++failures;
      continue;
    }
    std::printf(
        "%s, %d entries: paint median %.2f ms, slowest %.2f ms (round trip %.2f ms); "
        "goal 16 ms; opened and painted in %.1f ms\n",
        v.name, entries, paint.median, paint.slowest, trip.median,
        e2e::Milliseconds(asked, opened));
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  e2e::ExitProgram(program, mainWindow);
  return failures == 0 ? 0 : 1;
}
