// The day notes as files, for the store's exchange with other calendars:
// one text file per day in the notes folder, named "%d%02d%02d.txt" from
// year, month and day, holding 8-bit text with CR LF line breaks.
#pragma once

#include <string>
#include <vector>

#include "store/CivilDate.h"
#include "store/Platform.h"

namespace store {

// The names of the files in a folder (the store's FileSystem has no listing).
class FolderNames {
 public:
  virtual ~FolderNames() = default;
  virtual std::vector<std::string> Names(const std::string& folder) = 0;
};

// On the C++ standard library (std::filesystem).
class StdFolderNames : public FolderNames {
 public:
  std::vector<std::string> Names(const std::string& folder) override;
};

// The notes file of a date: folder + "20240214.txt". A folder without a
// trailing separator gets a backslash (the program's notes folder is a
// Windows path); an empty folder gives the bare name.
std::string DayNotesPath(const std::string& folder, const CivilDate& date);

struct DayNote {
  CivilDate date;
  std::string text;
};

class DayNotesFiles {
 public:
  // `folder` ends with its separator; empty means no notes folder.
  DayNotesFiles(FileSystem& files, std::string folder)
      : files_(files), folder_(std::move(folder)) {}

  bool Known() const { return !folder_.empty(); }
  // The day's notes, "" when it has none.
  std::string Read(const CivilDate& date) const;
  // Writes the day's notes safely; false when the file could not be written.
  bool Write(const CivilDate& date, const std::string& text) const;
  // Every day that has a notes file, by date.
  std::vector<DayNote> ReadAll(FolderNames& names) const;

 private:
  FileSystem& files_;
  std::string folder_;
};

}  // namespace store
