#include "store/TextImport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "store/AppointmentBook.h"
#include "store/BackupRestore.h"
#include "store/DataFile.h"

namespace store {

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
constexpr int kFieldCount = 21;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A leading decimal number: white space, an optional sign, digits; reading
// stops at the first other character; no digits give 0. Values beyond 32
// bits are held at the nearest limit.
std::int32_t LeadingInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + (s[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max())
    value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::string OldTextDataPath(const std::string& executablePath) {
  const std::size_t sep = executablePath.rfind('\\');
  const std::string folder =
      sep == std::string::npos ? std::string() : executablePath.substr(0, sep);
  return folder + "\\" + kOldTextDataFileName;
}

// --- Reading lines ---------------------------------------------------------------

LineReader::LineReader(InputFile& file) : file_(file), block_(kReadBlock) {}

bool LineReader::Fill() {
  at_ = 0;
  end_ = file_.Read(block_.data(), block_.size());
  return end_ != 0;
}

bool LineReader::Skip(std::size_t n) {
  while (n > 0) {
    if (at_ == end_ && !Fill()) return false;
    const std::size_t step = std::min(n, end_ - at_);
    at_ += step;
    n -= step;
  }
  return true;
}

std::string_view LineBuffer::Text() const {
  const void* zero = std::memchr(bytes, 0, length);
  const std::size_t n = zero != nullptr ? static_cast<const char*>(zero) - bytes : length;
  return std::string_view(bytes, n);
}

bool ReadLine(LineReader& in, LineBuffer& line) {
  line.length = 0;
  line.cut = false;
  line.bytes[0] = '\0';
  char c = 0;
  while (in.Next(c)) {
    if (c == '\n') {
      line.bytes[line.length] = '\0';
      return true;
    }
    if (line.length < kLineBufferSize - 1) {
      line.bytes[line.length++] = c;
    } else {
      line.cut = true;  // the rest of an over-long line is dropped
    }
  }
  line.bytes[line.length] = '\0';
  return false;
}

// --- Parsing lines ---------------------------------------------------------------

bool ParseFields(std::string_view line, AppointmentRecord& out) {
  if (line.size() > kMaxImportLineChars) return false;
  std::string_view fields[kFieldCount];
  std::size_t start = 0;
  for (int f = 0; f < kFieldCount && start <= line.size(); ++f) {
    std::size_t bar = line.find('|', start);
    if (bar == std::string_view::npos) bar = line.size();
    fields[f] = line.substr(start, bar - start);
    start = bar + 1;
  }
  out = AppointmentRecord{};
  out.year = LeadingInteger(fields[1]);
  out.month = LeadingInteger(fields[2]);
  if (out.year < 1970 || out.year > 2037 || out.month < 0 || out.month > 12) return false;
  out.day = LeadingInteger(fields[3]);
  out.hour = LeadingInteger(fields[4]);
  out.minute = LeadingInteger(fields[5]);
  out.monthDay = LeadingInteger(fields[6]);
  out.repeatKind = LeadingInteger(fields[7]);
  out.reminderMinutes = LeadingInteger(fields[10]);
  out.weekOrdinal = std::string(fields[11]);
  out.weekdayText = std::string(fields[12]);
  out.text = std::string(fields[13]);
  out.dayBefore = LeadingInteger(fields[14]);
  out.colour = MakeColour(LeadingInteger(fields[15]), LeadingInteger(fields[16]),
                          LeadingInteger(fields[17]));
  out.repeatUntil = LeadingInteger(fields[18]);
  out.reminderOn = LeadingInteger(fields[19]);
  out.tildeFlag = LeadingInteger(fields[20]);
  out.noHighlight = 0;  // not part of the line
  return true;
}

bool ParseLine(All_Appointments& book, std::string_view line, MomentCache* cache) {
  AppointmentRecord record;
  if (!ParseFields(line, record)) return false;
  // The merge rule of the data file; it refuses a date or time that cannot
  // become a moment, one line at a time.
  return book.AddRecord(record, cache);
}

// --- Importing a file -------------------------------------------------------------

ImportResult ImportText(All_Appointments& book, const std::string& path, bool showMessages) {
  const StoreContext& ctx = book.context();
  ImportResult result;
  const std::unique_ptr<InputFile> file = ctx.files.OpenRead(path);
  if (!file) {
    if (showMessages) {
      ctx.prompts.Show("The file " + path + " was not found!", kPromptCaption, PromptButtons::Ok,
                       PromptIcon::None);
    }
    return result;
  }
  result.opened = true;
  LineReader reader(*file);
  LineBuffer line;
  MomentCache cache;
  AppointmentRecord record;
  while (ReadLine(reader, line)) {
    ++result.lines;
    if (ParseFields(line.Text(), record)) {
      const All_Appointments::RecordFate fate = book.MergeRecord(record, &cache);
      if (fate != All_Appointments::RecordFate::Refused) ++result.imported;
      if (fate == All_Appointments::RecordFate::Made) ++result.made;
    }
    if (!reader.Skip(kBytesAfterLine)) break;
  }
  if (!showMessages) return result;
  if (file->Failed()) {
    ReportUnreadRestore(ctx.prompts, path, static_cast<std::size_t>(result.imported));
  } else {
    ctx.prompts.Show("Restored " + std::to_string(result.imported) + " entries from backup.",
                     kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
  }
  return result;
}

}  // namespace store
