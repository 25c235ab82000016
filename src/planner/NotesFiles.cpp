#include "planner/NotesFiles.h"

#include <windows.h>

#include <cstdio>

namespace planner {

std::string NotesFileName(const std::string& notesFolder, int year, int month, int day) {
  char name[48] = {};
  std::snprintf(name, sizeof name, "%d%02d%02d.txt", year, month, day);
  std::string path = notesFolder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path + name;
}

bool NotesFileExists(const std::string& notesFolder, int year, int month, int day) {
  if (notesFolder.empty()) return false;
  const DWORD attributes = GetFileAttributesA(NotesFileName(notesFolder, year, month, day).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace planner
