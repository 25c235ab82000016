#pragma once
// Where a day's notes live: one file per day in the notes folder, named
// "%d%02d%02d.txt" from year, month and day. The month view and the
// quick-check popup test for these files to mark days that have notes.

#include <string>

namespace planner {

// The notes file of a date: folder + "20240214.txt". A folder without a
// trailing separator gets a backslash.
std::string NotesFileName(const std::string& notesFolder, int year, int month, int day);

// True when that date's notes file exists (a folder of that name does not
// count). An empty folder means that no notes folder is known: no notes.
bool NotesFileExists(const std::string& notesFolder, int year, int month, int day);

}  // namespace planner
