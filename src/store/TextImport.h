// The old text data format: records of one "|"-separated line (ended by a
// line feed) followed by 4 bytes nobody reads. ImportText merges such a file
// into the book slot by slot, with the merge rule of the data file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/Platform.h"

namespace store {

class All_Appointments;
class MomentCache;
struct AppointmentRecord;

constexpr const char* kOldTextDataFileName = "Lumetta.data";
// Longer lines are skipped.
constexpr std::size_t kMaxImportLineChars = 250;
// ReadLine keeps at most this many bytes of a line, its zero included.
constexpr std::size_t kLineBufferSize = 1024;
// Bytes after each line that carry nothing the reader uses.
constexpr std::size_t kBytesAfterLine = 4;

// The old text file beside the program: the executable's path up to its last
// "\" followed by "\Lumetta.data".
std::string OldTextDataPath(const std::string& executablePath);

// A file read in blocks, for ReadLine and the skipped bytes between lines.
class LineReader {
 public:
  explicit LineReader(InputFile& file);
  // The next byte; false at the end of the file (or on a read error).
  bool Next(char& c) {
    if (at_ == end_ && !Fill()) return false;
    c = block_[at_++];
    return true;
  }
  // Skips n bytes; false when fewer than n were left.
  bool Skip(std::size_t n);

 private:
  bool Fill();

  InputFile& file_;
  std::vector<char> block_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
};

// One line as ReadLine keeps it.
struct LineBuffer {
  char bytes[kLineBufferSize];
  std::size_t length = 0;  // bytes kept, before the zero
  bool cut = false;        // the line was longer than the buffer holds

  // The line as a text: up to its first zero byte.
  std::string_view Text() const;
};

// Reads up to and including the next line feed. The line's first
// kLineBufferSize - 1 bytes are kept, zero-terminated; the rest of a longer
// line is read and dropped (such a line is too long for ParseLine anyway).
// False when the file ends before a line feed: the partial line is not used.
bool ReadLine(LineReader& in, LineBuffer& line);

// Splits a line into its fields. False for a line of more than 250
// characters, a year outside 1970..2037 or a month outside 0..12.
bool ParseFields(std::string_view line, AppointmentRecord& out);

// Merges one line into the book: true when a new entry was made. A line
// that is too long, out of range, or whose date or time cannot become a
// moment (month 0, day 40, hour 99, minute 75) changes nothing.
bool ParseLine(All_Appointments& book, std::string_view line, MomentCache* cache = nullptr);

struct ImportResult {
  bool opened = false;
  int lines = 0;     // lines read, whatever became of them
  int imported = 0;  // lines taken into the book: new entries or merged
  int made = 0;      // new entries
};

// Reads the file at `path` line by line into the book (not sorted). With
// showMessages: "The file ... was not found!" when it cannot be opened, else
// "Restored %d entries from backup." with the number of lines imported (or,
// after a read error, how many were and that the rest could not be read).
ImportResult ImportText(All_Appointments& book, const std::string& path, bool showMessages);

}  // namespace store
