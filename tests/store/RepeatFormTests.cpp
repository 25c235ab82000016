// The repeat dialog's decisions: its texts, the default end dates offered by
// a click on a kind, and the choice it hands back (an end date a moment
// cannot hold is refused, never wrapped).
#include <gtest/gtest.h>

#include "common/Fakes.h"
#include "TimeZone.h"
#include "store/AppointmentBook.h"
#include "store/RepeatForm.h"

using namespace store;

namespace {

RepeatFormInput Input(int y, int m, int d, int h, int min, const std::string& text,
                      Moment until = 0, int kind = kRepeatNone) {
  RepeatFormInput in;
  in.year = y;
  in.month = m;
  in.day = d;
  in.hour = h;
  in.minute = min;
  in.text = text;
  in.repeatUntil = until;
  in.repeatKind = kind;
  return in;
}

bool SameDate(const PickerDate& a, const PickerDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute;
}

std::string Show(const PickerDate& p) {
  return std::to_string(p.year) + "-" + std::to_string(p.month) + "-" + std::to_string(p.day) +
         " " + std::to_string(p.hour) + ":" + std::to_string(p.minute);
}

class RepeatFormTest : public ::testing::Test {
 protected:
  ScopedTimeZone tz_{"America/New_York"};
};

}  // namespace

TEST_F(RepeatFormTest, TitleAndKindTextsFollowTheEntrysDate) {
  // 2025-03-11 is the second Tuesday of March.
  const RepeatForm form(Input(2025, 3, 11, 14, 30, "Piano lesson"), false);
  EXPECT_EQ(form.Title(), "2:30pm: Piano lesson");
  EXPECT_EQ(RepeatForm(Input(2025, 3, 11, 14, 30, "Piano lesson"), true).Title(),
            "14:30: Piano lesson");
  EXPECT_EQ(form.KindText(kRepeatNone), "does not repeat");
  EXPECT_EQ(form.KindText(kRepeatEveryWeekday), "every weekday");
  EXPECT_EQ(form.KindText(kRepeatEveryday), "everyday");
  EXPECT_EQ(form.KindText(kRepeatWeekly), "every Tuesday");
  EXPECT_EQ(form.KindText(kRepeatEveryOtherWeek), "every other Tuesday");
  EXPECT_EQ(form.KindText(kRepeatMonthlyByDate), "every month on the 11th");
  EXPECT_EQ(form.KindText(kRepeatMonthlyByWeekday), "2nd Tuesday of every month");
  EXPECT_EQ(form.KindText(kRepeatYearly), "every year on this day");

  const RepeatForm saturday(Input(2025, 3, 29, 9, 0, "x"), false);
  EXPECT_EQ(saturday.KindText(kRepeatWeekly), "every Saturday");
  EXPECT_EQ(saturday.KindText(kRepeatMonthlyByDate), "every month on the 29th");
  EXPECT_EQ(saturday.KindText(kRepeatMonthlyByWeekday), "5th Saturday of every month");
  EXPECT_EQ(RepeatForm(Input(2025, 3, 22, 9, 0, "x"), false).KindText(kRepeatMonthlyByDate),
            "every month on the 22nd");
}

TEST_F(RepeatFormTest, OpensOnTheEntrysKindAndEndDate) {
  const Moment until = MakeTime(2025, 8, 1, 9, 0);
  const RepeatForm withEnd(Input(2025, 3, 11, 9, 0, "x", until, kRepeatWeekly), false);
  EXPECT_EQ(withEnd.InitialKind(), kRepeatWeekly);
  EXPECT_TRUE(withEnd.HasEndDate());
  EXPECT_TRUE(SameDate(withEnd.EndDate(), PickerDate{2025, 8, 1, 9, 0, 0}));

  const RepeatForm withoutEnd(Input(2025, 3, 11, 9, 15, "x", 0, 9), false);
  EXPECT_EQ(withoutEnd.InitialKind(), kRepeatNone);  // above 7 counts as 0
  EXPECT_FALSE(withoutEnd.HasEndDate());
  EXPECT_TRUE(SameDate(withoutEnd.EndDate(), PickerDate{2025, 3, 11, 9, 15, 0}));
}

TEST_F(RepeatFormTest, ClickingAKindOffersItsDefaultEndDate) {
  const PickerDate shown{2025, 3, 11, 9, 0, 0};
  const struct {
    int kind;
    PickerDate expected;
  } cases[] = {
      {kRepeatEveryWeekday, {2025, 4, 8, 9, 0, 0}},
      {kRepeatEveryday, {2025, 4, 8, 9, 0, 0}},
      {kRepeatWeekly, {2026, 3, 11, 9, 0, 0}},
      {kRepeatEveryOtherWeek, {2026, 3, 11, 9, 0, 0}},
      {kRepeatMonthlyByDate, {2027, 3, 11, 9, 0, 0}},
      {kRepeatMonthlyByWeekday, {2027, 3, 11, 9, 0, 0}},
      {kRepeatYearly, {2035, 3, 11, 9, 0, 0}},
  };
  for (const auto& c : cases) {
    RepeatForm form(Input(2025, 3, 11, 9, 0, "x"), false);
    EXPECT_TRUE(form.KindClicked(c.kind, shown)) << "kind " << c.kind;
    EXPECT_TRUE(SameDate(form.EndDate(), c.expected))
        << "kind " << c.kind << ": " << Show(form.EndDate());
  }
  RepeatForm none(Input(2025, 3, 11, 9, 0, "x"), false);
  EXPECT_FALSE(none.KindClicked(kRepeatNone, shown));
  EXPECT_TRUE(SameDate(none.EndDate(), shown));
}

TEST_F(RepeatFormTest, DefaultYearsRunPast2038AndStopAtTheCalendarsEnd) {
  RepeatForm yearly(Input(2030, 6, 1, 9, 0, "x"), false);
  yearly.KindClicked(kRepeatYearly, PickerDate{2030, 6, 1, 9, 0, 0});
  EXPECT_EQ(yearly.EndDate().year, 2040);
  RepeatForm monthly(Input(2037, 6, 1, 9, 0, "x"), false);
  monthly.KindClicked(kRepeatMonthlyByDate, PickerDate{2037, 6, 1, 9, 0, 0});
  EXPECT_EQ(monthly.EndDate().year, 2039);
  RepeatForm late(Input(9995, 6, 1, 9, 0, "x"), false);
  late.KindClicked(kRepeatYearly, PickerDate{9995, 6, 1, 9, 0, 0});
  EXPECT_EQ(late.EndDate().year, 9999);
  // February 29 a year on is March 1.
  RepeatForm leap(Input(2024, 2, 29, 9, 0, "x"), false);
  leap.KindClicked(kRepeatWeekly, PickerDate{2024, 2, 29, 9, 0, 0});
  EXPECT_TRUE(SameDate(leap.EndDate(), PickerDate{2025, 3, 1, 9, 0, 0})) << Show(leap.EndDate());
}

TEST_F(RepeatFormTest, AChosenEndDateIsKeptByLaterClicks) {
  const Moment until = MakeTime(2025, 5, 1, 9, 0);
  RepeatForm withEnd(Input(2025, 3, 11, 9, 0, "x", until), false);
  const PickerDate shown{2025, 5, 1, 9, 0, 0};
  EXPECT_FALSE(withEnd.KindClicked(kRepeatYearly, shown));
  EXPECT_TRUE(SameDate(withEnd.EndDate(), shown));

  RepeatForm edited(Input(2025, 3, 11, 9, 0, "x"), false);
  EXPECT_TRUE(edited.KindClicked(kRepeatEveryday, PickerDate{2025, 3, 11, 9, 0, 0}));
  edited.EndDateChanged();
  const PickerDate picked{2025, 7, 4, 9, 0, 0};
  EXPECT_FALSE(edited.KindClicked(kRepeatYearly, picked));
  EXPECT_TRUE(SameDate(edited.EndDate(), picked));
}

TEST_F(RepeatFormTest, ConfirmHandsBackTheChoice) {
  const RepeatForm form(Input(2025, 3, 11, 9, 0, "x"), false);
  const RepeatChoice c = form.Confirm(kRepeatMonthlyByDate, PickerDate{2025, 9, 1, 9, 0, 0});
  EXPECT_EQ(c.kind, kRepeatMonthlyByDate);
  EXPECT_EQ(c.until, MakeTime(2025, 9, 1, 9, 0));
  EXPECT_EQ(c.weekOrdinal, "2nd");
  EXPECT_EQ(c.weekdayText, "every Tuesday");  // whatever the kind
  EXPECT_EQ(c.monthDay, 11);
  EXPECT_EQ(form.Confirm(12, PickerDate{2025, 9, 1, 9, 0, 0}).kind, kRepeatNone);
  EXPECT_EQ(form.Confirm(-1, PickerDate{2025, 9, 1, 9, 0, 0}).kind, kRepeatNone);
}

TEST_F(RepeatFormTest, EndDatesOutsideTheCalendarAreRefused) {
  const RepeatForm form(Input(2025, 3, 11, 9, 0, "x"), false);
  EXPECT_EQ(form.Confirm(kRepeatYearly, PickerDate{2040, 1, 1, 0, 0, 0}).until,
            MakeTime(2040, 1, 1, 0, 0));
  EXPECT_NO_THROW(form.Confirm(kRepeatYearly, PickerDate{9999, 12, 31, 9, 0, 0}));
  EXPECT_THROW(form.Confirm(kRepeatYearly, PickerDate{10000, 1, 1, 0, 0, 0}), CalendarError);
  EXPECT_THROW(form.Confirm(kRepeatYearly, PickerDate{1899, 12, 31, 0, 0, 0}), CalendarError);
}

TEST_F(RepeatFormTest, DatesThatCannotBeConvertedKeepTheDialogClosed) {
  EXPECT_THROW(RepeatForm(Input(2025, 13, 1, 9, 0, "x"), false), CalendarError);
  EXPECT_THROW(RepeatForm(Input(1899, 1, 1, 9, 0, "x"), false), CalendarError);
}

// An old text file can give an entry a negative end: the dialog opens as for
// an entry without one, and a click offers the kind's default.
TEST_F(RepeatFormTest, ANegativeEndDateCountsAsNone) {
  for (const Moment until : {Moment{-1}, Moment{-100}, Moment{-2147483647 - 1}}) {
    RepeatForm form(Input(2025, 3, 11, 9, 15, "x", until, kRepeatWeekly), false);
    EXPECT_EQ(form.InitialKind(), kRepeatWeekly) << until;
    EXPECT_FALSE(form.HasEndDate()) << until;
    EXPECT_TRUE(SameDate(form.EndDate(), PickerDate{2025, 3, 11, 9, 15, 0}))
        << until << ": " << Show(form.EndDate());
    EXPECT_TRUE(form.KindClicked(kRepeatWeekly, form.EndDate())) << until;
    EXPECT_TRUE(SameDate(form.EndDate(), PickerDate{2026, 3, 11, 9, 15, 0})) << until;
  }
}

TEST_F(RepeatFormTest, FilledFromAnEntry) {
  fakes::FakeWorld world;
  All_Appointments book(world.Context());
  An_Appointment& e = book.Create();
  e.SetSlot(2025, 3, 11, 9, 0, "Choir");
  e.weekOrdinal = "3rd";
  e.repeatKind = kRepeatMonthlyByWeekday;
  e.repeatUntil = MakeTime(2025, 12, 1, 9, 0);
  const RepeatFormInput in = RepeatFormInput::From(e);
  EXPECT_EQ(in.year, 2025);
  EXPECT_EQ(in.month, 3);
  EXPECT_EQ(in.day, 11);
  EXPECT_EQ(in.hour, 9);
  EXPECT_EQ(in.text, "Choir");
  EXPECT_EQ(in.repeatKind, kRepeatMonthlyByWeekday);
  EXPECT_EQ(in.repeatUntil, MakeTime(2025, 12, 1, 9, 0));
  // The week ordinal shown is that of the entry's day.
  const RepeatForm form(in, false);
  EXPECT_EQ(form.KindText(kRepeatMonthlyByWeekday), "2nd Tuesday of every month");
  EXPECT_EQ(form.Confirm(kRepeatMonthlyByWeekday, form.EndDate()).weekOrdinal, "2nd");
}
