#pragma once
// What loading the settings needs from Windows: the first-start import of an
// older version's registry values and the background images.

#include "store/Platform.h"
#include "store/Settings.h"

class ShellSettingsHooks : public lumetta::SettingsHooks {
 public:
  // `clock` gives the time of the first start for the import.
  explicit ShellSettingsHooks(lumetta::Clock& clock) : clock_(clock) {}

  void ImportLegacyRegistrySettings(lumetta::SettingsBlock& block) override;
  void LoadBackgroundImages(lumetta::SettingsBlock& block) override;

 private:
  lumetta::Clock& clock_;
};
