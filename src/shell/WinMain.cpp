// Entry point of lumetta.exe. The command line has no effect.
#include <windows.h>

#include "shell/Lumetta.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CLumetta app(instance);
  return app.Run();
}
