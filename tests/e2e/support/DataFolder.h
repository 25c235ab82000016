#pragma once
// The program's per-user data folder in this scenario's prefix and small file
// helpers, for scenarios that seed data before a start or inspect it after.
#include <string>

namespace e2e {

// "%APPDATA%\Lumetta Calendar\" with the trailing backslash (the folder of
// settings.bin, Lumetta.bin and its backups when the program runs from drive C).
std::string DataFolder();

bool FileExists(const std::string& path);
// Size in bytes, or -1 when the file does not exist.
long long FileSize(const std::string& path);
bool ReadWholeFile(const std::string& path, std::string* bytes);
// Creates the folder of `path` first when needed.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace e2e
