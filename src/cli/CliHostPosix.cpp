// lumetta-cli on systems other than Windows: the data file is "Lumetta.bin"
// in the current folder unless --file names one; the program itself does
// not run here.
#include <termios.h>
#include <unistd.h>

#include <ctime>
#include <iostream>
#include <limits>

#include "cli/CliHost.h"
#include "cli/CurlTransport.h"
#include "store/CodePage.h"
#include "store/StdFileSystem.h"

namespace cli {

namespace {

class PosixClock : public store::Clock {
 public:
  store::Moment Now() override {
    const std::time_t now = std::time(nullptr);
    return now > std::numeric_limits<store::Moment>::max()
               ? std::numeric_limits<store::Moment>::max()
               : static_cast<store::Moment>(now);
  }
};

class PosixHost : public CliHost {
 public:
  store::FileSystem& Files() override { return files_; }
  store::Clock& Clock() override { return clock_; }
  store::FolderNames& FolderNames() override { return names_; }
  std::string DataFileForReading() override { return "Lumetta.bin"; }
  std::string DataFileForWriting() override { return "Lumetta.bin"; }
  std::string NotesFolder() override { return "notes/"; }
  bool ProgramRunning() override { return false; }
  char Separator() const override { return '/'; }
  std::string ToConsole(const std::string& eightBit) const override {
    return store::Cp1252ToUtf8(eightBit);
  }
  std::string FromConsole(const std::string& text) const override {
    return store::Utf8ToCp1252(text);
  }
  std::unique_ptr<store::HttpTransport> Http(const std::string& user,
                                             const std::string& password) override {
    return MakeCurlTransport(user, password);
  }
  bool ReadSecret(const std::string& prompt, std::string& out) override {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    termios saved{};
    if (terminal) {
      std::cerr << prompt << std::flush;
      tcgetattr(STDIN_FILENO, &saved);
      termios quiet = saved;
      quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    const bool read = static_cast<bool>(std::getline(std::cin, out));
    if (terminal) {
      tcsetattr(STDIN_FILENO, TCSANOW, &saved);
      std::cerr << '\n';
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return read;
  }

 private:
  store::StdFileSystem files_;
  PosixClock clock_;
  store::StdFolderNames names_;
};

}  // namespace

std::unique_ptr<CliHost> MakeCliHost() { return std::make_unique<PosixHost>(); }

}  // namespace cli
