// The CalDAV sync's pieces without a network: the DAV answer reader, the
// state file, the plan that keeps doubles and losses out, and the engine
// against a small in-memory server with switches for hostile answers.
// (The same engine against real servers: tests/sync.)
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/CalDavSync.h"
#include "store/DavXml.h"
#include "store/ICalendarImport.h"
#include "store/SyncPlan.h"
#include "store/SyncState.h"

namespace {

using namespace store;

// --- The DAV answer reader ---------------------------------------------------

TEST(DavXmlTest, ReadsAMultistatusWithPrefixesEntitiesAndCdata) {
  const std::string body =
      "<?xml version=\"1.0\"?>\n<!-- a comment -->"
      "<multistatus xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
      "<sync-token>http://x/sync/7</sync-token>"
      "<response><href>/cal/a%40b.ics</href><propstat><prop><getetag>&quot;e1&quot;</getetag>"
      "<C:calendar-data><![CDATA[BEGIN:VCALENDAR\r\nX:<&>]]>&#x41;&#66;&amp;</C:calendar-data>"
      "</prop><status>HTTP/1.1 200 OK</status></propstat>"
      "<propstat><prop><displayname>ignored</displayname></prop>"
      "<status>HTTP/1.1 404 Not Found</status></propstat></response>"
      "<D:response xmlns:D=\"DAV:\"><D:href>/cal/gone.ics</D:href>"
      "<D:status>HTTP/1.1 404 Not Found</D:status></D:response></multistatus>";
  DavMultistatus ms;
  std::string error;
  ASSERT_TRUE(ParseMultistatus(body, ms, error)) << error;
  EXPECT_EQ(ms.syncToken, "http://x/sync/7");
  ASSERT_EQ(ms.resources.size(), 2u);
  EXPECT_EQ(ms.resources[0].href, "/cal/a%40b.ics");
  EXPECT_EQ(ms.resources[0].etag, "\"e1\"");
  EXPECT_EQ(ms.resources[0].calendarData, "BEGIN:VCALENDAR\r\nX:<&>AB&");
  EXPECT_EQ(ms.resources[0].displayName, "");
  EXPECT_EQ(ms.resources[1].status, 404);
  EXPECT_FALSE(ms.resources[1].hasEtag);
}

TEST(DavXmlTest, RefusesWhatIsNoWellFormedMultistatus) {
  const std::string deep = std::string(200 * 3, ' ');
  std::string nested;
  for (int i = 0; i < 100; ++i) nested += "<a>";
  const struct {
    const char* name;
    std::string body;
  } cases[] = {
      {"empty", ""},
      {"not XML", "HTTP/1.1 200 OK"},
      {"cut short", "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/x</d:href>"},
      {"mismatched end", "<d:multistatus xmlns:d=\"DAV:\"></d:response>"},
      {"entity of its own",
       "<!DOCTYPE m [<!ENTITY a \"aaaa\">]><d:multistatus xmlns:d=\"DAV:\">&a;</d:multistatus>"},
      {"unknown entity", "<d:multistatus xmlns:d=\"DAV:\">&nbsp;</d:multistatus>"},
      {"undeclared prefix", "<x:multistatus></x:multistatus>"},
      {"other root", "<d:error xmlns:d=\"DAV:\"/>"},
      {"response without href",
       "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:status>HTTP/1.1 200 OK</d:status>"
       "</d:response></d:multistatus>"},
      {"bad character reference", "<d:multistatus xmlns:d=\"DAV:\">&#0;</d:multistatus>"},
      {"nested too deeply", "<d:multistatus xmlns:d=\"DAV:\">" + nested},
      {"text after the root", "<d:multistatus xmlns:d=\"DAV:\"/>trailing"},
  };
  for (const auto& c : cases) {
    DavMultistatus ms;
    std::string error;
    EXPECT_FALSE(ParseMultistatus(c.body, ms, error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
}

// --- The state file ------------------------------------------------------------

TEST(SyncStateTest, KeepsEveryFieldAndCallsACutFileDamaged) {
  fakes::MemoryFileSystem files;
  SyncState state;
  state.collection = "https://h/cal/";
  state.token = "tok\twith\nodd%chars";
  state.records.push_back(SyncRecord{"uid-1",
                                     "/cal/a%40b.ics",
                                     "\"e 1\"",
                                     0x0123456789abcdefull,
                                     42,
                                     {{2027, 3, 1, 9, 0}, {2027, 3, 8, 9, 30}}});
  state.records.push_back(SyncRecord{"all-day", "/cal/d.ics", "", 7, 8, {}});
  ASSERT_TRUE(WriteSyncState(files, "Lumetta.x.sync", state));

  SyncState back;
  ASSERT_EQ(ReadSyncState(files, "Lumetta.x.sync", back), SyncStateRead::Read);
  EXPECT_EQ(back.collection, state.collection);
  EXPECT_EQ(back.token, state.token);
  ASSERT_EQ(back.records.size(), 2u);
  EXPECT_EQ(back.records[0].href, "/cal/a%40b.ics");
  EXPECT_EQ(back.records[0].etag, "\"e 1\"");
  EXPECT_EQ(back.records[0].remoteHash, 0x0123456789abcdefull);
  EXPECT_EQ(back.records[0].slots, state.records[0].slots);
  EXPECT_TRUE(back.records[1].slots.empty());

  std::string& text = files.files["Lumetta.x.sync"];
  text.resize(text.size() - 4);  // the end line lost
  EXPECT_EQ(ReadSyncState(files, "Lumetta.x.sync", back), SyncStateRead::Damaged);
  EXPECT_TRUE(back.records.empty());
  EXPECT_EQ(ReadSyncState(files, "none.sync", back), SyncStateRead::Missing);
  EXPECT_EQ(SyncStatePath("/d/Lumetta.bin", "my cal"), "/d/Lumetta.my_cal.sync");
}

// --- The plan --------------------------------------------------------------------

// One item known to the state (record 0: href /c/a.ics, remote 10, local 20)
// against what each side shows now.
struct KnownCase {
  const char* name;
  // here: 's'ame, 'c'hanged, 'g'one; there: 's'ame (not listed), 'u'nchanged
  // text refetched, 'c'hanged, 'r'ewritten (same entries), 'g'one, 'f'ull
  // listing without it, 'm'atching our change
  char here;
  char there;
  SyncStep expected;
};

TEST(SyncPlanTest, DecidesEachKnownItemFromBothSides) {
  const KnownCase cases[] = {
      {"nothing changed", 's', 's', SyncStep::Refresh},
      {"changed here", 'c', 's', SyncStep::Upload},
      {"changed there", 's', 'c', SyncStep::Download},
      {"rewritten there only", 's', 'r', SyncStep::Refresh},
      {"both changed", 'c', 'c', SyncStep::Conflict},
      {"both made the same change", 'c', 'm', SyncStep::Refresh},
      {"deleted here", 'g', 's', SyncStep::DeleteRemote},
      {"deleted here, changed there", 'g', 'c', SyncStep::Download},
      {"deleted there", 's', 'g', SyncStep::DeleteLocal},
      {"missing from a full listing", 's', 'f', SyncStep::DeleteLocal},
      {"deleted there, changed here", 'c', 'g', SyncStep::UploadNew},
      {"deleted on both sides", 'g', 'g', SyncStep::Forget},
  };
  for (const KnownCase& c : cases) {
    PlanInput in;
    in.records.push_back(SyncRecord{"u", "/c/a.ics", "\"1\"", 10, 20, {{2027, 1, 1, 9, 0}}});
    PlanLocal local{"u", c.here == 'c' ? 21u : 20u, 0, c.here == 'g', false};
    in.locals.push_back(local);
    PlanRemote r{"/c/a.ics", "\"2\"", true, true, "u", 10, 20, true};
    if (c.there == 'c') r.bodyHash = 11, r.entriesHash = 30;
    if (c.there == 'r') r.bodyHash = 12;
    if (c.there == 'm') r.bodyHash = 13, r.entriesHash = 21;
    if (c.there == 'g') in.goneHrefs.insert("/c/a.ics");
    if (c.there == 'f') in.fullListing = true;
    if (c.there != 'g' && c.there != 'f') in.remotes.push_back(r);
    if (c.there == 's') in.remotes.clear();
    const SyncPlan plan = PlanSync(in);
    if (c.expected == SyncStep::Refresh && c.there == 's') {
      EXPECT_TRUE(plan.steps.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(plan.steps.size(), 1u) << c.name;
    EXPECT_EQ(plan.steps[0].step, c.expected) << c.name;
  }
}

TEST(SyncPlanTest, WithoutStateMatchesByUidThenByContentSoNothingDoubles) {
  PlanInput in;
  in.fullListing = true;
  in.locals = {{"ours-same", 1, -1, false, false},
               {"ours-diff", 2, -1, false, false},
               {"slot-uid", 3, -1, false, false},
               {"only-here", 4, -1, false, false}};
  in.remotes = {{"/c/1.ics", "\"a\"", true, true, "ours-same", 100, 1, true},
                {"/c/2.ics", "\"b\"", true, true, "ours-diff", 101, 9, true},
                {"/c/3.ics", "\"c\"", true, true, "their-uid", 102, 3, true},
                {"/c/4.ics", "\"d\"", true, true, "only-there", 103, 5, true},
                {"/c/5.ics", "\"e\"", true, false, "", 104, 0, false}};
  const SyncPlan plan = PlanSync(in);
  std::map<int, SyncStep> byRemote;
  std::vector<int> uploads;
  for (const PlannedStep& s : plan.steps) {
    if (s.remote >= 0) byRemote[s.remote] = s.step;
    if (s.step == SyncStep::UploadNew) uploads.push_back(s.local);
  }
  EXPECT_EQ(byRemote[0], SyncStep::Adopt);
  EXPECT_EQ(byRemote[1], SyncStep::Conflict);
  EXPECT_EQ(byRemote[2], SyncStep::Adopt);  // the same entries under another UID
  EXPECT_EQ(byRemote[3], SyncStep::DownloadNew);
  EXPECT_EQ(byRemote[4], SyncStep::Unreadable);
  EXPECT_EQ(uploads, std::vector<int>{3});
}

TEST(SyncPlanTest, AsksFirstBeforeDeletingMuchOfASide) {
  const struct {
    int items;
    int goneHere;
    bool asks;
  } cases[] = {{4, 2, false}, {4, 3, true}, {200, 60, true}, {200, 50, false}, {1, 1, false}};
  for (const auto& c : cases) {
    PlanInput in;
    for (int i = 0; i < c.items; ++i) {
      const std::string uid = "u" + std::to_string(i);
      in.records.push_back(SyncRecord{uid, "/c/" + uid, "\"1\"", 1, 2, {{2027, 1, 1, 9, 0}}});
      in.locals.push_back(PlanLocal{uid, 2, i, i < c.goneHere, false});
    }
    const SyncPlan plan = PlanSync(in);
    EXPECT_EQ(plan.remoteDeletes, c.goneHere);
    EXPECT_EQ(plan.MassDelete(), c.asks) << c.items << " " << c.goneHere;
  }
}

// --- The engine against an in-memory server ----------------------------------------

constexpr const char* kOrigin = "http://127.0.0.1:5232";
// (A doubled slash names the same calendar.)
constexpr const char* kCalendar = "http://127.0.0.1:5232//cal/";

std::string Escaped(const std::string& s) {
  std::string out;
  for (const char c : s)
    out += c == '<' ? std::string("&lt;") : c == '&' ? "&amp;" : std::string(1, c);
  return out;
}

class FakeDav : public HttpTransport {
 public:
  std::map<std::string, std::pair<std::string, std::string>> objects;  // path -> etag, text
  bool etagOnPut = true;
  int status = 0;          // answers every request with this status when set
  std::string redirectTo;  // answers every request with a redirect there when set
  std::string reportBody;  // answers every REPORT with this 207 body when set
  std::vector<std::string> log;

  HttpResponse Send(const HttpRequest& r) override {
    log.push_back(r.method + " " + r.url);
    HttpResponse out;
    if (!redirectTo.empty()) return HttpResponse{302, "", {{"Location", redirectTo}}, ""};
    if (status != 0) return HttpResponse{status, "", {}, ""};
    const std::string path = r.url.substr(std::string(kOrigin).size());
    if (r.method == "REPORT") {
      if (!reportBody.empty()) return HttpResponse{207, "", {}, reportBody};
      XmlElement request;
      std::string error;
      EXPECT_TRUE(ParseXml(r.body, request, error)) << error;
      std::string body =
          "<d:multistatus xmlns:d=\"DAV:\" "
          "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">";
      const bool multiget = request.name == "urn:ietf:params:xml:ns:caldav calendar-multiget";
      for (const auto& [href, object] : objects) {
        bool wanted = !multiget;
        for (const XmlElement& c : request.children)
          wanted |= c.name == "DAV: href" && c.text == href;
        if (!wanted) continue;
        body +=
            "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>" +
            object.first + "</d:getetag>" +
            (multiget ? "<c:calendar-data>" + Escaped(object.second) + "</c:calendar-data>" : "") +
            "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
      }
      if (!multiget) body += "<d:sync-token>t" + std::to_string(version_) + "</d:sync-token>";
      return HttpResponse{207, "", {}, body + "</d:multistatus>"};
    }
    const auto found = objects.find(path);
    std::string ifMatch, ifNoneMatch;
    for (const auto& [name, value] : r.headers) {
      if (name == "If-Match") ifMatch = value;
      if (name == "If-None-Match") ifNoneMatch = value;
    }
    if ((!ifNoneMatch.empty() && found != objects.end()) ||
        (!ifMatch.empty() && (found == objects.end() || found->second.first != ifMatch))) {
      return HttpResponse{412, "", {}, ""};
    }
    if (r.method == "PUT") {
      const std::string etag = "\"v" + std::to_string(++version_) + "\"";
      objects[path] = {etag, r.body};
      out.status = 201;
      if (etagOnPut) out.headers.emplace_back("ETag", etag);
    } else if (r.method == "DELETE") {
      objects.erase(path);
      out.status = 204;
    }
    return out;
  }

 private:
  int version_ = 0;
};

class CalDavSyncTest : public BookFixture {
 protected:
  SyncReport Sync() {
    DayNotesFiles notes(world_.files, "notes/");
    CalDavSync sync(server_, book_, notes, kCalendar, "Lumetta.test.sync",
                    [this]() { return book_.SaveTo("Lumetta.bin"); });
    return sync.Run(SyncOptions());
  }
  bool Requested(const std::string& what) const {
    for (const std::string& line : server_.log) {
      if (line.find(what) != std::string::npos) return true;
    }
    return false;
  }
  FakeDav server_;
};

TEST_F(CalDavSyncTest, AQuietSyncIsOneRequestAndAMissingEtagIsFetched) {
  Add(2027, 3, 1, 9, 0, "Dentist");
  Add(2027, 3, 2, 10, 30, "Bank");
  server_.etagOnPut = false;
  SyncReport r = Sync();
  ASSERT_EQ(r.outcome, SyncOutcome::Done) << r.message;
  EXPECT_EQ(r.uploaded, 2);
  ASSERT_EQ(server_.objects.size(), 2u);
  SyncState state;
  ASSERT_EQ(ReadSyncState(world_.files, "Lumetta.test.sync", state), SyncStateRead::Read);
  for (const SyncRecord& rec : state.records) {
    EXPECT_EQ(rec.etag, server_.objects.at(rec.href).first) << rec.uid;
  }
  server_.log.clear();
  r = Sync();
  EXPECT_EQ(r.Line(), "Downloaded 0, uploaded 0, deleted 0 here and 0 on the server, 0 conflicts.");
  EXPECT_EQ(server_.log.size(), 1u);  // the listing alone: every ETag is known
}

TEST_F(CalDavSyncTest, HostileAnswersChangeNothingHere) {
  Add(2027, 3, 1, 9, 0, "Dentist");
  const struct {
    const char* name;
    void (*arrange)(FakeDav&);
    SyncOutcome outcome;
  } cases[] = {
      {"redirect to another host",
       [](FakeDav& s) { s.redirectTo = "http://elsewhere.example/cal/"; },
       SyncOutcome::ServerError},
      {"wrong password", [](FakeDav& s) { s.status = 401; }, SyncOutcome::AuthFailed},
      {"server error", [](FakeDav& s) { s.status = 503; }, SyncOutcome::ServerError},
      {"malformed XML",
       [](FakeDav& s) { s.reportBody = "<d:multistatus xmlns:d=\"DAV:\"><d:response>"; },
       SyncOutcome::ServerError},
  };
  for (const auto& c : cases) {
    server_ = FakeDav();
    c.arrange(server_);
    const SyncReport r = Sync();
    EXPECT_EQ(r.outcome, c.outcome) << c.name;
    EXPECT_FALSE(r.message.empty()) << c.name;
    EXPECT_FALSE(Requested("elsewhere")) << c.name;
    EXPECT_FALSE(Requested("PUT")) << c.name;
    EXPECT_EQ(Texts(), std::vector<std::string>{"Dentist"}) << c.name;
    EXPECT_FALSE(HasFile("Lumetta.test.sync")) << c.name;
  }
}

TEST_F(CalDavSyncTest, SkipsObjectsOutsideTheCalendarAndDataThatIsNoICalendar) {
  server_.objects["/other/x.ics"] = {"\"1\"", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"};
  server_.objects["/cal/junk.ics"] = {"\"2\"", "this is not a calendar"};
  server_.objects["/cal/ok.ics"] = {
      "\"3\"",
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:ok\r\nDTSTART:20270301T090000\r\n"
      "SUMMARY:From the server\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"};
  const SyncReport r = Sync();
  ASSERT_EQ(r.outcome, SyncOutcome::Done) << r.message;
  EXPECT_EQ(r.downloaded, 1);
  EXPECT_EQ(r.skipped, 1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"From the server"});
  EXPECT_FALSE(Requested("/other/"));
}

// Servers that store an event again may escape the separators of our own
// property; its fields still come back.
TEST_F(CalDavSyncTest, OwnFieldsSurviveAServerThatEscapedTheirSeparators) {
  const std::string text =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x\r\nDTSTART:20270301T090000\r\n"
      "SUMMARY:Mine\r\nX-LUMETTA-ENTRY:REMINDER=-1\\;ON=0\\;DAYBEFORE=1\\;TILDE=1\\;"
      "NOHIGHLIGHT=1\\;REPEAT=0\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  DayNotesFiles notes(world_.files, "");
  ASSERT_EQ(ImportICalendarText(book_, text, notes, "x").status, IcsImportStatus::Imported);
  ASSERT_EQ(book_.Count(), 1u);
  EXPECT_EQ(book_.At(0).reminderMinutes, -1);
  EXPECT_EQ(book_.At(0).reminderOn, 0);
  EXPECT_EQ(book_.At(0).dayBefore, 1);
  EXPECT_EQ(book_.At(0).tildeFlag, 1);
}

}  // namespace
