// The three sound cues: which file each plays and the reminder's beep for
// an empty field. (What the sound service then does with an asynchronous
// request cannot be observed: it answers success before it looks at the file.)
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/SoundCues.h"
#include "store/Settings.h"

namespace {

class RecordingOutput : public SoundOutput {
 public:
  std::vector<std::string> played;
  int beeps = 0;
  void PlayFile(const char* path) override { played.push_back(path); }
  void DefaultBeep() override { ++beeps; }
};

class SoundCuesTest : public ::testing::Test {
 protected:
  void SetUp() override { lumetta::SetDefaultSettings(settings_, 0); }
  lumetta::SettingsBlock settings_;
  RecordingOutput output_;
};

TEST_F(SoundCuesTest, EachCuePlaysTheFileOfItsOwnField) {
  lumetta::SetText(settings_.startSound, "C:\\Sounds\\hello.wav");
  PlayStartSound(settings_, output_);
  PlayReminderSound(settings_, output_);
  PlayClickSound(settings_, output_);
  EXPECT_EQ(output_.played,
            (std::vector<std::string>{"C:\\Sounds\\hello.wav", "Ring.wav", "Pick.wav"}));
  EXPECT_EQ(output_.beeps, 0);
}

TEST_F(SoundCuesTest, EmptyFieldsAreSilentExceptTheReminderWhichBeeps) {
  lumetta::SetText(settings_.startSound, "");
  lumetta::SetText(settings_.reminderSound, "");
  lumetta::SetText(settings_.clickSound, "");
  PlayStartSound(settings_, output_);
  PlayClickSound(settings_, output_);
  EXPECT_TRUE(output_.played.empty());
  EXPECT_EQ(output_.beeps, 0);
  PlayReminderSound(settings_, output_);
  PlayReminderSound(settings_, output_);
  EXPECT_TRUE(output_.played.empty());
  EXPECT_EQ(output_.beeps, 2) << "every reminder is heard";
}

TEST_F(SoundCuesTest, FieldWithoutATerminatorNamesNoFile) {
  std::memset(settings_.clickSound, 'x', sizeof settings_.clickSound);
  std::memset(settings_.reminderSound, 'y', sizeof settings_.reminderSound);
  PlayClickSound(settings_, output_);
  PlayReminderSound(settings_, output_);
  EXPECT_TRUE(output_.played.empty());
  EXPECT_EQ(output_.beeps, 1) << "the reminder still beeps";
}

}  // namespace
