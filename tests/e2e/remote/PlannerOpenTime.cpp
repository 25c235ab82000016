// lumetta_planner_open_time: how long the installed program takes from the
// Today command until today's day planner has painted for the first time
// (its first paint opens the slot editor), with a data file of many entries;
// prints every run and the median, and beside it the floor: the same
// measure for a bare window of the planner's size, frame and menu bar made
// by this tool, which is what Wine and the machine cost before the planner
// draws anything.
//   lumetta_planner_open_time [runs] [entries]   (defaults: 15 runs, 100000 entries)
// Run it in a throw-away prefix: scripts/planner-open-time.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "remote/TimingTool.h"
#include "support/LumettaProcess.h"

namespace {

// The program's planner window, shown or not yet: one look-up by class
// rather than a walk over every top-level window.
HWND FindPlanner(DWORD processId) {
  for (HWND window = FindWindowExA(nullptr, nullptr, "AppointBook2", nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, "AppointBook2", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

// One opening: from the command until the planner's first paint has ended;
// -1 on failure. That paint opens the slot editor; once the editor exists,
// an empty message sent to the planner returns only when the program's
// thread has left the paint. A poll is two or three window look-ups and
// the tool sleeps 1 ms between polls: it takes little from the program.
// What the last opened planner looked like, for the bare window.
struct Shape {
  RECT frame{};
  DWORD style = 0;
  DWORD exStyle = 0;
  std::vector<std::string> menuItems;
};

Shape ShapeOf(HWND planner) {
  Shape shape;
  GetWindowRect(planner, &shape.frame);
  shape.style = static_cast<DWORD>(GetWindowLongPtrA(planner, GWL_STYLE)) & ~WS_VISIBLE;
  shape.exStyle = static_cast<DWORD>(GetWindowLongPtrA(planner, GWL_EXSTYLE));
  const HMENU menu = GetMenu(planner);
  for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    shape.menuItems.emplace_back(text);
  }
  return shape;
}

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The floor: a bare window of that shape made, shown and painted white.
double TimeBareWindow(const Shape& shape) {
  Sleep(300);
  LARGE_INTEGER start, painted;
  QueryPerformanceCounter(&start);
  const HMENU menu = CreateMenu();
  for (const std::string& item : shape.menuItems) {
    AppendMenuA(menu, MF_STRING, 1, item.c_str());
  }
  const HWND window = CreateWindowExA(
      shape.exStyle, "LumettaBareWindow", "Bare", shape.style, shape.frame.left, shape.frame.top,
      shape.frame.right - shape.frame.left, shape.frame.bottom - shape.frame.top, nullptr, menu,
      GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return -1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  QueryPerformanceCounter(&painted);
  DestroyWindow(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  return e2e::Milliseconds(start, painted);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double TimeOneOpening(const e2e::LumettaProcess& program, HWND mainWindow, Shape& shape) {
  // Each opening starts with the program idle, as a user's would: the
  // previous close committed its slot and repainted the calendar views.
  Sleep(300);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  program.PostCommand(mainWindow, e2e::kTodayCommand);
  HWND planner = nullptr;
  HWND editor = nullptr;
  const DWORD deadline = GetTickCount() + e2e::kStartTimeoutMs;
  while (editor == nullptr && GetTickCount() < deadline) {
    if (planner == nullptr) planner = FindPlanner(program.Id());
    if (planner != nullptr) editor = FindWindowExA(planner, nullptr, "Edit", nullptr);
    if (editor == nullptr) Sleep(1);
  }
  if (editor == nullptr) return -1;
  SendMessageA(planner, WM_NULL, 0, 0);
  LARGE_INTEGER painted;
  QueryPerformanceCounter(&painted);
  shape = ShapeOf(planner);
  SendMessageA(planner, WM_CLOSE, 0, 0);
  return e2e::Milliseconds(start, painted);
}

}  // namespace

int main(int argc, char** argv) {
  // The planner's size in real pixels, at any DPI.
  SetProcessDPIAware();
  const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
  const int entries = argc > 2 ? std::atoi(argv[2]) : 100000;
  // Today's planner shows 48 entries.
  if (!e2e::WriteManyEntries("lumetta_planner_open_time", entries)) return 1;
  e2e::LumettaProcess program;
  const HWND mainWindow = program.WaitForMainWindow();
  if (mainWindow == nullptr) return 1;
  std::vector<double> times;
  Shape shape;
  for (int run = 0; run < runs; ++run) {
    const double ms = TimeOneOpening(program, mainWindow, shape);
    if (ms < 0) {
      std::fprintf(stderr, "lumetta_planner_open_time: run %d failed\n", run + 1);
      return 1;
    }
    std::printf("run %d: %d entries, planner painted after %.1f ms\n", run + 1, entries, ms);
    times.push_back(ms);
  }
  std::printf("median: %.1f ms (goal 50 ms)\n", Median(times));
  e2e::ExitProgram(program, mainWindow);

  WNDCLASSA bare{};
  bare.lpfnWndProc = BareProc;
  bare.hInstance = GetModuleHandleA(nullptr);
  bare.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  bare.lpszClassName = "LumettaBareWindow";
  RegisterClassA(&bare);
  std::vector<double> floor;
  for (int run = 0; run < runs; ++run) floor.push_back(TimeBareWindow(shape));
  std::printf("floor: a bare %ldx%ld window with its frame and menu bar, median %.1f ms\n",
              shape.frame.right - shape.frame.left, shape.frame.bottom - shape.frame.top,
              Median(floor));
  return 0;
}
