#include "shell/SoundCues.h"

#include <mmsystem.h>

#include <cstring>

#include "store/Settings.h"

namespace {

// The file named by a sound field, or null for an empty field. A field
// that is not terminated inside its bytes (written by a careless writer;
// the settings loader terminates what it reads) names no file.
template <std::size_t N>
const char* SoundFile(const char (&field)[N]) {
  if (field[0] == '\0' || std::memchr(field, '\0', N) == nullptr) return nullptr;
  return field;
}

}  // namespace

void SystemSoundOutput::PlayFile(const char* path) {
  sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
}

void SystemSoundOutput::DefaultBeep() { MessageBeep(MB_OK); }

void PlayStartSound(const lumetta::SettingsBlock& settings, SoundOutput& output) {
  if (const char* file = SoundFile(settings.startSound)) output.PlayFile(file);
}

void PlayReminderSound(const lumetta::SettingsBlock& settings, SoundOutput& output) {
  // A reminder is always heard: without a file, the default beep.
  if (const char* file = SoundFile(settings.reminderSound)) {
    output.PlayFile(file);
  } else {
    output.DefaultBeep();
  }
}

void PlayClickSound(const lumetta::SettingsBlock& settings, SoundOutput& output) {
  if (const char* file = SoundFile(settings.clickSound)) output.PlayFile(file);
}

void PlayStartSound(const lumetta::SettingsBlock& settings) {
  SystemSoundOutput output;
  PlayStartSound(settings, output);
}

void PlayReminderSound(const lumetta::SettingsBlock& settings) {
  SystemSoundOutput output;
  PlayReminderSound(settings, output);
}

void PlayClickSound(const lumetta::SettingsBlock& settings) {
  SystemSoundOutput output;
  PlayClickSound(settings, output);
}
