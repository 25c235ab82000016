// Which Windows versions get the menus' own shadow: only those whose system
// draws none, so that a shadow is never doubled.
#include <gtest/gtest.h>

#include "menus/MenuColours.h"

namespace {

TEST(MenuShadowRule, OnlyWhereTheSystemDrawsNone) {
  const struct {
    const char* version;
    unsigned major, minor;
    bool own;
  } cases[] = {
      {"2000", 5, 0, true},  {"XP", 5, 1, false},         {"Server 2003", 5, 2, false},
      {"Vista", 6, 0, true}, {"7", 6, 1, true},           {"8", 6, 2, false},
      {"8.1", 6, 3, false},  {"10 and 11", 10, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.own, menus::OwnMenuShadow(c.major, c.minor)) << "Windows " << c.version;
  }
}

// A shadow twice as deep (at 192 DPI) has the same shades, each two pixels
// wide: darkest at the menu's edge, lightest outside and at the strip's end.
TEST(MenuShadowRule, ADeeperShadowSpreadsTheSameShades) {
  const struct {
    int deep, depth, along, percent;
  } cases[] = {
      {4, 0, 10, 78}, {4, 1, 10, 83}, {4, 3, 10, 93}, {4, 0, 0, 93},  {4, 0, 1, 88},
      {8, 0, 10, 78}, {8, 1, 10, 78}, {8, 2, 10, 83}, {8, 7, 10, 93}, {8, 0, 1, 93},
      {8, 0, 2, 88},  {6, 0, 10, 78}, {6, 5, 10, 93}, {8, 9, 10, 93}, {8, -1, 10, 78},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.percent, menus::ShadowPercent(c.depth, c.along, c.deep))
        << c.deep << " deep, " << c.depth << " out, " << c.along << " along";
  }
}

}  // namespace
