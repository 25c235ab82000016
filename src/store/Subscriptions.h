#pragma once
// Calendars the user only reads (public holidays, a team's calendar): the
// list kept beside the data file ("Lumetta.subscriptions", one line each,
// tab-separated), a cached copy of each calendar's .ics in the data folder,
// and their occurrences held in memory, never in the book or its data file.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/CivilDate.h"
#include "store/Colour.h"
#include "store/Platform.h"

namespace store {

class All_Appointments;

struct Subscription {
  std::string id;       // names its cached copy; never changes
  std::string name;     // shown beside its events
  std::string address;  // https://, webcal:// or a local .ics file
  Colour colour = 0;
  bool on = true;
  bool highlight = false;    // its days are highlighted in the month view
  std::string etag;          // of the last download
  std::string lastModified;  // of the last download, or the local file's time
};

std::string SubscriptionsPath(const std::string& dataFile);
// The cached copy of the subscription's calendar.
std::string SubscriptionCachePath(const std::string& dataFile, const Subscription& s);

std::vector<Subscription> ReadSubscriptions(FileSystem& files, const std::string& path);
bool WriteSubscriptions(FileSystem& files, const std::string& path,
                        const std::vector<Subscription>& list);
// An id no subscription of the list has.
std::string NewSubscriptionId(const std::vector<Subscription>& list);

// The address to download: webcal:// is https://; "" for a local file.
std::string DownloadAddress(const std::string& address);
// What the list file can keep (no tabs or line breaks, not empty).
bool FitsSubscriptionsFile(const std::string& text);

// One occurrence of a subscribed calendar's event.
struct SubscribedItem {
  int minuteOfDay = -1;  // -1: all day
  std::string text;
  std::string calendar;  // the subscription's name
  Colour colour = 0;
  bool highlight = false;
};

// The occurrences of every subscription that is on, by day, read from their
// cached copies.
class SubscribedItems {
 public:
  void Clear() { days_.clear(); }
  // Adds what the calendar's text holds (by the import's rules; `book` lends
  // its code page, colour and zones and is not changed). False when the
  // text is not a calendar.
  bool Add(const All_Appointments& book, const Subscription& s, std::string_view ics);
  // Clears, then adds the cached copy of each subscription that is on.
  void Load(const All_Appointments& book, FileSystem& files, const std::string& dataFile,
            const std::vector<Subscription>& list);

  // The day's occurrences: all-day ones first, then by time.
  const std::vector<SubscribedItem>& On(int year, int month, int day) const;
  // A subscription asking for it has an occurrence that day.
  bool Highlights(int year, int month, int day) const;
  bool Empty() const { return days_.empty(); }

 private:
  std::map<std::int64_t, std::vector<SubscribedItem>> days_;  // by day number
};

// "10:30 Text (Calendar)" / "Text (Calendar)": an occurrence as the views
// show it, its calendar named so that it reads as not the user's own.
std::string SubscribedLine(const SubscribedItem& item, bool withTime);

}  // namespace store
