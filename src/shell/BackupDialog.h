#pragma once
// The backup dialog (template IDD_BACKUP, "Backup and Intelligent Restore").
// Its Backup and Restore buttons are commands of its owner, the main window
// (BackupToFolder, RestoreFromFile): the dialog passes them on and stays
// open. Location chooses the backup folder; Close ends the dialog.

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace store {
class BackupPickers;
class Prompts;
struct SettingsBlock;
}  // namespace store

namespace shell {

class Backup : public fw::Dialog {
 public:
  Backup(fw::Prompter& prompter, store::SettingsBlock& settings, store::Prompts& prompts,
         store::BackupPickers& pickers);

  // The dialog's copy of the backup location.
  const std::string& LocationText() const { return location_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  store::SettingsBlock& settings_;
  store::Prompts& prompts_;
  store::BackupPickers& pickers_;
  std::string location_;
};

}  // namespace shell
