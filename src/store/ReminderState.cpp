#include "store/ReminderState.h"

#include <memory>

#include "store/SafeFile.h"

namespace store {

std::optional<std::int64_t> ReadLastRunEnd(DataPaths& paths, FileSystem& files) {
  const std::string path = paths.DataFilePath(kReminderStateFile, false);
  if (!files.Exists(path)) return std::nullopt;
  std::unique_ptr<InputFile> in = files.OpenRead(path);
  if (in == nullptr) return std::nullopt;
  unsigned char bytes[9] = {};  // one more tells a longer file
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const std::size_t n = in->Read(bytes + got, sizeof bytes - got);
    if (n == 0) break;
    got += n;
  }
  if (in->Failed() || got != 8) return std::nullopt;
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
  return static_cast<std::int64_t>(value);
}

bool WriteLastRunEnd(DataPaths& paths, FileSystem& files, std::int64_t moment) {
  unsigned char bytes[8];
  std::uint64_t value = static_cast<std::uint64_t>(moment);
  for (unsigned char& byte : bytes) {
    byte = static_cast<unsigned char>(value & 0xFF);
    value >>= 8;
  }
  return WriteFileSafely(files, paths.DataFilePath(kReminderStateFile, true), bytes, sizeof bytes);
}

}  // namespace store
