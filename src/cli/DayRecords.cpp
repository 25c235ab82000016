#include "cli/DayRecords.h"

#include <cstring>
#include <limits>

#include "store/DataFile.h"
#include "store/FixedFields.h"
#include "store/SafeFile.h"

namespace cli {

namespace {

using store::kRecordSize;

// The index: magic (its last byte the version), the record size, then the
// data file's size, last write time and edge checksum, and a checksum of
// everything before it.
constexpr char kMagic[16] = {'L', 'u', 'm', 'e', 't', 't', 'a', 'D',
                             'a', 'y', 'I', 'n', 'd', 'e', 'x', '\x01'};
constexpr std::size_t kIndexSize = 56;
constexpr std::size_t kEdgeRecords = 16;
constexpr std::size_t kScanChunkRecords = 4096;

void PutUint64(unsigned char* p, std::uint64_t v) {
  store::PutInt32(p, static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  store::PutInt32(p + 4, static_cast<std::int32_t>(static_cast<std::uint32_t>(v >> 32)));
}

// FNV-1a, 64 bits.
std::uint64_t Hash(const unsigned char* data, std::size_t size,
                   std::uint64_t h = 14695981039346656037ull) {
  for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
  return h;
}

// A checksum of the first and last records: a file rewritten within the
// resolution of its write time, to the same size, almost always differs here.
bool EdgeHash(PositionedFile& file, std::uint64_t records, std::uint64_t& hash) {
  const std::uint64_t head = records < kEdgeRecords ? records : kEdgeRecords;
  const std::uint64_t tailFrom = records - head;
  unsigned char bytes[kEdgeRecords * kRecordSize];
  const std::size_t size = static_cast<std::size_t>(head) * kRecordSize;
  hash = 14695981039346656037ull;
  for (const std::uint64_t first : {std::uint64_t{0}, tailFrom}) {
    if (file.ReadAt(first * kRecordSize, bytes, size) != size) return false;
    hash = Hash(bytes, size, hash);
  }
  return true;
}

void MakeIndex(PositionedFile& file, std::uint64_t edgeHash, unsigned char* index) {
  std::memcpy(index, kMagic, sizeof kMagic);
  store::PutInt32(index + 16, static_cast<std::int32_t>(kRecordSize));
  store::PutInt32(index + 20, 0);
  PutUint64(index + 24, file.Size());
  PutUint64(index + 32, static_cast<std::uint64_t>(file.WriteTime()));
  PutUint64(index + 40, edgeHash);
  PutUint64(index + 48, Hash(index, 48));
}

// True when the index on disk was made for this very version of the file.
bool IndexMatches(PositionedFile& file, store::FileSystem& files, const std::string& indexPath,
                  std::uint64_t records) {
  const std::unique_ptr<store::InputFile> in = files.OpenRead(indexPath);
  if (!in) return false;
  unsigned char stored[kIndexSize + 1];
  if (in->Read(stored, sizeof stored) != kIndexSize) return false;
  std::uint64_t edge = 0;
  if (!EdgeHash(file, records, edge)) return false;
  unsigned char expected[kIndexSize];
  MakeIndex(file, edge, expected);
  return std::memcmp(stored, expected, kIndexSize) == 0;
}

// Through the index: the first record of `from` by binary search, then on to
// the first record after `to`. False when a record read on the way shows the
// file is not in order after all (the caller then reads every record).
bool FindThroughIndex(PositionedFile& file, std::uint64_t records, std::int64_t from,
                      std::int64_t to, std::vector<unsigned char>& out) {
  unsigned char record[kRecordSize];
  std::uint64_t lo = 0, hi = records;
  while (lo < hi) {
    const std::uint64_t mid = lo + (hi - lo) / 2;
    std::int64_t day = 0;
    if (file.ReadAt(mid * kRecordSize, record, kRecordSize) != kRecordSize ||
        !store::RecordDay(record, day)) {
      return false;
    }
    if (day < from) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  // Read straight onto the end of `out`, a chunk at a time, and cut it back
  // at the first record after `to`: a day of a full book is a few dozen
  // records, and every page touched is a page fault in a run this short.
  std::uint64_t chunk = 32;
  std::int64_t previous = from;
  for (std::uint64_t at = lo; at < records; chunk *= 2) {
    const std::uint64_t count = records - at < chunk ? records - at : chunk;
    const std::size_t bytes = static_cast<std::size_t>(count) * kRecordSize;
    const std::size_t start = out.size();
    out.resize(start + bytes);
    if (file.ReadAt(at * kRecordSize, out.data() + start, bytes) != bytes) return false;
    for (std::size_t i = start; i < out.size(); i += kRecordSize) {
      std::int64_t day = 0;
      if (!store::RecordDay(out.data() + i, day) || day < previous) return false;
      if (day > to) {
        out.resize(i);
        return true;
      }
      previous = day;
    }
    at += count;
  }
  return true;
}

}  // namespace

std::string DayIndexPathFor(const std::string& dataFile) {
  const std::string ext = ".bin";
  const std::size_t folderEnd = store::FolderOf(dataFile).size();
  if (dataFile.size() >= folderEnd + ext.size() + 1 &&
      dataFile.compare(dataFile.size() - ext.size(), ext.size(), ext) == 0) {
    return dataFile.substr(0, dataFile.size() - ext.size()) + ".idx";
  }
  return dataFile + ".idx";
}

DayRecords ReadDayRecords(PositionedFile& file, store::FileSystem& files,
                          const std::string& indexPath, std::int64_t from, std::int64_t to) {
  DayRecords found;
  const std::uint64_t records = file.Size() / kRecordSize;  // a trailing part is ignored
  if (records == 0 || from > to) return found;
  const bool matched = IndexMatches(file, files, indexPath, records);
  if (matched) {
    if (FindThroughIndex(file, records, from, to, found.records)) {
      found.indexed = true;
      return found;
    }
    found.records.clear();
  }

  // Every record, in chunks; on the way, whether the file is in day order.
  bool inOrder = true;
  std::int64_t previous = std::numeric_limits<std::int64_t>::min();
  std::vector<unsigned char> chunk(kScanChunkRecords * kRecordSize);
  std::uint64_t at = 0;
  while (at < records) {
    const std::size_t n = file.ReadAt(at * kRecordSize, chunk.data(), chunk.size());
    const std::size_t whole = n / kRecordSize;
    for (std::size_t i = 0; i < whole; ++i) {
      const unsigned char* r = chunk.data() + i * kRecordSize;
      std::int64_t day = 0;
      if (!store::RecordDay(r, day)) {
        inOrder = false;
        continue;
      }
      if (day < previous) inOrder = false;
      previous = day;
      if (day >= from && day <= to) found.records.insert(found.records.end(), r, r + kRecordSize);
    }
    at += whole;
    if (n < chunk.size()) break;  // the end, or a failed read
  }
  if (inOrder && at == records && !file.Failed()) {
    std::uint64_t edge = 0;
    if (EdgeHash(file, records, edge)) {
      unsigned char index[kIndexSize];
      MakeIndex(file, edge, index);
      store::WriteFileSafely(files, indexPath, index, sizeof index);
    }
  } else if (matched) {
    files.Remove(indexPath);  // it vouched for an order the file does not have
  }
  return found;
}

}  // namespace cli
