// Fuzzing the data file reader: any bytes load without a crash, and what the
// book then saves loads back to the same entries.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "store/DataFile.h"

using fuzz::Check;
using namespace store;

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::UseTimeZone("America/New_York"); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::World world;
  world.files.files["in.bin"] = std::string(reinterpret_cast<const char*>(data), size);
  All_Appointments book(world.Context());
  Check(book.LoadDataFile("in.bin"), "an existing file loads");
  Check(book.Count() <= size / kRecordSize, "at most one entry per record");

  fuzz::CheckEntries(book, kMergedTextChars);

  // Loading the same bytes again adds nothing.
  const std::size_t count = book.Count();
  book.LoadDataFile("in.bin");
  Check(book.Count() == count, "reloading merges");

  // Save, load into a new book: same keys and fields, in the same order.
  book.Sort();
  Check(book.SaveTo("out.bin"), "save succeeds");
  const std::string& saved = world.files.files["out.bin"];
  Check(count == 0 || saved.size() == count * kRecordSize, "every entry written");
  All_Appointments again(world.Context());
  if (count > 0) again.LoadDataFile("out.bin");
  Check(again.Count() == count, "round trip keeps the count");
  for (std::size_t i = 0; i < count; ++i) {
    const An_Appointment& a = book.At(i);
    const An_Appointment& b = again.At(i);
    Check(a.year() == b.year() && a.month() == b.month() && a.day() == b.day() &&
              a.hour() == b.hour() && a.minute() == b.minute(),
          "round trip keeps the key");
    Check(b.text == a.text.substr(0, kTextChars), "round trip keeps the text");
    Check(a.colour == b.colour && a.repeatKind == b.repeatKind &&
              a.reminderMinutes == b.reminderMinutes && a.repeatUntil == b.repeatUntil &&
              a.noHighlight == b.noHighlight && a.dayBefore == b.dayBefore,
          "round trip keeps the fields");
  }

  // Deleting by day and by continuation chain on whatever was loaded.
  if (count > 0) {
    const An_Appointment& first = book.At(0);
    book.DeleteDay(first.year(), first.month(), first.day());
  }
  if (book.Count() > 0) book.Delete(book.At(book.Count() / 2), false);
  book.ReArmIdleReminders();
  return 0;
}
