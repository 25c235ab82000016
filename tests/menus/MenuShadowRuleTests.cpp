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

}  // namespace
