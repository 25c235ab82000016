// What the CalDAV sync remembers between runs, in a small text file beside
// the data file: the calendar's address, the server's last sync token and,
// for every calendar object, its UID, href and ETag with fingerprints of its
// last synced text on the server and of its entries in the diary (and the
// slots they stood in). The file is written safely; a missing or damaged
// one is an empty state, which leads to a full comparison, never to doubles.
// It holds no credentials.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/Platform.h"

namespace store {

struct SyncSlot {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  bool operator==(const SyncSlot& o) const {
    return year == o.year && month == o.month && day == o.day && hour == o.hour &&
           minute == o.minute;
  }
  bool operator<(const SyncSlot& o) const;
};

struct SyncRecord {
  std::string uid;
  std::string href;              // as the server writes it (a path)
  std::string etag;              // "" when the server named none: fetched again next time
  std::uint64_t remoteHash = 0;  // Fingerprint of the calendar object's text
  std::uint64_t localHash = 0;   // EntriesFingerprint of its entries
  std::vector<SyncSlot> slots;   // where its entries stood
};

struct SyncState {
  std::string collection;  // the calendar's URL
  std::string token;       // "" when there is none
  std::vector<SyncRecord> records;
};

// 64-bit FNV-1a: the fingerprints of texts.
std::uint64_t Fingerprint(std::string_view bytes);

enum class SyncStateRead { Missing, Read, Damaged };
SyncStateRead ReadSyncState(FileSystem& files, const std::string& path, SyncState& out);
bool WriteSyncState(FileSystem& files, const std::string& path, const SyncState& state);

// "<folder>/Lumetta.bin" + account "home" -> "<folder>/Lumetta.home.sync".
std::string SyncStatePath(const std::string& dataFile, const std::string& account);

}  // namespace store
