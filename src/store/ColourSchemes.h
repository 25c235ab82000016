// The colour schemes of the Colors dialog and the custom colours it offers
// in the colour chooser.
#pragma once

#include <array>

#include "store/Colour.h"

namespace store {

struct SettingsBlock;

enum class ColourScheme { Rosetty, Dark, Yellows };

// Sets all eight colour roles to the scheme's colours ("Yellows" is the
// defaults).
void ApplyColourScheme(SettingsBlock& settings, ColourScheme scheme);

// The eight colour roles of a block, in the order the dialog keeps them.
using ColourRoles = std::array<Colour, 8>;
ColourRoles ReadColourRoles(const SettingsBlock& settings);
void WriteColourRoles(SettingsBlock& settings, const ColourRoles& roles);

// The chooser's sixteen custom colours: fore, back, currentday, hasappoint,
// dayplan1, dayplan2, toplite, botlite, then eight times white.
std::array<Colour, 16> CustomColours(const SettingsBlock& settings);

}  // namespace store
