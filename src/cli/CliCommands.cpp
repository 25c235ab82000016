#include "cli/CliCommands.h"
#include "cli/CliSync.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "cli/DayRecords.h"
#include "store/AppointmentBook.h"
#include "store/CivilDate.h"
#include "store/CodePage.h"
#include "store/DataFile.h"
#include "store/ICalendarExport.h"
#include "store/ICalendarImport.h"
#include "store/SafeFile.h"
#include "store/Search.h"
#include "store/Settings.h"
#include "store/TimerIds.h"

namespace cli {

namespace {

using namespace store;

constexpr const char* kUsage =
    "Usage: lumetta-cli [--file PATH] COMMAND [ARGUMENTS]\n"
    "\n"
    "Reads the appointment data file of Lumetta Calendar & Day Planner.\n"
    "\n"
    "Commands:\n"
    "  agenda [DATE] [--days N]   entries of DATE (YYYY-MM-DD, default today) and the\n"
    "                             N-1 days after it (N 1 to 366, default 1), one a line:\n"
    "                             YYYY-MM-DD HH:MM, two spaces, the text\n"
    "  search TEXT [--ignore-case]\n"
    "                             entries whose text contains TEXT, latest first, in the\n"
    "                             program's search results format; exit code 1 for none\n"
    "  export-ics [FILE]          every entry, the day notes and the to-do lists as\n"
    "                             iCalendar to FILE (written safely) or to standard output\n"
    "  import-ics FILE            merges an iCalendar file into the data file (the\n"
    "                             weekday backup copy is taken first); refused while\n"
    "                             the program runs\n"
    "  account add URL --user NAME [--name NAME] [--calendar NAME] [--password-file FILE]\n"
    "                             finds the calendars of a CalDAV server (or takes a\n"
    "                             calendar's own address) and keeps the chosen one as an\n"
    "                             account beside the data file; the password is read from\n"
    "                             FILE, the variable LUMETTA_CALDAV_PASSWORD or the terminal;\n"
    "                             on Windows it is kept for the user alone (DPAPI), elsewhere\n"
    "                             never stored\n"
    "  account list | account remove NAME\n"
    "  sync [--account NAME] [--allow-deletes]\n"
    "                             two-way sync of the data file with the account's calendar;\n"
    "                             one line tells what moved. Exit code 0 done, 1 failed, 3\n"
    "                             stopped before deleting many items, 4 password refused\n"
    "  --help                     this text\n"
    "\n"
    "Options:\n"
    "  --file PATH                the data file to use; its day notes are the folder\n"
    "                             \"notes\" beside it. Without it, the program's own data\n"
    "                             file (on Windows; elsewhere Lumetta.bin in the current\n"
    "                             folder).\n"
    "  --codepage N               the Windows code page the data file's texts were\n"
    "                             written in (874, 1250 to 1258, 65001). Without it, the\n"
    "                             one the program recorded in codepage.txt beside the\n"
    "                             data file; failing that, 1252 (on Windows: the system's).\n";

// The console's answers to what the store would ask a user.
class ConsolePrompts : public Prompts {
 public:
  explicit ConsolePrompts(Console& err) : err_(err) {}
  PromptAnswer Show(const std::string& text, const std::string&, PromptButtons buttons,
                    PromptIcon) override {
    err_ << text << '\n';
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
               ? PromptAnswer::No
               : PromptAnswer::Ok;
  }

 private:
  Console& err_;
};

// A console program runs no reminder timers and has no windows to repaint.
class NoTimers : public ReminderTimers {
 public:
  std::uint32_t Start(std::uint32_t, std::uint32_t) override { return 0; }
  void Stop(std::uint32_t) override {}
};
class NoNotices : public RepaintNotices {
 public:
  void DayChanged(int, int, int) override {}
  void MonthChanged(int, int) override {}
  void ViewsChanged() override {}
};
class FixedPaths : public DataPaths {
 public:
  explicit FixedPaths(std::string folder) : folder_(std::move(folder)) {}
  std::string DataFilePath(const std::string& name, bool) override { return folder_ + name; }

 private:
  std::string folder_;
};

struct Options {
  SyncArgs sync;
  std::string file;
  std::string command;
  std::vector<std::string> words;
  int days = 1;
  int codePage = 0;  // 0: not given
  bool ignoreCase = false;
  bool help = false;
};

// Dates and times are read and written by hand, not with sscanf and
// snprintf: in a run this short their first use costs more than the agenda.
bool ReadNumber(std::string_view text, std::size_t& at, std::size_t most, int& out) {
  const std::size_t first = at;
  out = 0;
  while (at < text.size() && at - first < most && text[at] >= '0' && text[at] <= '9') {
    out = out * 10 + (text[at++] - '0');
  }
  return at > first;
}

bool ParseDate(std::string_view text, CivilDate& out) {
  int y = 0, m = 0, d = 0;
  std::size_t at = 0;
  const auto dash = [&] { return at < text.size() && text[at++] == '-'; };
  if (!ReadNumber(text, at, 4, y) || !dash() || !ReadNumber(text, at, 2, m) || !dash() ||
      !ReadNumber(text, at, 2, d) || at != text.size()) {
    return false;
  }
  out = {y, m, d};
  return y >= kFirstCalendarYear && y <= kLastCalendarYear && m >= 1 && m <= 12 && d >= 1 &&
         d <= DateOfDayNumber(DayNumber(y, m + 1, 1) - 1).day;
}

// Everything the store needs, for one data file.
class Session {
 public:
  Session(CliHost& host, const std::string& dataFile, int codePage, Console& err)
      : prompts_(err),
        paths_(FolderOf(dataFile)),
        book_(StoreContext{settings_, timerIds_, host.Clock(), prompts_, timers_, notices_, paths_,
                           host.Files(), host.TimeZones()}) {
    SetDefaultSettings(settings_, host.Clock().Now());
    book_.SetCodePage(codePage);
  }
  All_Appointments& Book() { return book_; }

 private:
  SettingsBlock settings_{};
  ReminderTimerCounter timerIds_;
  ConsolePrompts prompts_;
  NoTimers timers_;
  NoNotices notices_;
  FixedPaths paths_;
  All_Appointments book_;
};

// The agenda reads only the records of its days (DayRecords.h): the merge
// rule among them gives the same entries as loading the whole book.
int Agenda(CliHost& host, const Options& o, const std::string& dataFile, Console& out,
           Console& err) {
  CivilDate first;
  if (o.words.size() > 1) {
    err << "agenda takes one date\n";
    return 2;
  }
  if (!o.words.empty()) {
    if (!ParseDate(o.words[0], first)) {
      err << "not a date (YYYY-MM-DD, 1900 to 9999): " << o.words[0] << '\n';
      return 2;
    }
  } else {
    const CalendarFields now = LocalFields(host.Clock().Now());
    first = {now.year, now.month, now.day};
  }
  const std::int64_t from = DayNumber(first.year, first.month, first.day);
  const std::int64_t to = from + o.days - 1;
  Session session(host, dataFile, o.codePage, err);
  All_Appointments& book = session.Book();
  if (const std::unique_ptr<PositionedFile> file = host.OpenPositioned(dataFile)) {
    const DayRecords found =
        ReadDayRecords(*file, host.Files(), DayIndexPathFor(dataFile), from, to);
    AppointmentRecord record;
    MomentCache cache;
    for (std::size_t at = 0; at < found.records.size(); at += kRecordSize) {
      DecodeRecord(found.records.data() + at, record);
      book.AddRecord(record, &cache);
    }
  }
  book.Sort();
  for (const An_Appointment& e : book) {
    char key[] = "0000-00-00 00:00  ";
    const auto put = [&key](std::size_t at, std::size_t digits, int value) {
      for (std::size_t i = at + digits; i > at; value /= 10) {
        key[--i] = static_cast<char>('0' + value % 10);
      }
    };
    put(0, 4, e.year());
    put(5, 2, e.month());
    put(8, 2, e.day());
    put(11, 2, e.hour());
    put(14, 2, e.minute());
    out << key << host.ToConsole(e.text, o.codePage) << '\n';
  }
  return 0;
}

// Loads the data file; a missing one is an empty book unless `required`.
// False (and said why) when it cannot be used.
bool LoadBook(All_Appointments& book, FileSystem& files, const std::string& dataFile, bool required,
              Console& err) {
  if (!files.Exists(dataFile)) {
    if (required) err << "no data file at \"" << dataFile << "\"\n";
    return !required;
  }
  if (!files.OpenRead(dataFile)) {
    err << "the data file \"" << dataFile << "\" cannot be read\n";
    return false;
  }
  book.LoadDataFile(dataFile);
  return true;
}

int Search(CliHost& host, const Options& o, const std::string& dataFile, Console& out,
           Console& err) {
  if (o.words.size() != 1 || o.words[0].empty()) {
    err << "search takes one text\n";
    return 2;
  }
  Session session(host, dataFile, o.codePage, err);
  if (!LoadBook(session.Book(), host.Files(), dataFile, true, err)) return 1;
  session.Book().Sort();
  const SearchResult found =
      FindEntries(session.Book(), host.FromConsole(o.words[0], o.codePage), o.ignoreCase);
  for (const char c : host.ToConsole(found.results, o.codePage)) {
    if (c != '\r') out << c;
  }
  return found.hits > 0 ? 0 : 1;
}

int ExportIcs(CliHost& host, const Options& o, const std::string& dataFile,
              const std::string& notesFolder, Console& out, Console& err) {
  if (o.words.size() > 1) {
    err << "export-ics takes at most one file\n";
    return 2;
  }
  Session session(host, dataFile, o.codePage, err);
  All_Appointments& book = session.Book();
  if (!LoadBook(book, host.Files(), dataFile, false, err)) return 1;
  const std::vector<DayNote> notes =
      DayNotesFiles(host.Files(), notesFolder).ReadAll(host.FolderNames());
  // The to-do lists live beside the data file.
  const std::vector<ToDoItem> todos = ReadToDoItems(host.Files(), book.context().paths);
  if (o.words.empty()) {
    out << WriteICalendar(book, notes, todos, host.Clock().Now());
    return 0;
  }
  const IcsExportResult r = ExportICalendar(book, notes, todos, o.words[0]);
  (r.written ? out : err) << r.message << '\n';
  return r.written ? 0 : 1;
}

int ImportIcs(CliHost& host, const Options& o, const std::string& readFile,
              const std::string& writeFile, const std::string& notesFolder, Console& out,
              Console& err) {
  if (o.words.size() != 1) {
    err << "import-ics takes one file\n";
    return 2;
  }
  if (host.ProgramRunning()) {
    err << "Lumetta is running: close it first, or use File > Import iCalendar... in the "
           "program. Nothing was imported.\n";
    return 1;
  }
  Session session(host, readFile, o.codePage, err);
  All_Appointments& book = session.Book();
  FileSystem& files = host.Files();
  const bool existed = files.Exists(readFile);
  if (!LoadBook(book, files, readFile, false, err)) return 1;
  // All-day events and journals go to the day notes: the folder may be new.
  std::error_code ignored;
  std::filesystem::create_directory(notesFolder, ignored);
  const IcsImportResult r =
      ImportICalendarFile(book, o.words[0], DayNotesFiles(files, notesFolder));
  if (r.status != IcsImportStatus::Imported) {
    err << r.message << '\n';
    return 1;
  }
  // The weekday backup copy, as at the program's start, before the data file changes.
  if (existed) {
    const CalendarFields today = LocalFields(host.Clock().Now());
    files.CopyReplacing(readFile, FolderOf(writeFile) + WeekdayBackupName(today.weekday));
  }
  if (!book.SaveTo(writeFile)) return 1;  // SaveTo told why
  out << r.message << '\n';
  return 0;
}

int Sync(CliHost& host, const Options& o, const std::string& readFile, const std::string& writeFile,
         const std::string& notesFolder, Console& out, Console& err) {
  if (!o.words.empty()) {
    err << "sync takes no words, only --account NAME\n";
    return 2;
  }
  if (host.ProgramRunning()) {
    err << "Lumetta is running: close it first. Nothing was synced.\n";
    return 1;
  }
  Session session(host, readFile, o.codePage, err);
  if (!LoadBook(session.Book(), host.Files(), readFile, false, err)) return 1;
  return SyncCommand(host, session.Book(), o.sync, writeFile, writeFile, notesFolder, out, err);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliHost& host, Console& out, Console& err) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--allow-deletes") {
      o.sync.allowDeletes = true;
    } else if (a == "--allow-http") {
      o.sync.allowHttp = true;
    } else if (a == "--account" || a == "--name" || a == "--user" || a == "--calendar" ||
               a == "--password-file") {
      if (i + 1 >= args.size()) {
        err << a << " needs a value\n" << kUsage;
        return 2;
      }
      const std::string& value = args[++i];
      if (a == "--account" || a == "--name") o.sync.account = value;
      if (a == "--user") o.sync.user = value;
      if (a == "--calendar") o.sync.calendar = value;
      if (a == "--password-file") o.sync.passwordFile = value;
    } else if (a == "--file" || a == "--days" || a == "--codepage") {
      if (i + 1 >= args.size()) {
        err << a << " needs a value\n" << kUsage;
        return 2;
      }
      const std::string& value = args[++i];
      if (a == "--file") {
        o.file = value;
      } else if (a == "--codepage") {
        char* end = nullptr;
        const long codePage = std::strtol(value.c_str(), &end, 10);
        if (*end != '\0' || codePage < 1 || codePage > 65535 ||
            !KnownCodePage(static_cast<int>(codePage))) {
          err << "--codepage takes 874, 1250 to 1258 or 65001\n";
          return 2;
        }
        o.codePage = static_cast<int>(codePage);
      } else {
        char* end = nullptr;
        const long days = std::strtol(value.c_str(), &end, 10);
        if (*end != '\0' || days < 1 || days > 366) {
          err << "--days takes 1 to 366\n";
          return 2;
        }
        o.days = static_cast<int>(days);
      }
    } else if (a == "--ignore-case" || a == "-i") {
      o.ignoreCase = true;
    } else if (o.command.empty()) {
      o.command = a;
    } else {
      o.words.push_back(a);
    }
  }
  if (o.help) {
    out << kUsage;
    return 0;
  }
  const std::string readFile = o.file.empty() ? host.DataFileForReading() : o.file;
  const std::string writeFile = o.file.empty() ? host.DataFileForWriting() : o.file;
  const std::string notesFolder =
      o.file.empty() ? host.NotesFolder() : FolderOf(o.file) + "notes" + host.Separator();
  if (o.codePage == 0)
    o.codePage = ReadCodePageFile(host.Files(), FolderOf(readFile) + kCodePageFileName);
  if (o.codePage == 0) o.codePage = host.DefaultCodePage();
  if (o.command == "agenda") return Agenda(host, o, readFile, out, err);
  if (o.command == "search") return Search(host, o, readFile, out, err);
  if (o.command == "export-ics") return ExportIcs(host, o, readFile, notesFolder, out, err);
  if (o.command == "import-ics") {
    return ImportIcs(host, o, readFile, writeFile, notesFolder, out, err);
  }
  if (o.command == "account") return AccountCommand(host, o.words, o.sync, writeFile, out, err);
  if (o.command == "sync") return Sync(host, o, readFile, writeFile, notesFolder, out, err);
  err << (o.command.empty() ? "no command" : "unknown command: " + o.command) << "\n\n" << kUsage;
  return 2;
}

}  // namespace cli
