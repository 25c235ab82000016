#include "shell/ShellPickers.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "shell/FindResults.h"

namespace shell {

namespace {

// COM for the folder browser, for as long as it is up.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

// An item list from the shell, freed with the shell's allocator.
class ItemList {
 public:
  explicit ItemList(LPITEMIDLIST list) : list_(list) {}
  ~ItemList() {
    if (list_ != nullptr) CoTaskMemFree(list_);
  }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  LPCITEMIDLIST Get() const { return list_; }

 private:
  LPITEMIDLIST list_;
};

}  // namespace

std::string ShellBackupPickers::CurrentFolder() {
  const DWORD length = GetCurrentDirectoryA(0, nullptr);
  if (length == 0) return std::string();
  std::string folder(length, '\0');
  const DWORD copied = GetCurrentDirectoryA(length, &folder[0]);
  folder.resize(copied < length ? copied : 0);
  return folder;
}

void ShellBackupPickers::SetCurrentFolder(const std::string& folder) {
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
}

bool ShellBackupPickers::BrowseForFolder(const std::string& title, std::string& path) {
  const ComScope com;
  BROWSEINFOA info = {};
  info.hwndOwner = owner_;
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = title.c_str();
  info.ulFlags = 0;
  const ItemList chosen(SHBrowseForFolderA(&info));
  if (chosen.Get() == nullptr) return false;
  char buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(chosen.Get(), buffer)) return false;
  path = buffer;
  return true;
}

std::string ShellBackupPickers::FilterForDialog(const std::string& filter) {
  std::string result = filter;
  for (char& c : result) {
    if (c == '|') c = '\0';
  }
  return result;
}

bool ShellBackupPickers::ChooseFileToOpen(const std::string& title, const std::string& filter,
                                          const std::string& initialFolder, std::string& path) {
  const std::string filters = FilterForDialog(filter);
  std::vector<char> file(MAX_PATH, '\0');
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialFolder.c_str();
  ofn.lpstrTitle = title.c_str();
  // The current folder stays where it was: it is compared when a backup
  // folder is chosen.
  ofn.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&ofn)) return false;
  path = file.data();
  return true;
}

void ShellSearchOutlets::OpenDayPlanner(int year, int month, int day) {
  if (openDayPlanner_) openDayPlanner_(year, month, day);
}

void ShellSearchOutlets::OpenTextViewer(const std::string& path) {
  ShellExecuteA(nullptr, "open", "notepad.exe", path.c_str(), nullptr, SW_SHOWNORMAL);
}

void ShellSearchOutlets::ShowHits(const std::vector<store::SearchHit>& hits) {
  FindResults::Show(owner_, hits, openDayPlanner_);
}

}  // namespace shell
