#pragma once
// The notes folder: "notes" below the data folder, with a trailing
// backslash. Made at start-up and kept, program-wide, for the whole run; the
// day notes build their file names from it and the calendar views mark the
// days that have a notes file.

#include <string>

namespace store {
class DataPaths;
}

namespace shell {

// The notes folder of this run; "" before start-up made it.
const std::string& NotesFolder();
void SetNotesFolder(std::string folder);

// DataFilePath("notes", for writing) + "\", created when missing (an
// existing folder is fine; any other failure shows later, when a notes file
// cannot be written). Returns the path.
std::string MakeNotesFolder(store::DataPaths& paths);

}  // namespace shell
