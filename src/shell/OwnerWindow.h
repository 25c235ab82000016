#pragma once
// The invisible top-level window that owns the main window. An owned
// window gets no taskbar button, which is why the program lives in the
// notification area. Titled "Lumetta", never shown, kept for the run; its
// large icon is the application icon.

#include "framework/Window.h"

namespace shell {

class OwnerWindow : public fw::Window {
 public:
  static constexpr const char* kClassName = "LumettaOwner";
  static constexpr const char* kTitle = "Lumetta";

  // Creates the window (hidden) when it does not exist yet.
  bool CreateOnce();
};

}  // namespace shell
