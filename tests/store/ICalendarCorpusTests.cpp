// Real calendars from other programs (exports of Google, Outlook/Exchange,
// Thunderbird, Nextcloud, DAVx5, Confluence and others, and hand-made
// recurrence cases), kept beside the repository in ../shared/
// interop-ics-corpus: each is imported in two zones and its occurrences are
// compared, slot by slot and day by day, with what an independent reader
// (python3-recurring-ical-events) expands from it.
//
// Where the two differ on purpose (reviewed by hand; about 0.1 % of the
// occurrences):
// - issue_18_cancel_status: an occurrence overridden with STATUS:CANCELLED
//   is not imported; this reader still shows it.
// - issue_107_omitting_last_event: UNTIL is the start of the last
//   occurrence, which belongs to the series (this reader drops it).
// - issue_75_range_parameter: UNTIL given as a date ends the series after
//   that day's occurrence, not before it.
// - issue_201_mixed_datetime_and_date: an all-day start with a date-time
//   end spans its days in the notes; this reader makes it a timed event.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/Fakes.h"
#include "TimeZone.h"
#include "store/AppointmentBook.h"
#include "store/ICalendarImport.h"
#include "store/Repeats.h"

using namespace store;
namespace fs = std::filesystem;

namespace {

const char* const kZones[] = {"UTC", "America/New_York"};

// Beside the repository; LUMETTA_ICS_CORPUS names another place (a worktree
// elsewhere).
std::string Corpus() {
  const char* other = std::getenv("LUMETTA_ICS_CORPUS");
  return other != nullptr && *other != '\0' ? other : LUMETTA_ICS_CORPUS;
}

// What the program cannot hold differs from the reader on purpose: nothing
// before 1900 or after 9999.
bool InRange(const std::string& key) {
  const std::string date = key.substr(key.find(' ') + 1, 10);
  return date >= "1900-01-01" && date <= "9999-12-31";
}

// What a key says after its kind: "2025-03-03 15:00", "2025-03-20".
std::string When(const std::string& key) { return key.substr(key.find(' ') + 1); }

// The reader expands up to here (ics_oracle.py's window); later copies of
// ours have nothing to be compared with.
constexpr char kReaderWindowEnd[] = "2038-01-19 23:59";

struct FileOccurrences {
  std::set<std::string> keys;              // "slot 2025-03-03 15:00", "day 2025-03-20"
  std::string horizon = kReaderWindowEnd;  // nothing after it is compared (When)
};
// zone -> file -> occurrences
using Expected = std::map<std::string, std::map<std::string, FileOccurrences>>;

// The reader's occurrences. Two events in one half-hour slot share its one
// entry (and one day its notes): each slot and day counts once.
bool ReadOracle(Expected& out, std::string& errors) {
  std::string command = "/usr/bin/python3 '" LUMETTA_ICS_ORACLE "' '" + Corpus() + "'";
  for (const char* zone : kZones) command += std::string(" ") + zone;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return false;
  std::map<std::string, std::map<std::string, std::map<std::string, std::vector<std::string>>>>
      series;  // zone -> file -> uid -> keys
  char buffer[1024];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    std::vector<std::string> f;
    std::stringstream fields(line);
    for (std::string part; std::getline(fields, part, '\t');) f.push_back(part);
    if (f.size() < 3 || f[0] == "ERROR") {
      errors += line + "\n";
      continue;
    }
    if (InRange(f[2])) series[f[0]][f[1]][f.size() > 3 ? f[3] : ""].push_back(f[2]);
  }
  if (pclose(pipe) != 0) return false;
  for (auto& [zone, files] : series) {
    for (auto& [file, uids] : files) {
      FileOccurrences& o = out[zone][file];
      // A series with more occurrences than an import copies (the first
      // and kMaxRepeatCopies): the file is compared up to its last copy.
      for (auto& [uid, list] : uids) {
        std::sort(list.begin(), list.end(),
                  [](const std::string& a, const std::string& b) { return When(a) < When(b); });
        if (list.size() > kMaxRepeatCopies + 1u) {
          o.horizon = std::min(o.horizon, When(list[kMaxRepeatCopies]));
        }
      }
      for (auto& [uid, list] : uids) {
        for (const std::string& key : list) {
          if (When(key) <= o.horizon) o.keys.insert(key);
        }
      }
    }
  }
  return true;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(ICalendarCorpusTest, EveryFileImportsWithTheOccurrencesAnIndependentReaderFinds) {
  if (!fs::is_directory(Corpus())) {
    GTEST_SKIP() << "the calendars of " << Corpus() << " are not there";
  }
  if (std::system("/usr/bin/python3 -c 'import recurring_ical_events' 2>/dev/null") != 0) {
    GTEST_SKIP() << "python3-recurring-ical-events is not installed (scripts/setup.sh installs it)";
  }
  Expected expected;
  std::string oracleErrors;
  ASSERT_TRUE(ReadOracle(expected, oracleErrors)) << oracleErrors;
  EXPECT_EQ(oracleErrors, "") << "the reader refused these files";

  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(Corpus())) {
    if (entry.path().extension() == ".ics") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 80u);

  std::size_t matched = 0;
  std::size_t compared = 0;
  std::string differences;
  for (const char* zone : kZones) {
    ScopedTimeZone tz(zone);
    for (const fs::path& path : files) {
      const std::string name = path.filename().string();
      fakes::FakeWorld world;
      All_Appointments book(world.Context());
      DayNotesFiles notes(world.files, "notes/");
      const IcsImportResult r = ImportICalendarText(book, ReadFile(path), notes, name);
      EXPECT_EQ(r.status, IcsImportStatus::Imported) << name << ": " << r.message;

      const FileOccurrences& want = expected[zone][name];
      std::set<std::string> got;
      for (const An_Appointment& e : book) {
        char key[32];
        std::snprintf(key, sizeof key, "slot %04d-%02d-%02d %02d:%02d", e.year(), e.month(),
                      e.day(), e.hour(), e.minute());
        if (When(key) <= want.horizon) got.insert(key);
      }
      for (const auto& [file, text] : world.files.files) {
        if (file.size() != 18 || file.compare(0, 6, "notes/") != 0) continue;
        const std::string key =
            "day " + file.substr(6, 4) + "-" + file.substr(10, 2) + "-" + file.substr(12, 2);
        if (When(key) <= want.horizon) got.insert(key);
      }
      std::vector<std::string> missing, extra;
      std::set_difference(want.keys.begin(), want.keys.end(), got.begin(), got.end(),
                          std::back_inserter(missing));
      std::set_difference(got.begin(), got.end(), want.keys.begin(), want.keys.end(),
                          std::back_inserter(extra));
      compared += want.keys.size() + extra.size();
      matched += want.keys.size() - missing.size();
      if (!missing.empty() || !extra.empty()) {
        differences += std::string(zone) + " " + name + ": " + std::to_string(missing.size()) +
                       " missing (" + (missing.empty() ? "" : missing.front()) + "), " +
                       std::to_string(extra.size()) + " extra (" +
                       (extra.empty() ? "" : extra.front()) + ")\n";
      }
    }
  }
  ASSERT_GT(compared, 0u);
  const double share = static_cast<double>(matched) / static_cast<double>(compared);
  std::printf("%zu of %zu occurrences match (%.2f %%)\n%s", matched, compared, 100.0 * share,
              differences.c_str());
  EXPECT_GE(share, 0.995) << differences;
}
