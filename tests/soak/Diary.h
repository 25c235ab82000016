#pragma once
// The diary a soak run starts with, written into the data folder before the
// program starts: a few hundred entries around today (weekly series, texts
// with quotes and Windows-1252 letters, full-length texts, reminders that
// come due during the run), day notes, to-do lists, and an iCalendar file to
// import.
#include <cstdint>
#include <string>

namespace soak {

// Where the run keeps its own files (the iCalendar file to import, exports).
constexpr const char* kSoakFolder = "C:\\soak\\";
constexpr const char* kImportFile = "C:\\soak\\import.ics";

// Writes the diary; false (with a message on stderr) when a file cannot be written.
bool WriteDiary(std::uint32_t seed, double runMinutes);

}  // namespace soak
