// Backup to a chosen folder and the intelligent restore: the folder choice
// with its refusals, the safe write of the backup, and restores that merge
// slot by slot (run twice, the second changes nothing).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/BackupRestore.h"
#include "store/DataFile.h"

using namespace store;
using fakes::FakeWorld;

namespace {

class FakePickers : public BackupPickers {
 public:
  std::string current = "Z:\\work";
  std::vector<std::string> currentSetTo;
  bool browseChooses = true;
  std::string browsed;
  bool openChooses = true;
  std::string opened;
  std::vector<std::string> requests;  // title | filter | folder

  std::string CurrentFolder() override { return current; }
  void SetCurrentFolder(const std::string& folder) override {
    currentSetTo.push_back(folder);
    current = folder;
  }
  bool BrowseForFolder(const std::string& title, std::string& path) override {
    requests.push_back(title);
    current = "C:\\Somewhere\\else";  // as if the browser had moved it
    if (browseChooses) path = browsed;
    return browseChooses;
  }
  bool ChooseFileToOpen(const std::string& title, const std::string& filter,
                        const std::string& folder, std::string& path) override {
    requests.push_back(title + " | " + filter + " | " + folder);
    if (openChooses) path = opened;
    return openChooses;
  }
};

class BackupTest : public BookFixture {
 protected:
  FakePickers pickers_;

  std::string Folder() const {
    return ReadField(world_.settings.backupFolder, sizeof world_.settings.backupFolder);
  }
  void SetFolder(const std::string& folder) { SetText(world_.settings.backupFolder, folder); }
  std::string LastMessage() const {
    return world_.prompts.shown.empty() ? std::string() : world_.prompts.shown.back().text;
  }
  // A data file with these entries, written by the program's own writer.
  void WriteDataFile(const std::string& path,
                     const std::vector<std::pair<int, std::string>>& dayTexts) {
    All_Appointments other(world_.Context());
    for (const auto& dt : dayTexts) AddTo(other, 2025, 3, dt.first, 9, 0, dt.second);
    ASSERT_TRUE(other.SaveTo(path));
  }
};

}  // namespace

TEST_F(BackupTest, TheBackupFolderSettingOrDriveC) {
  EXPECT_EQ(BackupFolder(world_.settings), "c:");
  SetFolder("");
  EXPECT_EQ(BackupFolder(world_.settings), "C:");
  SetFolder("E:\\Backups");
  EXPECT_EQ(BackupFolder(world_.settings), "E:\\Backups");
}

// --- BackupToFolder ----------------------------------------------------------------------

TEST_F(BackupTest, BackupWritesLumettaBinSafelyAndReportsIt) {
  Add(2025, 3, 1, 9, 0, "a");
  Add(2025, 3, 2, 9, 0, "b");
  Add(2025, 3, 3, 9, 0, "c");
  world_.files.files["c:\\Lumetta.bin"] = "an older backup";
  EXPECT_TRUE(BackupToFolder(book_));
  EXPECT_EQ(world_.files.files["c:\\Lumetta.bin"].size(), 3 * kRecordSize);
  const std::vector<std::string> expectedLog = {"create c:\\Lumetta.bin.saving",
                                                "replace c:\\Lumetta.bin.saving c:\\Lumetta.bin"};
  EXPECT_EQ(world_.files.log, expectedLog);
  ExpectOnlyMessage("Wrote 3 entries to the backup file \"c:\\Lumetta.bin\"", PromptButtons::Ok,
                    PromptIcon::Information);
}

TEST_F(BackupTest, ADriveRootGetsASecondSeparator) {
  SetFolder("E:\\");
  Add(2025, 3, 1, 9, 0, "a");
  EXPECT_TRUE(BackupToFolder(book_));
  EXPECT_EQ(world_.files.files.count("E:\\\\Lumetta.bin"), 1u);
}

TEST_F(BackupTest, AFolderThatCannotBeWrittenKeepsTheOldBackupAndTheSetting) {
  SetFolder("Q:\\gone");
  world_.files.files["Q:\\gone\\Lumetta.bin"] = "older";
  world_.files.failFinish = true;
  Add(2025, 3, 1, 9, 0, "a");
  EXPECT_FALSE(BackupToFolder(book_));
  EXPECT_EQ(world_.files.files["Q:\\gone\\Lumetta.bin"], "older");
  EXPECT_EQ(world_.files.files.count("Q:\\gone\\Lumetta.bin.saving"), 0u);
  EXPECT_EQ(LastMessage(),
            "Lumetta could not write the backup file \"Q:\\gone\\Lumetta.bin\": that folder "
            "cannot be written to.\nPlease choose another folder with the Location button, for "
            "example a folder in your Documents folder.\n\nThe backup already there has been "
            "left as it is.");
  EXPECT_EQ(Folder(), "Q:\\gone");
}

// --- ChooseBackupFolder ------------------------------------------------------------------

TEST_F(BackupTest, AChosenFolderBecomesTheSetting) {
  pickers_.browsed = "E:\\Backups";
  std::string location = "c:";
  EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
            FolderChoice::Chosen);
  EXPECT_EQ(Folder(), "E:\\Backups");
  EXPECT_EQ(location, "E:\\Backups");
  EXPECT_EQ(pickers_.requests, std::vector<std::string>{"Select backup folder or disk"});
  EXPECT_EQ(pickers_.currentSetTo, std::vector<std::string>{"Z:\\work"});
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(BackupTest, ACancelledBrowserChangesNothingButTheLocationCopy) {
  pickers_.browseChooses = false;
  std::string location = "c:";
  EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
            FolderChoice::Unchanged);
  EXPECT_EQ(location, "");
  EXPECT_EQ(Folder(), "c:");
  EXPECT_EQ(pickers_.current, "Z:\\work");

  pickers_.browseChooses = true;
  pickers_.browsed = "";  // a choice without a file-system path
  EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
            FolderChoice::Unchanged);
  EXPECT_EQ(Folder(), "c:");
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(BackupTest, TheProgramsFolderAndTheCurrentFolderAreRefused) {
  for (const std::string refused : {"C:\\Program Files\\Lumetta Calendar", "Z:\\work"}) {
    world_.prompts.shown.clear();
    pickers_.browsed = refused;
    std::string location;
    EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
              FolderChoice::Refused);
    EXPECT_EQ(Folder(), "c:");
    ASSERT_EQ(world_.prompts.shown.size(), 1u) << refused;
    EXPECT_EQ(world_.prompts.shown[0].text,
              "Please save your backups in some other folder, on another disk or on a floppy "
              "disk.");
    EXPECT_EQ(world_.prompts.shown[0].icon, PromptIcon::None);
    EXPECT_EQ(pickers_.current, "Z:\\work");
  }
  // The comparisons are exact.
  pickers_.browsed = "c:\\program files\\lumetta calendar";
  std::string location;
  EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
            FolderChoice::Chosen);
}

TEST_F(BackupTest, APathTooLongForTheSettingIsRefusedAndTheSettingStays) {
  SetFolder("E:\\Backups");
  const std::string longest = "D:\\" + std::string(252, 'p');  // 255 characters: fits
  const std::string tooLong = longest + "q";
  std::string location;
  pickers_.browsed = tooLong;
  EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
            FolderChoice::Refused);
  EXPECT_EQ(Folder(), "E:\\Backups");
  EXPECT_EQ(LastMessage(), kFolderPathTooLongMessage);

  pickers_.browsed = longest;
  EXPECT_EQ(ChooseBackupFolder(world_.settings, world_.prompts, pickers_, location),
            FolderChoice::Chosen);
  EXPECT_EQ(Folder(), longest);
}

// --- RestoreFromFile ---------------------------------------------------------------------

TEST_F(BackupTest, TheFileDialogStartsInTheBackupFolder) {
  pickers_.openChooses = false;
  SetFolder("");
  RestoreFromFile(book_, pickers_);
  ASSERT_EQ(pickers_.requests.size(), 1u);
  EXPECT_EQ(pickers_.requests[0],
            "Select file to read | Bin files (*.bin)|*.bin|Old data files (*.data)|*.data|Old "
            "backup files (backup.*)|backup.*|| | C:");
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_EQ(world_.notices.views, 0);
}

TEST_F(BackupTest, RestoringABinFileMergesItSlotBySlot) {
  WriteDataFile("E:\\b\\Lumetta.bin", {{1, "Dentist"}, {2, "Lunch"}, {3, "Gym"}});
  Add(2025, 3, 1, 9, 0, "Dentist");    // same text: unchanged
  Add(2025, 3, 2, 9, 0, "Call Bob");   // other text: appended
  Add(2025, 4, 1, 9, 0, "Untouched");  // not in the file
  pickers_.opened = "E:\\b\\Lumetta.bin";
  RestoreFromFile(book_, pickers_);
  ASSERT_EQ(book_.Count(), 4u);
  EXPECT_EQ(book_.FindAt(2025, 3, 1, 9, 0)->text, "Dentist");
  EXPECT_EQ(book_.FindAt(2025, 3, 2, 9, 0)->text, "Call Bob Lunch");
  EXPECT_EQ(book_.FindAt(2025, 3, 3, 9, 0)->text, "Gym");
  EXPECT_EQ(book_.FindAt(2025, 4, 1, 9, 0)->text, "Untouched");
  EXPECT_EQ(LastMessage(), "Restored 4 entries from backup.");
  EXPECT_EQ(world_.prompts.shown.back().icon, PromptIcon::Information);
  EXPECT_EQ(world_.notices.views, 1);

  // Twice: nothing changes, and the message still counts the book.
  RestoreFromFile(book_, pickers_);
  ASSERT_EQ(book_.Count(), 4u);
  EXPECT_EQ(book_.FindAt(2025, 3, 2, 9, 0)->text, "Call Bob Lunch");
  EXPECT_EQ(LastMessage(), "Restored 4 entries from backup.");
  EXPECT_EQ(world_.prompts.shown.size(), 2u);
}

TEST_F(BackupTest, OtherFilesAreReadAsOldTextFiles) {
  const std::string line = "x|2025|3|14|10|30|14|0|0|0|15|||Dentist|0|0|0|0|0|1|0\n\1\2\3\4";
  for (const std::string path : {"E:\\b\\backup.3", "E:\\b\\OLD.BIN", ".bin.txt"}) {
    All_Appointments book(world_.Context());
    world_.files.files[path] = line + line + "x|1969|1\n\1\2\3\4";
    pickers_.opened = path;
    RestoreFromFile(book, pickers_);
    EXPECT_EQ(book.Count(), 1u) << path;
    // Two lines taken in (one merged into the other); the 1969 one refused.
    EXPECT_EQ(LastMessage(), "Restored 2 entries from backup.") << path;
  }
  EXPECT_EQ(world_.notices.views, 3);
}

TEST_F(BackupTest, ARestoredFileThatVanishedIsReported) {
  for (const std::string path : {"E:\\b\\backup.1", "E:\\b\\Lumetta.bin"}) {
    pickers_.opened = path;
    RestoreFromFile(book_, pickers_);
    EXPECT_EQ(LastMessage(), "The file " + path + " was not found!");
  }
  EXPECT_EQ(world_.prompts.shown.size(), 2u);
}

// A .bin file that cannot be opened, stops part-way or is far larger than
// any data file is never reported as restored: the message names the file
// and says how many entries were taken in.
TEST_F(BackupTest, ARestoreThatCouldNotReadItsFileSaysSo) {
  const std::string path = "E:\\b\\Lumetta.bin";
  const std::string quoted = "\"" + path + "\"";
  const struct {
    const char* name;
    bool locked;
    std::size_t failAt;
    std::uint64_t claimedSize;
    std::size_t restored;
    std::string message;
  } cases[] = {
      {"locked", true, SIZE_MAX, 0, 0,
       "Lumetta could not read the file " + quoted + ". Nothing was restored."},
      {"read error at once", false, 0, 0, 0,
       "Lumetta could not read the file " + quoted + ". Nothing was restored."},
      {"read error part-way", false, 2 * kRecordSize + 10, 0, 2,
       "Restored 2 entries from backup, but the rest of the file " + quoted +
           " could not be read."},
      {"far too large", false, SIZE_MAX, kLargestDataFileSize + 1, 0,
       "The file " + quoted +
           " is far larger than any Lumetta data file and was not read. Nothing was restored."},
  };
  for (const auto& c : cases) {
    FakeWorld world;
    All_Appointments book(world.Context());
    AddTo(book, 2025, 4, 1, 9, 0, "already here");
    {
      All_Appointments other(world.Context());
      for (int day = 1; day <= 3; ++day) AddTo(other, 2025, 3, day, 9, 0, "from backup");
      ASSERT_TRUE(other.SaveTo(path));
    }
    if (c.locked) world.files.unreadable.insert(path);
    world.files.readFailsAt[path] = c.failAt;
    if (c.claimedSize != 0) world.files.claimedSize[path] = c.claimedSize;
    pickers_.opened = path;
    RestoreFromFile(book, pickers_);
    EXPECT_EQ(book.Count(), 1 + c.restored) << c.name;
    ASSERT_EQ(world.prompts.shown.size(), 1u) << c.name;
    EXPECT_EQ(world.prompts.shown[0].text, c.message) << c.name;
    EXPECT_EQ(world.prompts.shown[0].caption, "Lumetta") << c.name;
    EXPECT_EQ(world.prompts.shown[0].icon, PromptIcon::Warning) << c.name;
    EXPECT_EQ(world.notices.views, 1) << c.name;
  }
}

// An existing backup is never replaced by an empty book, nor while the data
// file could not be read (the book holds only this run's entries).
TEST_F(BackupTest, ABackupThatWouldLoseDataIsNotWritten) {
  const std::string backup = "c:\\Lumetta.bin";
  const std::string kept = "\n\nThe backup file \"c:\\Lumetta.bin\" has been left as it is.";
  const std::string empty = "Lumetta did not write a backup: there are no entries to back up.";
  const std::string unread =
      "Lumetta did not write a backup: its data file could not be read, so only part of your "
      "appointments is at hand:\ndata/Lumetta.bin";
  enum class Book { Empty, OnlyUnwritable, DataFileUnread };
  const struct {
    Book book;
    bool backupExists;
    std::string message;
    PromptIcon icon;
  } cases[] = {
      {Book::Empty, true, empty + kept, PromptIcon::Information},
      {Book::Empty, false, empty, PromptIcon::Information},
      {Book::OnlyUnwritable, true, empty + kept, PromptIcon::Information},
      {Book::DataFileUnread, true, unread + kept, PromptIcon::Warning},
      {Book::DataFileUnread, false, unread, PromptIcon::Warning},
  };
  for (const auto& c : cases) {
    FakeWorld world;
    All_Appointments book(world.Context());
    const std::string complete = "a complete backup";
    if (c.backupExists) world.files.files[backup] = complete;
    if (c.book == Book::OnlyUnwritable) {
      AddTo(book, 2025, 3, 1, 9, 0, "x").SetKey(2025, 3, 1, 99, 0);
    }
    if (c.book == Book::DataFileUnread) {
      world.files.files["data/Lumetta.bin"] = "years of entries";
      world.files.unreadable.insert("data/Lumetta.bin");
      book.LoadAtStartup({});
      AddTo(book, 2025, 3, 1, 9, 0, "this run");
    }
    EXPECT_FALSE(BackupToFolder(book));
    EXPECT_EQ(world.files.files.count(backup), c.backupExists ? 1u : 0u);
    if (c.backupExists) {
      EXPECT_EQ(world.files.files[backup], complete);
    }
    ASSERT_EQ(world.prompts.shown.size(), 1u);
    EXPECT_EQ(world.prompts.shown[0].text, c.message);
    EXPECT_EQ(world.prompts.shown[0].caption, "Lumetta");
    EXPECT_EQ(world.prompts.shown[0].icon, c.icon);
  }
}
