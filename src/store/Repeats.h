// Repeating appointments: a rule is expanded once, when it is set, into real
// copies of the entry, one per occurrence up to the rule's end date. Every
// copy is an ordinary entry of the book that carries the whole rule.
#pragma once

#include <string>

#include "store/Appointment.h"
#include "store/Moment.h"

namespace store {

// One expansion makes at most this many copies.
constexpr int kMaxRepeatCopies = 1000;

// The messages of the repeat machinery.
constexpr const char* kEverydayCapMessage =
    "Your appointment repeats every single day for a long time...\nHow about I set it to repeat "
    "for one year from today?\n";
constexpr const char* kRepeatYearsMessage = "Yikes! Please stick to the years 1990 - 2036.";

// The moment of the entry's next occurrence by its rule, or 0 for none (no
// rule, an unknown week ordinal, or an occurrence past the last moment).
// Dates are stepped on the calendar and the entry keeps its own hour and
// minute, so a daylight-saving change never moves an occurrence to another
// day or another time of day.
Moment NextOccurrence(const An_Appointment& entry);

// Moves the entry to its next occurrence: time := NextOccurrence; on 0 the
// date stays and the answer is false, else the date follows and the answer
// is true. Hour and minute never change.
bool AdvanceToNext(An_Appointment& entry);

// Makes the copies that follow `first`, up to its repeatUntil, at most
// kMaxRepeatCopies of them; a copy that meets an occupied slot ends the
// expansion with the conflict message. Returns the number of copies kept.
// The book is sorted afterwards (as after each copy).
int ExpandRepeats(An_Appointment& first);

// A copy that lands on a slot held by another entry: shows the conflict
// message, takes the copy out of the book and destroys it, answers true.
// Otherwise answers false and changes nothing.
bool CheckConflict(An_Appointment& copy);

// What the repeat dialog hands back on OK.
struct RepeatChoice {
  int kind = kRepeatNone;
  Moment until = 0;         // the end date U
  std::string weekOrdinal;  // "1st" .. "5th"
  std::string weekdayText;  // e.g. "every Tuesday"
  int monthDay = 0;         // the entry's day
};

// Applies the dialog's choice: caps the end date by the kind (with the
// message for an everyday rule), stores the rule, re-arms the reminder and
// expands the copies. Throws CalendarError, before changing anything, when
// the entry's date cannot be converted.
void ApplyRepeatRule(An_Appointment& entry, const RepeatChoice& choice);

}  // namespace store
