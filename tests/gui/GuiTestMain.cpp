// The GUI tests' main. Every test runs with a fresh, empty data folder
// (APPDATA) and current folder, removed again afterwards: the tests of one
// CTest run share a Wine prefix, so files a test left in the prefix's AppData
// or in the build folder would otherwise be read by later tests.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "PlatformTestFiles.h"
#include "platform/SystemClock.h"

namespace {

class FreshFoldersPerTest : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override { folders_.emplace(); }
  void OnTestEnd(const ::testing::TestInfo&) override { folders_.reset(); }

 private:
  // Members go in reverse order: the variable and current folder are given
  // back before the folders are removed.
  struct Folders {
    platform_testing::ScratchFolder appData;
    platform_testing::ScratchFolder current;
    platform_testing::EnvironmentVariable appDataVariable{"APPDATA", true, appData.Path()};
    platform_testing::CurrentFolder currentFolder{current.Path()};
  };
  std::optional<Folders> folders_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  platform::UseSystemZoneRules();  // as the program does
  // The list of listeners owns it.
  ::testing::UnitTest::GetInstance()->listeners().Append(
      std::make_unique<FreshFoldersPerTest>().release());
  return RUN_ALL_TESTS();
}
