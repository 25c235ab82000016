// lumetta-cli on systems other than Windows: the data file is "Lumetta.bin"
// in the current folder unless --file names one; the program itself does
// not run here.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "cli/CliHost.h"
#include "cli/Console.h"
#include "cli/CurlTransport.h"
#include "store/CodePage.h"
#include "store/StdFileSystem.h"
#include "store/TzifTimeZones.h"

namespace cli {

namespace {

class PosixClock : public store::Clock {
 public:
  store::Moment Now() override { return static_cast<store::Moment>(std::time(nullptr)); }
};

class PosixFile : public PositionedFile {
 public:
  PosixFile(int fd, const struct stat& st)
      : fd_(fd),
        size_(static_cast<std::uint64_t>(st.st_size)),
        writeTime_(static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec) {
  }
  ~PosixFile() override { close(fd_); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  std::uint64_t Size() const override { return size_; }
  std::int64_t WriteTime() const override { return writeTime_; }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    std::size_t total = 0;
    while (total < size) {
      const ssize_t n = pread(fd_, static_cast<char*>(buffer) + total, size - total,
                              static_cast<off_t>(offset + total));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) failed_ = true;
      if (n <= 0) break;
      total += static_cast<std::size_t>(n);
    }
    return total;
  }
  bool Failed() const override { return failed_; }

 private:
  int fd_;
  std::uint64_t size_;
  std::int64_t writeTime_;
  bool failed_ = false;
};

class PosixHost : public CliHost {
 public:
  store::FileSystem& Files() override { return files_; }
  store::Clock& Clock() override { return clock_; }
  store::FolderNames& FolderNames() override { return names_; }
  std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd, st);
  }
  store::SystemTimeZones& TimeZones() override { return zones_; }
  std::string DataFileForReading() override { return "Lumetta.bin"; }
  std::string DataFileForWriting() override { return "Lumetta.bin"; }
  std::string NotesFolder() override { return "notes/"; }
  bool ProgramRunning() override { return false; }
  char Separator() const override { return '/'; }
  int DefaultCodePage() const override { return store::kDefaultCodePage; }
  std::string ToConsole(const std::string& eightBit, int codePage) const override {
    return store::EightBitToUtf8(eightBit, codePage);
  }
  std::string FromConsole(const std::string& text, int codePage) const override {
    return store::Utf8ToEightBit(text, codePage);
  }
  std::unique_ptr<store::HttpTransport> Http(const std::string& user,
                                             const std::string& password) override {
    return MakeCurlTransport(user, password);
  }
  bool ReadSecret(const std::string& prompt, std::string& out) override {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    termios saved{};
    if (terminal) {
      std::fputs(prompt.c_str(), stderr);
      std::fflush(stderr);
      tcgetattr(STDIN_FILENO, &saved);
      termios quiet = saved;
      quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    const bool read = ReadInputLine(out);
    if (terminal) {
      tcsetattr(STDIN_FILENO, TCSANOW, &saved);
      std::fputc('\n', stderr);
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return read;
  }
  // No keyring is assumed here: the password comes from a file or the environment.
  bool KeepPassword(const std::string&, const std::string&) override { return false; }
  bool KeptPassword(const std::string&, std::string&) override { return false; }

 private:
  store::StdFileSystem files_;
  PosixClock clock_;
  store::StdFolderNames names_;
  store::TzifTimeZones zones_{files_, "/usr/share/zoneinfo/"};
};

}  // namespace

std::unique_ptr<CliHost> MakeCliHost() { return std::make_unique<PosixHost>(); }

}  // namespace cli
