// The older versions' registry values: the reader File and the first-start
// import into the settings block, on a private HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>

#include "FreshDataFolder.h"
#include "PlatformTestFiles.h"
#include "PrivateRegistry.h"
#include "common/Bitmaps.h"
#include "platform/DataFolder.h"
#include "platform/LegacyRegistry.h"
#include "platform/ShellSettingsHooks.h"
#include "platform/Win32FileSystem.h"
#include "store/Settings.h"

using platform::File;
using platform::ImportLegacyRegistrySettings;
using platform_testing::ReadWholeFile;
using platform_testing::ScratchFolder;
using platform_testing::WriteWholeFile;
using registry_testing::PrivateCurrentUser;
using registry_testing::SetNumber;

namespace {

// A new user's backup folder: in Documents, which a standard user can write.
std::string NewUsersBackupFolder() {
  char documents[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);
  return std::string(documents) + "\\Lumetta Backups";
}

}  // namespace
using registry_testing::SetText;
using registry_testing::SetValue;
using store::SettingsBlock;
using test_common::BitmapFile;

namespace {

// The size of the bitmap in a settings handle slot (0 x 0 for none).
SIZE SlotImageSize(std::uint32_t slot) {
  SIZE size = {0, 0};
  if (slot == 0) return size;
  HBITMAP image = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(static_cast<std::int32_t>(slot)));
  BITMAP info = {};
  if (GetObjectA(image, sizeof info, &info) == sizeof info) size = {info.bmWidth, info.bmHeight};
  return size;
}

void FreeSlot(std::uint32_t& slot) {
  if (slot != 0) {
    DeleteObject(reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(static_cast<std::int32_t>(slot))));
  }
  slot = 0;
}

constexpr store::Moment kNow = 1700000000;  // the first start

class LegacyRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(user_.Ready()) << "RegOverridePredefKey failed";
    store::SetDefaultSettings(defaults_, kNow);
    block_ = defaults_;
  }
  void TearDown() override {
    FreeSlot(block_.mainImageHandle);
    FreeSlot(block_.plannerImageHandle);
  }
  void Import() { ImportLegacyRegistrySettings(block_, kNow); }

  PrivateCurrentUser user_;
  SettingsBlock defaults_;
  SettingsBlock block_;
};

// --- The reader --------------------------------------------------------------

TEST_F(LegacyRegistryTest, ReaderReadsEachValueKindOnlyFromItsOwnType) {
  const unsigned char bytes[4] = {1, 2, 3, 4};
  ASSERT_TRUE(SetText("kinds", "text", "hello"));
  ASSERT_TRUE(SetNumber("kinds", "number", 0xFFFFFFFEu));
  ASSERT_TRUE(SetValue("kinds", "bytes", REG_BINARY, bytes, sizeof bytes));
  ASSERT_TRUE(SetValue("kinds", "expand", REG_EXPAND_SZ, "%TEMP%", 7));
  ASSERT_TRUE(SetValue("kinds", "big", REG_DWORD_BIG_ENDIAN, bytes, sizeof bytes));

  File file;
  ASSERT_TRUE(file.Open("kinds"));
  std::string text = "unchanged";
  std::int32_t number = 99;
  unsigned char read[4] = {9, 9, 9, 9};

  EXPECT_TRUE(file.ReadText("text", text));
  EXPECT_EQ(text, "hello");
  EXPECT_TRUE(file.ReadNumber("number", number));
  EXPECT_EQ(number, -2);
  EXPECT_TRUE(file.ReadBytes("bytes", read, sizeof read));
  EXPECT_EQ(std::memcmp(read, bytes, sizeof read), 0);

  // The wrong type counts as missing: texts stay, numbers become 0.
  text = "unchanged";
  EXPECT_FALSE(file.ReadText("number", text));
  EXPECT_FALSE(file.ReadText("bytes", text));
  EXPECT_FALSE(file.ReadText("expand", text));
  EXPECT_EQ(text, "unchanged");
  number = 99;
  EXPECT_FALSE(file.ReadNumber("text", number));
  EXPECT_EQ(number, 0);
  number = 99;
  EXPECT_FALSE(file.ReadNumber("big", number));
  EXPECT_EQ(number, 0);
  number = 99;
  EXPECT_FALSE(file.ReadNumber("bytes", number)) << "four binary bytes are not a number";
  EXPECT_EQ(number, 0);
  std::memset(read, 9, sizeof read);
  EXPECT_FALSE(file.ReadBytes("number", read, sizeof read));
  EXPECT_EQ(read[0], 9);
  number = 99;
  EXPECT_FALSE(file.ReadNumber("missing", number));
  EXPECT_EQ(number, 0);
}

TEST_F(LegacyRegistryTest, TextsUpTo255CharactersAreReadLongerOnesCountAsMissing) {
  const std::string longest(255, 'a');
  ASSERT_TRUE(SetText("t", "255", longest));
  ASSERT_TRUE(SetText("t", "256", std::string(256, 'b')));
  ASSERT_TRUE(SetText("t", "1000", std::string(1000, 'c')));
  // 256 characters stored without a terminator are still 256 characters.
  const std::string noTerminator(256, 'd');
  ASSERT_TRUE(SetValue("t", "unterminated256", REG_SZ, noTerminator.data(), 256));
  ASSERT_TRUE(SetValue("t", "unterminated", REG_SZ, "abcdefghij", 10));
  ASSERT_TRUE(SetValue("t", "empty", REG_SZ, "", 1));

  File file;
  ASSERT_TRUE(file.Open("t"));
  std::string text;
  EXPECT_TRUE(file.ReadText("255", text));
  EXPECT_EQ(text, longest);
  for (const char* tooLong : {"256", "1000", "unterminated256"}) {
    text = "kept";
    EXPECT_FALSE(file.ReadText(tooLong, text)) << tooLong;
    EXPECT_EQ(text, "kept") << tooLong;
  }
  EXPECT_TRUE(file.ReadText("unterminated", text));
  EXPECT_EQ(text, "abcdefghij");
  EXPECT_TRUE(file.ReadText("empty", text));
  EXPECT_EQ(text, "");
}

TEST_F(LegacyRegistryTest, BytesAreReadOnlyAtTheirExactLength) {
  const std::string sixty(60, '\x11');
  ASSERT_TRUE(SetValue("b", "exact", REG_BINARY, sixty.data(), 60));
  ASSERT_TRUE(SetValue("b", "short", REG_BINARY, sixty.data(), 59));
  ASSERT_TRUE(SetValue("b", "long", REG_BINARY, std::string(61, '\x22').data(), 61));
  File file;
  ASSERT_TRUE(file.Open("b"));
  char read[60];
  std::memset(read, 0, sizeof read);
  EXPECT_TRUE(file.ReadBytes("exact", read, sizeof read));
  EXPECT_EQ(std::string(read, 60), sixty);
  std::memset(read, 0, sizeof read);
  EXPECT_FALSE(file.ReadBytes("short", read, sizeof read));
  EXPECT_FALSE(file.ReadBytes("long", read, sizeof read));
  EXPECT_EQ(std::string(read, 60), std::string(60, '\0')) << "a refused value changes nothing";
}

TEST_F(LegacyRegistryTest, OpeningAnotherSubkeyReplacesTheOneBefore) {
  ASSERT_TRUE(SetNumber("first", "only-first", 1));
  ASSERT_TRUE(SetNumber("second", "only-second", 2));
  File file;
  std::int32_t n = 0;
  EXPECT_FALSE(file.ReadNumber("only-first", n)) << "nothing open yet";
  ASSERT_TRUE(file.Open("first"));
  EXPECT_TRUE(file.ReadNumber("only-first", n));
  ASSERT_TRUE(file.Open("second"));
  EXPECT_FALSE(file.ReadNumber("only-first", n));
  EXPECT_TRUE(file.ReadNumber("only-second", n));
  EXPECT_EQ(n, 2);
  EXPECT_FALSE(file.Open("missing"));
  EXPECT_FALSE(file.ReadNumber("only-second", n)) << "a failed open leaves no key open";
}

TEST_F(LegacyRegistryTest, PositionsReadLeftAndTopEachZeroWhenMissing) {
  ASSERT_TRUE(SetNumber("position", "left", static_cast<DWORD>(-40)));
  ASSERT_TRUE(SetNumber("position", "top", 300));
  ASSERT_TRUE(SetNumber("halfposition", "top", 12));
  File file;
  store::WindowPosition p = {5, 5};
  EXPECT_TRUE(file.ReadPosition("position", p));
  EXPECT_EQ(p.left, -40);
  EXPECT_EQ(p.top, 300);
  EXPECT_TRUE(file.ReadPosition("halfposition", p));
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 12);
  p = {5, 5};
  EXPECT_FALSE(file.ReadPosition("noposition", p));
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 0);
}

TEST_F(LegacyRegistryTest, ToDoEntriesHaveAKeyPerListAndIndex) {
  ASSERT_TRUE(SetText("ToDo\\0", "notes", "personal first"));
  ASSERT_TRUE(SetText("ToDo\\21", "notes", "personal last"));
  ASSERT_TRUE(SetText("ToDo\\work\\3", "notes", "work item"));
  ASSERT_TRUE(SetText("ToDo\\other\\21", "notes", "other item"));
  File file;
  std::string text;
  ASSERT_TRUE(file.OpenToDoEntry(File::ToDoList::Personal, 0));
  EXPECT_TRUE(file.ReadText("notes", text));
  EXPECT_EQ(text, "personal first");
  ASSERT_TRUE(file.OpenToDoEntry(File::ToDoList::Personal, 21));
  EXPECT_TRUE(file.ReadText("notes", text));
  EXPECT_EQ(text, "personal last");
  ASSERT_TRUE(file.OpenToDoEntry(File::ToDoList::Work, 3));
  EXPECT_TRUE(file.ReadText("notes", text));
  EXPECT_EQ(text, "work item");
  ASSERT_TRUE(file.OpenToDoEntry(File::ToDoList::Other, 21));
  EXPECT_TRUE(file.ReadText("notes", text));
  EXPECT_EQ(text, "other item");
  EXPECT_FALSE(file.OpenToDoEntry(File::ToDoList::Work, 0));
}

// --- The import ----------------------------------------------------------------

TEST_F(LegacyRegistryTest, NoRegistryDataKeepsTheDefaultsWithBackupsInDocuments) {
  Import();
  SettingsBlock expected = defaults_;
  store::SetText(expected.backupFolder, NewUsersBackupFolder());
  EXPECT_EQ(std::memcmp(&block_, &expected, sizeof block_), 0) << "other fields changed";
  EXPECT_EQ(NewUsersBackupFolder(), block_.backupFolder);
  EXPECT_NE(0u, NewUsersBackupFolder().find(":\\"));
}

TEST_F(LegacyRegistryTest, EveryValueOfAnOlderVersionReachesItsField) {
  ScratchFolder images;
  ASSERT_TRUE(WriteWholeFile(images / "main.bmp", BitmapFile(7, 5)));
  ASSERT_TRUE(WriteWholeFile(images / "planner.bmp", BitmapFile(3, 9)));

  ASSERT_TRUE(SetNumber("comic", "enable", 1));
  ASSERT_TRUE(SetNumber("comic", "weekdays", 1));
  ASSERT_TRUE(SetText("comic", "url", "http://comics.example/today"));
  ASSERT_TRUE(SetNumber("comic", "when", kNow - 3600));
  ASSERT_TRUE(SetNumber("comic", "ask", 1));
  const char* positionKeys[] = {"todoposition", "position", "yearposition", "weekposition",
                                "dayposition"};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(SetNumber(positionKeys[i], "left", 100 + i));
    ASSERT_TRUE(SetNumber(positionKeys[i], "top", 200 + i));
  }
  store::FontDescription font = {};
  font.height = -19;
  font.weight = 700;
  font.italic = 1;
  font.charSet = 0;
  std::strcpy(font.faceName, "Georgia");
  store::FontDescription font2 = font;
  font2.height = -13;
  std::strcpy(font2.faceName, "Tahoma");
  ASSERT_TRUE(SetValue("font", "font", REG_BINARY, &font, sizeof font));
  ASSERT_TRUE(SetValue("font2", "font2", REG_BINARY, &font2, sizeof font2));
  ASSERT_TRUE(SetText("backup", "folder", "D:\\Backups"));
  ASSERT_TRUE(SetText("skins", "main", images / "main.bmp"));
  ASSERT_TRUE(SetText("skins", "dayplanner", images / "planner.bmp"));
  const char* roles[] = {"fore",    "back",    "dayplan1",   "dayplan2",
                         "toplite", "botlite", "currentday", "hasappoint"};
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(SetNumber("Colors", roles[i], 0x010203u * (i + 1)));

  Import();

  EXPECT_EQ(block_.webPageEnabled, 1);
  EXPECT_EQ(block_.webPageWeekdaysOnly, 1);
  EXPECT_STREQ(block_.webPageAddress, "http://comics.example/today");
  EXPECT_EQ(block_.webPageTime, kNow - 3600);
  EXPECT_EQ(block_.webPageAskFirst, 1);
  const store::WindowPosition* positions[] = {&block_.toDoPosition, &block_.mainWindowPosition,
                                              &block_.yearViewPosition, &block_.weekViewPosition,
                                              &block_.dayPlannerPosition};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(positions[i]->left, 100 + i) << positionKeys[i];
    EXPECT_EQ(positions[i]->top, 200 + i) << positionKeys[i];
  }
  EXPECT_EQ(std::memcmp(&block_.mainFont, &font, sizeof font), 0);
  EXPECT_EQ(std::memcmp(&block_.plannerFont, &font2, sizeof font2), 0);
  EXPECT_STREQ(block_.backupFolder, "D:\\Backups");
  EXPECT_STREQ(block_.mainImage, (images / "main.bmp").c_str());
  EXPECT_STREQ(block_.plannerImage, (images / "planner.bmp").c_str());
  EXPECT_EQ(SlotImageSize(block_.mainImageHandle).cx, 7);
  EXPECT_EQ(SlotImageSize(block_.mainImageHandle).cy, 5);
  EXPECT_EQ(SlotImageSize(block_.plannerImageHandle).cx, 3);
  EXPECT_EQ(SlotImageSize(block_.plannerImageHandle).cy, 9);
  const store::Colour* colours[] = {&block_.fore,       &block_.back,      &block_.dayplan1,
                                    &block_.dayplan2,   &block_.toplite,   &block_.botlite,
                                    &block_.currentday, &block_.hasappoint};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(*colours[i], 0x010203u * (i + 1)) << roles[i];
}

TEST_F(LegacyRegistryTest, DailyWebPageFlagsAreOneOnlyForTheValueOne) {
  ASSERT_TRUE(SetNumber("comic", "enable", 2));
  ASSERT_TRUE(SetNumber("comic", "weekdays", 0xFFFFFFFFu));
  // "ask" missing counts as 0, although its default is 1.
  Import();
  EXPECT_EQ(block_.webPageEnabled, 0);
  EXPECT_EQ(block_.webPageWeekdaysOnly, 0);
  EXPECT_EQ(block_.webPageAskFirst, 0);
  EXPECT_STREQ(block_.webPageAddress, "") << "a missing address is empty";
  EXPECT_EQ(block_.webPageTime, kNow) << "a missing time is the first start";
}

TEST_F(LegacyRegistryTest, WithoutEnableTheDailyWebPageKeepsItsDefaults) {
  ASSERT_TRUE(SetText("comic", "url", "http://not.taken/"));
  ASSERT_TRUE(SetNumber("comic", "ask", 0));
  ASSERT_TRUE(SetNumber("comic", "when", kNow - 60));
  ASSERT_TRUE(SetText("comic", "enable", "1"));  // the wrong type is no "enable"
  Import();
  EXPECT_STREQ(block_.webPageAddress, defaults_.webPageAddress);
  EXPECT_EQ(block_.webPageAskFirst, defaults_.webPageAskFirst);
  EXPECT_EQ(block_.webPageTime, defaults_.webPageTime);
  EXPECT_EQ(block_.webPageEnabled, defaults_.webPageEnabled);
}

TEST_F(LegacyRegistryTest, ImplausibleDailyWebPageTimesBecomeTheFirstStart) {
  struct Case {
    long long when;
    store::Moment expected;
  } cases[] = {
      {5000, kNow},
      {9998, kNow},
      {9999, 9999},
      {-1, kNow},
      {kNow + 99999, kNow + 99999},
      {kNow + 100000, kNow},
      {0x7FFFFFFF, kNow},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetNumber("comic", "enable", 1));
    ASSERT_TRUE(SetNumber("comic", "when", static_cast<DWORD>(c.when)));
    block_ = defaults_;
    block_.webPageTime = 0;
    Import();
    EXPECT_EQ(block_.webPageTime, c.expected) << "when " << c.when;
  }
}

TEST_F(LegacyRegistryTest, FontsOfTheWrongSizeOrTypeAreNotTaken) {
  const std::string bytes(60, '\x41');
  ASSERT_TRUE(SetValue("font", "font", REG_BINARY, bytes.data(), 59));
  ASSERT_TRUE(SetValue("font2", "font2", REG_SZ, bytes.c_str(), 61));
  Import();
  EXPECT_EQ(std::memcmp(&block_.mainFont, &defaults_.mainFont, sizeof block_.mainFont), 0);
  EXPECT_EQ(std::memcmp(&block_.plannerFont, &defaults_.plannerFont, sizeof block_.plannerFont), 0);
}

TEST_F(LegacyRegistryTest, BackupFolderTooLongOrOfTheWrongTypeBecomesTheNewUsersFolder) {
  ASSERT_TRUE(SetText("backup", "folder", "E:\\" + std::string(300, 'x')));
  Import();
  EXPECT_EQ(NewUsersBackupFolder(), block_.backupFolder);
  ASSERT_TRUE(SetNumber("backup", "folder", 4));
  block_ = defaults_;
  Import();
  EXPECT_EQ(NewUsersBackupFolder(), block_.backupFolder);
  const std::string longest = "E:\\" + std::string(252, 'y');  // 255 characters fit
  ASSERT_TRUE(SetText("backup", "folder", longest));
  block_ = defaults_;
  Import();
  EXPECT_EQ(std::string(block_.backupFolder), longest);
}

TEST_F(LegacyRegistryTest, SkinsOfNoneInAnyCaseOrUnloadableLeaveNoImage) {
  ScratchFolder images;
  ASSERT_TRUE(WriteWholeFile(images / "broken.bmp", "BM not really a bitmap"));
  ASSERT_TRUE(SetText("skins", "main", "NONE"));
  ASSERT_TRUE(SetText("skins", "dayplanner", images / "broken.bmp"));
  Import();
  EXPECT_EQ(block_.mainImageHandle, 0u);
  EXPECT_STREQ(block_.mainImage, "") << "\"none\" names no file to keep";
  EXPECT_EQ(block_.plannerImageHandle, 0u);

  ASSERT_TRUE(SetText("skins", "main", "None"));
  ASSERT_TRUE(SetText("skins", "dayplanner", images / "missing.bmp"));
  block_ = defaults_;
  Import();
  EXPECT_EQ(block_.mainImageHandle, 0u);
  EXPECT_EQ(block_.plannerImageHandle, 0u);
}

TEST_F(LegacyRegistryTest, ColoursAreTakenOnlyWhenPresentAsNumbers) {
  ASSERT_TRUE(SetNumber("Colors", "fore", 0xFF0000));
  ASSERT_TRUE(SetText("Colors", "back", "0"));
  ASSERT_TRUE(SetNumber("Colors", "hasappoint", 0xFF00FF00u));  // a fourth byte: kept as read here
  Import();
  EXPECT_EQ(block_.fore, 0xFF0000u);
  EXPECT_EQ(block_.back, defaults_.back);
  EXPECT_EQ(block_.dayplan1, defaults_.dayplan1);
  EXPECT_EQ(block_.hasappoint, 0xFF00FF00u);
}

}  // namespace

// --- First and later starts: LoadSettings with the Windows hooks ---------------

namespace {

class FixedClock : public store::Clock {
 public:
  store::Moment Now() override { return kNow; }
};

class SettingsStartTest : public LegacyRegistryTest {
 protected:
  store::SettingsLoadResult Start() {
    FreeSlot(block_.mainImageHandle);
    FreeSlot(block_.plannerImageHandle);
    platform::DataFolder paths(data_.Environment());
    platform::ShellSettingsHooks hooks(clock_);
    return store::LoadSettings(block_, paths, files_, clock_, hooks);
  }
  std::string SettingsFile() { return data_.File("settings.bin"); }

  platform_testing::FreshDataFolder data_;
  ScratchFolder current_;
  platform_testing::CurrentFolder inCurrent_{current_.Path()};
  FixedClock clock_;
  platform::Win32FileSystem files_;
};

TEST_F(SettingsStartTest, FirstStartWithoutOlderVersionWritesTheDefaults) {
  EXPECT_EQ(Start(), store::SettingsLoadResult::Imported);
  bool ok = false;
  const std::string bytes = ReadWholeFile(SettingsFile(), &ok);
  ASSERT_TRUE(ok) << "settings.bin was not written";
  EXPECT_EQ(bytes.size(), 1648u);
  EXPECT_EQ(block_.fore, store::MakeColour(0, 125, 251));
  SettingsBlock expected = defaults_;
  store::SetText(expected.backupFolder, NewUsersBackupFolder());
  EXPECT_EQ(std::memcmp(bytes.data(), &expected, sizeof expected), 0);
}

TEST_F(SettingsStartTest, ImportedTextColourIsSavedAndTheRegistryIsIgnoredLater) {
  ASSERT_TRUE(SetNumber("Colors", "fore", 0xFF0000));
  EXPECT_EQ(Start(), store::SettingsLoadResult::Imported);
  EXPECT_EQ(block_.fore, store::MakeColour(0, 0, 255));
  EXPECT_EQ(ReadWholeFile(SettingsFile()).substr(1088, 4), std::string("\0\0\xFF\0", 4));

  ASSERT_TRUE(SetNumber("Colors", "fore", 0x00FF00));
  ASSERT_TRUE(SetText("backup", "folder", "D:\\elsewhere"));
  EXPECT_EQ(Start(), store::SettingsLoadResult::Loaded);
  EXPECT_EQ(block_.fore, store::MakeColour(0, 0, 255));
  EXPECT_EQ(NewUsersBackupFolder(), block_.backupFolder);
}

TEST_F(SettingsStartTest, OutOfRangeRegistryValuesAreBroughtIntoRangeBeforeTheyAreSaved) {
  const std::string unterminatedFont(60, 'A');  // a face name without its zero byte
  ASSERT_TRUE(SetValue("font", "font", REG_BINARY, unterminatedFont.data(), 60));
  ASSERT_TRUE(SetNumber("Colors", "hasappoint", 0xFF0000FFu));
  ASSERT_TRUE(SetNumber("Colors", "fore", 0xFFFFFF));  // white on the light backgrounds
  EXPECT_EQ(Start(), store::SettingsLoadResult::Imported);

  EXPECT_EQ(block_.mainFont.faceName[31], '\0');
  EXPECT_EQ(std::string(block_.mainFont.faceName), std::string(31, 'A'));
  EXPECT_EQ(block_.hasappoint, 0x0000FFu);
  EXPECT_EQ(block_.fore, 0x000000u) << "the contrast rule turns white text black";
  const std::string bytes = ReadWholeFile(SettingsFile());
  ASSERT_EQ(bytes.size(), 1648u);
  EXPECT_EQ(bytes.substr(1116, 4), std::string("\xFF\0\0\0", 4));
  EXPECT_EQ(bytes[264 + 28 + 31], '\0') << "face name stored terminated";
}

TEST_F(SettingsStartTest, ImageFromTheRegistryIsShownAtFirstAndLaterStarts) {
  ScratchFolder images;
  ASSERT_TRUE(WriteWholeFile(images / "skin.bmp", BitmapFile(4, 6)));
  ASSERT_TRUE(SetText("skins", "main", images / "skin.bmp"));
  Start();
  EXPECT_EQ(SlotImageSize(block_.mainImageHandle).cx, 4);
  EXPECT_EQ(block_.plannerImageHandle, 0u);

  ASSERT_TRUE(SetText("skins", "main", "none"));  // ignored from now on
  EXPECT_EQ(Start(), store::SettingsLoadResult::Loaded);
  EXPECT_EQ(SlotImageSize(block_.mainImageHandle).cy, 6);
}

TEST_F(SettingsStartTest, SettingsFileThatCannotBeOpenedKeepsDefaultsAndIsNotReplaced) {
  ASSERT_TRUE(SetNumber("Colors", "fore", 0xFF0000));
  Start();
  const std::string saved = ReadWholeFile(SettingsFile());
  HANDLE held = CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const store::SettingsLoadResult result = Start();
  CloseHandle(held);
  EXPECT_EQ(result, store::SettingsLoadResult::Unreadable);
  EXPECT_EQ(block_.fore, defaults_.fore);
  EXPECT_EQ(block_.mainImageHandle, 0u);
  EXPECT_TRUE(ReadWholeFile(SettingsFile()) == saved);
}

}  // namespace
