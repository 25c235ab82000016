#include "support/DataFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace e2e {

std::string DataFolder() {
  char appData[MAX_PATH] = "";
  const DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
  std::string base = (length > 0 && length < sizeof appData) ? appData : "C:";
  return base + "\\Lumetta Calendar\\";
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return -1;
  }
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  const size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos) {
    // Create every missing folder on the way (CreateDirectory makes one level).
    for (size_t next = path.find('\\', 3); next != std::string::npos && next <= slash;
         next = path.find('\\', next + 1)) {
      CreateDirectoryA(path.substr(0, next).c_str(), nullptr);
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace e2e
