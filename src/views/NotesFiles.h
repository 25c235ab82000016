#pragma once
// Whether a day has notes: the month view and the quick-check popup test for
// the day's notes file (store/DayNotesFiles names it) to mark such days.

#include <string>

namespace views {

// True when that date's notes file exists (a folder of that name does not
// count). An empty folder means that no notes folder is known: no notes.
bool NotesFileExists(const std::string& notesFolder, int year, int month, int day);

}  // namespace views
