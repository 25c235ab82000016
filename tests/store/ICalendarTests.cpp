// iCalendar export and import: content lines, code page, zones and repeat
// rules; files in the shapes Google Calendar, Outlook and Thunderbird write;
// the round trip; bad input; and an exported file read by a reader we did
// not write (Python's icalendar).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/Fakes.h"
#include "common/Records.h"
#include "TimeZone.h"
#include "store/AppointmentBook.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"
#include "store/ICalendarLines.h"
#include "store/ICalendarTime.h"
#include "store/ZoneNames.h"

using namespace store;

namespace {

std::string ReadData(const std::string& name) {
  std::ifstream in(std::string(LUMETTA_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The notes folder of the in-memory file system.
class MemoryFolderNames : public FolderNames {
 public:
  explicit MemoryFolderNames(fakes::MemoryFileSystem& files) : files_(files) {}
  std::vector<std::string> Names(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& f : files_.files) {
      if (f.first.compare(0, folder.size(), folder) == 0)
        names.push_back(f.first.substr(folder.size()));
    }
    return names;
  }

 private:
  fakes::MemoryFileSystem& files_;
};

class ICalendarTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world_;
  All_Appointments book_{world_.Context()};
  DayNotesFiles notes_{world_.files, "notes/"};

  IcsImportResult Import(const std::string& text, All_Appointments* into = nullptr) {
    return ImportICalendarText(into ? *into : book_, text, notes_, "in.ics");
  }
  // "2025-03-03 15:00 Stand-up call" for each entry, in time order.
  std::vector<std::string> Entries() {
    book_.Sort();
    std::vector<std::string> out;
    for (const An_Appointment& e : book_) {
      char key[40];
      std::snprintf(key, sizeof key, "%04d-%02d-%02d %02d:%02d ", e.year(), e.month(), e.day(),
                    e.hour(), e.minute());
      out.push_back(key + e.text);
    }
    return out;
  }
  std::string Notes(int y, int m, int d) { return notes_.Read(CivilDate{y, m, d}); }
  An_Appointment& AddEntry(int y, int mo, int d, int h, int mi, const std::string& text) {
    An_Appointment& e = book_.Create();
    e.SetSlot(y, mo, d, h, mi, text);
    e.ArmReminder();
    return e;
  }
};

}  // namespace

// --- Content lines and texts ---------------------------------------------------------------

TEST(ICalendarLinesTest, FoldsAt75OctetsWithoutSplittingACharacterAndEscapesTexts) {
  IcsWriter out;
  std::string summary(70, 'a');
  summary += "\xC3\xA9\xC3\xA9\xC3\xA9 ; , \\ \r\nnext";
  out.Line("SUMMARY", EscapeText(summary));
  const std::string& text = out.Text();
  std::size_t start = 0;
  std::string unfolded;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_NE(static_cast<unsigned char>(line.back()) & 0xC0, 0xC0u) << "cut inside a character";
    unfolded += start == 0 ? line : line.substr(1);
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CRLF";
  EXPECT_EQ(unfolded,
            "SUMMARY:" + std::string(70, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9 \\; \\, \\\\ \\nnext");

  IcsComponent calendar;
  ASSERT_EQ(ParseICalendar("BEGIN:VCALENDAR\r\n" + text + "END:VCALENDAR\r\n", calendar).syntax,
            IcsSyntax::Ok);
  EXPECT_EQ(UnescapeText(calendar.Find("SUMMARY")->value),
            std::string(70, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9 ; , \\ \nnext");
}

TEST(ICalendarLinesTest, ReadsLfCrAndFoldedLinesWithQuotedParameters) {
  IcsComponent c;
  ASSERT_EQ(ParseICalendar("\xEF\xBB\xBF"
                           "BEGIN:VCALENDAR\nX-A;TZID=\"Zone: one\";B=1,2:va\n\tlue\r"
                           "begin:vevent\r\nEND:VEVENT\nEND:VCALENDAR",
                           c)
                .syntax,
            IcsSyntax::Ok);
  ASSERT_EQ(c.children.size(), 1u);
  EXPECT_EQ(c.children[0].name, "VEVENT");
  EXPECT_EQ(c.Find("X-A")->value, "value");
  EXPECT_EQ(*c.Find("X-A")->Param("tzid"), "Zone: one");
  EXPECT_EQ(*c.Find("X-A")->Param("B"), "1,2");
}

TEST(ICalendarLinesTest, EveryLineBreakStyleAndMixReadsTheSameCalendar) {
  // One calendar written with each break style, and with the styles changing
  // part-way (CR-only lines after LF ones, LF after CR), folds and blank lines.
  const std::vector<std::string> lines = {
      "BEGIN:VCALENDAR", "BEGIN:VEVENT", "SUMMARY:Tea\\, cake", " and jam",   "UID:1",        "",
      "END:VEVENT",      "BEGIN:VEVENT", "SUMMARY:Plain",       "END:VEVENT", "END:VCALENDAR"};
  const std::vector<std::vector<std::string>> breaks = {
      {"\r\n"}, {"\n"}, {"\r"}, {"\n", "\n", "\r"}, {"\r", "\r\n", "\n", "\r"}};
  for (const auto& style : breaks) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      text += lines[i] + style[std::min(i * style.size() / lines.size(), style.size() - 1)];
    }
    IcsComponent c;
    ASSERT_EQ(ParseICalendar(text, c).syntax, IcsSyntax::Ok) << testing::PrintToString(text);
    ASSERT_EQ(c.children.size(), 2u) << testing::PrintToString(text);
    EXPECT_EQ(UnescapeText(c.children[0].Find("SUMMARY")->value), "Tea, cakeand jam");
    EXPECT_EQ(c.children[0].Find("UID")->value, "1");
    EXPECT_EQ(c.children[1].Find("SUMMARY")->value, "Plain");
  }
}

TEST(ICalendarLinesTest, UnescapesTextsAndSplitsListsOnlyAtPlainSeparators) {
  const struct {
    const char* value;
    std::vector<std::string> parts;  // split at ','
  } cases[] = {
      {"plain", {"plain"}},      {"", {""}},
      {"a\\,b,c", {"a,b", "c"}}, {"line\\nnext\\N\\\\,x\\;", {"line\nnext\n\\", "x;"}},
      {",,", {"", "", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitEscaped(c.value, ','), c.parts) << c.value;
  }
  EXPECT_EQ(UnescapeText("no escapes, at all"), "no escapes, at all");
  EXPECT_EQ(UnescapeText("a\\,b\\;c\\nd"), "a,b;c\nd");
}

TEST(ICalendarTimeTest, ZoneRulesFollowAChangeOfRuleInsideTheZone) {
  // The US rules before and after 2007: first Sunday of April, then second Sunday of March.
  IcsComponent c;
  ASSERT_EQ(ParseICalendar(
                "BEGIN:VCALENDAR\nBEGIN:VTIMEZONE\nTZID:US-Eastern\n"
                "BEGIN:DAYLIGHT\nDTSTART:19870405T020000\nTZOFFSETFROM:-0500\nTZOFFSETTO:-0400\n"
                "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU;UNTIL=20060402T070000Z\nEND:DAYLIGHT\n"
                "BEGIN:DAYLIGHT\nDTSTART:20070311T020000\nTZOFFSETFROM:-0500\nTZOFFSETTO:-0400\n"
                "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\nEND:DAYLIGHT\n"
                "BEGIN:STANDARD\nDTSTART:19671029T020000\nTZOFFSETFROM:-0400\nTZOFFSETTO:-0500\n"
                "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU;UNTIL=20061029T060000Z\nEND:STANDARD\n"
                "BEGIN:STANDARD\nDTSTART:20071104T020000\nTZOFFSETFROM:-0400\nTZOFFSETTO:-0500\n"
                "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\nEND:STANDARD\n"
                "END:VTIMEZONE\nEND:VCALENDAR\n",
                c)
                .syntax,
            IcsSyntax::Ok);
  ZoneTable zones;
  zones.Read(c);
  const ZoneRules* us = zones.Find("US-Eastern");
  ASSERT_NE(us, nullptr);
  EXPECT_EQ(us->OffsetAt(WallOf(2006, 3, 20, 12, 0, 0)), -5 * 3600);
  EXPECT_EQ(us->OffsetAt(WallOf(2006, 4, 3, 12, 0, 0)), -4 * 3600);
  EXPECT_EQ(us->OffsetAt(WallOf(2006, 11, 1, 12, 0, 0)), -5 * 3600);
  EXPECT_EQ(us->OffsetAt(WallOf(2007, 3, 20, 12, 0, 0)), -4 * 3600);
  EXPECT_EQ(us->OffsetAt(WallOf(2007, 11, 1, 12, 0, 0)), -4 * 3600);
  EXPECT_EQ(us->OffsetAt(WallOf(2007, 11, 5, 12, 0, 0)), -5 * 3600);
}

// --- Files of other calendars --------------------------------------------------------------

TEST_F(ICalendarTest, GoogleFileInBerlinFollowsBothDaylightChangesOfTheSeries) {
  ScopedTimeZone tz("Europe/Berlin");
  const IcsImportResult r = Import(ReadData("google.ics"));
  ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
  // New York changes on March 9, Berlin on March 30: 15:00, then 14:00, then 15:00 again.
  // March 17 moved to the 18th at 11:00; March 24 excluded; April 7 after UNTIL.
  EXPECT_EQ(Entries(), (std::vector<std::string>{
                           "2025-03-03 15:00 Stand-up call",
                           "2025-03-10 14:00 Stand-up call",
                           "2025-03-12 18:30 Caf\xE9 with Zo\xEB, then \x80 talk \x97 ??",
                           "2025-03-18 16:00 Stand-up call (moved)",
                           "2025-03-31 15:00 Stand-up call",
                       }));
  const An_Appointment* cafe = book_.FindAt(2025, 3, 12, 18, 30);
  EXPECT_EQ(cafe->reminderMinutes, 30);
  EXPECT_EQ(cafe->dayBefore, 1);
  EXPECT_EQ(book_.FindAt(2025, 3, 3, 15, 0)->reminderMinutes, 10);
  EXPECT_EQ(book_.FindAt(2025, 3, 18, 16, 0)->reminderMinutes, -1);
  EXPECT_EQ(Notes(2025, 3, 20), "Conference in Boston");
  EXPECT_EQ(Notes(2025, 3, 21), "Conference in Boston");
  EXPECT_EQ(Notes(2025, 3, 22), "");
  EXPECT_EQ(r.summary.events, 3);
  EXPECT_EQ(r.summary.entriesMade, 3);
  EXPECT_EQ(r.summary.copies, 2);
  EXPECT_EQ(r.message,
            "Imported 3 events from \"in.ics\": 3 new entries, 2 copies from repeats.\n"
            "1 all-day event and 0 journals went to the day notes (2 days changed).\n"
            "2 characters that this system's code page cannot hold became \"?\".");

  // The same file again adds nothing.
  const IcsImportResult again = Import(ReadData("google.ics"));
  EXPECT_EQ(book_.Count(), 5u);
  EXPECT_EQ(again.summary.entriesMade + again.summary.copies + again.summary.merged, 0);
  EXPECT_EQ(again.summary.alreadyThere, 5);
  EXPECT_EQ(again.summary.notesDays, 0);
  EXPECT_EQ(Notes(2025, 3, 20), "Conference in Boston");
}

TEST_F(ICalendarTest, OutlookFileInNewYorkWithWindowsZoneNamesRoundsToTheSlotAndCutsAtAWord) {
  ScopedTimeZone tz("America/New_York");
  const IcsImportResult r = Import(ReadData("outlook.ics"));
  ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
  const std::vector<std::string> entries = Entries();
  ASSERT_EQ(entries.size(), 4u);
  // Berlin 10:00 is 5:00 in New York until Berlin's own change on March 30.
  EXPECT_EQ(entries[0], "2025-03-18 05:00 Quarterly review");
  EXPECT_EQ(entries[1],
            "2025-03-20 09:30 Discuss the new supplier contract for the warehouse in "
            "Hamburg with the legal department and the");
  EXPECT_EQ(entries[2], "2025-03-25 05:00 Quarterly review");
  EXPECT_EQ(entries[3], "2025-04-01 04:00 Quarterly review");
  EXPECT_EQ(book_.FindAt(2025, 3, 25, 5, 0)->reminderMinutes, 15);
  EXPECT_EQ(r.summary.textsCut, 1);
  EXPECT_NE(r.message.find("1 text was cut at a word to fit 100 characters."), std::string::npos);
  EXPECT_EQ(Notes(2025, 4, 1), "Office closed");
}

TEST_F(ICalendarTest, ThunderbirdFileWithLfLinesMonthlyByWeekdayAndAnUndefinedZone) {
  ScopedTimeZone tz("America/New_York");
  const IcsImportResult r = Import(ReadData("thunderbird.ics"));
  ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
  EXPECT_EQ(Entries(), (std::vector<std::string>{
                           "2025-01-14 13:00 Choir rehearsal",
                           "2025-01-15 08:00 Call with the base",
                           "2025-02-11 13:00 Choir rehearsal",
                           "2025-03-11 14:00 Choir rehearsal",
                       }));
  const An_Appointment* choir = book_.FindAt(2025, 2, 11, 13, 0);
  EXPECT_EQ(choir->reminderMinutes, 15);
  EXPECT_EQ(choir->dayBefore, 1);
  EXPECT_EQ(r.summary.unknownZones, 1);
  EXPECT_NE(r.message.find("1 event names a time zone that neither the file nor the system knows "
                           "(\"Mars/Olympus_Mons\"); the local time zone was used."),
            std::string::npos)
      << r.message;
}

// --- Our own files -------------------------------------------------------------------------

TEST_F(ICalendarTest, ExportImportExportGivesTheSameFileAndTheSameEntries) {
  ScopedTimeZone tz("Europe/Berlin");
  world_.clock.now = MakeTime(2025, 3, 1, 12, 0);
  An_Appointment& a = AddEntry(2025, 3, 14, 10, 30, "Dentist; bring card, \\ \"x-ray\"");
  a.colour = MakeColour(200, 10, 60);
  a.reminderMinutes = 20;
  a.dayBefore = 1;
  An_Appointment& b = AddEntry(2025, 3, 11, 18, 15, "Caf\xE9 \x80 night");
  b.repeatKind = kRepeatMonthlyByWeekday;
  b.weekOrdinal = "2nd";
  b.weekdayText = "every Tues";
  b.repeatUntil = MakeTime(2025, 9, 1, 0, 0);
  b.monthDay = 11;
  b.reminderOn = 0;
  b.tildeFlag = 1;
  b.noHighlight = 1;
  AddEntry(2025, 3, 30, 2, 0, std::string(80, 'w') + " folded, long");
  world_.files.files["notes/20250314.txt"] = "Line one\r\nLine two; with, marks";
  MemoryFolderNames names(world_.files);
  ToDoList work;
  work[3].text = "Call Caf\xE9, re: plan";
  ASSERT_TRUE(WriteToDoFile(world_.files, "data/wor.bin", work));
  world_.files.files["data/oth.bin"] = "too short";  // unreadable: its side file is used
  ToDoList aside;
  aside[0].text = "Aside";
  ASSERT_TRUE(WriteToDoFile(world_.files, "data/oth.unsaved.bin", aside));
  const std::vector<ToDoItem> todos = ReadToDoItems(world_.files, world_.paths);

  const std::string first = WriteICalendar(book_, notes_.ReadAll(names), todos, world_.clock.now);
  EXPECT_NE(
      first.find("BEGIN:VTODO\r\nUID:todo-2-4@lumetta-calendar\r\nDTSTAMP:20250301T110000Z\r\n"
                 "SUMMARY:Call Caf\xC3\xA9\\, re: plan\r\nCATEGORIES:Work\r\nEND:VTODO\r\n"),
      std::string::npos)
      << first;
  EXPECT_NE(first.find("SUMMARY:Aside\r\nCATEGORIES:Other\r\n"), std::string::npos);

  fakes::FakeWorld other;
  other.clock.now = world_.clock.now;
  All_Appointments copy(other.Context());
  DayNotesFiles otherNotes(other.files, "notes/");
  const IcsImportResult r = ImportICalendarText(copy, first, otherNotes, "x.ics");
  ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
  EXPECT_EQ(r.summary.textsCut, 0);
  MemoryFolderNames otherNames(other.files);
  EXPECT_EQ(WriteICalendar(copy, otherNotes.ReadAll(otherNames), todos, other.clock.now), first);

  // The two books hold the same entries; the to-do lines made none.
  ASSERT_EQ(copy.Count(), 3u);
  for (const An_Appointment* e : {&a, &b, book_.FindAt(2025, 3, 30, 2, 0)}) {
    const An_Appointment* imported =
        copy.FindAt(e->year(), e->month(), e->day(), e->hour(), e->minute());
    ASSERT_NE(imported, nullptr) << e->text;
    EXPECT_EQ(test_common::StoredFields(*imported), test_common::StoredFields(*e));
  }
  EXPECT_EQ(otherNotes.Read(CivilDate{2025, 3, 14}), "Line one\r\nLine two; with, marks");
}

TEST_F(ICalendarTest, TextsGoOutAndComeInThroughTheBooksCodePage) {
  ScopedTimeZone tz("UTC");
  book_.SetCodePage(1251);
  AddEntry(2025, 3, 14, 10, 0, "\xC2\xF1\xF2\xF0\xE5\xF7\xE0");
  const std::string ics = WriteICalendar(book_, {{{2025, 3, 14}, "\xE7\xE0\xEC\xE5\xF2\xEA\xE8"}},
                                         {{0, 0, "\xE4\xE5\xEB\xE0"}}, MakeTime(2025, 3, 1, 12, 0));
  for (const char* line : {"SUMMARY:Встреча\r\n", "DESCRIPTION:заметки\r\n", "SUMMARY:дела\r\n"}) {
    EXPECT_NE(ics.find(line), std::string::npos) << line;
  }

  // A Polish book takes the Polish letters; the Russian ones it cannot hold are counted.
  All_Appointments polish(world_.Context());
  polish.SetCodePage(1250);
  const IcsImportResult r = Import(
      "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250502T090000\n"
      "SUMMARY:Spotkanie z Łukaszem и Борисом\nEND:VEVENT\nEND:VCALENDAR\n",
      &polish);
  ASSERT_EQ(polish.Count(), 1u);
  EXPECT_EQ(polish.At(0).text, "Spotkanie z \xA3ukaszem ? ???????");
  EXPECT_EQ(r.summary.unmappable, 8);
  EXPECT_NE(r.message.find("\n8 characters that this system's code page cannot hold became \"?\"."),
            std::string::npos)
      << r.message;
  // The exported event and day notes come back as "?" (to-dos are not imported).
  EXPECT_EQ(Import(ics, &polish).summary.unmappable, 14);
}

TEST_F(ICalendarTest, AnOccupiedSlotGetsTheTextByTheMergeRule) {
  ScopedTimeZone tz("UTC");
  AddEntry(2025, 5, 2, 9, 0, "Team");
  const IcsImportResult r = Import(
      "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250502T091500\n"
      "SUMMARY:Budget\nEND:VEVENT\nEND:VCALENDAR\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"2025-05-02 09:00 Team Budget"});
  EXPECT_EQ(r.summary.merged, 1);
}

TEST_F(ICalendarTest, RepeatsStopAtTheRepeatLimits) {
  ScopedTimeZone tz("UTC");
  // Every day without end from 9999-12-01: nothing after the calendar's end.
  Import(
      "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:a\nDTSTART:99991201T080000\nRRULE:FREQ=DAILY\n"
      "SUMMARY:Late\nEND:VEVENT\nEND:VCALENDAR\n");
  EXPECT_EQ(book_.Count(), 31u);
  book_.Sort();
  EXPECT_EQ(book_.At(30).day(), 31);
  // Every day without end from 2030: the first and 1,000 copies.
  const IcsImportResult r = Import(
      "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:b\nDTSTART:20300101T090000\n"
      "RRULE:FREQ=DAILY\nSUMMARY:Pills\nEND:VEVENT\nEND:VCALENDAR\n");
  EXPECT_EQ(r.summary.copies, 1000);
  EXPECT_EQ(r.summary.seriesCut, 1);
  EXPECT_EQ(book_.Count(), 31u + 1001u);
}

// A zone's rules go on past 2038: a monthly series written in New York time
// keeps 9:00 through the clock changes of 2038 and 2039, and exports again.
TEST_F(ICalendarTest, SeriesCrossing2038KeepsItsTimeInItsZone) {
  ScopedTimeZone tz("UTC");
  const IcsImportResult r = Import(
      "BEGIN:VCALENDAR\nBEGIN:VTIMEZONE\nTZID:Eastern\n"
      "BEGIN:STANDARD\nDTSTART:20071104T020000\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\n"
      "TZOFFSETFROM:-0400\nTZOFFSETTO:-0500\nEND:STANDARD\n"
      "BEGIN:DAYLIGHT\nDTSTART:20070311T020000\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\n"
      "TZOFFSETFROM:-0500\nTZOFFSETTO:-0400\nEND:DAYLIGHT\nEND:VTIMEZONE\n"
      "BEGIN:VEVENT\nUID:m\nDTSTART;TZID=Eastern:20371215T090000\n"
      "RRULE:FREQ=MONTHLY;COUNT=20\nSUMMARY:Rent\nEND:VEVENT\nEND:VCALENDAR\n");
  EXPECT_EQ(r.summary.outOfRange, 0);
  const std::vector<std::string> entries = Entries();
  ASSERT_EQ(entries.size(), 20u);
  EXPECT_EQ(entries[0], "2037-12-15 14:00 Rent");  // EST
  EXPECT_EQ(entries[1], "2038-01-15 14:00 Rent");
  EXPECT_EQ(entries[4], "2038-04-15 13:00 Rent");  // EDT, past 2038-01-19
  EXPECT_EQ(entries[11], "2038-11-15 14:00 Rent");
  EXPECT_EQ(entries[19], "2039-07-15 13:00 Rent");
  const std::string exported = WriteICalendar(book_, {}, {}, MakeTime(2037, 12, 1, 0, 0));
  EXPECT_NE(exported.find("DTSTART:20390715T130000"), std::string::npos) << exported;
}

TEST_F(ICalendarTest, BadInputChangesNothingAndSaysWhy) {
  ScopedTimeZone tz("UTC");
  AddEntry(2025, 5, 2, 9, 0, "Team");
  world_.files.files["notes/20250502.txt"] = "keep";
  const struct {
    std::string text;
    IcsImportStatus status;
    const char* says;
  } cases[] = {
      {"", IcsImportStatus::NotICalendar, "is not an iCalendar file"},
      {"PK\x03\x04 binary", IcsImportStatus::NotICalendar, "is not an iCalendar file"},
      {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250502T100000Z\nSUMMARY:cut",
       IcsImportStatus::Truncated, "may have been cut off"},
      {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250502T100000Z\nEND:VTODO\nEND:VCALENDAR\n",
       IcsImportStatus::Malformed, "has no component that could be read. (line 4)"},
      {std::string(kMaxICalendarBytes + 1, ' '), IcsImportStatus::TooLarge, "too large"},
  };
  for (const auto& c : cases) {
    const IcsImportResult r = Import(c.text);
    EXPECT_EQ(r.status, c.status) << r.message;
    EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("Nothing was imported."), std::string::npos) << r.message;
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"2025-05-02 09:00 Team"});
  EXPECT_EQ(Notes(2025, 5, 2), "keep");

  // Absurd values inside a well-formed file are skipped and counted.
  const IcsImportResult r = Import(
      "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20251345T990000\nSUMMARY:x\nEND:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART:18990101T090000Z\nSUMMARY:y\nEND:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART:20250601T090000\nRRULE:FREQ=SECONDLY\nSUMMARY:z\nEND:VEVENT\n"
      "END:VCALENDAR\n");
  EXPECT_EQ(r.summary.noStart, 1);
  EXPECT_EQ(r.summary.outOfRange, 1);
  EXPECT_EQ(r.summary.unsupportedRules, 1);
  EXPECT_NE(r.message.find("Skipped: 1 without a start, 1 occurrence outside 1900 to 9999."),
            std::string::npos)
      << r.message;
  EXPECT_EQ(book_.Count(), 2u);
}

// --- Real exports: extra dates, zones named only, damage --------------------------------

TEST_F(ICalendarTest, ExtraDatesJoinTheSeriesInEveryFormTheyAreWritten) {
  ScopedTimeZone tz("UTC");
  const struct {
    const char* lines;  // the event's own lines
    std::vector<std::string> entries;
  } cases[] = {
      // A list of UTC date-times, with no rule.
      {"DTSTART:20130803T190000Z\nRDATE;VALUE=DATE-TIME:20130831T190000Z,20130928T190000Z\n",
       {"2013-08-03 19:00 x", "2013-08-31 19:00 x", "2013-09-28 19:00 x"}},
      // Several properties, another zone, a period by its start, a date at the series' time.
      {"DTSTART;TZID=Europe/Berlin:20250601T100000\nRDATE;TZID=America/New_York:20250602T040000\n"
       "RDATE;VALUE=PERIOD:20250603T120000Z/PT1H\nRDATE;VALUE=DATE:20250604\n",
       {"2025-06-01 08:00 x", "2025-06-02 08:00 x", "2025-06-03 12:00 x", "2025-06-04 08:00 x"}},
      // Merged with the rule: one on a date of the rule counts once, COUNT is the rule's
      // alone, EXDATE takes out a date of either.
      {"DTSTART:20250601T090000Z\nRRULE:FREQ=DAILY;COUNT=3\n"
       "RDATE:20250602T090000Z,20250610T090000Z,20250520T090000Z\n"
       "EXDATE:20250603T090000Z,20250610T090000Z\n",
       {"2025-05-20 09:00 x", "2025-06-01 09:00 x", "2025-06-02 09:00 x"}},
      // An all-day series: dates and date-times go to their day's notes.
      {"DTSTART;VALUE=DATE:20250601\nRDATE;VALUE=DATE:20250605,20250607\n", {}},
  };
  for (const auto& c : cases) {
    fakes::FakeWorld world;
    All_Appointments book(world.Context());
    DayNotesFiles notes(world.files, "notes/");
    const IcsImportResult r =
        ImportICalendarText(book,
                            std::string("BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:u\nSUMMARY:x\n") +
                                c.lines + "END:VEVENT\nEND:VCALENDAR\n",
                            notes, "in.ics");
    EXPECT_EQ(r.status, IcsImportStatus::Imported) << r.message;
    book.Sort();
    std::vector<std::string> entries;
    for (const An_Appointment& e : book) {
      char key[40];
      std::snprintf(key, sizeof key, "%04d-%02d-%02d %02d:%02d ", e.year(), e.month(), e.day(),
                    e.hour(), e.minute());
      entries.push_back(key + e.text);
    }
    EXPECT_EQ(entries, c.entries) << c.lines;
  }
  Import(
      "BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:Fair\nDTSTART;VALUE=DATE:20250601\n"
      "RDATE;VALUE=DATE:20250605\nRDATE:20250607T100000Z\nEND:VEVENT\nEND:VCALENDAR\n");
  EXPECT_EQ(Notes(2025, 6, 1) + Notes(2025, 6, 5) + Notes(2025, 6, 7), "FairFairFair");
}

TEST_F(ICalendarTest, ZonesNamedButNotDefinedKeepTheirDaylightSavingPast2038) {
  ScopedTimeZone tz("UTC");
  const struct {
    const char* tzid;
    int year, month, day;  // 10:00 there
    int utcDay, utcHour;
  } cases[] = {
      {"Europe/Berlin", 2050, 6, 1, 1, 8},
      {"Europe/Berlin", 2050, 12, 1, 1, 9},
      {"America/New_York", 2045, 7, 4, 4, 14},
      {"Australia/Sydney", 2050, 1, 15, 14, 23},  // summer in the south
      {"Australia/Sydney", 2050, 7, 15, 15, 0},
  };
  for (const auto& c : cases) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:x\nDTSTART;TZID=%s:%04d%02d%02dT100000\n"
                  "END:VEVENT\nEND:VCALENDAR\n",
                  c.tzid, c.year, c.month, c.day);
    fakes::FakeWorld world;
    All_Appointments book(world.Context());
    DayNotesFiles notes(world.files, "notes/");
    const IcsImportResult r = ImportICalendarText(book, text, notes, "in.ics");
    ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
    EXPECT_NE(book.FindAt(c.year, c.month, c.utcDay, c.utcHour, 0), nullptr)
        << c.tzid << " " << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(ICalendarTest, ZonesNamedButNotDefinedAreFoundByTheirName) {
  ScopedTimeZone tz("UTC");
  // Ten o'clock in Berlin is 8:00 UTC in June; in Los Angeles 17:00; in London 9:00.
  const struct {
    const char* tzid;
    int hour;  // UTC
  } cases[] = {
      {"Europe/Berlin", 8},            // IANA, no VTIMEZONE at all
      {"W. Europe Standard Time", 8},  // Windows name
      {"Pacific Standard Time", 17},
      {"/mozilla.org/20050126_1/Europe/Berlin", 8},  // a vendor's prefix
      {"\"GMT Standard Time\"", 9},                  // quoted
      {"/citadel.org/20190914_1/Europe/London", 9},
      {"Mars/Olympus_Mons", 10},  // unknown: local time
  };
  for (const auto& c : cases) {
    fakes::FakeWorld world;
    All_Appointments book(world.Context());
    DayNotesFiles notes(world.files, "notes/");
    // A UTC EXDATE takes out the second day only where the zone was found.
    char exdate[40];
    std::snprintf(exdate, sizeof exdate, "EXDATE:20250602T%02d0000Z\n", c.hour);
    const IcsImportResult r = ImportICalendarText(
        book,
        std::string("BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:x\nDTSTART;TZID=") + c.tzid +
            ":20250601T100000\nRRULE:FREQ=DAILY;COUNT=2\n" + exdate + "END:VEVENT\nEND:VCALENDAR\n",
        notes, "in.ics");
    ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
    const An_Appointment* first = book.FindAt(2025, 6, 1, c.hour, 0);
    EXPECT_NE(first, nullptr) << c.tzid << r.message;
    EXPECT_EQ(book.Count(), 1u) << c.tzid;
    const bool unknown = std::string(c.tzid) == "Mars/Olympus_Mons";
    EXPECT_EQ(r.summary.unknownZones, unknown ? 1 : 0) << c.tzid;
    EXPECT_EQ(r.message.find("(\"Mars/Olympus_Mons\")") != std::string::npos, unknown) << r.message;
  }
  // An Exchange file: the event names the IANA zone, the file defines the Windows one.
  const IcsImportResult r = Import(
      "BEGIN:VCALENDAR\nBEGIN:VTIMEZONE\nTZID:W. Europe Standard Time\nBEGIN:STANDARD\n"
      "DTSTART:16010101T030000\nTZOFFSETFROM:+0200\nTZOFFSETTO:+0100\n"
      "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\nEND:STANDARD\nBEGIN:DAYLIGHT\n"
      "DTSTART:16010101T020000\nTZOFFSETFROM:+0100\nTZOFFSETTO:+0200\n"
      "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\nEND:DAYLIGHT\nEND:VTIMEZONE\n"
      "BEGIN:VEVENT\nSUMMARY:Review\nDTSTART;TZID=Europe/Berlin:20250115T100000\n"
      "END:VEVENT\nEND:VCALENDAR\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"2025-01-15 09:00 Review"});
  EXPECT_EQ(r.summary.unknownZones, 0);
}

TEST(ZoneNamesTest, WindowsAndIanaNamesMapBothWaysAndUnsafeNamesAreNeverLookedUp) {
  EXPECT_EQ(IanaOfWindowsZone("w. europe standard time"), "Europe/Berlin");
  EXPECT_EQ(IanaOfWindowsZone("Eastern Standard Time"), "America/New_York");
  EXPECT_EQ(WindowsZoneOfIana("Europe/Paris"), "Romance Standard Time");
  EXPECT_EQ(WindowsZoneOfIana("America/Los_Angeles"), "Pacific Standard Time");
  EXPECT_EQ(WindowsZoneOfIana("Mars/Olympus_Mons"), "");
  // Names are looked up as files below the zone folder: never one that leaves it.
  for (const std::string& name : IanaCandidates("../../etc/passwd")) {
    EXPECT_EQ(name.find(".."), std::string::npos) << name;
  }
  EXPECT_EQ(IanaCandidates("/mozilla.org/20050126_1/America/Argentina/Buenos_Aires"),
            (std::vector<std::string>{"20050126_1/America/Argentina/Buenos_Aires",
                                      "America/Argentina/Buenos_Aires", "Argentina/Buenos_Aires",
                                      "Buenos_Aires"}));
}

TEST_F(ICalendarTest, DamagedLinesAndComponentsAreSkippedAndTheRestImported) {
  ScopedTimeZone tz("UTC");
  const std::string good =
      "BEGIN:VEVENT\nUID:g\nDTSTART:20250502T100000Z\nSUMMARY:Kept\nEND:VEVENT\n";
  const struct {
    std::string text;
    int lines, components;
    bool cutOff;
    const char* says;
  } cases[] = {
      // A fold that lost its leading space: the line goes, the event stays.
      {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250503T100000Z\nSUMMARY:Also\nDESCRIPTION:a\n"
       "long text\nEND:VEVENT\n" +
           good + "END:VCALENDAR\n",
       1, 0, false, "The file is damaged; skipped: 1 line that is not iCalendar."},
      // A misspelt END: the to-do it closes is left out.
      {"BEGIN:VCALENDAR\nBEGIN:VTODO\nUID:t\nEND:VTOOD\n" + good + "END:VCALENDAR\n", 0, 1, false,
       "skipped: 1 component without a proper END."},
      // An END missing: the event without it is left out, the next one read.
      {"BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250504T100000Z\nSUMMARY:Lost\n" + good +
           "END:VCALENDAR\n",
       0, 1, false, "skipped: 1 component without a proper END."},
      // Cut off: what was complete comes in.
      {"BEGIN:VCALENDAR\n" + good + "BEGIN:VEVENT\nDTSTART:20250505T1000", 0, 1, true,
       "it may have been cut off."},
  };
  for (const auto& c : cases) {
    fakes::FakeWorld world;
    All_Appointments book(world.Context());
    DayNotesFiles notes(world.files, "notes/");
    const IcsImportResult r = ImportICalendarText(book, c.text, notes, "in.ics");
    ASSERT_EQ(r.status, IcsImportStatus::Imported) << r.message;
    EXPECT_NE(book.FindAt(2025, 5, 2, 10, 0), nullptr) << c.text;
    EXPECT_EQ(book.Count(), c.lines == 1 ? 2u : 1u) << c.text;
    EXPECT_EQ(r.summary.damagedLines, c.lines) << c.text;
    EXPECT_EQ(r.summary.damagedComponents, c.components) << c.text;
    EXPECT_EQ(r.summary.cutOff, c.cutOff) << c.text;
    EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
  }
}

// --- An independent reader -----------------------------------------------------------------

TEST_F(ICalendarTest, PythonIcalendarReadsTheExportedFile) {
  if (std::system("/usr/bin/python3 -c 'import icalendar' 2>/dev/null") != 0) {
    GTEST_SKIP() << "python3-icalendar is not installed (scripts/setup.sh installs it)";
  }
  ScopedTimeZone tz("UTC");
  An_Appointment& a =
      AddEntry(2025, 3, 14, 10, 30, "Dentist, \"ask\"; " + std::string(80, 'x') + " Caf\xE9");
  a.reminderMinutes = 15;
  a.dayBefore = 1;
  AddEntry(2025, 12, 31, 23, 30, "New year").reminderMinutes = 5;
  world_.files.files["notes/20250314.txt"] = "Bring the card";
  MemoryFolderNames names(world_.files);
  const std::string path = ::testing::TempDir() + "lumetta-export.ics";
  {
    std::ofstream out(path, std::ios::binary);
    out << WriteICalendar(book_, notes_.ReadAll(names), {{0, 2, "Buy milk, eggs"}},
                          MakeTime(2025, 3, 1, 0, 0));
  }
  const std::string script =
      "import sys, icalendar\n"
      "cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
      "for c in cal.walk():\n"
      "    if c.name == 'VEVENT':\n"
      "        alarms = sorted(str(a.get('TRIGGER').dt) for a in c.walk('VALARM'))\n"
      "        print('EVENT', c.decoded('DTSTART').isoformat(), c.decoded('DTSTART') + "
      "c.decoded('DURATION'),\n"
      "              str(c.get('SUMMARY')), '|', ' '.join(alarms))\n"
      "    elif c.name == 'VJOURNAL':\n"
      "        print('NOTES', c.decoded('DTSTART').isoformat(), str(c.get('DESCRIPTION')))\n"
      "    elif c.name == 'VTODO':\n"
      "        print('TODO', c.get('CATEGORIES').to_ical().decode(), str(c.get('SUMMARY')))\n";
  const std::string scriptPath = ::testing::TempDir() + "lumetta-read.py";
  std::ofstream(scriptPath) << script;
  FILE* pipe = popen(("/usr/bin/python3 " + scriptPath + " " + path + " 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  EXPECT_EQ(pclose(pipe), 0) << output;
  EXPECT_EQ(output,
            "EVENT 2025-03-14T10:30:00 2025-03-14 11:00:00 Dentist, \"ask\"; " +
                std::string(80, 'x') +
                " Caf\xC3\xA9 | -1 day, 0:00:00 -1 day, 23:45:00\n"
                "EVENT 2025-12-31T23:30:00 2026-01-01 00:00:00 New year | -1 day, 23:55:00\n"
                "NOTES 2025-03-14 Bring the card\n"
                "TODO Personal Buy milk, eggs\n");
}
