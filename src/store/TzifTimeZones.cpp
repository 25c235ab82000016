#include "store/TzifTimeZones.h"

#include "store/CivilDate.h"

namespace store {

namespace {

// No zone file comes near this; anything larger is not one.
constexpr std::size_t kMaxTzifBytes = 1 << 20;
// Changes after 2038 cannot matter: moments end in January 2038.
const std::int64_t kEndUtc = DayNumber(2039, 1, 1) * 86400;

std::int64_t BigEndian(std::string_view b, std::size_t at, std::size_t size) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  if (size == 4) return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  return static_cast<std::int64_t>(v);
}

struct Counts {
  std::size_t isut, isstd, leap, time, type, chars;
  std::size_t Block(std::size_t timeSize) const {
    return time * timeSize + time + type * 6 + chars + leap * (timeSize + 4) + isstd + isut;
  }
};

bool Header(std::string_view b, std::size_t at, Counts& c) {
  if (b.size() < at + 44 || b.substr(at, 4) != "TZif") return false;
  std::size_t* fields[] = {&c.isut, &c.isstd, &c.leap, &c.time, &c.type, &c.chars};
  for (std::size_t i = 0; i < 6; ++i) {
    const std::int64_t v = BigEndian(b, at + 20 + 4 * i, 4);
    if (v < 0 || v > static_cast<std::int64_t>(kMaxTzifBytes)) return false;
    *fields[i] = static_cast<std::size_t>(v);
  }
  return c.type > 0;
}

}  // namespace

bool ReadTzif(std::string_view b, std::vector<ZoneTransition>& out) {
  Counts c{};
  if (!Header(b, 0, c)) return false;
  std::size_t at = 44;
  std::size_t timeSize = 4;
  if (b[4] >= '2') {  // the 64-bit data follow the 32-bit data
    at += c.Block(4);
    if (!Header(b, at, c)) return false;
    at += 44;
    timeSize = 8;
  }
  if (b.size() < at + c.Block(timeSize)) return false;
  const std::size_t indices = at + c.time * timeSize;
  const std::size_t types = indices + c.time;
  auto offsetOf = [&](std::size_t type) {
    return static_cast<int>(BigEndian(b, types + 6 * type, 4));
  };
  out.clear();
  int offset = offsetOf(0);  // before the first change
  bool started = false;
  for (std::size_t i = 0; i < c.time; ++i) {
    const std::int64_t utc = BigEndian(b, at + i * timeSize, timeSize);
    const std::size_t type = static_cast<unsigned char>(b[indices + i]);
    if (type >= c.type) return false;
    if (utc >= kEndUtc) break;
    if (utc >= 0 && !started) {
      out.push_back({0, offset, offset});
      started = true;
    }
    const int to = offsetOf(type);
    if (started && to != offset) out.push_back({utc, offset, to});
    offset = to;
  }
  if (!started) out.push_back({0, offset, offset});
  return true;
}

bool TzifTimeZones::Transitions(const std::string& ianaName, std::vector<ZoneTransition>& out) {
  const std::unique_ptr<InputFile> in = files_.OpenRead(folder_ + ianaName);
  if (!in) return false;
  std::string bytes;
  char buffer[8192];
  for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, n);
    if (bytes.size() > kMaxTzifBytes) return false;
  }
  return !in->Failed() && ReadTzif(bytes, out);
}

}  // namespace store
