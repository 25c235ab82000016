#pragma once
// The colours windows draw with. Normally the saved scheme; while Windows'
// high-contrast mode is on, the system's own colours instead, so the
// program reads like every other window on that desktop. Every window
// takes its colours from here when it paints.

#include <optional>

#include "store/ProgramState.h"
#include "store/Settings.h"

namespace platform {

// Whether the system's high-contrast mode is on (or the forced answer).
bool HighContrastOn();

// The saved settings block, its eight colour roles replaced by the system's
// colours while high contrast is on.
store::SettingsBlock DrawingSettings();

// An entry's own colour, or the text colour while high contrast is on.
store::Colour EntryColour(store::Colour own);

// Forces the high-contrast answer (std::nullopt: ask the system again), as
// a test does where the system's setting cannot be changed.
void ForceHighContrast(std::optional<bool> on);

}  // namespace platform
