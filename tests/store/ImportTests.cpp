// The old text data format: reading lines with a bounded buffer, splitting
// and reading fields, the merge rule, refused lines, and ImportText's count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/DataFile.h"
#include "store/TextImport.h"

using namespace store;

namespace {

// A line of the old format with the given fields (others from the defaults).
struct Line {
  std::string field0 = "x";
  std::string year = "2025", month = "3", day = "14", hour = "10", minute = "30";
  std::string monthDay = "14", repeatKind = "0", timer = "77", moment = "12345";
  std::string reminderMinutes = "15", weekOrdinal = "2nd", weekdayText = "every Friday";
  std::string text = "Dentist";
  std::string dayBefore = "0", red = "0", green = "125", blue = "251";
  std::string repeatUntil = "0", reminderOn = "1", tilde = "0";

  std::string Text() const {
    return field0 + "|" + year + "|" + month + "|" + day + "|" + hour + "|" + minute + "|" +
           monthDay + "|" + repeatKind + "|" + timer + "|" + moment + "|" + reminderMinutes + "|" +
           weekOrdinal + "|" + weekdayText + "|" + text + "|" + dayBefore + "|" + red + "|" +
           green + "|" + blue + "|" + repeatUntil + "|" + reminderOn + "|" + tilde;
  }
  // As a record of the file: the line, its line feed and 4 bytes.
  std::string Record() const { return Text() + "\r\n" + "\x01\x02\x03\x04"; }
};

class MemoryInput : public InputFile {
 public:
  explicit MemoryInput(std::string data, std::size_t chunk = 7)
      : data_(std::move(data)), chunk_(chunk) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, chunk_, data_.size() - at_});
    std::memcpy(buffer, data_.data() + at_, n);
    at_ += n;
    return n;
  }
  bool Failed() const override { return false; }

 private:
  std::string data_;
  std::size_t chunk_;
  std::size_t at_ = 0;
};

class ImportTest : public BookFixture {
 protected:
  const std::string path_ = "backup.3";

  ImportResult Import(const std::string& contents, bool messages = true) {
    world_.files.files[path_] = contents;
    return ImportText(book_, path_, messages);
  }
};

}  // namespace

// --- ReadLine ----------------------------------------------------------------------------

TEST(ReadLineTest, ReadsLinesUpToTheLineFeedAndDropsAPartialLastLine) {
  MemoryInput file("first\nsecond line\r\nno end");
  LineReader in(file);
  LineBuffer line;
  ASSERT_TRUE(ReadLine(in, line));
  EXPECT_EQ(line.Text(), "first");
  ASSERT_TRUE(ReadLine(in, line));
  EXPECT_EQ(line.Text(), "second line\r");
  EXPECT_FALSE(ReadLine(in, line));
}

TEST(ReadLineTest, AnOverLongLineIsCutInsideTheBufferAndTheNextLineIsWhole) {
  const std::string huge(100000, 'a');
  MemoryInput file(huge + "\nnext\n", 4096);
  LineReader in(file);
  LineBuffer line;
  ASSERT_TRUE(ReadLine(in, line));
  EXPECT_TRUE(line.cut);
  EXPECT_EQ(line.length, kLineBufferSize - 1);
  EXPECT_EQ(line.bytes[kLineBufferSize - 1], '\0');
  ASSERT_TRUE(ReadLine(in, line));
  EXPECT_FALSE(line.cut);
  EXPECT_EQ(line.Text(), "next");
}

TEST(ReadLineTest, SkipReportsShortReads) {
  MemoryInput file("abcdef");
  LineReader in(file);
  EXPECT_TRUE(in.Skip(4));
  EXPECT_FALSE(in.Skip(4));
}

// --- ParseFields -------------------------------------------------------------------------

// A number field of a record, read as a wider integer.
template <auto field>
std::int64_t Read(const AppointmentRecord& r) {
  return static_cast<std::int64_t>(r.*field);
}
using R = AppointmentRecord;

// Each number is read from its own field as the decimal its text begins
// with, held to 32 bits; the other fields keep the line's defaults.
TEST(ParseFieldsTest, ReadsEachNumberFromItsFieldAsALeadingDecimal) {
  const struct {
    std::string Line::*field;
    const char* text;
    std::int64_t (*read)(const AppointmentRecord&);
    std::int64_t value;
  } cases[] = {
      {&Line::year, "2024", Read<&R::year>, 2024},
      {&Line::month, "12", Read<&R::month>, 12},
      {&Line::day, "  7th", Read<&R::day>, 7},
      {&Line::hour, "+9", Read<&R::hour>, 9},
      {&Line::minute, "abc", Read<&R::minute>, 0},
      {&Line::monthDay, "31", Read<&R::monthDay>, 31},
      {&Line::monthDay, "-99999999999", Read<&R::monthDay>, -2147483647 - 1},
      {&Line::repeatKind, "6", Read<&R::repeatKind>, 6},
      {&Line::reminderMinutes, "-1", Read<&R::reminderMinutes>, -1},
      {&Line::reminderMinutes, "-30 minutes", Read<&R::reminderMinutes>, -30},
      {&Line::dayBefore, "1", Read<&R::dayBefore>, 1},
      {&Line::repeatUntil, "1900000000", Read<&R::repeatUntil>, 1900000000},
      {&Line::repeatUntil, "99999999999", Read<&R::repeatUntil>, 2147483647},
      {&Line::reminderOn, "0", Read<&R::reminderOn>, 0},
      {&Line::tilde, "1\r", Read<&R::tildeFlag>, 1},
  };
  for (const auto& c : cases) {
    Line l;
    l.*c.field = c.text;
    AppointmentRecord r;
    ASSERT_TRUE(ParseFields(l.Text(), r)) << c.text;
    EXPECT_EQ(c.read(r), c.value) << c.text;
  }
}

TEST(ParseFieldsTest, ReadsTheTextsAndTheLowestByteOfEachColour) {
  Line l;
  l.red = "257";
  l.green = "2";
  l.blue = "3";
  AppointmentRecord r;
  ASSERT_TRUE(ParseFields(l.Text(), r));
  EXPECT_EQ(r.weekOrdinal, "2nd");
  EXPECT_EQ(r.weekdayText, "every Friday");
  EXPECT_EQ(r.text, "Dentist");
  EXPECT_EQ(r.colour, MakeColour(1, 2, 3));
  EXPECT_EQ(r.noHighlight, 0);
}

TEST(ParseFieldsTest, MissingFieldsReadAsEmptyOrZero) {
  AppointmentRecord r;
  ASSERT_TRUE(ParseFields("|2025|3|14|9|0|||||||| short", r));
  EXPECT_EQ(r.text, " short");
  EXPECT_EQ(r.reminderOn, 0);
  EXPECT_EQ(r.colour, 0u);
  ASSERT_TRUE(ParseFields("|2025|3", r));
  EXPECT_EQ(r.day, 0);
  EXPECT_EQ(r.text, "");
}

TEST(ParseFieldsTest, RefusesLongLinesAndYearsOrMonthsOutOfRange) {
  Line l;
  l.text = std::string(250 - (l.Text().size() - l.text.size()), 't');
  AppointmentRecord r;
  ASSERT_EQ(l.Text().size(), 250u);
  EXPECT_TRUE(ParseFields(l.Text(), r));
  l.text += "t";
  EXPECT_FALSE(ParseFields(l.Text(), r));

  const struct {
    const char* year;
    const char* month;
    bool ok;
  } cases[] = {{"1969", "3", false}, {"1970", "3", true}, {"2037", "12", true},
               {"2038", "1", false}, {"2025", "0", true}, {"2025", "13", false},
               {"2025", "-1", false}};
  for (const auto& c : cases) {
    Line m;
    m.year = c.year;
    m.month = c.month;
    EXPECT_EQ(ParseFields(m.Text(), r), c.ok) << c.year << "/" << c.month;
  }
}

// --- ParseLine and the merge rule --------------------------------------------------------------

TEST_F(ImportTest, ALineMakesAnArmedEntry) {
  world_.clock.now = MakeTime(2025, 3, 14, 9, 0);
  Line l;
  l.repeatKind = "3";
  l.repeatUntil = "1750000000";
  EXPECT_TRUE(ParseLine(book_, l.Text()));
  ASSERT_EQ(book_.Count(), 1u);
  const An_Appointment& e = book_.At(0);
  EXPECT_EQ(e.text, "Dentist");
  EXPECT_EQ(e.repeatKind, 3);
  EXPECT_EQ(e.weekdayText, "every Friday");
  EXPECT_EQ(e.monthDay, 14);
  EXPECT_EQ(e.reminderMinutes, 15);
  EXPECT_EQ(e.repeatUntil, 1750000000);
  EXPECT_EQ(e.colour, MakeColour(0, 125, 251));
  EXPECT_EQ(e.time, MakeTime(2025, 3, 14, 10, 30));
  EXPECT_NE(e.timerId(), 0u);  // 10:15 is within a day
  EXPECT_EQ(world_.notices.days, std::vector<std::string>{"2025-3-14"});
}

TEST_F(ImportTest, ALineOnAnOccupiedSlotMergesItsText) {
  Line l;
  EXPECT_TRUE(ParseLine(book_, l.Text()));
  EXPECT_FALSE(ParseLine(book_, l.Text()));  // same text: nothing changes
  EXPECT_EQ(book_.At(0).text, "Dentist");
  l.text = "Bring X-rays";
  EXPECT_FALSE(ParseLine(book_, l.Text()));
  EXPECT_EQ(book_.At(0).text, "Dentist Bring X-rays");
  EXPECT_EQ(book_.Count(), 1u);
  l.text = "dentist";  // case-sensitive: not contained
  EXPECT_FALSE(ParseLine(book_, l.Text()));
  EXPECT_EQ(book_.At(0).text, "Dentist Bring X-rays dentist");
  l.text = "";  // an empty text is always contained
  EXPECT_FALSE(ParseLine(book_, l.Text()));
  EXPECT_EQ(book_.At(0).text, "Dentist Bring X-rays dentist");
}

TEST_F(ImportTest, MergedTextsAreCutTo180Characters) {
  Line l;
  l.text = std::string(100, 'a');
  ParseLine(book_, l.Text());
  l.text = std::string(100, 'b');
  ParseLine(book_, l.Text());
  const std::string& t = book_.At(0).text;
  EXPECT_EQ(t.size(), 180u);
  EXPECT_EQ(t, std::string(100, 'a') + " " + std::string(79, 'b'));
}

TEST_F(ImportTest, LinesWhoseFieldsCannotBecomeAMomentAreRefusedOneByOne) {
  std::string file;
  const char* const bad[][4] = {
      {"0", "14", "10", "30"},  // month 0
      {"3", "40", "10", "30"},  // day 40
      {"3", "14", "99", "30"},  // hour 99
      {"3", "14", "10", "75"},  // minute 75
      {"3", "0", "10", "30"},   // day 0
      {"3", "14", "-1", "30"},  // hour -1
  };
  for (const auto& b : bad) {
    Line l;
    l.month = b[0];
    l.day = b[1];
    l.hour = b[2];
    l.minute = b[3];
    file += l.Record();
  }
  Line good;
  good.text = "still here";
  file += good.Record();
  const ImportResult r = Import(file);
  EXPECT_EQ(r.lines, 7);
  EXPECT_EQ(r.made, 1);
  ASSERT_EQ(book_.Count(), 1u);
  EXPECT_EQ(book_.At(0).text, "still here");
  EXPECT_EQ(r.imported, 1);
  EXPECT_EQ(LastMessage(), "Restored 1 entries from backup.");
}

// --- ImportText ------------------------------------------------------------------------------

// The message counts the lines taken into the book, not the lines read.
TEST_F(ImportTest, CountsTheEntriesImportedAndReportsThem) {
  Line a, b, c;
  a.day = "1";
  b.day = "2";
  b.year = "1969";
  c.day = "3";
  const ImportResult r = Import(a.Record() + b.Record() + c.Record());
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(r.lines, 3);
  EXPECT_EQ(r.made, 2);
  EXPECT_EQ(r.imported, 2);
  EXPECT_EQ(book_.Count(), 2u);
  ExpectOnlyMessage("Restored 2 entries from backup.", PromptButtons::Ok, PromptIcon::Information);
}

// A line merged into an entry already there was imported as well; a read
// error says how many lines were taken in and that the rest was not read.
TEST_F(ImportTest, ARestoreCountsMergedLinesAndSaysWhereAReadStopped) {
  Line a, b, c;
  b.day = "15";
  c.day = "16";
  const std::string file = a.Record() + a.Record() + b.Record() + c.Record();
  const struct {
    std::size_t failAt;
    int imported;
    std::string message;
  } cases[] = {
      {file.size(), 4, "Restored 4 entries from backup."},
      {2 * a.Record().size() + 5, 2,
       "Restored 2 entries from backup, but the rest of the file \"backup.3\" could not be "
       "read."},
      {0, 0, "Lumetta could not read the file \"backup.3\". Nothing was restored."},
  };
  for (const auto& k : cases) {
    book_.DeleteYear(2025);
    world_.files.readFailsAt[path_] = k.failAt;
    const ImportResult r = Import(file);
    EXPECT_EQ(r.imported, k.imported) << k.failAt;
    EXPECT_EQ(LastMessage(), k.message) << k.failAt;
    EXPECT_EQ(world_.prompts.shown.back().icon,
              k.imported == 4 ? PromptIcon::Information : PromptIcon::Warning);
  }
}

TEST_F(ImportTest, SilentImportSaysNothing) {
  Line a;
  Import(a.Record(), false);
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_TRUE(world_.prompts.shown.empty());
  world_.files.files.erase(path_);
  EXPECT_FALSE(ImportText(book_, path_, false).opened);
  EXPECT_TRUE(world_.prompts.shown.empty());
}

TEST_F(ImportTest, AMissingFileIsReportedWhenMessagesAreOn) {
  const ImportResult r = ImportText(book_, "E:\\old\\Lumetta.data", true);
  EXPECT_FALSE(r.opened);
  ExpectOnlyMessage("The file E:\\old\\Lumetta.data was not found!");
}

TEST_F(ImportTest, TooLongLinesAreSkippedAndCounted) {
  Line ok;
  Line long251;
  long251.day = "2";
  long251.text = std::string(251 - (long251.Text().size() - long251.text.size()), 'x');
  ASSERT_EQ(long251.Text().size(), 251u);
  // A line far longer than the line buffer.
  const std::string huge = std::string(70000, 'z') + "\n" + "\x01\x02\x03\x04";
  Line after;
  after.day = "3";
  const ImportResult r = Import(ok.Record() + long251.Record() + huge + after.Record());
  EXPECT_EQ(r.lines, 4);
  EXPECT_EQ(r.made, 2);
  EXPECT_NE(book_.FindAt(2025, 3, 14, 10, 30), nullptr);
  EXPECT_EQ(book_.FindAt(2025, 3, 2, 10, 30), nullptr);
  EXPECT_NE(book_.FindAt(2025, 3, 3, 10, 30), nullptr);
  EXPECT_EQ(LastMessage(), "Restored 2 entries from backup.");
}

TEST_F(ImportTest, ALastLineWithoutLineFeedIsNotImported) {
  Line a, b;
  b.day = "15";
  Import(a.Record() + b.Text());
  EXPECT_EQ(book_.Count(), 1u);
  EXPECT_EQ(LastMessage(), "Restored 1 entries from backup.");
}

TEST_F(ImportTest, ALastRecordWithoutItsFourBytesStillCounts) {
  Line a, b;
  b.day = "15";
  Import(a.Record() + b.Text() + "\n" + "\x01\x02");
  EXPECT_EQ(book_.Count(), 2u);
  EXPECT_EQ(LastMessage(), "Restored 2 entries from backup.");
}

TEST_F(ImportTest, AFourByteFieldZeroIsReadOnTheFirstLineAndSkippedLater) {
  // Lines without the 4 bytes between them: each line's own first four
  // characters are taken for them, from the second line on.
  std::string file;
  for (int d = 1; d <= 3; ++d) {
    Line l;
    l.field0 = "ABCD";
    l.day = std::to_string(d);
    l.text = "day " + std::to_string(d);
    file += l.Text() + "\n";
  }
  const ImportResult r = Import(file);
  EXPECT_EQ(r.lines, 3);
  EXPECT_EQ(r.made, 3);
  for (int d = 1; d <= 3; ++d) {
    const An_Appointment* e = book_.FindAt(2025, 3, d, 10, 30);
    ASSERT_NE(e, nullptr) << "day " << d;
    EXPECT_EQ(e->text, "day " + std::to_string(d));
  }
}

TEST_F(ImportTest, ImportDoesNotSortTheBook) {
  Line late, early;
  late.month = "5";
  early.month = "1";
  Import(late.Record() + early.Record());
  ASSERT_EQ(book_.Count(), 2u);
  EXPECT_EQ(book_.At(0).month(), 5);
  EXPECT_EQ(book_.At(1).month(), 1);
}

TEST_F(ImportTest, AZeroByteEndsTheLinesText) {
  Line l;
  std::string text = l.Text();
  text.insert(text.find("Dentist") + 4, std::string("\0junk|||", 8));
  Import(text + "\n" + "\x01\x02\x03\x04");
  ASSERT_EQ(book_.Count(), 1u);
  EXPECT_EQ(book_.At(0).text, "Dent");
}

TEST(OldTextDataPathTest, IsBesideTheExecutable) {
  EXPECT_EQ(OldTextDataPath("C:\\Program Files\\Lumetta Calendar\\lumetta.exe"),
            "C:\\Program Files\\Lumetta Calendar\\Lumetta.data");
  EXPECT_EQ(OldTextDataPath("Z:\\lumetta.exe"), "Z:\\Lumetta.data");
}
