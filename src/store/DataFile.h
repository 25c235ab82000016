// The data file "Lumetta.bin": a plain sequence of 204-byte records, one per
// entry, little-endian, no header. The book's load and save operations are
// declared in AppointmentBook.h; this header holds the record itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "store/Colour.h"
#include "store/Moment.h"

namespace store {

class An_Appointment;

constexpr std::size_t kRecordSize = 204;

// Text limits of the record (characters; each field has one more byte for the zero).
constexpr std::size_t kWeekOrdinalChars = 4;
constexpr std::size_t kWeekdayTextChars = 10;
constexpr std::size_t kTextChars = 100;
// A text merged from several records is cut to this many characters.
constexpr std::size_t kMergedTextChars = 180;

constexpr const char* kDataFileName = "Lumetta.bin";
constexpr const char* kAdoptedDataFileName = "Lumetta.old.bin";
// Where the book goes while the data file cannot be read: beside the data
// file, or in the data folder when the data file's folder cannot be written.
constexpr const char* kUnsavedDataFileName = "Lumetta.unsaved.bin";

// Every half-hour slot from 1970 to 2038 is about 1.2 million records
// (244 MB); a diary that fills more is not kept. A larger file is no data file: it is refused
// before anything is reserved for it (on the 32-bit build the reservation alone could fail).
constexpr std::uint64_t kLargestDataFileSize = std::uint64_t{256} << 20;

// "Lumetta.Sun.bin" .. "Lumetta.Sat.bin" (Thursday: "Lumetta.Thur.bin") for a
// weekday 0 = Sunday .. 6 = Saturday.
const char* WeekdayBackupName(int weekday);

// The fields of one record as read from a file (or an old text line).
struct AppointmentRecord {
  std::int32_t year = 0;
  std::int32_t month = 0;
  std::int32_t day = 0;
  std::int32_t hour = 0;
  std::int32_t minute = 0;
  std::int32_t monthDay = 0;
  std::int32_t repeatKind = 0;
  std::uint32_t timerId = 0;  // as stored; ignored when loading
  Moment time = 0;            // as stored; ignored when loading
  std::int32_t reminderMinutes = 0;
  std::string weekOrdinal;
  std::string weekdayText;
  std::string text;
  std::int32_t dayBefore = 0;
  Colour colour = 0;
  Moment repeatUntil = 0;
  std::int32_t reminderOn = 0;
  std::int32_t tildeFlag = 0;
  std::int32_t noHighlight = 0;
};

// Builds the record of an entry: 204 bytes, texts cut to their fields.
void EncodeRecord(const An_Appointment& entry, unsigned char* record);

// Reads a record. A text field without a zero byte is taken up to its width;
// a colour is rebuilt from the lowest byte of each component.
void DecodeRecord(const unsigned char* record, AppointmentRecord& out);

// The day (a DayNumber) of a record, from its date fields alone; false for a
// date outside 1900-9999 or with no such month or day number. Cheaper than
// decoding, for finding the records of some days.
bool RecordDay(const unsigned char* record, std::int64_t& day);

}  // namespace store
