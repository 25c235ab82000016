#pragma once
// What a day's notes are, apart from any window: the title of the notes
// window, the rule that makes notes count as empty, and reading and writing
// a notes file. Notes are kept with CR LF line breaks, as the edit control
// gives them and as they lie on disk, so a text reads back as it was saved.

#include <string>

namespace store {
class FileSystem;
}

namespace planner {

// Shown until a day's notes are loaded; notes that begin with it count as empty.
inline constexpr char kNotesPlaceholder[] = "[Click here to enter notes for the day]";

// "Notes for  March 7, 2025", or "Notes for  7 March, 2025" with the
// European calendar (two spaces after "for"; short month names).
std::string NotesTitle(int year, int month, int day, bool europeanCalendar);

// The text without white space at either end.
std::string TrimmedNotes(const std::string& text);

// Every line feed not preceded by a carriage return gets one, so lines
// written by other programs show as lines in the editor.
std::string WithCrLf(const std::string& text);

// The whole notes file at path, line breaks as CR LF. False (text empty)
// when the file cannot be read.
bool ReadNotesFile(store::FileSystem& files, const std::string& path, std::string& text);

// Where notes go while their file cannot be written: "20250307.unsaved.txt"
// beside "20250307.txt". Its name is no day's, so nothing reads it as notes.
std::string NotesSidePath(const std::string& path);

// Trims the text; notes left empty or beginning with the placeholder delete
// the file (when there is one), any other text replaces the file in one step
// (the old file stays whole when writing fails). The text is written as it
// is: "%d" stays "%d". A save that reaches the file removes the side file.
enum class NotesSaved { kInFile, kInSideFile, kNowhere };
NotesSaved SaveNotes(store::FileSystem& files, const std::string& path, const std::string& text);

}  // namespace planner
