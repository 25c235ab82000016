// The to-do window with a stand-in host: opening on Personal row 0 with
// three files of 2640 bytes, rows and their colours, typing into a line and
// what the files hold after the window closed, the editor's keys and limit,
// list switching on the same row, Delete to the clipboard, Copy to
// Clipboard byte for byte, files of the wrong size, the older version's
// lines in the registry, the hints dialog, the printed form, and the window
// as the main window opens and serves it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "CalendarViewsFixture.h"
#include "MainFrameTestSupport.h"
#include "MonthViewFixture.h"
#include "PlatformTestFiles.h"
#include "PrivateRegistry.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "platform/Win32FileSystem.h"
#include "store/FixedFields.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/Pump.h"
#include "support/WindowText.h"
#include "ToDoFixture.h"
#include "todo/ToDo.h"

using platform_testing::ReadWholeFile;
using platform_testing::WriteWholeFile;
using testing_support::ClipboardText;
using testing_support::PumpPending;
using testing_support::SendCommand;
using testing_support::SetClipboardText;
using todo::ToDo;
using todo_test::ToDoWindowTest;

namespace {

// The text of record i of a list file image.
std::string RecordText(const std::string& file, size_t i) {
  if (file.size() < (i + 1) * 120) return "(no record)";
  return store::ReadField(file.data() + i * 120 + 16, 100);
}

std::string FileWith(const std::vector<std::pair<size_t, std::string>>& lines,
                     size_t records = 22) {
  std::string bytes(records * 120, '\0');
  for (const auto& line : lines)
    line.second.copy(&bytes[line.first * 120 + 16], line.second.size());
  return bytes;
}

RECT ChildRect(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// --- Opening and the rows -------------------------------------------------------------

TEST_F(ToDoWindowTest, AFirstOpeningShowsPersonalRowZeroAndWritesThreeEmptyFiles) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  EXPECT_EQ("ToDo", testing_support::ClassNameOf(window->Handle()));
  EXPECT_EQ("Things to do...   (Personal)", testing_support::WindowText(window->Handle()));
  EXPECT_EQ(host.ToDoOwner(), GetWindow(window->Handle(), GW_OWNER));
  ASSERT_NE(nullptr, Editor());
  EXPECT_EQ(ToDo::kEditorId, GetDlgCtrlID(Editor()));
  EXPECT_EQ(Editor(), GetFocus());
  EXPECT_EQ(0, window->SelectedRow());
  for (const char* name : {"per.bin", "wor.bin", "oth.bin"}) {
    EXPECT_EQ(std::string(2640, '\0'), Contents(name)) << name;
  }
  EXPECT_TRUE(host.prompter.texts.empty());
  // Opening again activates the same window.
  EXPECT_EQ(window, ToDo::Open(host, font.Get()));
}

TEST_F(ToDoWindowTest, TwentyTwoRowsShowInAlternatingColoursWithTheEditorOnTheSelectedRow) {
  store::g_settings.dayplan1 = RGB(255, 255, 155);
  store::g_settings.dayplan2 = RGB(255, 205, 155);
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  const int h = window->RowHeight();
  RECT client = {};
  GetClientRect(window->Handle(), &client);
  EXPECT_GE(client.bottom, 22 * h) << "row height " << h;

  window->SelectRow(5);
  const RECT editor = ChildRect(Editor());
  EXPECT_EQ(2, editor.left);
  EXPECT_EQ(5 * h + 2, editor.top);
  EXPECT_EQ(h - 2, editor.bottom - editor.top);

  UpdateWindow(window->Handle());
  testing_support::ClientPixels pixels(window->Handle());
  const int x = window->RowWidth() - 3;
  EXPECT_EQ(RGB(255, 255, 155), pixels.At(x, 0 * h + h / 2));
  EXPECT_EQ(RGB(255, 205, 155), pixels.At(x, 1 * h + h / 2));
  EXPECT_EQ(RGB(255, 255, 155), pixels.At(x, 20 * h + h / 2));
  EXPECT_EQ(RGB(255, 205, 155), pixels.At(x, 21 * h + h / 2));
  // Past the rows' right end the row colours go on.
  EXPECT_EQ(RGB(255, 205, 155), pixels.At(client.right - 1, 3 * h + h / 2));
}

// A new main font reaches the open window: its rows, its editor and its
// size follow, every row still shows, and the window stays on the screen.
TEST_F(ToDoWindowTest, ANewMainFontReachesTheOpenWindow) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  window->SelectRow(21);
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  for (int height : {-11, -20, -40}) {
    SCOPED_TRACE(height);
    fw::Font next(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                              VARIABLE_PITCH, "Arial"));
    const int before = window->RowHeight();
    window->FollowMainFont(next.Get());
    EXPECT_NE(before, window->RowHeight());
    // The font itself, or a smaller copy where its rows would not fit the screen.
    EXPECT_EQ(reinterpret_cast<LRESULT>(window->Font()), SendMessageA(Editor(), WM_GETFONT, 0, 0));
    const RECT editor = ChildRect(Editor());
    EXPECT_EQ(21 * window->RowHeight() + 2, editor.top);
    RECT frame = {};
    RECT client = {};
    GetWindowRect(window->Handle(), &frame);
    GetClientRect(window->Handle(), &client);
    EXPECT_TRUE(frame.top >= work.top && frame.bottom <= work.bottom) << frame.bottom;
    EXPECT_GE(client.bottom, 22 * window->RowHeight()) << "rows cut off";
    font = std::move(next);  // the fixture's font outlives the window
  }
}

TEST_F(ToDoWindowTest, AClickSelectsTheRowUnderItAndTheUpperRowOnABorder) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  const int h = window->RowHeight();
  testing_support::PostClick(window->Handle(), 40, 4 * h);  // border of rows 3 and 4
  PumpPending(&loop);
  EXPECT_EQ(3, window->SelectedRow());
  testing_support::PostClick(window->Handle(), 40, 7 * h + h / 2);
  PumpPending(&loop);
  EXPECT_EQ(7, window->SelectedRow());
  testing_support::PostClick(window->Handle(), window->RowWidth() + 2, 2 * h);  // right of the rows
  PumpPending(&loop);
  EXPECT_EQ(7, window->SelectedRow());
}

// --- Editing and the files ---------------------------------------------------------

TEST_F(ToDoWindowTest, TypedTextGoesIntoTheLineAtOnceAndIntoTheFileWhenTheWindowCloses) {
  ASSERT_NE(nullptr, Open());
  Type("Buy milk");
  EXPECT_EQ("Buy milk", Line(0, 0));
  Press(VK_DOWN);
  Type("Call Anna");
  CloseByCommand();

  EXPECT_EQ(nullptr, ToDo::Current());
  EXPECT_EQ(1, host.closed);
  const std::string file = Contents("per.bin");
  ASSERT_EQ(2640u, file.size());
  EXPECT_EQ("Buy milk", RecordText(file, 0));
  EXPECT_EQ("Call Anna", RecordText(file, 1));
  EXPECT_EQ("", RecordText(file, 2));

  // The next opening shows them again, on Personal row 0.
  ASSERT_NE(nullptr, Open());
  EXPECT_EQ("Buy milk", testing_support::WindowText(Editor()));
  EXPECT_EQ("Call Anna", Line(0, 1));
}

TEST_F(ToDoWindowTest, TheEditorTakesNinetyNineCharactersWhatARecordKeeps) {
  ASSERT_NE(nullptr, Open());
  Type(std::string(120, 'k'));
  EXPECT_EQ(std::string(99, 'k'), testing_support::WindowText(Editor()));
  EXPECT_EQ(std::string(99, 'k'), Line(0, 0));
  SetClipboardText(std::string(150, 'p'));
  Press(VK_DOWN);
  SendCommand(ToDo::Current()->Handle(), ID_EDIT_PASTE);
  EXPECT_EQ(std::string(99, 'p'), Line(0, 1));
  CloseByCommand();
  EXPECT_EQ(std::string(99, 'k'), RecordText(Contents("per.bin"), 0));
  EXPECT_EQ(std::string(99, 'p'), RecordText(Contents("per.bin"), 1));
}

TEST_F(ToDoWindowTest, TabEnterAndDownMoveDownUpMovesUpAndBothStopAtTheEnds) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  Press(VK_UP);
  EXPECT_EQ(0, window->SelectedRow());
  Press(VK_TAB);
  Press(VK_RETURN);
  Press(VK_DOWN);
  EXPECT_EQ(3, window->SelectedRow());
  Press(VK_UP);
  EXPECT_EQ(2, window->SelectedRow());
  Press(VK_NEXT);  // Page Down does nothing here
  EXPECT_EQ(2, window->SelectedRow());
  window->SelectRow(21);
  Press(VK_TAB);
  Press(VK_DOWN);
  EXPECT_EQ(21, window->SelectedRow());
  EXPECT_EQ("", Line(0, 21)) << "the keys are not typed into the line";
}

TEST_F(ToDoWindowTest, EscInTheEditorClosesTheWindowAndWritesWhatWasTyped) {
  ASSERT_NE(nullptr, Open());
  Type("before Esc");
  Press(VK_ESCAPE);
  PumpPending(&loop);
  EXPECT_EQ(nullptr, ToDo::Current());
  EXPECT_EQ("before Esc", RecordText(Contents("per.bin"), 0));
}

TEST_F(ToDoWindowTest, SwitchingListsKeepsTheRowAndEachListItsOwnLines) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  window->SelectRow(5);
  Type("personal five");
  SendCommand(window->Handle(), ID_TODO_WORK);
  EXPECT_EQ("Things to do...   (Work)", testing_support::WindowText(window->Handle()));
  EXPECT_EQ(5, window->SelectedRow());
  EXPECT_EQ(5 * window->RowHeight() + 2, ChildRect(Editor()).top);
  EXPECT_EQ("", testing_support::WindowText(Editor()));
  Type("work five");
  SendCommand(window->Handle(), ID_TODO_OTHER);
  EXPECT_EQ("Things to do...   (Other)", testing_support::WindowText(window->Handle()));
  SendCommand(window->Handle(), ID_TODO_PERSONAL);
  EXPECT_EQ("personal five", testing_support::WindowText(Editor()));
  CloseByCommand();
  EXPECT_EQ("personal five", RecordText(Contents("per.bin"), 5));
  EXPECT_EQ("work five", RecordText(Contents("wor.bin"), 5));
  const std::string other = Contents("oth.bin");
  ASSERT_EQ(2640u, other.size());
  for (size_t i = 0; i < 22; ++i) EXPECT_EQ("", RecordText(other, i)) << "record " << i;
}

// --- Delete and Copy to Clipboard ----------------------------------------------------

TEST_F(ToDoWindowTest, DeleteEmptiesTheLineAndPutsItsTextOnTheClipboard) {
  ASSERT_TRUE(WriteWholeFile(FileOf("per.bin"), FileWith({{2, "call the bank"}, {4, "dentist"}})));
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  window->SelectRow(2);
  SendCommand(window->Handle(), ID_TODO_DELETE);
  EXPECT_EQ("", Line(0, 2));
  EXPECT_EQ("", testing_support::WindowText(Editor()));
  EXPECT_EQ("call the bank", ClipboardText());
  // The main window's Ctrl+Del arrives as the shared Delete command.
  window->SelectRow(4);
  SendCommand(window->Handle(), ID_DELETE);
  EXPECT_EQ("", Line(0, 4));
  EXPECT_EQ("dentist", ClipboardText());
}

TEST_F(ToDoWindowTest, CopyToClipboardGivesTheHeadingTheNonEmptyLinesAndABlankLine) {
  ASSERT_TRUE(WriteWholeFile(FileOf("wor.bin"), FileWith({{0, "a"}, {3, "b"}})));
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  SendCommand(window->Handle(), ID_TODO_COPY_TO_CLIPBOARD);
  EXPECT_EQ("Things to do...   (Personal)\r\n\r\n", ClipboardText());
  SendCommand(window->Handle(), ID_TODO_WORK);
  SendCommand(window->Handle(), ID_TODO_COPY_TO_CLIPBOARD);
  EXPECT_EQ("Things to do...   (Work)\r\na\r\nb\r\n\r\n", ClipboardText());
}

// --- Files that cannot be read ---------------------------------------------------------

TEST_F(ToDoWindowTest, AShortFileShowsItsLinesAndIsWrittenWholeOnClose) {
  ASSERT_TRUE(WriteWholeFile(FileOf("oth.bin"), FileWith({{1, "one"}, {4, "four"}}, 5)));
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  EXPECT_EQ("four", Line(2, 4));
  EXPECT_EQ("", Line(2, 21));
  EXPECT_TRUE(host.prompter.texts.empty());
  CloseByCommand();
  const std::string file = Contents("oth.bin");
  ASSERT_EQ(2640u, file.size());
  EXPECT_EQ("one", RecordText(file, 1));
  EXPECT_EQ("four", RecordText(file, 4));
}

TEST_F(ToDoWindowTest, AFileOfTheWrongSizeIsToldOnceAndNeverWrittenOver) {
  const std::string odd = FileWith({{0, "kept"}}) + "?";  // 2641 bytes
  ASSERT_TRUE(WriteWholeFile(FileOf("per.bin"), odd));
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  ASSERT_EQ(1u, host.prompter.texts.size());
  EXPECT_NE(std::string::npos, host.prompter.texts[0].find(FileOf("per.bin")));
  EXPECT_NE(std::string::npos, host.prompter.texts[0].find(FileOf("per.unsaved.bin")));
  EXPECT_EQ("", Line(0, 0));
  Type("typed anyway");
  CloseByCommand();

  EXPECT_EQ(1u, host.prompter.texts.size());
  EXPECT_EQ(odd, Contents("per.bin"));
  EXPECT_EQ("typed anyway", RecordText(Contents("per.unsaved.bin"), 0));
}

TEST_F(ToDoWindowTest, LinesTypedWhileTheFileWasUnreadableComeBackOnceItReadsAgain) {
  const std::string odd = FileWith({{0, "kept"}}) + "?";
  ASSERT_TRUE(WriteWholeFile(FileOf("per.bin"), odd));
  ASSERT_NE(nullptr, Open());
  Type("typed aside");
  CloseByCommand();
  // A sync tool let go of the file: it reads again.
  ASSERT_TRUE(WriteWholeFile(FileOf("per.bin"), FileWith({{0, "kept"}})));
  host.prompter.texts.clear();

  ASSERT_NE(nullptr, Open());
  EXPECT_EQ("kept", Line(0, 0));
  EXPECT_EQ("typed aside", Line(0, 1));
  ASSERT_EQ(1u, host.prompter.texts.size());
  EXPECT_NE(std::string::npos, host.prompter.texts[0].find("1 line typed while the Personal"));
  EXPECT_EQ("typed aside", RecordText(Contents("per.bin"), 1));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(FileOf("per.unsaved.bin").c_str()));
  CloseByCommand();
  ASSERT_NE(nullptr, Open());
  EXPECT_EQ(1u, host.prompter.texts.size()) << "told once";
}

TEST_F(ToDoWindowTest, AChangedListIsWrittenByTheRegularSaveWhileTheWindowStaysOpen) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  Type("Buy milk");
  SendMessageA(window->Handle(), WM_TIMER, ToDo::kSaveTimer, 0);  // the minute is up
  EXPECT_EQ(window, ToDo::Current());
  EXPECT_EQ("Buy milk", RecordText(Contents("per.bin"), 0));
  EXPECT_TRUE(host.prompter.texts.empty());
}

// --- The older version's lines ------------------------------------------------------------

TEST_F(ToDoWindowTest, MissingFilesTakeTheOldVersionsLinesFromTheRegistryAndAreWrittenAtOnce) {
  using registry_testing::SetNumber;
  using registry_testing::SetText;
  ASSERT_TRUE(SetText("ToDo\\0", "notes", "call mum"));
  ASSERT_TRUE(SetText("ToDo\\work\\21", "notes", "quarterly report"));
  ASSERT_TRUE(SetText("ToDo\\work\\3", "notes", std::string(120, 'o')));
  ASSERT_TRUE(SetText("ToDo\\work\\4", "notes", std::string(300, 'x')));  // too long
  ASSERT_TRUE(SetNumber("ToDo\\work\\5", "notes", 7));                    // not text
  ASSERT_TRUE(SetText("ToDo\\1", "other", "wrong value name"));
  ASSERT_TRUE(WriteWholeFile(FileOf("oth.bin"), FileWith({{0, "from the file"}})));
  ASSERT_TRUE(SetText("ToDo\\other\\0", "notes", "not read: the file exists"));

  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  EXPECT_EQ("call mum", RecordText(Contents("per.bin"), 0));
  EXPECT_EQ("", RecordText(Contents("per.bin"), 1));
  EXPECT_EQ("quarterly report", RecordText(Contents("wor.bin"), 21));
  EXPECT_EQ("from the file", Line(2, 0));
  EXPECT_EQ("", Line(2, 1));
  EXPECT_EQ(std::string(99, 'o'), Line(1, 3)) << "a line past 99 characters is cut there";
  EXPECT_EQ("", Line(1, 4));
  EXPECT_EQ("", Line(1, 5));
  EXPECT_EQ("call mum", testing_support::WindowText(Editor()));
}

// --- Menu, hints and the printed form -------------------------------------------------------

TEST_F(ToDoWindowTest, ScheduleIsEnabledPrintWithAMonthViewAndTheEditCommandsFollowTheEditor) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(window->IsCommandEnabled(ID_SCHEDULE));
  EXPECT_FALSE(window->IsCommandEnabled(ID_PRINT)) << "no month view to print through";
  {
    views_test::PrintingMonthView monthView;
    EXPECT_TRUE(window->IsCommandEnabled(ID_PRINT));
  }
  EXPECT_TRUE(window->IsCommandEnabled(ID_TODO_COPY_TO_CLIPBOARD));
  EXPECT_FALSE(window->IsCommandEnabled(ID_EDIT_SELECT_ALL));
  EXPECT_FALSE(window->IsCommandEnabled(ID_EDIT_COPY));
  Type("abc");
  EXPECT_TRUE(window->IsCommandEnabled(ID_EDIT_SELECT_ALL));
  EXPECT_TRUE(window->IsCommandEnabled(ID_EDIT_UNDO));
  SendCommand(window->Handle(), ID_EDIT_SELECT_ALL);
  EXPECT_TRUE(window->IsCommandEnabled(ID_EDIT_COPY));
  HMENU commands = GetSubMenu(GetMenu(window->Handle()), 0);
  char text[64] = "";
  GetMenuStringA(commands, ID_SCHEDULE, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ("&Schedule...\tCtrl+S", text);
}

TEST_F(ToDoWindowTest, QuickHintsShowTheFourTipsWhileTheWindowIsDisabled) {
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  testing_support::DialogWatcher watcher;
  std::vector<std::string> texts;
  int bullets = 0;
  bool ownerEnabled = true;
  watcher.Then([&](const testing_support::SeenDialog& d) {
    ownerEnabled = IsWindowEnabled(window->Handle()) != FALSE;
    for (HWND c = GetWindow(d.hwnd, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      if ((GetWindowLongPtrA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        bullets += SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0 ? 1 : 0;
      } else {
        texts.push_back(testing_support::WindowText(c));
      }
    }
    return IDCANCEL;
  });
  SendCommand(window->Handle(), ID_QUICK_HINTS);
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Quick hints on using the To-Do List", watcher.Seen()[0].caption);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ((std::vector<std::string>{"left click to select an entry to edit",
                                      "right click to activate a pop-up menu for Cut and Paste "
                                      "commands",
                                      "use Schedule command to increase productivity",
                                      "all information entered is automatically saved"}),
            texts);
  EXPECT_EQ(4, bullets);
  EXPECT_TRUE(IsWindowEnabled(window->Handle()));
}

TEST_F(ToDoWindowTest, APrintedPageHasTheHeadingAndTheRowsFromThreeRowHeightsDown) {
  ASSERT_TRUE(WriteWholeFile(FileOf("per.bin"), FileWith({{0, "first"}, {1, "second"}})));
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  const int screenRowHeight = window->RowHeight();
  std::vector<month_test::DrawnText> drawn = month_test::TextsDrawnBy(
      [&](HDC dc) { window->DrawLists(dc, nullptr, ToDo::Surface::Printer); });
  std::vector<month_test::DrawnText> texts;
  for (const auto& t : drawn) {
    if (!t.text.empty()) texts.push_back(t);
  }
  ASSERT_EQ(3u, texts.size());
  EXPECT_EQ("Things to do...   (Personal)", texts[0].text);
  EXPECT_EQ(22, texts[0].x);
  EXPECT_EQ(2, texts[0].y);
  EXPECT_EQ("first", texts[1].text);
  EXPECT_EQ("second", texts[2].text);
  const int pageRow = texts[2].y - texts[1].y;
  EXPECT_GT(pageRow, 0);
  EXPECT_EQ(5, texts[1].x);
  EXPECT_EQ(3 * pageRow + 2, texts[1].y);
  // The window's own rows are not changed by a page.
  EXPECT_EQ(screenRowHeight, window->RowHeight());
}

TEST_F(ToDoWindowTest, PrintPrintsTheShownListOnOnePageWhileTheWindowIsDisabled) {
  ASSERT_TRUE(
      WriteWholeFile(FileOf("wor.bin"), FileWith({{0, "call the bank"}, {3, "file taxes"}})));
  ToDo* window = Open();
  ASSERT_NE(nullptr, window);
  SendCommand(window->Handle(), ID_TODO_WORK);
  views_test::PrintingMonthView monthView;
  views_test::RecordingPrintTarget& printed = monthView.target;
  printed.source = window->Handle();

  SendCommand(window->Handle(), ID_PRINT);

  EXPECT_EQ(1, printed.offeredPages);
  EXPECT_EQ("Things to do...   (Work)", printed.title);
  ASSERT_EQ(1u, printed.pages.size());
  std::vector<std::string> texts;
  for (const month_test::DrawnText& t : printed.pages[0]) texts.push_back(t.text);
  EXPECT_EQ((std::vector<std::string>{"Things to do...   (Work)", "call the bank", "file taxes"}),
            texts);
  EXPECT_EQ(std::vector<bool>{false}, printed.sourceEnabledDuringPage);
  EXPECT_TRUE(printed.completed);
  EXPECT_TRUE(IsWindowEnabled(window->Handle()));
  EXPECT_EQ(nullptr, monthView.View().Printing().SourceOf(views::PrintSourceKind::ToDo));
  EXPECT_EQ(window->Handle(), GetActiveWindow());
}

// --- In the program ---------------------------------------------------------------------

class ToDoInMainWindowTest : public main_frame_testing::MainFrameTest {
 protected:
  registry_testing::PrivateCurrentUser user_;
};

TEST_F(ToDoInMainWindowTest, TheToDoCommandOpensItAndTheMainWindowsEndWritesItsLists) {
  ASSERT_TRUE(user_.Ready());
  ASSERT_TRUE(MakeFrame());
  EXPECT_TRUE(frame_->IsCommandEnabled(ID_VIEW_TODO));
  SendCommand(frame_->Handle(), ID_VIEW_TODO);
  ToDo* window = ToDo::Current();
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(frame_->Handle(), GetWindow(window->Handle(), GW_OWNER));
  EXPECT_EQ(1, services_.sound.Clicks());

  SendMessageA(window->Editor(), WM_CHAR, 'x', 1);
  // Ctrl+Del and Ctrl+A reach the active to-do window through the main window.
  SetActiveWindow(window->Handle());
  SendCommand(frame_->Handle(), ID_DELETE);
  EXPECT_EQ("", window->List(0)[0].text);
  SendMessageA(window->Editor(), WM_CHAR, 'y', 1);

  frame_.reset();
  EXPECT_EQ(nullptr, ToDo::Current());
  EXPECT_EQ("y", RecordText(ReadWholeFile(services_.DataFile("per.bin")), 0));
}

}  // namespace
