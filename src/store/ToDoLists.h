// The three to-do lists (Personal, Work, Other) of 22 lines each, and their
// files "per.bin", "wor.bin" and "oth.bin": 22 records of 120 bytes, record i
// at offset 120 * i, little-endian:
//
//   offset  size  field
//        0    16  the row rectangle of the last layout: left, top, right,
//                 bottom, signed 32-bit (read back, then replaced by the
//                 next layout)
//       16   100  the text, zero-terminated, at most 99 characters
//      116     4  reserved, written as zeros
//
// A list file that cannot be read (wrong size, read error) is never replaced:
// the list starts empty, and what the user writes into it goes to a side file
// "<name>.unsaved.bin" in the data folder until the file can be read again.
// The first opening that reads the list (or finds it deleted) takes the side
// file's lines into it and removes the side file; lines that find no free
// row stay in the side file for a later opening.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/Platform.h"

namespace store {

constexpr int kToDoListCount = 3;  // 0 Personal, 1 Work, 2 Other
constexpr int kToDoLines = 22;
constexpr std::size_t kToDoRecordSize = 120;
constexpr std::size_t kToDoFileSize = kToDoLines * kToDoRecordSize;  // 2640
// What the text field of a record keeps (and so what the editor accepts).
constexpr std::size_t kToDoTextChars = 99;

struct ToDoRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct ToDoLine {
  ToDoRect row;
  std::string text;  // empty: an empty line
};

using ToDoList = std::array<ToDoLine, kToDoLines>;

// A list number kept to 0..2.
std::size_t ToDoListIndex(int list);

// "per.bin", "wor.bin", "oth.bin".
const char* ToDoFileName(int list);
// "per.unsaved.bin", ...: where a list goes while its file cannot be read.
const char* ToDoSideFileName(int list);
// The window title and printed heading: "Things to do...   (Personal)", ...
const char* ToDoTitle(int list);

// The list as text: its heading and "\r\n", every non-empty line in row
// order each followed by "\r\n", then one more "\r\n".
std::string ToDoClipboardText(int list, const ToDoList& lines);

// The file image of a list: 2640 bytes, texts cut to 99 characters.
std::string EncodeToDoList(const ToDoList& lines);

enum class ToDoFileRead {
  Missing,     // no such file
  Loaded,      // every record the file has (0 to 22 whole records)
  WrongSize,   // not whole records, or more than 22: not read
  Unreadable,  // exists but cannot be opened or read
};

// Reads a list file. Only Loaded changes `lines`: the records the file has
// (rectangles and texts, a text cut to 99 characters); lines past the last
// record keep what they had.
ToDoFileRead ReadToDoFile(FileSystem& files, const std::string& path, ToDoList& lines);

// Writes the 22 records safely (the old file stays whole on any failure).
bool WriteToDoFile(FileSystem& files, const std::string& path, const ToDoList& lines);

// What MergeToDoLines did: how many lines it added, and the lines that found
// no free row, in row order.
struct ToDoMerge {
  int added = 0;
  std::vector<std::string> leftOver;
};

// Adds the non-empty lines of `side` that `list` does not hold yet: each to
// its own row when that row is empty, otherwise to the first empty row.
ToDoMerge MergeToDoLines(ToDoList& list, const ToDoList& side);

// The lines an older version kept (in the registry on Windows).
class LegacyToDoSource {
 public:
  virtual ~LegacyToDoSource() = default;
  // The text of line `index` (0..21) of `list`; "" when there is none.
  virtual std::string Line(int list, int index) = 0;
};

// A non-empty to-do line, as another calendar receives it.
struct ToDoItem {
  int list = 0;  // 0 Personal, 1 Work, 2 Other
  int row = 0;   // 0..21
  std::string text;
};

// "Personal", "Work", "Other".
const char* ToDoListName(int list);

// The non-empty lines of the three lists as the to-do window would show them,
// in the order Personal, Work, Other and by row. Only reads: a list whose file
// cannot be read is taken from its side file, a missing one gives no lines,
// and a side file beside a readable list adds its lines as the next opening
// will (lines without a free row follow as rows 22 on).
std::vector<ToDoItem> ReadToDoItems(FileSystem& files, DataPaths& paths);

// The three lists with their files, for one opening of the to-do window.
class ToDoLists {
 public:
  ToDoLists(FileSystem& files, DataPaths& paths) : files_(files), paths_(paths) {}

  // Brings in every list, in the order Work, Personal, Other: a list
  // whose file is missing is taken from `legacy` and written at once; a
  // file that cannot be read leaves the list empty (or as its side file
  // holds it) and is remembered, never to be written over.
  void Load(LegacyToDoSource& legacy);

  ToDoList& List(int list) { return lists_[ToDoListIndex(list)].lines; }
  const ToDoList& List(int list) const { return lists_[ToDoListIndex(list)].lines; }

  // The list files Load could not read, with where each list goes instead;
  // "" when every file was read. For one message to the user.
  std::string UnreadFilesMessage() const;

  // What Load did with side files it found beside readable lists (lines
  // taken in, lines still kept aside); "" when there were none. For one
  // message to the user.
  std::string SideFilesMessage() const { return sideMessage_; }

  // Writes the lists in the order Personal, Work, Other. A list whose file
  // could not be read goes to its side file, and only when it was changed.
  // Answers the paths that could not be written.
  std::vector<std::string> SaveAll();
  // The same for the lists whose lines differ from what their files hold
  // (the regular save while the window is open).
  std::vector<std::string> SaveChanged();

 private:
  struct Stored {
    ToDoList lines;
    std::string unreadPath;  // the file that could not be read, or ""
    ToDoList written;        // what its file (or side file) holds, as far as known
  };

  void LoadOne(int list, LegacyToDoSource& legacy);
  void TakeSideFile(int list);
  bool SaveOne(int list, bool always);
  std::vector<std::string> Save(bool always);
  std::string SidePath(int list) const;

  FileSystem& files_;
  DataPaths& paths_;
  std::array<Stored, kToDoListCount> lists_;
  std::string sideMessage_;
};

}  // namespace store
