// Local times that occur twice or never: MakeTime's one answer for them, and
// the moment cache against MakeTime over random dates and around every
// daylight-saving change of a few years.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <vector>

#include "TimeZone.h"
#include "store/CivilDate.h"
#include "store/Moment.h"

using namespace store;

namespace {

struct Local {
  int year, month, day, hour, minute;
};

std::ostream& operator<<(std::ostream& os, const Local& l) {
  return os << l.year << "-" << l.month << "-" << l.day << " " << l.hour << ":" << l.minute;
}

std::int64_t LocalSecondsOf(int year, int month, int day, int hour, int minute, int second) {
  return DayNumber(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

// The local clock reading of a moment as seconds, and its UTC offset.
std::int64_t ShownSeconds(Moment m) {
  const CalendarFields f = LocalFields(m);
  return LocalSecondsOf(f.year, f.month, f.day, f.hour, f.minute, f.second);
}
std::int64_t OffsetAt(Moment m) { return ShownSeconds(m) - m; }

Local LocalOfSeconds(std::int64_t s) {
  const std::int64_t days = (s >= 0 ? s : s - 86399) / 86400;
  const CivilDate d = DateOfDayNumber(days);
  const int within = static_cast<int>(s - days * 86400);
  return {d.year, d.month, d.day, within / 3600, within / 60 % 60};
}

// MakeTime's rule, checked from what the clock shows: a local time that is
// shown gets its earliest moment; one that is skipped gets the offset in force
// before the change, so the clock shows it moved on by the size of the gap.
void ExpectTheRule(const Local& l, Moment m) {
  const std::int64_t wanted = LocalSecondsOf(l.year, l.month, l.day, l.hour, l.minute, 0);
  const std::int64_t shown = ShownSeconds(m);
  if (shown == wanted) {
    for (int quarters = 1; quarters <= 12 && m - quarters * 900 >= 0; ++quarters) {
      EXPECT_NE(ShownSeconds(m - quarters * 900), wanted)
          << l << " is shown earlier, " << quarters * 15 << " minutes before " << m;
    }
  } else {
    EXPECT_GT(shown, wanted) << l << " gives " << m;
    EXPECT_EQ(shown - wanted, OffsetAt(m) - OffsetAt(m - 2 * kSecondsPerDay))
        << l << " gives " << m;
  }
}

// --- Fixed cases ---------------------------------------------------------------

struct Repeated {
  const char* zone;
  Local at;
  Moment earlier;  // the first time the clock shows it
};

const Repeated kRepeated[] = {
    {"America/New_York", {2019, 11, 3, 1, 0}, 1572757200},  // 1:00 EDT, not 1:00 EST
    {"America/New_York", {2019, 11, 3, 1, 30}, 1572759000},
    {"America/St_Johns", {1999, 10, 30, 23, 38}, 941335680},  // 23:38 NDT; the change is at 0:01
    {"Asia/Gaza", {2004, 10, 1, 0, 7}, 1096578420},           // 0:07 EEST; the change is at 1:00
};

TEST(MakeTimeTest, ARepeatedLocalTimeIsItsEarlierMomentWhateverWasConvertedBefore) {
  for (const Repeated& c : kRepeated) {
    ScopedTimeZone tz(c.zone);
    // The C library's conversion guesses from its previous answer: one in
    // summer and one in winter must not change the result.
    for (const int monthBefore : {7, 1}) {
      MakeTime(c.at.year, monthBefore, 15, 12, 0);
      EXPECT_EQ(MakeTime(c.at.year, c.at.month, c.at.day, c.at.hour, c.at.minute), c.earlier)
          << c.zone << " " << c.at << " after a conversion in month " << monthBefore;
    }
    MomentCache cache;
    Moment cached = 0;
    ASSERT_TRUE(cache.TryConvert(c.at.year, c.at.month, c.at.day, c.at.hour, c.at.minute, cached));
    EXPECT_EQ(cached, c.earlier) << c.zone << " " << c.at;
  }
}

TEST(MakeTimeTest, ASkippedLocalTimeIsReadWithTheOffsetBeforeTheChange) {
  ScopedTimeZone tz("America/New_York");
  for (const int monthBefore : {7, 1}) {
    MakeTime(2019, monthBefore, 15, 12, 0);
    EXPECT_EQ(MakeTime(2019, 3, 10, 2, 30), 1552203000);  // shows 3:30 EDT
  }
  const CalendarFields f = LocalFields(1552203000);
  EXPECT_EQ(f.hour, 3);
  EXPECT_EQ(f.minute, 30);
}

// --- The cache against MakeTime ------------------------------------------------

class MomentCacheDifferentialTest : public ::testing::TestWithParam<const char*> {
 protected:
  // The cache and MakeTime agree on one local time, and MakeTime keeps its rule.
  void Compare(const Local& l) {
    Moment plain = 0;
    Moment cached = 0;
    const bool converts = TryMakeTime(l.year, l.month, l.day, l.hour, l.minute, plain);
    const bool cacheConverts = cache_.TryConvert(l.year, l.month, l.day, l.hour, l.minute, cached);
    ++compared_;
    ASSERT_EQ(cacheConverts, converts) << GetParam() << " " << l;
    if (!converts) return;
    ASSERT_EQ(cached, plain) << GetParam() << " " << l;
    ExpectTheRule(l, plain);
  }

  // Every minute from three hours before to three hours after each change of
  // the offset in the year, as the clock shows them on either side.
  void CompareAroundChanges(int year) {
    Moment t = MakeTime(year, 1, 1, 0, 0);
    const Moment end = MakeTime(year, 12, 31, 23, 0);
    for (; t < end; t += 3600) {
      if (OffsetAt(t) == OffsetAt(t + 3600)) continue;
      ++changes_;
      const std::int64_t shown = ShownSeconds(t + 3600);
      for (std::int64_t s = shown - 3 * 3600; s <= shown + 3 * 3600; s += 60) {
        Compare(LocalOfSeconds(s));
        if (HasFatalFailure()) return;
      }
    }
  }

  ScopedTimeZone tz_{GetParam()};
  MomentCache cache_;  // made after the zone is set: one pass in one zone
  int compared_ = 0;
  int changes_ = 0;
};

TEST_P(MomentCacheDifferentialTest, AgreesWithMakeTimeAroundEveryChangeOfAFewYears) {
  for (const int year : {1975, 1999, 2004, 2011, 2019, 2037}) {
    CompareAroundChanges(year);
    if (HasFatalFailure()) return;
  }
  EXPECT_GE(changes_, 5) << "every zone here changes its clocks in some of these years";
}

TEST_P(MomentCacheDifferentialTest, AgreesWithMakeTimeOnRandomDatesAndMoments) {
  std::mt19937 rng(20240314);
  std::uniform_int_distribution<int> year(1970, 2037), month(1, 12), day(1, 31), hour(0, 23),
      minute(0, 59);
  for (int i = 0; i < 4000; ++i) {
    // Any fields, days past the month's end included.
    Compare({year(rng), month(rng), day(rng), hour(rng), minute(rng)});
    if (HasFatalFailure()) return;
  }
  const Moment last = MakeTime(2037, 12, 31, 23, 59);
  std::uniform_int_distribution<Moment> moment(0, last);
  for (int i = 0; i < 4000; ++i) {
    // What the clock showed at a moment converts back to it, or to the
    // earlier showing of a repeated time.
    const Moment m = moment(rng) / 60 * 60;
    const CalendarFields f = LocalFields(m);
    const Local l{f.year, f.month, f.day, f.hour, f.minute};
    Compare(l);
    if (HasFatalFailure()) return;
    const Moment back = MakeTime(l.year, l.month, l.day, l.hour, l.minute);
    EXPECT_LE(back, m) << GetParam() << " " << l;
    EXPECT_EQ(ShownSeconds(back), ShownSeconds(m)) << GetParam() << " " << l;
  }
  EXPECT_EQ(compared_, 8000);
}

INSTANTIATE_TEST_SUITE_P(Zones, MomentCacheDifferentialTest,
                         ::testing::Values("America/New_York", "America/St_Johns", "Asia/Gaza",
                                           "Europe/London", "Australia/Lord_Howe",
                                           "America/Sao_Paulo", "Pacific/Chatham"));

}  // namespace
