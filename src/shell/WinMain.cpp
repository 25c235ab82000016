// Entry point of lumetta.exe. The command line has no effect.
#include <windows.h>

#include <stdlib.h>
#include <time.h>

#include "framework/Dpi.h"
#include "platform/SystemClock.h"
#include "shell/Lumetta.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Local time follows the system's time zone. A TZ variable (unusual on
  // Windows, but inherited under Wine) would make the C library's own
  // reading of it, with its fixed daylight-saving rules, win over it.
  _putenv("TZ=");
  _tzset();
  platform::UseSystemZoneRules();

  // Where the manifest is not read (or not understood), the same at run time.
  fw::EnablePerMonitorDpiAwareness();

  shell::CLumetta app(instance);
  return app.Run();
}
