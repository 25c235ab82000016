#pragma once
// Whether the appointment book changed since it was last written. Entries
// are changed in place by many windows (their fields are plain members), so
// instead of trusting every writer to report, the main window compares a
// fingerprint of everything the data file keeps: a change of any kept field
// of any entry, an added or a removed entry changes it. The list order and
// the run-time fields (reminder timer, computed time) do not count.

#include <cstdint>

namespace store {
class All_Appointments;
}

namespace shell {

struct BookFingerprint {
  std::uint64_t count = 0;
  std::uint64_t sum = 0;  // order-independent sum of the entries' hashes
  std::uint64_t mix = 0;  // a second, differently weighted sum

  bool operator==(const BookFingerprint& other) const {
    return count == other.count && sum == other.sum && mix == other.mix;
  }
  bool operator!=(const BookFingerprint& other) const { return !(*this == other); }
};

BookFingerprint FingerprintOf(const store::All_Appointments& book);

// Remembers the fingerprint of the last write and tells whether the book
// has changed since.
class ChangeWatch {
 public:
  // The book as it is now counts as written.
  void MarkWritten(const store::All_Appointments& book) { written_ = FingerprintOf(book); }
  bool ChangedSinceWritten(const store::All_Appointments& book) const {
    return FingerprintOf(book) != written_;
  }
  // True when the book changed since the last write; it then counts as
  // written, so a save that is still under way (showing a message) is not
  // started a second time.
  bool TakeChange(const store::All_Appointments& book) {
    const BookFingerprint now = FingerprintOf(book);
    if (now == written_) return false;
    written_ = now;
    return true;
  }

 private:
  BookFingerprint written_;
};

}  // namespace shell
