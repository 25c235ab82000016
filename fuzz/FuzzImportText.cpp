// Fuzzing the old text format reader: any bytes import without a crash, the
// lines are counted as the format defines them, every entry made converts
// and owns its slot, a second import makes no new entry, and a repeat rule
// read from the file expands into a sorted book.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "store/Repeats.h"
#include "store/Search.h"
#include "store/TextImport.h"

using fuzz::Check;
using namespace store;

namespace {

// Lines as the format defines them, counted independently of the reader:
// each ends with a line feed and is followed by 4 bytes; a short tail ends.
int CountLines(std::string_view bytes) {
  int lines = 0;
  std::size_t at = 0;
  for (;;) {
    const std::size_t feed = bytes.find('\n', at);
    if (feed == std::string_view::npos) return lines;
    ++lines;
    if (bytes.size() - (feed + 1) < kBytesAfterLine) return lines;
    at = feed + 1 + kBytesAfterLine;
  }
}

bool Sorted(const All_Appointments& book) {
  for (std::size_t i = 1; i < book.Count(); ++i) {
    if (book.At(i - 1).time > book.At(i).time) return false;
  }
  return true;
}

// A repeat rule read from the file expands (bounded) into a sorted book.
void ExpandTheFirstRule(All_Appointments& book) {
  An_Appointment* first = nullptr;
  for (An_Appointment& e : book) {
    if (e.repeatKind != kRepeatNone && e.repeatUntil >= 1) {
      first = &e;
      break;
    }
  }
  if (first == nullptr) return;
  std::set<const An_Appointment*> before;
  for (const An_Appointment& e : book) before.insert(&e);
  const int kept = ExpandRepeats(*first);
  Check(kept >= 0 && kept <= kMaxRepeatCopies, "copy limit");
  Check(book.Count() == before.size() + static_cast<std::size_t>(kept),
        "copies kept are in the book");
  Check(Sorted(book), "sorted after the expansion");
  for (const An_Appointment& c : book) {
    if (before.count(&c) != 0) continue;
    Moment m = 0;
    Check(TryMakeTime(c.year(), c.month(), c.day(), c.hour(), c.minute(), m) && m == c.time,
          "every copy converts");
    Check(c.time <= first->repeatUntil, "no copy after the end date");
    Check(c.time > first->time, "copies follow the first entry");
    Check(c.text == first->text && c.repeatKind == first->repeatKind, "copies carry the rule");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::UseTimeZone("America/New_York"); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fuzz::World world;
  world.files.files["in.data"] = bytes;
  All_Appointments book(world.Context());

  const ImportResult r = ImportText(book, "in.data", true);
  Check(r.opened, "an existing file opens");
  Check(r.lines == CountLines(bytes), "every line counted");
  Check(r.made >= 0 && r.made <= r.lines, "at most one entry per line");
  Check(r.imported >= r.made && r.imported <= r.lines, "imported lines made or merged entries");
  Check(book.Count() == static_cast<std::size_t>(r.made), "the entries made are in the book");
  Check(world.prompts.shown.size() == 1 &&
            world.prompts.shown[0].text ==
                "Restored " + std::to_string(r.imported) + " entries from backup.",
        "the restore message counts the lines imported");

  fuzz::CheckEntries(book, kMaxImportLineChars);
  for (const An_Appointment& e : book) {
    Check(e.year() >= 1970 && e.year() <= 2037, "year in range");
    Check(e.noHighlight == 0, "no highlight flag from a line");
  }

  // Importing again merges into the same slots: no new entry.
  const std::size_t count = book.Count();
  const ImportResult again = ImportText(book, "in.data", false);
  Check(again.made == 0 && book.Count() == count, "a second import makes no entry");

  // A line given straight to ParseLine, whatever its length.
  ParseLine(book, std::string_view(bytes).substr(0, 400));

  // The search over what was read.
  const SearchResult found = FindEntries(book, bytes.substr(0, 8), (size & 1) != 0);
  Check(found.hits <= book.Count() && found.hits <= kMaxSearchHits, "hits bounded");

  ExpandTheFirstRule(book);
  return 0;
}
