#include "platform/SoundCues.h"

#include <mmsystem.h>

#include <cstring>

#include "framework/Prompter.h"
#include "store/Settings.h"

namespace platform {

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

bool IsPlayableWaveFile(const char* path) {
  char found[MAX_PATH] = "";
  if (SearchPathA(nullptr, path, nullptr, MAX_PATH, found, nullptr) == 0) return false;
  HANDLE file = CreateFileA(found, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char header[12] = {};
  DWORD read = 0;
  const bool ok = ReadFile(file, header, sizeof header, &read, nullptr) && read == sizeof header;
  CloseHandle(file);
  return ok && std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

std::string UnplayableSoundMessage(const std::string& path) {
  return "The sound file \"" + path +
         "\" cannot be played: it is missing or not a wave file. Choose another one under "
         "Preferences, Sounds.";
}

// The names a fresh settings block gives the three sounds. The program does
// not ship these files; where the user has not put them beside it, they stay
// silent without a message at every start.
bool IsDefaultSoundName(const char* path) {
  for (const char* name : {"Start.wav", "Ring.wav", "Pick.wav"}) {
    if (lstrcmpiA(path, name) == 0) return true;
  }
  return false;
}

void SystemSoundOutput::PlayFile(const char* path) {
  if (!IsPlayableWaveFile(path)) {
    if (prompter_ != nullptr && !IsDefaultSoundName(path) && reported_.insert(path).second) {
      prompter_->Show(nullptr, UnplayableSoundMessage(path), MB_OK | MB_ICONEXCLAMATION);
    }
    return;
  }
  sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
}

void SystemSoundOutput::DefaultBeep() { MessageBeep(MB_OK); }

void PlayStartSound(const store::SettingsBlock& settings, SoundOutput& output) {
  if (const char* file = SoundFile(settings.startSound)) output.PlayFile(file);
}

void PlayReminderSound(const store::SettingsBlock& settings, SoundOutput& output) {
  // A reminder is always heard: without a file, the default beep.
  if (const char* file = SoundFile(settings.reminderSound)) {
    output.PlayFile(file);
  } else {
    output.DefaultBeep();
  }
}

void PlayClickSound(const store::SettingsBlock& settings, SoundOutput& output) {
  if (const char* file = SoundFile(settings.clickSound)) output.PlayFile(file);
}

void PlayStartSound(const store::SettingsBlock& settings) {
  SystemSoundOutput output;
  PlayStartSound(settings, output);
}

void PlayReminderSound(const store::SettingsBlock& settings) {
  SystemSoundOutput output;
  PlayReminderSound(settings, output);
}

void PlayClickSound(const store::SettingsBlock& settings) {
  SystemSoundOutput output;
  PlayClickSound(settings, output);
}

}  // namespace platform
