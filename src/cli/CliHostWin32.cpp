// lumetta-cli on Windows: the program's data folder rules (DataFilePath),
// its file operations, its single-instance mutex to tell whether it runs,
// WinHTTP for the sync and DPAPI for the accounts' passwords.
#include <windows.h>

#include <cstdio>

#include "cli/CliHost.h"
#include "cli/Console.h"
#include "platform/DataFolder.h"
#include "platform/ProtectedSecret.h"
#include "platform/RegistryTimeZones.h"
#include "platform/SingleInstanceMutex.h"
#include "platform/SystemClock.h"
#include "platform/SystemCodePage.h"
#include "platform/Win32FileSystem.h"
#include "platform/WinHttpTransport.h"

namespace cli {

namespace {

// ReadFile at an offset: the OVERLAPPED of a synchronous handle names the
// place to read from.
class Win32PositionedFile : public PositionedFile {
 public:
  Win32PositionedFile(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& info)
      : handle_(handle),
        size_((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow),
        writeTime_(static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
            info.ftLastWriteTime.dwLowDateTime)) {}
  ~Win32PositionedFile() override { CloseHandle(handle_); }
  Win32PositionedFile(const Win32PositionedFile&) = delete;
  Win32PositionedFile& operator=(const Win32PositionedFile&) = delete;

  std::uint64_t Size() const override { return size_; }
  std::int64_t WriteTime() const override { return writeTime_; }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    std::size_t total = 0;
    while (total < size) {
      const std::uint64_t at = offset + total;
      OVERLAPPED place{};
      place.Offset = static_cast<DWORD>(at);
      place.OffsetHigh = static_cast<DWORD>(at >> 32);
      const std::size_t left = size - total;
      const DWORD want = static_cast<DWORD>(left < (1u << 30) ? left : (1u << 30));
      DWORD got = 0;
      if (!ReadFile(handle_, static_cast<char*>(buffer) + total, want, &got, &place)) {
        if (GetLastError() != ERROR_HANDLE_EOF) failed_ = true;
        break;
      }
      if (got == 0) break;
      total += got;
    }
    return total;
  }
  bool Failed() const override { return failed_; }

 private:
  HANDLE handle_;
  std::uint64_t size_;
  std::int64_t writeTime_;
  bool failed_ = false;
};

class Win32Host : public CliHost {
 public:
  store::FileSystem& Files() override { return files_; }
  store::Clock& Clock() override { return clock_; }
  store::FolderNames& FolderNames() override { return names_; }
  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) {
      CloseHandle(h);
      return nullptr;
    }
    return std::make_unique<Win32PositionedFile>(h, info);
  }
  store::SystemTimeZones& TimeZones() override { return zones_; }
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
  int DefaultCodePage() const override { return platform::AnsiCodePage(); }
  // The program's own code page: redirected output reads as its files do.
  std::string ToConsole(const std::string& eightBit, int) const override { return eightBit; }
  std::string FromConsole(const std::string& text, int) const override { return text; }
  std::unique_ptr<store::HttpTransport> Http(const std::string& user,
                                             const std::string& password) override {
    return platform::MakeWinHttpTransport(user, password);
  }
  bool ReadSecret(const std::string& prompt, std::string& out) override {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    const bool console = GetConsoleMode(in, &mode) != 0;
    if (console) {
      std::fputs(prompt.c_str(), stderr);
      std::fflush(stderr);
      SetConsoleMode(in, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    }
    const bool read = ReadInputLine(out);
    if (console) {
      SetConsoleMode(in, mode);
      std::fputc('\n', stderr);
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return read;
  }
  bool KeepPassword(const std::string& path, const std::string& password) override {
    return platform::KeepSecret(path, password);
  }
  bool KeptPassword(const std::string& path, std::string& out) override {
    return platform::ReadKeptSecret(path, out);
  }

 private:
  platform::DataFolder folder_;
  platform::Win32FileSystem files_;
  platform::SystemClock clock_;
  store::StdFolderNames names_;
  platform::RegistryTimeZones zones_;
};

}  // namespace

std::unique_ptr<CliHost> MakeCliHost() {
  platform::UseSystemZoneRules();
  return std::make_unique<Win32Host>();
}

}  // namespace cli
