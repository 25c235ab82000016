#include "store/AppointmentBook.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <limits>
#include <new>
#include <utility>

#include "store/CivilDate.h"

namespace store {

All_Appointments::All_Appointments(const StoreContext& context) : context_(context) {}

All_Appointments::~All_Appointments() = default;

void All_Appointments::EntryDeleter::operator()(An_Appointment* e) const {
  EntryPool& pool = e->book().pool_;
  e->~An_Appointment();
  pool.Give(e);
}

All_Appointments::EntryPtr All_Appointments::NewEntry() {
  void* room = pool_.Take();
  return EntryPtr(new (room) An_Appointment(*this));  // the constructor does not throw
}

// --- Making entries ----------------------------------------------------------

An_Appointment& All_Appointments::Create() { return CreateAt(0, 0, 0, 0, 0); }

An_Appointment& All_Appointments::CreateCopy(const An_Appointment& source, Sorting sorting) {
  EntryPtr e = NewEntry();
  e->StoreKey(source.year_, source.month_, source.day_, source.hour_, source.minute_);
  e->monthDay = source.monthDay;
  e->reminderMinutes = source.reminderMinutes;
  e->reminderOn = 1;
  e->dayBefore = source.dayBefore;
  e->tildeFlag = source.tildeFlag;
  e->noHighlight = source.noHighlight;
  e->weekOrdinal = source.weekOrdinal;
  e->weekdayText = source.weekdayText;
  e->colour = source.colour;
  e->text = source.text;
  e->repeatKind = source.repeatKind;
  e->time.value_ = source.time;  // Append marks the copy
  e->repeatUntil = source.repeatUntil;
  An_Appointment& copy = Append(std::move(e));
  if (sorting == Sorting::Now) Sort();
  return copy;
}

An_Appointment& All_Appointments::Append(EntryPtr entry) {
  An_Appointment& e = *entry;
  if (!list_.empty() && list_.back()->order_ > kLastOrder - kOrderGap) Relabel();
  e.order_ = list_.empty() ? kOrderGap : list_.back()->order_ + kOrderGap;
  list_.push_back(std::move(entry));
  Link(e);
  TimeChanged(e);
  return e;
}

void All_Appointments::TimeChanged(An_Appointment& e) {
  if (e.time.changed_) return;
  e.time.changed_ = true;
  if (manyTimesChanged_) return;
  if (timesChanged_.size() < kFewOutOfOrder) {
    timesChanged_.push_back(&e);
  } else {
    manyTimesChanged_ = true;
    timesChanged_.clear();
  }
}

void All_Appointments::ForgetTimeChange(An_Appointment& e) {
  if (!e.time.changed_ || manyTimesChanged_) return;
  const auto it = std::find(timesChanged_.begin(), timesChanged_.end(), &e);
  if (it != timesChanged_.end()) timesChanged_.erase(it);
}

An_Appointment& All_Appointments::CreateAt(int year, int month, int day, int hour, int minute) {
  EntryPtr e = NewEntry();
  const int minutes = context_.settings.reminderMinutes;
  e->reminderMinutes = minutes < -1 ? 1 : minutes;
  e->colour = context_.settings.fore;
  e->StoreKey(year, month, day, hour, minute);
  return Append(std::move(e));
}

// --- Indexes -----------------------------------------------------------------

void All_Appointments::Link(An_Appointment& e) {
  std::uint64_t key = 0;
  if (MakeSlotKey(e.year_, e.month_, e.day_, e.hour_, e.minute_, key)) {
    slots_.Insert(key, &e);
  } else {
    oddSlots_.push_back(&e);
  }
  if (MakeDayKey(e.year_, e.month_, e.day_, key)) {
    days_.Insert(key, &e);
  } else {
    oddDays_.push_back(&e);
  }
}

void All_Appointments::Unlink(An_Appointment& e) {
  std::uint64_t key = 0;
  if (MakeSlotKey(e.year_, e.month_, e.day_, e.hour_, e.minute_, key)) {
    slots_.Erase(key, &e);
  } else {
    oddSlots_.erase(std::find(oddSlots_.begin(), oddSlots_.end(), &e));
  }
  if (MakeDayKey(e.year_, e.month_, e.day_, key)) {
    days_.Erase(key, &e);
  } else {
    oddDays_.erase(std::find(oddDays_.begin(), oddDays_.end(), &e));
  }
}

void All_Appointments::Rekey(An_Appointment& e, int year, int month, int day, int hour,
                             int minute) {
  Unlink(e);
  e.StoreKey(year, month, day, hour, minute);
  Link(e);
}

void All_Appointments::NoteTimer(An_Appointment& e, std::uint32_t oldId) {
  if (oldId != 0) {
    auto it = armed_.find(oldId);
    if (it != armed_.end() && it->second == &e) armed_.erase(it);
  }
  if (e.timerId_ != 0) {
    An_Appointment*& slot = armed_[e.timerId_];
    if (slot != nullptr && slot != &e && slot->timerId_ == e.timerId_) timerIdsShared_ = true;
    slot = &e;
  }
}

void All_Appointments::Relabel() {
  for (std::size_t i = 0; i < list_.size(); ++i) list_[i]->order_ = (i + 1) * kOrderGap;
}

std::size_t All_Appointments::IndexOf(const An_Appointment& e) const {
  const auto it =
      std::lower_bound(list_.begin(), list_.end(), e.order_,
                       [](const EntryPtr& x, std::uint64_t o) { return x->order_ < o; });
  if (it == list_.end() || it->get() != &e) return list_.size();
  return static_cast<std::size_t>(it - list_.begin());
}

void All_Appointments::InsertAt(std::size_t at, EntryPtr entry) {
  An_Appointment& e = *entry;
  list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  const std::uint64_t lo = at > 0 ? list_[at - 1]->order_ : 0;
  if (at + 1 == list_.size()) {
    if (lo > kLastOrder - kOrderGap) {
      Relabel();
    } else {
      e.order_ = lo + kOrderGap;
    }
    return;
  }
  const std::uint64_t hi = list_[at + 1]->order_;
  if (hi - lo < 2) {
    Relabel();  // no room left between the neighbours: rare
  } else {
    e.order_ = lo + (hi - lo) / 2;
  }
}

template <typename Pred>
std::size_t All_Appointments::RemoveWhere(Pred doomed) {
  std::size_t kept = 0;
  std::size_t removed = 0;
  for (std::size_t i = 0; i < list_.size(); ++i) {
    An_Appointment& e = *list_[i];
    if (doomed(e)) {
      e.CancelReminder();
      Unlink(e);
      ForgetTimeChange(e);
      list_[i].reset();
      ++removed;
    } else {
      if (kept != i) list_[kept] = std::move(list_[i]);
      ++kept;
    }
  }
  list_.resize(kept);
  return removed;
}

// --- Sorting -----------------------------------------------------------------

void All_Appointments::Sort() {
  if (KnownSorted()) return;  // no time changed since the list was last in order
  if (!manyTimesChanged_) {
    SortChanged();
    return;
  }
  // Many changes: one pass clears the marks and counts the entries earlier
  // than one before them (new entries at the end, or here and there the
  // second half hour of a day whose clocks go forward, in a loaded file).
  const std::size_t n = list_.size();
  std::size_t early = 0;
  Moment latest = std::numeric_limits<Moment>::min();
  for (const EntryPtr& e : list_) {
    e->time.changed_ = false;
    if (e->time < latest) {
      ++early;
    } else {
      latest = e->time;
    }
  }
  manyTimesChanged_ = false;
  if (early == 0) return;

  const auto byTime = [](const EntryPtr& a, const EntryPtr& b) { return a->time < b->time; };
  if (early <= n / 16) {
    // The few early ones are sorted aside and merged back. Equal times keep
    // their order: an entry left in place whose time equals an early one's
    // stands before it in the list, and the merge puts it first.
    std::vector<EntryPtr> inOrder;
    std::vector<EntryPtr> aside;
    inOrder.reserve(n - early);
    aside.reserve(early);
    latest = std::numeric_limits<Moment>::min();
    for (EntryPtr& e : list_) {
      if (e->time < latest) {
        aside.push_back(std::move(e));
      } else {
        latest = e->time;
        inOrder.push_back(std::move(e));
      }
    }
    std::stable_sort(aside.begin(), aside.end(), byTime);
    list_.clear();
    std::merge(std::make_move_iterator(inOrder.begin()), std::make_move_iterator(inOrder.end()),
               std::make_move_iterator(aside.begin()), std::make_move_iterator(aside.end()),
               std::back_inserter(list_), byTime);
    Relabel();
    return;
  }
  // General case: sort (time, position) keys, which keeps equal times in order.
  std::vector<std::pair<Moment, std::size_t>> keys(n);
  for (std::size_t i = 0; i < n; ++i) keys[i] = {list_[i]->time, i};
  std::sort(keys.begin(), keys.end());
  std::vector<EntryPtr> ordered;
  ordered.reserve(n);
  for (const auto& k : keys) ordered.push_back(std::move(list_[k.second]));
  list_.swap(ordered);
  Relabel();
}

// The list is in order but for the few marked entries: take them out and put
// each back after the entries of equal time, in their former relative order.
void All_Appointments::SortChanged() {
  std::vector<EntryPtr> moved;
  moved.reserve(timesChanged_.size());
  for (An_Appointment* e : timesChanged_) {
    const std::size_t at = IndexOf(*e);
    moved.push_back(std::move(list_[at]));
    list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(at));
  }
  timesChanged_.clear();
  std::sort(moved.begin(), moved.end(), [](const auto& a, const auto& b) {
    return a->time < b->time || (a->time == b->time && a->order_ < b->order_);
  });
  const auto byTime = [](const EntryPtr& a, const EntryPtr& b) { return a->time < b->time; };
  for (auto& e : moved) {
    e->time.changed_ = false;
    const auto at = std::upper_bound(list_.begin(), list_.end(), e, byTime);
    InsertAt(static_cast<std::size_t>(at - list_.begin()), std::move(e));
  }
}

// --- Lookups -----------------------------------------------------------------

An_Appointment* All_Appointments::FindAt(int year, int month, int day, int hour, int minute,
                                         const An_Appointment* skip) const {
  An_Appointment* best = nullptr;
  std::uint64_t key = 0;
  if (MakeSlotKey(year, month, day, hour, minute, key)) {
    for (An_Appointment* e = slots_.Head(key); e != nullptr; e = slots_.Next(e)) {
      if (e != skip && (best == nullptr || e->order_ < best->order_)) best = e;
    }
    return best;
  }
  for (An_Appointment* e : oddSlots_) {
    if (e != skip && e->year_ == year && e->month_ == month && e->day_ == day && e->hour_ == hour &&
        e->minute_ == minute && (best == nullptr || e->order_ < best->order_)) {
      best = e;
    }
  }
  return best;
}

An_Appointment* All_Appointments::FindOnDay(int year, int month, int day, bool last) const {
  An_Appointment* best = nullptr;
  const auto better = [&](const An_Appointment* e) {
    return best == nullptr || (last ? e->order_ > best->order_ : e->order_ < best->order_);
  };
  std::uint64_t key = 0;
  if (MakeDayKey(year, month, day, key)) {
    for (An_Appointment* e = days_.Head(key); e != nullptr; e = days_.Next(e)) {
      if (better(e)) best = e;
    }
    return best;
  }
  for (An_Appointment* e : oddDays_) {
    if (e->year_ == year && e->month_ == month && e->day_ == day && better(e)) best = e;
  }
  return best;
}

bool All_Appointments::HasHighlightedEntryOn(int year, int month, int day) const {
  std::uint64_t key = 0;
  if (MakeDayKey(year, month, day, key)) {
    for (const An_Appointment* e = days_.Head(key); e != nullptr; e = days_.Next(e)) {
      if (e->noHighlight == 0) return true;
    }
    return false;
  }
  for (const An_Appointment* e : oddDays_) {
    if (e->year_ == year && e->month_ == month && e->day_ == day && e->noHighlight == 0) {
      return true;
    }
  }
  return false;
}

An_Appointment* All_Appointments::NextAppointmentAfter(Moment moment) const {
  if (KnownSorted()) {  // the first later one in list order is found by halving
    const auto it = std::upper_bound(list_.begin(), list_.end(), moment,
                                     [](Moment m, const EntryPtr& e) { return m < e->time; });
    return it == list_.end() ? nullptr : it->get();
  }
  for (const auto& e : list_) {
    if (e->time > moment) return e.get();
  }
  return nullptr;
}

An_Appointment* All_Appointments::EntryBefore(const An_Appointment& entry) {
  Sort();
  const Moment t = entry.time;
  const auto after = std::upper_bound(list_.begin(), list_.end(), t,
                                      [](Moment m, const EntryPtr& e) { return m < e->time; });
  const std::ptrdiff_t j = (after - list_.begin()) - 2;
  if (j < 0 || static_cast<std::size_t>(j) >= list_.size()) return nullptr;
  return list_[static_cast<std::size_t>(j)].get();
}

An_Appointment* All_Appointments::FindByReminderTimer(std::uint32_t timerId) const {
  if (timerId == 0) {
    for (const auto& e : list_) {
      if (e->timerId_ == 0) return e.get();
    }
    return nullptr;
  }
  if (!timerIdsShared_) {
    const auto it = armed_.find(timerId);
    return it == armed_.end() ? nullptr : it->second;
  }
  // The platform once handed out an identifier twice: walk the list so the
  // answer stays "the first entry in list order".
  for (const auto& e : list_) {
    if (e->timerId_ == timerId) return e.get();
  }
  return nullptr;
}

// --- Reminders -----------------------------------------------------------------

void All_Appointments::ReArm(bool live) {
  MomentCache cache;
  CalendarFields today;
  const bool knowToday = LocalFields(context_.clock.Now(), today);
  const std::int64_t todayNumber = DayNumber(today.year, today.month, today.day);
  for (std::size_t i = 0; i < list_.size(); ++i) {
    An_Appointment& e = *list_[i];
    if ((e.timerId_ != 0) != live) continue;
    // Arming an idle entry that has no reminder, or whose date lies far
    // from today, would only compute its time again, which every change
    // of its key already did: passed over, so the 23-hourly pass costs
    // little in a large book.
    if (!live && (e.reminderMinutes == -1 || e.reminderOn == 0 ||
                  (knowToday && !e.MayComeDueAround(todayNumber)))) {
      continue;
    }
    try {
      e.ArmReminder(&cache);
    } catch (const CalendarError&) {
      // An entry whose key does not convert keeps its state; the others go on.
    }
  }
}

void All_Appointments::ReArmIdleReminders() { ReArm(false); }

void All_Appointments::ReArmAllReminders(std::int64_t missedSince) {
  const std::int64_t now = context_.clock.Now();
  MomentCache cache;  // made after the change: it holds the zone's offsets
  for (std::size_t i = 0; i < list_.size(); ++i) {
    An_Appointment& e = *list_[i];
    if (e.timerId_ == 0 && !e.Reminds()) continue;
    try {
      e.ArmReminder(&cache);
    } catch (const CalendarError&) {
      continue;
    }
    e.ArmMissed(missedSince, now);
  }
}
void All_Appointments::ReArmLiveReminders() { ReArm(true); }

// --- Deleting ------------------------------------------------------------------

void All_Appointments::Destroy(An_Appointment& entry) {
  const std::size_t p = IndexOf(entry);
  if (p >= list_.size()) return;
  entry.CancelReminder();
  Unlink(entry);
  ForgetTimeChange(entry);
  list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(p));
}

void All_Appointments::Delete(An_Appointment& entry, bool askAboutRepeats, int* removedCount) {
  An_Appointment* e = &entry;
  while (e != nullptr) {
    const Moment t = e->time;
    if (askAboutRepeats && e->repeatKind != 0) AskDeleteRepeats(*e);
    if (IndexOf(*e) < list_.size()) {
      Destroy(*e);
      if (removedCount != nullptr) ++*removedCount;
    }
    Sort();
    e = NextAppointmentAfter(t);
    if (e == nullptr) break;
    // A continuation: "continued" at position 2 or later of its text.
    const std::size_t at = e->text.find("continued");
    if (at == std::string::npos || at < 2) break;
    if (e->repeatKind != 0 && !askAboutRepeats) break;
  }
}

namespace {

std::string Trimmed(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

}  // namespace

void All_Appointments::AskDeleteRepeats(An_Appointment& entry) {
  const std::string question =
      "You have deleted a datebook entry which repeats.\n Delete the other \"" + entry.text +
      "\" repeating entries in this time slot as well?";
  if (context_.prompts.Show(question, kPromptCaption, PromptButtons::YesNo, PromptIcon::Question) !=
      PromptAnswer::Yes) {
    return;
  }
  RemoveWhere([&entry](An_Appointment& b) {
    if (&b == &entry) return false;
    if (b.repeatKind == kRepeatWeekly && b.weekdayText != entry.weekdayText) return false;
    if (b.repeatKind != entry.repeatKind || b.hour_ != entry.hour_ || b.minute_ != entry.minute_) {
      return false;
    }
    const std::size_t at = b.text.find(entry.text);
    if (at == std::string::npos) return false;
    if (b.text == entry.text) return true;
    // Only part of b's text (a load merged other text into it): b stays
    // as a plain entry with the rest of its text.
    b.text = Trimmed(b.text.erase(at, entry.text.size()));
    b.repeatKind = kRepeatNone;
    return false;
  });
  Sort();
}

void All_Appointments::DeleteDay(int year, int month, int day) {
  Sort();
  RemoveWhere([&](const An_Appointment& e) {
    return e.year_ == year && e.month_ == month && e.day_ == day;
  });
  Sort();
}

void All_Appointments::DeleteYear(int year) {
  Sort();
  RemoveWhere([&](const An_Appointment& e) { return e.year_ == year; });
  Sort();
}

}  // namespace store
