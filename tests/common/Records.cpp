#include "common/Records.h"

#include <sstream>

#include "common/Fakes.h"
#include "store/CivilDate.h"

namespace test_common {

using store::AppointmentRecord;
using store::kRecordSize;

std::string Record(int year, int month, int day, int hour, int minute, const std::string& text,
                   const EntryChange& change) {
  fakes::FakeWorld world;
  store::All_Appointments book(world.Context());
  store::An_Appointment& entry = book.Create();
  entry.SetSlot(year, month, day, hour, minute, text);
  if (change) change(entry);
  std::string record(kRecordSize, '\0');
  store::EncodeRecord(entry, reinterpret_cast<unsigned char*>(&record[0]));
  return record;
}

std::string ManyRecords(int count, int firstYear, int firstMonth, int reminderEvery) {
  fakes::FakeWorld world;
  store::All_Appointments book(world.Context());
  std::string bytes(static_cast<size_t>(count) * kRecordSize, '\0');
  const std::int64_t first = store::DayNumber(firstYear, firstMonth, 1);
  for (int i = 0; i < count; ++i) {
    const store::CivilDate date = store::DateOfDayNumber(first + i / 48);
    const int slot = i % 48;
    store::An_Appointment& entry = book.Create();
    entry.SetSlot(date.year, date.month, date.day, slot / 2, (slot % 2) * 30,
                  "Entry " + std::to_string(i));
    if (i % reminderEvery != 0) entry.reminderMinutes = -1;
    store::EncodeRecord(entry, reinterpret_cast<unsigned char*>(&bytes[i * kRecordSize]));
    book.Destroy(entry);
  }
  return bytes;
}

std::vector<AppointmentRecord> ReadRecords(const std::string& file) {
  std::vector<AppointmentRecord> records(file.size() / kRecordSize);
  for (size_t i = 0; i < records.size(); ++i) {
    store::DecodeRecord(reinterpret_cast<const unsigned char*>(file.data() + i * kRecordSize),
                        records[i]);
  }
  return records;
}

std::vector<std::string> RecordTexts(const std::string& file) {
  std::vector<std::string> texts;
  for (const AppointmentRecord& record : ReadRecords(file)) texts.push_back(record.text);
  return texts;
}

std::string StoredFields(const store::An_Appointment& e) {
  std::ostringstream out;
  out << "slot=" << e.year() << "-" << e.month() << "-" << e.day() << " " << e.hour() << ":"
      << e.minute() << "\ntext=" << e.text << "\nmonthDay=" << e.monthDay
      << "\nrepeatKind=" << e.repeatKind << "\nweekOrdinal=" << e.weekOrdinal
      << "\nweekdayText=" << e.weekdayText << "\nrepeatUntil=" << e.repeatUntil
      << "\ntime=" << e.time << "\nreminderMinutes=" << e.reminderMinutes
      << "\nreminderOn=" << e.reminderOn << "\ndayBefore=" << e.dayBefore << "\ncolour=" << e.colour
      << "\ntildeFlag=" << e.tildeFlag << "\nnoHighlight=" << e.noHighlight << "\n";
  return out.str();
}

}  // namespace test_common
