// Fuzzing the settings reader: any file loads without a crash into a block
// whose texts are terminated and whose numbers are in range; saving and
// loading it again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "store/Settings.h"

using fuzz::Check;
using namespace store;

namespace {

template <std::size_t N>
bool Terminated(const char (&field)[N]) {
  return std::memchr(field, 0, N) != nullptr;
}

class NoHooks : public SettingsHooks {
 public:
  void ImportLegacyRegistrySettings(SettingsBlock&) override {}
  void LoadBackgroundImages(SettingsBlock&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fakes::FakeWorld world;
  NoHooks hooks;
  // Most inputs are made the exact length, so the reading path is exercised.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1) == 0) bytes.resize(kSettingsSize, '\0');
  world.files.files["data/settings.bin"] = bytes;

  SettingsBlock block;
  std::memset(&block, 0xCC, sizeof block);
  const SettingsLoadResult loaded =
      LoadSettings(block, world.paths, world.files, world.clock, hooks);
  Check(Terminated(block.webPageAddress) && Terminated(block.backupFolder) &&
            Terminated(block.startSound) && Terminated(block.reminderSound) &&
            Terminated(block.clickSound) && Terminated(block.plannerImage) &&
            Terminated(block.mainImage) && Terminated(block.mainFont.faceName) &&
            Terminated(block.plannerFont.faceName),
        "texts terminated");
  Check(block.reminderMinutes >= -1 && block.reminderMinutes <= 180, "reminder minutes");
  Check(block.summarySeconds >= 0 && block.summarySeconds <= 300, "summary seconds");
  Check((block.flags & ~3) == 0, "flags");
  Check(block.fore <= 0xFFFFFFu && block.back <= 0xFFFFFFu, "colours");

  Check(SaveSettings(block, world.paths, world.files, loaded), "save");
  if (SettingsFileUnread(loaded)) {
    Check(world.files.files["data/settings.bin"] == bytes, "an unread file is left as it is");
    world.files.files["data/settings.bin"] = world.files.files["data/settings.unsaved.bin"];
  }
  SettingsBlock again;
  LoadSettings(again, world.paths, world.files, world.clock, hooks);
  // The contrast rule may change fore once more; everything else is stable.
  again.fore = block.fore;
  Check(std::memcmp(&again, &block, sizeof block) == 0, "save and load are stable");
  return 0;
}
