#pragma once
// The application object: starts the program (common controls, the main
// window) and ends it when the main window is gone.

#include "framework/Application.h"

class CLumetta : public fw::Application {
 public:
  explicit CLumetta(HINSTANCE instance);

 protected:
  bool InitInstance() override;
  int ExitInstance(int exitCode) override;

 private:
  bool CreateMainWindow();
};
