// The data file: record layout, saving, loading with the merge rule, the
// weekday backup copy, adoption, and what happens with files that cannot be
// read or written.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>

#include "StoreFixture.h"
#include "common/Records.h"
#include "store/CalendarText.h"
#include "store/DataFile.h"

using namespace store;
using fakes::FakeWorld;
using test_common::Record;
using test_common::StoredFields;

namespace {

class DataFileTest : public BookFixture {
 protected:
  const std::string dataPath_ = "data/Lumetta.bin";
  FakeWorld other_;
};

}  // namespace

TEST_F(DataFileTest, RecordLayoutEncodesEveryFieldAtItsOffset) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& e = book_.Create();
  e.SetSlot(2025, 3, 14, 10, 30, std::string(250, 'x'));
  e.SetRepeat(kRepeatMonthlyByWeekday, "2nd", "every Wednesday", 14);
  e.reminderMinutes = 15;
  e.dayBefore = 1;
  e.colour = MakeColour(0x12, 0x34, 0x56);
  e.repeatUntil = 1800000000;
  e.reminderOn = 1;
  e.tildeFlag = 1;
  e.noHighlight = 1;
  e.ArmReminder();
  ASSERT_NE(e.timerId(), 0u);

  std::string expected(204, '\0');
  PutInts(expected, {{0, 2025},
                     {4, 3},
                     {8, 14},
                     {12, 10},
                     {16, 30},
                     {20, 14},
                     {24, 6},
                     {28, static_cast<std::int32_t>(e.timerId())},
                     {32, 1741948200},  // 2025-03-14 10:30 UTC
                     {36, 15}});
  PutText(expected, 40, "2nd");
  PutText(expected, 45, "every Wedn");  // 10 characters of "every Wednesday"
  PutText(expected, 56, std::string(100, 'x'));
  PutInts(expected, {{160, 1},
                     {164, 0x12},
                     {168, 0x34},
                     {172, 0x56},
                     {176, 1800000000},
                     {180, 1},
                     {184, 1},
                     {188, 1}});

  unsigned char got[204];
  std::memset(got, 0xAA, sizeof got);
  EncodeRecord(e, got);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(got), 204), expected);
  EXPECT_EQ(WeekdayNumber("every Wedn"), 4);
}

TEST(RecordLayoutTest, DecodeTakesFullWidthTextsAndTheLowestColourBytes) {
  std::string r = Record(2025, 3, 14, 10, 30, "");
  PutText(r, 56, std::string(101, 'T'));  // no zero byte in the field
  PutText(r, 40, "5th!!");                // 5 bytes, no zero
  PutText(r, 45, "every Frida");          // 11 bytes, no zero
  PutInts(r, {{164, 0x1FF}, {168, -1}, {172, 0x100}});
  AppointmentRecord out;
  DecodeRecord(reinterpret_cast<const unsigned char*>(r.data()), out);
  EXPECT_EQ(out.text, std::string(101, 'T'));
  EXPECT_EQ(out.weekOrdinal, "5th!!");
  EXPECT_EQ(out.weekdayText, "every Frida");
  EXPECT_EQ(out.colour, MakeColour(0xFF, 0xFF, 0x00));
}

TEST_F(DataFileTest, SaveAndLoadKeepEveryField) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  An_Appointment& e = Add(2025, 3, 14, 10, 30, "Dentist");
  e.SetRepeat(kRepeatWeekly, "3rd", "Friday", 21);
  SetOtherFields(e);
  e.repeatUntil = 1750000000;
  const An_Appointment& m = Add(2024, 12, 31, 23, 59, "");
  ASSERT_TRUE(book_.SaveTo(dataPath_));
  EXPECT_EQ(File(dataPath_).size(), 2u * 204);

  FakeWorld other;
  other.clock.now = world_.clock.now;
  All_Appointments loaded(other.Context());
  other.files.files[dataPath_] = File(dataPath_);
  ASSERT_TRUE(loaded.LoadDataFile(dataPath_));
  ASSERT_EQ(loaded.Count(), 2u);
  EXPECT_EQ(StoredFields(loaded.At(0)), StoredFields(e));
  EXPECT_EQ(StoredFields(loaded.At(1)), StoredFields(m));
}

// A file the previous version wrote (entries from 1971 to the last half hour
// of 2037, Berlin time) is written again byte for byte; entries and repeat
// ends after 2038 join it without changing its records, read back whole, and
// an older version, which knows only the 32-bit fields, still finds every
// earlier entry, its series running as far as 32 bits reach.
TEST_F(DataFileTest, EntriesPast2038JoinAnOlderFileWithoutChangingItsRecords) {
  ScopedTimeZone berlin("Europe/Berlin");
  world_.clock.now = MakeTime(2026, 12, 1, 12, 0);
  std::ifstream in(LUMETTA_TEST_DATA_DIR "/before-2038.bin", std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(before.size(), 6u * 204);
  File(dataPath_) = before;
  ASSERT_TRUE(book_.LoadDataFile(dataPath_));
  ASSERT_TRUE(book_.SaveTo(dataPath_));
  EXPECT_TRUE(File(dataPath_) == before);

  An_Appointment& later = Add(2040, 6, 1, 9, 0, "After 2038", kRepeatYearly);
  later.repeatUntil = MakeTime(2045, 6, 1, 0, 0);
  An_Appointment& series = Add(2030, 1, 1, 10, 0, "Ends after 2038", kRepeatYearly);
  series.repeatUntil = MakeTime(2050, 1, 1, 0, 0);
  book_.Sort();
  ASSERT_TRUE(book_.SaveTo(dataPath_));
  const std::string after = File(dataPath_);
  ASSERT_EQ(after.size(), 8u * 204);
  std::string unchanged;
  for (std::size_t at = 0; at < after.size(); at += 204) {
    if (before.find(after.substr(at, 204)) != std::string::npos) unchanged += after.substr(at, 204);
  }
  EXPECT_TRUE(unchanged == before);

  const auto loadInto = [&](const std::string& bytes, All_Appointments& book) {
    other_.files.files[dataPath_] = bytes;
    other_.clock.now = world_.clock.now;
    EXPECT_TRUE(book.LoadDataFile(dataPath_));
  };
  All_Appointments again(other_.Context());
  loadInto(after, again);
  ASSERT_EQ(again.Count(), 8u);
  for (std::size_t i = 0; i < 8; ++i)
    EXPECT_EQ(StoredFields(again.At(i)), StoredFields(book_.At(i)));

  // The older view: the reserved bytes unread, records after 2038 refused.
  std::string older;
  for (std::size_t at = 0; at < after.size(); at += 204) {
    std::string r = after.substr(at, 204);
    std::fill(r.begin() + 192, r.end(), '\0');
    if (r.compare(56, 10, "After 2038") != 0) older += r;
  }
  All_Appointments old(other_.Context());
  loadInto(older, old);
  ASSERT_EQ(old.Count(), 7u);
  for (std::size_t i = 0, j = 0; i < 8; ++i) {
    if (book_.At(i).year() > 2038) continue;
    const An_Appointment& e = old.At(j++);
    EXPECT_EQ(e.text, book_.At(i).text);
    EXPECT_EQ(e.repeatUntil, &book_.At(i) == &series ? INT32_MAX : book_.At(i).repeatUntil);
  }
}

TEST_F(DataFileTest, SavingAnEmptyBookDeletesTheFile) {
  File(dataPath_) = Record(2025, 1, 1, 0, 0, "old");
  EXPECT_TRUE(book_.SaveTo(dataPath_));
  EXPECT_EQ(world_.files.files.count(dataPath_), 0u);
  EXPECT_TRUE(book_.SaveTo(dataPath_));  // a missing file is no error
  EXPECT_TRUE(world_.prompts.shown.empty());
}

// Every entry whose date converts is written, not only 1980-2035; an entry
// that cannot be converted is left out.
TEST_F(DataFileTest, SaveWritesEveryEntryThatConverts) {
  Add(1979, 6, 1, 12, 0, "1979");
  Add(2024, 6, 1, 12, 0, "2024");
  Add(2036, 6, 1, 12, 0, "2036");
  Add(1970, 1, 1, 0, 0, "epoch");
  An_Appointment& bad = Add(2024, 6, 2, 12, 0, "bad");
  bad.SetKey(2024, 13, 2, 12, 0);
  ASSERT_TRUE(book_.SaveTo(dataPath_));
  const std::string& f = File(dataPath_);
  ASSERT_EQ(f.size(), 4u * 204);
  const char* texts[4] = {"1979", "2024", "2036", "epoch"};
  for (int i = 0; i < 4; ++i) EXPECT_STREQ(f.data() + i * 204 + 56, texts[i]);
}

TEST_F(DataFileTest, WriteBackupReportsTheEntriesWritten) {
  for (int i = 0; i < 23; ++i) Add(2024, 1, 1 + i, 9, 0, "e" + std::to_string(i));
  Add(1975, 1, 1, 9, 0, "old 1");
  Add(1975, 1, 2, 9, 0, "old 2");
  Add(2025, 1, 1, 9, 0, "broken").SetKey(2025, 1, 1, 99, 0);
  ASSERT_TRUE(book_.WriteBackup("c:\\"));
  EXPECT_EQ(File("c:\\Lumetta.bin").size(), 25u * 204);
  ExpectOnlyMessage("Wrote 25 entries to the backup file \"c:\\Lumetta.bin\"", PromptButtons::Ok,
                    PromptIcon::Information);
}

// A failed write never leaves the file half-written: the old file stays, the
// temporary file is removed, and the user is told.
TEST_F(DataFileTest, FailedSaveLeavesThePreviousFile) {
  const std::string old = Record(2020, 1, 1, 9, 0, "precious");
  Add(2025, 1, 1, 9, 0, "new");
  for (int failure = 0; failure < 4; ++failure) {
    File(dataPath_) = old;
    world_.files.failReplace = failure == 0;
    world_.files.failFinish = failure == 1;
    world_.files.failWriteAfter = failure == 2 ? 100 : static_cast<std::size_t>(-1);
    if (failure == 3) world_.files.unwritable.insert(dataPath_ + ".saving");
    world_.prompts.shown.clear();
    EXPECT_FALSE(book_.SaveTo(dataPath_)) << failure;
    EXPECT_EQ(File(dataPath_), old) << failure;
    EXPECT_EQ(world_.files.files.count(dataPath_ + ".saving"), 0u) << failure;
    ExpectOnlyMessage(
        "Lumetta had a problem saving your appointment data, unable to open file: "
        "data/Lumetta.bin");
  }
  world_.files.unwritable.clear();
  world_.files.failWriteAfter = static_cast<std::size_t>(-1);
  world_.files.failFinish = false;
  world_.files.failReplace = false;
  EXPECT_TRUE(book_.SaveTo(dataPath_));
  EXPECT_EQ(std::string(File(dataPath_).data() + 56), "new");
}

TEST_F(DataFileTest, LoadMergesRecordsOfOneSlot) {
  File("f") = Record(2025, 3, 14, 10, 0, "A") + Record(2025, 3, 14, 10, 0, "B") +
              Record(2025, 3, 14, 10, 0, "") + Record(2025, 3, 14, 10, 0, "A");
  EXPECT_TRUE(book_.LoadDataFile("f"));
  ASSERT_EQ(book_.Count(), 1u);
  EXPECT_EQ(book_.At(0).text, "A B");
  EXPECT_TRUE(book_.LoadDataFile("f"));
  ASSERT_EQ(book_.Count(), 1u);
  EXPECT_EQ(book_.At(0).text, "A B");
  EXPECT_EQ(world_.notices.days, (std::vector<std::string>{"2025-3-14"}));
}

TEST_F(DataFileTest, MergedTextIsCutTo180Characters) {
  Add(2025, 3, 14, 10, 0, std::string(100, 'a'));
  File("f") = Record(2025, 3, 14, 10, 0, std::string(100, 'b'));
  book_.LoadDataFile("f");
  EXPECT_EQ(book_.At(0).text, std::string(100, 'a') + " " + std::string(79, 'b'));
}

TEST_F(DataFileTest, AddRecordReportsWhetherItMadeAnEntry) {
  AppointmentRecord r;
  r.year = 2025;
  r.month = 3;
  r.day = 14;
  r.hour = 10;
  r.text = "A";
  EXPECT_TRUE(book_.AddRecord(r));
  r.text = "B";
  EXPECT_FALSE(book_.AddRecord(r));
  EXPECT_EQ(book_.At(0).text, "A B");
}

TEST_F(DataFileTest, LoadIgnoresMissingFilesAndTrailingPartialRecords) {
  EXPECT_FALSE(book_.LoadDataFile("nothing here"));
  File("f") =
      Record(2025, 3, 14, 10, 0, "whole") + Record(2025, 3, 14, 11, 0, "part").substr(0, 150);
  EXPECT_TRUE(book_.LoadDataFile("f"));
  ASSERT_EQ(book_.Count(), 1u);
  EXPECT_EQ(book_.At(0).text, "whole");
}

// Records whose date or time cannot be converted are refused one by one.
TEST_F(DataFileTest, ImpossibleRecordsAreRefusedAndTheRestLoads) {
  File("f") = Record(2025, 13, 1, 10, 0, "month 13") + Record(2025, 3, 14, 10, 0, "good 1") +
              Record(2025, 3, 40, 10, 0, "day 40") + Record(2025, 3, 14, 99, 0, "hour 99") +
              Record(1899, 3, 14, 10, 0, "1899") + Record(2025, 3, 14, 10, -5, "minute -5") +
              Record(10000, 1, 1, 0, 0, "10000") + Record(-2147483647 - 1, 0, 0, 0, 0, "min") +
              Record(2025, 3, 15, 10, 0, "good 2");
  EXPECT_TRUE(book_.LoadDataFile("f"));
  ASSERT_EQ(book_.Count(), 2u);
  EXPECT_EQ(book_.At(0).text, "good 1");
  EXPECT_EQ(book_.At(1).text, "good 2");
}

TEST_F(DataFileTest, StoredTimerAndTimeAreIgnored) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  std::string r = Record(2025, 3, 14, 10, 0, "x");
  PutInts(r, {{28, 4242}, {32, 12345}, {36, 15}});
  File("f") = r;
  book_.LoadDataFile("f");
  const An_Appointment& e = book_.At(0);
  EXPECT_EQ(e.time, MakeTime(2025, 3, 14, 10, 0));
  ASSERT_NE(e.timerId(), 0u);
  EXPECT_NE(e.timerId(), 4242u);
  EXPECT_EQ(world_.timers.running.at(e.timerId()), 2700u * 1000);
}

// A clock that moves on a second at every reading, as a real one may while
// a large file loads.
class TickingClock : public Clock {
 public:
  explicit TickingClock(Moment start) : now_(start) {}
  Moment Now() override { return now_++; }

 private:
  Moment now_;
};

TEST_F(DataFileTest, OneLoadArmsRemindersDueAtOneMomentAlike) {
  // Three entries whose reminders are all due at 9:45.
  TickingClock clock(MakeTime(2025, 3, 14, 9, 0));
  StoreContext context = world_.Context();
  All_Appointments book(StoreContext{context.settings, context.timerIds, clock, context.prompts,
                                     context.timers, context.notices, context.paths, context.files,
                                     context.zones});
  const auto remindAt = [](int minutes) {
    return [minutes](An_Appointment& e) { e.reminderMinutes = minutes; };
  };
  File("f") = Record(2025, 3, 14, 10, 0, "first", remindAt(15)) +
              Record(2025, 3, 14, 10, 30, "second", remindAt(45)) +
              Record(2025, 3, 14, 11, 0, "third", remindAt(75));
  book.LoadDataFile("f");

  std::vector<std::uint32_t> delays;
  for (const auto& timer : world_.timers.running) delays.push_back(timer.second);
  EXPECT_EQ(delays, std::vector<std::uint32_t>(3, 2700u * 1000)) << "45 minutes from the start";
}

TEST_F(DataFileTest, StartupTakesTheWeekdayCopyFirst) {
  world_.clock.now = MakeTime(2025, 3, 13, 8, 0);  // a Thursday
  const std::string bytes = Record(2025, 3, 14, 10, 0, "x") + "tail";
  File(dataPath_) = bytes;
  File("data/Lumetta.Thur.bin") = "older copy";
  bool imported = false;
  EXPECT_TRUE(book_.LoadAtStartup([&] { imported = true; }));
  EXPECT_FALSE(imported);
  EXPECT_EQ(File("data/Lumetta.Thur.bin"), bytes);
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_EQ(world_.files.log.front(), "copy data/Lumetta.bin data/Lumetta.Thur.bin");
}

TEST(WeekdayBackupNameTest, OneNamePerWeekday) {
  const char* expected[7] = {"Lumetta.Sun.bin", "Lumetta.Mon.bin",  "Lumetta.Tue.bin",
                             "Lumetta.Wed.bin", "Lumetta.Thur.bin", "Lumetta.Fri.bin",
                             "Lumetta.Sat.bin"};
  for (int d = 0; d < 7; ++d) EXPECT_STREQ(WeekdayBackupName(d), expected[d]);
}

TEST_F(DataFileTest, StartupAdoptsTheCurrentFolderFileOnce) {
  File("Lumetta.bin") = Record(2025, 3, 14, 10, 0, "from an old version");
  EXPECT_TRUE(book_.LoadAtStartup([] { FAIL() << "no import expected"; }));
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_EQ(world_.files.files.count("Lumetta.bin"), 0u);
  EXPECT_EQ(world_.files.files.count("Lumetta.old.bin"), 1u);

  // With Lumetta.old.bin already there, the rename fails and is ignored.
  FakeWorld second;
  second.files.files["Lumetta.bin"] = Record(2025, 3, 14, 10, 0, "again");
  second.files.files["Lumetta.old.bin"] = "x";
  All_Appointments book2(second.Context());
  EXPECT_TRUE(book2.LoadAtStartup({}));
  EXPECT_EQ(book2.Count(), 1u);
  EXPECT_EQ(second.files.files.count("Lumetta.bin"), 1u);
}

TEST_F(DataFileTest, StartupWithoutAnyFileRunsTheOldTextImport) {
  bool imported = false;
  EXPECT_TRUE(book_.LoadAtStartup([&] { imported = true; }));
  EXPECT_TRUE(imported);
  EXPECT_TRUE(book_.Empty());
}

// A data file that exists but cannot be read is never replaced by the book of
// that run: saves go beside it until it can be read and merged.
TEST_F(DataFileTest, UnreadableDataFileIsNeverOverwritten) {
  world_.clock.now = MakeTime(2025, 3, 13, 8, 0);
  const std::string precious = Record(2020, 1, 1, 9, 0, "years of data");
  File(dataPath_) = precious;
  world_.files.unreadable.insert(dataPath_);
  EXPECT_TRUE(book_.LoadAtStartup([] { FAIL() << "no import expected"; }));
  EXPECT_TRUE(book_.Empty());
  EXPECT_TRUE(book_.DataFileUnread());
  EXPECT_EQ(world_.files.log.front(), "copy data/Lumetta.bin data/Lumetta.Thur.bin");

  Add(2025, 3, 14, 10, 0, "today's entry");
  EXPECT_TRUE(book_.Save());
  EXPECT_EQ(File(dataPath_), precious);
  EXPECT_EQ(std::string(File("data/Lumetta.unsaved.bin").data() + 56), "today's entry");
  ASSERT_EQ(world_.prompts.shown.size(), 1u);
  EXPECT_NE(world_.prompts.shown[0].text.find("data/Lumetta.bin"), std::string::npos);
  EXPECT_NE(world_.prompts.shown[0].text.find("data/Lumetta.unsaved.bin"), std::string::npos);

  EXPECT_TRUE(book_.Save());  // told once only
  EXPECT_EQ(world_.prompts.shown.size(), 1u);
  EXPECT_EQ(File(dataPath_), precious);

  // Readable again: merged first, then saved normally.
  world_.files.unreadable.clear();
  EXPECT_TRUE(book_.Save());
  EXPECT_FALSE(book_.DataFileUnread());
  EXPECT_EQ(book_.Count(), 2u);
  EXPECT_EQ(File(dataPath_).size(), 2u * 204);
}

TEST_F(DataFileTest, UnreadableCurrentFolderFileIsNeitherAdoptedNorHidden) {
  File("Lumetta.bin") = Record(2020, 1, 1, 9, 0, "old version");
  world_.files.unreadable.insert("Lumetta.bin");
  EXPECT_TRUE(book_.LoadAtStartup([] { FAIL() << "no import expected"; }));
  EXPECT_TRUE(book_.DataFileUnread());
  EXPECT_EQ(world_.files.files.count("Lumetta.old.bin"), 0u);  // not renamed
  Add(2025, 3, 14, 10, 0, "new");
  EXPECT_TRUE(book_.Save());
  // A data folder file would hide the unread one at the next start: none is made.
  EXPECT_EQ(world_.files.files.count(dataPath_), 0u);
  EXPECT_EQ(File("Lumetta.unsaved.bin").size(), 204u);
}

TEST_F(DataFileTest, AReadErrorCountsAsUnreadable) {
  File(dataPath_) = Record(2020, 1, 1, 9, 0, "x");
  world_.files.readFailsAfter0.insert(dataPath_);
  book_.LoadAtStartup({});
  EXPECT_TRUE(book_.DataFileUnread());
  Add(2025, 3, 14, 10, 0, "new");
  book_.Save();
  EXPECT_EQ(File(dataPath_), Record(2020, 1, 1, 9, 0, "x"));
}

TEST_F(DataFileTest, AnEarlierRunsUnsavedFileIsCarriedForward) {
  File(dataPath_) = "unreadable";
  world_.files.unreadable.insert(dataPath_);
  File("data/Lumetta.unsaved.bin") = Record(2025, 1, 1, 9, 0, "last run");
  book_.LoadAtStartup({});
  Add(2025, 3, 14, 10, 0, "this run");
  EXPECT_TRUE(book_.Save());
  EXPECT_EQ(File("data/Lumetta.unsaved.bin").size(), 2u * 204);
  book_.Destroy(book_.At(0));
  EXPECT_TRUE(book_.Save());  // merged once per run only: the deletion sticks
  EXPECT_EQ(File("data/Lumetta.unsaved.bin").size(), 1u * 204);
}

// An earlier run's side file belongs to the book from the start (its
// reminders armed), whether or not the data file reads now; once the data
// file has been written with its entries, it is removed and the user told once.
TEST_F(DataFileTest, ASideFileIsLoadedAtStartupAndRemovedOnceMerged) {
  const std::string side = "data/Lumetta.unsaved.bin";
  for (const bool dataFileReads : {true, false}) {
    FakeWorld world;
    world.clock.now = MakeTime(2025, 3, 13, 8, 0);
    std::string& data = world.files.files[dataPath_];
    data = Record(2025, 3, 13, 9, 0, "from the data file");
    world.files.files[side] = Record(2025, 3, 13, 10, 0, "kept aside");
    if (!dataFileReads) world.files.unreadable.insert(dataPath_);
    All_Appointments book(world.Context());
    book.LoadAtStartup([] { FAIL() << "no import expected"; });

    const An_Appointment* kept = book.FindAt(2025, 3, 13, 10, 0);
    ASSERT_NE(kept, nullptr) << dataFileReads;
    EXPECT_NE(kept->timerId(), 0u) << dataFileReads;
    EXPECT_EQ(world.timers.running.count(kept->timerId()), 1u) << dataFileReads;
    EXPECT_TRUE(book.SideFilePending());
    EXPECT_EQ(book.Count(), dataFileReads ? 2u : 1u);

    if (!dataFileReads) {
      // Still unread: the side file is written again, with this run's entry too.
      An_Appointment& e = book.Create();
      e.SetSlot(2025, 3, 13, 11, 0, "this run");
      EXPECT_TRUE(book.Save());
      EXPECT_EQ(world.files.files[side].size(), 2u * 204);
      EXPECT_EQ(data, Record(2025, 3, 13, 9, 0, "from the data file"));
      world.files.unreadable.clear();
      world.prompts.shown.clear();
    }
    EXPECT_TRUE(book.Save());
    EXPECT_EQ(data.size(), 3u * 204 - (dataFileReads ? 204 : 0)) << dataFileReads;
    EXPECT_EQ(world.files.files.count(side), 0u) << dataFileReads;
    EXPECT_FALSE(book.SideFilePending());
    ASSERT_EQ(world.prompts.shown.size(), 1u) << dataFileReads;
    EXPECT_EQ(world.prompts.shown[0].text,
              "Lumetta can read its data file again. The appointments kept while it could not "
              "be read have been merged into:\ndata/Lumetta.bin\n\nand this file has been "
              "removed:\ndata/Lumetta.unsaved.bin");
    EXPECT_EQ(world.prompts.shown[0].caption, "Lumetta");
    EXPECT_TRUE(book.Save());  // told once
    EXPECT_EQ(world.prompts.shown.size(), 1u);
  }
}

// An unreadable data file in a folder that cannot be written (an older
// version's file beside the program): the side file goes to the data folder,
// and the next start finds it there.
TEST_F(DataFileTest, TheSideFileOfAnUnwritableFolderGoesToTheDataFolder) {
  File("Lumetta.bin") = Record(2020, 1, 1, 9, 0, "old version");
  world_.files.unreadable.insert("Lumetta.bin");
  world_.files.unwritableFolders.insert("");  // the current folder
  book_.LoadAtStartup({});
  Add(2025, 3, 14, 10, 0, "this run");
  EXPECT_TRUE(book_.Save());
  EXPECT_EQ(world_.files.files.count("Lumetta.unsaved.bin"), 0u);
  ASSERT_EQ(world_.files.files.count("data/Lumetta.unsaved.bin"), 1u);
  EXPECT_EQ(std::string(File("data/Lumetta.unsaved.bin").data() + 56), "this run");
  EXPECT_EQ(world_.files.files.count(dataPath_), 0u);  // would hide the unread file
  ASSERT_EQ(world_.prompts.shown.size(), 1u);
  EXPECT_NE(world_.prompts.shown[0].text.find("\nLumetta.bin\n"), std::string::npos);
  EXPECT_NE(world_.prompts.shown[0].text.find("\ndata/Lumetta.unsaved.bin\n"), std::string::npos);

  All_Appointments next(world_.Context());
  next.LoadAtStartup({});
  ASSERT_NE(next.FindAt(2025, 3, 14, 10, 0), nullptr);
  EXPECT_EQ(next.FindAt(2025, 3, 14, 10, 0)->text, "this run");
}

// A side file that cannot be read itself is never written over.
TEST_F(DataFileTest, AnUnreadableSideFileIsNeverWrittenOver) {
  File(dataPath_) = "unreadable";
  world_.files.unreadable.insert(dataPath_);
  File("data/Lumetta.unsaved.bin") = "also unreadable";
  world_.files.unreadable.insert("data/Lumetta.unsaved.bin");
  book_.LoadAtStartup({});
  Add(2025, 3, 14, 10, 0, "this run");
  EXPECT_FALSE(book_.Save());
  EXPECT_EQ(File("data/Lumetta.unsaved.bin"), "also unreadable");
  ExpectOnlyMessage(
      "Lumetta had a problem saving your appointment data, unable to open file: "
      "data/Lumetta.unsaved.bin");
}
