// The day planner's menu commands: their messages, dialogs, the clipboard
// text of a day, the editor's own commands and where the focus is after.
#include <string>

#include "CalendarViewsFixture.h"
#include "PlannerFixture.h"
#include "planner/EarlyDialog.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Pixels.h"
#include "support/WindowText.h"

using planner::AppointBook2;
using planner::kHalfPast;
using planner::kOnTheHour;
using planner_test::PlannerTest;
using testing_support::ClipboardText;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;

namespace {

constexpr const char* kSelectEntry = "Please first select a non-empty entry.";

// --- Copy to Clipboard ---------------------------------------------------------------

struct ClipboardCase {
  const char* what;
  bool military;
  bool european;
  const char* expected;
};

TEST_F(PlannerTest, CopyToClipboardWritesTheWholeDayByteForByte) {
  host.diary.Add(2025, 3, 7, 13, 30, "Dentist");
  host.diary.Add(2025, 3, 7, 6, 0, "Run");
  host.diary.Add(2025, 3, 8, 9, 0, "Not this day");
  const ClipboardCase cases[] = {
      {"twelve-hour", false, false,
       "Day Planner for March 7, 2025\r\n6:00am\tRun\r\n9:00am\tTyped\r\n1:30pm\tDentist\r\n"},
      {"military", true, false,
       "Day Planner for March 7, 2025\r\n6:00\tRun\r\n9:00\tTyped\r\n13:30\tDentist\r\n"},
      {"European", false, true,
       "Day Planner for 7 March, 2025\r\n6:00am\tRun\r\n9:00am\tTyped\r\n1:30pm\tDentist\r\n"},
  };
  for (const ClipboardCase& c : cases) {
    store::g_settings.militaryTime = c.military ? 1 : 0;
    store::g_settings.europeanCalendar = c.european ? 1 : 0;
    AppointBook2& planner = Open();
    Click(planner, 1, kOnTheHour);
    Retype(planner, "Typed");
    Command(planner, ID_COPY_TO_CLIPBOARD);
    EXPECT_EQ(c.expected, ClipboardText()) << c.what;
    EXPECT_EQ(c.expected, planner.ClipboardText()) << c.what;
    EXPECT_EQ(Editor(planner), GetFocus()) << c.what;
  }
}

TEST_F(PlannerTest, CopyToClipboardOfAnEmptyDayIsTheHeadingAlone) {
  AppointBook2& planner = Open(2025, 12, 25);
  Command(planner, ID_COPY_TO_CLIPBOARD);
  EXPECT_EQ("Day Planner for Dec 25, 2025\r\n", ClipboardText());
}

// --- Entry commands --------------------------------------------------------------------

TEST_F(PlannerTest, ReminderColorAndRepeatsOnAnEmptySlotAskForAnEntry) {
  for (UINT id : {ID_REMINDER, ID_COLOR, ID_REPEATS}) {
    host.prompter.texts.clear();
    AppointBook2& planner = Open();
    Click(planner, 2, kHalfPast);
    Command(planner, id);
    ASSERT_EQ(1u, host.prompter.texts.size()) << id;
    EXPECT_EQ(kSelectEntry, host.prompter.texts[0]) << id;
    EXPECT_EQ("10:30", Selected(planner)) << id;
    EXPECT_EQ(0u, host.diary.book.Count()) << id;
  }
}

TEST_F(PlannerTest, ReminderOnTypedTextMakesTheEntryAndCancelKeepsItsDefaults) {
  AppointBook2& planner = Open();
  Click(planner, 1, kOnTheHour);
  Type(planner, "Dentist");
  DialogWatcher watcher;
  std::string title;
  watcher.Then([&](const SeenDialog& d) {
    title = d.caption;
    return IDCANCEL;
  });
  Command(planner, ID_REMINDER);
  EXPECT_EQ("9:00am: Dentist", title);
  const store::An_Appointment* entry = host.diary.book.FindAt(2025, 3, 7, 9, 0);
  ASSERT_NE(nullptr, entry);
  EXPECT_EQ(host.diary.world.settings.reminderMinutes, entry->reminderMinutes);
  EXPECT_EQ(1, entry->reminderOn);
  EXPECT_EQ(0, entry->dayBefore);
  EXPECT_EQ(Editor(planner), GetFocus());
}

TEST_F(PlannerTest, ReminderDialogValuesAreStoredAndClearingEnabledRemovesTheReminder) {
  store::An_Appointment& entry = host.diary.Add(2025, 3, 7, 9, 0, "Dentist");
  entry.reminderMinutes = 15;
  AppointBook2& planner = Open();
  Click(planner, 1, kOnTheHour);

  DialogWatcher watcher;
  watcher.Then([](const SeenDialog& d) {
    EXPECT_EQ("15", testing_support::ControlText(d.hwnd, IDC_EARLY_MINUTES));
    SetDlgItemTextA(d.hwnd, IDC_EARLY_MINUTES, "45");
    SendDlgItemMessageA(d.hwnd, IDC_EARLY_DAY_BEFORE, BM_CLICK, 0, 0);
    return IDOK;
  });
  Command(planner, ID_REMINDER);
  EXPECT_EQ(45, entry.reminderMinutes);
  EXPECT_EQ(1, entry.dayBefore);
  EXPECT_EQ(1, entry.reminderOn);

  watcher.Then([](const SeenDialog& d) {
    SendDlgItemMessageA(d.hwnd, IDC_EARLY_ENABLED, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd, IDC_EARLY_MINUTES)));
    return IDOK;
  });
  Command(planner, ID_REMINDER);
  EXPECT_EQ(-1, entry.reminderMinutes);
  EXPECT_EQ(0, entry.reminderOn);
  EXPECT_EQ(0u, entry.timerId());
}

TEST_F(PlannerTest, RepeatsCancelChangesNothingAndEnablesTheWindowsAgain) {
  host.diary.Add(2025, 3, 7, 9, 0, "Gym");
  AppointBook2& planner = Open();
  Click(planner, 1, kOnTheHour);
  DialogWatcher watcher;
  watcher.ThenPress(IDCANCEL);
  Command(planner, ID_REPEATS);
  EXPECT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ(1u, host.diary.book.Count());
  EXPECT_EQ(1, host.monthViewDisables);
  EXPECT_TRUE(IsWindowEnabled(planner.Handle()));
  EXPECT_EQ(Editor(planner), GetFocus());
}

TEST_F(PlannerTest, RepeatsWeeklyMakesCopiesAndKeepsThePlannersDate) {
  host.diary.Add(2025, 3, 7, 9, 0, "Gym");
  AppointBook2& planner = Open();
  Click(planner, 1, kOnTheHour);
  DialogWatcher watcher;
  watcher.Then([](const SeenDialog& d) {
    SendDlgItemMessageA(d.hwnd, IDC_REPEAT_WEEKLY, BM_CLICK, 0, 0);
    return IDOK;
  });
  Command(planner, ID_REPEATS);
  EXPECT_EQ(7, planner.Day());
  const store::An_Appointment* next = host.diary.book.FindAt(2025, 3, 14, 9, 0);
  ASSERT_NE(nullptr, next);
  EXPECT_EQ("Gym", next->text);
  EXPECT_EQ(store::kRepeatWeekly, next->repeatKind);
}

TEST_F(PlannerTest, DeleteCutsTheTextAndPasteBringsItBackInAnotherSlot) {
  host.diary.Add(2025, 3, 7, 9, 0, "Move me");
  AppointBook2& planner = Open();
  Click(planner, 1, kOnTheHour);
  Command(planner, ID_DELETE);
  EXPECT_EQ("Move me", ClipboardText());
  Click(planner, 3, kHalfPast);
  EXPECT_EQ("(none)", TextAt(9, 0));
  Command(planner, ID_EDIT_PASTE);
  Key(planner, VK_TAB);
  EXPECT_EQ("Move me", TextAt(11, 30));
}

TEST_F(PlannerTest, DeleteOnAnEmptySlotOnlyFocusesTheEditor) {
  AppointBook2& planner = Open();
  SetFocus(planner.Handle());
  Command(planner, ID_DELETE);
  EXPECT_TRUE(host.prompter.texts.empty());
  EXPECT_EQ(Editor(planner), GetFocus());
}

// --- The editor's own commands and their enabling ----------------------------------------------

TEST_F(PlannerTest, EditCommandsActOnTheEditorAndAreEnabledByItsState) {
  AppointBook2& planner = Open();
  EXPECT_FALSE(planner.IsCommandEnabled(ID_EDIT_SELECT_ALL)) << "empty text";
  EXPECT_FALSE(planner.IsCommandEnabled(ID_EDIT_COPY)) << "no selection";
  EXPECT_TRUE(planner.IsCommandEnabled(ID_EDIT_PASTE));
  EXPECT_FALSE(planner.IsCommandEnabled(ID_PRINT)) << "no month view to print through";
  Type(planner, "Lunch with Sam");
  EXPECT_TRUE(planner.IsCommandEnabled(ID_EDIT_UNDO));
  Command(planner, ID_EDIT_SELECT_ALL);
  EXPECT_TRUE(planner.IsCommandEnabled(ID_EDIT_CUT));
  Command(planner, ID_EDIT_COPY);
  EXPECT_EQ("Lunch with Sam", ClipboardText());
  Command(planner, ID_EDIT_CUT);
  EXPECT_EQ("", testing_support::WindowText(Editor(planner)));
  Command(planner, ID_EDIT_UNDO);
  EXPECT_EQ("Lunch with Sam", testing_support::WindowText(Editor(planner)));
  EXPECT_EQ(Editor(planner), GetFocus());
}

TEST_F(PlannerTest, ThePrintItemIsEnabledWhileAMonthViewCanPrint) {
  AppointBook2& planner = Open();
  HMENU dayMenu = GetSubMenu(GetMenu(planner.Handle()), 0);
  views_test::PrintingMonthView monthView;
  SendMessageA(planner.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(dayMenu), 0);
  EXPECT_EQ(0u, GetMenuState(dayMenu, ID_PRINT, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(0u, GetMenuState(dayMenu, ID_CLEAR_DAY, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(PlannerTest, PrintPrintsTheDayFromSixInTheMorningBelowItsTitleOnOnePage) {
  host.diary.Add(2025, 3, 7, 5, 30, "Too early to print");
  host.diary.Add(2025, 3, 7, 6, 0, "Run");
  host.diary.Add(2025, 3, 7, 23, 30, "Sleep");
  AppointBook2& planner = Open();
  const int shownFirstHour = planner.FirstHour();
  const RECT shownSlot = planner.Layout().Slot(0, planner::kOnTheHour);
  views_test::PrintingMonthView monthView;
  views_test::RecordingPrintTarget& printed = monthView.target;
  printed.source = planner.Handle();

  Command(planner, ID_PRINT);

  EXPECT_EQ(1, printed.offeredPages);
  EXPECT_EQ("Friday, March 7, 2025", printed.title);
  ASSERT_EQ(1u, printed.pages.size());
  const std::vector<month_test::DrawnText>& page = printed.pages[0];
  struct Expected {
    const char* text;
    int count;
  };
  for (const Expected& e :
       {Expected{"Friday, March 7, 2025                     by Lumetta Calendar", 1},
        Expected{"6:00am", 1}, Expected{"11:00pm", 1}, Expected{"Run", 1}, Expected{"Sleep", 1},
        Expected{"5:00am", 0}, Expected{"Too early to print", 0}}) {
    EXPECT_EQ(e.count, views_test::Occurrences(page, e.text)) << e.text;
  }
  const month_test::DrawnText* title =
      month_test::FindText(page, "Friday, March 7, 2025                     by Lumetta Calendar");
  ASSERT_NE(nullptr, title);
  EXPECT_EQ(22, title->x);
  EXPECT_EQ(2, title->y);
  const month_test::DrawnText* six = month_test::FindText(page, "6:00am");
  ASSERT_NE(nullptr, six);
  EXPECT_GT(six->y, title->y) << "the hours start below the title";

  EXPECT_EQ(std::vector<bool>{false}, printed.sourceEnabledDuringPage);
  EXPECT_TRUE(IsWindowEnabled(planner.Handle()));
  EXPECT_EQ(nullptr, monthView.View().Printing().SourceOf(views::PrintSourceKind::DayPlanner));
  // The window goes on as it was: same hours, same slots, the keyboard with the editor.
  EXPECT_EQ(shownFirstHour, planner.FirstHour());
  EXPECT_TRUE(EqualRect(&shownSlot, &planner.Layout().Slot(0, planner::kOnTheHour)));
  EXPECT_EQ(Editor(planner), GetFocus());
}

// --- Shell, help and hints -----------------------------------------------------------------

TEST_F(PlannerTest, FindNotesAsksFirstAndViewAllNotesAndHelpGoToTheShell) {
  AppointBook2& planner = Open();
  host.prompter.answer = IDCANCEL;
  Command(planner, ID_FIND_NOTES);
  ASSERT_EQ(1u, host.prompter.texts.size());
  EXPECT_EQ(
      "Press OK and I will open Windows Explorer to help with your search.\nEnter search text in "
      "the \"Containing text\" field then press \"Search Now\".",
      host.prompter.texts[0]);
  EXPECT_TRUE(host.shellRequests.empty());
  host.prompter.answer = IDOK;
  Command(planner, ID_FIND_NOTES);
  Command(planner, ID_VIEW_ALL_NOTES);
  Command(planner, ID_PLANNER_HELP_TOPICS);
  const std::vector<std::string> expected = {"find C:\\notes\\", "explore C:\\notes\\",
                                             "(default) Lumetta.chm"};
  EXPECT_EQ(expected, host.shellRequests);
  EXPECT_EQ(Editor(planner), GetFocus());
}

TEST_F(PlannerTest, QuickHintsShowTheDayPlannerHintsThenTheEditorHasTheKeyboard) {
  AppointBook2& planner = Open();
  DialogWatcher watcher;
  std::string line;
  watcher.Then([&](const SeenDialog& d) {
    line = testing_support::WindowText(
        GetWindow(GetDlgItem(d.hwnd, IDC_HINT_BULLET_SELECT), GW_HWNDNEXT));
    return IDOK;
  });
  Command(planner, ID_QUICK_HINTS);
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Quick hints on using the Day Planner", watcher.Seen()[0].caption);
  EXPECT_EQ("left click to select an entry to edit", line);
  EXPECT_EQ(planner.Handle(), GetActiveWindow());
  EXPECT_EQ(Editor(planner), GetFocus());
}

// --- Painting in the entry's colour ---------------------------------------------------------

TEST_F(PlannerTest, AnUntouchedSlotShowsItsTextInTheEntrysColourUntilAKey) {
  store::An_Appointment& entry = host.diary.Add(2025, 3, 7, 8, 0, "WWWWWWWW");
  entry.colour = RGB(255, 0, 0);
  AppointBook2& planner = Open();
  const auto redPixels = [&] {
    RedrawWindow(Editor(planner), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    testing_support::ClientPixels pixels(Editor(planner));
    int red = 0;
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x) red += pixels.At(x, y) == RGB(255, 0, 0) ? 1 : 0;
    return red;
  };
  EXPECT_GT(redPixels(), 10);
  Key(planner, VK_CONTROL);
  EXPECT_GT(redPixels(), 10) << "Ctrl alone changes nothing";
  SendMessageA(Editor(planner), WM_KEYDOWN, 'X', 1);
  SendMessageA(Editor(planner), WM_CHAR, 'X', 1);
  EXPECT_EQ(0, redPixels()) << "typed text shows in the standard colours";
}

}  // namespace
