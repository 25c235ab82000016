// lumetta-cli on systems other than Windows: the data file is "Lumetta.bin"
// in the current folder unless --file names one; the program itself does
// not run here.
#include <ctime>
#include <limits>

#include "cli/CliHost.h"
#include "store/CodePage.h"
#include "store/StdFileSystem.h"
#include "store/TzifTimeZones.h"

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
  store::SystemTimeZones& TimeZones() override { return zones_; }
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

 private:
  store::StdFileSystem files_;
  PosixClock clock_;
  store::StdFolderNames names_;
  store::TzifTimeZones zones_{files_, "/usr/share/zoneinfo/"};
};

}  // namespace

std::unique_ptr<CliHost> MakeCliHost() { return std::make_unique<PosixHost>(); }

}  // namespace cli
