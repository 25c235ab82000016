#include "shell/ShellSettingsHooks.h"

#include "shell/BackgroundImages.h"
#include "shell/LegacyRegistry.h"

void ShellSettingsHooks::ImportLegacyRegistrySettings(lumetta::SettingsBlock& block) {
  ::ImportLegacyRegistrySettings(block, clock_.Now());
}

void ShellSettingsHooks::LoadBackgroundImages(lumetta::SettingsBlock& block) {
  ::LoadBackgroundImages(block);
}
