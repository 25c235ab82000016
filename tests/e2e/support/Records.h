#pragma once
// Data file records as the program writes them (204 bytes, little-endian),
// for scenarios that seed "Lumetta.bin" before a start and read it after.
#include <cstdint>
#include <string>

namespace e2e {

constexpr size_t kRecordSize = 204;

// One entry: its slot and text, the default colour, reminder on.
std::string Record(int year, int month, int day, int hour, int minute, const std::string& text);

// Fields of record `index` of a data file's bytes.
std::int32_t RecordInt(const std::string& file, size_t index, size_t offset);
std::string RecordText(const std::string& file, size_t index);

// Offsets within a record.
constexpr size_t kYear = 0;
constexpr size_t kDay = 8;
constexpr size_t kTime = 32;
constexpr size_t kReminderMinutes = 36;

// `count` entries in distinct half-hour slots from the first of that month
// on; every `reminderEvery`-th entry keeps its reminder, the others have none.
std::string ManyRecords(int count, int firstYear = 2020, int firstMonth = 1, int reminderEvery = 1);

}  // namespace e2e
