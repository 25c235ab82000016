#include "support/Records.h"

#include <cstring>

namespace e2e {
namespace {

void PutInt32(std::string& bytes, size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Record(int year, int month, int day, int hour, int minute, const std::string& text) {
  std::string record(kRecordSize, '\0');
  PutInt32(record, 0, year);
  PutInt32(record, 4, month);
  PutInt32(record, 8, day);
  PutInt32(record, 12, hour);
  PutInt32(record, 16, minute);
  std::memcpy(&record[56], text.data(), text.size() < 100 ? text.size() : 100);
  PutInt32(record, 168, 125);  // green
  PutInt32(record, 172, 251);  // blue
  PutInt32(record, 180, 1);    // reminder on
  return record;
}

std::int32_t RecordInt(const std::string& file, size_t index, size_t offset) {
  const size_t at = index * kRecordSize + offset;
  if (at + 4 > file.size()) return 0;
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

std::string RecordText(const std::string& file, size_t index) {
  const size_t at = index * kRecordSize + 56;
  if (at >= file.size()) return "";
  return std::string(file.c_str() + at);
}

std::string ManyRecords(int count, int firstYear, int firstMonth, int reminderEvery) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::string bytes;
  bytes.reserve(static_cast<size_t>(count) * kRecordSize);
  int year = firstYear, month = firstMonth, day = 1, slot = 0;
  for (int i = 0; i < count; ++i) {
    std::string record =
        Record(year, month, day, slot / 2, (slot % 2) * 30, "Entry " + std::to_string(i));
    if (i % reminderEvery != 0) PutInt32(record, kReminderMinutes, -1);
    bytes += record;
    if (++slot < 48) continue;
    slot = 0;
    const int length = month == 2 && year % 4 != 0 ? 28 : kDays[month - 1];
    if (++day <= length) continue;
    day = 1;
    if (++month <= 12) continue;
    month = 1;
    ++year;
  }
  return bytes;
}

}  // namespace e2e
