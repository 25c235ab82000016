#pragma once
// File > "Export to iCalendar..." and "Import iCalendar...": the book, the
// day notes and the to-do lists to an .ics file chosen in a save dialog ("Lumetta.ics" by
// default), and an .ics file from another calendar merged into the book.
// The outcome is told in one message box.

#include <windows.h>

#include <string>

namespace store {
class All_Appointments;
}

namespace shell {

constexpr const char* kExportICalendarTitle = "Export to iCalendar";
constexpr const char* kImportICalendarTitle = "Import iCalendar";

// The save dialog opens in `exportFolder` (Documents when empty), which then
// holds the folder of the file written.
void ExportToICalendar(HWND owner, store::All_Appointments& book, const std::string& notesFolder,
                       std::string& exportFolder);
void ImportICalendar(HWND owner, store::All_Appointments& book, const std::string& notesFolder);

}  // namespace shell
