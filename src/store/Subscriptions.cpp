#include "store/Subscriptions.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "store/AppointmentBook.h"
#include "store/ICalendarImport.h"
#include "store/SafeFile.h"

namespace store {

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f;
  for (std::size_t p = 0;;) {
    const std::size_t tab = line.find('\t', p);
    f.push_back(line.substr(p, tab == std::string::npos ? std::string::npos : tab - p));
    if (tab == std::string::npos) return f;
    p = tab + 1;
  }
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  std::size_t i = 0;
  for (; prefix[i] != '\0'; ++i) {
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string SubscriptionsPath(const std::string& dataFile) {
  return FolderOf(dataFile) + "Lumetta.subscriptions";
}

std::string SubscriptionCachePath(const std::string& dataFile, const Subscription& s) {
  return FolderOf(dataFile) + "Lumetta.subscribed-" + s.id + ".ics";
}

std::vector<Subscription> ReadSubscriptions(FileSystem& files, const std::string& path) {
  std::vector<Subscription> list;
  const std::unique_ptr<InputFile> in = files.OpenRead(path);
  if (!in) return list;
  const std::string text = in->ReadRest();
  for (std::size_t at = 0; at < text.size();) {
    std::size_t nl = text.find('\n', at);
    if (nl == std::string::npos) nl = text.size();
    const std::vector<std::string> f = Fields(text.substr(at, nl - at));
    at = nl + 1;
    // Lines of another kind or a later version's extra fields are skipped or
    // ignored, not fatal.
    if (f.size() < 9 || f[0] != "calendar" || f[1].empty() || f[3].empty()) continue;
    Subscription s;
    s.id = f[1];
    s.name = f[2];
    s.address = f[3];
    s.colour = static_cast<Colour>(std::strtoul(f[4].c_str(), nullptr, 16) & 0xFFFFFF);
    s.on = f[5] == "1";
    s.highlight = f[6] == "1";
    s.etag = f[7];
    s.lastModified = f[8];
    list.push_back(std::move(s));
  }
  return list;
}

bool WriteSubscriptions(FileSystem& files, const std::string& path,
                        const std::vector<Subscription>& list) {
  std::string text;
  for (const Subscription& s : list) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(s.colour & 0xFFFFFF));
    text += "calendar\t" + s.id + "\t" + s.name + "\t" + s.address + "\t" + colour + "\t" +
            (s.on ? "1" : "0") + "\t" + (s.highlight ? "1" : "0") + "\t" + s.etag + "\t" +
            s.lastModified + "\n";
  }
  return WriteFileSafely(files, path, text.data(), text.size());
}

std::string NewSubscriptionId(const std::vector<Subscription>& list) {
  for (int n = 1;; ++n) {
    const std::string id = std::to_string(n);
    if (std::none_of(list.begin(), list.end(), [&](const Subscription& s) { return s.id == id; }))
      return id;
  }
}

std::string DownloadAddress(const std::string& address) {
  if (StartsWithNoCase(address, "webcal://")) return "https://" + address.substr(9);
  if (StartsWithNoCase(address, "webcals://")) return "https://" + address.substr(10);
  if (StartsWithNoCase(address, "https://") || StartsWithNoCase(address, "http://")) {
    return address;
  }
  return std::string();
}

bool FitsSubscriptionsFile(const std::string& text) {
  return !text.empty() && text.find_first_of("\t\r\n") == std::string::npos;
}

bool SubscribedItems::Add(const All_Appointments& book, const Subscription& s,
                          std::string_view ics) {
  const IcsOccurrences found = ReadICalendarOccurrences(book, ics);
  if (found.status != IcsImportStatus::Imported) return false;
  const auto item = [&](int minuteOfDay, const std::string& text) {
    SubscribedItem i;
    i.minuteOfDay = minuteOfDay;
    i.text = text;
    i.calendar = s.name;
    i.colour = s.colour;
    i.highlight = s.highlight;
    return i;
  };
  for (const auto& [day, texts] : found.allDay) {
    for (const std::string& text : texts) days_[day].push_back(item(-1, text));
  }
  for (const AppointmentRecord& r : found.timed) {
    days_[DayNumber(r.year, r.month, r.day)].push_back(item(r.hour * 60 + r.minute, r.text));
  }
  for (auto& [day, items] : days_) {
    std::stable_sort(items.begin(), items.end(),
                     [](const SubscribedItem& a, const SubscribedItem& b) {
                       return a.minuteOfDay < b.minuteOfDay;
                     });
  }
  return true;
}

void SubscribedItems::Load(const All_Appointments& book, FileSystem& files,
                           const std::string& dataFile, const std::vector<Subscription>& list) {
  Clear();
  for (const Subscription& s : list) {
    if (!s.on) continue;
    const std::unique_ptr<InputFile> in = files.OpenRead(SubscriptionCachePath(dataFile, s));
    if (!in) continue;
    std::string bytes;
    char buffer[1 << 16];
    for (std::size_t n; (n = in->Read(buffer, sizeof buffer)) > 0;) {
      bytes.append(buffer, n);
      if (bytes.size() > kMaxICalendarBytes) break;
    }
    if (!in->Failed()) Add(book, s, bytes);
  }
}

const std::vector<SubscribedItem>& SubscribedItems::On(int year, int month, int day) const {
  static const std::vector<SubscribedItem> kNone;
  const auto it = days_.find(DayNumber(year, month, day));
  return it == days_.end() ? kNone : it->second;
}

bool SubscribedItems::Highlights(int year, int month, int day) const {
  const std::vector<SubscribedItem>& items = On(year, month, day);
  return std::any_of(items.begin(), items.end(),
                     [](const SubscribedItem& i) { return i.highlight; });
}

std::string SubscribedLine(const SubscribedItem& item, bool withTime) {
  std::string line;
  if (withTime && item.minuteOfDay >= 0) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d ", item.minuteOfDay / 60 % 24,
                  item.minuteOfDay % 60);
    line = time;
  }
  return line + item.text + " (" + item.calendar + ")";
}

}  // namespace store
