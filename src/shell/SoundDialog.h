#pragma once
// The "Select Sounds" dialog (SoundDialog, template IDD_SOUNDS): the wave
// files of the three sound cues. A chosen file plays at once; OK stores the
// three paths into the settings block, Cancel and Esc change nothing.

#include <string>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace store {
class BackupPickers;
struct SettingsBlock;
}  // namespace store

namespace platform {
class SoundOutput;
}

namespace shell {

class SoundDialog : public fw::Dialog {
 public:
  // The longest path a sound field holds.
  static constexpr size_t kMaxPath = 127;

  // `pickers` supplies the file-open dialog; `sound` plays a chosen file.
  SoundDialog(fw::Prompter& prompter, store::SettingsBlock& settings, store::BackupPickers& pickers,
              platform::SoundOutput& sound);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  void ShowFiles();
  void Choose(std::string& file, const char* title);

  store::SettingsBlock& settings_;
  store::BackupPickers& pickers_;
  platform::SoundOutput& sound_;
  fw::SmallWindowIcon icon_;
  std::string start_;
  std::string reminder_;
  std::string click_;
};

}  // namespace shell
