// Search over the text of every entry: one hit opens its day in the day
// planner, several go into "SearchResults.txt", which the text viewer opens.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace store {

class All_Appointments;
class An_Appointment;

// One entry a search found: its day and its results line.
struct SearchHit {
  int year = 0;
  int month = 0;
  int day = 0;
  std::string line;  // as in the results file, without the line end
};

// Where a search leads, outside the store.
class SearchOutlets {
 public:
  virtual ~SearchOutlets() = default;
  // Opens the day planner on that date (OpenDayPlanner).
  virtual void OpenDayPlanner(int year, int month, int day) = 0;
  // Opens a text file in the platform's plain text viewer ("notepad.exe").
  virtual void OpenTextViewer(const std::string& path) = 0;
  // Lists several hits, latest entry first, for the user to pick a day.
  virtual void ShowHits(const std::vector<SearchHit>& hits) = 0;
};

constexpr std::size_t kSearchTextChars = 50;  // the find dialog's limit
constexpr std::size_t kMaxSearchHits = 2000;
constexpr const char* kSearchResultsFileName = "SearchResults.txt";
constexpr const char* kBlankSearchMessage = "I cannot search for an blank string.";

// The results line of an entry: "March 14, 2025 at 10:30am  Dentist\r\n"
// (short month name; the time in the twelve- or twenty-four-hour style).
void AppendResultsLine(const An_Appointment& entry, bool twentyFourHour, std::string& out);

// What a search found.
struct SearchResult {
  std::size_t hits = 0;
  std::string results;                   // the results lines, latest entry first
  std::vector<SearchHit> found;          // the same hits, in the same order
  const An_Appointment* last = nullptr;  // the last hit (the earliest in a sorted book)
};

// Collects the hits without telling anyone: the list is walked from its end,
// up to kMaxSearchHits hits; with caseInsensitive both texts are upper-cased
// by the C library's character rules.
SearchResult FindEntries(const All_Appointments& book, const std::string& text,
                         bool caseInsensitive);

// Search: no hit, the "No entries" message; one hit, the "Found one entry"
// message with its line, then its day planner; several, WriteSearchResults
// and the list of hits.
// The time style is the book's military time setting.
SearchResult Search(All_Appointments& book, const std::string& text, bool caseInsensitive,
                    SearchOutlets& outlets);

// The Find command after its dialog's OK: an empty text gets the blank
// message and no search; otherwise Search.
void FindCommand(All_Appointments& book, const std::string& text, bool caseInsensitive,
                 SearchOutlets& outlets);

// Writes the results text as it stands to "SearchResults.txt" in the data
// folder (the old file deleted first) and opens it in the text viewer. Says
// nothing; the viewer is started even when the file could not be written.
void WriteSearchResults(All_Appointments& book, const std::string& results, SearchOutlets& outlets);

}  // namespace store
