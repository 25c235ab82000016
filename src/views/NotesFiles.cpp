#include "views/NotesFiles.h"

#include <windows.h>

#include "store/DayNotesFiles.h"

namespace views {

bool NotesFileExists(const std::string& notesFolder, int year, int month, int day) {
  if (notesFolder.empty()) return false;
  const DWORD attributes = GetFileAttributesA(
      store::DayNotesPath(notesFolder, store::CivilDate{year, month, day}).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace views
