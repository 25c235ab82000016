// Arming an entry's reminder timer.
#include <cstdint>

#include "store/AppointmentBook.h"
#include "store/Moment.h"

namespace lumetta {

namespace {

constexpr std::int64_t kDay = 86400;

// The delay in ms of the timer to start, or 0 when none is due.
std::int64_t ReminderDelayMs(const An_Appointment& e, std::int64_t now, bool remindersEnabled) {
    // 64-bit arithmetic: reminderMinutes read from a file may be anything.
    const std::int64_t lead =
        static_cast<std::int64_t>(e.time) - 60 * static_cast<std::int64_t>(e.reminderMinutes) - now;
    if (lead >= 1 && lead <= kDay - 1) return lead * 1000;
    if (e.dayBefore == 0) return 0;
    const std::int64_t ahead = static_cast<std::int64_t>(e.time) - now;
    if (ahead >= kDay + 1 && ahead <= 3 * kDay - 1 && remindersEnabled) {
        return ahead * 1000 - kDay * 1000;  // fires exactly 24 hours before the entry
    }
    return 0;
}

}  // namespace

void An_Appointment::ArmReminder(MomentCache* cache) {
    Moment t = 0;
    const bool converted = cache != nullptr
                               ? cache->TryConvert(year_, month_, day_, hour_, minute_, t)
                               : TryMakeTime(year_, month_, day_, hour_, minute_, t);
    if (!converted) throw CalendarError();
    time = t;

    CancelReminder();
    if (reminderMinutes == -1 || reminderOn == 0) return;

    const StoreContext& ctx = book_->context();
    const std::int64_t delay = ReminderDelayMs(*this, ctx.clock.Now(),
                                               (ctx.settings.flags & kFlagRemindersEnabled) != 0);
    if (delay <= 0) return;
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

}  // namespace lumetta
