// Import of iCalendar (RFC 5545) files as Google Calendar, Outlook and
// Thunderbird write them. Each timed event lands in the half-hour slot of
// its start in the local zone (rounded down; our own exports keep their
// minute) with the merge rule of the data file, so importing a file twice
// adds nothing. Repeating events are expanded into copies within the
// limits of the repeat engine, RDATEs merged in. All-day events and
// VJOURNALs go to the day notes. Zones the file names without defining
// them are looked up among the system's (StoreContext::zones). The whole
// file is read before the book changes; damaged lines and components are
// skipped and counted, and a file with nothing readable changes nothing.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/DataFile.h"
#include "store/DayNotesFiles.h"

namespace store {

class All_Appointments;

// Larger files are refused before they are read.
constexpr std::uint64_t kMaxICalendarBytes = 64ull << 20;
// Days of notes one all-day event fills at most.
constexpr int kMaxAllDaySpan = 366;

struct IcsImportSummary {
  int events = 0;             // timed events read (a series counts once)
  int entriesMade = 0;        // new entries, the first of each series
  int copies = 0;             // new entries made from repeats
  int merged = 0;             // texts added to an entry already in the slot
  int alreadyThere = 0;       // the slot already held the text
  int allDayEvents = 0;       // all-day events (a series counts once)
  int journals = 0;           // VJOURNALs
  int notesDays = 0;          // days whose notes changed
  int notesUnwritten = 0;     // days whose notes file could not be written
  int noNotesFolder = 0;      // notes that had nowhere to go
  int textsCut = 0;           // texts cut at a word boundary to fit an entry
  int noStart = 0;            // components without a readable DTSTART
  int outOfRange = 0;         // occurrences outside 1900 .. 9999
  int cancelled = 0;          // cancelled events and occurrences
  int unsupportedRules = 0;   // RRULEs not understood: first occurrence only
  int seriesCut = 0;          // series cut at the repeat limits
  int unknownZones = 0;       // events with a TZID nothing resolves (local zone used)
  std::string unknownZone;    // the first such TZID, as written
  int damagedLines = 0;       // lines that are not iCalendar, skipped
  int damagedComponents = 0;  // components without a proper END, skipped whole
  int unmappable = 0;         // characters the book's code page cannot hold, stored as "?"
  bool cutOff = false;        // the file ended inside its calendar

  // The one message that tells the user what came in and what was skipped.
  std::string Message(const std::string& path) const;
};

enum class IcsImportStatus { Imported, Unreadable, TooLarge, NotICalendar, Truncated, Malformed };

struct IcsImportResult {
  IcsImportStatus status = IcsImportStatus::Imported;
  IcsImportSummary summary;
  std::string message;
};

// Imports the text of a file; `path` only names it in the message. The
// book is not sorted.
IcsImportResult ImportICalendarText(All_Appointments& book, std::string_view bytes,
                                    const DayNotesFiles& notes, const std::string& path);

// Reads the file through the book's file system, then ImportICalendarText.
IcsImportResult ImportICalendarFile(All_Appointments& book, const std::string& path,
                                    const DayNotesFiles& notes);

// What a calendar's text holds by the same rules, without a book to put it
// in: timed occurrences as records (series expanded), all-day ones by day
// number. The book only lends its code page, colour and zones.
struct IcsOccurrences {
  IcsImportStatus status = IcsImportStatus::Imported;
  std::vector<AppointmentRecord> timed;
  std::map<std::int64_t, std::vector<std::string>> allDay;
};
IcsOccurrences ReadICalendarOccurrences(const All_Appointments& book, std::string_view bytes);

// A text cut to at most `limit` characters at the last space that fits
// (hard at `limit` when there is none), trailing spaces removed.
std::string CutAtWord(const std::string& text, std::size_t limit);

}  // namespace store
