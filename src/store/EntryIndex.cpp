#include "store/EntryIndex.h"

#include "store/Appointment.h"

namespace store {

std::size_t KeyedChains::Home(std::uint64_t key) const {
  key ^= key >> 31;
  key *= 0x9E3779B97F4A7C15ull;
  key ^= key >> 29;
  // Scale the hash's high 32 bits to the table's size.
  return static_cast<std::size_t>(((key >> 32) * buckets_.size()) >> 32);
}

An_Appointment*& KeyedChains::NextOf(An_Appointment* e) const {
  return links_ == Links::Slot ? e->slotNext_ : e->dayNext_;
}

An_Appointment* KeyedChains::Next(const An_Appointment* e, Links links) {
  return links == Links::Slot ? e->slotNext_ : e->dayNext_;
}

std::size_t KeyedChains::Find(std::uint64_t key) const {
  if (buckets_.empty()) return npos;
  for (std::size_t i = Home(key);; i = Following(i)) {
    const Bucket& b = buckets_[i];
    if (b.head == nullptr) return npos;
    if (b.key == key) return i;
  }
}

An_Appointment* KeyedChains::Head(std::uint64_t key) const {
  const std::size_t i = Find(key);
  return i == npos ? nullptr : buckets_[i].head;
}

void KeyedChains::Grow() { Rehash(buckets_.empty() ? 64 : buckets_.size() * 3 / 2); }

void KeyedChains::Reserve(std::size_t keys) {
  const std::size_t size = keys * 4 / 3 + 1;
  if (size > buckets_.size()) Rehash(size < 64 ? 64 : size);
}

void KeyedChains::Prefetch(std::uint64_t key) const {
#if defined(__GNUC__)
  if (!buckets_.empty()) __builtin_prefetch(&buckets_[Home(key)]);
#else
  (void)key;
#endif
}

void KeyedChains::Rehash(std::size_t buckets) {
  std::vector<Bucket> old;
  old.swap(buckets_);
  buckets_.assign(buckets, Bucket{0, nullptr});
  for (const Bucket& b : old) {
    if (b.head == nullptr) continue;
    std::size_t i = Home(b.key);
    while (buckets_[i].head != nullptr) i = Following(i);
    buckets_[i] = b;
  }
}

void KeyedChains::Insert(std::uint64_t key, An_Appointment* e) {
  const std::size_t found = Find(key);
  if (found != npos) {
    NextOf(e) = buckets_[found].head;
    buckets_[found].head = e;
    return;
  }
  if ((used_ + 1) * 4 > buckets_.size() * 3) Grow();  // load factor at most 3/4
  std::size_t i = Home(key);
  while (buckets_[i].head != nullptr) i = Following(i);
  NextOf(e) = nullptr;
  buckets_[i] = Bucket{key, e};
  ++used_;
}

void KeyedChains::Erase(std::uint64_t key, An_Appointment* e) {
  const std::size_t i = Find(key);
  if (i == npos) return;
  An_Appointment* const next = NextOf(e);
  NextOf(e) = nullptr;
  if (buckets_[i].head == e) {
    if (next != nullptr) {
      buckets_[i].head = next;
    } else {
      RemoveBucket(i);
    }
    return;
  }
  for (An_Appointment* p = buckets_[i].head; p != nullptr; p = NextOf(p)) {
    if (NextOf(p) == e) {
      NextOf(p) = next;
      return;
    }
  }
}

// Backward-shift deletion keeps every probe sequence unbroken without tombstones.
void KeyedChains::RemoveBucket(std::size_t i) {
  buckets_[i].head = nullptr;
  --used_;
  std::size_t j = i;
  for (;;) {
    j = Following(j);
    if (buckets_[j].head == nullptr) return;
    const std::size_t home = Home(buckets_[j].key);
    // Move j back into the hole at i unless its home lies cyclically in (i, j].
    const bool homeInRange = i <= j ? (home > i && home <= j) : (home > i || home <= j);
    if (!homeInRange) {
      buckets_[i] = buckets_[j];
      buckets_[j].head = nullptr;
      i = j;
    }
  }
}

void KeyedChains::Clear() {
  buckets_.clear();
  used_ = 0;
}

}  // namespace store
