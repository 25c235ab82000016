// Fuzzing the iCalendar import: any bytes import without a crash; a refused
// file changes nothing; every entry made converts, lies in 1900..9999
// and owns its slot; a second import makes no new entry; and what the book
// then exports reads back as iCalendar.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"

using fuzz::Check;
using namespace store;

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::UseTimeZone("Europe/Berlin"); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fuzz::World world;
  All_Appointments book(world.Context());
  DayNotesFiles notes(world.files, "notes/");

  const IcsImportResult r = ImportICalendarText(book, bytes, notes, "in.ics");
  Check(!r.message.empty(), "the user is told");
  if (r.status != IcsImportStatus::Imported) {
    Check(book.Empty() && world.files.files.empty(), "a refused file changes nothing");
    return 0;
  }
  const std::int64_t last = DayNumber(kLastCalendarYear, 12, 31);
  fuzz::CheckEntries(book, 180);
  for (const An_Appointment& e : book) {
    Check(DayNumber(e.year(), e.month(), e.day()) <= last, "nothing after 9999");
  }
  const IcsImportSummary& s = r.summary;
  Check(static_cast<std::size_t>(s.entriesMade + s.copies) == book.Count(), "entries counted");

  const std::size_t count = book.Count();
  const auto files = world.files.files;
  const IcsImportResult again = ImportICalendarText(book, bytes, notes, "in.ics");
  Check(again.summary.entriesMade + again.summary.copies == 0 && book.Count() == count,
        "a second import makes no entry");
  Check(world.files.files == files, "a second import leaves the notes alone");

  const std::string exported = WriteICalendar(book, {}, {}, world.clock.now);
  fakes::FakeWorld other;
  All_Appointments copy(other.Context());
  DayNotesFiles otherNotes(other.files, "notes/");
  const IcsImportResult back = ImportICalendarText(copy, exported, otherNotes, "out.ics");
  Check(back.status == IcsImportStatus::Imported, "an export reads back");
  Check(copy.Count() <= book.Count(), "an export reads back without new entries");
  return 0;
}
