#include "shell/Lumetta.h"

#include <commctrl.h>

#include <memory>

#include "shell/MainFrame.h"

CLumetta::CLumetta(HINSTANCE instance) : Application(instance) {}

bool CLumetta::InitInstance() {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES;
  InitCommonControlsEx(&controls);

  return CreateMainWindow();
}

bool CLumetta::CreateMainWindow() {
  auto frame = std::make_unique<CMainFrame>();
  if (!frame->Create()) return false;
  HWND hwnd = frame->Handle();
  SetMainWindow(std::move(frame));
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  return true;
}

int CLumetta::ExitInstance(int exitCode) { return Application::ExitInstance(exitCode); }
