#include "store/CalDavSync.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

#include "store/AppointmentBook.h"
#include "store/DavClient.h"
#include "store/ICalendarImport.h"
#include "store/ICalendarLines.h"
#include "store/SyncItems.h"
#include "store/SyncPlan.h"
#include "store/SyncState.h"

namespace store {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
constexpr const char* kCalendarType = "text/calendar; charset=utf-8";
// Objects fetched per calendar-multiget.
constexpr std::size_t kMultigetBatch = 200;
// What marks the diary's version of an item that both sides changed.
constexpr const char* kConflictMark = "CONFLICT: ";

SyncOutcome OutcomeOf(DavFailure f) {
  switch (f) {
    case DavFailure::Auth:
      return SyncOutcome::AuthFailed;
    case DavFailure::Unreachable:
      return SyncOutcome::Unreachable;
    default:
      return SyncOutcome::ServerError;
  }
}

std::string SyncCollectionBody(const std::string& token) {
  return std::string(kXmlHead) + "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
         XmlEscape(token) +
         "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
         "</d:sync-collection>";
}

std::string MultigetBody(const std::vector<std::string>& hrefs) {
  std::string body = std::string(kXmlHead) +
                     "<c:calendar-multiget xmlns:d=\"DAV:\" "
                     "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:getetag/>"
                     "<c:calendar-data/></d:prop>";
  for (const std::string& href : hrefs) body += "<d:href>" + XmlEscape(href) + "</d:href>";
  return body + "</c:calendar-multiget>";
}

// A file name for a new object: the UID with anything unusual escaped.
std::string ObjectName(const std::string& uid) {
  std::string out;
  for (const char c : uid) {
    const bool plain =
        std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == '@';
    if (plain) {
      out += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
      out += hex;
    }
  }
  return out + ".ics";
}

// One object of the server as the sync sees it.
struct Listed {
  std::string href;  // the path as the server writes it
  std::string etag;
};

class SyncRun {
 public:
  SyncRun(HttpTransport& transport, All_Appointments& book, const DayNotesFiles& notes,
          const std::string& statePath, const std::function<bool()>& saveBook)
      : client_(transport),
        book_(book),
        notes_(notes),
        statePath_(statePath),
        saveBook_(saveBook),
        noNotes_(book.context().files, std::string()) {}

  SyncReport Run(const std::string& calendarUrl, const SyncOptions& options);

 private:
  bool Fail(DavAnswer answer) {
    report_.outcome = OutcomeOf(answer.failure);
    report_.message = answer.message.empty() ? "unexpected answer" : answer.message;
    return false;
  }
  bool FailWith(SyncOutcome outcome, std::string message) {
    report_.outcome = outcome;
    report_.message = std::move(message);
    return false;
  }
  bool Member(const std::string& href, std::string& path);
  bool List();
  bool FullListing();
  bool Fetch(const std::vector<std::string>& hrefs, std::map<std::string, DavResource>& out);
  void PlaceEntries(std::vector<AppointmentRecord> records, const char* mark,
                    std::vector<SyncSlot>& slots);
  bool ApplyHere();
  bool ApplyThere();
  bool SaveState() {
    if (WriteSyncState(book_.context().files, statePath_, state_)) return true;
    return FailWith(SyncOutcome::LocalFailure,
                    "the sync state \"" + statePath_ + "\" could not be written");
  }

  DavClient client_;
  All_Appointments& book_;
  const DayNotesFiles& notes_;
  const std::string& statePath_;
  const std::function<bool()>& saveBook_;
  DayNotesFiles noNotes_;
  SyncReport report_;
  DavUrl collection_;
  SyncState state_;
  // The listing.
  bool full_ = false;
  std::string newToken_;
  std::vector<Listed> listed_;
  std::set<std::string> gone_;
  // The plan and what it was made from.
  PlanInput input_;
  std::vector<LocalItem> locals_;
  std::vector<std::string> bodies_;  // by remote index
  SyncPlan plan_;
  // Records made or changed here, by UID; records to drop.
  std::set<std::string> dropped_;
};

bool SyncRun::Member(const std::string& href, std::string& path) {
  DavUrl url;
  if (!ResolveHref(collection_, href, url)) return false;
  const std::string decoded = DecodedPath(url.path);
  const std::string base = DecodedPath(collection_.path);
  if (decoded.size() <= base.size() || decoded.compare(0, base.size(), base) != 0) return false;
  if (decoded.back() == '/') return false;  // the collection itself, or a sub-collection
  path = url.path;
  return true;
}

bool SyncRun::FullListing() {
  full_ = true;
  listed_.clear();
  gone_.clear();
  newToken_.clear();
  // An empty token asks for every member and a fresh token.
  DavMultistatus ms;
  DavAnswer a = client_.Multistatus("REPORT", collection_, "0", SyncCollectionBody(""), ms);
  if (a.failure != DavFailure::None) return Fail(a);
  if (a.status == 207) {
    newToken_ = ms.syncToken;
  } else {
    // No sync-collection: a PROPFIND lists the members with their ETags.
    const std::string body = std::string(kXmlHead) +
                             "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/><d:resourcetype/>"
                             "</d:prop></d:propfind>";
    a = client_.Multistatus("PROPFIND", collection_, "1", body, ms);
    if (a.failure != DavFailure::None) return Fail(a);
    if (a.status != 207) {
      return FailWith(SyncOutcome::ServerError,
                      "the calendar cannot be listed (HTTP " + std::to_string(a.status) + ")");
    }
  }
  for (const DavResource& r : ms.resources) {
    std::string path;
    if (r.collection || !Member(r.href, path)) continue;
    if (r.status == 404) continue;
    listed_.push_back(Listed{path, r.etag});
  }
  return true;
}

bool SyncRun::List() {
  if (state_.token.empty()) return FullListing();
  std::string token = state_.token;
  for (int pages = 0; pages < 1000; ++pages) {
    DavMultistatus ms;
    const DavAnswer a =
        client_.Multistatus("REPORT", collection_, "0", SyncCollectionBody(token), ms);
    // A token the server no longer takes (RFC 6578: 403 or 409 naming
    // valid-sync-token; some servers fail with a 5xx instead, or answer
    // anything but a multistatus) leads to comparing everything. A 403
    // without that name is a refused password.
    const bool refusedToken =
        a.status == 403 && DavErrorNames(a.response.body, "DAV: valid-sync-token");
    if (refusedToken || a.failure == DavFailure::Server) return FullListing();
    if (a.failure != DavFailure::None) return Fail(a);
    if (a.status != 207) return FullListing();
    bool truncated = false;
    for (const DavResource& r : ms.resources) {
      std::string path;
      if (!Member(r.href, path)) {
        if (r.status == 507) truncated = true;
        continue;
      }
      if (r.status == 404) {
        gone_.insert(path);
      } else {
        gone_.erase(path);
        listed_.push_back(Listed{path, r.etag});
      }
    }
    newToken_ = ms.syncToken;
    if (!truncated || ms.syncToken.empty() || ms.syncToken == token) return true;
    token = ms.syncToken;
  }
  return true;
}

bool SyncRun::Fetch(const std::vector<std::string>& hrefs,
                    std::map<std::string, DavResource>& out) {
  for (std::size_t at = 0; at < hrefs.size(); at += kMultigetBatch) {
    const std::vector<std::string> batch(
        hrefs.begin() + static_cast<std::ptrdiff_t>(at),
        hrefs.begin() + static_cast<std::ptrdiff_t>(std::min(hrefs.size(), at + kMultigetBatch)));
    DavMultistatus ms;
    const DavAnswer a = client_.Multistatus("REPORT", collection_, "1", MultigetBody(batch), ms);
    if (a.failure != DavFailure::None) return Fail(a);
    if (a.status != 207) {
      return FailWith(SyncOutcome::ServerError, "the calendar's events cannot be fetched (HTTP " +
                                                    std::to_string(a.status) + ")");
    }
    for (DavResource& r : ms.resources) {
      std::string path;
      if (!Member(r.href, path) || r.status == 404) continue;
      out[DecodedPath(path)] = std::move(r);
    }
  }
  return true;
}

// Each record goes to its slot; when another entry holds it, to the next
// free slot of that day (the data file's merge rule when the day is full).
void SyncRun::PlaceEntries(std::vector<AppointmentRecord> records, const char* mark,
                           std::vector<SyncSlot>& slots) {
  for (AppointmentRecord& r : records) {
    // (An entry holds kTextChars: a mark on a text that long costs its end.)
    if (mark != nullptr) r.text = CutAtWord(mark + r.text, kTextChars);
    if (book_.FindAt(r.year, r.month, r.day, r.hour, r.minute) != nullptr) {
      for (int m = (r.hour * 60 + r.minute) / 30 * 30 + 30; m < 24 * 60; m += 30) {
        if (book_.FindAt(r.year, r.month, r.day, m / 60, m % 60) == nullptr) {
          r.hour = m / 60;
          r.minute = m % 60;
          break;
        }
      }
    }
    if (book_.MergeRecord(r) != All_Appointments::RecordFate::Refused) {
      slots.push_back(SyncSlot{r.year, r.month, r.day, r.hour, r.minute});
    }
  }
}

bool SyncRun::ApplyHere() {
  bool changed = false;
  std::unordered_map<std::string, std::size_t> recordByUid;
  for (std::size_t i = 0; i < state_.records.size(); ++i) recordByUid[state_.records[i].uid] = i;
  auto recordFor = [&](const std::string& uid) -> SyncRecord& {
    const auto found = recordByUid.find(uid);
    if (found != recordByUid.end()) return state_.records[found->second];
    recordByUid[uid] = state_.records.size();
    state_.records.push_back(SyncRecord{});
    state_.records.back().uid = uid;
    return state_.records.back();
  };
  for (const PlannedStep& s : plan_.steps) {
    const PlanRemote* remote =
        s.remote >= 0 ? &input_.remotes[static_cast<std::size_t>(s.remote)] : nullptr;
    LocalItem* local = s.local >= 0 ? &locals_[static_cast<std::size_t>(s.local)] : nullptr;
    switch (s.step) {
      case SyncStep::Refresh: {
        SyncRecord& rec = state_.records[static_cast<std::size_t>(s.record)];
        rec.etag = remote->etag;
        rec.remoteHash = remote->bodyHash;
        rec.localHash = local->hash;
        break;
      }
      case SyncStep::Adopt: {
        SyncRecord& rec = recordFor(remote->uid);
        rec.href = remote->href;
        rec.etag = remote->etag;
        rec.remoteHash = remote->bodyHash;
        rec.localHash = local->hash;
        std::vector<AppointmentRecord> entries;
        for (const An_Appointment* e : local->entries) entries.push_back(RecordOfEntry(*e));
        rec.slots = SlotsOf(entries);
        break;
      }
      case SyncStep::DeleteLocal: {
        // An object that made no entries (an all-day event in the day
        // notes) is only forgotten: the notes are the user's.
        if (!local->entries.empty()) {
          for (An_Appointment* e : local->entries) book_.Destroy(*e);
          local->entries.clear();
          changed = true;
          ++report_.deletedHere;
        }
        dropped_.insert(local->uid);
        break;
      }
      case SyncStep::Forget:
        dropped_.insert(local->uid);
        break;
      case SyncStep::Download:
      case SyncStep::DownloadNew:
      case SyncStep::Conflict: {
        std::vector<AppointmentRecord> ours;
        if (local != nullptr) {
          for (An_Appointment* e : local->entries) {
            ours.push_back(RecordOfEntry(*e));
            book_.Destroy(*e);
          }
          local->entries.clear();
        }
        const RemoteEntries theirs = ReadRemoteEntries(
            book_.context(), bodies_[static_cast<std::size_t>(s.remote)], notes_, book_.codePage());
        const std::string uid = remote->uid.empty() ? remote->href : remote->uid;
        if (local != nullptr && local->uid != uid) dropped_.insert(local->uid);
        SyncRecord& rec = recordFor(uid);
        rec.href = remote->href;
        rec.etag = remote->etag;
        rec.remoteHash = remote->bodyHash;
        rec.slots.clear();
        PlaceEntries(theirs.entries, nullptr, rec.slots);
        std::vector<AppointmentRecord> placed;
        for (const SyncSlot& slot : rec.slots) {
          if (const An_Appointment* e =
                  book_.FindAt(slot.year, slot.month, slot.day, slot.hour, slot.minute)) {
            placed.push_back(RecordOfEntry(*e));
          }
        }
        rec.localHash = EntriesFingerprint(placed);
        if (s.step == SyncStep::Conflict) {
          SyncConflict conflict;
          const AppointmentRecord* at = !placed.empty() ? &placed.front()
                                        : !ours.empty() ? &ours.front()
                                                        : nullptr;
          if (at != nullptr) {
            conflict.year = at->year;
            conflict.month = at->month;
            conflict.day = at->day;
            conflict.hour = at->hour;
            conflict.minute = at->minute;
          }
          if (!placed.empty()) conflict.serverText = placed.front().text;
          if (!ours.empty()) conflict.localText = ours.front().text;
          // Ours stays beside theirs, marked, and goes up as a new item next time.
          std::vector<SyncSlot> kept;
          PlaceEntries(std::move(ours), kConflictMark, kept);
          ++report_.conflicts;
          report_.conflictList.push_back(std::move(conflict));
        } else {
          ++report_.downloaded;
        }
        changed = true;
        break;
      }
      case SyncStep::Unreadable:
        ++report_.skipped;
        break;
      default:
        break;
    }
  }
  if (changed && !saveBook_()) {
    return FailWith(SyncOutcome::LocalFailure,
                    "the diary could not be written; nothing was changed on the server");
  }
  state_.records.erase(std::remove_if(state_.records.begin(), state_.records.end(),
                                      [&](const SyncRecord& r) { return dropped_.count(r.uid); }),
                       state_.records.end());
  return SaveState();
}

bool SyncRun::ApplyThere() {
  struct Sent {
    std::string uid;
    std::string href;
    std::uint64_t bodyHash;
    std::uint64_t localHash;
    std::vector<SyncSlot> slots;
    std::string etag;
  };
  std::vector<Sent> sent;
  std::set<std::string> deleted;
  const Moment now = book_.context().clock.Now();
  bool ok = true;
  for (const PlannedStep& s : plan_.steps) {
    if (!ok) break;
    if (s.step != SyncStep::Upload && s.step != SyncStep::UploadNew &&
        s.step != SyncStep::DeleteRemote) {
      continue;
    }
    const LocalItem& local = locals_[static_cast<std::size_t>(s.local)];
    const SyncRecord* rec =
        s.record >= 0 ? &input_.records[static_cast<std::size_t>(s.record)] : nullptr;
    std::string etag = rec != nullptr ? rec->etag : std::string();
    if (s.remote >= 0 && input_.remotes[static_cast<std::size_t>(s.remote)].fetched) {
      etag = input_.remotes[static_cast<std::size_t>(s.remote)].etag;
    }
    if (s.step == SyncStep::DeleteRemote) {
      if (etag.empty()) {
        ++report_.skipped;  // its version on the server is not known: fetched next time
        continue;
      }
      DavUrl url;
      ResolveHref(collection_, rec->href, url);
      const DavAnswer a = client_.Send("DELETE", url, {{"If-Match", etag}}, std::string());
      if (a.failure != DavFailure::None) {
        ok = Fail(a);
        break;
      }
      if ((a.status >= 200 && a.status < 300) || a.status == 404) {
        deleted.insert(local.uid);
        ++report_.deletedThere;
      } else {
        ++report_.skipped;  // 412: changed there meanwhile; the next sync brings it here
      }
      continue;
    }
    const bool fresh = s.step == SyncStep::UploadNew;
    if (!fresh && etag.empty()) {
      ++report_.skipped;
      continue;
    }
    std::string href = rec != nullptr && !fresh ? rec->href : std::string();
    if (href.empty()) href = collection_.path + ObjectName(local.uid);
    DavUrl url;
    ResolveHref(collection_, href, url);
    const std::string body = ItemCalendarText(local, now, book_.codePage());
    HttpHeaders headers{{"Content-Type", kCalendarType}};
    headers.emplace_back(fresh ? "If-None-Match" : "If-Match", fresh ? "*" : etag);
    const DavAnswer a = client_.Send("PUT", url, headers, body);
    if (a.failure != DavFailure::None) {
      ok = Fail(a);
      break;
    }
    if (a.status < 200 || a.status >= 300) {
      ++report_.skipped;  // 412, or the server would not take the object
      continue;
    }
    std::vector<AppointmentRecord> entries;
    for (const An_Appointment* e : local.entries) entries.push_back(RecordOfEntry(*e));
    // An ETag of an answer is taken only when strong: a weak one may stand
    // for a text the server changed.
    std::string newEtag = a.response.Header("ETag");
    if (newEtag.compare(0, 2, "W/") == 0) newEtag.clear();
    sent.push_back(Sent{local.uid, href, Fingerprint(body), local.hash, SlotsOf(entries), newEtag});
    ++report_.uploaded;
  }

  // ETags the answers did not name are fetched, never assumed: the text the
  // server holds must still say what was sent.
  std::vector<std::string> unknown;
  for (const Sent& s : sent) {
    if (s.etag.empty()) unknown.push_back(s.href);
  }
  std::map<std::string, DavResource> fetched;
  if (ok && !unknown.empty()) ok = Fetch(unknown, fetched);
  for (Sent& s : sent) {
    if (!s.etag.empty()) continue;
    const auto found = fetched.find(DecodedPath(s.href));
    if (found == fetched.end() || !found->second.hasEtag) continue;
    const RemoteEntries theirs =
        ReadRemoteEntries(book_.context(), found->second.calendarData, noNotes_, book_.codePage());
    if (theirs.ok && theirs.hash == s.localHash) s.etag = found->second.etag;
  }

  std::unordered_map<std::string, std::size_t> recordByUid;
  for (std::size_t i = 0; i < state_.records.size(); ++i) recordByUid[state_.records[i].uid] = i;
  for (const Sent& s : sent) {
    const auto found = recordByUid.find(s.uid);
    SyncRecord* rec = nullptr;
    if (found != recordByUid.end()) {
      rec = &state_.records[found->second];
    } else {
      recordByUid[s.uid] = state_.records.size();
      state_.records.push_back(SyncRecord{});
      rec = &state_.records.back();
      rec->uid = s.uid;
    }
    rec->href = s.href;
    rec->etag = s.etag;
    rec->remoteHash = s.bodyHash;
    rec->localHash = s.localHash;
    rec->slots = s.slots;
  }
  state_.records.erase(std::remove_if(state_.records.begin(), state_.records.end(),
                                      [&](const SyncRecord& r) { return deleted.count(r.uid); }),
                       state_.records.end());
  if (ok) state_.token = newToken_;
  const bool saved = SaveState();
  return ok && saved;
}

SyncReport SyncRun::Run(const std::string& calendarUrl, const SyncOptions& options) {
  report_ = SyncReport();
  const auto finish = [&]() {
    report_.requests = client_.requests();
    return report_;
  };
  if (!ParseDavUrl(calendarUrl, collection_)) {
    FailWith(SyncOutcome::ServerError, "\"" + calendarUrl + "\" is not an http(s) address");
    return finish();
  }
  if (collection_.scheme == "http" && !LocalHost(collection_) && !options.allowPlainHttp) {
    FailWith(SyncOutcome::ServerError,
             "plain HTTP would send the password unprotected; use https:// (or allow plain HTTP "
             "for this account)");
    return finish();
  }
  if (collection_.path.back() != '/') collection_.path += '/';
  const std::string collectionText = collection_.Text();
  if (ReadSyncState(book_.context().files, statePath_, state_) != SyncStateRead::Read ||
      state_.collection != collectionText) {
    state_ = SyncState();  // a full comparison, which doubles nothing
    state_.collection = collectionText;
  }

  if (!List()) return finish();

  // What must be read: objects new to us or whose ETag changed.
  std::unordered_map<std::string, std::size_t> recordByHref;
  for (std::size_t i = 0; i < state_.records.size(); ++i) {
    recordByHref[DecodedPath(state_.records[i].href)] = i;
  }
  std::map<std::string, Listed> byPath;  // the last word of the listing per object
  for (const Listed& l : listed_) byPath[DecodedPath(l.href)] = l;
  std::vector<std::string> toFetch;
  for (const auto& [path, l] : byPath) {
    const auto rec = recordByHref.find(path);
    if (rec == recordByHref.end() || l.etag.empty() || state_.records[rec->second].etag != l.etag) {
      toFetch.push_back(l.href);
    }
  }
  std::map<std::string, DavResource> fetched;
  if (!Fetch(toFetch, fetched)) return finish();

  input_.records = state_.records;
  input_.fullListing = full_;
  for (const std::string& g : gone_) {
    const auto rec = recordByHref.find(DecodedPath(g));
    if (rec != recordByHref.end()) input_.goneHrefs.insert(state_.records[rec->second].href);
  }
  for (const auto& [path, l] : byPath) {
    PlanRemote r;
    const auto rec = recordByHref.find(path);
    r.href = rec != recordByHref.end() ? state_.records[rec->second].href : l.href;
    r.etag = l.etag;
    std::string body;
    const auto got = fetched.find(path);
    if (got != fetched.end()) {
      r.fetched = true;
      if (got->second.hasEtag) r.etag = got->second.etag;
      if (!got->second.hasEtag && !l.etag.empty()) r.etag.clear();  // not known for this text
      const RemoteEntries entries =
          ReadRemoteEntries(book_.context(), got->second.calendarData, noNotes_, book_.codePage());
      r.usable = got->second.hasCalendarData && entries.ok;
      r.uid = entries.uid;
      r.bodyHash = Fingerprint(got->second.calendarData);
      r.entriesHash = entries.hash;
      r.hasEntries = !entries.entries.empty();
      body = std::move(got->second.calendarData);
    } else if (rec == recordByHref.end() || l.etag.empty() ||
               state_.records[rec->second].etag != l.etag) {
      // Listed but not given back by the multiget: gone meanwhile.
      continue;
    }
    input_.remotes.push_back(std::move(r));
    bodies_.push_back(std::move(body));
  }

  locals_ = CollectLocalItems(book_, state_);
  for (const LocalItem& item : locals_) {
    PlanLocal l;
    l.uid = item.uid;
    l.hash = item.hash;
    l.record = item.record;
    l.noEntries = item.noEntries;
    l.gone = !item.noEntries && item.entries.empty();
    input_.locals.push_back(std::move(l));
  }
  plan_ = PlanSync(input_);
  if (plan_.MassDelete() && !options.allowManyDeletes) {
    report_.wouldDeleteHere = plan_.localDeletes;
    report_.wouldDeleteThere = plan_.remoteDeletes;
    FailWith(SyncOutcome::AskFirst,
             "this sync would delete " + std::to_string(plan_.localDeletes) +
                 " items from the diary and " + std::to_string(plan_.remoteDeletes) +
                 " from the server; nothing was changed. Run it again with --allow-deletes if "
                 "that is what you want.");
    return finish();
  }
  if (!ApplyHere()) return finish();
  ApplyThere();
  return finish();
}

}  // namespace

std::string SyncReport::Line() const {
  std::string line = "Downloaded " + std::to_string(downloaded) + ", uploaded " +
                     std::to_string(uploaded) + ", deleted " + std::to_string(deletedHere) +
                     " here and " + std::to_string(deletedThere) + " on the server, " +
                     CountOf(conflicts, "conflict", "conflicts");
  if (conflicts > 0) line += " (both versions kept, the diary's marked \"CONFLICT:\")";
  if (skipped > 0) line += ", " + std::to_string(skipped) + " left for the next sync";
  return line + ".";
}

CalDavSync::CalDavSync(HttpTransport& transport, All_Appointments& book, const DayNotesFiles& notes,
                       std::string calendarUrl, std::string statePath,
                       std::function<bool()> saveBook)
    : transport_(transport),
      book_(book),
      notes_(notes),
      calendarUrl_(std::move(calendarUrl)),
      statePath_(std::move(statePath)),
      saveBook_(std::move(saveBook)) {}

SyncReport CalDavSync::Run(const SyncOptions& options) {
  SyncRun run(transport_, book_, notes_, statePath_, saveBook_);
  return run.Run(calendarUrl_, options);
}

Discovery DiscoverCalendars(HttpTransport& transport, const std::string& url, bool allowPlainHttp) {
  Discovery result;
  DavClient client(transport);
  DavUrl start;
  if (!ParseDavUrl(url, start)) {
    result.outcome = SyncOutcome::ServerError;
    result.message = "\"" + url + "\" is not an http(s) address";
    return result;
  }
  if (start.scheme == "http" && !LocalHost(start) && !allowPlainHttp) {
    result.outcome = SyncOutcome::ServerError;
    result.message = "plain HTTP would send the password unprotected; use https://";
    return result;
  }
  const std::string props = std::string(kXmlHead) +
                            "<d:propfind xmlns:d=\"DAV:\" "
                            "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:resourcetype/>"
                            "<d:displayname/><d:current-user-principal/><c:calendar-home-set/>"
                            "<c:supported-calendar-component-set/></d:prop></d:propfind>";
  auto fail = [&](const DavAnswer& a) {
    result.outcome = OutcomeOf(a.failure);
    result.message = a.message;
    return result;
  };
  auto propfind = [&](const DavUrl& at, const char* depth, DavMultistatus& ms, DavAnswer& a) {
    a = client.Multistatus("PROPFIND", at, depth, props, ms);
    return a.failure == DavFailure::None && a.status == 207;
  };
  DavMultistatus ms;
  DavAnswer a;
  if (!propfind(start, "0", ms, a)) {
    if (a.failure != DavFailure::None && a.failure != DavFailure::Redirect) return fail(a);
    DavUrl wellKnown = start;
    wellKnown.path = "/.well-known/caldav";
    if (!propfind(wellKnown, "0", ms, a)) {
      if (a.failure != DavFailure::None) return fail(a);
      result.outcome = SyncOutcome::ServerError;
      result.message =
          "no CalDAV service answers at \"" + url + "\" (HTTP " + std::to_string(a.status) + ")";
      return result;
    }
    start = wellKnown;
  }
  // The address itself is a calendar.
  if (!ms.resources.empty() && ms.resources[0].calendar) {
    result.calendars.push_back(DavCalendar{start.Text(), ms.resources[0].displayName});
    return result;
  }
  std::string home;
  std::string principal;
  for (const DavResource& r : ms.resources) {
    if (!r.calendarHomeHref.empty()) home = r.calendarHomeHref;
    if (!r.principalHref.empty()) principal = r.principalHref;
  }
  if (home.empty() && !principal.empty()) {
    DavUrl at;
    if (!ResolveHref(start, principal, at)) {
      result.outcome = SyncOutcome::ServerError;
      result.message = "the server named a principal on another host";
      return result;
    }
    if (propfind(at, "0", ms, a)) {
      for (const DavResource& r : ms.resources) {
        if (!r.calendarHomeHref.empty()) home = r.calendarHomeHref;
      }
    } else if (a.failure != DavFailure::None) {
      return fail(a);
    }
  }
  DavUrl homeUrl = start;
  if (!home.empty() && !ResolveHref(start, home, homeUrl)) {
    result.outcome = SyncOutcome::ServerError;
    result.message = "the server named a calendar home on another host";
    return result;
  }
  if (!propfind(homeUrl, "1", ms, a)) {
    if (a.failure != DavFailure::None) return fail(a);
    result.outcome = SyncOutcome::ServerError;
    result.message = "the calendars cannot be listed (HTTP " + std::to_string(a.status) + ")";
    return result;
  }
  for (const DavResource& r : ms.resources) {
    DavUrl at;
    if (!r.calendar || !r.eventsAllowed || !ResolveHref(homeUrl, r.href, at)) continue;
    result.calendars.push_back(DavCalendar{at.Text(), r.displayName});
  }
  if (result.calendars.empty()) {
    result.outcome = SyncOutcome::ServerError;
    result.message = "no calendar for events was found at \"" + url + "\"";
  }
  return result;
}

}  // namespace store
