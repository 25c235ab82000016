#pragma once
// The three sound cues, each a wave file named in the settings and played
// asynchronously, never with a system sound in its place: the start-up
// sound, the reminder sound (the default beep when its field is empty) and
// the click sound. Bare file names are found by the system's sound service
// (the program's working folder).

#include <windows.h>

#include <set>
#include <string>

namespace fw {
class Prompter;
}
namespace store {
struct SettingsBlock;
}

namespace platform {

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
// The sound service answers an asynchronous request before it looks at the
// file, so a file it could not play would go unheard at every cue without
// a word: such a file is not handed over but told about, once per file and
// run, through the prompter.
class SystemSoundOutput : public SoundOutput {
 public:
  explicit SystemSoundOutput(fw::Prompter* prompter = nullptr) : prompter_(prompter) {}
  void PlayFile(const char* path) override;
  void DefaultBeep() override;

 private:
  fw::Prompter* prompter_;
  std::set<std::string> reported_;
};

// Whether the sound service can find the file (a bare name in the working
// folder or the system's folders, as it searches) and it starts as a RIFF
// wave file.
bool IsPlayableWaveFile(const char* path);

// The message about a sound file that cannot be played.
std::string UnplayableSoundMessage(const std::string& path);

// Nothing when the start-up sound field is empty.
void PlayStartSound(const store::SettingsBlock& settings, SoundOutput& output);
// The default beep when the reminder sound field is empty.
void PlayReminderSound(const store::SettingsBlock& settings, SoundOutput& output);
// Nothing when the click sound field is empty.
void PlayClickSound(const store::SettingsBlock& settings, SoundOutput& output);

// The same on the system's sound service.
void PlayStartSound(const store::SettingsBlock& settings);
void PlayReminderSound(const store::SettingsBlock& settings);
void PlayClickSound(const store::SettingsBlock& settings);

}  // namespace platform
