#pragma once
// A fresh per-user data folder for the tests that start the store's Windows
// side: APPDATA in a new scratch folder (removed afterwards), the program
// installed on drive C, user "ann". The data folder itself is left to be
// made, so a test can watch the program make it.

#include <string>

#include "PlatformTestFiles.h"
#include "platform/DataFolder.h"

namespace platform_testing {

constexpr const char* kInstalledProgram = "C:\\Program Files\\Lumetta Calendar\\lumetta.exe";

class FreshDataFolder {
 public:
  platform::DataFolderEnvironment Environment(
      const std::string& modulePath = kInstalledProgram) const {
    platform::DataFolderEnvironment e;
    e.modulePath = modulePath;
    e.appDataSet = true;
    e.appData = appData.Path();
    e.userName = "ann";
    return e;
  }
  // "<APPDATA>\Lumetta Calendar", without trailing separator.
  std::string Folder() const { return appData / "Lumetta Calendar"; }
  // Folder() + "\" + name.
  std::string File(const std::string& name) const { return Folder() + "\\" + name; }

  ScratchFolder appData;
};

}  // namespace platform_testing
