// What the store needs from the platform, as small interfaces. The Windows
// program implements them in src/shell/ (clock, MessageBoxA, window timers on
// the main window, repaint requests, DataFilePath, Win32 file calls); the unit
// tests use fakes. Every method is called on the one user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/Moment.h"

namespace store {

// The current time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Moment Now() = 0;
};

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Question, Warning, Error };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// The caption the store gives its message boxes.
constexpr const char* kPromptCaption = "Lumetta";

// Modal message boxes (MessageBoxA on Windows).
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual PromptAnswer Show(const std::string& text, const std::string& caption,
                            PromptButtons buttons, PromptIcon icon) = 0;
};

// Reminder timers on the main window. Start answers the identifier the
// platform uses for the timer (SetTimer's answer), 0 when it could not start
// one; its expiry calls FireReminder with that identifier.
class ReminderTimers {
 public:
  virtual ~ReminderTimers() = default;
  virtual std::uint32_t Start(std::uint32_t id, std::uint32_t delayMs) = 0;
  virtual void Stop(std::uint32_t id) = 0;
};

// Requests to repaint windows after entries changed.
class RepaintNotices {
 public:
  virtual ~RepaintNotices() = default;
  // The day planner showing this date (if any) repaints.
  virtual void DayChanged(int year, int month, int day) = 0;
  // The month view repaints if it shows this month.
  virtual void MonthChanged(int year, int month) = 0;
  // Every open calendar view repaints.
  virtual void ViewsChanged() = 0;
};

// Where the program's files live (DataFilePath on Windows). With forWriting
// the answer is always in the data folder, which is created when missing;
// otherwise an existing file elsewhere (an older version's) may be answered.
// An empty name answers the data folder itself with a trailing separator.
class DataPaths {
 public:
  virtual ~DataPaths() = default;
  virtual std::string DataFilePath(const std::string& name, bool forWriting) = 0;
};

// A file open for reading.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; fewer only at the end of the file or on an error.
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  // True once a read has failed for a reason other than the end of the file.
  virtual bool Failed() const = 0;
  // The file's length when known cheaply, else 0; used to reserve room and
  // to refuse a file far larger than any data file before reading it.
  virtual std::uint64_t SizeHint() const { return 0; }

  // Everything left in the file, for the small text files beside the data file.
  std::string ReadRest() {
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    return text;
  }
};

// A new file being written.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Flushes everything to the disk and closes the file; false on any failure.
  virtual bool Finish() = 0;
};

// File operations. Paths are 8-bit texts in the system's code page; a name
// without folder is relative to the process's current folder.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // A file or folder of that path exists (whether or not it can be read).
  virtual bool Exists(const std::string& path) = 0;
  // nullptr when the file cannot be opened.
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  // Creates the file or empties an existing one; nullptr when it cannot.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  // Puts `from` in the place of `to` in one step, replacing an existing
  // `to`: either the old or the new file is there afterwards, never a part
  // (rename on POSIX, MoveFileExA with MOVEFILE_REPLACE_EXISTING and
  // MOVEFILE_WRITE_THROUGH on Windows).
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Renames; fails when `to` exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Copies `from` over `to`, replacing an existing `to`.
  virtual bool CopyReplacing(const std::string& from, const std::string& to) = 0;
  // Deletes a file; true when none is left at the path (a missing file is fine).
  virtual bool Remove(const std::string& path) = 0;
};

}  // namespace store

namespace store {

// One change of a zone's offset from UTC (seconds east), at a moment given
// as seconds since 1970 UTC.
struct ZoneTransition {
  std::int64_t utc;
  int offsetFrom;
  int offsetTo;
};

// The system's own time zone rules, by IANA name ("Europe/Berlin"): the zone
// database's files on POSIX systems (TzifTimeZones), the registry's zones on
// Windows. iCalendar files name zones they do not define.
class SystemTimeZones {
 public:
  virtual ~SystemTimeZones() = default;
  // The zone's changes from 1970 (the registry's: 1900) to 2199 in time
  // order, starting with one from its offset before then (offsetFrom ==
  // offsetTo when it did not change then); false when the name is unknown.
  virtual bool Transitions(const std::string& ianaName, std::vector<ZoneTransition>& out) = 0;
};

}  // namespace store
