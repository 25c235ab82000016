// What the quick-check popup lists and where it goes, without a window: the
// title and date line in both calendar styles, the notes hint, one line per
// entry of the day with its readable colour, how long it stays, and its
// placement beside the anchor with the shrink-to-fit loop.
#include <gtest/gtest.h>

#include <windows.h>

#include "MonthViewFixture.h"
#include "store/Settings.h"
#include "views/QuickCheckLines.h"

using month_test::Diary;
using views::BuildQuickCheckLines;
using views::FitQuickCheck;
using views::QuickCheckLine;

namespace {

class QuickCheckLinesTest : public ::testing::Test {
 protected:
  QuickCheckLinesTest() { store::SetDefaultSettings(settings, 0); }
  store::SettingsBlock settings{};
  Diary diary;
};

TEST_F(QuickCheckLinesTest, TitleNamesTheDayOnlyWhenItHasAnEntry) {
  store::An_Appointment& entry = diary.Add(2024, 2, 14, 9, 0, "Dentist");
  EXPECT_EQ("Lumetta", views::QuickCheckTitle(nullptr, 2024, 2, false));
  EXPECT_EQ("Lumetta - Feb 14, 2024", views::QuickCheckTitle(&entry, 2024, 2, false));
  EXPECT_EQ("Lumetta - 14 Feb, 2024", views::QuickCheckTitle(&entry, 2024, 2, true));
}

TEST_F(QuickCheckLinesTest, DateLineInBothCalendarStyles) {
  EXPECT_EQ(" Wednesday Feb 14, 2024   ", views::QuickCheckDateLine(2024, 2, 14, false));
  EXPECT_EQ(" Wednesday, 14 Feb 2024   ", views::QuickCheckDateLine(2024, 2, 14, true));
  EXPECT_EQ(" Monday, 1 Sept 2025   ", views::QuickCheckDateLine(2025, 9, 1, true));
  EXPECT_EQ(" Thursday Jan 1, 1970   ", views::QuickCheckDateLine(1970, 1, 1, false));
}

TEST_F(QuickCheckLinesTest, ADayWithNotesAndNoEntriesShowsTwoLines) {
  const std::vector<QuickCheckLine> lines =
      BuildQuickCheckLines(diary.book, nullptr, 2024, 2, 14, true, settings);
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(" Wednesday Feb 14, 2024   ", lines[0].text);
  EXPECT_EQ(settings.hasappoint, lines[0].colour);
  EXPECT_EQ(" [click to view notes]", lines[1].text);
  EXPECT_EQ(settings.fore, lines[1].colour);
}

TEST_F(QuickCheckLinesTest, OneLinePerEntryOfTheDayInTimeOrder) {
  diary.Add(2024, 2, 13, 23, 30, "Day before");
  store::An_Appointment& late = diary.Add(2024, 2, 14, 13, 30, "Lunch");
  late.colour = store::MakeColour(0, 128, 0);
  diary.Add(2024, 2, 14, 0, 30, "Night train");
  diary.Add(2024, 2, 15, 8, 0, "Next day");
  diary.book.Sort();
  store::An_Appointment* first = diary.book.FindOnDay(2024, 2, 14);
  ASSERT_NE(nullptr, first);

  std::vector<QuickCheckLine> lines =
      BuildQuickCheckLines(diary.book, first, 2024, 2, 14, false, settings);
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(" 12:30am  Night train  ", lines[1].text);
  EXPECT_EQ(" 1:30pm  Lunch  ", lines[2].text);
  EXPECT_EQ(store::MakeColour(0, 128, 0), lines[2].colour);

  settings.militaryTime = 1;
  lines = BuildQuickCheckLines(diary.book, first, 2024, 2, 14, true, settings);
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ(" [click to view notes]", lines[1].text);
  EXPECT_EQ(" 0:30  Night train  ", lines[2].text);
  EXPECT_EQ(" 13:30  Lunch  ", lines[3].text);
}

TEST_F(QuickCheckLinesTest, AnEntryColourTooCloseToTheBackgroundIsFixedAndStored) {
  store::An_Appointment& entry = diary.Add(2024, 2, 14, 9, 0, "Pale");
  entry.colour = settings.back;  // 0x9BFFFF: distance 0, background above 100000
  const std::vector<QuickCheckLine> lines =
      BuildQuickCheckLines(diary.book, &entry, 2024, 2, 14, false, settings);
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(0x000000u, lines[1].colour);
  EXPECT_EQ(0x000000u, entry.colour) << "the fixed colour is stored in the entry";
}

TEST_F(QuickCheckLinesTest, DurationFollowsTheNumberOfLines) {
  EXPECT_EQ(10000, views::QuickCheckDurationFor(1));
  EXPECT_EQ(10000, views::QuickCheckDurationFor(2));
  EXPECT_EQ(6000, views::QuickCheckDurationFor(3));
  EXPECT_EQ(8000, views::QuickCheckDurationFor(4));
  EXPECT_EQ(40000, views::QuickCheckDurationFor(20));
  EXPECT_EQ(40000, views::QuickCheckDurationFor(21));
  EXPECT_EQ(40000, views::QuickCheckDurationFor(50));
  EXPECT_EQ(7000, views::kNoQuickCheckDuration);
}

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

TEST(QuickCheckPlacementTest, LeftOfTheAnchorLevelWithItsTop) {
  const RECT anchor = {500, 200, 800, 300};
  const views::QuickCheckPlacement at = FitQuickCheck(anchor, kScreenW, kScreenH, 150, 120);
  EXPECT_EQ(500 - 150 - 3, at.x);
  EXPECT_EQ(200, at.y);
  EXPECT_TRUE(at.fits);
}

TEST(QuickCheckPlacementTest, CentredOnATallerAnchor) {
  const RECT anchor = {500, 200, 800, 500};
  const views::QuickCheckPlacement at = FitQuickCheck(anchor, kScreenW, kScreenH, 150, 101);
  EXPECT_EQ(300 / 2 + 200 - 101 / 2, at.y);
}

TEST(QuickCheckPlacementTest, RightOfAnAnchorAtTheLeftEdge) {
  const RECT anchor = {0, 100, 300, 200};
  const views::QuickCheckPlacement at = FitQuickCheck(anchor, kScreenW, kScreenH, 150, 150);
  EXPECT_EQ(300, at.x);
  EXPECT_TRUE(at.fits);
}

TEST(QuickCheckPlacementTest, NoRoomWhenTheAnchorReachesIntoTheRightFifth) {
  // The anchor covers the whole width: no room left of it, and its right
  // edge lies in the right fifth, so the popup does not fit.
  const RECT anchor = {100, 100, 900, 200};
  const views::QuickCheckPlacement at = FitQuickCheck(anchor, kScreenW, kScreenH, 150, 150);
  EXPECT_EQ(100 - 153, at.x);
  EXPECT_FALSE(at.fits);
}

TEST(QuickCheckPlacementTest, AnAnchorBeyondTheRightEdgePutsItBottomRight) {
  const RECT anchor = {kScreenW + 2, 100, kScreenW + 300, 200};
  const views::QuickCheckPlacement at = FitQuickCheck(anchor, kScreenW, kScreenH, 150, 150);
  EXPECT_EQ(kScreenW - 150 - 8, at.x);
  EXPECT_EQ(kScreenH - 150 - 5, at.y);
}

TEST(QuickCheckPlacementTest, KeptOnTheScreenVertically) {
  const RECT low = {500, 700, 800, 720};
  EXPECT_EQ(kScreenH - 200 - 5, FitQuickCheck(low, kScreenW, kScreenH, 150, 200).y);
  const RECT high = {500, -50, 800, 750};  // taller anchor centring above the top
  EXPECT_EQ(0, FitQuickCheck(high, kScreenW, kScreenH, 150, 760).y);
  EXPECT_FALSE(FitQuickCheck(low, kScreenW, kScreenH, 150, kScreenH + 1).fits);
}

TEST(QuickCheckPlacementTest, ShrinksTheFontUntilItFitsAtMost21Times) {
  const RECT anchor = {500, 0, 800, 100};
  int measures = 0;
  int shrinks = 0;
  // Lines of 40 pixels shrinking by 10 %: 20 lines fit 768 pixels at 38.
  auto measure = [&](bool shrink) {
    ++measures;
    if (shrink) ++shrinks;
    views::QuickCheckMeasure m;
    m.widest = 100;
    m.lineHeight = 40;
    for (int i = 0; i < shrinks; ++i) m.lineHeight = m.lineHeight * 9 / 10;
    return m;
  };
  views::QuickCheckPlacement at = views::ShrinkToFit(measure, anchor, kScreenW, kScreenH, 20);
  EXPECT_TRUE(at.fits);
  EXPECT_EQ(1, shrinks) << "40 -> 36 pixels per line fits";
  EXPECT_EQ(2, measures);

  measures = 0;
  shrinks = 0;
  auto never = [&](bool shrink) {
    ++measures;
    if (shrink) ++shrinks;
    return views::QuickCheckMeasure{100, kScreenH + 1};
  };
  at = views::ShrinkToFit(never, anchor, kScreenW, kScreenH, 1);
  EXPECT_FALSE(at.fits);
  EXPECT_EQ(21, shrinks);
  EXPECT_EQ(22, measures);
}

}  // namespace
