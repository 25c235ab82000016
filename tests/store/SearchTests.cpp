// Search over the entries' texts: matching, the messages for no and one hit,
// and the results file for several, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/Search.h"

using namespace store;

namespace {

class SearchTest : public BookFixture {
 protected:
  fakes::RecordingOutlets outlets_;
  const std::string resultsPath_ = "data/SearchResults.txt";
};

}  // namespace

TEST_F(SearchTest, CaseInsensitiveSearchFindsEveryCasing) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  Add(2025, 3, 15, 10, 30, "DENTIST again");
  Add(2025, 3, 16, 10, 30, "call the dentist");
  Add(2025, 3, 17, 10, 30, "Dent");
  EXPECT_EQ(FindEntries(book_, "dentist", true).hits, 3u);
  EXPECT_EQ(FindEntries(book_, "dentist", false).hits, 1u);
  EXPECT_EQ(FindEntries(book_, "Dentist", false).hits, 1u);
  EXPECT_EQ(FindEntries(book_, "DeNtIsT", true).hits, 3u);
  EXPECT_EQ(FindEntries(book_, "tist again", false).hits, 0u);
}

TEST_F(SearchTest, ResultsLinesUseTheShortMonthAndTheTimeSetting) {
  const An_Appointment& e = Add(2025, 3, 14, 10, 30, "Dentist");
  std::string line;
  AppendResultsLine(e, false, line);
  EXPECT_EQ(line, "March 14, 2025 at 10:30am  Dentist\r\n");
  line.clear();
  AppendResultsLine(Add(2024, 9, 1, 0, 5, "Early"), false, line);
  AppendResultsLine(Add(2024, 9, 1, 17, 0, "Tea"), true, line);
  EXPECT_EQ(line, "Sept 1, 2024 at 12:05am  Early\r\nSept 1, 2024 at 17:00  Tea\r\n");
}

TEST_F(SearchTest, NoHitSaysSoWithTheTextAsTyped) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  Search(book_, "Plumber", true, outlets_);
  ExpectOnlyMessage("No entries with the text \"Plumber\" could be found.", PromptButtons::Ok,
                    PromptIcon::Information);
  EXPECT_TRUE(outlets_.planners.empty());
  EXPECT_TRUE(outlets_.viewed.empty());
}

TEST_F(SearchTest, OneHitShowsItsLineAndOpensItsDay) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  Add(2025, 3, 15, 9, 0, "Lunch");
  Search(book_, "dentist", true, outlets_);
  ExpectOnlyMessage(
      "Found one entry with the text \"dentist\":\nMarch 14, 2025 at 10:30am  Dentist\r\n",
      PromptButtons::Ok, PromptIcon::Information);
  EXPECT_EQ(outlets_.planners, std::vector<std::string>{"2025-3-14"});
  EXPECT_TRUE(outlets_.viewed.empty());
  EXPECT_TRUE(outlets_.listed.empty());
  EXPECT_EQ(world_.files.files.count(resultsPath_), 0u);
}

TEST_F(SearchTest, SeveralHitsGoToTheResultsFileLatestFirst) {
  world_.files.files[resultsPath_] = "old results that are much longer than the new ones";
  Add(2025, 1, 2, 8, 0, "Gym");
  Add(2025, 1, 3, 8, 0, "Dentist");
  Add(2025, 1, 9, 18, 30, "Gym with Sam");
  Add(2025, 2, 1, 12, 0, "gym");
  book_.Sort();
  world_.settings.militaryTime = 1;
  Search(book_, "Gym", true, outlets_);
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_EQ(world_.files.files[resultsPath_],
            "Feb 1, 2025 at 12:00  gym\r\n"
            "Jan 9, 2025 at 18:30  Gym with Sam\r\n"
            "Jan 2, 2025 at 8:00  Gym\r\n");
  EXPECT_EQ(outlets_.viewed, std::vector<std::string>{resultsPath_});
  EXPECT_EQ(outlets_.listed,
            (std::vector<std::string>{"2025-2-1 Feb 1, 2025 at 12:00  gym",
                                      "2025-1-9 Jan 9, 2025 at 18:30  Gym with Sam",
                                      "2025-1-2 Jan 2, 2025 at 8:00  Gym"}));
  EXPECT_TRUE(outlets_.planners.empty());
}

TEST_F(SearchTest, TheListIsWalkedFromItsEndInItsCurrentOrder) {
  Add(2025, 5, 1, 8, 0, "a note");
  Add(2025, 1, 1, 8, 0, "a note");  // not sorted: stands last
  const SearchResult r = FindEntries(book_, "note", false);
  EXPECT_EQ(r.results, "Jan 1, 2025 at 8:00am  a note\r\nMay 1, 2025 at 8:00am  a note\r\n");
  ASSERT_NE(r.last, nullptr);
  EXPECT_EQ(r.last->month(), 5);
}

TEST_F(SearchTest, SearchStopsAfter2000HitsKeepingTheLatest) {
  for (int i = 0; i < 2005; ++i) Add(2020, 1, 1, 0, 0, "hit " + std::to_string(i));
  const SearchResult r = FindEntries(book_, "hit", false);
  EXPECT_EQ(r.hits, kMaxSearchHits);
  EXPECT_EQ(r.results.rfind("hit 5\r\n"), r.results.size() - 7);
  EXPECT_EQ(r.results.find("hit 4\r\n"), std::string::npos);
  EXPECT_EQ(r.results.find("hit 2004\r\n"), r.results.find("hit "));
}

TEST_F(SearchTest, BlankTextIsRefusedBeforeSearching) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  FindCommand(book_, "", true, outlets_);
  ExpectOnlyMessage("I cannot search for an blank string.", PromptButtons::Ok,
                    PromptIcon::Information);
  EXPECT_TRUE(outlets_.planners.empty());
  EXPECT_TRUE(outlets_.viewed.empty());

  FindCommand(book_, "Dent", false, outlets_);
  EXPECT_EQ(outlets_.planners, std::vector<std::string>{"2025-3-14"});
}

TEST_F(SearchTest, AResultsFileThatCannotBeWrittenStillOpensTheViewerSilently) {
  world_.files.unwritable.insert(resultsPath_);
  WriteSearchResults(book_, "x\r\n", outlets_);
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_EQ(outlets_.viewed, std::vector<std::string>{resultsPath_});
  // The old file is deleted before the new one is made.
  ASSERT_GE(world_.files.log.size(), 2u);
  EXPECT_EQ(world_.files.log[0], "remove " + resultsPath_);
  EXPECT_EQ(world_.files.log[1], "create " + resultsPath_);
}
