#pragma once
// The Windows side of the store's choosers and viewers: the folder browser
// and the file-open dialog of the backup dialog, and the text viewer and day
// planner a search leads to.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "store/BackupRestore.h"
#include "store/Search.h"

namespace shell {

// SHBrowseForFolderA, GetOpenFileNameA and the process's current folder.
class ShellBackupPickers : public store::BackupPickers {
 public:
  // The choosers are owned by `owner` (the main window).
  explicit ShellBackupPickers(HWND owner) : owner_(owner) {}

  std::string CurrentFolder() override;
  void SetCurrentFolder(const std::string& folder) override;
  bool BrowseForFolder(const std::string& title, std::string& path) override;
  bool ChooseFileToOpen(const std::string& title, const std::string& filter,
                        const std::string& initialFolder, std::string& path) override;

  // "A|a|B|b||" -> "A\0a\0B\0b\0\0", the filter form of the file dialogs.
  static std::string FilterForDialog(const std::string& filter);

 private:
  HWND owner_;
};

// Opens the results file in "notepad.exe" (shown normally) and lists the
// hits in the find results window owned by `owner`; the day planner is
// opened by the function the main window gives.
class ShellSearchOutlets : public store::SearchOutlets {
 public:
  ShellSearchOutlets(HWND owner, std::function<void(int, int, int)> openDayPlanner)
      : owner_(owner), openDayPlanner_(std::move(openDayPlanner)) {}

  void OpenDayPlanner(int year, int month, int day) override;
  void OpenTextViewer(const std::string& path) override;
  void ShowHits(const std::vector<store::SearchHit>& hits) override;

 private:
  HWND owner_;
  std::function<void(int, int, int)> openDayPlanner_;
};

}  // namespace shell
