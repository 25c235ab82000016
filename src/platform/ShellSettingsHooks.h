#pragma once
// What loading the settings needs from Windows: the first-start import of an
// older version's registry values and the background images.

#include "store/Platform.h"
#include "store/Settings.h"

namespace platform {

class ShellSettingsHooks : public store::SettingsHooks {
 public:
  // `clock` gives the time of the first start for the import.
  explicit ShellSettingsHooks(store::Clock& clock) : clock_(clock) {}

  void ImportLegacyRegistrySettings(store::SettingsBlock& block) override;
  void LoadBackgroundImages(store::SettingsBlock& block) override;

 private:
  store::Clock& clock_;
};

}  // namespace platform
