// The day notes window (EditView) with a stand-in planner: which file a day's
// notes live in and the window's title, what a save leaves on disk, that
// every way of closing or turning the window saves, following a planner to
// another day, opening above a planner, and the editor's limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "MonthViewFixture.h"
#include "PlatformTestFiles.h"
#include "framework/MessageLoop.h"
#include "planner/EditView.h"
#include "planner/NotesHost.h"
#include "planner/NotesOwner.h"
#include "shell/platform/Win32FileSystem.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Pump.h"
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
  explicit StandInHost(std::string folder) : folder_(std::move(folder)) {
    owner_ = CreateWindowExA(0, "STATIC", "Lumetta", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  }
  ~StandInHost() override {
    if (IsWindow(owner_)) DestroyWindow(owner_);
  }
  StandInHost(const StandInHost&) = delete;
  StandInHost& operator=(const StandInHost&) = delete;

  std::string NotesFolder() override { return folder_; }
  lumetta::FileSystem& NotesFiles() override { return files_; }
  HWND NotesWindowOwner() override { return owner_; }

 private:
  std::string folder_;
  Win32FileSystem files_;
  HWND owner_ = nullptr;
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
  void Pump() { testing_support::PumpPending(&loop); }
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
  static HWND Editor() { return EditView::Current() != nullptr ? EditView::Current()->Editor() : nullptr; }
  static RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
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

class NotesNaming : public EditViewTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(NotesNaming, ADayWithNotesOpensOnItsFileUnderItsTitle) {
  const NamingCase& c = GetParam();
  lumetta::g_settings.europeanCalendar = c.european ? 1 : 0;
  ASSERT_TRUE(WriteWholeFile(FileOf(c.file), "Call the bank"));
  planner.year = c.year;
  planner.month = c.month;
  planner.day = c.day;
  EditView::FollowNotes(planner);
  EditView* view = EditView::Current();
  ASSERT_NE(nullptr, view);
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
                      SaveCase{"first line\nsecond line\n\nfourth", "first line\r\nsecond line\r\n\r\nfourth"},
                      SaveCase{"50%d of %s and 100%%", "50%d of %s and 100%%"},
                      SaveCase{"  \n padded \n\n  ", "padded"},
                      SaveCase{"  \n \n   ", nullptr},
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
  EXPECT_TRUE(testing_support::PumpUntil([] { return EditView::Current() == nullptr; }, 3000, &loop));
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
        ClosePath{"NotesCommandAgain",
                  [](EditViewTest&, StandInPlanner& p, StandInHost&) { EditView::OpenNotesForEditing(p); }},
        ClosePath{"PlannerCloses", [](EditViewTest&, StandInPlanner&, StandInHost&) { EditView::CloseNotes(); }},
        ClosePath{"MainWindowGoes",
                  [](EditViewTest&, StandInPlanner&, StandInHost& h) { DestroyWindow(h.NotesWindowOwner()); }}),
    [](const ::testing::TestParamInfo<ClosePath>& info) { return std::string(info.param.name); });

TEST_F(EditViewTest, NotesReachTheDiskAtSessionEndWhileTheWindowStays) {
  EditView::OpenNotesForEditing(planner);
  Type(Editor(), "Renew passport");
  EditView::SaveOpenNotes();
  EXPECT_EQ("Renew passport", Contents("20250307.txt"));
  EXPECT_TRUE(EditView::IsBeingEdited());
}

// --- Following a planner -----------------------------------------------------------------

TEST_F(EditViewTest, SteppingToTheNextDaySavesAndShowsItsNotesInTheSamePlace) {
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), "seventh"));
  ASSERT_TRUE(WriteWholeFile(FileOf("20250308.txt"), "eighth"));
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
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
  EXPECT_EQ(before.right, after.right);
  EXPECT_EQ(before.bottom, after.bottom);

  planner.day = 9;
  EditView::FollowNotes(planner);
  EXPECT_EQ("", EditView::Current()->Text());
  EXPECT_FALSE(PathExists(FileOf("20250309.txt")));
  EXPECT_EQ("eighth", Contents("20250308.txt"));
}

struct OpeningCase {
  const char* name;
  bool hasNotes;
};

class NotesOpening : public EditViewTest, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(NotesOpening, APlannerOpensTheNotesAboveItOnlyOnADayWithNotes) {
  if (GetParam().hasNotes) {
    ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), "Lunch with Ann"));
  }
  EditView::FollowNotes(planner);
  EditView* view = EditView::Current();
  if (!GetParam().hasNotes) {
    EXPECT_EQ(nullptr, view);
    EXPECT_FALSE(EditView::IsBeingEdited());
    return;
  }
  ASSERT_NE(nullptr, view);
  // As wide as the planner, ending at its top, six text lines less 16 high.
  const RECT r = WindowRect(view->Handle());
  EXPECT_EQ(120, r.left);
  EXPECT_EQ(560, r.right);
  EXPECT_EQ(300, r.bottom);
  EXPECT_EQ(300 - 6 * 22 + 16, r.top);
  EXPECT_EQ(440 - 5, view->InnerWidth());
  EXPECT_EQ(6 * 22 - 16 - 30, view->InnerHeight());
  EXPECT_TRUE(IsWindowVisible(view->Handle()));
  EXPECT_EQ(host.NotesWindowOwner(), GetWindow(view->Handle(), GW_OWNER));
  const LONG_PTR style = GetWindowLongPtrA(view->Handle(), GWL_STYLE);
  EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
  EXPECT_EQ(0, style & WS_SYSMENU);  // no close box
  EXPECT_EQ(&planner, view->Owner());
  EXPECT_FALSE(EditView::IsBeingEdited());
  EXPECT_EQ(0, planner.commits);
}

INSTANTIATE_TEST_SUITE_P(Days, NotesOpening,
                         ::testing::Values(OpeningCase{"WithNotes", true}, OpeningCase{"WithoutNotes", false}),
                         [](const ::testing::TestParamInfo<OpeningCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(EditViewTest, TheNotesCommandOnADayWithoutNotesStartsEditingAtOnce) {
  EditView::OpenNotesForEditing(planner);
  ASSERT_NE(nullptr, EditView::Current());
  EXPECT_TRUE(EditView::IsBeingEdited());
  EXPECT_EQ(1, planner.commits);  // the slot editor gave its text to the book first
  EXPECT_EQ(Editor(), GetFocus());
  EXPECT_EQ("", testing_support::WindowText(Editor()));  // the placeholder never stays
  EXPECT_EQ(&planner, EditView::Current()->Owner());

  EditView::OpenNotesForEditing(planner);  // untouched notes: closed, nothing written
  EXPECT_EQ(nullptr, EditView::Current());
  EXPECT_FALSE(PathExists(FileOf("20250307.txt")));
}

TEST_F(EditViewTest, AClickTurnsTheNotesIntoAnEditorAndTheSlotEditorTakesItBack) {
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), "Gym"));
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
  testing_support::PostClick(EditView::Current()->Handle(), 1, 1);
  Pump();
  ASSERT_TRUE(EditView::IsBeingEdited());
  EXPECT_EQ(1, planner.commits);
  SendMessageA(Editor(), EM_SETSEL, 3, 3);
  Type(Editor(), " at six");

  EditView::EndNotesEditing();  // kept in the window, not yet on disk
  EXPECT_FALSE(EditView::IsBeingEdited());
  EXPECT_EQ("Gym at six", EditView::Current()->Text());
  EXPECT_EQ("Gym", Contents("20250307.txt"));
  EditView::CloseNotes();
  EXPECT_EQ("Gym at six", Contents("20250307.txt"));
}

TEST_F(EditViewTest, ThePlannerThatClosesStopsBeingTheOwner) {
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), "Gym"));
  EditView::FollowNotes(planner);
  StandInPlanner other;
  EditView::ForgetOwner(other);
  EXPECT_EQ(&planner, EditView::Current()->Owner());
  EditView::ForgetOwner(planner);
  EXPECT_EQ(nullptr, EditView::Current()->Owner());
  EditView::Current()->EditNotes();  // no planner left to commit
  EXPECT_TRUE(EditView::IsBeingEdited());
  EXPECT_EQ(0, planner.commits);
}

// --- Limits and files that are not as the window writes them -----------------------------------

TEST_F(EditViewTest, TheEditorRefusesTypingPast320Characters) {
  EditView::OpenNotesForEditing(planner);
  Type(Editor(), std::string(330, 'x'));
  EXPECT_EQ(320, GetWindowTextLengthA(Editor()));
  EditView::CloseNotes();
  EXPECT_EQ(std::string(320, 'x'), Contents("20250307.txt"));
}

TEST_F(EditViewTest, ALongerFileIsShownWholeAndKeptWhole) {
  std::string longNotes;
  for (int line = 0; line < 40; ++line) longNotes += "Line " + std::to_string(line) + " of the notes\r\n";
  longNotes += "end";
  ASSERT_GT(longNotes.size(), 600u);
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), longNotes));
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
  EXPECT_EQ(longNotes, EditView::Current()->Text());
  EditView::Current()->EditNotes();
  EXPECT_EQ(longNotes, testing_support::WindowText(Editor()));

  // Deleting the last character is the user's change; the rest stays.
  SendMessageA(Editor(), EM_SETSEL, static_cast<WPARAM>(longNotes.size()), static_cast<LPARAM>(longNotes.size()));
  SendMessageA(Editor(), WM_CHAR, VK_BACK, 1);
  EditView::CloseNotes();
  EXPECT_EQ(longNotes.substr(0, longNotes.size() - 1), Contents("20250307.txt"));
}

TEST_F(EditViewTest, LineFeedsWrittenByOtherProgramsShowAsLines) {
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), "one\ntwo\r\nthree"));
  EditView::FollowNotes(planner);
  EditView::Current()->EditNotes();
  EXPECT_EQ(3, SendMessageA(Editor(), EM_GETLINECOUNT, 0, 0));
  Type(Editor(), "0");
  EditView::CloseNotes();
  EXPECT_EQ("0one\r\ntwo\r\nthree", Contents("20250307.txt"));
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

// --- Drawing ------------------------------------------------------------------------------------

TEST_F(EditViewTest, DrawsTheNotesInTheTextColourOnTheBackground) {
  lumetta::g_settings.back = RGB(250, 240, 200);
  lumetta::g_settings.fore = RGB(0, 0, 160);
  lumetta::g_settings.toplite = RGB(255, 0, 0);
  lumetta::g_settings.botlite = RGB(0, 128, 0);
  ASSERT_TRUE(WriteWholeFile(FileOf("20250307.txt"), std::string(30, '#')));
  EditView::FollowNotes(planner);
  ASSERT_NE(nullptr, EditView::Current());
  Pump();
  const HWND window = EditView::Current()->Handle();
  const int w = EditView::Current()->InnerWidth();
  testing_support::ClientPixels pixels(window);
  EXPECT_EQ(RGB(250, 240, 200), pixels.At(0, 0));
  EXPECT_EQ(RGB(255, 0, 0), pixels.At(1, 5));          // left edge of the frame
  EXPECT_EQ(RGB(0, 128, 0), pixels.At(1 + w - 8, 5));  // right edge
  int textPixels = 0;
  for (int x = 7; x < w - 12; ++x) {
    for (int y = 5; y < 30; ++y) textPixels += pixels.At(x, y) == RGB(0, 0, 160) ? 1 : 0;
  }
  EXPECT_GT(textPixels, 20);
}

}  // namespace
