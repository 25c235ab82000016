#include "platform/UserFolders.h"

#include <windows.h>

#include <shlobj.h>

namespace platform {

std::string DocumentsFolder() {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return std::string();
  }
  return path;
}

std::string FirstBackupFolder() {
  const std::string documents = DocumentsFolder();
  if (documents.empty()) return "C:";
  return documents + (documents.back() == '\\' ? "" : "\\") + "Lumetta Backups";
}

void MakeFolder(const std::string& folder) {
  if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
    CreateDirectoryA(folder.c_str(), nullptr);
  }
}

}  // namespace platform
