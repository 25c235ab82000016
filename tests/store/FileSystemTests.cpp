// The standard-library file system and the safe file write, on real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/Fakes.h"
#include "TimeZone.h"
#include "store/AppointmentBook.h"
#include "store/SafeFile.h"
#include "store/StdFileSystem.h"

using namespace store;
namespace fs = std::filesystem;

namespace {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "lumetta-store-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Spit(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(StdFileSystemTest, SafeWriteReplacesTheFileAndLeavesNoTemporary) {
  TempFolder dir;
  StdFileSystem files;
  const std::string path = dir / "f.bin";
  Spit(path, "old contents");
  ASSERT_TRUE(WriteFileSafely(files, path, "new", 3));
  EXPECT_EQ(Slurp(path), "new");
  EXPECT_FALSE(files.Exists(TemporaryPathFor(path)));
  ASSERT_TRUE(WriteFileSafely(files, dir / "fresh.bin", "abc", 3));
  EXPECT_EQ(Slurp(dir / "fresh.bin"), "abc");
}

TEST(StdFileSystemTest, SafeWriteFailureLeavesTheOldFile) {
  TempFolder dir;
  StdFileSystem files;
  // The writer gives up half-way.
  const std::string path = dir / "f.bin";
  Spit(path, "old contents");
  EXPECT_FALSE(WriteFileSafely(files, path, [](OutputFile& out) {
    out.Write("half", 4);
    return false;
  }));
  EXPECT_EQ(Slurp(path), "old contents");
  EXPECT_FALSE(files.Exists(TemporaryPathFor(path)));
  // The replace step fails (a folder stands at the target).
  fs::create_directory(dir / "folder");
  EXPECT_FALSE(WriteFileSafely(files, dir / "folder", "x", 1));
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  EXPECT_FALSE(files.Exists(TemporaryPathFor(dir / "folder")));
  // The folder does not exist.
  EXPECT_FALSE(WriteFileSafely(files, dir / "missing/f.bin", "x", 1));
}

TEST(StdFileSystemTest, FileOperations) {
  TempFolder dir;
  StdFileSystem files(false);
  Spit(dir / "a", "alpha");
  Spit(dir / "b", "beta");
  EXPECT_TRUE(files.Exists(dir / "a"));
  EXPECT_FALSE(files.Exists(dir / "c"));

  EXPECT_FALSE(files.Rename(dir / "a", dir / "b"));  // refuses an existing target
  EXPECT_EQ(Slurp(dir / "b"), "beta");
  EXPECT_TRUE(files.Rename(dir / "a", dir / "c"));
  EXPECT_FALSE(files.Exists(dir / "a"));

  EXPECT_TRUE(files.CopyReplacing(dir / "c", dir / "b"));
  EXPECT_EQ(Slurp(dir / "b"), "alpha");
  EXPECT_FALSE(files.CopyReplacing(dir / "nothing", dir / "b"));
  EXPECT_EQ(Slurp(dir / "b"), "alpha");

  EXPECT_TRUE(files.Remove(dir / "b"));
  EXPECT_TRUE(files.Remove(dir / "b"));  // already gone
  EXPECT_FALSE(files.Exists(dir / "b"));

  // A folder exists but cannot be read as a file.
  fs::create_directory(dir / "d");
  EXPECT_TRUE(files.Exists(dir / "d"));
  EXPECT_EQ(files.OpenRead(dir / "d"), nullptr);

  const std::string big(200000, 'z');
  Spit(dir / "big", big);
  EXPECT_TRUE(files.CopyReplacing(dir / "big", dir / "big2"));
  EXPECT_EQ(Slurp(dir / "big2"), big);
}

// The whole start-up and save path on real files, with a data file that
// exists but cannot be read (a folder of that name).
TEST(StdFileSystemTest, UnreadableDataFileOnDisk) {
  ScopedTimeZone tz("UTC");
  TempFolder dir;
  fakes::FakeWorld world;
  world.paths.folder = dir.path() + "/";
  StdFileSystem files(false);
  StoreContext context = world.Context();
  StoreContext real{context.settings, context.timerIds, context.clock, context.prompts,
                    context.timers,   context.notices,  context.paths, files,
                    context.zones};
  fs::create_directory(dir / "Lumetta.bin");
  All_Appointments book(real);
  EXPECT_TRUE(book.LoadAtStartup({}));
  EXPECT_TRUE(book.DataFileUnread());
  An_Appointment& e = book.Create();
  e.SetSlot(2025, 3, 14, 10, 0, "kept");
  e.ArmReminder();
  EXPECT_TRUE(book.Save());
  EXPECT_TRUE(fs::is_directory(dir / "Lumetta.bin"));
  EXPECT_EQ(fs::file_size(dir / "Lumetta.unsaved.bin"), 204u);
}
