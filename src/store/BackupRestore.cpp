#include "store/BackupRestore.h"

#include "store/AppointmentBook.h"
#include "store/Settings.h"
#include "store/TextImport.h"

namespace store {

namespace {

// Puts the process's current folder back however the choice ends.
class CurrentFolderKeeper {
 public:
  explicit CurrentFolderKeeper(BackupPickers& pickers)
      : pickers_(pickers), folder_(pickers.CurrentFolder()) {}
  ~CurrentFolderKeeper() { pickers_.SetCurrentFolder(folder_); }
  CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
  CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;
  const std::string& Folder() const { return folder_; }

 private:
  BackupPickers& pickers_;
  std::string folder_;
};

}  // namespace

std::string BackupFolder(const SettingsBlock& settings) {
  const std::string folder = ReadField(settings.backupFolder, sizeof settings.backupFolder);
  return folder.empty() ? std::string("C:") : folder;
}

FolderChoice ChooseBackupFolder(SettingsBlock& settings, Prompts& prompts, BackupPickers& pickers,
                                std::string& locationText) {
  const CurrentFolderKeeper current(pickers);
  std::string path;
  const bool chosen = pickers.BrowseForFolder(kBackupFolderTitle, path);
  locationText.clear();
  if (!chosen || path.empty()) return FolderChoice::Unchanged;
  locationText = path;
  if (path == kProgramFolder || path == current.Folder()) {
    prompts.Show(kOtherFolderMessage, kPromptCaption, PromptButtons::Ok, PromptIcon::None);
    return FolderChoice::Refused;
  }
  if (path.size() >= sizeof settings.backupFolder) {
    // The setting would cut it into the path of another folder.
    prompts.Show(kFolderPathTooLongMessage, kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
    return FolderChoice::Refused;
  }
  SetText(settings.backupFolder, path);
  return FolderChoice::Chosen;
}

bool BackupToFolder(All_Appointments& book) {
  return book.WriteBackup(BackupFolder(book.context().settings) + "\\");
}

namespace {

// What a restore of a data file tells the user.
void ReportRestore(All_Appointments& book, const std::string& path,
                   const All_Appointments::LoadResult& read) {
  using Outcome = All_Appointments::LoadOutcome;
  Prompts& prompts = book.context().prompts;
  switch (read.outcome) {
    case Outcome::Loaded:
      prompts.Show("Restored " + std::to_string(book.Count()) + " entries from backup.",
                   kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
      return;
    case Outcome::Missing:
      prompts.Show("The file " + path + " was not found!", kPromptCaption, PromptButtons::Ok,
                   PromptIcon::None);
      return;
    case Outcome::TooLarge:
      prompts.Show("The file \"" + path +
                       "\" is far larger than any Lumetta data file and was not read. "
                       "Nothing was restored.",
                   kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
      return;
    case Outcome::Unreadable:
      ReportUnreadRestore(prompts, path, read.records);
      return;
  }
}

}  // namespace

void ReportUnreadRestore(Prompts& prompts, const std::string& path, std::size_t restored) {
  const std::string text =
      restored == 0 ? "Lumetta could not read the file \"" + path + "\". Nothing was restored."
                    : "Restored " + std::to_string(restored) +
                          " entries from backup, but the rest of the file \"" + path +
                          "\" could not be read.";
  prompts.Show(text, kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
}

void RestoreFromFile(All_Appointments& book, BackupPickers& pickers) {
  const StoreContext& ctx = book.context();
  std::string path;
  if (!pickers.ChooseFileToOpen(kRestoreTitle, kRestoreFilter, BackupFolder(ctx.settings), path)) {
    return;
  }
  const std::size_t bin = path.find(".bin");
  if (bin != std::string::npos && bin >= 1) {
    ReportRestore(book, path, book.ReadDataFile(path));
  } else {
    ImportText(book, path, true);
  }
  ctx.notices.ViewsChanged();
}

}  // namespace store
