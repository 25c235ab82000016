#pragma once
// The backup dialog (template IDD_BACKUP, "Backup and Intelligent Restore").
// Its Backup and Restore buttons are commands of its owner, the main window
// (BackupToFolder, RestoreFromFile): the dialog passes them on and stays
// open. Location chooses the backup folder; Close ends the dialog.

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/DialogTrim.h"

namespace lumetta {
class BackupPickers;
class Prompts;
struct SettingsBlock;
}  // namespace lumetta

class Backup : public fw::Dialog {
 public:
  Backup(fw::Prompter& prompter, lumetta::SettingsBlock& settings, lumetta::Prompts& prompts,
         lumetta::BackupPickers& pickers);

  // The dialog's copy of the backup location.
  const std::string& LocationText() const { return location_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  lumetta::SettingsBlock& settings_;
  lumetta::Prompts& prompts_;
  lumetta::BackupPickers& pickers_;
  std::string location_;
};
