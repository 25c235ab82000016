// Two-way sync of the diary with one CalDAV calendar collection (RFC 4791):
// the server's changes are listed with an RFC 6578 sync token where the
// server keeps one (a full ETag listing otherwise, or when the token is
// refused), fetched with calendar-multiget, compared with what the state
// file remembers and with the diary, and the diary's changes are sent with
// conditional PUT and DELETE. Local changes are saved before the state
// records them and server changes are recorded only once the server has
// confirmed them, so a sync cut short anywhere leaves both consistent and
// the next one goes on from there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/DayNotesFiles.h"
#include "store/HttpTransport.h"

namespace store {

class All_Appointments;

enum class SyncOutcome {
  Done,
  AskFirst,      // it would delete many items: nothing was changed
  AuthFailed,    // 401/403: nothing was changed
  Unreachable,   // no answer (or cut off part-way)
  ServerError,   // 5xx, or an answer that could not be read
  LocalFailure,  // the diary or the state file could not be written
};

// An item both sides changed since the last sync: where it is and both
// texts (of its first entry). The server's version took the item's place;
// the diary's was kept beside it, marked.
struct SyncConflict {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  std::string serverText;
  std::string localText;
  bool serverWon = true;
};

struct SyncReport {
  SyncOutcome outcome = SyncOutcome::Done;
  int downloaded = 0;    // items new or changed here from the server
  int uploaded = 0;      // items sent to the server
  int deletedHere = 0;   // items deleted from the diary
  int deletedThere = 0;  // objects deleted on the server
  int conflicts = 0;     // items changed on both sides (both versions kept)
  int skipped = 0;       // objects left alone: not iCalendar, refused, or changed meanwhile
  int requests = 0;
  std::vector<SyncConflict> conflictList;  // one per conflict, as counted above
  // A sync stopped to ask first: what it would have deleted.
  int wouldDeleteHere = 0;
  int wouldDeleteThere = 0;
  std::string message;  // why it stopped, for anything but Done

  // "Downloaded 3, uploaded 1, deleted 0 here and 2 on the server, 1 conflict."
  std::string Line() const;
};

struct SyncOptions {
  bool allowManyDeletes = false;  // the user confirmed a sync that deletes many items
  bool allowPlainHttp = false;    // plain HTTP to a host other than this machine
};

class CalDavSync {
 public:
  // `saveBook` writes the diary (false: it could not be written).
  CalDavSync(HttpTransport& transport, All_Appointments& book, const DayNotesFiles& notes,
             std::string calendarUrl, std::string statePath, std::function<bool()> saveBook);
  SyncReport Run(const SyncOptions& options);

 private:
  HttpTransport& transport_;
  All_Appointments& book_;
  const DayNotesFiles& notes_;
  std::string calendarUrl_;
  std::string statePath_;
  std::function<bool()> saveBook_;
};

struct DavCalendar {
  std::string url;
  std::string name;
};

struct Discovery {
  SyncOutcome outcome = SyncOutcome::Done;
  std::string message;
  std::vector<DavCalendar> calendars;  // the calendars that take events
};

// From a server's address (its /.well-known/caldav, the user's principal,
// the calendar home) or a calendar's own address.
Discovery DiscoverCalendars(HttpTransport& transport, const std::string& url, bool allowPlainHttp);

}  // namespace store
