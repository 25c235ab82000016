// One entry of the day planner: a line of text in one time slot of one day,
// with its colour, reminder and repeat rule. Every entry belongs to the one
// appointment book (AppointmentBook.h), which makes, indexes and destroys it.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "store/Colour.h"
#include "store/Moment.h"

namespace store {

class All_Appointments;
class An_Appointment;
class MomentCache;

// The delay of the timer of a reminder that is already due when armed.
constexpr std::uint32_t kLateReminderDelayMs = 1;

// Repeat kinds (repeatKind).
enum RepeatKind : int {
  kRepeatNone = 0,
  kRepeatEveryWeekday = 1,
  kRepeatEveryday = 2,
  kRepeatWeekly = 3,
  kRepeatEveryOtherWeek = 4,
  kRepeatMonthlyByDate = 5,
  kRepeatMonthlyByWeekday = 6,
  kRepeatYearly = 7,
};

// An entry's `time`: it reads and is assigned like a Moment (`Moment t =
// e.time; e.time = t;`). Assigning a new value tells the book, which thereby
// knows which entries may stand out of time order, so that Sort and
// NextAppointmentAfter need not look at every entry. Not copyable on its own:
// take its value as a Moment.
class EntryTime {
 public:
  EntryTime(const EntryTime&) = delete;
  EntryTime& operator=(const EntryTime& other) { return *this = other.value_; }
  EntryTime& operator=(Moment m);
  operator Moment() const { return value_; }

 private:
  friend class An_Appointment;
  friend class All_Appointments;
  explicit EntryTime(An_Appointment& owner) : owner_(&owner) {}
  An_Appointment* owner_;
  bool changed_ = false;  // the book's mark: may stand out of time order until the next Sort
  Moment value_ = 0;
};

std::ostream& operator<<(std::ostream& out, const EntryTime& time);

class An_Appointment {
 public:
  ~An_Appointment();
  An_Appointment(const An_Appointment&) = delete;
  An_Appointment& operator=(const An_Appointment&) = delete;

  // The key: date and time of day. The book indexes entries by it, so it is
  // changed only through SetSlot, SetKey and SetDate.
  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }
  int hour() const { return hour_; }
  int minute() const { return minute_; }

  // (Fields are grouped by size so that an entry carries no padding.)
  int monthDay = 0;         // MonthlyByDate: the day of month the series keeps
  int reminderMinutes = 0;  // minutes before `time` the reminder pops up; -1 = none
  int reminderOn = 1;       // reminder enabled for this entry
  int dayBefore = 0;        // extra reminder 24 hours ahead
  int tildeFlag = 0;        // shown with "~" in the day planner
  int noHighlight = 0;      // does not highlight its day in the calendar views
  int repeatKind = kRepeatNone;
  Colour colour = 0;        // text colour in the day planner
  Moment repeatUntil = 0;   // last moment of repeat copies; 0 = none
  EntryTime time{*this};    // MakeTime of the key, set by ArmReminder
  std::string weekOrdinal;  // MonthlyByWeekday: "1st" .. "5th"
  std::string weekdayText;  // Weekly / MonthlyByWeekday: e.g. "every Tuesday"
  std::string text;

  // Identifier of the running reminder timer; 0 = none.
  std::uint32_t timerId() const { return timerId_; }

  All_Appointments& book() const { return *book_; }

  // Sets the key and the text; `time` is left to the following ArmReminder.
  void SetSlot(int year, int month, int day, int hour, int minute, std::string text);
  void SetKey(int year, int month, int day, int hour, int minute);
  void SetDate(int year, int month, int day);
  void SetRepeat(int kind, std::string weekOrdinal, std::string weekdayText, int monthDay);

  // time := MakeTime of the key; restarts the reminder timer when the
  // reminder (or the day-before reminder) is due within a day. A reminder
  // whose moment has passed while the entry's own time is still within the
  // day ahead gets a timer that fires at once (kLateReminderDelayMs), once
  // per reminder moment and run: a reminder missed while the program was
  // not running is still shown. Throws CalendarError, before changing
  // anything, when the key does not convert. A cache may be given for
  // passes over many entries.
  void ArmReminder(MomentCache* cache = nullptr);

  // Stops a running reminder timer; timerId := 0.
  void CancelReminder();

  // For FireReminder: the platform timer has been stopped; timerId := 0.
  void ReminderFired();

 private:
  friend class All_Appointments;
  friend class EntryTime;
  friend class KeyedChains;

  explicit An_Appointment(All_Appointments& book);
  // ArmReminder with the key's moment `t` and the clock's reading `now`
  // already at hand (a load reads the clock once for all its entries).
  void ArmAt(Moment t, std::int64_t now);
  // Starts the reminder timer with that delay in ms.
  void StartTimer(std::int64_t delay);
  // A loaded entry whose reminder moment came before the last run ended
  // (`seenUntil`) counts as shown: it is not shown late again.
  void NoteSeenUntil(Moment t, std::int64_t seenUntil);
  // An entry left without a timer whose reminder moment passed in
  // (since, now] (the clock jumped, or the machine slept) gets a timer that
  // fires at once, unless that reminder was shown already.
  void ArmMissed(std::int64_t since, std::int64_t now);
  // The entry has a reminder that is switched on.
  bool Reminds() const { return reminderMinutes != -1 && reminderOn != 0; }
  // ArmReminder's delay in ms for the timer to start; 0: none is due.
  std::int64_t ReminderDelayMs(std::int64_t now, bool remindersEnabled) const;
  // False when, judged from the date alone, arming on the day numbered
  // `today` (CivilDate.h) cannot start a timer, with days to spare for the
  // time of day and daylight saving.
  bool MayComeDueAround(std::int64_t today) const;
  // Writes the key fields alone, for the book, which keeps its indexes in
  // step itself (SetKey goes through the book).
  void StoreKey(int year, int month, int day, int hour, int minute) {
    year_ = year;
    month_ = month;
    day_ = day;
    hour_ = hour;
    minute_ = minute;
  }

  All_Appointments* book_;
  // Book bookkeeping: a label that grows along the list (so list order is
  // known without positions), and the chains of the slot and day indexes.
  std::uint64_t order_ = 0;
  // The reminder moment (time - 60 x reminderMinutes) whose reminder has
  // fired in this run, so that arming again does not show it late a
  // second time; kNoReminderShown before the first.
  static constexpr std::int64_t kNoReminderShown = INT64_MIN;
  std::int64_t shownReminderAt_ = kNoReminderShown;
  An_Appointment* slotNext_ = nullptr;
  An_Appointment* dayNext_ = nullptr;
  std::uint32_t timerId_ = 0;
  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
  int hour_ = 0;
  int minute_ = 0;
};

}  // namespace store
