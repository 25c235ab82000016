#include "planner/NotesText.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "store/CalendarText.h"
#include "store/Platform.h"
#include "store/SafeFile.h"

namespace planner {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string NotesTitle(int year, int month, int day, bool europeanCalendar) {
  char title[80] = {};
  if (europeanCalendar) {
    std::snprintf(title, sizeof title, "Notes for  %d %s, %d", day, store::MonthAbbrev(month),
                  year);
  } else {
    std::snprintf(title, sizeof title, "Notes for  %s %d, %d", store::MonthAbbrev(month), day,
                  year);
  }
  return title;
}

std::string TrimmedNotes(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

bool ReadNotesFile(store::FileSystem& files, const std::string& path, std::string& text) {
  text.clear();
  std::unique_ptr<store::InputFile> in = files.OpenRead(path);
  if (!in) return false;
  std::string bytes;
  char chunk[4096];
  for (;;) {
    const std::size_t got = in->Read(chunk, sizeof chunk);
    bytes.append(chunk, got);
    if (got < sizeof chunk) break;
  }
  if (in->Failed()) return false;
  text = WithCrLf(bytes);
  return true;
}

std::string NotesSidePath(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.find_last_of("\\/");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? path.substr(0, dot) : path) + ".unsaved.txt";
}

NotesSaved SaveNotes(store::FileSystem& files, const std::string& path, const std::string& text) {
  const std::string trimmed = WithCrLf(TrimmedNotes(text));
  const bool empty =
      trimmed.empty() || trimmed.compare(0, std::strlen(kNotesPlaceholder), kNotesPlaceholder) == 0;
  const bool written = empty ? !files.Exists(path) || files.Remove(path)
                             : store::WriteFileSafely(files, path, trimmed.data(), trimmed.size());
  const std::string side = NotesSidePath(path);
  if (written) {
    if (files.Exists(side)) files.Remove(side);
    return NotesSaved::kInFile;
  }
  // Emptied notes that cannot be deleted lose nothing: the old file stays.
  if (empty) return NotesSaved::kNowhere;
  return store::WriteFileSafely(files, side, trimmed.data(), trimmed.size())
             ? NotesSaved::kInSideFile
             : NotesSaved::kNowhere;
}

}  // namespace planner
