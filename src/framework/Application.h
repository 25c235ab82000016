#pragma once
// The application object: start-up, the message loop, exit.
//
// Run() calls InitInstance; when that succeeds it runs the message loop
// until the main window is gone, then destroys the main window object and
// calls ExitInstance, whose result is the process exit code.

#include <windows.h>

#include <memory>

#include "framework/FrameWindow.h"
#include "framework/MessageLoop.h"

namespace fw {

class Application {
 public:
  explicit Application(HINSTANCE instance);
  virtual ~Application();

  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  int Run();

  HINSTANCE Instance() const { return instance_; }
  MessageLoop& Loop() { return loop_; }
  FrameWindow* MainWindow() const { return mainWindow_.get(); }

 protected:
  // Start-up; false ends the program at once (ExitInstance still runs).
  virtual bool InitInstance() = 0;
  // Exit, after the main window object is gone; returns the exit code.
  virtual int ExitInstance(int exitCode);

  // Takes the created main window: its shortcuts become the program-wide
  // ones and its destruction ends the message loop.
  void SetMainWindow(std::unique_ptr<FrameWindow> window);

 private:
  HINSTANCE instance_;
  MessageLoop loop_;
  std::unique_ptr<FrameWindow> mainWindow_;
};

}  // namespace fw
