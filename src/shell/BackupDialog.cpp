#include "shell/BackupDialog.h"

#include "resource.h"
#include "store/BackupRestore.h"
#include "store/Settings.h"

namespace shell {

Backup::Backup(fw::Prompter& prompter, store::SettingsBlock& settings, store::Prompts& prompts,
               store::BackupPickers& pickers)
    : Dialog(IDD_BACKUP, prompter), settings_(settings), prompts_(prompts), pickers_(pickers) {}

bool Backup::OnInitDialog() {
  location_ = store::BackupFolder(settings_);
  SetDlgItemTextA(Handle(), IDC_BACKUP_FOLDER, location_.c_str());
  fw::CentreOnCursor(Handle());
  return true;
}

bool Backup::OnCommand(UINT id, UINT notifyCode, HWND control) {
  switch (id) {
    case ID_BACKUP_TO_FOLDER:
    case ID_RESTORE_FROM_FILE:
      // Commands of the main window: passed to the owner; the dialog stays.
      if (HWND owner = GetWindow(Handle(), GW_OWNER)) {
        SendMessageA(owner, WM_COMMAND, MAKEWPARAM(id, notifyCode),
                     reinterpret_cast<LPARAM>(control));
      }
      return true;
    case IDC_BACKUP_LOCATION:
      if (store::ChooseBackupFolder(settings_, prompts_, pickers_, location_) ==
          store::FolderChoice::Chosen) {
        SetDlgItemTextA(Handle(), IDC_BACKUP_FOLDER, location_.c_str());
      }
      return true;
    default:
      return Dialog::OnCommand(id, notifyCode, control);
  }
}

}  // namespace shell
