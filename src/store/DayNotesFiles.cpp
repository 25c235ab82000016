#include "store/DayNotesFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "store/SafeFile.h"

namespace store {

namespace {

// "20250314.txt" -> 2025-03-14; false for any other name.
bool DateOfName(const std::string& name, CivilDate& out) {
  if (name.size() != 12 || name.compare(8, 4, ".txt") != 0) return false;
  for (std::size_t i = 0; i < 8; ++i) {
    if (std::isdigit(static_cast<unsigned char>(name[i])) == 0) return false;
  }
  out.year = std::stoi(name.substr(0, 4));
  out.month = std::stoi(name.substr(4, 2));
  out.day = std::stoi(name.substr(6, 2));
  return out.month >= 1 && out.month <= 12 && out.day >= 1 && out.day <= 31;
}

}  // namespace

std::vector<std::string> StdFolderNames::Names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error)) names.push_back(it->path().filename().string());
  }
  return names;
}

std::string DayNotesPath(const std::string& folder, const CivilDate& date) {
  char name[48];
  std::snprintf(name, sizeof name, "%d%02d%02d.txt", date.year, date.month, date.day);
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path + name;
}

std::string DayNotesFiles::Read(const CivilDate& date) const {
  std::string text;
  if (!Known()) return text;
  const std::unique_ptr<InputFile> in = files_.OpenRead(DayNotesPath(folder_, date));
  if (!in) return text;
  return in->ReadRest();
}

bool DayNotesFiles::Write(const CivilDate& date, const std::string& text) const {
  return Known() && WriteFileSafely(files_, DayNotesPath(folder_, date), text.data(), text.size());
}

std::vector<DayNote> DayNotesFiles::ReadAll(FolderNames& names) const {
  std::vector<DayNote> notes;
  if (!Known()) return notes;
  for (const std::string& name : names.Names(folder_)) {
    DayNote note;
    if (!DateOfName(name, note.date)) continue;
    note.text = Read(note.date);
    if (!note.text.empty()) notes.push_back(std::move(note));
  }
  std::sort(notes.begin(), notes.end(), [](const DayNote& a, const DayNote& b) {
    return DayNumber(a.date.year, a.date.month, a.date.day) <
           DayNumber(b.date.year, b.date.month, b.date.day);
  });
  return notes;
}

}  // namespace store
