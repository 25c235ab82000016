#include "store/ToDoLists.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "store/FixedFields.h"
#include "store/SafeFile.h"

namespace store {

namespace {

constexpr std::size_t kTextOffset = 16;
constexpr std::size_t kTextField = kToDoTextChars + 1;

struct ListNames {
  const char* file;
  const char* side;
  const char* title;
  const char* name;
};

constexpr ListNames kNames[kToDoListCount] = {
    {"per.bin", "per.unsaved.bin", "Things to do...   (Personal)", "Personal"},
    {"wor.bin", "wor.unsaved.bin", "Things to do...   (Work)", "Work"},
    {"oth.bin", "oth.unsaved.bin", "Things to do...   (Other)", "Other"},
};

std::string CutToRecord(std::string text) {
  const std::size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  if (text.size() > kToDoTextChars) text.resize(kToDoTextChars);
  return text;
}

bool SameTexts(const ToDoList& a, const ToDoList& b) {
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](const ToDoLine& x, const ToDoLine& y) { return x.text == y.text; });
}

}  // namespace

std::size_t ToDoListIndex(int list) {
  return static_cast<std::size_t>(std::clamp(list, 0, kToDoListCount - 1));
}

const char* ToDoFileName(int list) { return kNames[ToDoListIndex(list)].file; }
const char* ToDoSideFileName(int list) { return kNames[ToDoListIndex(list)].side; }
const char* ToDoTitle(int list) { return kNames[ToDoListIndex(list)].title; }

const char* ToDoListName(int list) { return kNames[ToDoListIndex(list)].name; }

std::string ToDoClipboardText(int list, const ToDoList& lines) {
  std::string text = ToDoTitle(list);
  text += "\r\n";
  for (const ToDoLine& line : lines) {
    if (line.text.empty()) continue;
    text += line.text;
    text += "\r\n";
  }
  text += "\r\n";
  return text;
}

// --- The file ----------------------------------------------------------------

std::string EncodeToDoList(const ToDoList& lines) {
  std::string bytes(kToDoFileSize, '\0');
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto* record = reinterpret_cast<unsigned char*>(&bytes[i * kToDoRecordSize]);
    const ToDoRect& r = lines[i].row;
    PutInt32(record + 0, r.left);
    PutInt32(record + 4, r.top);
    PutInt32(record + 8, r.right);
    PutInt32(record + 12, r.bottom);
    CopyToField(reinterpret_cast<char*>(record + kTextOffset), kTextField, lines[i].text);
  }
  return bytes;
}

ToDoFileRead ReadToDoFile(FileSystem& files, const std::string& path, ToDoList& lines) {
  if (!files.Exists(path)) return ToDoFileRead::Missing;
  const std::unique_ptr<InputFile> in = files.OpenRead(path);
  if (!in) return ToDoFileRead::Unreadable;
  // One byte more than a whole file tells a longer file apart.
  std::string bytes(kToDoFileSize + 1, '\0');
  std::size_t size = 0;
  while (size < bytes.size()) {
    const std::size_t got = in->Read(&bytes[size], bytes.size() - size);
    if (got == 0) break;
    size += got;
  }
  if (in->Failed()) return ToDoFileRead::Unreadable;
  if (size > kToDoFileSize || size % kToDoRecordSize != 0) return ToDoFileRead::WrongSize;

  for (std::size_t i = 0; i < size / kToDoRecordSize; ++i) {
    const auto* record = reinterpret_cast<const unsigned char*>(&bytes[i * kToDoRecordSize]);
    ToDoLine& line = lines[i];
    line.row = {GetInt32(record + 0), GetInt32(record + 4), GetInt32(record + 8),
                GetInt32(record + 12)};
    line.text =
        CutToRecord(ReadField(reinterpret_cast<const char*>(record + kTextOffset), kTextField));
  }
  return ToDoFileRead::Loaded;
}

bool WriteToDoFile(FileSystem& files, const std::string& path, const ToDoList& lines) {
  const std::string bytes = EncodeToDoList(lines);
  return WriteFileSafely(files, path, bytes.data(), bytes.size());
}

ToDoMerge MergeToDoLines(ToDoList& list, const ToDoList& side) {
  ToDoMerge merge;
  for (std::size_t row = 0; row < side.size(); ++row) {
    const std::string& text = side[row].text;
    const auto holds = [&text](const ToDoLine& line) { return line.text == text; };
    if (text.empty() || std::any_of(list.begin(), list.end(), holds)) continue;
    auto free = list.begin() + static_cast<std::ptrdiff_t>(row);
    if (!free->text.empty()) {
      free = std::find_if(list.begin(), list.end(),
                          [](const ToDoLine& line) { return line.text.empty(); });
    }
    if (free == list.end()) {
      merge.leftOver.push_back(text);
    } else {
      free->text = text;
      ++merge.added;
    }
  }
  return merge;
}

std::vector<ToDoItem> ReadToDoItems(FileSystem& files, DataPaths& paths) {
  std::vector<ToDoItem> items;
  for (int list = 0; list < kToDoListCount; ++list) {
    ToDoList lines;
    ToDoList side;
    const ToDoFileRead read =
        ReadToDoFile(files, paths.DataFilePath(ToDoFileName(list), false), lines);
    const bool hasSide = ReadToDoFile(files, paths.DataFilePath(ToDoSideFileName(list), true),
                                      side) == ToDoFileRead::Loaded;
    std::vector<std::string> leftOver;
    if (read == ToDoFileRead::Loaded || read == ToDoFileRead::Missing) {
      if (hasSide) leftOver = MergeToDoLines(lines, side).leftOver;
    } else {
      lines = side;
    }
    for (int row = 0; row < kToDoLines; ++row) {
      const std::string& text = lines[static_cast<std::size_t>(row)].text;
      if (!text.empty()) items.push_back({list, row, text});
    }
    int row = kToDoLines;
    for (const std::string& text : leftOver) items.push_back({list, row++, text});
  }
  return items;
}

// --- The three lists ------------------------------------------------------------

void ToDoLists::Load(LegacyToDoSource& legacy) {
  for (int list : {1, 0, 2}) LoadOne(list, legacy);
}

void ToDoLists::LoadOne(int list, LegacyToDoSource& legacy) {
  Stored& stored = lists_[ToDoListIndex(list)];
  const std::string path = paths_.DataFilePath(ToDoFileName(list), false);
  switch (ReadToDoFile(files_, path, stored.lines)) {
    case ToDoFileRead::Loaded:
      stored.written = stored.lines;
      TakeSideFile(list);
      return;
    case ToDoFileRead::Missing:
      // First use: the older version's lines, written at once.
      for (int i = 0; i < kToDoLines; ++i) {
        stored.lines[static_cast<std::size_t>(i)].text = CutToRecord(legacy.Line(list, i));
      }
      SaveOne(list, true);
      // A file the user deleted because it could not be read.
      TakeSideFile(list);
      return;
    case ToDoFileRead::WrongSize:
    case ToDoFileRead::Unreadable:
      stored.unreadPath = path;
      // What an earlier run kept aside for this list, if anything.
      ReadToDoFile(files_, SidePath(list), stored.lines);
      stored.written = stored.lines;
      return;
  }
}

void ToDoLists::TakeSideFile(int list) {
  const std::string side = SidePath(list);
  ToDoList kept;
  if (ReadToDoFile(files_, side, kept) != ToDoFileRead::Loaded) return;
  Stored& stored = lists_[ToDoListIndex(list)];
  const ToDoMerge merge = MergeToDoLines(stored.lines, kept);
  // The side file goes only once the list file holds its lines.
  if (merge.added > 0 && !SaveOne(list, false)) return;
  ToDoList rest;
  for (std::size_t i = 0; i < merge.leftOver.size(); ++i) rest[i].text = merge.leftOver[i];
  const bool sideDone =
      merge.leftOver.empty() ? files_.Remove(side) : WriteToDoFile(files_, side, rest);
  if (merge.added == 0 && merge.leftOver.empty()) return;  // nothing the user need hear

  const std::string name = ToDoListName(list);
  if (!sideMessage_.empty()) sideMessage_ += "\n\n";
  if (merge.added > 0) {
    sideMessage_ += std::to_string(merge.added) + (merge.added == 1 ? " line" : " lines") +
                    " typed while the " + name +
                    " to-do list file could not be read have been added to the list.";
  }
  if (!merge.leftOver.empty()) {
    if (merge.added > 0) sideMessage_ += "\n";
    const std::size_t count = merge.leftOver.size();
    sideMessage_ += std::to_string(count) + (count == 1 ? " line" : " lines") + " of the " + name +
                    " to-do list did not fit into its 22 rows";
    sideMessage_ += sideDone ? " and are kept in:\n" + side +
                                   "\n\nThey are added when the list is next opened with free rows."
                             : "; they are still in:\n" + side;
  }
}

std::string ToDoLists::SidePath(int list) const {
  return paths_.DataFilePath(ToDoSideFileName(list), true);
}

std::string ToDoLists::UnreadFilesMessage() const {
  std::string message;
  for (int list = 0; list < kToDoListCount; ++list) {
    const Stored& stored = lists_[ToDoListIndex(list)];
    if (stored.unreadPath.empty()) continue;
    if (!message.empty()) message += "\n\n";
    message += "Lumetta could not read the to-do list file:\n" + stored.unreadPath +
               "\n\nThat file has been left untouched. Until it can be read, this list is "
               "kept in:\n" +
               SidePath(list);
  }
  return message;
}

bool ToDoLists::SaveOne(int list, bool always) {
  Stored& stored = lists_[ToDoListIndex(list)];
  const bool unread = !stored.unreadPath.empty();
  // An unread file's side file is written only for a change.
  if ((unread || !always) && SameTexts(stored.lines, stored.written)) return true;
  const std::string path = unread ? SidePath(list) : paths_.DataFilePath(ToDoFileName(list), true);
  if (!WriteToDoFile(files_, path, stored.lines)) return false;
  stored.written = stored.lines;
  return true;
}

std::vector<std::string> ToDoLists::SaveAll() { return Save(true); }

std::vector<std::string> ToDoLists::SaveChanged() { return Save(false); }

std::vector<std::string> ToDoLists::Save(bool always) {
  std::vector<std::string> failed;
  for (int list = 0; list < kToDoListCount; ++list) {
    if (!SaveOne(list, always)) {
      failed.push_back(lists_[ToDoListIndex(list)].unreadPath.empty()
                           ? paths_.DataFilePath(ToDoFileName(list), true)
                           : SidePath(list));
    }
  }
  return failed;
}

}  // namespace store
