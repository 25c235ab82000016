// The Colors dialog's schemes and custom colours, with the contrast rule.
#include <gtest/gtest.h>

#include <set>

#include "store/ColourSchemes.h"
#include "store/Settings.h"

using namespace store;

namespace {

SettingsBlock Filled(Colour every) {
  SettingsBlock s;
  SetDefaultSettings(s, 0);
  WriteColourRoles(s, ColourRoles{every, every, every, every, every, every, every, every});
  return s;
}

TEST(ColourSchemes, YellowsIsTheDefaults) {
  SettingsBlock defaults;
  SetDefaultSettings(defaults, 0);
  SettingsBlock s = Filled(0x123456);
  ApplyColourScheme(s, ColourScheme::Yellows);
  EXPECT_EQ(ReadColourRoles(defaults), ReadColourRoles(s));
}

TEST(ColourSchemes, EachSchemeSetsAllEightRolesAndKeepsItsTextReadable) {
  for (ColourScheme scheme : {ColourScheme::Rosetty, ColourScheme::Dark, ColourScheme::Yellows}) {
    SettingsBlock s = Filled(0x123456);
    ApplyColourScheme(s, scheme);
    for (Colour c : ReadColourRoles(s)) EXPECT_NE(0x123456u, c) << static_cast<int>(scheme);
    // Every scheme is its own: the contrast rule leaves its text colour.
    const Colour fore = s.fore;
    FixTextContrast(s);
    EXPECT_EQ(fore, s.fore) << static_cast<int>(scheme);
  }
  std::set<ColourRoles> distinct;
  for (ColourScheme scheme : {ColourScheme::Rosetty, ColourScheme::Dark, ColourScheme::Yellows}) {
    SettingsBlock s = Filled(0);
    ApplyColourScheme(s, scheme);
    distinct.insert(ReadColourRoles(s));
  }
  EXPECT_EQ(3u, distinct.size());
}

TEST(ColourSchemes, TextLikeTheBackgroundTurnsBlackOrPaleYellowOverDark) {
  const struct {
    ColourScheme scheme;
    Colour expected;
  } cases[] = {{ColourScheme::Yellows, 0x000000}, {ColourScheme::Dark, MakeColour(255, 255, 155)}};
  for (const auto& c : cases) {
    SettingsBlock s = Filled(0);
    ApplyColourScheme(s, c.scheme);
    s.fore = s.back;
    FixTextContrast(s);
    EXPECT_EQ(c.expected, s.fore) << static_cast<int>(c.scheme);
  }
}

TEST(ColourSchemes, CustomColoursAreTheRolesInTheChoosersOrderThenWhite) {
  SettingsBlock s = Filled(0);
  WriteColourRoles(s, ColourRoles{1, 2, 3, 4, 5, 6, 7, 8});  // fore .. hasappoint
  const std::array<Colour, 16> expected = {
      1,        2,        7,        8,        3,        4,        5,        6,
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  EXPECT_EQ(expected, CustomColours(s));
}

}  // namespace
