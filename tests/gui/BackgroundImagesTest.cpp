// Loading the background images named in the settings into their slots.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "PlatformTestFiles.h"
#include "common/Bitmaps.h"
#include "platform/BackgroundImages.h"
#include "store/Settings.h"

using platform_testing::CurrentFolder;
using platform_testing::ScratchFolder;
using platform_testing::WriteWholeFile;
using test_common::BitmapFile;

namespace {

SIZE SizeOf(HBITMAP image) {
  BITMAP info = {};
  if (image == nullptr || GetObjectA(image, sizeof info, &info) != sizeof info) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

// The bitmap in a slot, owned by the caller (as a view takes it).
fw::Bitmap TakeFromSlot(std::uint32_t& slot) {
  HBITMAP image = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(static_cast<std::int32_t>(slot)));
  slot = 0;
  return fw::Bitmap(image);
}

class BackgroundImagesTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  CurrentFolder current_{folder_.Path()};
};

TEST_F(BackgroundImagesTest, BitmapFileLoadsAtItsNaturalSize) {
  ASSERT_TRUE(WriteWholeFile(folder_ / "wide.bmp", BitmapFile(640, 3)));
  const fw::Bitmap image = platform::LoadBackgroundImage(folder_ / "wide.bmp");
  ASSERT_TRUE(image);
  EXPECT_EQ(SizeOf(image.Get()).cx, 640);
  EXPECT_EQ(SizeOf(image.Get()).cy, 3);
}

TEST_F(BackgroundImagesTest, NoImagePathsAndUnloadableFilesGiveNoImage) {
  // A bitmap that happens to be called "none" is still no image.
  ASSERT_TRUE(WriteWholeFile(folder_ / "none", BitmapFile(2, 2)));
  ASSERT_TRUE(WriteWholeFile(folder_ / "NONE", BitmapFile(2, 2)));
  ASSERT_TRUE(WriteWholeFile(folder_ / "text.bmp", "just some text, no bitmap"));
  for (const char* path : {"", "none", "NONE", "None"}) {
    EXPECT_TRUE(platform::IsNoImagePath(path)) << path;
    EXPECT_FALSE(platform::LoadBackgroundImage(path)) << '"' << path << '"';
  }
  EXPECT_FALSE(platform::IsNoImagePath("none.bmp"));
  EXPECT_FALSE(platform::LoadBackgroundImage(folder_ / "missing.bmp"));
  EXPECT_FALSE(platform::LoadBackgroundImage(folder_ / "text.bmp"));
}

TEST_F(BackgroundImagesTest, ImagePassesThroughItsSlotWhole) {
  ASSERT_TRUE(WriteWholeFile(folder_ / "a.bmp", BitmapFile(11, 13)));
  std::uint32_t slot = platform::ImageToSlot(platform::LoadBackgroundImage(folder_ / "a.bmp"));
  ASSERT_NE(slot, 0u);
  const fw::Bitmap back = TakeFromSlot(slot);
  EXPECT_EQ(SizeOf(back.Get()).cx, 11);
  EXPECT_EQ(SizeOf(back.Get()).cy, 13);
  EXPECT_EQ(platform::ImageToSlot(fw::Bitmap()), 0u);
}

TEST_F(BackgroundImagesTest, SettingsLoadFillBothSlotsFromTheirPaths) {
  ASSERT_TRUE(WriteWholeFile(folder_ / "month.bmp", BitmapFile(5, 7)));
  ASSERT_TRUE(WriteWholeFile(folder_ / "planner.bmp", BitmapFile(9, 2)));
  store::SettingsBlock settings;
  store::SetDefaultSettings(settings, 0);
  store::SetText(settings.mainImage, folder_ / "month.bmp");
  store::SetText(settings.plannerImage, "planner.bmp");  // relative to the current folder
  settings.mainImageHandle = 0x1234;                     // values read from a file mean nothing
  settings.plannerImageHandle = 0x5678;
  platform::LoadBackgroundImages(settings);
  const fw::Bitmap month = TakeFromSlot(settings.mainImageHandle);
  const fw::Bitmap planner = TakeFromSlot(settings.plannerImageHandle);
  EXPECT_EQ(SizeOf(month.Get()).cx, 5);
  EXPECT_EQ(SizeOf(planner.Get()).cx, 9);
}

TEST_F(BackgroundImagesTest, EmptyNoneMissingOrUnterminatedPathsLeaveTheSlotsEmpty) {
  ASSERT_TRUE(WriteWholeFile(folder_ / "none", BitmapFile(2, 2)));
  store::SettingsBlock settings;
  store::SetDefaultSettings(settings, 0);
  struct Case {
    const char* main;
    const char* planner;
  } cases[] = {{"", "none"}, {"missing.bmp", "NONE"}};
  for (const Case& c : cases) {
    store::SetText(settings.mainImage, c.main);
    store::SetText(settings.plannerImage, c.planner);
    settings.mainImageHandle = 0x1234;
    settings.plannerImageHandle = 0x5678;
    platform::LoadBackgroundImages(settings);
    EXPECT_EQ(settings.mainImageHandle, 0u) << c.main;
    EXPECT_EQ(settings.plannerImageHandle, 0u) << c.planner;
  }
  std::memset(settings.mainImage, 'a', sizeof settings.mainImage);
  settings.mainImageHandle = 0x1234;
  platform::LoadBackgroundImages(settings);
  EXPECT_EQ(settings.mainImageHandle, 0u);
}

}  // namespace
