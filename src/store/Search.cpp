#include "store/Search.h"

#include <array>
#include <cctype>
#include <string_view>

#include "store/AppointmentBook.h"
#include "store/CalendarText.h"

namespace store {

namespace {

// The upper-case of every byte by the C library's current character rules,
// looked up once per search instead of once per character.
class UpperCase {
 public:
  UpperCase() {
    for (int c = 0; c < 256; ++c) table_[c] = static_cast<char>(std::toupper(c));
  }
  void Into(std::string_view text, std::string& out) const {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      out[i] = table_[static_cast<unsigned char>(text[i])];
    }
  }

 private:
  std::array<char, 256> table_{};
};

void AppendNumber(int value, std::string& out) { out += std::to_string(value); }

}  // namespace

void AppendResultsLine(const An_Appointment& e, bool twentyFourHour, std::string& out) {
  out += MonthAbbrev(e.month());
  out += ' ';
  AppendNumber(e.day(), out);
  out += ", ";
  AppendNumber(e.year(), out);
  out += " at ";
  out += TimeText(e.hour(), e.minute(), twentyFourHour);
  out += "  ";
  out += e.text;
  out += "\r\n";
}

SearchResult FindEntries(const All_Appointments& book, const std::string& text,
                         bool caseInsensitive) {
  const bool twentyFourHour = book.context().settings.militaryTime != 0;
  SearchResult found;
  UpperCase upper;
  std::string key = text;
  if (caseInsensitive) upper.Into(text, key);
  std::string folded;
  for (std::size_t i = book.Count(); i-- > 0 && found.hits < kMaxSearchHits;) {
    const An_Appointment& e = book.At(i);
    std::string_view t = e.text;
    if (caseInsensitive) {
      upper.Into(e.text, folded);
      t = folded;
    }
    if (t.find(key) == std::string_view::npos) continue;
    const std::size_t lineStart = found.results.size();
    AppendResultsLine(e, twentyFourHour, found.results);
    found.found.push_back({e.year(), e.month(), e.day(),
                           found.results.substr(lineStart, found.results.size() - lineStart - 2)});
    ++found.hits;
    found.last = &e;
  }
  return found;
}

SearchResult Search(All_Appointments& book, const std::string& text, bool caseInsensitive,
                    SearchOutlets& outlets) {
  SearchResult found = FindEntries(book, text, caseInsensitive);
  Prompts& prompts = book.context().prompts;
  if (found.hits == 0) {
    prompts.Show("No entries with the text \"" + text + "\" could be found.", kPromptCaption,
                 PromptButtons::Ok, PromptIcon::Information);
  } else if (found.hits == 1) {
    prompts.Show("Found one entry with the text \"" + text + "\":\n" + found.results,
                 kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
    outlets.OpenDayPlanner(found.last->year(), found.last->month(), found.last->day());
  } else {
    WriteSearchResults(book, found.results, outlets);
    outlets.ShowHits(found.found);
  }
  return found;
}

void FindCommand(All_Appointments& book, const std::string& text, bool caseInsensitive,
                 SearchOutlets& outlets) {
  if (text.empty()) {
    book.context().prompts.Show(kBlankSearchMessage, kPromptCaption, PromptButtons::Ok,
                                PromptIcon::Information);
    return;
  }
  Search(book, text, caseInsensitive, outlets);
}

void WriteSearchResults(All_Appointments& book, const std::string& results,
                        SearchOutlets& outlets) {
  const StoreContext& ctx = book.context();
  const std::string path = ctx.paths.DataFilePath(kSearchResultsFileName, true);
  ctx.files.Remove(path);
  if (std::unique_ptr<OutputFile> out = ctx.files.Create(path)) {
    if (!results.empty()) out->Write(results.data(), results.size());
    out->Finish();  // a failure is not reported: the viewer shows what is there
  }
  outlets.OpenTextViewer(path);
}

}  // namespace store
