// Internal to the appointment book: entries that share a key (a slot, or a
// day), chained through one link inside each entry and found through an
// open-addressing hash table. Lookups are O(1) plus the chain's length.
// Chains are singly linked: inserting never touches another entry, which
// keeps loading a shuffled file fast; erasing walks the (short) chain.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace store {

class An_Appointment;

class KeyedChains {
 public:
  enum class Links { Slot, Day };

  explicit KeyedChains(Links links) : links_(links) {}

  // The first entry of the key's chain (chain order is arbitrary), or nullptr.
  An_Appointment* Head(std::uint64_t key) const;
  static An_Appointment* Next(const An_Appointment* e, Links links);
  An_Appointment* Next(const An_Appointment* e) const { return Next(e, links_); }

  void Insert(std::uint64_t key, An_Appointment* e);
  // Room for `keys` keys in all without growing.
  void Reserve(std::size_t keys);
  // Asks the processor to fetch the key's bucket ahead of a lookup.
  void Prefetch(std::uint64_t key) const;
  void Erase(std::uint64_t key, An_Appointment* e);
  void Clear();

 private:
  struct Bucket {
    std::uint64_t key;
    An_Appointment* head;  // nullptr: empty bucket
  };

  // The key's first bucket. Tables may have any size (no power of two), so
  // reserving room for n keys takes about 4n/3 buckets, not up to twice that.
  std::size_t Home(std::uint64_t key) const;
  std::size_t Following(std::size_t i) const { return i + 1 == buckets_.size() ? 0 : i + 1; }
  std::size_t Find(std::uint64_t key) const;  // bucket index or npos
  void Grow();
  void Rehash(std::size_t buckets);
  void RemoveBucket(std::size_t i);
  An_Appointment*& NextOf(An_Appointment* e) const;

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  Links links_;
  std::vector<Bucket> buckets_;
  std::size_t used_ = 0;
};

// Keys: the year in the high 32 bits, then month, day, hour, minute in a byte
// each. Fields outside 0..255 have no key; the book keeps such entries aside.
inline bool MakeSlotKey(int year, int month, int day, int hour, int minute, std::uint64_t& key) {
  if (static_cast<unsigned>(month) > 255 || static_cast<unsigned>(day) > 255 ||
      static_cast<unsigned>(hour) > 255 || static_cast<unsigned>(minute) > 255) {
    return false;
  }
  key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(year)) << 32) |
        (static_cast<std::uint64_t>(month) << 24) | (static_cast<std::uint64_t>(day) << 16) |
        (static_cast<std::uint64_t>(hour) << 8) | static_cast<std::uint64_t>(minute);
  return true;
}

inline bool MakeDayKey(int year, int month, int day, std::uint64_t& key) {
  return MakeSlotKey(year, month, day, 0, 0, key);
}

}  // namespace store
