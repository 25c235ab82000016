#pragma once
// What lumetta-cli needs from the system it runs on: files, the clock,
// where the program keeps its data, and whether the program is running.
// CliHostWin32.cpp follows the program's own rules; CliHostPosix.cpp serves
// other systems, where there is no running program to ask.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "store/DayNotesFiles.h"
#include "store/HttpTransport.h"
#include "store/Platform.h"

namespace cli {

// A file read at any place (pread, ReadFile at an offset), with what tells
// one version of it from another.
class PositionedFile {
 public:
  virtual ~PositionedFile() = default;
  virtual std::uint64_t Size() const = 0;
  // The last write time, in the system's own units, as it was when opened.
  virtual std::int64_t WriteTime() const = 0;
  // Reads up to `size` bytes at `offset`; fewer only at the end of the file
  // or on an error.
  virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
  // True once a read has failed for a reason other than the end of the file.
  virtual bool Failed() const = 0;
};

class CliHost {
 public:
  virtual ~CliHost() = default;
  virtual store::FileSystem& Files() = 0;
  virtual store::Clock& Clock() = 0;
  virtual store::FolderNames& FolderNames() = 0;
  // nullptr when the file cannot be opened.
  virtual std::unique_ptr<PositionedFile> OpenPositioned(const std::string& path) = 0;
  // The zones iCalendar files name without defining them.
  virtual store::SystemTimeZones& TimeZones() = 0;
  // The data file to read, and the one to write, when --file is not given.
  virtual std::string DataFileForReading() = 0;
  virtual std::string DataFileForWriting() = 0;
  // The notes folder (with its trailing separator) when --file is not given.
  virtual std::string NotesFolder() = 0;
  // A running copy of the program holds the book in memory and would
  // overwrite what lumetta-cli writes.
  virtual bool ProgramRunning() = 0;
  virtual char Separator() const = 0;
  // The code page of a data file's texts when neither --codepage nor the
  // program's record beside the file names one.
  virtual int DefaultCodePage() const = 0;
  // Texts between the data file's 8-bit code page and the console: the
  // terminals of other systems speak UTF-8.
  virtual std::string ToConsole(const std::string& eightBit, int codePage) const = 0;
  virtual std::string FromConsole(const std::string& text, int codePage) const = 0;
  // HTTP for the CalDAV sync with these credentials; nullptr where this
  // build has none.
  virtual std::unique_ptr<store::HttpTransport> Http(const std::string& user,
                                                     const std::string& password) = 0;
  // Asks for a secret on the terminal (not echoed); false when there is none to ask.
  virtual bool ReadSecret(const std::string& prompt, std::string& out) = 0;
  // A password kept protected at `path` for the user alone; false where this
  // system has no such protection (nothing is written then) or it failed.
  virtual bool KeepPassword(const std::string& path, const std::string& password) = 0;
  virtual bool KeptPassword(const std::string& path, std::string& out) = 0;
};

std::unique_ptr<CliHost> MakeCliHost();

}  // namespace cli
