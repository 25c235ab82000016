// Export of the book and the day notes as one iCalendar (RFC 5545) file:
// every entry a VEVENT of 30 minutes at its floating local time, with a
// UID made from its slot (so exporting again updates rather than doubles
// the events elsewhere), VALARMs for its reminders and the fields other
// calendars have no room for in X-LUMETTA-* properties; every day's notes a
// VJOURNAL; every to-do line a VTODO with its list as CATEGORIES.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/DayNotesFiles.h"
#include "store/Moment.h"
#include "store/ToDoLists.h"

namespace store {

class All_Appointments;
class An_Appointment;

constexpr const char* kICalendarFileName = "Lumetta.ics";
constexpr const char* kICalendarProductId = "-//Lumetta//Lumetta Calendar//EN";
// The entry's colour, as #RRGGBB.
constexpr const char* kColourProperty = "X-LUMETTA-COLOR";
// The entry's other fields: REMINDER=15;ON=1;DAYBEFORE=0;TILDE=0;NOHIGHLIGHT=0;
// REPEAT=3;UNTIL=<moment>;MONTHDAY=14;WEEKORDINAL=2nd;WEEKDAY=every Tuesday.
constexpr const char* kEntryProperty = "X-LUMETTA-ENTRY";
constexpr const char* kUidDomain = "@lumetta-calendar";

class IcsWriter;
using IcsExtraLine = std::pair<std::string, std::string>;

// One entry's VEVENT, as the file has it, with `extra` lines (RRULE,
// EXDATE, RECURRENCE-ID ...) after its DURATION.
void WriteEventComponent(IcsWriter& out, const An_Appointment& e, const std::string& uid,
                         const std::string& stamp, int codePage,
                         const std::vector<IcsExtraLine>& extra = {});
// The UID the file gives an entry: its slot, and for the n-th other entry
// of the same slot (sameSlot n > 0) a suffix.
std::string EntryUid(const An_Appointment& e, int sameSlot);
// A DTSTAMP value: the moment in UTC.
std::string IcsStamp(Moment utc);

// The file's text. The book is sorted first; entries whose key is not a
// moment are left out. `stamp` is the DTSTAMP of every component; *events
// counts the VEVENTs written.
std::string WriteICalendar(All_Appointments& book, const std::vector<DayNote>& notes,
                           const std::vector<ToDoItem>& todos, Moment stamp, int* events = nullptr);

struct IcsExportResult {
  bool written = false;
  int events = 0;
  int journals = 0;
  int todos = 0;
  std::string message;  // what the user is told
};

// Writes the file safely (never half a file); DTSTAMP is the book's clock.
IcsExportResult ExportICalendar(All_Appointments& book, const std::vector<DayNote>& notes,
                                const std::vector<ToDoItem>& todos, const std::string& path);

}  // namespace store
