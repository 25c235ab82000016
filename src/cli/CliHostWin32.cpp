// lumetta-cli on Windows: the program's data folder rules (DataFilePath),
// its file operations, and its single-instance mutex to tell whether it runs.
#include <windows.h>

#include "cli/CliHost.h"
#include "platform/DataFolder.h"
#include "platform/SingleInstanceMutex.h"
#include "platform/SystemClock.h"
#include "platform/Win32FileSystem.h"

namespace cli {

namespace {

class Win32Host : public CliHost {
 public:
  store::FileSystem& Files() override { return files_; }
  store::Clock& Clock() override { return clock_; }
  store::FolderNames& FolderNames() override { return names_; }
  std::string DataFileForReading() override { return folder_.DataFilePath("Lumetta.bin", false); }
  std::string DataFileForWriting() override { return folder_.DataFilePath("Lumetta.bin", true); }
  std::string NotesFolder() override { return folder_.DataFilePath("notes", true) + "\\"; }
  bool ProgramRunning() override {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, platform::kSingleInstanceMutexName);
    if (mutex == nullptr) return false;
    CloseHandle(mutex);
    return true;
  }
  char Separator() const override { return '\\'; }
  // The program's own code page: redirected output reads as its files do.
  std::string ToConsole(const std::string& eightBit) const override { return eightBit; }
  std::string FromConsole(const std::string& text) const override { return text; }
  // The CalDAV sync is not built into the Windows lumetta-cli yet.
  std::unique_ptr<store::HttpTransport> Http(const std::string&, const std::string&) override {
    return nullptr;
  }
  bool ReadSecret(const std::string&, std::string&) override { return false; }

 private:
  platform::DataFolder folder_;
  platform::Win32FileSystem files_;
  platform::SystemClock clock_;
  store::StdFolderNames names_;
};

}  // namespace

std::unique_ptr<CliHost> MakeCliHost() { return std::make_unique<Win32Host>(); }

}  // namespace cli
