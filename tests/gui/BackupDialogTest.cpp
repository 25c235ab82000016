// The backup dialog: its keyboard, the location shown and chosen, Backup and
// Restore passed on to the owner (which runs the operations), and the
// Windows choosers behind the store's BackupPickers.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/Fakes.h"
#include "DialogTestHelpers.h"
#include "framework/MessageBoxPrompter.h"
#include "resource.h"
#include "shell/BackupDialog.h"
#include "shell/ShellPickers.h"
#include "store/AppointmentBook.h"
#include "store/BackupRestore.h"
#include "store/FixedFields.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/WindowText.h"

using namespace dialog_test;
using testing_support::ControlText;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;

namespace {

class ScriptedPickers : public store::BackupPickers {
 public:
  std::string current = "Z:\\work";
  std::string browsed;
  std::string opened;
  std::string CurrentFolder() override { return current; }
  void SetCurrentFolder(const std::string& folder) override { current = folder; }
  bool BrowseForFolder(const std::string&, std::string& path) override {
    path = browsed;
    return !browsed.empty();
  }
  bool ChooseFileToOpen(const std::string&, const std::string&, const std::string&,
                        std::string& path) override {
    path = opened;
    return !opened.empty();
  }
};

// A plain top-level window that owns the dialog and hands the commands it
// receives to a function, as the main window's command table does.
class CommandOwner {
 public:
  explicit CommandOwner(std::function<void(UINT)> onCommand) : onCommand_(std::move(onCommand)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &CommandOwner::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BackupDialogTestOwner";
    RegisterClassA(&wc);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CommandOwner() { DestroyWindow(hwnd_); }
  CommandOwner(const CommandOwner&) = delete;
  CommandOwner& operator=(const CommandOwner&) = delete;
  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CommandOwner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_COMMAND && self != nullptr) {
      self->onCommand_(LOWORD(wParam));
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  std::function<void(UINT)> onCommand_;
  HWND hwnd_ = nullptr;
};

class BackupDialogTest : public ::testing::Test {
 protected:
  std::string Folder() const {
    return store::ReadField(world_.settings.backupFolder, sizeof world_.settings.backupFolder);
  }

  fakes::FakeWorld world_;
  store::All_Appointments book_{world_.Context()};
  ScriptedPickers pickers_;
  fw::MessageBoxPrompter prompter_{"Lumetta"};
  DialogWatcher watcher_;
  shell::Backup dialog_{prompter_, world_.settings, world_.prompts, pickers_};
};

// What a user meets: the caption, the dialog centred on the pointer, every
// text fitting, Tab going round the four buttons but never into the folder
// box (it only shows the folder), and Esc closing the dialog.
TEST_F(BackupDialogTest, OpensAtThePointerTabsRoundItsButtonsAndClosesWithEsc) {
  SetCursorPos(420, 300);
  POINT cursor = {};
  GetCursorPos(&cursor);
  std::vector<std::string> misfits, tabs;
  POINT centre = {};
  watcher_.Then([&](const SeenDialog& d) {
    misfits = Misfits(d.hwnd);
    centre = CentreOf(d.hwnd);
    WhenUp(d.hwnd, [&, dialog = d.hwnd] {
      tabs = TabOrder(dialog);
      testing_support::PostKey(GetFocus(), VK_ESCAPE);
    });
    return 0;
  });
  EXPECT_EQ(IDCANCEL, dialog_.DoModal(nullptr));
  ASSERT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("Backup and Intelligent Restore", watcher_.Seen()[0].caption);
  EXPECT_EQ(std::vector<std::string>{}, misfits);
  EXPECT_EQ((std::vector<std::string>{"Backup", "Restore", "Location", "Close"}), tabs);
  EXPECT_LE(std::abs(centre.x - cursor.x), 1);
  EXPECT_LE(std::abs(centre.y - cursor.y), 1);
}

TEST_F(BackupDialogTest, ShowsTheBackupFolderOrDriveC) {
  std::vector<std::string> shown;
  watcher_.Then([&](const SeenDialog& d) {
    shown.push_back(ControlText(d.hwnd, IDC_BACKUP_FOLDER));
    return IDCANCEL;
  });
  dialog_.DoModal(nullptr);
  store::SetText(world_.settings.backupFolder, "");
  watcher_.Then([&](const SeenDialog& d) {
    shown.push_back(ControlText(d.hwnd, IDC_BACKUP_FOLDER));
    return IDCANCEL;
  });
  shell::Backup second(prompter_, world_.settings, world_.prompts, pickers_);
  second.DoModal(nullptr);
  EXPECT_EQ((std::vector<std::string>{"c:", "C:"}), shown);
}

TEST_F(BackupDialogTest, LocationShowsAndStoresTheChosenFolderButNotARefusedOne) {
  std::vector<std::string> shown;
  bool stillOpen = false;
  watcher_.Then([&](const SeenDialog& d) {
    pickers_.browsed = "E:\\Backups";
    Click(d.hwnd, IDC_BACKUP_LOCATION);
    shown.push_back(ControlText(d.hwnd, IDC_BACKUP_FOLDER));
    pickers_.browsed = "Z:\\work";  // the current folder
    Click(d.hwnd, IDC_BACKUP_LOCATION);
    shown.push_back(ControlText(d.hwnd, IDC_BACKUP_FOLDER));
    pickers_.browsed = "";  // cancelled
    Click(d.hwnd, IDC_BACKUP_LOCATION);
    shown.push_back(ControlText(d.hwnd, IDC_BACKUP_FOLDER));
    stillOpen = IsWindow(d.hwnd) != FALSE;
    return IDOK;  // closes with IDOK only if nothing above ended the dialog
  });
  EXPECT_EQ(IDOK, dialog_.DoModal(nullptr));
  EXPECT_EQ((std::vector<std::string>{"E:\\Backups", "E:\\Backups", "E:\\Backups"}), shown);
  EXPECT_EQ("E:\\Backups", Folder());
  ASSERT_EQ(1u, world_.prompts.shown.size());
  EXPECT_EQ(store::kOtherFolderMessage, world_.prompts.shown[0].text);
  EXPECT_TRUE(stillOpen);
}

TEST_F(BackupDialogTest, BackupAndRestoreArePassedToTheOwnerAndTheDialogStaysOpen) {
  std::vector<UINT> received;
  CommandOwner owner([&](UINT id) {
    received.push_back(id);
    if (id == ID_BACKUP_TO_FOLDER) store::BackupToFolder(book_);
    if (id == ID_RESTORE_FROM_FILE) store::RestoreFromFile(book_, pickers_);
  });
  store::An_Appointment& e = book_.Create();
  e.SetSlot(2025, 3, 14, 9, 0, "Dentist");
  e.ArmReminder();
  bool openAfterBoth = false;
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, ID_BACKUP_TO_FOLDER);
    pickers_.opened = "c:\\Lumetta.bin";
    Click(d.hwnd, ID_RESTORE_FROM_FILE);
    openAfterBoth = IsWindow(d.hwnd) != FALSE;
    return IDOK;  // closes with IDOK only if nothing above ended the dialog
  });
  EXPECT_EQ(IDOK, dialog_.DoModal(owner.Handle()));
  EXPECT_EQ((std::vector<UINT>{ID_BACKUP_TO_FOLDER, ID_RESTORE_FROM_FILE}), received);
  EXPECT_TRUE(openAfterBoth);
  EXPECT_EQ(1u, world_.files.files.count("c:\\Lumetta.bin"));
  ASSERT_EQ(2u, world_.prompts.shown.size());
  EXPECT_EQ("Wrote 1 entries to the backup file \"c:\\Lumetta.bin\"", world_.prompts.shown[0].text);
  EXPECT_EQ("Restored 1 entries from backup.", world_.prompts.shown[1].text);
  EXPECT_EQ(1u, book_.Count());
}

// --- The Windows choosers ---------------------------------------------------------

TEST(ShellBackupPickersTest, TheFilterBecomesTheDialogsZeroSeparatedList) {
  const std::string f =
      shell::ShellBackupPickers::FilterForDialog("Bin files (*.bin)|*.bin|All|*.*||");
  EXPECT_EQ(std::string("Bin files (*.bin)\0*.bin\0All\0*.*\0\0", 33), f);
}

TEST(ShellBackupPickersTest, TheCurrentFolderIsReadAndSetAgain) {
  shell::ShellBackupPickers pickers(nullptr);
  const std::string before = pickers.CurrentFolder();
  ASSERT_FALSE(before.empty());
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  pickers.SetCurrentFolder(windows);
  EXPECT_EQ(0, lstrcmpiA(windows, pickers.CurrentFolder().c_str()));
  pickers.SetCurrentFolder(before);
  EXPECT_EQ(before, pickers.CurrentFolder());
}

TEST(ShellBackupPickersTest, TheFolderBrowserAnswersTheChosenFolder) {
  DialogWatcher watcher;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  watcher.Then([&](const SeenDialog& d) {
    SendMessageA(d.hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(windows));
    return IDOK;
  });
  shell::ShellBackupPickers pickers(nullptr);
  std::string path;
  ASSERT_TRUE(pickers.BrowseForFolder(store::kBackupFolderTitle, path));
  EXPECT_EQ(0, lstrcmpiA(windows, path.c_str())) << path;

  watcher.ThenPress(IDCANCEL);
  std::string none = "unchanged";
  EXPECT_FALSE(pickers.BrowseForFolder(store::kBackupFolderTitle, none));
  EXPECT_EQ("unchanged", none);
}

TEST(ShellBackupPickersTest, TheFileDialogAnswersAnExistingFileAndKeepsTheCurrentFolder) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string file = std::string(folder) + "backup.3";
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  CloseHandle(h);

  shell::ShellBackupPickers pickers(nullptr);
  const std::string before = pickers.CurrentFolder();
  DialogWatcher watcher;
  watcher.Then([&](const SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, 0x47c, file.c_str());
    return IDOK;
  });
  std::string path;
  ASSERT_TRUE(pickers.ChooseFileToOpen(store::kRestoreTitle, store::kRestoreFilter, folder, path));
  EXPECT_EQ(0, lstrcmpiA(file.c_str(), path.c_str())) << path;
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Select file to read", watcher.Seen()[0].caption);
  EXPECT_EQ(before, pickers.CurrentFolder());

  watcher.ThenPress(IDCANCEL);
  EXPECT_FALSE(pickers.ChooseFileToOpen(store::kRestoreTitle, store::kRestoreFilter, folder, path));
  DeleteFileA(file.c_str());
}

}  // namespace
