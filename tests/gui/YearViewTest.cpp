// The year view opened from a month view: the layout of the twelve months
// in both calendar styles, hit tests, hovering, clicks, stepping the year,
// Clear Year's two questions, and its printed page.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CalendarViewsFixture.h"
#include "framework/SolidDrawing.h"
#include "resource.h"
#include "support/Pixels.h"
#include "support/WindowText.h"
#include "views/YearLayout.h"

using month_test::Centre;
using month_test::DayCall;
using month_test::DrawnText;
using views::ViewYear;
using views::YearDay;
using views_test::CalendarViewsTest;

namespace {

class YearViewTest : public CalendarViewsTest {
 protected:
  void SetUp() override {
    CalendarViewsTest::SetUp();
    store::g_settings.yearViewPosition = {40, 30};
  }
  void Command(ViewYear& year, UINT id) { SendMessageA(year.Handle(), WM_COMMAND, id, 0); }
  static RECT DayRect(const ViewYear& year, int month, int day) {
    return year.Layout().days[static_cast<size_t>(month)][static_cast<size_t>(day)];
  }
  static LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }
};

bool SameDay(YearDay a, YearDay b) { return a.month == b.month && a.day == b.day; }

// --- Layout -------------------------------------------------------------------------

TEST(YearLayout, MonthsStandFourAcrossAndThreeDown) {
  const views::YearCell cell{40, 30};
  const struct {
    int month;
    LONG x, y;
  } blocks[] = {{1, 0, 0},     {2, 280, 0}, {4, 840, 0},   {5, 0, 240},
                {8, 840, 240}, {9, 0, 480}, {12, 840, 480}};
  for (const auto& b : blocks) {
    const POINT screen = views::MonthBlockOrigin(cell, b.month, 0);
    EXPECT_EQ(b.x, screen.x) << b.month;
    EXPECT_EQ(b.y, screen.y) << b.month;
    const POINT paper = views::MonthBlockOrigin(cell, b.month, 30);
    EXPECT_EQ(b.y + 30, paper.y) << "a page leaves a row for the year";
  }
  EXPECT_EQ(40 + 6, views::YearCellFor(SIZE{40, 20}, false, fw::Dpi()).width);
  EXPECT_EQ(20 + 5, views::YearCellFor(SIZE{40, 20}, false, fw::Dpi()).height);
  EXPECT_EQ(40 + 8, views::YearCellFor(SIZE{40, 20}, true, fw::Dpi(192)).width);
  EXPECT_EQ(20 + 6, views::YearCellFor(SIZE{40, 20}, true, fw::Dpi(192)).height);
}

TEST(YearLayout, DaysStartInTheColumnOfTheirWeekdayInBothStyles) {
  const views::YearCell cell{40, 30};
  struct Case {
    int month;
    bool european;
    int column;  // of day 1
  };
  // 2025: June begins on a Sunday, September on a Monday.
  const Case cases[] = {{6, false, 0}, {6, true, 6}, {9, false, 1}, {9, true, 0}};
  for (const Case& c : cases) {
    const views::YearLayout layout = views::LayoutYear(cell, 2025, c.european, 0);
    const POINT origin = views::MonthBlockOrigin(cell, c.month, 0);
    const RECT first = layout.days[static_cast<size_t>(c.month)][1];
    EXPECT_EQ(origin.x + 40 * c.column, first.left) << c.month << " european " << c.european;
    EXPECT_EQ(origin.y + 60, first.top);
    EXPECT_EQ(first.left + 40, first.right);
    EXPECT_EQ(first.top + 30, first.bottom);
  }
  // In European style June's 2nd, a Monday, starts the next row.
  const views::YearLayout european = views::LayoutYear(cell, 2025, true, 0);
  EXPECT_EQ(views::MonthBlockOrigin(cell, 6, 0).x, european.days[6][2].left);
  EXPECT_EQ(european.days[6][1].bottom, european.days[6][2].top);
}

TEST(YearLayout, HitTestsCountEdgesAndTakeTheFirstMonthAndDay) {
  const views::YearCell cell{40, 30};
  const views::YearLayout layout = views::LayoutYear(cell, 2024, false, 0);
  EXPECT_TRUE(SameDay(YearDay{3, 5}, views::YearDayAt(layout, Centre(layout.days[3][5]))));
  // Monday 1 and Tuesday 2 January share an edge: the lower day wins.
  EXPECT_TRUE(SameDay(YearDay{1, 1}, views::YearDayAt(layout, POINT{layout.days[1][1].right, 70})));
  // Saturday 13 January touches Sunday 4 February across the blocks' edge.
  const POINT shared = {layout.days[1][13].right, layout.days[1][13].top + 5};
  ASSERT_EQ(shared.x, layout.days[2][4].left);
  EXPECT_TRUE(SameDay(YearDay{1, 13}, views::YearDayAt(layout, shared)));
  // The name row, the weekday row and blank cells are no day.
  EXPECT_EQ(0, views::YearDayAt(layout, POINT{100, 10}).month);
  EXPECT_EQ(0, views::YearDayAt(layout, POINT{100, 40}).month);
  EXPECT_EQ(0, views::YearDayAt(layout, POINT{5, 65}).month) << "before Monday 1 January";
  // February 2023 has no 29th: its place answers nothing.
  const views::YearLayout y2023 = views::LayoutYear(cell, 2023, false, 0);
  const RECT lastFebruary = y2023.days[2][28];
  EXPECT_EQ(0, views::YearDayAt(y2023, POINT{lastFebruary.right + 20, lastFebruary.top + 5}).month);
}

// --- The window ---------------------------------------------------------------------

// With a font that suits the screen the whole year shows: the window lies on the screen,
// every day of the twelve months inside its client area, and the screen
// shows the numbers of the first and the last day of the year.
TEST_F(YearViewTest, OpensOnTheScreenShowingAllTwelveMonthsWithTheYearAsCaption) {
  // The test desktop is small: a main font a user would pick for it.
  store::g_settings.mainFont.height = -11;
  store::SetText(store::g_settings.mainFont.faceName, "Arial");
  ViewYear* year = OpenYear(2024);
  ASSERT_NE(nullptr, year);
  EXPECT_EQ("2024", testing_support::WindowText(year->Handle()));
  RECT frame = {};
  GetWindowRect(year->Handle(), &frame);
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT onScreen = {};
  IntersectRect(&onScreen, &frame, &screen);
  EXPECT_TRUE(EqualRect(&onScreen, &frame)) << "the window lies on the screen";
  EXPECT_TRUE(prompter.texts.empty()) << "no advice to pick a smaller font when it fits";

  RECT client = {};
  GetClientRect(year->Handle(), &client);
  const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= lengths[month - 1]; ++day) {
      const RECT cell = DayRect(*year, month, day);
      RECT shown = {};
      IntersectRect(&shown, &cell, &client);
      EXPECT_TRUE(EqualRect(&shown, &cell)) << month << "/" << day << " is cut off";
    }

  RedrawWindow(year->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const testing_support::ClientPixels pixels(year->Handle());
  const COLORREF back = store::g_settings.back;
  for (const RECT& cell : {DayRect(*year, 1, 1), DayRect(*year, 12, 31)}) {
    int ink = 0;
    for (int y = cell.top + 1; y < cell.bottom - 1; ++y)
      for (int x = cell.left + 1; x < cell.right - 1; ++x)
        ink += pixels.At(x, y) != back && pixels.At(x, y) != CLR_INVALID ? 1 : 0;
    EXPECT_GT(ink, 3) << "the day's number shows at " << cell.left << "," << cell.top;
  }
  fw::WindowDC dc(nullptr);
  EXPECT_EQ(nullptr, views::ViewYear::Open(*view, host, prompter, dc.Get(), 2020, 0))
      << "there is one year view";
}

TEST_F(YearViewTest, TheYearStepsWithin1900And9999) {
  ViewYear* year = OpenYear(10040);
  ASSERT_NE(nullptr, year);
  EXPECT_EQ(9999, year->ShownYear());
  Command(*year, ID_YEAR_NEXT);
  SendMessageA(year->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(9999, year->ShownYear());
  Command(*year, ID_YEAR_PREVIOUS);
  Command(*year, ID_PREVIOUS);  // the main window's shortcut, passed on
  SendMessageA(year->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  SendMessageA(year->Handle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(9995, year->ShownYear());
  EXPECT_EQ("9995", testing_support::WindowText(year->Handle()));
  SendMessageA(year->Handle(), WM_KEYDOWN, VK_PRIOR, 0);
  Command(*year, ID_NEXT);
  EXPECT_EQ(9997, year->ShownYear());
  DestroyWindow(year->Handle());
  year = OpenYear(1905);
  ASSERT_NE(nullptr, year);
  for (int i = 0; i < 10; ++i) year->PreviousYear();
  EXPECT_EQ(1900, year->ShownYear());
  EXPECT_EQ("1900", testing_support::WindowText(year->Handle()));
}

// --- Drawing ------------------------------------------------------------------------

TEST_F(YearViewTest, DrawsNamesInitialsAndDaysInTheirCells) {
  store::g_settings.europeanCalendar = 1;
  ViewYear* year = OpenYear(2025);
  ASSERT_NE(nullptr, year);
  const std::vector<DrawnText> texts =
      month_test::TextsDrawnBy([&](HDC dc) { year->DrawYear(dc, false); });
  const views::YearCell cell = year->Layout().cell;
  const DrawnText* june = month_test::FindText(texts, "June");
  ASSERT_NE(nullptr, june);
  const POINT juneOrigin = views::MonthBlockOrigin(cell, 6, 0);
  EXPECT_GE(june->x, juneOrigin.x);
  EXPECT_LT(june->x, juneOrigin.x + 7 * cell.width);
  EXPECT_GE(june->y, juneOrigin.y);
  EXPECT_LT(june->y, juneOrigin.y + cell.height);
  EXPECT_EQ(12, views_test::Occurrences(texts, "Mo"));
  EXPECT_EQ(7, views_test::Occurrences(texts, "31")) << "seven months of 31 days";
  // June's first "1" stands in the seventh column (a Sunday in European style).
  const RECT firstJune = DayRect(*year, 6, 1);
  bool found = false;
  for (const DrawnText& t : texts) {
    if (t.text == "1" && t.x >= firstJune.left && t.x < firstJune.right && t.y >= firstJune.top &&
        t.y < firstJune.bottom) {
      found = true;
    }
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(juneOrigin.x + 6 * cell.width, firstJune.left);
}

TEST_F(YearViewTest, OnTheScreenMarkedDaysAreHighlightedAndTodayInverted) {
  host.diary.Add(2024, 3, 5, 9, 0, "Dentist");
  ViewYear* year = OpenYear(2024);  // today is 14 February 2024
  ASSERT_NE(nullptr, year);
  month_test::Canvas canvas(1400, 1000);
  year->DrawYear(canvas.Dc(), false);
  const store::SettingsBlock& s = store::g_settings;
  EXPECT_GT(canvas.Count(DayRect(*year, 3, 5), s.hasappoint), 0);
  EXPECT_EQ(0, canvas.Count(DayRect(*year, 3, 6), s.hasappoint));
  const RECT today = DayRect(*year, 2, 14);
  EXPECT_EQ(month_test::Inverted(s.back), canvas.At(today.left + 3, today.top + 3));
  const RECT other = DayRect(*year, 2, 15);
  EXPECT_EQ(s.back, canvas.At(other.left + 3, other.top + 3));

  year->NextYear();
  year->DrawYear(canvas.Dc(), false);
  EXPECT_EQ(s.back, canvas.At(today.left + 3, today.top + 3)) << "today only in its own year";
}

TEST_F(YearViewTest, ThePrintedPageShowsTheYearAboveAndNoMarks) {
  host.diary.Add(2024, 3, 5, 9, 0, "Dentist");
  ViewYear* year = OpenYear(2024);
  ASSERT_NE(nullptr, year);
  SIZE ww = {};
  const std::vector<DrawnText> texts = month_test::TextsDrawnBy([&](HDC dc) {
    fw::ScopedSelect font(dc, GetCurrentObject(dc, OBJ_FONT));  // the page's own font
    ww = fw::TextSize(dc, "WW");
    year->PrintPage(dc, 1);
  });
  const views::YearCell cell = views::YearCellFor(ww, true, fw::Dpi());
  const DrawnText* title = month_test::FindText(texts, "2024");
  ASSERT_NE(nullptr, title);
  EXPECT_EQ(13 * cell.width + cell.width / 2, title->x);
  EXPECT_EQ(0, title->y);
  const DrawnText* january = month_test::FindText(texts, "January");
  ASSERT_NE(nullptr, january);
  EXPECT_GE(january->y, cell.height) << "the blocks start one row down";

  month_test::Canvas canvas(1600, 1200);
  year->DrawYear(canvas.Dc(), true);
  EXPECT_EQ(0, canvas.Count(RECT{0, 0, 1600, 1200}, store::g_settings.hasappoint));
  EXPECT_EQ(0, canvas.Count(RECT{0, 0, 1600, 1200}, month_test::Inverted(store::g_settings.back)));
}

// --- Mouse --------------------------------------------------------------------------

TEST_F(YearViewTest, HoveringADayShowsItsPopupOnceAndOnlyWhileActive) {
  host.diary.Add(2024, 3, 5, 9, 0, "Dentist");
  ViewYear* year = OpenYear(2024);
  ASSERT_NE(nullptr, year);
  ASSERT_EQ(year->Handle(), GetActiveWindow());
  const POINT centre = Centre(DayRect(*year, 3, 5));
  SendMessageA(year->Handle(), WM_MOUSEMOVE, 0, At(centre));
  views::FastView* popup = views::CurrentQuickCheckPopup();
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(1, popup->BackgroundFlag());
  EXPECT_TRUE(SameDay(YearDay{3, 5}, year->HoverKey()));
  const HWND shown = popup->Handle();
  SendMessageA(year->Handle(), WM_MOUSEMOVE, 0, At(POINT{centre.x + 1, centre.y + 1}));
  ASSERT_NE(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_EQ(shown, views::CurrentQuickCheckPopup()->Handle()) << "not recreated within the day";

  SendMessageA(year->Handle(), WM_MOUSEMOVE, 0, At(POINT{5, 5}));  // the name row
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup());
  EXPECT_TRUE(SameDay(YearDay{-1, -1}, year->HoverKey()));

  SetActiveWindow(frame->Handle());
  SendMessageA(year->Handle(), WM_MOUSEMOVE, 0, At(centre));
  EXPECT_EQ(nullptr, views::CurrentQuickCheckPopup()) << "nothing while another window is active";
  EXPECT_TRUE(SameDay(YearDay{-1, -1}, year->HoverKey()));
  EXPECT_NE(year->Handle(), GetCapture());
}

TEST_F(YearViewTest, ALeftClickOpensTheDayPlannerAndARightClickTheWeek) {
  ViewYear* year = OpenYear(2024);
  ASSERT_NE(nullptr, year);
  const POINT march5 = Centre(DayRect(*year, 3, 5));
  SendMessageA(year->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(march5));
  SendMessageA(year->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(Centre(DayRect(*year, 12, 31))));
  SendMessageA(year->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(POINT{5, 5}));
  SendMessageA(year->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(POINT{5, 5}));
  EXPECT_EQ(std::vector<DayCall>({{2024, 3, 5}}), host.dayPlanners);
  EXPECT_EQ(std::vector<DayCall>({{2024, 12, 31}}), host.weekViews);
}

// --- Clear Year ---------------------------------------------------------------------

TEST_F(YearViewTest, ClearYearErasesTheYearOnlyAfterTwoYeses) {
  host.diary.Add(2024, 3, 5, 9, 0, "Dentist");
  host.diary.Add(2024, 12, 31, 23, 30, "Party");
  host.diary.Add(2025, 1, 1, 0, 0, "New year");
  ViewYear* year = OpenYear(2024);
  ASSERT_NE(nullptr, year);
  const std::string first =
      "Erase all day planner entries for the year 2024?\nPress Cancel if your are not sure.";
  const std::string second =
      "Are you really, really sure you want to erase all day planner entries for the year 2024?";
  struct Case {
    std::deque<int> answers;
    std::vector<std::string> asked;
    size_t left;
  };
  const Case cases[] = {
      {{IDCANCEL}, {first}, 3},
      {{IDOK, IDCANCEL}, {first, second}, 3},
      {{IDOK, IDOK}, {first, second}, 1},
  };
  for (const Case& c : cases) {
    prompter.texts.clear();
    prompter.types.clear();
    prompter.answers = c.answers;
    const int repaintsBefore = host.diary.world.notices.views;
    Command(*year, ID_CLEAR_YEAR);
    EXPECT_EQ(c.asked, prompter.texts);
    for (UINT type : prompter.types)
      EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), type);
    EXPECT_EQ(c.left, host.diary.book.Count());
    EXPECT_EQ(c.left == 1 ? repaintsBefore + 1 : repaintsBefore, host.diary.world.notices.views);
  }
  EXPECT_EQ("New year", host.diary.book.At(0).text);
  EXPECT_FALSE(host.diary.book.HasHighlightedEntryOn(2024, 3, 5));
}

// --- Printing through the month view --------------------------------------------------

TEST_F(YearViewTest, CancellingOnePrintThenPrintingAnotherWindowPrintsTheSecond) {
  host.diary.Add(2024, 2, 12, 9, 0, "Standup");
  ViewYear* year = OpenYear(2024);
  ASSERT_NE(nullptr, year);
  views_test::RecordingPrintTarget target;
  target.source = year->Handle();
  view->Printing().SetTarget(&target);
  target.choose = false;
  Command(*year, ID_PRINT);
  EXPECT_EQ(1, target.offeredPages);
  EXPECT_TRUE(target.pages.empty());
  EXPECT_EQ(nullptr, view->Printing().SourceOf(views::PrintSourceKind::YearView));
  EXPECT_TRUE(IsWindowEnabled(year->Handle()));

  views::ViewWeek* week = OpenWeek(2024, 2, 14);
  ASSERT_NE(nullptr, week);
  target.choose = true;
  target.source = week->Handle();
  SendMessageA(week->Handle(), WM_COMMAND, ID_PRINT, 0);
  ASSERT_EQ(1u, target.pages.size());
  EXPECT_NE(nullptr,
            month_test::FindText(target.pages[0], "Starting 2/11/2024     by Lumetta Calendar"));
  EXPECT_NE(nullptr, month_test::FindText(target.pages[0], "Standup"));
  EXPECT_EQ(nullptr, month_test::FindText(target.pages[0], "January"));

  target.pages.clear();
  target.sourceEnabledDuringPage.clear();
  target.source = year->Handle();
  Command(*year, ID_PRINT);
  ASSERT_EQ(1u, target.pages.size()) << "the year always prints on one page";
  EXPECT_NE(nullptr, month_test::FindText(target.pages[0], "December"));
  EXPECT_EQ("2024", target.title);
  EXPECT_EQ(std::vector<bool>(1, false), target.sourceEnabledDuringPage);
}

}  // namespace
