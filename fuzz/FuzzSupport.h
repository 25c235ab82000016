// What the fuzz targets share: an invariant that aborts with its name, the
// time zone a target runs in, a world of fakes at a fixed moment, and the
// checks every entry a reader made must pass.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "common/Fakes.h"
#include "store/AppointmentBook.h"

namespace fuzz {

inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// For LLVMFuzzerInitialize: the whole run is in this time zone.
inline int UseTimeZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
  return 0;
}

// Fakes of the platform, "now" early on 2025-03-09 (New York springs forward
// that night).
struct World : fakes::FakeWorld {
  World() { clock.now = store::MakeTime(2025, 3, 9, 1, 0); }
};

// Every entry's key converts to its time, the entry owns its slot, and its
// text is at most `maxText` characters.
inline void CheckEntries(store::All_Appointments& book, std::size_t maxText) {
  for (const store::An_Appointment& e : book) {
    store::Moment m = 0;
    Check(store::TryMakeTime(e.year(), e.month(), e.day(), e.hour(), e.minute(), m) && m == e.time,
          "key converts to the entry's time");
    Check(book.FindAt(e.year(), e.month(), e.day(), e.hour(), e.minute()) == &e,
          "one entry per slot");
    Check(e.text.size() <= maxText, "text length");
  }
}

}  // namespace fuzz
