// Fuzzing the reader of CalDAV servers' answers: any bytes are read or
// refused with a reason, never a crash; every response read names its href;
// and every calendar object in an answer goes through the sync's reading of
// calendar data (the iCalendar import into a scratch book) without harm.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "store/CodePage.h"
#include "store/DavXml.h"
#include "store/SyncItems.h"

using fuzz::Check;
using namespace store;

extern "C" int LLVMFuzzerInitialize(int*, char***) { return fuzz::UseTimeZone("Europe/Berlin"); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  DavMultistatus ms;
  std::string error;
  const bool read = ParseMultistatus(bytes, ms, error);
  DavErrorNames(bytes, "DAV: valid-sync-token");
  if (!read) {
    Check(!error.empty(), "a refused answer says why");
    return 0;
  }
  fuzz::World world;
  DayNotesFiles noNotes(world.files, "");
  for (const DavResource& r : ms.resources) {
    Check(!r.href.empty(), "every response names its href");
    if (!r.hasCalendarData) continue;
    const RemoteEntries entries =
        ReadRemoteEntries(world.Context(), r.calendarData, noNotes, kDefaultCodePage);
    Check(entries.ok || !entries.message.empty(), "unreadable calendar data is named");
    Check(world.files.files.empty(), "reading an answer writes nothing");
  }
  return 0;
}
