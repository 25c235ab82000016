// The three sound cues: which file each plays and the reminder's beep for
// an empty field. (What the sound service then does with an asynchronous
// request cannot be observed: it answers success before it looks at the file.)
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "PlatformTestFiles.h"
#include "framework/Prompter.h"
#include "platform/SoundCues.h"
#include "store/Settings.h"
#include "support/RecordingPrompter.h"

namespace {

class RecordingOutput : public platform::SoundOutput {
 public:
  std::vector<std::string> played;
  int beeps = 0;
  void PlayFile(const char* path) override { played.push_back(path); }
  void DefaultBeep() override { ++beeps; }
};

class SoundCuesTest : public ::testing::Test {
 protected:
  void SetUp() override { store::SetDefaultSettings(settings_, 0); }
  store::SettingsBlock settings_;
  RecordingOutput output_;
};

TEST_F(SoundCuesTest, EachCuePlaysTheFileOfItsOwnField) {
  store::SetText(settings_.startSound, "C:\\Sounds\\hello.wav");
  platform::PlayStartSound(settings_, output_);
  platform::PlayReminderSound(settings_, output_);
  platform::PlayClickSound(settings_, output_);
  EXPECT_EQ(output_.played,
            (std::vector<std::string>{"C:\\Sounds\\hello.wav", "Ring.wav", "Pick.wav"}));
  EXPECT_EQ(output_.beeps, 0);
}

TEST_F(SoundCuesTest, EmptyFieldsAreSilentExceptTheReminderWhichBeeps) {
  store::SetText(settings_.startSound, "");
  store::SetText(settings_.reminderSound, "");
  store::SetText(settings_.clickSound, "");
  platform::PlayStartSound(settings_, output_);
  platform::PlayClickSound(settings_, output_);
  EXPECT_TRUE(output_.played.empty());
  EXPECT_EQ(output_.beeps, 0);
  platform::PlayReminderSound(settings_, output_);
  platform::PlayReminderSound(settings_, output_);
  EXPECT_TRUE(output_.played.empty());
  EXPECT_EQ(output_.beeps, 2) << "every reminder is heard";
}

TEST_F(SoundCuesTest, FieldWithoutATerminatorNamesNoFile) {
  std::memset(settings_.clickSound, 'x', sizeof settings_.clickSound);
  std::memset(settings_.reminderSound, 'y', sizeof settings_.reminderSound);
  platform::PlayClickSound(settings_, output_);
  platform::PlayReminderSound(settings_, output_);
  EXPECT_TRUE(output_.played.empty());
  EXPECT_EQ(output_.beeps, 1) << "the reminder still beeps";
}

class UnplayableSoundTest : public ::testing::Test {
 protected:
  platform_testing::ScratchFolder scratch_;
  std::string File(const std::string& name, const std::string& bytes) {
    const std::string path = scratch_.Path() + "\\" + name;
    EXPECT_TRUE(platform_testing::WriteWholeFile(path, bytes));
    return path;
  }
};

TEST_F(UnplayableSoundTest, OnlyAFoundRiffWaveFileCountsAsPlayable) {
  const std::string wave = std::string("RIFF\x24\0\0\0WAVEfmt ", 16);
  const struct {
    std::string path;
    bool playable;
  } cases[] = {
      {File("good.wav", wave + std::string(32, '\0')), true},
      {File("text.wav", "hello, this is no wave file"), false},
      {File("short.wav", "RIFF"), false},
      {File("avi.wav", std::string("RIFF\x24\0\0\0AVI LIST", 16)), false},
      {scratch_.Path() + "\\missing.wav", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.playable, platform::IsPlayableWaveFile(c.path.c_str())) << c.path;
}

TEST_F(UnplayableSoundTest, AFileThatCannotBePlayedIsReportedOnceAndNotHandedOn) {
  testing_support::RecordingPrompter prompter;
  platform::SystemSoundOutput output(&prompter);
  const std::string missing = scratch_.Path() + "\\missing.wav";
  const std::string text = File("text.wav", "not a wave");
  for (int reminder = 0; reminder < 3; ++reminder) {
    output.PlayFile(missing.c_str());
    output.PlayFile(text.c_str());
    output.PlayFile("Start.wav");  // a default name, not shipped: silent, not reported
  }
  EXPECT_EQ((std::vector<std::string>{platform::UnplayableSoundMessage(missing),
                                      platform::UnplayableSoundMessage(text)}),
            prompter.texts);
  EXPECT_NE(std::string::npos, prompter.texts[0].find("\"" + missing + "\" cannot be played"));
}

}  // namespace
