// Arming an entry's reminder timer, and what an expired one does.
#include <cstdint>

#include "store/AppointmentBook.h"
#include "store/CivilDate.h"
#include "store/Moment.h"

namespace store {

namespace {

constexpr std::int64_t kDay = 86400;
// A timer may come this many seconds early and still count as due.
constexpr std::int64_t kEarlyGrace = 60;

// 64-bit arithmetic: reminderMinutes read from a file may be anything.
std::int64_t ReminderMoment(const An_Appointment& e) {
  return static_cast<std::int64_t>(e.time) - 60 * static_cast<std::int64_t>(e.reminderMinutes);
}

}  // namespace

// The delay in ms of the timer to start, or 0 when none is due.
std::int64_t An_Appointment::ReminderDelayMs(std::int64_t now, bool remindersEnabled) const {
  const std::int64_t lead = ReminderMoment(*this) - now;
  if (lead >= 1 && lead <= kDay - 1) return lead * 1000;
  const std::int64_t ahead = static_cast<std::int64_t>(time) - now;
  // The reminder's moment has passed, the entry's own time has not: it was
  // missed (the program was not running, or the lead was past when the
  // entry was made). Shown at once, unless this run already showed it.
  if (lead < 1 && ahead >= 1 && ahead <= kDay - 1) {
    return shownReminderAt_ == ReminderMoment(*this) ? 0 : kLateReminderDelayMs;
  }
  if (dayBefore == 0) return 0;
  if (ahead >= kDay + 1 && ahead <= 3 * kDay - 1 && remindersEnabled) {
    return ahead * 1000 - kDay * 1000;  // fires exactly 24 hours before the entry
  }
  return 0;
}

bool An_Appointment::MayComeDueAround(std::int64_t today) const {
  // A timer starts only for an entry 0..3 days ahead (at once, or a day
  // before) or for a reminder moment within the next day.
  const std::int64_t daysAhead = DayNumber(year_, month_, day_) - today;
  if (daysAhead >= -2 && daysAhead <= 5) return true;
  const std::int64_t leadDays = daysAhead - static_cast<std::int64_t>(reminderMinutes) / 1440;
  return leadDays >= -3 && leadDays <= 3;
}

void An_Appointment::NoteSeenUntil(Moment t, std::int64_t seenUntil) {
  const std::int64_t moment =
      static_cast<std::int64_t>(t) - 60 * static_cast<std::int64_t>(reminderMinutes);
  if (Reminds() && moment <= seenUntil) shownReminderAt_ = moment;
}

void An_Appointment::ArmMissed(std::int64_t since, std::int64_t now) {
  if (timerId_ != 0 || !Reminds()) return;
  const std::int64_t moment = ReminderMoment(*this);
  if (moment > since && moment <= now && shownReminderAt_ != moment) {
    StartTimer(kLateReminderDelayMs);
  }
}

void An_Appointment::ArmReminder(MomentCache* cache) {
  Moment t = 0;
  const bool converted = cache != nullptr
                             ? cache->TryConvert(year_, month_, day_, hour_, minute_, t)
                             : TryMakeTime(year_, month_, day_, hour_, minute_, t);
  if (!converted) throw CalendarError();
  // The clock is read only when there is a reminder to time.
  ArmAt(t, Reminds() ? book_->context().clock.Now() : 0);
}

void An_Appointment::ArmAt(Moment t, std::int64_t now) {
  time = t;

  CancelReminder();
  if (!Reminds()) return;

  const StoreContext& ctx = book_->context();
  const std::int64_t delay =
      ReminderDelayMs(now, (ctx.settings.flags & kFlagRemindersEnabled) != 0);
  if (delay > 0) StartTimer(delay);
}

void An_Appointment::StartTimer(std::int64_t delay) {
  const StoreContext& ctx = book_->context();
  const std::uint32_t id = ctx.timerIds.Take();
  const std::uint32_t old = timerId_;
  timerId_ = ctx.timers.Start(id, static_cast<std::uint32_t>(delay));
  book_->NoteTimer(*this, old);
}

void An_Appointment::CancelReminder() {
  if (timerId_ == 0) return;
  book_->context().timers.Stop(timerId_);
  ReminderFired();
}

void An_Appointment::ReminderFired() {
  const std::uint32_t old = timerId_;
  timerId_ = 0;
  book_->NoteTimer(*this, old);
}

ReminderDue All_Appointments::FireReminder(std::uint32_t timerId) {
  if (timerId == 0) return {};  // 0 would find an entry without a timer
  context_.timers.Stop(timerId);
  An_Appointment* e = FindByReminderTimer(timerId);
  if (e == nullptr) return {};
  e->ReminderFired();

  const std::int64_t now = context_.clock.Now();
  const std::int64_t due =
      e->dayBefore != 0 ? static_cast<std::int64_t>(e->time) - kDay : ReminderMoment(*e);
  try {
    if (now + kEarlyGrace < due) {
      // Early (the clock was set back, say): a fresh timer for what is left.
      e->ArmReminder();
      return {};
    }
    // The regular reminder, not the one a day before (which leaves the
    // lead alone for the regular one, armed by a later pass).
    if (now + kEarlyGrace >= ReminderMoment(*e)) {
      e->shownReminderAt_ = ReminderMoment(*e);
      if (e->reminderMinutes >= 60) {
        // A second reminder at the entry's own time; the entry keeps 0.
        e->reminderMinutes = 0;
        e->ArmReminder();
      }
    }
  } catch (const CalendarError&) {
    // It converted when it was armed; a key changed since simply stays unarmed.
  }
  return {e, (context_.settings.flags & kFlagRemindersEnabled) != 0};
}

}  // namespace store
