#include "PlatformTestFiles.h"

#include <atomic>
#include <vector>

namespace platform_testing {

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(sizeof temp, temp);
  std::string base = (n > 0 && n < sizeof temp) ? std::string(temp, n) : std::string("C:\\");
  if (base.back() != '\\') base += '\\';
  for (;;) {
    path_ = base + "lumetta-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;  // the test then fails on its files
  }
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const bool ok = bytes.empty() ||
                  (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
                   wrote == bytes.size());
  return CloseHandle(h) && ok;
}

std::string ReadWholeFile(const std::string& path, bool* ok) {
  if (ok != nullptr) *ok = false;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  std::vector<char> buffer(64 * 1024);
  DWORD got = 0;
  bool readOk = true;
  for (;;) {
    if (!ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      readOk = false;
      break;
    }
    if (got == 0) break;
    bytes.append(buffer.data(), got);
  }
  CloseHandle(h);
  if (ok != nullptr) *ok = readOk;
  return bytes;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace platform_testing

namespace platform_testing {

CurrentFolder::CurrentFolder(const std::string& folder) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (n > 0 && n < sizeof buffer) previous_.assign(buffer, n);
  SetCurrentDirectoryA(folder.c_str());
}

CurrentFolder::~CurrentFolder() {
  if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
}

EnvironmentVariable::EnvironmentVariable(const char* name, bool set, const std::string& value)
    : name_(name) {
  const DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed > 0) {
    std::vector<char> buffer(needed);
    const DWORD n = GetEnvironmentVariableA(name, buffer.data(), needed);
    wasSet_ = n > 0 && n < needed;
    if (wasSet_) previous_.assign(buffer.data(), n);
  }
  SetEnvironmentVariableA(name, set ? value.c_str() : nullptr);
}

EnvironmentVariable::~EnvironmentVariable() {
  SetEnvironmentVariableA(name_.c_str(), wasSet_ ? previous_.c_str() : nullptr);
}

}  // namespace platform_testing
