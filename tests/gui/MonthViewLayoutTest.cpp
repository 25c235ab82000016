// The month view's geometry and font rules, without a window: where the days
// of a month lie, the hot regions and their edges, stepping the month within
// 1900..9999, and the fonts made from the main font.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "store/Settings.h"
#include "views/MainFont.h"
#include "views/MonthLayout.h"

using views::DayAt;
using views::Edges;
using views::LayoutMonth;
using views::MonthLayout;
using views::YearMonth;

namespace {

constexpr int W = 40;
constexpr int H = 24;

// The cell of a day as (column, row) of the day rows (row 0 is the first week).
struct Cell {
  int column;
  int row;
};

Cell CellOf(const MonthLayout& layout, int day) {
  const RECT& r = layout.days[static_cast<size_t>(day)];
  EXPECT_EQ(W, r.right - r.left) << "day " << day;
  EXPECT_EQ(H, r.bottom - r.top) << "day " << day;
  EXPECT_EQ(0, r.left % W) << "day " << day;
  return Cell{r.left / W, (r.top - 2 * H) / H};
}

POINT CentreOf(int column, int row) { return POINT{column * W + W / 2, (row + 2) * H + H / 2}; }

bool IsZero(const RECT& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

TEST(MonthLayoutTest, EachDayLiesInTheCellOfItsWeekdayAndWeek) {
  const struct {
    int year, month;
    bool european;
    int day;
    Cell cell;
  } cases[] = {
      {2024, 2, false, 1, {4, 0}},  // Thursday
      {2024, 2, false, 4, {0, 1}},  // Sunday starts the next row
      {2024, 2, false, 29, {4, 4}},
      {2023, 2, false, 1, {3, 0}},  // Wednesday
      {2023, 2, false, 28, {2, 4}},
      // European weeks start on Monday.
      {2024, 2, true, 1, {3, 0}},  // Thursday is the fourth column
      {2024, 2, true, 5, {0, 1}},  // Monday 5th starts a row
      // 1 September 2024 is a Sunday: alone in the last column.
      {2024, 9, true, 1, {6, 0}},
      {2024, 9, true, 2, {0, 1}},
      {2024, 9, true, 30, {0, 5}},
      // 1 July 2023 is a Saturday: 31 days fill six rows.
      {2023, 7, false, 1, {6, 0}},
      {2023, 7, false, 30, {0, 5}},
      {2023, 7, false, 31, {1, 5}},
  };
  for (const auto& c : cases) {
    const Cell cell = CellOf(LayoutMonth(W, H, c.year, c.month, c.european), c.day);
    EXPECT_EQ(c.cell.column, cell.column) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(c.cell.row, cell.row) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(MonthLayoutTest, February2024HasTwentyNineDaysAndNothingWhereTheRestWouldLie) {
  const MonthLayout layout = LayoutMonth(W, H, 2024, 2, false);
  EXPECT_EQ(29, layout.dayCount);
  EXPECT_TRUE(IsZero(layout.days[30]));
  EXPECT_TRUE(IsZero(layout.days[31]));
  EXPECT_EQ(0, DayAt(layout, CentreOf(5, 4), Edges::Included));
  EXPECT_EQ(0, DayAt(layout, CentreOf(6, 4), Edges::Included));
  EXPECT_EQ(29, DayAt(layout, CentreOf(4, 4), Edges::Included));
}

TEST(MonthLayoutTest, February2023HasTwentyEightDays) {
  const MonthLayout layout = LayoutMonth(W, H, 2023, 2, false);
  EXPECT_EQ(28, layout.dayCount);
  EXPECT_TRUE(IsZero(layout.days[29]));
  EXPECT_EQ(0, DayAt(layout, CentreOf(3, 4), Edges::Included)) << "where the 29th would be";
  // The point at (0, 0), where an all-zero region lies, hits no day either.
  EXPECT_EQ(0, DayAt(layout, POINT{0, 0}, Edges::Included));
}

TEST(MonthLayoutTest, SixRowsMakeTheViewEightCellsHigh) {
  EXPECT_EQ(8 * H, LayoutMonth(W, H, 2023, 7, false).days[31].bottom);
}

TEST(MonthLayoutTest, ButtonsAndTitleRegion) {
  const MonthLayout normal = LayoutMonth(W, H, 2024, 2, false);
  EXPECT_EQ(W, normal.previousButton.right);
  EXPECT_EQ(0, normal.previousButton.left);
  EXPECT_EQ(H, normal.previousButton.bottom);
  EXPECT_EQ(6 * W, normal.nextButton.left);
  EXPECT_EQ(7 * W, normal.nextButton.right);
  EXPECT_EQ(2 * W, normal.title.left);
  EXPECT_EQ(5 * W, normal.title.right);
  EXPECT_EQ(0, normal.title.top);
  EXPECT_EQ(H, normal.title.bottom);

  const MonthLayout european = LayoutMonth(W, H, 2024, 2, true);
  EXPECT_EQ(W, european.title.left);
  EXPECT_EQ(4 * W, european.title.right);
}

TEST(MonthLayoutTest, ClicksOnASharedEdgeActOnTheLowerDayAndHoversOnItOnNone) {
  const MonthLayout layout = LayoutMonth(W, H, 2024, 2, false);
  // Days 4 and 5 share the column x = W; days 4 and 11 the row y = 4H.
  const POINT vertical{W, 3 * H + H / 2};
  EXPECT_EQ(4, DayAt(layout, vertical, Edges::Included));
  EXPECT_EQ(0, DayAt(layout, vertical, Edges::Excluded));
  const POINT horizontal{W / 2, 4 * H};
  EXPECT_EQ(4, DayAt(layout, horizontal, Edges::Included));
  EXPECT_EQ(0, DayAt(layout, horizontal, Edges::Excluded));
  EXPECT_EQ(5, DayAt(layout, POINT{W + 1, 3 * H + 1}, Edges::Excluded));
  EXPECT_TRUE(views::InRegion(layout.previousButton, POINT{W, H}, Edges::Included));
  EXPECT_FALSE(views::InRegion(layout.previousButton, POINT{W + 1, H}, Edges::Included));
}

TEST(MonthLayoutTest, SteppingCrosses2038AndStaysWithin1900To9999) {
  const struct {
    YearMonth from;
    YearMonth next;
    YearMonth previous;
  } cases[] = {
      {{2024, 12}, {2025, 1}, {2024, 11}}, {{2024, 2}, {2024, 3}, {2024, 1}},
      {{2037, 12}, {2038, 1}, {2037, 11}}, {{2038, 1}, {2038, 2}, {2037, 12}},
      {{2038, 12}, {2039, 1}, {2038, 11}}, {{2039, 1}, {2039, 2}, {2038, 12}},
      {{9999, 12}, {9999, 1}, {9999, 11}},  // held in the last year
      {{1900, 1}, {1900, 2}, {1900, 12}},   // held in the first
  };
  for (const auto& c : cases) {
    const YearMonth next = views::NextMonthOf(c.from);
    const YearMonth previous = views::PreviousMonthOf(c.from);
    EXPECT_EQ(c.next.year * 100 + c.next.month, next.year * 100 + next.month)
        << c.from.year << "-" << c.from.month;
    EXPECT_EQ(c.previous.year * 100 + c.previous.month, previous.year * 100 + previous.month)
        << c.from.year << "-" << c.from.month;
  }
}

TEST(MainFontTest, DefaultIsPalatinoLinotype18PixelsRoman) {
  const LOGFONTA font = views::DefaultMainFontDescription();
  EXPECT_EQ(-18, font.lfHeight);
  EXPECT_EQ(400, font.lfWeight);
  EXPECT_EQ(PROOF_QUALITY, font.lfQuality);
  EXPECT_EQ(VARIABLE_PITCH | FF_ROMAN, font.lfPitchAndFamily);
  EXPECT_STREQ("Palatino Linotype", font.lfFaceName);
  EXPECT_EQ(0, font.lfWidth);
  EXPECT_EQ(0, font.lfItalic);
  EXPECT_EQ(0, font.lfCharSet);
}

TEST(MainFontTest, SavedDescriptionIsUsedOnlyWhenItHasAHeight) {
  store::FontDescription saved{};
  EXPECT_EQ(-18, views::SavedOrDefaultMainFont(saved).lfHeight);
  saved.height = -30;
  saved.weight = 700;
  std::memset(saved.faceName, 'x', sizeof saved.faceName);  // not terminated
  const LOGFONTA font = views::SavedOrDefaultMainFont(saved);
  EXPECT_EQ(-30, font.lfHeight);
  EXPECT_EQ(700, font.lfWeight);
  EXPECT_EQ(31u, std::strlen(font.lfFaceName)) << "the face name is cut inside its field";

  store::FontDescription back{};
  views::SaveMainFont(font, back);
  EXPECT_EQ(-30, back.height);
  EXPECT_EQ(700, back.weight);
}

TEST(MainFontTest, DerivedFonts) {
  LOGFONTA main = views::DefaultMainFontDescription();
  main.lfWidth = 10;
  EXPECT_EQ(TRUE, views::WeekdayFontDescription(main).lfItalic);
  EXPECT_EQ(main.lfHeight, views::WeekdayFontDescription(main).lfHeight);
  EXPECT_EQ(680, views::TitleFontDescription(main).lfWeight);
  main.lfWeight = 700;
  EXPECT_EQ(1190, views::TitleFontDescription(main).lfWeight);
  main.lfWeight = 401;
  EXPECT_EQ(681, views::TitleFontDescription(main).lfWeight) << "681.7 truncated";
  main.lfItalic = TRUE;
  EXPECT_EQ(TRUE, views::TitleFontDescription(main).lfItalic) << "keeps the main font's italic";
  const LOGFONTA clock = views::ClockFontDescription(main);
  EXPECT_EQ(-14, clock.lfHeight) << "-14.4 truncated toward zero";
  EXPECT_EQ(8, clock.lfWidth);
}

TEST(MainFontTest, ScalingFollowsTheClientWidth) {
  LOGFONTA font = views::DefaultMainFontDescription();
  font.lfWidth = 7;
  // factor = (300 + 6) / (7 * 40 - 6) = 1.1168
  ASSERT_TRUE(views::ScaleForWidth(font, 300, 40));
  EXPECT_EQ(-20, font.lfHeight);
  EXPECT_EQ(7, font.lfWidth);
  // Shrinking: (150 + 6) / 274 = 0.569
  font = views::DefaultMainFontDescription();
  ASSERT_TRUE(views::ScaleForWidth(font, 150, 40));
  EXPECT_EQ(-10, font.lfHeight);
}

TEST(MainFontTest, NarrowClientsAndCellsLeaveTheFontAlone) {
  LOGFONTA font = views::DefaultMainFontDescription();
  EXPECT_FALSE(views::ScaleForWidth(font, 99, 40));
  EXPECT_FALSE(views::ScaleForWidth(font, 400, 9));
  EXPECT_EQ(-18, font.lfHeight);
  EXPECT_TRUE(views::ScaleForWidth(font, 100, 10));
}

}  // namespace
