// DataFilePath: the data folder below APPDATA, older versions' files in the
// current folder, and the program run from another drive.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "FreshDataFolder.h"
#include "PlatformTestFiles.h"
#include "platform/DataFolder.h"

using platform_testing::CurrentFolder;
using platform_testing::EnvironmentVariable;
using platform_testing::FreshDataFolder;
using platform_testing::IsFolder;
using platform_testing::kInstalledProgram;
using platform_testing::PathExists;
using platform_testing::ScratchFolder;
using platform_testing::WriteWholeFile;

namespace {

// A user "ann" with APPDATA in a scratch folder, the executable on drive C,
// and another scratch folder as the current folder.
class DataFolderTest : public ::testing::Test {
 protected:
  FreshDataFolder data_;
  ScratchFolder programFolder_;
  CurrentFolder current_{programFolder_.Path()};
};

TEST_F(DataFolderTest, ReadingWithNoFilesAnywhereAnswersTheDataFolderAndCreatesIt) {
  platform::DataFolder paths(data_.Environment());
  ASSERT_FALSE(PathExists(data_.Folder()));
  EXPECT_EQ(paths.DataFilePath("settings.bin", false), data_.File("settings.bin"));
  EXPECT_TRUE(IsFolder(data_.Folder()));
  EXPECT_FALSE(PathExists(data_.File("settings.bin"))) << "only the folder is created";
}

TEST_F(DataFolderTest, WritingAlwaysAnswersTheDataFolderAndCreatesIt) {
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "ann.Lumetta.bin", "old"));
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "Lumetta.bin", "older"));
  platform::DataFolder paths(data_.Environment());
  EXPECT_EQ(paths.DataFilePath("Lumetta.bin", true), data_.File("Lumetta.bin"));
  EXPECT_TRUE(IsFolder(data_.Folder()));
  EXPECT_EQ(paths.DataFilePath("notes", true), data_.File("notes"));
}

TEST_F(DataFolderTest, EmptyNameAnswersTheDataFolderWithATrailingSeparator) {
  platform::DataFolder paths(data_.Environment());
  EXPECT_EQ(paths.DataFilePath("", true), data_.Folder() + "\\");
  EXPECT_EQ(paths.DataFilePath("", false), data_.Folder() + "\\");
  EXPECT_EQ(paths.WritingFolder(), data_.Folder() + "\\");
}

TEST_F(DataFolderTest, FileNamedAfterTheUserInTheCurrentFolderIsReadUntilTheDataFolderHasOne) {
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "ann.Lumetta.bin", "old"));
  platform::DataFolder paths(data_.Environment());
  EXPECT_EQ(paths.DataFilePath("Lumetta.bin", false), programFolder_ / "ann.Lumetta.bin");
  // The next save goes to the data folder; from then on that file is read.
  const std::string written = paths.DataFilePath("Lumetta.bin", true);
  ASSERT_EQ(written, data_.File("Lumetta.bin"));
  ASSERT_TRUE(WriteWholeFile(written, "new"));
  EXPECT_EQ(paths.DataFilePath("Lumetta.bin", false), data_.File("Lumetta.bin"));
}

TEST_F(DataFolderTest, PlainNameInTheCurrentFolderIsFoundWhenNoUserNamedFileExists) {
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "per.bin", "old list"));
  platform::DataFolder paths(data_.Environment());
  EXPECT_EQ(paths.DataFilePath("per.bin", false), programFolder_ / "per.bin");

  // The user-named file comes first.
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "ann.per.bin", "older user list"));
  EXPECT_EQ(paths.DataFilePath("per.bin", false), programFolder_ / "ann.per.bin");
}

TEST_F(DataFolderTest, OldFileAnswerIsAFullPathThatSurvivesAChangeOfCurrentFolder) {
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "settings.bin", std::string(1648, '\0')));
  platform::DataFolder paths(data_.Environment());
  const std::string answer = paths.DataFilePath("settings.bin", false);
  ScratchFolder elsewhere;
  CurrentFolder moved(elsewhere.Path());
  EXPECT_TRUE(PathExists(answer)) << answer;
}

TEST_F(DataFolderTest, FolderOfTheNameInTheDataFolderCountsAsExisting) {
  platform::DataFolder paths(data_.Environment());
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "notes", "a file of that name"));
  paths.DataFilePath("", true);
  ASSERT_TRUE(CreateDirectoryA(data_.File("notes").c_str(), nullptr));
  EXPECT_EQ(paths.DataFilePath("notes", false), data_.File("notes"));
}

TEST_F(DataFolderTest, WithoutAUserNameOnlyThePlainOldFileIsLookedFor) {
  ASSERT_TRUE(WriteWholeFile(programFolder_ / ".Lumetta.bin", "not a user's file"));
  platform::DataFolderEnvironment e = data_.Environment();
  e.userName.clear();
  platform::DataFolder paths(e);
  EXPECT_EQ(paths.DataFilePath("Lumetta.bin", false), data_.File("Lumetta.bin"));
}

TEST_F(DataFolderTest, AppDataWithATrailingSeparatorGivesNoDoubledSeparator) {
  platform::DataFolderEnvironment e = data_.Environment();
  e.appData += "\\";
  platform::DataFolder paths(e);
  EXPECT_EQ(paths.DataFilePath("settings.bin", false), data_.File("settings.bin"));
  EXPECT_TRUE(IsFolder(data_.Folder()));
}

TEST_F(DataFolderTest, ProgramOnAnotherDriveKeepsEveryFileBesideItsExecutable) {
  ASSERT_TRUE(WriteWholeFile(programFolder_ / "ann.Lumetta.bin", "old"));
  for (const char* module : {"D:\\Apps\\Lumetta\\lumetta.exe", "z:\\stick\\lumetta.exe",
                             "\\\\server\\share\\Lumetta\\lumetta.exe"}) {
    platform::DataFolder paths(data_.Environment(module));
    const std::string program(module);
    const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    EXPECT_TRUE(paths.IsPortable()) << module;
    EXPECT_EQ(paths.DataFilePath("Lumetta.bin", false), folder + "Lumetta.bin") << module;
    EXPECT_EQ(paths.DataFilePath("Lumetta.bin", true), folder + "Lumetta.bin") << module;
    EXPECT_EQ(paths.DataFilePath("notes", true), folder + "notes") << module;
    EXPECT_EQ(paths.DataFilePath("", true), folder) << module;
  }
  EXPECT_FALSE(PathExists(data_.Folder())) << "nothing is created below APPDATA";
}

TEST_F(DataFolderTest, DriveCInEitherCaseUsesTheDataFolder) {
  for (const char* module : {"C:\\Lumetta\\lumetta.exe", "c:\\lumetta\\lumetta.exe"}) {
    platform::DataFolder paths(data_.Environment(module));
    EXPECT_FALSE(paths.IsPortable()) << module;
    EXPECT_EQ(paths.DataFilePath("Lumetta.bin", true), data_.File("Lumetta.bin")) << module;
  }
}

TEST_F(DataFolderTest, WithoutAppDataTheFolderIsAtTheRootOfDriveC) {
  platform::DataFolderEnvironment e = data_.Environment();
  e.appDataSet = false;
  e.appData.clear();
  const bool existed = PathExists("C:\\Lumetta Calendar");
  platform::DataFolder paths(e);
  EXPECT_EQ(paths.DataFilePath("settings.bin", true), "C:\\Lumetta Calendar\\settings.bin");
  EXPECT_TRUE(IsFolder("C:\\Lumetta Calendar"));
  if (!existed) RemoveDirectoryA("C:\\Lumetta Calendar");

  // An APPDATA set to nothing is no folder either.
  e.appDataSet = true;
  platform::DataFolder empty(e);
  EXPECT_EQ(empty.WritingFolder(), "C:\\Lumetta Calendar\\");
  if (!existed) RemoveDirectoryA("C:\\Lumetta Calendar");
}

TEST_F(DataFolderTest, FolderThatCannotBeCreatedIsStillAnswered) {
  // APPDATA names a file, so no folder can be made below it: the answer is
  // the same path, and reading or writing it fails later.
  ASSERT_TRUE(WriteWholeFile(data_.appData / "roaming", "a file"));
  platform::DataFolderEnvironment e = data_.Environment();
  e.appData = data_.appData / "roaming";
  platform::DataFolder paths(e);
  EXPECT_EQ(paths.DataFilePath("settings.bin", true),
            data_.appData / "roaming\\Lumetta Calendar\\settings.bin");
  EXPECT_EQ(paths.DataFilePath("settings.bin", false),
            data_.appData / "roaming\\Lumetta Calendar\\settings.bin");
}

// The environment as this process sees it.
TEST(DataFolderEnvironment, IsReadFromTheProcess) {
  ScratchFolder roaming;
  EnvironmentVariable appData("APPDATA", true, roaming.Path());
  const platform::DataFolderEnvironment e = platform::DataFolderEnvironment::OfThisProcess();
  EXPECT_TRUE(e.appDataSet);
  EXPECT_EQ(e.appData, roaming.Path());

  char module[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  EXPECT_EQ(e.modulePath, module);

  char user[256] = {};
  DWORD size = sizeof user;
  ASSERT_TRUE(GetUserNameA(user, &size));
  EXPECT_EQ(e.userName, user);
}

TEST(DataFolderEnvironment, UnsetAppDataIsSeenAsUnset) {
  EnvironmentVariable appData("APPDATA", false);
  EXPECT_FALSE(platform::DataFolderEnvironment::OfThisProcess().appDataSet);
}

// The test program itself runs from the build folder, which Wine shows as
// drive Z: like a program on a stick, it keeps its files beside itself.
TEST(DataFolderOfThisProcess, FollowsTheExecutablesDrive) {
  char module[MAX_PATH + 1] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, module, MAX_PATH), 0u);
  const std::string program(module);
  const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
  ScratchFolder roaming;
  EnvironmentVariable appData("APPDATA", true, roaming.Path());
  platform::DataFolder paths;
  if (program[0] == 'c' || program[0] == 'C') {
    EXPECT_EQ(paths.DataFilePath("Lumetta.bin", true),
              roaming.Path() + "\\Lumetta Calendar\\Lumetta.bin");
  } else {
    EXPECT_EQ(paths.DataFilePath("Lumetta.bin", true), folder + "Lumetta.bin");
  }
}

}  // namespace
