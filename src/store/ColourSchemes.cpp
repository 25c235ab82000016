#include "store/ColourSchemes.h"

#include "store/Settings.h"

namespace store {

namespace {

// In the order fore, back, dayplan1, dayplan2, toplite, botlite, currentday, hasappoint.
constexpr ColourRoles kRosetty = {MakeColour(0, 0, 255),     MakeColour(255, 232, 255),
                                  MakeColour(255, 255, 155), MakeColour(255, 232, 255),
                                  MakeColour(162, 81, 81),   MakeColour(255, 255, 255),
                                  MakeColour(255, 111, 255), MakeColour(255, 0, 0)};
constexpr ColourRoles kDark = {MakeColour(255, 0, 0),     MakeColour(0, 0, 0),
                               MakeColour(0, 0, 0),       MakeColour(75, 75, 75),
                               MakeColour(153, 77, 77),   MakeColour(0, 0, 0),
                               MakeColour(255, 111, 255), MakeColour(128, 255, 0)};
constexpr ColourRoles kYellows = {kDefaultFore,       kDefaultBack,      kDefaultDayplan1,
                                  kDefaultDayplan2,   kDefaultToplite,   kDefaultBotlite,
                                  kDefaultCurrentday, kDefaultHasappoint};

}  // namespace

ColourRoles ReadColourRoles(const SettingsBlock& s) {
  return {s.fore, s.back, s.dayplan1, s.dayplan2, s.toplite, s.botlite, s.currentday, s.hasappoint};
}

void WriteColourRoles(SettingsBlock& s, const ColourRoles& r) {
  s.fore = r[0];
  s.back = r[1];
  s.dayplan1 = r[2];
  s.dayplan2 = r[3];
  s.toplite = r[4];
  s.botlite = r[5];
  s.currentday = r[6];
  s.hasappoint = r[7];
}

void ApplyColourScheme(SettingsBlock& settings, ColourScheme scheme) {
  switch (scheme) {
    case ColourScheme::Rosetty:
      WriteColourRoles(settings, kRosetty);
      break;
    case ColourScheme::Dark:
      WriteColourRoles(settings, kDark);
      break;
    case ColourScheme::Yellows:
      WriteColourRoles(settings, kYellows);
      break;
  }
}

std::array<Colour, 16> CustomColours(const SettingsBlock& s) {
  const Colour white = MakeColour(255, 255, 255);
  return {s.fore, s.back, s.currentday, s.hasappoint, s.dayplan1, s.dayplan2, s.toplite, s.botlite,
          white,  white,  white,        white,        white,      white,      white,     white};
}

}  // namespace store
