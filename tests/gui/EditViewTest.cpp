// The day notes window (EditView) with a stand-in planner: which file a day's
// notes live in and the window's title, what a save leaves on disk, that
// every way of closing or turning the window saves, following a planner to
// another day, opening above a planner, and the editor's limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "MainFrameTestSupport.h"
#include "MonthViewFixture.h"
#include "PlatformTestFiles.h"
#include "framework/MessageLoop.h"
#include "planner/EditView.h"
#include "planner/NotesHost.h"
#include "planner/NotesOwner.h"
#include "shell/NotesFolder.h"
#include "platform/Win32FileSystem.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "support/RecordingPrompter.h"
#include "support/WindowText.h"

using planner::EditView;
using platform_testing::PathExists;
using platform_testing::ReadWholeFile;
using platform_testing::WriteWholeFile;

namespace {

// The planner side of the notes: a date, a place on the screen and a font.
class StandInPlanner : public planner::NotesOwner {
 public:
  int NotesYear() const override { return year; }
  int NotesMonth() const override { return month; }
  int NotesDay() const override { return day; }
  RECT NotesAnchorRect() const override { return rect; }
  int NotesTextHeight() const override { return textHeight; }
  HFONT NotesFont() const override { return font.Get(); }
  void CommitSlotEditor() override { ++commits; }

  int year = 2025;
  int month = 3;
  int day = 7;
  RECT rect = {120, 300, 560, 700};
  int textHeight = 22;
  fw::Font font{static_cast<HFONT>(CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                               0, VARIABLE_PITCH, "Arial"))};
  int commits = 0;
};

// The main window's side: the notes folder, the files and an owner window.
class StandInHost : public planner::NotesHost {
 public:
  explicit StandInHost(std::string folder) : folder_(std::move(folder)) {}
  ~StandInHost() override {
    if (IsWindow(owner_)) DestroyWindow(owner_);
  }

  std::string NotesFolder() override { return folder_; }
  store::FileSystem& NotesFiles() override { return files_; }
  HWND NotesWindowOwner() override { return owner_; }
  fw::Prompter& NotesPrompter() override { return prompter; }

  testing_support::RecordingPrompter prompter;

 private:
  std::string folder_;
  platform::Win32FileSystem files_;
  HWND owner_ = CreateWindowExA(0, "STATIC", "Lumetta", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
};

class EditViewTest : public ::testing::Test {
 protected:
  void SetUp() override { EditView::SetHost(&host); }
  void TearDown() override {
    EditView::CloseNotes();
    EditView::SetHost(nullptr);
  }

  std::string FileOf(const char* name) const { return notes / name; }
  std::string Contents(const char* name) const { return ReadWholeFile(FileOf(name)); }
  // Keys as a user types them; "\n" is Enter.
  static void Type(HWND editor, const std::string& keys) {
    for (char c : keys) {
      SendMessageA(editor, WM_CHAR, c == '\n' ? '\r' : static_cast<unsigned char>(c), 1);
    }
  }
  static void TypeOver(HWND editor, const std::string& keys) {
    SendMessageA(editor, EM_SETSEL, 0, -1);
    SendMessageA(editor, WM_CHAR, VK_BACK, 1);
    Type(editor, keys);
  }
  static HWND Editor() {
    return EditView::Current() != nullptr ? EditView::Current()->Editor() : nullptr;
  }
  static RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
  }
  void OpenOn(const char* file, const std::string& notes) {
    ASSERT_TRUE(WriteWholeFile(FileOf(file), notes));
    EditView::FollowNotes(planner);
    ASSERT_NE(nullptr, EditView::Current());
  }

  month_test::SettingsScope settings;
  platform_testing::ScratchFolder notes;
  StandInHost host{notes.Path() + "\\"};
  StandInPlanner planner;
  fw::MessageLoop loop;
};

// --- Files and titles --------------------------------------------------------------

struct NamingCase {
  int year, month, day;
  bool european;
  const char* file;
  const char* title;
};
void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.title; }

class NotesNaming : public EditViewTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(NotesNaming, ADayWithNotesOpensOnItsFileUnderItsTitle) {
  const NamingCase& c = GetParam();
  store::g_settings.europeanCalendar = c.european ? 1 : 0;
  planner.year = c.year;
  planner.month = c.month;
  planner.day = c.day;
  OpenOn(c.file, "Call the bank");
  EditView* view = EditView::Current();
  EXPECT_EQ(FileOf(c.file), view->Path());
  EXPECT_EQ(c.title, testing_support::WindowText(view->Handle()));
  EXPECT_EQ("EditView", testing_support::ClassNameOf(view->Handle()));
  EXPECT_EQ("Call the bank", view->Text());
}

INSTANTIATE_TEST_SUITE_P(
    Dates, NotesNaming,
    ::testing::Values(NamingCase{2025, 3, 7, false, "20250307.txt", "Notes for  March 7, 2025"},
                      NamingCase{2025, 3, 7, true, "20250307.txt", "Notes for  7 March, 2025"},
                      NamingCase{2024, 1, 5, false, "20240105.txt", "Notes for  Jan 5, 2024"},
                      NamingCase{2024, 9, 30, true, "20240930.txt", "Notes for  30 Sept, 2024"},
                      NamingCase{2036, 12, 31, false, "20361231.txt", "Notes for  Dec 31, 2036"}));

// --- What a save leaves on disk --------------------------------------------------------

struct SaveCase {
  const char* typed;
  const char* file;  // nullptr: the day has no notes file
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class NotesSaving : public EditViewTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(NotesSaving, TypedNotesReachTheFileAndReadBackAsSaved) {
  const SaveCase& c = GetParam();
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), "old notes"));
  EditView::OpenNotesForEditing(planner);
  ASSERT_NE(nullptr, Editor());
  TypeOver(Editor(), c.typed);
  EditView::CloseNotes();
  ASSERT_EQ(nullptr, EditView::Current());

  if (c.file == nullptr) {
    EXPECT_FALSE(PathExists(FileOf("20250307.txt")));
    return;
  }
  EXPECT_EQ(c.file, Contents("20250307.txt"));
  EditView::OpenNotesForEditing(planner);
  ASSERT_NE(nullptr, Editor());
  EXPECT_EQ(c.file, testing_support::WindowText(Editor()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NotesSaving,
    ::testing::Values(SaveCase{"Dentist at 9", "Dentist at 9"},
                      SaveCase{"first line\nsecond line\n\nfourth",
                               "first line\r\nsecond line\r\n\r\nfourth"},
                      SaveCase{"50%d of %s and 100%%", "50%d of %s and 100%%"},
                      SaveCase{"  \n padded \n\n  ", "padded"}, SaveCase{"  \n \n   ", nullptr},
                      SaveCase{"", nullptr},
                      SaveCase{"[Click here to enter notes for the day] and more", nullptr},
                      SaveCase{"Note: [Click here to enter notes for the day]",
                               "Note: [Click here to enter notes for the day]"}));

// --- Every way of closing saves ----------------------------------------------------------

struct ClosePath {
  const char* name;
  std::function<void(EditViewTest&, StandInPlanner&, StandInHost&)> close;
};

class NotesClosing : public EditViewTest, public ::testing::WithParamInterface<ClosePath> {};

TEST_P(NotesClosing, SavesWhatWasTyped) {
  EditView::OpenNotesForEditing(planner);
  ASSERT_NE(nullptr, Editor());
  Type(Editor(), "Pick up the cake");
  GetParam().close(*this, planner, host);
  EXPECT_TRUE(
      testing_support::PumpUntil([] { return EditView::Current() == nullptr; }, 3000, &loop));
  EXPECT_EQ("Pick up the cake", Contents("20250307.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NotesClosing,
    ::testing::Values(
        ClosePath{"EscInTheEditor",
                  [](EditViewTest&, StandInPlanner&, StandInHost&) {
                    testing_support::PostKey(EditView::Current()->Editor(), VK_ESCAPE);
                  }},
        ClosePath{"EscInTheWindowAfterTheSlotEditorTookOver",
                  [](EditViewTest&, StandInPlanner&, StandInHost&) {
                    EditView::EndNotesEditing();
                    testing_support::PostKey(EditView::Current()->Handle(), VK_ESCAPE);
                  }},
        ClosePath{"NotesCommandAgain", [](EditViewTest&, StandInPlanner& p,
                                          StandInHost&) { EditView::OpenNotesForEditing(p); }},
        ClosePath{"PlannerCloses",
                  [](EditViewTest&, StandInPlanner&, StandInHost&) { EditView::CloseNotes(); }},
        ClosePath{"MainWindowGoes", [](EditViewTest&, StandInPlanner&,
                                       StandInHost& h) { DestroyWindow(h.NotesWindowOwner()); }}),
    [](const ::testing::TestParamInfo<ClosePath>& info) { return std::string(info.param.name); });

// --- Following and opening -----------------------------------------------------------

TEST_F(EditViewTest, SteppingToTheNextDaySavesAndShowsItsNotesInTheSamePlace) {
  ASSERT_TRUE(WriteWholeFile(FileOf("20250308.txt"), "eighth"));
  OpenOn("20250307.txt", "seventh");
  const HWND window = EditView::Current()->Handle();
  const RECT before = WindowRect(window);
  EditView::Current()->EditNotes();
  SendMessageA(Editor(), EM_SETSEL, 7, 7);
  Type(Editor(), " changed");

  planner.day = 8;
  OffsetRect(&planner.rect, 40, 30);  // the planner moved meanwhile; the notes stay
  EditView::FollowNotes(planner);
  ASSERT_EQ(window, EditView::Current()->Handle());
  EXPECT_EQ("seventh changed", Contents("20250307.txt"));
  EXPECT_EQ("eighth", EditView::Current()->Text());
  EXPECT_EQ("Notes for  March 8, 2025", testing_support::WindowText(window));
  EXPECT_FALSE(EditView::IsBeingEdited());
  const RECT after = WindowRect(window);
  EXPECT_EQ(before.left, after.left);
  EXPECT_EQ(before.top, after.top);

  planner.day = 9;  // no notes: an empty window, and no file made for it
  EditView::FollowNotes(planner);
  EXPECT_EQ("", EditView::Current()->Text());
  EditView::CloseNotes();
  EXPECT_FALSE(PathExists(FileOf("20250309.txt")));
  EXPECT_EQ("eighth", Contents("20250308.txt"));
}

TEST_F(EditViewTest, APlannerOpensTheNotesAboveItOnlyOnADayWithNotes) {
  EditView::FollowNotes(planner);
  EXPECT_EQ(nullptr, EditView::Current());

  OpenOn("20250307.txt", "Lunch with Ann");
  EditView* view = EditView::Current();
  // As wide as the planner, ending at its top, six text lines less 16 high.
  const RECT r = WindowRect(view->Handle());
  EXPECT_EQ(120, r.left);
  EXPECT_EQ(560, r.right);
  EXPECT_EQ(300, r.bottom);
  EXPECT_EQ(300 - 6 * 22 + 16, r.top);
  EXPECT_TRUE(IsWindowVisible(view->Handle()));
  EXPECT_EQ(host.NotesWindowOwner(), GetWindow(view->Handle(), GW_OWNER));
  EXPECT_EQ(0, GetWindowLongPtrA(view->Handle(), GWL_STYLE) & WS_SYSMENU);  // no close box
  EXPECT_FALSE(EditView::IsBeingEdited());
  EXPECT_EQ(0, planner.commits);
}

TEST_F(EditViewTest, TheNotesCommandOnADayWithoutNotesStartsEditingAtOnce) {
  EditView::OpenNotesForEditing(planner);
  ASSERT_TRUE(EditView::IsBeingEdited());
  EXPECT_EQ(1, planner.commits);  // the slot editor gave its text to the book first
  EXPECT_EQ(Editor(), GetFocus());
  EXPECT_EQ("", testing_support::WindowText(Editor()));  // the placeholder never stays

  Type(Editor(), "Renew passport");  // the end of a Windows session writes it
  EditView::SaveOpenNotes();
  EXPECT_EQ("Renew passport", Contents("20250307.txt"));
  EXPECT_TRUE(EditView::IsBeingEdited());
}

TEST_F(EditViewTest, AClickStartsEditingAndTheSlotEditorTakesTheKeyboardBack) {
  OpenOn("20250307.txt", "Gym");
  testing_support::PostClick(EditView::Current()->Handle(), 1, 1);
  testing_support::PumpPending(&loop);
  ASSERT_TRUE(EditView::IsBeingEdited());
  EXPECT_EQ(1, planner.commits);
  SendMessageA(Editor(), EM_SETSEL, 3, 3);
  Type(Editor(), " at six");

  EditView::EndNotesEditing();  // kept in the window, not yet on disk
  EXPECT_FALSE(EditView::IsBeingEdited());
  EXPECT_EQ("Gym at six", EditView::Current()->Text());
  EXPECT_EQ("Gym", Contents("20250307.txt"));

  EditView::ForgetOwner(planner);  // its planner closed: nothing left to commit
  EditView::Current()->EditNotes();
  EXPECT_EQ(1, planner.commits);
  EditView::CloseNotes();
  EXPECT_EQ("Gym at six", Contents("20250307.txt"));
}

// --- Limits, and files the window did not write --------------------------------------

TEST_F(EditViewTest, TheEditorRefusesTypingPast320Characters) {
  EditView::OpenNotesForEditing(planner);
  Type(Editor(), std::string(330, 'x'));
  EXPECT_EQ(320, GetWindowTextLengthA(Editor()));
  EditView::CloseNotes();
  EXPECT_EQ(std::string(320, 'x'), Contents("20250307.txt"));
}

TEST_F(EditViewTest, ALongerFileIsShownWholeAndKeptWhole) {
  // Written by another program with bare line feeds; shown with CR LF.
  std::string written;
  std::string shown;
  for (int line = 0; line < 40; ++line) {
    written += "Line " + std::to_string(line) + " of the notes\n";
    shown += "Line " + std::to_string(line) + " of the notes\r\n";
  }
  written += "end";
  shown += "end";
  OpenOn("20250307.txt", written);
  EXPECT_EQ(shown, EditView::Current()->Text());
  EditView::Current()->EditNotes();
  EXPECT_EQ(shown, testing_support::WindowText(Editor()));
  EXPECT_EQ(41, SendMessageA(Editor(), EM_GETLINECOUNT, 0, 0));

  // Deleting the last character is the user's change; every line stays.
  SendMessageA(Editor(), EM_SETSEL, shown.size(), shown.size());
  SendMessageA(Editor(), WM_CHAR, VK_BACK, 1);
  EditView::CloseNotes();
  EXPECT_EQ(shown.substr(0, shown.size() - 1), Contents("20250307.txt"));
}

TEST_F(EditViewTest, AFileThatCannotBeReadIsNotReplacedByNothing) {
  const std::string file = FileOf("20250307.txt");
  ASSERT_TRUE(WriteWholeFile(file, "Kept"));
  HANDLE locked = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, locked);
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
  EXPECT_EQ("", EditView::Current()->Text());  // shows as no notes
  CloseHandle(locked);
  EditView::CloseNotes();
  EXPECT_EQ("Kept", Contents("20250307.txt"));
}

TEST_F(EditViewTest, NotesThatCannotBeWrittenAreKeptBesideAndComeBackWithTheDay) {
  const std::string file = FileOf("20250307.txt");
  OpenOn("20250307.txt", "Old");
  // Another program holds the file open for reading only.
  HANDLE held =
      CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EditView::OpenNotesForEditing(planner);  // closes the view
  EditView::OpenNotesForEditing(planner);
  ASSERT_NE(nullptr, Editor());
  TypeOver(Editor(), "Dentist moved to Friday");
  EditView::CloseNotes();
  EXPECT_EQ("Old", Contents("20250307.txt"));
  EXPECT_EQ("Dentist moved to Friday", Contents("20250307.unsaved.txt"));
  ASSERT_EQ(1u, host.prompter.texts.size());
  EXPECT_NE(std::string::npos, host.prompter.texts[0].find("20250307.unsaved.txt"));

  // The kept text shows with the day and reaches the file once it can be written.
  CloseHandle(held);
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
  EXPECT_EQ("Dentist moved to Friday", EditView::Current()->Text());
  EditView::CloseNotes();
  EXPECT_EQ("Dentist moved to Friday", Contents("20250307.txt"));
  EXPECT_FALSE(PathExists(FileOf("20250307.unsaved.txt")));
  EXPECT_EQ(1u, host.prompter.texts.size());
}

TEST_F(EditViewTest, DrawsTheNotesInTheTextColourInsideTheFrame) {
  store::g_settings.back = RGB(250, 240, 200);
  store::g_settings.fore = RGB(0, 0, 160);
  store::g_settings.toplite = RGB(255, 0, 0);
  store::g_settings.botlite = RGB(0, 128, 0);
  OpenOn("20250307.txt", std::string(30, '#'));
  testing_support::PumpPending(&loop);
  const int w = EditView::Current()->InnerWidth();
  testing_support::ClientPixels pixels(EditView::Current()->Handle());
  EXPECT_EQ(RGB(250, 240, 200), pixels.At(0, 0));
  EXPECT_EQ(RGB(255, 0, 0), pixels.At(1, 5));          // left edge of the frame
  EXPECT_EQ(RGB(0, 128, 0), pixels.At(1 + w - 8, 5));  // right edge
  int textPixels = 0;
  for (int x = 7; x < w - 12; ++x) {
    for (int y = 5; y < 30; ++y) textPixels += pixels.At(x, y) == RGB(0, 0, 160) ? 1 : 0;
  }
  EXPECT_GT(textPixels, 20);
}

// --- In the program: the main window is the notes window's host ------------------------

class NotesInTheProgram : public main_frame_testing::MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    shell::SetNotesFolder(notes.Path() + "\\");
  }
  void TearDown() override {
    MainFrameTest::TearDown();
    shell::SetNotesFolder(previous);
  }
  const std::string previous = shell::NotesFolder();
  platform_testing::ScratchFolder notes;
  StandInPlanner planner;
};

TEST_F(NotesInTheProgram, OwnedByTheMainWindowAndWrittenAtSessionEndAndAtExit) {
  ASSERT_TRUE(MakeFrame());
  const std::string file = notes / "20250307.txt";
  ASSERT_TRUE(WriteWholeFile(file, "Tea"));
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
  EXPECT_EQ(frame_->Handle(), GetWindow(EditView::Current()->Handle(), GW_OWNER));

  EditView::Current()->EditNotes();
  SendMessageA(EditView::Current()->Editor(), WM_CHAR, '!', 1);
  SendMessageA(frame_->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ("!Tea", ReadWholeFile(file));

  SendMessageA(EditView::Current()->Editor(), WM_CHAR, '?', 1);
  frame_.reset();  // Exit: the notes go with the main window, saved
  EXPECT_EQ(nullptr, EditView::Current());
  EXPECT_EQ("!?Tea", ReadWholeFile(file));
}

}  // namespace
