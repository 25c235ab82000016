// Data file records for every test tree, made and read by the program's own
// record codec, so a test states entries rather than byte offsets.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/Appointment.h"
#include "store/DataFile.h"

namespace test_common {

// Changes an entry's fields after its slot and text are set.
using EntryChange = std::function<void(store::An_Appointment&)>;

// The record of one entry, as a new entry under the default settings has
// it (default colour, reminder on, no repeat), with its slot and text.
std::string Record(int year, int month, int day, int hour, int minute, const std::string& text,
                   const EntryChange& change = nullptr);

// `count` entries "Entry 0", "Entry 1", ... in consecutive half-hour slots
// from the first of `firstMonth` on; every `reminderEvery`-th entry keeps
// its reminder, the others have none.
std::string ManyRecords(int count, int firstYear = 2020, int firstMonth = 1, int reminderEvery = 1);

// The whole records of a data file's bytes, in file order.
std::vector<store::AppointmentRecord> ReadRecords(const std::string& file);

// The texts of a data file's whole records, in file order.
std::vector<std::string> RecordTexts(const std::string& file);

// Every stored field of an entry but its timer identifier (which belongs to
// the run), read from the entry itself, one "name=value" line each: equal
// texts mean entries no copy, record or file can tell apart. The one list of
// an entry's fields in the tests.
std::string StoredFields(const store::An_Appointment& entry);

}  // namespace test_common
