#pragma once
// What the user has already seen of the reminders, kept between runs: the
// moment the last run ended. A reminder whose moment came before it was
// shown in that run (at its time, or late when that run started), so the
// next start does not show it late again. File "reminders.bin" in the data
// folder: one 64-bit little-endian count of seconds since 1970.

#include <cstdint>
#include <optional>

#include "store/Platform.h"

namespace store {

constexpr const char* kReminderStateFile = "reminders.bin";

// The moment the last run ended; none when no run has written it (or the
// file is not 8 bytes).
std::optional<std::int64_t> ReadLastRunEnd(DataPaths& paths, FileSystem& files);
// Writes `moment` as the end of this run; false when it could not be written.
bool WriteLastRunEnd(DataPaths& paths, FileSystem& files, std::int64_t moment);

}  // namespace store
