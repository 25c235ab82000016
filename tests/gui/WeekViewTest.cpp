// The week view opened from a month view: where its period starts, stepping
// and lengths, scrolling, the clipboard text, clicks, the double line after
// Saturday, and its printed pages.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CalendarViewsFixture.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/WindowText.h"
#include "views/WeekPeriod.h"

using month_test::DayCall;
using month_test::DrawnText;
using testing_support::ClipboardText;
using views::Date;
using views::ViewWeek;
using views_test::CalendarViewsTest;

namespace {

class WeekViewTest : public CalendarViewsTest {
 protected:
  void Command(ViewWeek& week, UINT id) { SendMessageA(week.Handle(), WM_COMMAND, id, 0); }
  void Scroll(ViewWeek& week, int request, int thumb = 0) {
    SendMessageA(week.Handle(), WM_VSCROLL, MAKEWPARAM(request, thumb), 0);
  }
  void Repaint(ViewWeek& week) {
    InvalidateRect(week.Handle(), nullptr, FALSE);
    UpdateWindow(week.Handle());
  }
};

// --- The period ---------------------------------------------------------------------

TEST_F(WeekViewTest, AWednesdayOpensItsWeekFromSundayOrInEuropeanStyleFromMonday) {
  struct Case {
    bool european;
    Date start;
    const char* caption;
  };
  const Case cases[] = {
      {false, {2025, 9, 7}, "Appointments starting Sunday September 7, 2025"},
      {true, {2025, 9, 8}, "Appointments starting Sunday, 8 September 2025"},
  };
  for (const Case& c : cases) {
    store::g_settings.europeanCalendar = c.european ? 1 : 0;
    ViewWeek* week = OpenWeek(2025, 9, 10);
    ASSERT_NE(nullptr, week);
    EXPECT_EQ(c.start, week->Start()) << "european " << c.european;
    EXPECT_EQ(c.caption, testing_support::WindowText(week->Handle()));
    EXPECT_EQ(7, week->PeriodLength());
    EXPECT_EQ(1, week->ScrollPosition());
    DestroyWindow(week->Handle());
    EXPECT_EQ(nullptr, ViewWeek::Current());
  }
}

TEST_F(WeekViewTest, FirstDaysOfWeeksAcrossMonthsAndYears) {
  struct Case {
    Date date;
    bool european;
    Date first;
  };
  const Case cases[] = {
      {{2025, 9, 7}, false, {2025, 9, 7}},    // a Sunday is its own first day
      {{2025, 9, 7}, true, {2025, 9, 1}},     // ... but in European style it ends a week
      {{2025, 1, 1}, false, {2024, 12, 29}},  // back into the old year
      {{2024, 3, 2}, true, {2024, 2, 26}},    // across a leap February
      {{1970, 1, 1}, false, {1969, 12, 28}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.first, views::FirstDayOfWeek(c.date, c.european))
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
}

TEST_F(WeekViewTest, ImpossibleDatesOpenNothingAndRetargetNowhere) {
  EXPECT_EQ(nullptr, OpenWeek(2025, 2, 29));
  EXPECT_EQ(nullptr, OpenWeek(2025, 4, 31));
  ViewWeek* week = OpenWeek(2024, 2, 29);  // a leap day is a date
  ASSERT_NE(nullptr, week);
  EXPECT_EQ((Date{2024, 2, 25}), week->Start());
  week->RetargetWeekView(Date{2025, 2, 30});
  EXPECT_EQ((Date{2024, 2, 25}), week->Start());
  week->RetargetWeekView(Date{2025, 12, 31});
  EXPECT_EQ((Date{2025, 12, 28}), week->Start());
  EXPECT_EQ("Appointments starting Sunday December 28, 2025",
            testing_support::WindowText(week->Handle()));
}

TEST_F(WeekViewTest, NextAndPreviousStepAWeekWhateverTheLength) {
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  Command(*week, ID_WEEK_LENGTH_4);
  EXPECT_EQ(28, week->PeriodLength());
  EXPECT_EQ((Date{2025, 9, 7}), week->Start()) << "a new length keeps the start";
  Command(*week, ID_WEEK_NEXT);
  EXPECT_EQ((Date{2025, 9, 14}), week->Start());
  Command(*week, ID_NEXT);  // the main window's shortcut, passed on
  EXPECT_EQ((Date{2025, 9, 21}), week->Start());
  Command(*week, ID_WEEK_PREVIOUS);
  Command(*week, ID_PREVIOUS);
  Command(*week, ID_PREVIOUS);
  EXPECT_EQ((Date{2025, 8, 31}), week->Start());
  EXPECT_EQ("Appointments starting Sunday August 31, 2025",
            testing_support::WindowText(week->Handle()));
  EXPECT_EQ(28, week->PeriodLength());
  SendMessageA(week->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ((Date{2025, 9, 7}), week->Start());
  SendMessageA(week->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ((Date{2025, 8, 31}), week->Start());
}

TEST_F(WeekViewTest, EachLengthItemIsGreyedWhileItIsTheLength) {
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  const struct {
    UINT id;
    int days;
  } lengths[] = {{ID_WEEK_LENGTH_2, 14}, {ID_WEEK_LENGTH_4, 28}, {ID_WEEK_LENGTH_1, 7}};
  for (const auto& l : lengths) {
    Command(*week, l.id);
    EXPECT_EQ(l.days, week->PeriodLength());
    EXPECT_EQ(l.days != 7, week->IsCommandEnabled(ID_WEEK_LENGTH_1)) << l.days;
    EXPECT_EQ(l.days != 14, week->IsCommandEnabled(ID_WEEK_LENGTH_2)) << l.days;
    EXPECT_EQ(l.days != 28, week->IsCommandEnabled(ID_WEEK_LENGTH_4)) << l.days;
  }
}

// --- Scrolling ----------------------------------------------------------------------

// The wheel scrolls the user's number of lines per notch, up or down, and a
// fine-grained wheel's small steps add up to a notch.
TEST_F(WeekViewTest, TheMouseWheelScrollsLikeEveryOtherList) {
  UINT perNotch = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
  const int lines = static_cast<int>(perNotch);
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  const struct {
    short delta;
    int position;
  } steps[] = {{-WHEEL_DELTA, 1 + lines},         {-2 * WHEEL_DELTA, 1 + 3 * lines},
               {WHEEL_DELTA, 1 + 2 * lines},      {-WHEEL_DELTA / 2, 1 + 2 * lines},
               {-WHEEL_DELTA / 2, 1 + 3 * lines}, {10 * WHEEL_DELTA, 1}};
  for (const auto& step : steps) {
    SendMessageA(week->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, step.delta), 0);
    EXPECT_EQ(step.position, week->ScrollPosition()) << step.delta;
  }
  EXPECT_EQ(1, GetScrollPos(week->Handle(), SB_VERT));
}

TEST_F(WeekViewTest, TheScrollPositionStaysWithinOneTo987) {
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  Scroll(*week, SB_LINEUP);
  EXPECT_EQ(1, week->ScrollPosition());
  Scroll(*week, SB_LINEDOWN);
  EXPECT_EQ(2, week->ScrollPosition());
  Scroll(*week, SB_PAGEDOWN);
  EXPECT_EQ(24, week->ScrollPosition());
  Scroll(*week, SB_THUMBTRACK, 500);
  EXPECT_EQ(24, week->ScrollPosition()) << "dragging waits for the release";
  Scroll(*week, SB_THUMBPOSITION, 980);
  EXPECT_EQ(980, week->ScrollPosition());
  SendMessageA(week->Handle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(987, week->ScrollPosition());
  EXPECT_EQ(987, GetScrollPos(week->Handle(), SB_VERT));
  Scroll(*week, SB_LINEDOWN);
  EXPECT_EQ(987, week->ScrollPosition());
  SendMessageA(week->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(965, week->ScrollPosition());
  Command(*week, ID_WEEK_NEXT);
  EXPECT_EQ(1, week->ScrollPosition()) << "a new week starts at the top";
  EXPECT_EQ(1, GetScrollPos(week->Handle(), SB_VERT));
}

// A press on the scroll bar's down arrow moves what is drawn up by one
// line: the distance between two entries as drawn.
TEST_F(WeekViewTest, EachLineDownMovesTheDrawnLinesUpByOneLine) {
  for (int hour = 0; hour < 6; ++hour)
    host.diary.Add(2025, 9, 7, hour, 0, "Item " + std::to_string(hour));
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  const auto drawnAt = [&](const std::string& text) {
    const std::vector<DrawnText> texts =
        month_test::TextsDrawnBy([&](HDC dc) { week->DrawWeek(dc, nullptr, 0); });
    const DrawnText* found = month_test::FindText(texts, text);
    return found != nullptr ? found->y : -10000;
  };
  const int line = drawnAt("Item 2") - drawnAt("Item 1");
  ASSERT_GT(line, 0);
  Scroll(*week, SB_LINEDOWN);  // past the top, which keeps a pixel above the first line
  const int item5 = drawnAt("Item 5");
  for (int presses = 1; presses <= 3; ++presses) {
    Scroll(*week, SB_LINEDOWN);
    EXPECT_EQ(item5 - presses * line, drawnAt("Item 5")) << presses << " presses";
  }
  Scroll(*week, SB_LINEUP);
  EXPECT_EQ(item5 - 2 * line, drawnAt("Item 5")) << "and one back up";
}

TEST_F(WeekViewTest, ABusyFourWeekPeriodShowsALineInEveryRowWhereverItIsScrolled) {
  // 28 days of 20 entries: 588 lines, far more than a window shows.
  for (int d = 0; d < 28; ++d) {
    const Date date = views::AddDays(Date{2025, 9, 7}, d);
    for (int i = 0; i < 20; ++i) {
      host.diary.Add(date.year, date.month, date.day, i, 0, "Item " + std::to_string(i));
    }
  }
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  Command(*week, ID_WEEK_LENGTH_4);
  const int h = week->LineHeight();
  ASSERT_GT(h, 0);
  const int rows = 30;
  for (const int position : {1, 2, 300, 559}) {
    Scroll(*week, SB_THUMBPOSITION, position);
    month_test::Canvas canvas(700, rows * h);
    week->DrawWeek(canvas.Dc(), nullptr, 0);
    // Each row of the canvas (first to last, partly shown ones too) has text in it.
    const int firstTop = position == 1 ? 1 : 0;
    for (int row = 0; row < rows; ++row) {
      const RECT text = {5, firstTop + row * h + 3, 300,
                         std::min(firstTop + (row + 1) * h - 3, rows * h)};
      const int area = (text.right - text.left) * (text.bottom - text.top);
      EXPECT_LT(canvas.Count(text, store::g_settings.back), area)
          << "row " << row << " at scroll position " << position;
    }
  }
  Command(*week, ID_COPY_TO_CLIPBOARD);
  const std::string copied = week->ClipboardText();
  EXPECT_EQ(1 + 28 * 21, std::count(copied.begin(), copied.end(), '\n'));
  EXPECT_NE(std::string::npos, copied.find("Saturday, October 4\r\n"));
}

// --- The clipboard ------------------------------------------------------------------

TEST_F(WeekViewTest, CopyToClipboardPutsThePeriodAsTabSeparatedLines) {
  host.diary.Add(2025, 9, 9, 12, 0, "Lunch with Ann");
  host.diary.Add(2025, 9, 9, 0, 30, "Night train");
  host.diary.Add(2025, 9, 7, 3, 0, "Early swim");
  host.diary.Add(2025, 9, 13, 9, 30, "Market");
  host.diary.Add(2025, 9, 14, 9, 30, "Next week");
  for (const bool military : {false, true}) {
    store::g_settings.militaryTime = military ? 1 : 0;
    ViewWeek* week = OpenWeek(2025, 9, 10);
    ASSERT_NE(nullptr, week);
    Command(*week, ID_COPY_TO_CLIPBOARD);
    const std::string expected =
        std::string("Appointments starting Sunday September 7, 2025\r\n") +
        "Sunday, September 7\r\n" + (military ? "\t3:00\t" : "\t3:00am\t") + "Early swim\r\n" +
        "Monday, September 8\r\n" + "Tuesday, September 9\r\n" +
        (military ? "\t0:30\t" : "\t12:30am\t") + "Night train\r\n" +
        (military ? "\t12:00\t" : "\t12:00pm\t") + "Lunch with Ann\r\n" +
        "Wednesday, September 10\r\n" + "Thursday, September 11\r\n" + "Friday, September 12\r\n" +
        "Saturday, September 13\r\n" + (military ? "\t9:30\t" : "\t9:30am\t") + "Market\r\n";
    EXPECT_EQ(expected, week->ClipboardText());
    EXPECT_EQ(expected, ClipboardText()) << "military " << military;
    DestroyWindow(week->Handle());
  }
}

TEST_F(WeekViewTest, CopyingRightAfterPrintingGivesTheLastPrintedPage) {
  for (int day = 7; day <= 13; ++day) {
    for (int i = 0; i < 20; ++i) host.diary.Add(2025, 9, day, i, 0, "Item " + std::to_string(i));
  }
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  views_test::RecordingPrintTarget target;
  view->Printing().SetTarget(&target);
  Command(*week, ID_PRINT);
  ASSERT_EQ(4u, target.pages.size());  // 2 + 2 + 2 + 1 days of 21 lines
  Command(*week, ID_COPY_TO_CLIPBOARD);
  EXPECT_EQ(
      std::string("Appointments starting Sunday September 7, 2025\r\n") +
          "Saturday, September 13\r\n" +
          [] {
            std::string lines;
            for (int i = 0; i < 20; ++i) {
              lines +=
                  "\t" + views::EntryTimeText(i, 0, false) + "\tItem " + std::to_string(i) + "\r\n";
            }
            return lines;
          }(),
      ClipboardText());
}

// --- Clicks and drawing -------------------------------------------------------------

TEST_F(WeekViewTest, ALeftClickOpensThePlannerOfTheDayWhoseBlockItHits) {
  host.diary.Add(2025, 9, 8, 10, 0, "Meeting");
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  const std::vector<int>& bottoms = week->BlockBottoms();
  ASSERT_EQ(7u, bottoms.size());
  const int clicksBefore = host.clicks;
  SendMessageA(week->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, bottoms[1] - 1));
  SendMessageA(week->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, bottoms[1]));
  SendMessageA(week->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 0));
  SendMessageA(week->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, bottoms[6] + 5));
  const std::vector<DayCall> expected = {{2025, 9, 8}, {2025, 9, 9}, {2025, 9, 7}};
  EXPECT_EQ(expected, host.dayPlanners);
  EXPECT_EQ(clicksBefore + 3, host.clicks);
}

TEST_F(WeekViewTest, EverySaturdayBlockEndsWithADoubleLineInBothStyles) {
  for (const bool european : {false, true}) {
    store::g_settings.europeanCalendar = european ? 1 : 0;
    ViewWeek* week = OpenWeek(2025, 9, 10);
    ASSERT_NE(nullptr, week);
    month_test::Canvas canvas(1200, 900);
    week->DrawWeek(canvas.Dc(), nullptr, 0);
    const size_t saturday = european ? 5 : 6;
    const size_t other = 2;
    const int x = 200;
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(x, week->BlockBottoms()[saturday] - 1)) << european;
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(x, week->BlockBottoms()[saturday] - 2)) << european;
    EXPECT_NE(RGB(0, 0, 0), canvas.At(x, week->BlockBottoms()[other] - 1)) << european;
    DestroyWindow(week->Handle());
  }
}

TEST_F(WeekViewTest, EntriesAreDrawnInTheirRowsWithTimesAndTexts) {
  host.diary.Add(2025, 9, 7, 3, 0, "Early swim");
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  const std::vector<DrawnText> texts =
      month_test::TextsDrawnBy([&](HDC dc) { week->DrawWeek(dc, nullptr, 0); });
  const int h = week->LineHeight();
  const fw::Dpi dpi = week->WindowDpi();
  const DrawnText* heading = month_test::FindText(texts, "Sunday, September 7");
  ASSERT_NE(nullptr, heading);
  EXPECT_EQ(dpi.Scale(5), heading->x);
  EXPECT_EQ(1, heading->y);
  const DrawnText* time = month_test::FindText(texts, "3:00am");
  ASSERT_NE(nullptr, time);
  EXPECT_EQ(dpi.Scale(25), time->x);
  EXPECT_EQ(1 + h + dpi.Scale(2), time->y);
  const DrawnText* text = month_test::FindText(texts, "Early swim");
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(1 + h + dpi.Scale(2), text->y);
  EXPECT_GT(text->x, time->x + dpi.Scale(25));
  EXPECT_NE(nullptr, month_test::FindText(texts, "Saturday, September 13"));
}

// --- Pages --------------------------------------------------------------------------

TEST(WeekPages, PagesHoldWholeDayBlocksOf57LinesLessTheHeading) {
  struct Case {
    std::vector<int> entries;
    size_t pages;
  };
  const Case cases[] = {
      {std::vector<int>(7, 0), 1},
      {std::vector<int>(28, 10), 7},  // 4 blocks of 11 lines a page
      {{53}, 1},                      // 54 lines: exactly one page
      {{54}, 2},                      // continued on a second page
      {{50, 10}, 2},
      {{50, 2}, 1},
      {{200, 0}, 4},
  };
  for (const Case& c : cases) {
    const std::vector<views::PrintedPage> pages = views::LayOutPrintedPages(c.entries);
    EXPECT_EQ(c.pages, pages.size()) << c.entries.size() << " days from " << c.entries[0];
    // Every entry of every day is on exactly one page, and no page overflows.
    std::vector<int> printed(c.entries.size(), 0);
    for (const views::PrintedPage& page : pages) {
      int lines = views::kPrintedHeadingLines;
      for (const views::PrintedBlock& block : page) {
        EXPECT_EQ(printed[static_cast<size_t>(block.dayIndex)], block.firstEntry);
        printed[static_cast<size_t>(block.dayIndex)] += block.entryCount;
        lines += block.entryCount + 1;
      }
      EXPECT_LE(lines, views::kLinesPerPrintedPage);
    }
    EXPECT_EQ(c.entries, printed);
  }
}

TEST_F(WeekViewTest, FourWeeksOfTenEntriesADayPrintOnSevenPages) {
  for (int i = 0; i < 28; ++i) {
    const Date day = views::AddDays(Date{2025, 9, 7}, i);
    for (int slot = 0; slot < 10; ++slot) {
      host.diary.Add(day.year, day.month, day.day, 8 + slot, 0,
                     "Task " + std::to_string(day.day) + "." + std::to_string(slot));
    }
  }
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  SendMessageA(week->Handle(), WM_COMMAND, ID_WEEK_LENGTH_4, 0);
  EXPECT_EQ(7, week->PrintPageCount());

  views_test::RecordingPrintTarget target;
  target.source = week->Handle();
  view->Printing().SetTarget(&target);
  Command(*week, ID_PRINT);
  EXPECT_EQ(7, target.offeredPages);
  ASSERT_EQ(7u, target.pages.size());
  EXPECT_EQ(week->Caption(), target.title);
  EXPECT_TRUE(target.completed);
  for (size_t p = 0; p < target.pages.size(); ++p) {
    const std::vector<DrawnText>& page = target.pages[p];
    const DrawnText* heading =
        month_test::FindText(page, "Starting 9/7/2025     by Lumetta Calendar");
    ASSERT_NE(nullptr, heading) << "page " << p + 1;
    EXPECT_EQ(22, heading->x);
    EXPECT_EQ(2, heading->y);
    // Days 4p .. 4p + 3 of the period, in order down the page.
    int lastY = heading->y;
    for (int i = 0; i < 4; ++i) {
      const Date day = views::AddDays(Date{2025, 9, 7}, static_cast<int>(4 * p) + i);
      const DrawnText* dayHeading = month_test::FindText(page, views::DayHeading(day));
      ASSERT_NE(nullptr, dayHeading) << views::DayHeading(day) << " on page " << p + 1;
      EXPECT_GT(dayHeading->y, lastY);
      lastY = dayHeading->y;
      for (int slot = 0; slot < 10; ++slot) {
        const std::string task = "Task " + std::to_string(day.day) + "." + std::to_string(slot);
        EXPECT_EQ(1, views_test::Occurrences(page, task)) << task << " on page " << p + 1;
      }
    }
  }
  EXPECT_EQ(std::vector<bool>(7, false), target.sourceEnabledDuringPage);
  EXPECT_TRUE(IsWindowEnabled(week->Handle()));
  EXPECT_TRUE(IsWindowEnabled(frame->Handle()));
  EXPECT_EQ(nullptr, view->Printing().SourceOf(views::PrintSourceKind::WeekView));
}

TEST_F(WeekViewTest, ADayLongerThanAPageIsContinuedOnTheNextPages) {
  for (int i = 0; i < 120; ++i) {
    host.diary.Add(2025, 9, 8, i / 60, i % 60, "Entry " + std::to_string(i));
  }
  host.diary.Add(2025, 9, 9, 9, 0, "After");
  ViewWeek* week = OpenWeek(2025, 9, 10);
  ASSERT_NE(nullptr, week);
  views_test::RecordingPrintTarget target;
  view->Printing().SetTarget(&target);
  ASSERT_EQ(4, week->PrintPageCount());  // Sunday; 53 + 53; 14 and the rest
  Command(*week, ID_PRINT);
  ASSERT_EQ(4u, target.pages.size());
  for (int i = 0; i < 120; ++i) {
    int found = 0;
    for (const auto& page : target.pages)
      found += views_test::Occurrences(page, "Entry " + std::to_string(i));
    EXPECT_EQ(1, found) << "Entry " << i;
  }
  EXPECT_EQ(1, views_test::Occurrences(target.pages[3], "After"));
  for (size_t p = 1; p < 4; ++p) {
    EXPECT_EQ(1, views_test::Occurrences(target.pages[p], "Monday, September 8")) << p;
  }
}

TEST_F(CalendarViewsTest, WeekAndYearViewsRememberWhereTheyWereMovedTo) {
  store::g_settings.weekViewPosition = {0, 0};
  store::g_settings.yearViewPosition = {0, 0};
  const struct {
    HWND window;
    const store::WindowPosition& saved;
    int left, top;
  } cases[] = {
      {OpenWeek(2025, 9, 10)->Handle(), store::g_settings.weekViewPosition, 70, 45},
      {OpenYear(2025)->Handle(), store::g_settings.yearViewPosition, 90, 55},
  };
  for (const auto& c : cases) {
    SetWindowPos(c.window, nullptr, c.left, c.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    testing_support::PumpPending();
    EXPECT_EQ(c.saved.left, c.left);
    EXPECT_EQ(c.saved.top, c.top);
  }
}

TEST_F(CalendarViewsTest, WeekAndYearViewsShowTheirOwnQuickHintsWithAnIcon) {
  const struct {
    HWND window;
    UINT command;
    const char* caption;
  } cases[] = {
      {OpenWeek(2025, 9, 10)->Handle(), ID_WEEK_QUICK_HINTS, "Quick hints on using the Week View"},
      {OpenYear(2025)->Handle(), ID_YEAR_QUICK_HINTS, "Quick hints on using the Year View"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    testing_support::DialogWatcher watcher;
    HICON hintsIcon = nullptr;
    watcher.Then([&](const testing_support::SeenDialog& dialog) {
      hintsIcon = reinterpret_cast<HICON>(SendMessageA(dialog.hwnd, WM_GETICON, ICON_SMALL, 0));
      return IDCANCEL;
    });
    SendMessageA(c.window, WM_COMMAND, c.command, 0);
    testing_support::PumpPending();
    ASSERT_EQ(1u, watcher.Seen().size());
    EXPECT_EQ(c.caption, watcher.Seen()[0].caption);
    EXPECT_NE(nullptr, hintsIcon);
  }
}

}  // namespace
