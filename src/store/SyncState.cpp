#include "store/SyncState.h"

#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "store/SafeFile.h"

namespace store {

namespace {

constexpr const char* kHeader = "LUMETTA-SYNC 1";

// Values are written with tab, line breaks and '%' percent-escaped.
std::string Escape(const std::string& s) {
  std::string out;
  for (const char c : s) {
    if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

bool Unescape(std::string_view s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return false;
    const std::string hex(s.substr(i + 1, 2));
    char* end = nullptr;
    const long v = std::strtol(hex.c_str(), &end, 16);
    if (*end != '\0') return false;
    out += static_cast<char>(v);
    i += 2;
  }
  return true;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> out;
  for (std::size_t at = 0;;) {
    const std::size_t tab = line.find('\t', at);
    out.push_back(line.substr(at, tab == std::string_view::npos ? tab : tab - at));
    if (tab == std::string_view::npos) return out;
    at = tab + 1;
  }
}

bool Hash(std::string_view s, std::uint64_t& out) {
  if (s.size() != 16) return false;
  const std::string text(s);
  char* end = nullptr;
  out = std::strtoull(text.c_str(), &end, 16);
  return *end == '\0';
}

bool Slots(std::string_view s, std::vector<SyncSlot>& out) {
  for (std::size_t at = 0; at < s.size();) {
    std::size_t comma = s.find(',', at);
    if (comma == std::string_view::npos) comma = s.size();
    const std::string one(s.substr(at, comma - at));
    SyncSlot slot;
    char tail = 0;
    if (std::sscanf(one.c_str(), "%4d%2d%2dT%2d%2d%c", &slot.year, &slot.month, &slot.day,
                    &slot.hour, &slot.minute, &tail) != 5) {
      return false;
    }
    out.push_back(slot);
    at = comma + 1;
  }
  return true;
}

}  // namespace

bool SyncSlot::operator<(const SyncSlot& o) const {
  return std::tie(year, month, day, hour, minute) <
         std::tie(o.year, o.month, o.day, o.hour, o.minute);
}

std::uint64_t Fingerprint(std::string_view bytes) {
  std::uint64_t h = 1469598103934665603ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

SyncStateRead ReadSyncState(FileSystem& files, const std::string& path, SyncState& out) {
  out = SyncState();
  const std::unique_ptr<InputFile> in = files.OpenRead(path);
  if (!in) return files.Exists(path) ? SyncStateRead::Damaged : SyncStateRead::Missing;
  std::string text;
  char buffer[1 << 16];
  for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  if (in->Failed()) return SyncStateRead::Damaged;

  SyncState state;
  bool headerSeen = false;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t nl = text.find('\n', at);
    if (nl == std::string::npos) return SyncStateRead::Damaged;  // cut short
    const std::string_view line(text.data() + at, nl - at);
    at = nl + 1;
    if (!headerSeen) {
      if (line != kHeader) return SyncStateRead::Damaged;
      headerSeen = true;
      continue;
    }
    const std::vector<std::string_view> f = Fields(line);
    if (f[0] == "collection" && f.size() == 2) {
      if (!Unescape(f[1], state.collection)) return SyncStateRead::Damaged;
    } else if (f[0] == "token" && f.size() == 2) {
      if (!Unescape(f[1], state.token)) return SyncStateRead::Damaged;
    } else if (f[0] == "item" && f.size() == 7) {
      SyncRecord r;
      if (!Unescape(f[1], r.uid) || !Unescape(f[2], r.href) || !Unescape(f[3], r.etag) ||
          !Hash(f[4], r.remoteHash) || !Hash(f[5], r.localHash) || !Slots(f[6], r.slots) ||
          r.uid.empty() || r.href.empty()) {
        return SyncStateRead::Damaged;
      }
      state.records.push_back(std::move(r));
    } else if (f[0] == "end" && f.size() == 1 && at == text.size()) {
      out = std::move(state);
      return SyncStateRead::Read;
    } else {
      return SyncStateRead::Damaged;
    }
  }
  return SyncStateRead::Damaged;  // no end line: cut short
}

bool WriteSyncState(FileSystem& files, const std::string& path, const SyncState& state) {
  std::string text = std::string(kHeader) + "\n";
  text += "collection\t" + Escape(state.collection) + "\n";
  text += "token\t" + Escape(state.token) + "\n";
  for (const SyncRecord& r : state.records) {
    char hashes[40];
    std::snprintf(hashes, sizeof hashes, "%016llx\t%016llx",
                  static_cast<unsigned long long>(r.remoteHash),
                  static_cast<unsigned long long>(r.localHash));
    text += "item\t" + Escape(r.uid) + "\t" + Escape(r.href) + "\t" + Escape(r.etag) + "\t" +
            hashes + "\t";
    for (std::size_t i = 0; i < r.slots.size(); ++i) {
      char slot[24];
      std::snprintf(slot, sizeof slot, "%s%04d%02d%02dT%02d%02d", i > 0 ? "," : "", r.slots[i].year,
                    r.slots[i].month, r.slots[i].day, r.slots[i].hour, r.slots[i].minute);
      text += slot;
    }
    text += "\n";
  }
  text += "end\n";
  return WriteFileSafely(files, path, text.data(), text.size());
}

std::string SyncStatePath(const std::string& dataFile, const std::string& account) {
  std::string base = dataFile;
  const std::size_t dot = base.rfind('.');
  if (dot != std::string::npos && dot >= FolderOf(base).size()) base.erase(dot);
  std::string name;
  for (const char c : account) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    name += plain ? c : '_';
  }
  return base + "." + name + ".sync";
}

}  // namespace store
