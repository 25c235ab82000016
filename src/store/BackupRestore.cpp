#include "store/BackupRestore.h"

#include "store/AppointmentBook.h"
#include "store/Settings.h"
#include "store/TextImport.h"

namespace lumetta {

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
        prompts.Show(kFolderPathTooLongMessage, kPromptCaption, PromptButtons::Ok,
                     PromptIcon::Warning);
        return FolderChoice::Refused;
    }
    SetText(settings.backupFolder, path);
    return FolderChoice::Chosen;
}

bool BackupToFolder(All_Appointments& book) {
    return book.WriteBackup(BackupFolder(book.context().settings) + "\\");
}

void RestoreFromFile(All_Appointments& book, BackupPickers& pickers) {
    const StoreContext& ctx = book.context();
    std::string path;
    if (!pickers.ChooseFileToOpen(kRestoreTitle, kRestoreFilter, BackupFolder(ctx.settings), path)) {
        return;
    }
    const std::size_t bin = path.find(".bin");
    if (bin != std::string::npos && bin >= 1) {
        if (book.LoadDataFile(path)) {
            ctx.prompts.Show("Restored " + std::to_string(book.Count()) + " entries from backup.",
                             kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
        }
    } else {
        ImportText(book, path, true);
    }
    ctx.notices.ViewsChanged();
}

}  // namespace lumetta
