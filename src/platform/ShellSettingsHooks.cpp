#include "platform/ShellSettingsHooks.h"

#include "platform/BackgroundImages.h"
#include "platform/LegacyRegistry.h"

namespace platform {

void ShellSettingsHooks::ImportLegacyRegistrySettings(store::SettingsBlock& block) {
  platform::ImportLegacyRegistrySettings(block, clock_.Now());
}

void ShellSettingsHooks::LoadBackgroundImages(store::SettingsBlock& block) {
  platform::LoadBackgroundImages(block);
}

}  // namespace platform
