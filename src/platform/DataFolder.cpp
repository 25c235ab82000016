#include "platform/DataFolder.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace platform {

namespace {

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The full path of a name relative to the current folder, so the answer
// stays right when a file dialog later changes the current folder.
std::string FullPathOf(const std::string& relative) {
  const DWORD needed = GetFullPathNameA(relative.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return relative;
  std::vector<char> buffer(needed + 1);
  const DWORD n =
      GetFullPathNameA(relative.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  return (n == 0 || n >= buffer.size()) ? relative : std::string(buffer.data(), n);
}

std::string ModulePath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size() - 1) return std::string(buffer.data(), n);
    if (buffer.size() > 32768) return std::string(buffer.data(), n);  // longest Windows path
    buffer.resize(buffer.size() * 2);  // the path was cut: try a larger buffer
  }
}

bool EnvironmentValue(const char* name, std::string& value) {
  const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return false;  // not set (or set to nothing)
  std::vector<char> buffer(needed);
  const DWORD n = GetEnvironmentVariableA(name, buffer.data(), needed);
  if (n == 0 || n >= needed) return false;
  value.assign(buffer.data(), n);
  return true;
}

std::string UserName() {
  char name[256] = {};  // a logon name has at most 255 characters
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return std::string();
  name[sizeof name - 1] = '\0';
  return name;
}

}  // namespace

DataFolderEnvironment DataFolderEnvironment::OfThisProcess() {
  DataFolderEnvironment e;
  e.modulePath = ModulePath();
  e.appDataSet = EnvironmentValue("APPDATA", e.appData);
  e.userName = UserName();
  return e;
}

DataFolder::DataFolder() : DataFolder(DataFolderEnvironment::OfThisProcess()) {}

DataFolder::DataFolder(DataFolderEnvironment environment) : environment_(std::move(environment)) {
  if (environment_.appData.empty()) environment_.appDataSet = false;
  if (environment_.userName.size() > 255) environment_.userName.resize(255);
}

bool DataFolder::IsPortable() const {
  // An unknown executable path (GetModuleFileNameA failed) keeps the usual
  // data folder rather than the root of the current drive.
  const std::string& path = environment_.modulePath;
  return !path.empty() && path[0] != 'c' && path[0] != 'C';
}

std::string DataFolder::BaseFolder() const {
  std::string base = environment_.appDataSet ? environment_.appData : std::string("C:");
  // "C:\Users\x\AppData\Roaming\" must not give a doubled separator.
  while (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.pop_back();
  return base;
}

std::string DataFolder::WritingFolder() const {
  if (IsPortable()) {
    const std::string& path = environment_.modulePath;
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  }
  return BaseFolder() + "\\" + kFolderName + "\\";
}

std::string DataFolder::DataFilePath(const std::string& name, bool forWriting) {
  const std::string folder = WritingFolder();
  // Beside the executable: nothing is created, nothing else is looked at.
  if (IsPortable()) return folder + name;

  // A folder that exists already, or cannot be made, is fine: the caller
  // finds out when it reads or writes the file.
  CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), nullptr);
  const std::string candidate = folder + name;
  if (forWriting || name.empty() || PathExists(candidate)) return candidate;

  // Files of older versions in the current folder.
  if (!environment_.userName.empty()) {
    const std::string userFile = environment_.userName + "." + name;
    if (PathExists(userFile)) return FullPathOf(userFile);
  }
  if (PathExists(name)) return FullPathOf(name);
  return candidate;
}

}  // namespace platform
