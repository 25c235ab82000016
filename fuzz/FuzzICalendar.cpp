// Fuzzing the iCalendar import: any bytes import without a crash; a refused
// file changes nothing; every entry made converts, lies in 1970..2038-01-18
// and owns its slot; a second import makes no new entry; and what the book
// then exports reads back as iCalendar.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "common/Fakes.h"
#include "store/AppointmentBook.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"

using namespace store;

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fakes::FakeWorld world;
  world.clock.now = MakeTime(2025, 3, 9, 1, 0);
  All_Appointments book(world.Context());
  DayNotesFiles notes(world.files, "notes/");

  const IcsImportResult r = ImportICalendarText(book, bytes, notes, "in.ics");
  Check(!r.message.empty(), "the user is told");
  if (r.status != IcsImportStatus::Imported) {
    Check(book.Empty() && world.files.files.empty(), "a refused file changes nothing");
    return 0;
  }
  const std::int64_t last = DayNumber(2038, 1, 18);
  for (const An_Appointment& e : book) {
    Moment m = 0;
    Check(TryMakeTime(e.year(), e.month(), e.day(), e.hour(), e.minute(), m) && m == e.time,
          "key converts");
    Check(DayNumber(e.year(), e.month(), e.day()) <= last, "nothing after 2038-01-18");
    Check(book.FindAt(e.year(), e.month(), e.day(), e.hour(), e.minute()) == &e,
          "one entry per slot");
    Check(e.text.size() <= 180, "texts bounded");
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
