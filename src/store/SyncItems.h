// The two sides of a CalDAV sync as comparable items. In the diary an item
// is a group of entries under one UID: one entry, or the copies of one
// repeating series; on the server it is one calendar object. Each side has
// a fingerprint of the entries it stands for, so that a diary and a
// calendar that hold the same things are seen to be equal even when the
// sync's state file is lost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/DataFile.h"
#include "store/DayNotesFiles.h"
#include "store/Moment.h"
#include "store/StoreContext.h"
#include "store/SyncState.h"

namespace store {

class All_Appointments;
class An_Appointment;

// The fields that sync compares, as a record (no timer, no armed time).
AppointmentRecord RecordOfEntry(const An_Appointment& e);
// Fingerprint of a set of entries, whatever their order.
std::uint64_t EntriesFingerprint(std::vector<AppointmentRecord> entries);
std::vector<SyncSlot> SlotsOf(const std::vector<AppointmentRecord>& entries);

struct LocalItem {
  std::string uid;
  std::vector<An_Appointment*> entries;  // in time order; empty: gone from the diary
  std::uint64_t hash = 0;                // EntriesFingerprint of the entries
  int record = -1;                       // its state record, -1 for a new item
  // The record stands for nothing in the diary (an all-day event that went
  // to the day notes, a to-do): never counted as deleted here.
  bool noEntries = false;
};

// Groups the (sorted) book's entries: those in the slots of a state record
// belong to it; of the others, the copies of one repeating series (same
// text and rule) make one item, any other entry one of its own, with the
// UID the iCalendar export gives it (made unique among `state`'s).
std::vector<LocalItem> CollectLocalItems(All_Appointments& book, const SyncState& state);

// The calendar object of an item: one VEVENT, or for several entries a
// series: an RRULE from the entries' repeat rule (when they have one),
// EXDATE for occurrences that have no entry, RDATE for entries on no
// occurrence, and an overriding VEVENT (RECURRENCE-ID) for each entry
// that differs from the first or stands in a moved occurrence.
// Texts go out from the book's code page.
std::string ItemCalendarText(const LocalItem& item, Moment stamp, int codePage);

// A calendar object read as the iCalendar import reads a file, into a
// scratch book: the entries it makes, its UID, whether it held events.
// All-day events go to `notes` (a notes object without a folder keeps them).
struct RemoteEntries {
  bool ok = false;      // it was an iCalendar object
  std::string message;  // why not
  std::string uid;
  std::vector<AppointmentRecord> entries;  // in time order
  std::uint64_t hash = 0;                  // EntriesFingerprint
};
RemoteEntries ReadRemoteEntries(const StoreContext& context, std::string_view body,
                                const DayNotesFiles& notes, int codePage);

}  // namespace store
