// The agenda's records of some days, through the index and by reading every
// record, on random diaries: in day order (as the program saves), out of
// order (an older version, a hand), with broken dates, and changed behind
// an index's back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "cli/DayRecords.h"
#include "common/Fakes.h"
#include "common/Records.h"
#include "store/CivilDate.h"
#include "store/DataFile.h"
#include "store/FixedFields.h"

namespace {

using store::kRecordSize;

class MemoryFile : public cli::PositionedFile {
 public:
  MemoryFile(std::string data, std::int64_t writeTime)
      : data_(std::move(data)), writeTime_(writeTime) {}
  std::uint64_t Size() const override { return data_.size(); }
  std::int64_t WriteTime() const override { return writeTime_; }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
    if (offset >= data_.size()) return 0;
    const std::size_t n = std::min<std::size_t>(size, data_.size() - offset);
    std::memcpy(buffer, data_.data() + offset, n);
    bytesRead += n;
    return n;
  }
  bool Failed() const override { return false; }
  std::size_t bytesRead = 0;

 private:
  std::string data_;
  std::int64_t writeTime_;
};

// The records a read of every record picks, by the definition.
std::string EveryRecordOf(const std::string& data, std::int64_t from, std::int64_t to) {
  std::string picked;
  for (std::size_t at = 0; at + kRecordSize <= data.size(); at += kRecordSize) {
    std::int64_t day = 0;
    const auto* r = reinterpret_cast<const unsigned char*>(data.data() + at);
    if (store::RecordDay(r, day) && day >= from && day <= to) picked.append(data, at, kRecordSize);
  }
  return picked;
}

enum class Shape { InOrder, Shuffled, BrokenDates };

class DayRecordsTest : public ::testing::Test {
 protected:
  std::mt19937 rng_{30};
  fakes::MemoryFileSystem files_;
  const std::string index_ = "diary/Lumetta.idx";
  const std::int64_t first_ = store::DayNumber(2025, 12, 20);

  int Random(int below) { return static_cast<int>(rng_() % static_cast<unsigned>(below)); }

  // 50 to 600 records over 40 days, some in one slot (merged by the agenda),
  // a trailing part record now and then.
  std::string Diary(Shape shape) {
    std::vector<std::string> records;
    const int count = 50 + Random(550);
    for (int i = 0; i < count; ++i) {
      const store::CivilDate d = store::DateOfDayNumber(first_ + Random(40));
      records.push_back(test_common::Record(d.year, d.month, d.day, Random(3), 30 * Random(2),
                                            "Entry " + std::to_string(Random(5))));
    }
    if (shape == Shape::BrokenDates && !records.empty()) {
      auto* r = reinterpret_cast<unsigned char*>(&records[Random(count)][0]);
      store::PutInt32(r + 4, 13);  // month 13
    }
    if (shape == Shape::InOrder) {
      std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        std::int64_t x = 0, y = 0;
        store::RecordDay(reinterpret_cast<const unsigned char*>(a.data()), x);
        store::RecordDay(reinterpret_cast<const unsigned char*>(b.data()), y);
        return x < y;
      });
    } else {
      std::shuffle(records.begin(), records.end(), rng_);
    }
    std::string data;
    for (const std::string& r : records) data += r;
    if (Random(4) == 0) data.append(static_cast<std::size_t>(Random(200)), 'x');
    return data;
  }

  cli::DayRecords Read(MemoryFile& file, std::int64_t from, std::int64_t to) {
    return cli::ReadDayRecords(file, files_, index_, from, to);
  }
  static std::string Bytes(const cli::DayRecords& r) {
    return std::string(r.records.begin(), r.records.end());
  }
};

TEST_F(DayRecordsTest, TheIndexPicksWhatReadingEveryRecordPicks) {
  int indexedReads = 0;
  for (int round = 0; round < 60; ++round) {
    const Shape shape = static_cast<Shape>(round % 3);
    const std::string data = Diary(shape);
    files_.files.clear();
    for (int ask = 0; ask < 8; ++ask) {
      const std::int64_t from = first_ - 2 + Random(44);
      const std::int64_t to = from + Random(ask % 2 == 0 ? 1 : 10);
      MemoryFile file(data, 1000);
      const cli::DayRecords got = Read(file, from, to);
      SCOPED_TRACE("round " + std::to_string(round) + " ask " + std::to_string(ask));
      EXPECT_EQ(Bytes(got), EveryRecordOf(data, from, to));
      const bool indexable = shape == Shape::InOrder && data.size() >= kRecordSize;
      EXPECT_EQ(got.indexed, indexable && ask > 0);
      EXPECT_EQ(files_.files.count(index_) != 0, indexable);
      indexedReads += got.indexed;
    }
  }
  EXPECT_GT(indexedReads, 100);
}

TEST_F(DayRecordsTest, AFileChangedBehindTheIndexIsReadWhole) {
  const std::string data = test_common::ManyRecords(20000);  // 48 a day from January 2020
  const std::int64_t day = store::DayNumber(2020, 6, 1);
  MemoryFile first(data, 7);
  EXPECT_FALSE(Read(first, day, day).indexed);
  MemoryFile again(data, 7);
  const cli::DayRecords found = Read(again, day, day);
  EXPECT_TRUE(found.indexed);
  EXPECT_EQ(found.records.size(), 48 * kRecordSize);
  EXPECT_LT(again.bytesRead, 32u * 1024) << "a day takes a few pages, not the whole file";

  // Rewritten to the same size by another writer: out of order, with the
  // same last write time (a coarse clock), or in order at a new time.
  std::string reversed;
  for (std::size_t at = data.size(); at > 0; at -= kRecordSize) {
    reversed.append(data, at - kRecordSize, kRecordSize);
  }
  MemoryFile sameTime(reversed, 7);
  const cli::DayRecords got = Read(sameTime, day, day);
  EXPECT_FALSE(got.indexed);
  EXPECT_EQ(Bytes(got), EveryRecordOf(reversed, day, day));
  EXPECT_EQ(got.records.size(), 48 * kRecordSize);

  MemoryFile newTime(data, 8);
  EXPECT_FALSE(Read(newTime, day, day).indexed);
  MemoryFile indexedAgain(data, 8);
  EXPECT_TRUE(Read(indexedAgain, day, day).indexed);

  // An index that vouches for an order the file does not have (one record
  // in the middle moved to another year, same size and time) is removed.
  std::string moved = data;
  store::PutInt32(reinterpret_cast<unsigned char*>(&moved[10000 * kRecordSize]), 2030);
  MemoryFile lied(moved, 8);
  const std::int64_t movedDay = store::DayNumber(2030, 7, 27);  // 10000 / 48 days after 1 Jan
  const cli::DayRecords seen = Read(lied, movedDay - 400, movedDay + 400);
  EXPECT_EQ(files_.files.count(index_), 0u);
  EXPECT_FALSE(seen.indexed);
  EXPECT_EQ(Bytes(seen), EveryRecordOf(moved, movedDay - 400, movedDay + 400));
}

TEST(DayIndexPath, BesideTheDataFile) {
  EXPECT_EQ(cli::DayIndexPathFor("C:\\Data\\Lumetta.bin"), "C:\\Data\\Lumetta.idx");
  EXPECT_EQ(cli::DayIndexPathFor("diary"), "diary.idx");
  EXPECT_EQ(cli::DayIndexPathFor("/tmp/.bin"), "/tmp/.bin.idx");
}

}  // namespace
