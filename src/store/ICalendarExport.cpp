#include "store/ICalendarExport.h"

#include <cstdio>
#include <map>
#include <tuple>

#include "store/AppointmentBook.h"
#include "store/CodePage.h"
#include "store/ICalendarLines.h"
#include "store/SafeFile.h"

namespace store {

namespace {

std::string Stamp(Moment utc) {
  const std::int64_t seconds = utc;
  const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
  const std::int64_t inDay = seconds - days * 86400;
  const CivilDate d = DateOfDayNumber(days);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", d.year, d.month, d.day,
                static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60),
                static_cast<int>(inDay % 60));
  return text;
}

// A text of the book in UTF-8, escaped.
std::string Text(const std::string& eightBit, int codePage) {
  return EscapeText(EightBitToUtf8(eightBit, codePage));
}

std::string EntryFields(const An_Appointment& e, int codePage) {
  std::string fields =
      "REMINDER=" + std::to_string(e.reminderMinutes) + ";ON=" + std::to_string(e.reminderOn) +
      ";DAYBEFORE=" + std::to_string(e.dayBefore) + ";TILDE=" + std::to_string(e.tildeFlag) +
      ";NOHIGHLIGHT=" + std::to_string(e.noHighlight) + ";REPEAT=" + std::to_string(e.repeatKind);
  if (e.repeatKind != kRepeatNone || e.repeatUntil != 0) {
    fields += ";UNTIL=" + std::to_string(e.repeatUntil) +
              ";MONTHDAY=" + std::to_string(e.monthDay) +
              ";WEEKORDINAL=" + Text(e.weekOrdinal, codePage) +
              ";WEEKDAY=" + Text(e.weekdayText, codePage);
  }
  return fields;
}

}  // namespace

void WriteEventComponent(IcsWriter& out, const An_Appointment& e, const std::string& uid,
                         const std::string& stamp, int codePage,
                         const std::vector<IcsExtraLine>& extra) {
  char start[32];
  std::snprintf(start, sizeof start, "%04d%02d%02dT%02d%02d00", e.year(), e.month(), e.day(),
                e.hour(), e.minute());
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%02X%02X%02X", RedOf(e.colour), GreenOf(e.colour),
                BlueOf(e.colour));

  const std::string summary = Text(e.text, codePage);
  out.Line("BEGIN", "VEVENT");
  out.Line("UID", uid);
  out.Line("DTSTAMP", stamp);
  out.Line("DTSTART", start);
  out.Line("DURATION", "PT30M");
  for (const IcsExtraLine& line : extra) out.Line(line.first, line.second);
  out.Line("SUMMARY", summary);
  out.Line(kColourProperty, colour);
  out.Line(kEntryProperty, EntryFields(e, codePage));
  if (e.reminderOn != 0 && e.reminderMinutes >= 0) {
    const std::string triggers[2] = {"-PT" + std::to_string(e.reminderMinutes) + "M", "-P1D"};
    for (int i = 0; i < (e.dayBefore != 0 ? 2 : 1); ++i) {
      out.Line("BEGIN", "VALARM");
      out.Line("ACTION", "DISPLAY");
      out.Line("DESCRIPTION", summary);
      out.Line("TRIGGER", triggers[i]);
      out.Line("END", "VALARM");
    }
  }
  out.Line("END", "VEVENT");
}

std::string EntryUid(const An_Appointment& e, int sameSlot) {
  char start[32];
  std::snprintf(start, sizeof start, "%04d%02d%02dT%02d%02d00", e.year(), e.month(), e.day(),
                e.hour(), e.minute());
  std::string uid = start;
  if (sameSlot > 0) uid += "-" + std::to_string(sameSlot + 1);
  return uid + kUidDomain;
}

std::string IcsStamp(Moment utc) { return Stamp(utc); }

namespace {

void WriteJournal(IcsWriter& out, const DayNote& note, const std::string& stamp, int codePage) {
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", note.date.year, note.date.month, note.date.day);
  out.Line("BEGIN", "VJOURNAL");
  out.Line("UID", std::string("notes-") + date + kUidDomain);
  out.Line("DTSTAMP", stamp);
  out.Line("DTSTART;VALUE=DATE", date);
  out.Line("DESCRIPTION", Text(note.text, codePage));
  out.Line("END", "VJOURNAL");
}

// The UID names the line's place, so exporting again updates the task elsewhere.
void WriteToDo(IcsWriter& out, const ToDoItem& item, const std::string& stamp, int codePage) {
  out.Line("BEGIN", "VTODO");
  out.Line("UID", "todo-" + std::to_string(item.list + 1) + "-" + std::to_string(item.row + 1) +
                      kUidDomain);
  out.Line("DTSTAMP", stamp);
  out.Line("SUMMARY", Text(item.text, codePage));
  out.Line("CATEGORIES", ToDoListName(item.list));
  out.Line("END", "VTODO");
}

}  // namespace

std::string WriteICalendar(All_Appointments& book, const std::vector<DayNote>& notes,
                           const std::vector<ToDoItem>& todos, Moment stamp, int* events) {
  book.Sort();
  const std::string dtstamp = Stamp(stamp);
  IcsWriter out;
  out.Text().reserve(book.Count() * 330 + 256);
  out.Line("BEGIN", "VCALENDAR");
  out.Line("VERSION", "2.0");
  out.Line("PRODID", kICalendarProductId);
  out.Line("CALSCALE", "GREGORIAN");
  // Entries that share a slot (merged files can make them) get distinct UIDs.
  std::map<std::tuple<int, int, int, int, int>, int> seen;
  for (const An_Appointment& e : book) {
    if (!ConvertsToMoment(e.year(), e.month(), e.day(), e.hour(), e.minute())) continue;
    const An_Appointment* first = book.FindAt(e.year(), e.month(), e.day(), e.hour(), e.minute());
    int sameSlot = 0;
    if (first != &e) sameSlot = ++seen[{e.year(), e.month(), e.day(), e.hour(), e.minute()}];
    WriteEventComponent(out, e, EntryUid(e, sameSlot), dtstamp, book.codePage());
    if (events != nullptr) ++*events;
  }
  for (const DayNote& note : notes) WriteJournal(out, note, dtstamp, book.codePage());
  for (const ToDoItem& item : todos) WriteToDo(out, item, dtstamp, book.codePage());
  out.Line("END", "VCALENDAR");
  return std::move(out.Text());
}

IcsExportResult ExportICalendar(All_Appointments& book, const std::vector<DayNote>& notes,
                                const std::vector<ToDoItem>& todos, const std::string& path) {
  IcsExportResult result;
  const std::string text =
      WriteICalendar(book, notes, todos, book.context().clock.Now(), &result.events);
  result.journals = static_cast<int>(notes.size());
  result.todos = static_cast<int>(todos.size());
  result.written = WriteFileSafely(book.context().files, path, text.data(), text.size());
  if (result.written) {
    result.message = "Exported " + CountOf(result.events, "entry", "entries") + ", " +
                     CountOf(result.journals, "day", "days") + " of notes and " +
                     CountOf(result.todos, "to-do line", "to-do lines") + " to \"" + path + "\".";
  } else {
    result.message = "Lumetta could not write the file \"" + path + "\".";
  }
  return result;
}

}  // namespace store
