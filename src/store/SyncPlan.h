// Deciding a sync from what each side holds, before anything changes: this
// is where doubles and losses are kept out. Pure: it reads the state's
// records, the diary's items and the server's listing, and answers steps.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "store/SyncState.h"

namespace store {

struct PlanLocal {
  std::string uid;
  std::uint64_t hash = 0;
  int record = -1;         // -1: not yet on the server
  bool gone = false;       // its record's entries are no longer in the diary
  bool noEntries = false;  // stands for nothing in the diary (never gone)
};

struct PlanRemote {
  std::string href;
  std::string etag;      // "" when the server named none
  bool fetched = false;  // its text was read in this sync (new or ETag changed)
  bool usable = false;   // fetched and iCalendar
  std::string uid;
  std::uint64_t bodyHash = 0;
  std::uint64_t entriesHash = 0;
  bool hasEntries = false;
};

struct PlanInput {
  std::vector<SyncRecord> records;
  std::vector<PlanLocal> locals;
  std::vector<PlanRemote> remotes;  // the listed objects (an incremental listing: changed ones)
  std::set<std::string> goneHrefs;  // removed, per an incremental listing
  bool fullListing = false;         // `remotes` is every object of the calendar
};

enum class SyncStep {
  Refresh,       // same on both sides: the record takes the server's new ETag
  Upload,        // changed here: PUT with If-Match
  UploadNew,     // new here (or deleted there and changed here): PUT with If-None-Match: *
  DeleteRemote,  // deleted here: DELETE with If-Match
  Download,      // changed there: its entries replace ours
  DownloadNew,   // new there
  DeleteLocal,   // deleted there
  Conflict,      // changed on both sides: theirs takes the place, ours is kept beside
  Adopt,         // new on both sides with the same entries: recorded, nothing sent
  Forget,        // deleted on both sides
  Unreadable,    // a changed object that is not iCalendar: left alone on both sides
};

struct PlannedStep {
  SyncStep step;
  int local = -1;   // index into PlanInput::locals
  int remote = -1;  // index into PlanInput::remotes
  int record = -1;  // index into PlanInput::records
};

struct SyncPlan {
  std::vector<PlannedStep> steps;
  int localDeletes = 0;   // items the sync would delete from the diary
  int remoteDeletes = 0;  // objects it would delete on the server
  int localItems = 0;     // items in the diary with entries
  int remoteItems = 0;    // objects known on the server
  // Deletes more than 50 items, or more than half of a side (of more than
  // two): asked before it is done.
  bool MassDelete() const;
};

SyncPlan PlanSync(const PlanInput& in);

}  // namespace store
