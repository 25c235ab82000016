// Committing the slot editor: entries made, changed and deleted when the
// selection moves, the copy-previous rule with its "(continued)" chains,
// the record's text limit, and every path that destroys the editor.
#include <string>

#include "PlannerFixture.h"
#include "resource.h"
#include "store/DataFile.h"
#include "support/DialogWatcher.h"

using planner::AppointBook2;
using planner::kHalfPast;
using planner::kOnTheHour;
using planner_test::PlannerTest;

namespace {

TEST_F(PlannerTest, TypedTextBecomesAnEntryWithTheDefaultsWhenTheSelectionMoves) {
  AppointBook2& planner = Open();
  Type(planner, "Team meeting");
  EXPECT_EQ("(none)", TextAt(8, 0)) << "nothing is written while the slot is being typed in";
  Key(planner, VK_TAB);
  const store::An_Appointment* entry = host.diary.book.FindAt(2025, 3, 7, 8, 0);
  ASSERT_NE(nullptr, entry);
  EXPECT_EQ("Team meeting", entry->text);
  EXPECT_EQ(host.diary.world.settings.fore, entry->colour);
  EXPECT_EQ(host.diary.world.settings.reminderMinutes, entry->reminderMinutes);
  EXPECT_EQ(1, entry->reminderOn);
  EXPECT_NE(0u, entry->timerId()) << "armed: due within a day of 7:00";
  EXPECT_GT(host.viewRepaints, 0);
}

TEST_F(PlannerTest, ChangingAndEmptyingASlotChangesAndDeletesItsEntry) {
  host.diary.Add(2025, 3, 7, 9, 0, "Old text");
  host.diary.Add(2025, 3, 7, 10, 0, "Going");
  AppointBook2& planner = Open();

  Click(planner, 1, kOnTheHour);
  EXPECT_EQ("Old text", planner.SlotText());
  Retype(planner, "New text");
  Click(planner, 2, kOnTheHour);
  EXPECT_EQ("New text", TextAt(9, 0));

  Retype(planner, "   ");
  Click(planner, 3, kOnTheHour);
  EXPECT_EQ("(none)", TextAt(10, 0)) << "only spaces empty the slot";
  EXPECT_EQ(1u, host.diary.book.Count());
}

TEST_F(PlannerTest, DeletingAnEntryTakesItsContinuedEntriesWithIt) {
  host.diary.Add(2025, 3, 7, 9, 0, "Workshop");
  host.diary.Add(2025, 3, 7, 9, 30, "Workshop (continued)");
  host.diary.Add(2025, 3, 7, 10, 0, "Workshop (continued)");
  AppointBook2& planner = Open();
  Click(planner, 1, kOnTheHour);
  Command(planner, ID_DELETE);
  Click(planner, 5, kOnTheHour);
  EXPECT_EQ("(none)", TextAt(9, 0));
  EXPECT_EQ("(none)", TextAt(9, 30));
  EXPECT_EQ("(none)", TextAt(10, 0));
}

struct QuoteCase {
  const char* what;
  int previousDay, previousHour, previousMinute;  // the entry before; day 0: none
  int hour, minute;                               // where the quote is typed
  const char* typed;
  const char* expected;
};

TEST_F(PlannerTest, ASingleQuoteCopiesThePreviousEntryOfTheSameOrThePreviousHour) {
  const QuoteCase cases[] = {
      {"same hour", 7, 9, 0, 9, 30, "'", "Budget review (continued)"},
      {"the hour before", 7, 9, 30, 10, 0, "'", "Budget review (continued)"},
      {"a double quote too", 7, 9, 0, 9, 30, "\"", "Budget review (continued)"},
      {"two hours earlier: the quote stays", 7, 9, 0, 11, 0, "'", "'"},
      {"hours only are compared: yesterday 8:30", 6, 8, 30, 9, 0, "'", "Budget review (continued)"},
      {"no entry before", 0, 0, 0, 9, 0, "'", "'"},
      {"two quotes are plain text", 7, 9, 0, 9, 30, "''", "''"},
  };
  for (const QuoteCase& c : cases) {
    planner::CloseAllDayPlanners();
    host.diary.book.DeleteDay(2025, 3, 7);
    host.diary.book.DeleteDay(2025, 3, 6);
    if (c.previousDay != 0) {
      store::An_Appointment& previous =
          host.diary.Add(2025, 3, c.previousDay, c.previousHour, c.previousMinute, "Budget review");
      previous.colour = RGB(200, 0, 0);
    }
    AppointBook2& planner = Open();
    planner.OpenSlotEditor(c.hour - 8, c.minute == 0 ? kOnTheHour : kHalfPast);
    Settle(planner);
    Type(planner, c.typed);
    Key(planner, VK_TAB);
    const store::An_Appointment* made = host.diary.book.FindAt(2025, 3, 7, c.hour, c.minute);
    ASSERT_NE(nullptr, made) << c.what;
    EXPECT_EQ(c.expected, made->text) << c.what;
    if (std::string(c.typed).size() == 1) {
      EXPECT_EQ(0, made->reminderOn) << c.what;
      EXPECT_EQ(0, made->reminderMinutes) << c.what;
    }
    if (std::string(c.expected) != c.typed) {
      EXPECT_EQ(RGB(200, 0, 0), made->colour) << c.what;
    }
  }
}

TEST_F(PlannerTest, AChainOfQuotesSaysContinuedOnce) {
  host.diary.Add(2025, 3, 7, 9, 0, "Conference");
  AppointBook2& planner = Open();
  planner.OpenSlotEditor(1, kHalfPast);
  Settle(planner);
  Type(planner, "'");
  Key(planner, VK_TAB);
  Type(planner, "'");
  Key(planner, VK_TAB);
  EXPECT_EQ("Conference (continued)", TextAt(9, 30));
  EXPECT_EQ("Conference (continued)", TextAt(10, 0));
}

TEST_F(PlannerTest, TheEditorTakesNoMoreThanARecordKeeps) {
  AppointBook2& planner = Open();
  Type(planner, std::string(150, 'x'));
  EXPECT_EQ(store::kTextChars, static_cast<size_t>(GetWindowTextLengthA(Editor(planner))));
  Key(planner, VK_DOWN);
  EXPECT_EQ(std::string(store::kTextChars, 'x'), TextAt(8, 0));
}

TEST_F(PlannerTest, TabAndEnterNeverBecomeTextEvenOnTheLastSlot) {
  AppointBook2& planner = Open();
  SendMessageA(planner.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 14), 0);
  Settle(planner);
  planner.OpenSlotEditor(10, kHalfPast);
  Settle(planner);
  Type(planner, "Late\t\r");
  Key(planner, VK_RETURN);
  EXPECT_EQ("Late", planner.SlotText());
}

// Every way the editor goes commits what was typed.
enum class Path { Scroll, Page, Step, ClosePlanner, CloseAll, ClearDayNo, NewFont };

TEST_F(PlannerTest, EveryPathThatDestroysTheEditorCommitsFirst) {
  const struct {
    const char* what;
    Path path;
  } cases[] = {
      {"scroll bar", Path::Scroll},
      {"Page Down", Path::Page},
      {"Next", Path::Step},
      {"Close command", Path::ClosePlanner},
      {"closing every planner", Path::CloseAll},
      {"Clear Day answered No", Path::ClearDayNo},
      {"a font chosen", Path::NewFont},
  };
  for (const auto& c : cases) {
    planner::CloseAllDayPlanners();
    host.diary.book.DeleteDay(2025, 3, 7);
    AppointBook2& planner = Open();
    Type(planner, "Typed");
    switch (c.path) {
      case Path::Scroll:
        SendMessageA(planner.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        break;
      case Path::Page:
        Key(planner, VK_NEXT);
        break;
      case Path::Step:
        Command(planner, ID_NEXT);
        break;
      case Path::ClosePlanner:
        Command(planner, ID_CLOSE);
        break;
      case Path::CloseAll:
        planner::CloseAllDayPlanners();
        break;
      case Path::ClearDayNo:
        host.prompter.answer = IDNO;
        Command(planner, ID_CLEAR_DAY);
        Key(planner, VK_TAB);
        break;
      case Path::NewFont: {
        testing_support::DialogWatcher watcher;
        watcher.ThenPress(IDOK);
        Command(planner, ID_SELECT_FONT);
        EXPECT_EQ(1u, watcher.Seen().size());
        EXPECT_NE(0, store::g_settings.plannerFont.height) << "the chosen font is kept";
        EXPECT_EQ("8:00", Selected(planner)) << "the top slot after the repaint";
        break;
      }
    }
    testing_support::PumpPending();
    EXPECT_EQ("Typed", TextAt(8, 0)) << c.what;
  }
}

TEST_F(PlannerTest, ClearDayAsksAndOnYesDeletesTheDayIncludingWhatWasTyped) {
  host.diary.Add(2025, 3, 7, 9, 0, "One");
  host.diary.Add(2025, 3, 7, 14, 30, "Two");
  host.diary.Add(2025, 3, 8, 9, 0, "Tomorrow");
  AppointBook2& planner = Open();
  Type(planner, "Typed");
  host.prompter.answer = IDYES;
  Command(planner, ID_CLEAR_DAY);
  ASSERT_EQ(1u, host.prompter.texts.size());
  EXPECT_EQ("Are you sure you wish to delete all day planner entries for March 7, 2025?",
            host.prompter.texts[0]);
  EXPECT_EQ(nullptr, host.diary.book.FindOnDay(2025, 3, 7));
  EXPECT_EQ("Tomorrow", TextAt(9, 0, 8));
  EXPECT_EQ("8:00", Selected(planner));
}

}  // namespace
