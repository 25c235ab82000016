// Where a scheduled to-do line lands: rounding up to a half-hour slot and
// the search for the next free slot in the book.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/ScheduleSlots.h"

using namespace store;

namespace {

struct Clock {
  int year, month, day, hour, minute, second;
};

Moment At(const Clock& c) { return MakeTime(c.year, c.month, c.day, c.hour, c.minute) + c.second; }

std::string Shown(Moment m) {
  const CalendarFields f = LocalFields(m);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                f.minute, f.second);
  return text;
}

struct RoundCase {
  Clock chosen;
  std::string expected;
  bool dayChanged;
};

class RoundUpToSlotTest : public ::testing::TestWithParam<RoundCase> {
 protected:
  ScopedTimeZone tz_{"UTC"};
};

TEST_P(RoundUpToSlotTest, MovesUpToTheNextHalfHourAndSaysWhenTheDayChanged) {
  const RoundCase& c = GetParam();
  const RoundedSlot rounded = RoundUpToSlot(At(c.chosen));
  EXPECT_EQ(c.expected, Shown(rounded.time));
  EXPECT_EQ(c.dayChanged, rounded.dayChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Times, RoundUpToSlotTest,
    ::testing::Values(RoundCase{{2025, 3, 7, 9, 10, 0}, "2025-03-07 09:30:00", false},
                      RoundCase{{2025, 3, 7, 9, 40, 0}, "2025-03-07 10:00:00", false},
                      RoundCase{{2025, 3, 7, 9, 30, 20}, "2025-03-07 10:00:00", false},
                      RoundCase{{2025, 3, 7, 9, 30, 0}, "2025-03-07 09:30:00", false},
                      RoundCase{{2025, 3, 7, 9, 0, 0}, "2025-03-07 09:00:00", false},
                      RoundCase{{2025, 3, 7, 9, 29, 59}, "2025-03-07 09:30:00", false},
                      RoundCase{{2025, 3, 7, 14, 7, 0}, "2025-03-07 14:30:00", false},
                      RoundCase{{2025, 3, 7, 23, 45, 0}, "2025-03-08 00:00:00", true},
                      RoundCase{{2025, 3, 31, 23, 59, 30}, "2025-04-01 00:00:00", true},
                      RoundCase{{2024, 12, 31, 23, 31, 0}, "2025-01-01 00:00:00", true}));

// The dialog's date after OK: a calendar day on when the chosen time passes
// midnight, also on the days the clocks change (23 and 25 hours long).
struct ChosenCase {
  const char* what;
  Clock date;  // as the date picker holds it, with the proposed time of day
  Clock time;
  std::string expectedDay;
  std::string expectedTime;
};

class RoundChosenSlotTest : public ::testing::TestWithParam<ChosenCase> {
 protected:
  ScopedTimeZone tz_{"Europe/Berlin"};
};

TEST_P(RoundChosenSlotTest, TheDateMovesOneCalendarDayWhenTheTimePassesMidnight) {
  const ChosenCase& c = GetParam();
  const ChosenSlot chosen = RoundChosenSlot(At(c.date), At(c.time));
  EXPECT_EQ(c.expectedDay, Shown(chosen.date).substr(0, 10)) << c.what;
  EXPECT_EQ(c.expectedTime, Shown(chosen.time).substr(11)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(ClockChanges, RoundChosenSlotTest,
                         ::testing::Values(ChosenCase{"autumn: the 25-hour Sunday",
                                                      {2025, 10, 26, 0, 0, 0},
                                                      {2025, 10, 26, 23, 45, 0},
                                                      "2025-10-27",
                                                      "00:00:00"},
                                           ChosenCase{"spring: the 23-hour Sunday",
                                                      {2025, 3, 30, 23, 30, 0},
                                                      {2025, 3, 30, 23, 45, 0},
                                                      "2025-03-31",
                                                      "00:00:00"},
                                           ChosenCase{"spring: the Saturday before",
                                                      {2025, 3, 29, 23, 30, 0},
                                                      {2025, 3, 29, 23, 45, 0},
                                                      "2025-03-30",
                                                      "00:00:00"},
                                           ChosenCase{"the month's end",
                                                      {2025, 4, 30, 12, 0, 0},
                                                      {2025, 4, 30, 23, 59, 0},
                                                      "2025-05-01",
                                                      "00:00:00"},
                                           ChosenCase{"no midnight: the date stays",
                                                      {2025, 10, 26, 0, 0, 0},
                                                      {2025, 10, 26, 9, 10, 0},
                                                      "2025-10-26",
                                                      "09:30:00"}));

class FindFreeSlotTest : public BookFixture {
 protected:
  static void Take(All_Appointments& book, const std::vector<Clock>& slots) {
    for (const Clock& c : slots) AddTo(book, c.year, c.month, c.day, c.hour, c.minute, "taken");
    book.Sort();
  }
};

struct FreeCase {
  const char* name;
  std::vector<Clock> taken;
  Clock from;
  std::string expected;
};

TEST_F(FindFreeSlotTest, StepsPastTakenSlotsAcrossMidnightAndMonthEnds) {
  std::vector<Clock> wholeDay;
  for (int h = 0; h < 24; ++h) {
    wholeDay.push_back({2025, 3, 8, h, 0, 0});
    wholeDay.push_back({2025, 3, 8, h, 30, 0});
  }
  const std::vector<FreeCase> cases = {
      {"free slot stays", {}, {2025, 3, 7, 9, 30, 0}, "2025-03-07 09:30:00"},
      {"two taken after 14:07",
       {{2025, 3, 7, 14, 30, 0}, {2025, 3, 7, 15, 0, 0}},
       {2025, 3, 7, 14, 30, 0},
       "2025-03-07 15:30:00"},
      {"a taken slot elsewhere is no obstacle",
       {{2025, 3, 6, 9, 30, 0}},
       {2025, 3, 7, 9, 30, 0},
       "2025-03-07 09:30:00"},
      {"across midnight",
       {{2025, 3, 7, 23, 0, 0}, {2025, 3, 7, 23, 30, 0}},
       {2025, 3, 7, 23, 0, 0},
       "2025-03-08 00:00:00"},
      {"a full day pushes into the next", wholeDay, {2025, 3, 8, 0, 0, 0}, "2025-03-09 00:00:00"},
      {"across the year's end",
       {{2025, 12, 31, 23, 30, 0}},
       {2025, 12, 31, 23, 30, 0},
       "2026-01-01 00:00:00"},
  };
  for (const FreeCase& c : cases) {
    SCOPED_TRACE(c.name);
    All_Appointments book(world_.Context());
    Take(book, c.taken);
    EXPECT_EQ(c.expected, Shown(FindFreeSlot(book, At(c.from))));
  }
}

TEST_F(FindFreeSlotTest, SchedulingTheSameSlotTwiceLandsInTheNextFreeOne) {
  Take(book_, {{2025, 3, 7, 10, 0, 0}});
  const Moment first = FindFreeSlot(book_, At({2025, 3, 7, 9, 30, 0}));
  Take(book_, {{2025, 3, 7, 9, 30, 0}});  // the first one was filed there
  EXPECT_EQ("2025-03-07 09:30:00", Shown(first));
  EXPECT_EQ("2025-03-07 10:30:00", Shown(FindFreeSlot(book_, At({2025, 3, 7, 9, 30, 0}))));
}

}  // namespace
