#pragma once
// What the quick-check popup shows and where it goes, as plain functions so
// they are tested without a window: the title, the text lines with their
// colours, the placement beside the anchor with the shrink-to-fit loop, and
// how long the popup is meant to stay.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "store/Colour.h"
#include "store/Subscriptions.h"

namespace store {
class All_Appointments;
class An_Appointment;
struct SettingsBlock;
}  // namespace store

namespace views {

struct QuickCheckLine {
  std::string text;
  store::Colour colour;
};

// "Lumetta" when the day has no entry; otherwise "Lumetta - 14 Feb, 2024"
// (European calendar) or "Lumetta - Feb 14, 2024".
std::string QuickCheckTitle(const store::An_Appointment* first, int year, int month, bool european);

// " Wednesday, 14 Feb 2024   " (European) or " Wednesday Feb 14, 2024   ".
std::string QuickCheckDateLine(int year, int month, int day, bool european);

// The hint shown when the day has a notes file.
constexpr const char* kNotesHint = " [click to view notes]";

// The date line (hasappoint), the notes hint (fore) when the day has notes,
// then one line " <time>  <text>  " per entry from `first` on while the
// entries lie on that date, walking the book in time order (sort it first).
// Then one line per subscribed calendar's occurrence, named by its calendar.
// Each entry's colour is made readable against `back` and stored back into
// the entry, as the popup shows it.
std::vector<QuickCheckLine> BuildQuickCheckLines(
    store::All_Appointments& book, store::An_Appointment* first, int year, int month, int day,
    bool hasNotes, const store::SettingsBlock& settings,
    const std::vector<store::SubscribedItem>& others = std::vector<store::SubscribedItem>());

// Milliseconds a popup of that many lines is meant to stay: 2 s per line,
// but 10 s below 6 s and at most 40 s.
int QuickCheckDurationFor(int lineCount);
// The duration asked for when no popup is open.
constexpr int kNoQuickCheckDuration = 7000;

struct QuickCheckPlacement {
  int x = 0;
  int y = 0;
  bool fits = false;
};

// Where a popup of that width (widest line) and total height goes beside the
// anchor (screen coordinates) on a screen of that size: left of the anchor
// if there is room, else right of it (unless the anchor reaches into the
// right fifth of the screen); level with the anchor's top, or centred on a
// taller anchor; an anchor beyond the right edge puts it bottom right.
QuickCheckPlacement FitQuickCheck(const RECT& anchor, int screenWidth, int screenHeight, int widest,
                                  int totalHeight);

// Measured size of the lines in the popup font.
struct QuickCheckMeasure {
  int widest = 0;      // widest line, pixels
  int lineHeight = 0;  // text height + 2
};

// The shrink-to-fit loop: measure(false) once, then while the popup does not
// fit, measure(true) (the font 10 % smaller each time), at most 21 times.
// Answers the placement of the last measure, fitting or not.
QuickCheckPlacement ShrinkToFit(const std::function<QuickCheckMeasure(bool shrink)>& measure,
                                const RECT& anchor, int screenWidth, int screenHeight,
                                int lineCount);
constexpr int kMaxQuickCheckShrinks = 21;

}  // namespace views
