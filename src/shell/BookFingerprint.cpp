#include "shell/BookFingerprint.h"

#include <string>

#include "store/AppointmentBook.h"

namespace shell {

namespace {

// FNV-1a, 64 bits.
class Hasher {
 public:
  void Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
      value_ ^= bytes[i];
      value_ *= 0x100000001B3ull;
    }
  }
  void AddInt(std::int64_t v) { Add(&v, sizeof v); }
  void AddText(const std::string& text) {
    AddInt(static_cast<std::int64_t>(text.size()));
    Add(text.data(), text.size());
  }
  std::uint64_t Value() const { return value_; }

 private:
  std::uint64_t value_ = 0xCBF29CE484222325ull;
};

std::uint64_t EntryHash(const store::An_Appointment& e) {
  Hasher h;
  const std::int64_t numbers[] = {e.year(),     e.month(),    e.day(),      e.hour(),
                                  e.minute(),   e.monthDay,   e.repeatKind, e.reminderMinutes,
                                  e.reminderOn, e.dayBefore,  e.tildeFlag,  e.noHighlight,
                                  e.colour,     e.repeatUntil};
  h.Add(numbers, sizeof numbers);
  h.AddText(e.text);
  h.AddText(e.weekOrdinal);
  h.AddText(e.weekdayText);
  return h.Value();
}

}  // namespace

BookFingerprint FingerprintOf(const store::All_Appointments& book) {
  BookFingerprint print;
  for (const store::An_Appointment& e : book) {
    const std::uint64_t hash = EntryHash(e);
    ++print.count;
    print.sum += hash;
    print.mix += hash * (hash | 1u) ^ (hash >> 29);
  }
  return print;
}

}  // namespace shell
