// File > Export to iCalendar... and Import iCalendar... on the main window:
// the save dialog offers "Lumetta.ics", the file holds the book's entries;
// an imported file's event joins the book; each ends in one message.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "DialogTestHelpers.h"
#include "MainFrameTestSupport.h"
#include "PlatformTestFiles.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "resource.h"
#include "shell/NotesFolder.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "planner/AppointBook2.h"
#include "planner/DayPlanners.h"
#include "planner/EditView.h"
#include "todo/ToDo.h"

using main_frame_testing::MainFrameTest;
using platform_testing::PathExists;
using platform_testing::ReadWholeFile;
using platform_testing::WriteWholeFile;
using test_common::Record;

namespace {

constexpr int kFileNameEdit = 0x47c;

std::string EditText(HWND dialog, int id) {
  char text[MAX_PATH] = {};
  SendDlgItemMessageA(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

class ICalendarCommandsTest : public MainFrameTest {
 protected:
  // Answers the next file dialog with `path`; remembers what it offered.
  void ChooseInNextDialog(testing_support::DialogWatcher& watcher, const std::string& path) {
    watcher.Then([this, path](const testing_support::SeenDialog& d) {
      offered_ = EditText(d.hwnd, kFileNameEdit);
      SetDlgItemTextA(d.hwnd, kFileNameEdit, path.c_str());
      return IDOK;
    });
  }
  // The same, once the dialog shows `folder`: Wine's dialog goes to its
  // first folder a moment after it opens, answering the desktop until then.
  void ChooseInFolder(testing_support::DialogWatcher& watcher, const std::string& folder,
                      const std::string& path) {
    watcher.Then([this, folder, path](const testing_support::SeenDialog& d) {
      LookFor(d.hwnd, folder, path, 200);
      return 0;
    });
  }
  void LookFor(HWND dialog, const std::string& folder, const std::string& path, int tries) {
    dialog_test::WhenUp(dialog, [=] {
      char now[MAX_PATH] = {};
      SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(now));
      const bool shown = lstrcmpiA(now, folder.c_str()) == 0;
      if (!shown && tries > 0) return LookFor(dialog, folder, path, tries - 1);
      folders_.push_back(shown ? folder : std::string("not ") + folder + " but " + now);
      SetDlgItemTextA(dialog, kFileNameEdit, path.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  std::string offered_;
  std::vector<std::string> folders_;
};

TEST_F(ICalendarCommandsTest, ExportOffersLumettaIcsAndWritesTheEntriesAndNotes) {
  ASSERT_TRUE(
      WriteWholeFile(services_.DataFile("Lumetta.bin"), Record(2025, 3, 18, 9, 0, "Kept; safe")));
  const std::string notes = services_.data.appData / "notes";
  ASSERT_TRUE(CreateDirectoryA(notes.c_str(), nullptr));
  ASSERT_TRUE(WriteWholeFile(notes + "\\20250318.txt", "Bring the keys"));
  shell::SetNotesFolder(notes + "\\");
  ASSERT_TRUE(MakeFrame());
  const std::string out = services_.data.appData / "out.ics";
  testing_support::DialogWatcher watcher;
  ChooseInNextDialog(watcher, out);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_EXPORT_ICALENDAR);
  shell::SetNotesFolder("");

  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Export to iCalendar", watcher.Seen()[0].caption);
  EXPECT_EQ("Lumetta.ics", offered_);
  const std::string ics = ReadWholeFile(out);
  EXPECT_EQ(0u, ics.find("BEGIN:VCALENDAR\r\n"));
  EXPECT_NE(std::string::npos,
            ics.find("DTSTART:20250318T090000\r\nDURATION:PT30M\r\nSUMMARY:Kept\\; safe\r\n"));
  EXPECT_NE(std::string::npos, ics.find("DESCRIPTION:Bring the keys\r\n"));
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_EQ("Exported 1 entry, 1 day of notes and 0 to-do lines to \"" + out + "\".",
            services_.prompter.texts[0]);
}

// The first export of a run starts in Documents, the next where the last
// went.
TEST_F(ICalendarCommandsTest, TheSaveDialogOpensInDocumentsThenWhereTheLastExportWent) {
  ASSERT_TRUE(MakeFrame());
  char documents[MAX_PATH] = {};
  ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents));
  const std::string elsewhere = services_.data.appData / "exports";
  ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
  const struct {
    std::string folder;  // where the dialog opens
    std::string typed;
  } exports[] = {{documents, std::string(documents) + "\\first export.ics"},
                 {documents, elsewhere + "\\a.ics"},
                 {elsewhere, elsewhere + "\\b.ics"}};
  testing_support::DialogWatcher watcher;
  for (const auto& e : exports) {
    ChooseInFolder(watcher, e.folder, e.typed);
    testing_support::SendCommand(frame_->Handle(), ID_FILE_EXPORT_ICALENDAR);
  }
  EXPECT_EQ(3u, watcher.Seen().size());
  EXPECT_EQ((std::vector<std::string>{documents, documents, elsewhere}), folders_);
  const std::string inDocuments = std::string(documents) + "\\first export.ics";
  EXPECT_TRUE(PathExists(inDocuments));
  EXPECT_TRUE(PathExists(elsewhere + "\\b.ics"));
  DeleteFileA(inDocuments.c_str());
}

TEST_F(ICalendarCommandsTest, ExportTakesTheToDoLineBeingTypedInAnOpenWindow) {
  ASSERT_TRUE(MakeFrame());
  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODO);
  todo::ToDo* list = todo::ToDo::Current();
  ASSERT_NE(nullptr, list);
  for (char c : std::string("Call the plumber")) {
    SendMessageA(list->Editor(), WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  const std::string out = services_.data.appData / "out.ics";
  testing_support::DialogWatcher watcher;
  ChooseInNextDialog(watcher, out);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_EXPORT_ICALENDAR);

  EXPECT_NE(std::string::npos, ReadWholeFile(out).find("SUMMARY:Call the plumber\r\n"));
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_NE(std::string::npos, services_.prompter.texts[0].find("and 1 to-do line"))
      << services_.prompter.texts[0];
  todo::ToDo::CloseToDo();
}

TEST_F(ICalendarCommandsTest, AnOpenNotesWindowKeepsWhatTheImportAddedToItsDay) {
  const std::string notes = services_.data.appData / "notes";
  ASSERT_TRUE(CreateDirectoryA(notes.c_str(), nullptr));
  shell::SetNotesFolder(notes + "\\");
  ASSERT_TRUE(MakeFrame());
  frame_->OpenDayPlanner(2025, 3, 20);
  planner::AppointBook2* day = planner::FindDayPlanner(2025, 3, 20);
  ASSERT_NE(nullptr, day);
  planner::EditView::OpenNotesForEditing(*day);
  ASSERT_NE(nullptr, planner::EditView::Current());
  SetWindowTextA(planner::EditView::Current()->Editor(), "Mine");
  const std::string in = services_.data.appData / "in.ics";
  ASSERT_TRUE(WriteWholeFile(in,
                             "BEGIN:VCALENDAR\r\nBEGIN:VJOURNAL\r\nUID:j@example.com\r\n"
                             "DTSTART;VALUE=DATE:20250320\r\nDESCRIPTION:Theirs\r\n"
                             "END:VJOURNAL\r\nEND:VCALENDAR\r\n"));
  testing_support::DialogWatcher watcher;
  ChooseInNextDialog(watcher, in);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_IMPORT_ICALENDAR);
  planner::EditView::CloseNotes();
  planner::CloseAllDayPlanners();
  shell::SetNotesFolder("");

  const std::string kept = ReadWholeFile(notes + "\\20250320.txt");
  EXPECT_NE(std::string::npos, kept.find("Mine")) << kept;
  EXPECT_NE(std::string::npos, kept.find("Theirs")) << kept;
}

TEST_F(ICalendarCommandsTest, ImportMergesTheEventsAndTellsWhatCameIn) {
  ASSERT_TRUE(MakeFrame());
  const std::string in = services_.data.appData / "in.ics";
  ASSERT_TRUE(WriteWholeFile(in,
                             "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x@example.com\r\n"
                             "DTSTART:20250320T141500\r\nSUMMARY:Caf\xC3\xA9 meeting\r\n"
                             "RRULE:FREQ=DAILY;COUNT=2\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
  testing_support::DialogWatcher watcher;
  ChooseInNextDialog(watcher, in);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_IMPORT_ICALENDAR);

  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Import iCalendar", watcher.Seen()[0].caption);
  EXPECT_EQ("", offered_);
  const store::An_Appointment* first = frame_->Book().FindAt(2025, 3, 20, 14, 0);
  ASSERT_NE(nullptr, first);
  EXPECT_EQ("Caf\xE9 meeting", first->text);
  EXPECT_NE(nullptr, frame_->Book().FindAt(2025, 3, 21, 14, 0));
  ASSERT_EQ(1u, services_.prompter.texts.size());
  EXPECT_EQ("Imported 1 event from \"" + in + "\": 1 new entry, 1 copy from repeats.",
            services_.prompter.texts[0]);

  // A file that is not iCalendar changes nothing.
  ASSERT_TRUE(WriteWholeFile(in, "Subject,Start Date\r\nLunch,2025-03-20\r\n"));
  ChooseInNextDialog(watcher, in);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_IMPORT_ICALENDAR);
  EXPECT_EQ(2u, frame_->Book().Count());
  ASSERT_EQ(2u, services_.prompter.texts.size());
  EXPECT_EQ("The file \"" + in + "\" is not an iCalendar file. Nothing was imported.",
            services_.prompter.texts[1]);
}

// Texts in the scripts of the system's code page (Wine takes it from LANG;
// CTest runs this test again under Russian, Polish and Greek locales).
struct ScriptTexts {
  int codePage;
  const wchar_t* typed;      // as the keyboard sends it
  const char* typedUtf8;     // what the exported file holds
  const char* importedUtf8;  // an event from another calendar
  const char* stored;        // the same in the code page, as the book holds it
};
constexpr ScriptTexts kScripts[] = {
    {1252, L"Caf\u00E9 \u20AC Zo\u00EB", "Caf\xC3\xA9 \xE2\x82\xAC Zo\xC3\xAB",
     "Bj\xC3\xB8rn\xE2\x80\x99s f\xC3\xAAte", "Bj\xF8rn\x92s f\xEAte"},
    {1251, L"\u0412\u0441\u0442\u0440\u0435\u0447\u0430", "Встреча", "Ёлка № 2",
     "\xA8\xEB\xEA\xE0 \xB9 2"},
    {1250, L"Spotkanie z \u0141ukaszem", "Spotkanie z Łukaszem", "Zażółć gęślą",
     "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9"},
    {1253, L"\u03A3\u03C5\u03BD\u03AC\u03BD\u03C4\u03B7\u03C3\u03B7", "Συνάντηση", "Καλημέρα",
     "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1"},
};

}  // namespace

TEST_F(ICalendarCommandsTest, TypedTextGoesOutAndComesInInTheSystemsScript) {
  const ScriptTexts* script = nullptr;
  for (const ScriptTexts& s : kScripts) {
    if (s.codePage == static_cast<int>(GetACP())) script = &s;
  }
  ASSERT_NE(nullptr, script) << "no texts for code page " << GetACP();
  ASSERT_TRUE(MakeFrame());
  EXPECT_EQ(std::to_string(script->codePage) + "\r\n",
            ReadWholeFile(services_.DataFile("codepage.txt")));

  testing_support::SendCommand(frame_->Handle(), ID_VIEW_TODAY);
  testing_support::PumpPending();
  planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 16);
  ASSERT_NE(nullptr, planner);
  ASSERT_NE(nullptr, planner->SlotEditor());
  for (const wchar_t* c = script->typed; *c != L'\0'; ++c)
    SendMessageW(planner->SlotEditor()->Handle(), WM_CHAR, *c, 1);
  planner::CloseAllDayPlanners();

  const std::string out = services_.data.appData / "out.ics";
  testing_support::DialogWatcher watcher;
  ChooseInNextDialog(watcher, out);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_EXPORT_ICALENDAR);
  EXPECT_NE(std::string::npos,
            ReadWholeFile(out).find("SUMMARY:" + std::string(script->typedUtf8) + "\r\n"))
      << ReadWholeFile(out);

  const std::string in = services_.data.appData / "in.ics";
  ASSERT_TRUE(WriteWholeFile(in,
                             "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20250320T090000\r\n"
                             "SUMMARY:" +
                                 std::string(script->importedUtf8) +
                                 "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
  ChooseInNextDialog(watcher, in);
  testing_support::SendCommand(frame_->Handle(), ID_FILE_IMPORT_ICALENDAR);
  const store::An_Appointment* imported = frame_->Book().FindAt(2025, 3, 20, 9, 0);
  ASSERT_NE(nullptr, imported);
  EXPECT_EQ(script->stored, imported->text);
  ASSERT_EQ(2u, services_.prompter.texts.size());
  EXPECT_EQ("Imported 1 event from \"" + in + "\": 1 new entry.", services_.prompter.texts[1]);
}
