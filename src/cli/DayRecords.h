#pragma once
// The records of some days of a data file, found without reading all of it.
// The program saves its book in time order, but an older version or a hand
// may not have: one full read proves the order, and a small index file
// beside the data file ("Lumetta.idx" beside "Lumetta.bin") keeps that proof
// for that version of the file (its size, last write time and a checksum of
// its first and last records). While the index matches, the days' records
// are found by binary search; otherwise every record is read, and the index
// is written again when the file was in order.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CliHost.h"
#include "store/Platform.h"

namespace cli {

// The index of a data file: its name with ".idx" in place of ".bin".
std::string DayIndexPathFor(const std::string& dataFile);

struct DayRecords {
  // The whole records whose day (store::RecordDay) lies in the days asked
  // for, one after another in file order: what a read of every record
  // would pick.
  std::vector<unsigned char> records;
  bool indexed = false;  // found through a matching index
};

// The records of the days `from` to `to` (DayNumbers). A failed index write
// is ignored: the next read reads every record again.
DayRecords ReadDayRecords(PositionedFile& file, store::FileSystem& files,
                          const std::string& indexPath, std::int64_t from, std::int64_t to);

}  // namespace cli
