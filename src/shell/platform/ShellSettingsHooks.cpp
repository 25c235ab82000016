#include "shell/platform/ShellSettingsHooks.h"

#include "shell/platform/BackgroundImages.h"
#include "shell/platform/LegacyRegistry.h"

void ShellSettingsHooks::ImportLegacyRegistrySettings(lumetta::SettingsBlock& block) {
  ::ImportLegacyRegistrySettings(block, clock_.Now());
}

void ShellSettingsHooks::LoadBackgroundImages(lumetta::SettingsBlock& block) {
  ::LoadBackgroundImages(block);
}
