#pragma once
// The three sound cues, each a wave file named in the settings and played
// asynchronously, never with a system sound in its place: the start-up
// sound, the reminder sound (the default beep when its field is empty) and
// the click sound. Bare file names are found by the system's sound service
// (the program's working folder).

#include <windows.h>

namespace lumetta {
struct SettingsBlock;
}

// Where the cues go: the system's sound service, or a test's recorder.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts playing the wave file and returns at once; no sound of any other
  // kind when the file cannot be played.
  virtual void PlayFile(const char* path) = 0;
  // The system's default beep.
  virtual void DefaultBeep() = 0;
};

// sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT) and MessageBeep(MB_OK).
class SystemSoundOutput : public SoundOutput {
 public:
  void PlayFile(const char* path) override;
  void DefaultBeep() override;
};

// Nothing when the start-up sound field is empty.
void PlayStartSound(const lumetta::SettingsBlock& settings, SoundOutput& output);
// The default beep when the reminder sound field is empty.
void PlayReminderSound(const lumetta::SettingsBlock& settings, SoundOutput& output);
// Nothing when the click sound field is empty.
void PlayClickSound(const lumetta::SettingsBlock& settings, SoundOutput& output);

// The same on the system's sound service.
void PlayStartSound(const lumetta::SettingsBlock& settings);
void PlayReminderSound(const lumetta::SettingsBlock& settings);
void PlayClickSound(const lumetta::SettingsBlock& settings);
