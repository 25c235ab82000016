// Conversions over the whole calendar, 1900 to 9999, against an independent
// reader of the zone database: Python's zoneinfo breaks the same random
// moments down and gives the earliest moment of each local time.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TimeZone.h"
#include "store/Moment.h"

using namespace store;

namespace {

constexpr const char* kOracle =
    "import sys, datetime, zoneinfo\n"
    "zone = zoneinfo.ZoneInfo(sys.argv[1])\n"
    "for line in sys.stdin:\n"
    "    t = int(line)\n"
    "    utc = datetime.datetime(1970, 1, 1, tzinfo=datetime.timezone.utc) + "
    "datetime.timedelta(seconds=t)\n"
    "    d = utc.astimezone(zone)\n"
    "    start = datetime.datetime(d.year, d.month, d.day, d.hour, d.minute, fold=0, tzinfo=zone)\n"
    "    first = int((start - datetime.datetime(1970, 1, 1, tzinfo=datetime.timezone.utc))"
    ".total_seconds())\n"
    "    print(t, d.year, d.month, d.day, d.hour, d.minute, d.second, d.isoweekday() % 7, first)\n";

struct Expected {
  Moment moment;
  CalendarFields fields;
  Moment earliest;  // of the local time's minute
};

std::vector<Expected> AskOracle(const std::string& zone, const std::vector<Moment>& moments) {
  const std::string dir = ::testing::TempDir();
  const std::string script = dir + "lumetta-zone-oracle.py";
  const std::string input = dir + "lumetta-zone-moments.txt";
  std::ofstream(script) << kOracle;
  {
    std::ofstream in(input);
    for (Moment m : moments) in << m << '\n';
  }
  const std::string command = "/usr/bin/python3 " + script + " " + zone + " < " + input;
  std::vector<Expected> out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char line[256];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::istringstream s(line);
    Expected e{};
    CalendarFields& f = e.fields;
    if (s >> e.moment >> f.year >> f.month >> f.day >> f.hour >> f.minute >> f.second >>
        f.weekday >> e.earliest) {
      out.push_back(e);
    }
  }
  pclose(pipe);
  return out;
}

class ZoneDatabaseTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ZoneDatabaseTest, RandomMomentsFrom1900To9999MatchTheZoneDatabase) {
  ScopedTimeZone tz(GetParam());
  // 1900-01-02 to 9999-12-30 UTC, a third of them before 1970 or after 2038.
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<Moment> anywhere(-2208902400, 253402128000);
  std::uniform_int_distribution<Moment> early(-2208902400, 0);
  std::uniform_int_distribution<Moment> late(2147483648, 4102444800);  // 2038 to 2100
  std::vector<Moment> moments;
  for (int i = 0; i < 400; ++i) moments.push_back(anywhere(random));
  for (int i = 0; i < 200; ++i) moments.push_back(early(random));
  for (int i = 0; i < 200; ++i) moments.push_back(late(random));

  const std::vector<Expected> expected = AskOracle(GetParam(), moments);
  ASSERT_EQ(expected.size(), moments.size());
  int wrong = 0;
  for (const Expected& e : expected) {
    CalendarFields f;
    const bool broken = LocalFields(e.moment, f);
    const CalendarFields& x = e.fields;
    Moment made = 0;
    const bool converted = TryMakeTime(x.year, x.month, x.day, x.hour, x.minute, made);
    if (!broken || f.year != x.year || f.month != x.month || f.day != x.day || f.hour != x.hour ||
        f.minute != x.minute || f.second != x.second || f.weekday != x.weekday || !converted ||
        made != e.earliest) {
      if (++wrong <= 5) {
        ADD_FAILURE() << GetParam() << " at " << e.moment << ": expected " << x.year << "-"
                      << x.month << "-" << x.day << " " << x.hour << ":" << x.minute << ":"
                      << x.second << " (weekday " << x.weekday << ", earliest " << e.earliest
                      << "), got " << f.year << "-" << f.month << "-" << f.day << " " << f.hour
                      << ":" << f.minute << ":" << f.second << " (weekday " << f.weekday
                      << ", made " << made << ")";
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Zones, ZoneDatabaseTest,
                         ::testing::Values("America/New_York", "Europe/Berlin",
                                           "Australia/Lord_Howe", "Asia/Kolkata",
                                           "America/Sao_Paulo", "Pacific/Apia"));

}  // namespace
