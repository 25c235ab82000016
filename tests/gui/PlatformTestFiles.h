#pragma once
// Files and folders for the tests of the Windows side of the store: a fresh
// temporary folder per test, removed with everything in it afterwards.

#include <windows.h>

#include <string>

namespace platform_testing {

// A new, empty folder below the system's temporary folder; removed (with
// its contents, read-only files included) when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder without trailing separator.
  const std::string& Path() const { return path_; }
  // Path() + "\" + name.
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Writes bytes to a file with plain Win32 calls (independent of the code
// under test); false on any failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The bytes of a file; `ok` false when it could not be read.
std::string ReadWholeFile(const std::string& path, bool* ok = nullptr);
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);

}  // namespace platform_testing

namespace platform_testing {

// Makes a folder the process's current folder for the object's lifetime.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string previous_;
};

// Sets an environment variable of this process (unset: `set` false) for the
// object's lifetime.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, bool set, const std::string& value = std::string());
  ~EnvironmentVariable();
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  std::string name_;
  bool wasSet_ = false;
  std::string previous_;
};

}  // namespace platform_testing
