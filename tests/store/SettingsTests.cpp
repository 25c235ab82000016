// The settings block: layout, defaults, load and save, contrast rule.
#include <gtest/gtest.h>

#include <cstring>

#include "StoreFixture.h"
#include "store/Settings.h"

using namespace store;
using fakes::FakeWorld;

namespace {

class FakeHooks : public SettingsHooks {
 public:
  int imports = 0;
  int imageLoads = 0;
  Colour importedFore = 0;
  bool setFore = false;
  void ImportLegacyRegistrySettings(SettingsBlock& block) override {
    ++imports;
    if (!setFore) return;  // a machine without an older version's values
    block.fore = importedFore;
    block.plannerImageHandle = 55;  // an image loaded from the registry's "skins"
  }
  void LoadBackgroundImages(SettingsBlock& block) override {
    ++imageLoads;
    if (block.mainImage[0] != '\0') block.mainImageHandle = 77;
  }
};

// The default block as bytes, offsets written out by hand.
std::string DefaultBytes(std::int32_t now) {
  std::string b(1648, '\0');
  b[0] = 0;  // daily web page enabled
  b[1] = 1;  // ask first
  b[2] = 0;  // weekdays only
  PutText(b, 3, kDefaultWebPage);
  PutInts(b, {{260, now}});
  PutText(b, 424, "c:");
  PutText(b, 680, "Start.wav");
  PutText(b, 808, "Ring.wav");
  PutText(b, 936, "Pick.wav");
  PutInts(b, {{1064, 0},  // reminder minutes
              {1068, 3},  // flags
              {1080, 0},  // summary seconds
              {1088, 0xFB7D00},
              {1092, 0x9BFFFF},
              {1096, 0x9BFFFF},
              {1100, 0x9BCDFF},
              {1104, 0x000000},
              {1108, 0xFFFFFF},
              {1112, 0xFF6FFF},
              {1116, 0x0000FF}});
  return b;
}

std::string Bytes(const SettingsBlock& block) {
  return std::string(reinterpret_cast<const char*>(&block), sizeof block);
}

class SettingsTest : public WorldFixture {
 protected:
  FakeHooks hooks_;
  SettingsBlock block_{};
  const std::string path_ = "data/settings.bin";

  SettingsLoadResult Load() {
    return LoadSettings(block_, world_.paths, world_.files, world_.clock, hooks_);
  }
};

}  // namespace

TEST_F(SettingsTest, FirstStartWritesTheDefaults) {
  world_.clock.now = 1700000000;
  EXPECT_EQ(Load(), SettingsLoadResult::Imported);
  EXPECT_EQ(hooks_.imports, 1);
  EXPECT_EQ(hooks_.imageLoads, 0);
  ASSERT_EQ(world_.files.files.count(path_), 1u);
  EXPECT_EQ(world_.files.files[path_], DefaultBytes(1700000000));
  EXPECT_EQ(Bytes(block_), DefaultBytes(1700000000));
  EXPECT_EQ(block_.fore, MakeColour(0, 125, 251));
  EXPECT_EQ(world_.files.files.count(path_ + ".saving"), 0u);
}

TEST_F(SettingsTest, ImportedTextColourIsSaved) {
  hooks_.setFore = true;
  hooks_.importedFore = 0xFF0000;
  Load();
  EXPECT_EQ(block_.fore, MakeColour(0, 0, 255));
  EXPECT_EQ(world_.files.files[path_].substr(1088, 4), std::string("\0\0\xFF\0", 4));
  EXPECT_EQ(block_.plannerImageHandle, 55u);  // kept for this run
}

TEST_F(SettingsTest, FileOfTheWrongLengthIsIgnored) {
  for (std::size_t size : {1647u, 1649u, 0u}) {
    std::string bytes(size, '\x11');
    world_.files.files[path_] = bytes;
    world_.clock.now = 5;
    EXPECT_EQ(Load(), SettingsLoadResult::WrongLength) << size;
    EXPECT_EQ(Bytes(block_), DefaultBytes(5)) << size;
    EXPECT_EQ(world_.files.files[path_], bytes) << size;  // not saved over
  }
  EXPECT_EQ(hooks_.imports, 0);
  EXPECT_EQ(hooks_.imageLoads, 0);
}

TEST_F(SettingsTest, ExactFileIsReadWholeAndKept) {
  std::string b = DefaultBytes(123);
  std::memset(&b[3], 0, 256);
  PutText(b, 3, "https://example.org/daily");
  b[1] = 0;
  PutInts(b, {{384, -40}, {388, -30}});
  b[264] = 14;  // main font height
  PutText(b, 264 + 28, "Palatino Linotype");
  PutText(b, 424, "E:\\");
  PutInts(b, {{1064, 15}, {1068, 1}});
  b[1074] = 1;
  b[1084] = 9;  // reserved: kept as read
  PutInts(b, {{1080, 42}, {1092, 0x000000}});
  PutText(b, 1376, "C:\\skin.bmp");
  PutInts(b, {{1640, 0x12345678}});  // stale handle
  world_.files.files[path_] = b;
  EXPECT_EQ(Load(), SettingsLoadResult::Loaded);
  EXPECT_STREQ(block_.webPageAddress, "https://example.org/daily");
  EXPECT_EQ(block_.webPageAskFirst, 0);
  EXPECT_EQ(block_.webPageTime, 123);
  EXPECT_EQ(block_.mainWindowPosition.left, -40);
  EXPECT_EQ(block_.mainWindowPosition.top, -30);
  EXPECT_EQ(block_.mainFont.height, 14);
  EXPECT_STREQ(block_.mainFont.faceName, "Palatino Linotype");
  EXPECT_STREQ(block_.backupFolder, "E:\\");
  EXPECT_EQ(block_.reminderMinutes, 15);
  EXPECT_EQ(block_.flags, 1);
  EXPECT_EQ(block_.militaryTime, 1);
  EXPECT_EQ(block_.reserved1084, 9);
  EXPECT_EQ(block_.summarySeconds, 42);
  EXPECT_EQ(block_.back, 0x000000u);
  EXPECT_EQ(hooks_.imageLoads, 1);
  EXPECT_EQ(block_.mainImageHandle, 77u);  // from the loader, not the file
  EXPECT_EQ(block_.plannerImageHandle, 0u);
  EXPECT_EQ(hooks_.imports, 0);
}

TEST_F(SettingsTest, OutOfRangeValuesAreBroughtIntoRange) {
  std::string b = DefaultBytes(0);
  std::memset(&b[3], 'a', 256);        // address without a terminator
  std::memset(&b[680], 'b', 128);      // start sound without a terminator
  std::memset(&b[264 + 28], 'f', 32);  // face name without a terminator
  PutInts(b, {{1064, -50}, {1080, -7}, {1068, 0x7FFFFFFF}});
  b[1072] = 5;
  PutInts(b, {{1088, 0xAB123456}});
  b[1632] = 1;
  world_.files.files[path_] = b;
  Load();
  EXPECT_EQ(std::strlen(block_.webPageAddress), 255u);
  EXPECT_EQ(std::strlen(block_.startSound), 127u);
  EXPECT_EQ(std::strlen(block_.mainFont.faceName), 31u);
  EXPECT_EQ(block_.reminderMinutes, 1);  // below -1: a new entry's rule
  EXPECT_EQ(block_.summarySeconds, 0);
  EXPECT_EQ(block_.flags, 3);
  EXPECT_EQ(block_.minimiseAtStartup, 1);
  EXPECT_EQ(block_.fore & 0xFF000000u, 0u);
  EXPECT_EQ(block_.reserved1632[0], 0);

  PutInts(b, {{1064, 500}, {1080, 100000}});
  world_.files.files[path_] = b;
  Load();
  EXPECT_EQ(block_.reminderMinutes, 180);
  EXPECT_EQ(block_.summarySeconds, 300);
}

TEST_F(SettingsTest, UnreadableFileLeavesDefaultsWithoutImages) {
  world_.files.files[path_] = DefaultBytes(1);
  world_.files.unreadable.insert(path_);
  world_.clock.now = 9;
  EXPECT_EQ(Load(), SettingsLoadResult::Unreadable);
  EXPECT_EQ(Bytes(block_), DefaultBytes(9));
  EXPECT_EQ(hooks_.imageLoads, 1);
  EXPECT_EQ(hooks_.imports, 0);
}

// Reminder minutes below -1 in an old file follow a new entry's rule (1),
// not "no reminder" (-1).
TEST_F(SettingsTest, ReminderMinutesAreBroughtIntoRange) {
  const struct {
    std::int32_t stored;
    std::int32_t loaded;
  } cases[] = {{-2, 1}, {-1000, 1}, {-2147483647 - 1, 1}, {-1, -1},
               {0, 0},  {45, 45},   {180, 180},           {181, 180}};
  for (const auto& c : cases) {
    std::string b = DefaultBytes(1);
    PutInts(b, {{1064, c.stored}});
    world_.files.files[path_] = b;
    EXPECT_EQ(Load(), SettingsLoadResult::Loaded) << c.stored;
    EXPECT_EQ(block_.reminderMinutes, c.loaded) << c.stored;
  }
}

// A settings file that exists but could not be read is left as it is: the
// run's settings go beside it, and the user is told once, naming both.
TEST_F(SettingsTest, AnUnreadFileIsNeverWrittenOver) {
  const std::string unsaved = "data/settings.unsaved.bin";
  std::string mine = DefaultBytes(1);
  PutInts(mine, {{1064, 15}});  // the user's own reminder minutes
  const struct {
    const char* name;
    std::string bytes;
    bool locked;
    bool readError;
    SettingsLoadResult result;
  } cases[] = {
      {"locked", mine, true, false, SettingsLoadResult::Unreadable},
      {"read error", mine, false, true, SettingsLoadResult::Unreadable},
      {"cut short", mine.substr(0, 1000), false, false, SettingsLoadResult::WrongLength},
      {"empty", "", false, false, SettingsLoadResult::WrongLength},
  };
  for (const auto& c : cases) {
    FakeWorld world;
    world.files.files[path_] = c.bytes;
    if (c.locked) world.files.unreadable.insert(path_);
    if (c.readError) world.files.readFailsAfter0.insert(path_);
    const SettingsLoadResult loaded =
        LoadSettings(block_, world.paths, world.files, world.clock, hooks_);
    EXPECT_EQ(loaded, c.result) << c.name;
    EXPECT_TRUE(SettingsFileUnread(loaded)) << c.name;
    EXPECT_EQ(block_.reminderMinutes, 0) << c.name;  // the defaults this run

    ReportUnreadSettings(loaded, world.paths, world.prompts);
    ASSERT_EQ(world.prompts.shown.size(), 1u) << c.name;
    const auto& told = world.prompts.shown[0];
    EXPECT_EQ(told.caption, "Lumetta");
    EXPECT_EQ(told.icon, PromptIcon::Warning);
    EXPECT_EQ(told.text,
              "Lumetta could not read its settings file:\ndata/settings.bin\n\nThe program "
              "runs with its default settings this time. That file has been left untouched; "
              "the settings of this session will be saved to:\ndata/settings.unsaved.bin")
        << c.name;

    block_.reminderMinutes = 30;  // changed during the run
    EXPECT_TRUE(SaveSettings(block_, world.paths, world.files, loaded)) << c.name;
    EXPECT_EQ(world.files.files[path_], c.bytes) << c.name;
    ASSERT_EQ(world.files.files.count(unsaved), 1u) << c.name;
    EXPECT_EQ(world.files.files[unsaved].substr(1064, 4), std::string("\x1E\0\0\0", 4));
  }
}

TEST_F(SettingsTest, AReadFileIsSavedInPlaceWithoutAMessage) {
  for (const bool exists : {true, false}) {
    FakeWorld world;
    if (exists) world.files.files[path_] = DefaultBytes(1);
    const SettingsLoadResult loaded =
        LoadSettings(block_, world.paths, world.files, world.clock, hooks_);
    EXPECT_FALSE(SettingsFileUnread(loaded)) << exists;
    ReportUnreadSettings(loaded, world.paths, world.prompts);
    EXPECT_TRUE(world.prompts.shown.empty()) << exists;
    block_.reminderMinutes = 30;
    EXPECT_TRUE(SaveSettings(block_, world.paths, world.files, loaded));
    EXPECT_EQ(world.files.files[path_].substr(1064, 4), std::string("\x1E\0\0\0", 4));
    EXPECT_EQ(world.files.files.count("data/settings.unsaved.bin"), 0u) << exists;
  }
}

TEST_F(SettingsTest, SaveWritesTheBlockSafely) {
  SetDefaultSettings(block_, 77);
  block_.reserved1632[3] = 1;  // written as zero
  ASSERT_TRUE(SaveSettings(block_, world_.paths, world_.files, SettingsLoadResult::Loaded));
  EXPECT_EQ(world_.files.files[path_], DefaultBytes(77));

  const std::string old = world_.files.files[path_];
  block_.reminderMinutes = 30;
  world_.files.failReplace = true;
  EXPECT_FALSE(SaveSettings(block_, world_.paths, world_.files, SettingsLoadResult::Loaded));
  EXPECT_EQ(world_.files.files[path_], old);
  EXPECT_EQ(world_.files.files.count(path_ + ".saving"), 0u);
  EXPECT_TRUE(world_.prompts.shown.empty());  // nothing is reported
}

TEST(SettingsTextTest, TextsAreCutAndTerminated) {
  SettingsBlock b{};
  std::memset(&b, 'x', sizeof b);
  SetText(b.startSound, std::string(300, 'w'));
  EXPECT_EQ(std::string(b.startSound), std::string(127, 'w'));
  SetText(b.backupFolder, "D:\\Backups");
  EXPECT_STREQ(b.backupFolder, "D:\\Backups");
  EXPECT_EQ(b.backupFolder[255], '\0');
  EXPECT_EQ(b.backupFolder[11], '\0');  // the rest of the field is zero
}

TEST(ContrastTest, TextTooCloseToTheBackgroundsIsChanged) {
  const struct {
    const char* what;
    Colour fore, back, dayplan1, dayplan2;  // 0xFFFFFFFF: the default
    Colour fixed;
  } cases[] = {
      {"white over the default backgrounds", 0xFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
       0x000000},
      {"text equal to the background", 0x9BFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x000000},
      {"dark text over black", MakeColour(1, 1, 1), 0x000000, 0x000000, MakeColour(40, 40, 40),
       MakeColour(255, 255, 155)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsBlock b{};
    SetDefaultSettings(b, 0);
    b.fore = c.fore;
    if (c.back != 0xFFFFFFFF) b.back = c.back;
    if (c.dayplan1 != 0xFFFFFFFF) b.dayplan1 = c.dayplan1;
    if (c.dayplan2 != 0xFFFFFFFF) b.dayplan2 = c.dayplan2;
    FixTextContrast(b);
    EXPECT_EQ(b.fore, c.fixed);
  }
}

TEST(ContrastTest, ContrastFixSteps) {
  const struct {
    const char* what;
    Colour text, background, fixed;
  } cases[] = {
      {"above 0xFFFF28: halved, then far enough from black", 0xFFFF30, 0x000000, 0x7FFF98},
      {"distance 32: too close", MakeColour(100, 100, 100), MakeColour(110, 110, 112), 0x000000},
      {"distance 33: kept", MakeColour(100, 100, 100), MakeColour(110, 110, 113),
       MakeColour(100, 100, 100)},
      {"background not above 100000: light yellow", 100000, 100000, 0x9BFFFF},
      {"background above 100000: black", 100001, 100001, 0x000000},
  };
  for (const auto& c : cases) {
    Colour text = c.text;
    ContrastFix(text, c.background);
    EXPECT_EQ(text, c.fixed) << c.what;
  }
}
