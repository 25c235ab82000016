// The settings block: every preference of the program in one 1648-byte
// record, stored byte for byte as "settings.bin" in the data folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/Colour.h"
#include "store/FixedFields.h"
#include "store/Moment.h"

namespace store {

class Clock;
class DataPaths;
class FileSystem;
class Prompts;

// A window's saved top-left corner in screen pixels; (0, 0) = never saved.
struct WindowPosition {
  std::int32_t left;
  std::int32_t top;
};

// The platform's 60-byte LOGFONTA record, field for field. height 0 = never chosen.
struct FontDescription {
  std::int32_t height;
  std::int32_t width;
  std::int32_t escapement;
  std::int32_t orientation;
  std::int32_t weight;
  std::uint8_t italic;
  std::uint8_t underline;
  std::uint8_t strikeOut;
  std::uint8_t charSet;
  std::uint8_t outPrecision;
  std::uint8_t clipPrecision;
  std::uint8_t quality;
  std::uint8_t pitchAndFamily;
  char faceName[32];
};
static_assert(sizeof(FontDescription) == 60, "LOGFONTA is 60 bytes");

// Bits of SettingsBlock::flags.
constexpr std::int32_t kFlagRemindersEnabled = 1;
constexpr std::int32_t kFlagHideOnClose = 2;

// The block, laid out exactly as in the file (little-endian; checked below).
// Texts are zero-terminated; write them with SetText so they always fit.
struct SettingsBlock {
  std::uint8_t webPageEnabled;        //    0
  std::uint8_t webPageAskFirst;       //    1
  std::uint8_t webPageWeekdaysOnly;   //    2
  char webPageAddress[256];           //    3
  std::uint8_t padding259;            //  259
  std::int32_t webPageTime;           //  260  a moment; only its time of day counts
  FontDescription mainFont;           //  264
  FontDescription plannerFont;        //  324
  WindowPosition mainWindowPosition;  //  384
  WindowPosition dayPlannerPosition;  //  392
  WindowPosition toDoPosition;        //  400
  WindowPosition yearViewPosition;    //  408
  WindowPosition weekViewPosition;    //  416
  char backupFolder[256];             //  424
  char startSound[128];               //  680
  char reminderSound[128];            //  808
  char clickSound[128];               //  936
  std::int32_t reminderMinutes;       // 1064  default minutes for new entries, 0..180 (-1 none)
  std::int32_t flags;                 // 1068  kFlagRemindersEnabled | kFlagHideOnClose
  std::uint8_t minimiseAtStartup;     // 1072
  std::uint8_t fastPrinting;          // 1073
  std::uint8_t militaryTime;          // 1074
  std::uint8_t europeanCalendar;      // 1075
  std::uint8_t alwaysOnTop;           // 1076
  std::uint8_t padding1077[3];        // 1077
  std::int32_t summarySeconds;        // 1080  0 = from the summary's length; 0..300
  std::uint8_t reserved1084;          // 1084  kept as read
  std::uint8_t padding1085[3];        // 1085
  Colour fore;                        // 1088  text everywhere, new entries
  Colour back;                        // 1092  month view, pop-ups, notes, week and year views
  Colour dayplan1;                    // 1096  day planner background and even hour rows
  Colour dayplan2;                    // 1100  day planner odd hour rows
  Colour toplite;                     // 1104  top and left line of 3-D frames
  Colour botlite;                     // 1108  bottom and right line of 3-D frames
  Colour currentday;                  // 1112  stored and offered only
  Colour hasappoint;                  // 1116  day numbers with entries or notes
  char plannerImage[256];             // 1120  "" or "none" = no image
  char mainImage[256];                // 1376  "" or "none" = no image
  std::uint8_t reserved1632[8];       // 1632  written as zero
  std::uint32_t mainImageHandle;      // 1640  run-time slot, replaced at every load
  std::uint32_t plannerImageHandle;   // 1644  run-time slot, replaced at every load
};

constexpr std::size_t kSettingsSize = 1648;
static_assert(sizeof(SettingsBlock) == kSettingsSize, "settings block is 1648 bytes");
static_assert(offsetof(SettingsBlock, webPageTime) == 260, "layout");
static_assert(offsetof(SettingsBlock, mainFont) == 264, "layout");
static_assert(offsetof(SettingsBlock, mainWindowPosition) == 384, "layout");
static_assert(offsetof(SettingsBlock, weekViewPosition) == 416, "layout");
static_assert(offsetof(SettingsBlock, backupFolder) == 424, "layout");
static_assert(offsetof(SettingsBlock, startSound) == 680, "layout");
static_assert(offsetof(SettingsBlock, reminderMinutes) == 1064, "layout");
static_assert(offsetof(SettingsBlock, minimiseAtStartup) == 1072, "layout");
static_assert(offsetof(SettingsBlock, summarySeconds) == 1080, "layout");
static_assert(offsetof(SettingsBlock, reserved1084) == 1084, "layout");
static_assert(offsetof(SettingsBlock, fore) == 1088, "layout");
static_assert(offsetof(SettingsBlock, hasappoint) == 1116, "layout");
static_assert(offsetof(SettingsBlock, plannerImage) == 1120, "layout");
static_assert(offsetof(SettingsBlock, mainImage) == 1376, "layout");
static_assert(offsetof(SettingsBlock, mainImageHandle) == 1640, "layout");

// Default colours.
constexpr Colour kDefaultFore = MakeColour(0, 125, 251);
constexpr Colour kDefaultBack = MakeColour(255, 255, 155);
constexpr Colour kDefaultDayplan1 = MakeColour(255, 255, 155);
constexpr Colour kDefaultDayplan2 = MakeColour(255, 205, 155);
constexpr Colour kDefaultToplite = MakeColour(0, 0, 0);
constexpr Colour kDefaultBotlite = MakeColour(255, 255, 255);
constexpr Colour kDefaultCurrentday = MakeColour(255, 111, 255);
constexpr Colour kDefaultHasappoint = MakeColour(255, 0, 0);

// The daily web page offered before the user chooses one.
constexpr const char* kDefaultWebPage = "https://www.wikipedia.org/";

// Copies a text into a text field of the block: cut to fit, always terminated.
template <std::size_t N>
void SetText(char (&field)[N], std::string_view text) {
  CopyToField(field, N, text);
}

// A moment for the block's 32-bit web page time: the moment itself when it
// fits, else the same local time of day on a day in 2037.
std::int32_t TimeOfDayMoment(Moment moment);

// Zeros, then the defaults; the daily web page time is `now`.
void SetDefaultSettings(SettingsBlock& block, Moment now);

// Brings a block read from a file into range: texts terminated inside their
// fields, reminder minutes -1..180 (below -1 becomes 1, the rule of a new
// entry's reminder), summary seconds 0..300, only the two known
// flag bits, byte flags 0 or 1, colours without a fourth byte, reserved
// bytes zero. The run-time image slots are left as they are.
void NormaliseSettings(SettingsBlock& block);

// What loading needs from the Windows side.
class SettingsHooks {
 public:
  virtual ~SettingsHooks() = default;
  // Fill the block from an older version's registry values (no settings.bin yet).
  virtual void ImportLegacyRegistrySettings(SettingsBlock& block) = 0;
  // Load the two background images named in the block into its handle
  // slots (empty or unloadable paths leave a slot empty).
  virtual void LoadBackgroundImages(SettingsBlock& block) = 0;
};

enum class SettingsLoadResult {
  Imported,     // no settings.bin: registry import, saved, contrast applied
  Loaded,       // read, normalised, images loaded, contrast applied
  Unreadable,   // exists but could not be read: defaults, images, contrast applied
  WrongLength,  // not 1648 bytes: defaults only, nothing else runs
                // After Unreadable and WrongLength the file is never written over.
};

// Fills the block: defaults, then "settings.bin" or the registry import.
SettingsLoadResult LoadSettings(SettingsBlock& block, DataPaths& paths, FileSystem& files,
                                Clock& clock, SettingsHooks& hooks);

// True when "settings.bin" exists but could not be read at start-up (locked,
// cut short, of another length): it must be left as it is.
inline bool SettingsFileUnread(SettingsLoadResult loaded) {
  return loaded == SettingsLoadResult::Unreadable || loaded == SettingsLoadResult::WrongLength;
}

// Where the settings of a run are written: "settings.bin" in the data folder,
// or "settings.unsaved.bin" beside it when settings.bin could not be read.
std::string SettingsSavePath(SettingsLoadResult loaded, DataPaths& paths);

// Writes the block to SettingsSavePath safely (a failed write leaves the old
// file). Nothing is reported; answers whether it was written.
bool SaveSettings(const SettingsBlock& block, DataPaths& paths, FileSystem& files,
                  SettingsLoadResult loaded);

// When settings.bin could not be read: tells the user that the program runs
// on its defaults, that the file is left untouched and where this run's
// settings go. Nothing otherwise.
void ReportUnreadSettings(SettingsLoadResult loaded, DataPaths& paths, Prompts& prompts);

// Keeps `fore` readable against back, dayplan1 and dayplan2.
void FixTextContrast(SettingsBlock& block);

// One step of the contrast rule: changes the text colour only.
void ContrastFix(Colour& text, Colour background);

}  // namespace store
