// Backup to a folder of the user's choice and the intelligent restore, which
// merges a backup, an older data file or an old text file into the book slot
// by slot: restoring never duplicates an entry and never removes one.
#pragma once

#include <cstddef>
#include <string>

#include "store/Platform.h"

namespace store {

class All_Appointments;
struct SettingsBlock;

constexpr const char* kBackupFolderTitle = "Select backup folder or disk";
constexpr const char* kRestoreTitle = "Select file to read";
// Pairs of description and pattern, each ended by "|", the list by another "|".
constexpr const char* kRestoreFilter =
    "Bin files (*.bin)|*.bin|Old data files (*.data)|*.data|Old backup files (backup.*)|backup.*||";
constexpr const char* kProgramFolder = "C:\\Program Files\\Lumetta Calendar";
constexpr const char* kOtherFolderMessage =
    "Please save your backups in some other folder, on another disk or on a floppy disk.";
constexpr const char* kFolderPathTooLongMessage =
    "The path of that folder is too long to be kept as the backup location (at most 255 "
    "characters).\nPlease choose a folder with a shorter path.";

// The platform's choosers and the process's current folder (the folder
// browser and the file-open dialog on Windows).
class BackupPickers {
 public:
  virtual ~BackupPickers() = default;
  virtual std::string CurrentFolder() = 0;
  virtual void SetCurrentFolder(const std::string& folder) = 0;
  // The folder browser, starting at the desktop. False when it was
  // cancelled or the choice has no file-system path.
  virtual bool BrowseForFolder(const std::string& title, std::string& path) = 0;
  // The file-open dialog (the chosen file must exist). False when cancelled.
  virtual bool ChooseFileToOpen(const std::string& title, const std::string& filter,
                                const std::string& initialFolder, std::string& path) = 0;
};

// The backup folder setting, or "C:" when it is empty.
std::string BackupFolder(const SettingsBlock& settings);

enum class FolderChoice {
  Unchanged,  // cancelled, or no usable path
  Refused,    // a message said why; the setting stays
  Chosen,     // the setting holds the new folder; the dialog shows it
};

// The Location button: the folder browser; a chosen folder becomes the
// backup folder setting unless it is the program's folder or the current
// folder, or its path does not fit the setting. `locationText` is the
// dialog's copy of the location (emptied first, as the browser closes).
FolderChoice ChooseBackupFolder(SettingsBlock& settings, Prompts& prompts, BackupPickers& pickers,
                                std::string& locationText);

// The Backup button: writes "Lumetta.bin" into the backup folder (safely:
// a temporary file, then one-step replace) and reports it.
bool BackupToFolder(All_Appointments& book);

// The Restore button: the chosen file is merged into the book, as a data
// file when its path contains ".bin" after its first character, otherwise
// as an old text file; the calendar views are asked to repaint. The message
// says how many entries were restored, or names the file that could not be
// read (or was far too large to be a data file) and how far it was read.
void RestoreFromFile(All_Appointments& book, BackupPickers& pickers);

// The message of a restore whose file could not be read to its end, after
// `restored` entries (none: nothing was restored).
void ReportUnreadRestore(Prompts& prompts, const std::string& path, std::size_t restored);

}  // namespace store
