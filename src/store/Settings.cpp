#include "store/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "store/Platform.h"
#include "store/SafeFile.h"

// The block is stored as its own byte image, which is little-endian.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the settings block is read and written as a little-endian byte image"
#endif

namespace store {

namespace {

constexpr const char* kSettingsFile = "settings.bin";
constexpr const char* kUnsavedSettingsFile = "settings.unsaved.bin";

template <std::size_t N>
void TerminateText(char (&field)[N]) {
  field[N - 1] = '\0';
}

std::uint8_t AsFlag(std::uint8_t b) { return b != 0 ? 1 : 0; }

}  // namespace

std::int32_t TimeOfDayMoment(Moment moment) {
  if (moment >= INT32_MIN && moment <= INT32_MAX) return static_cast<std::int32_t>(moment);
  CalendarFields f;
  Moment day = 0;
  if (!LocalFields(moment, f) ||
      !TryMakeTime(2037, f.month, std::min(f.day, 28), f.hour, f.minute, day)) {
    return 0;
  }
  return static_cast<std::int32_t>(day + f.second);
}

void SetDefaultSettings(SettingsBlock& b, Moment now) {
  std::memset(&b, 0, sizeof b);
  b.webPageEnabled = 0;
  b.webPageAskFirst = 1;
  b.webPageWeekdaysOnly = 0;
  SetText(b.webPageAddress, kDefaultWebPage);
  b.webPageTime = TimeOfDayMoment(now);
  SetText(b.backupFolder, "c:");
  SetText(b.startSound, "Start.wav");
  SetText(b.reminderSound, "Ring.wav");
  SetText(b.clickSound, "Pick.wav");
  b.reminderMinutes = 0;
  b.flags = kFlagRemindersEnabled | kFlagHideOnClose;
  b.summarySeconds = 0;
  b.fore = kDefaultFore;
  b.back = kDefaultBack;
  b.dayplan1 = kDefaultDayplan1;
  b.dayplan2 = kDefaultDayplan2;
  b.toplite = kDefaultToplite;
  b.botlite = kDefaultBotlite;
  b.currentday = kDefaultCurrentday;
  b.hasappoint = kDefaultHasappoint;
}

void NormaliseSettings(SettingsBlock& b) {
  TerminateText(b.webPageAddress);
  TerminateText(b.mainFont.faceName);
  TerminateText(b.plannerFont.faceName);
  TerminateText(b.backupFolder);
  TerminateText(b.startSound);
  TerminateText(b.reminderSound);
  TerminateText(b.clickSound);
  TerminateText(b.plannerImage);
  TerminateText(b.mainImage);
  b.webPageEnabled = AsFlag(b.webPageEnabled);
  b.webPageAskFirst = AsFlag(b.webPageAskFirst);
  b.webPageWeekdaysOnly = AsFlag(b.webPageWeekdaysOnly);
  b.minimiseAtStartup = AsFlag(b.minimiseAtStartup);
  b.fastPrinting = AsFlag(b.fastPrinting);
  b.militaryTime = AsFlag(b.militaryTime);
  b.europeanCalendar = AsFlag(b.europeanCalendar);
  b.alwaysOnTop = AsFlag(b.alwaysOnTop);
  // Below -1 is not "no reminder": a new entry takes 1 for such a value.
  b.reminderMinutes = b.reminderMinutes < -1 ? 1 : std::min<std::int32_t>(b.reminderMinutes, 180);
  b.summarySeconds = std::clamp<std::int32_t>(b.summarySeconds, 0, 300);
  b.flags &= kFlagRemindersEnabled | kFlagHideOnClose;
  for (Colour* c : {&b.fore, &b.back, &b.dayplan1, &b.dayplan2, &b.toplite, &b.botlite,
                    &b.currentday, &b.hasappoint}) {
    *c &= 0x00FFFFFFu;
  }
  std::memset(b.reserved1632, 0, sizeof b.reserved1632);
}

SettingsLoadResult LoadSettings(SettingsBlock& block, DataPaths& paths, FileSystem& files,
                                Clock& clock, SettingsHooks& hooks) {
  SetDefaultSettings(block, clock.Now());
  const std::string path = paths.DataFilePath(kSettingsFile, false);
  if (!files.Exists(path)) {
    hooks.ImportLegacyRegistrySettings(block);
    NormaliseSettings(block);  // the registry may hold anything
    SaveSettings(block, paths, files, SettingsLoadResult::Imported);
    FixTextContrast(block);
    return SettingsLoadResult::Imported;
  }

  SettingsLoadResult result = SettingsLoadResult::Unreadable;
  if (std::unique_ptr<InputFile> in = files.OpenRead(path)) {
    // One byte more than the block tells a longer file from an exact one.
    unsigned char bytes[kSettingsSize + 1];
    std::size_t got = 0;
    while (got < sizeof bytes) {
      const std::size_t n = in->Read(bytes + got, sizeof bytes - got);
      if (n == 0) break;
      got += n;
    }
    if (!in->Failed()) {
      if (got != kSettingsSize) return SettingsLoadResult::WrongLength;
      std::memcpy(&block, bytes, kSettingsSize);  // the block is the file's byte image
      block.mainImageHandle = 0;                  // stored handles mean nothing
      block.plannerImageHandle = 0;
      NormaliseSettings(block);
      result = SettingsLoadResult::Loaded;
    }
  }
  hooks.LoadBackgroundImages(block);
  FixTextContrast(block);
  return result;
}

std::string SettingsSavePath(SettingsLoadResult loaded, DataPaths& paths) {
  return paths.DataFilePath(SettingsFileUnread(loaded) ? kUnsavedSettingsFile : kSettingsFile,
                            true);
}

bool SaveSettings(const SettingsBlock& block, DataPaths& paths, FileSystem& files,
                  SettingsLoadResult loaded) {
  SettingsBlock copy = block;
  std::memset(copy.reserved1632, 0, sizeof copy.reserved1632);
  return WriteFileSafely(files, SettingsSavePath(loaded, paths), &copy, sizeof copy);
}

void ReportUnreadSettings(SettingsLoadResult loaded, DataPaths& paths, Prompts& prompts) {
  if (!SettingsFileUnread(loaded)) return;
  prompts.Show("Lumetta could not read its settings file:\n" +
                   paths.DataFilePath(kSettingsFile, false) +
                   "\n\nThe program runs with its default settings this time. That file has "
                   "been left untouched; the settings of this session will be saved to:\n" +
                   SettingsSavePath(loaded, paths),
               kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
}

void ContrastFix(Colour& text, Colour background) {
  if (text > 0xFFFF28u) text >>= 1;
  const int distance = std::abs(RedOf(text) - RedOf(background)) +
                       std::abs(GreenOf(text) - GreenOf(background)) +
                       std::abs(BlueOf(text) - BlueOf(background));
  if (distance < 33) text = background > 100000u ? 0x000000u : 0x9BFFFFu;
}

void FixTextContrast(SettingsBlock& block) {
  if (block.fore > 0xFFFF8Cu) block.fore >>= 1;
  ContrastFix(block.fore, block.back);
  ContrastFix(block.fore, block.dayplan1);
  ContrastFix(block.fore, block.dayplan2);
}

}  // namespace store
