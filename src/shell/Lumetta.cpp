#include "shell/Lumetta.h"

#include <commctrl.h>
#include <stdlib.h>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "menus/FlatMenu.h"
#include "shell/MainFrame.h"
#include "menus/MenuModule.h"
#include "shell/MyCmdLine.h"
#include "shell/NotesFolder.h"
#include "shell/SingleInstance.h"
#include "platform/SoundCues.h"
#include "store/ProgramState.h"

namespace shell {

namespace {

std::unique_ptr<SystemServices> SystemServicesUnless(const ShellServices* given) {
  return given != nullptr ? nullptr : std::make_unique<SystemServices>();
}

}  // namespace

CLumetta::CLumetta(HINSTANCE instance, const ShellServices* services)
    : Application(instance),
      systemServices_(SystemServicesUnless(services)),
      services_(services != nullptr ? *services : systemServices_->Services()),
      menus_(std::make_unique<menus::FlatMenu>()) {}

CLumetta::~CLumetta() = default;

bool CLumetta::InitInstance() {
  // 1. One copy at a time: a second one hands over to the first and ends.
  mutex_.emplace();
  if (mutex_->AlreadyExisted()) {
    if (HWND running = FindRunningCopy()) {
      HandOverTo(running);
      return false;
    }
    // The first copy has no window yet (still starting): run side by side.
  }

  // 2. The reminder pop-ups place themselves at random.
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  // 3. The notes folder.
  SetNotesFolder(MakeNotesFolder(services_.paths));

  // 4. The command line has no effect.
  MyCmdLine commandLine;
  commandLine.Parse(__argc, __argv);

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES;
  InitCommonControlsEx(&controls);

  // 5, 6. The main window with the month view.
  if (!CreateMainWindow()) return false;

  // 7. The owner-drawn menus.
  if (menus_ != nullptr) menus_->Install();

  // 8. The start-up sound.
  platform::PlayStartSound(store::g_settings, services_.sound);
  return true;
}

bool CLumetta::CreateMainWindow() {
  auto frame = std::make_unique<CMainFrame>(services_, nullptr, menus_.get());
  if (!frame->Create()) return false;
  HWND hwnd = frame->Handle();
  SetMainWindow(std::move(frame));
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  return true;
}

int CLumetta::ExitInstance(int exitCode) {
  if (menus_ != nullptr) menus_->Remove();
  return Application::ExitInstance(exitCode);
}

}  // namespace shell
