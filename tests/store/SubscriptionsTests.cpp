// Subscribed calendars: the list file, the download address, and the
// occurrences read from a cached copy, held apart from the book.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/Subscriptions.h"

using namespace store;

namespace {

const char* const kHolidays =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n"
    "BEGIN:VEVENT\r\nUID:h1\r\nDTSTART;VALUE=DATE:20261225\r\nDTEND;VALUE=DATE:20261227\r\n"
    "SUMMARY:Christmas\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:h2\r\nDTSTART:20261201T090000Z\r\nDTEND:20261201T100000Z\r\n"
    "RRULE:FREQ=WEEKLY;COUNT=3\r\nEXDATE:20261208T090000Z\r\nSUMMARY:Stand-up\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

class SubscriptionsTest : public BookFixture {
 protected:
  std::string DayLines(int y, int m, int d) const {
    std::string out;
    for (const SubscribedItem& i : items_.On(y, m, d)) out += SubscribedLine(i, true) + ";";
    return out;
  }
  Subscription Holidays(bool highlight) {
    Subscription s;
    s.id = "1";
    s.name = "Team";
    s.address = "webcal://example.org/h.ics";
    s.highlight = highlight;
    return s;
  }
  SubscribedItems items_;
};

TEST_F(SubscriptionsTest, OccurrencesComeByDayWithRepeatsExpandedAndTheBookUntouched) {
  ASSERT_TRUE(items_.Add(book_, Holidays(true), kHolidays));
  struct Case {
    int y, m, d;
    const char* lines;
    bool highlighted;
  } const cases[] = {
      {2026, 12, 1, "09:00 Stand-up (Team);", true},
      {2026, 12, 8, "", false},  // taken out of the series
      {2026, 12, 15, "09:00 Stand-up (Team);", true},
      {2026, 12, 22, "", false},  // past the count
      {2026, 12, 25, "Christmas (Team);", true},
      {2026, 12, 26, "Christmas (Team);", true},
      {2026, 12, 27, "", false},  // the end date is not a day of the event
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.m) + "/" + std::to_string(c.d));
    EXPECT_EQ(DayLines(c.y, c.m, c.d), c.lines);
    EXPECT_EQ(items_.Highlights(c.y, c.m, c.d), c.highlighted);
  }
  EXPECT_EQ(book_.Count(), 0u);
  EXPECT_FALSE(items_.Add(book_, Holidays(true), "not a calendar"));
}

TEST_F(SubscriptionsTest, TheListFileKeepsEveryFieldAndTheCacheIsReadOnlyForThoseOn) {
  Subscription on = Holidays(false);
  on.colour = MakeColour(0x12, 0x34, 0x56);
  on.etag = "\"abc\"";
  on.lastModified = "Tue, 01 Dec 2026 10:00:00 GMT";
  Subscription off = Holidays(true);
  off.id = NewSubscriptionId({on});
  off.name = "Local";
  off.address = "C:\\cal\\h.ics";
  off.on = false;
  ASSERT_TRUE(WriteSubscriptions(world_.files, "data/Lumetta.subscriptions", {on, off}));
  File("data/Lumetta.subscriptions") += "calendar\tbroken\n";
  const std::vector<Subscription> read =
      ReadSubscriptions(world_.files, SubscriptionsPath("data/Lumetta.bin"));
  ASSERT_EQ(read.size(), 2u);
  struct Case {
    std::string got, want;
  } const fields[] = {
      {read[0].id, "1"},
      {read[1].id, "2"},
      {read[0].name, "Team"},
      {read[1].address, "C:\\cal\\h.ics"},
      {std::to_string(read[0].colour), std::to_string(on.colour)},
      {std::to_string(read[0].on) + std::to_string(read[1].on), "10"},
      {std::to_string(read[0].highlight) + std::to_string(read[1].highlight), "01"},
      {read[0].etag, "\"abc\""},
      {read[0].lastModified, "Tue, 01 Dec 2026 10:00:00 GMT"},
      {DownloadAddress(read[0].address), "https://example.org/h.ics"},
      {DownloadAddress("HTTPS://x/a.ics"), "HTTPS://x/a.ics"},
      {DownloadAddress(read[1].address), ""},
  };
  for (const Case& c : fields) EXPECT_EQ(c.got, c.want);

  File(SubscriptionCachePath("data/Lumetta.bin", read[0])) = kHolidays;
  File(SubscriptionCachePath("data/Lumetta.bin", read[1])) = kHolidays;
  items_.Load(book_, world_.files, "data/Lumetta.bin", read);
  EXPECT_EQ(DayLines(2026, 12, 25), "Christmas (Team);");
  EXPECT_FALSE(items_.Highlights(2026, 12, 25));
}

}  // namespace
