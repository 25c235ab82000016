#include "framework/Application.h"

#include <utility>

namespace fw {

Application::Application(HINSTANCE instance) : instance_(instance) {}

Application::~Application() = default;

void Application::SetMainWindow(std::unique_ptr<FrameWindow> window) {
  mainWindow_ = std::move(window);
  if (mainWindow_ == nullptr) {
    loop_.SetAccelerators(nullptr, nullptr);
    return;
  }
  mainWindow_->SetEndsMessageLoop(true);
  loop_.SetAccelerators(mainWindow_->Handle(), mainWindow_->Accelerators());
}

int Application::Run() {
  int exitCode = 0;
  if (InitInstance()) exitCode = loop_.Run();
  mainWindow_.reset();
  return ExitInstance(exitCode);
}

int Application::ExitInstance(int exitCode) { return exitCode; }

}  // namespace fw
