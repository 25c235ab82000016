// The appointment book: the one list of all entries, in time order after
// every Sort. It owns the entries; only its delete operations destroy them.
// Lookups are answered from indexes by slot and by day, and give exactly
// what a walk of the list in its current order would give.
#pragma once

#include <cstddef>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/Appointment.h"
#include "store/EntryIndex.h"
#include "store/EntryPool.h"
#include "store/StoreContext.h"

namespace store {

struct AppointmentRecord;

// What an expired reminder timer asks for (All_Appointments::FireReminder).
struct ReminderDue {
  An_Appointment* entry = nullptr;  // the entry whose reminder is due; nullptr: nothing to do
  bool popUp = false;               // reminders are enabled: show its pop-up
};

class All_Appointments {
  // Destroys an entry and gives its memory back to its book's pool.
  struct EntryDeleter {
    void operator()(An_Appointment* e) const;
  };
  using EntryPtr = std::unique_ptr<An_Appointment, EntryDeleter>;

 public:
  explicit All_Appointments(const StoreContext& context);
  ~All_Appointments();
  All_Appointments(const All_Appointments&) = delete;
  All_Appointments& operator=(const All_Appointments&) = delete;

  const StoreContext& context() const { return context_; }

  // The code page the entries' texts are written in (CodePage.h): what
  // exchange with UTF-8 files converts through. 1252 until told.
  int codePage() const { return codePage_; }
  void SetCodePage(int codePage) { codePage_ = codePage; }

  // --- Making entries -----------------------------------------------------

  // A new entry with the defaults (reminder minutes from the settings, a
  // setting below -1 giving 1; colour `fore`), appended to the end of the
  // list without sorting.
  An_Appointment& Create();
  // A copy of every field of `source` except timerId (0) and reminderOn
  // (1), appended; then the book is sorted, unless the caller sorts once
  // after making many copies (Sorting::Later).
  enum class Sorting { Now, Later };
  An_Appointment& CreateCopy(const An_Appointment& source, Sorting sorting = Sorting::Now);

  // --- The list -----------------------------------------------------------

  std::size_t Count() const { return list_.size(); }
  bool Empty() const { return list_.empty(); }
  An_Appointment& At(std::size_t position) const { return *list_[position]; }

  class Iterator {
   public:
    using Inner = std::vector<EntryPtr>::const_iterator;
    explicit Iterator(Inner it) : it_(it) {}
    An_Appointment& operator*() const { return **it_; }
    An_Appointment* operator->() const { return it_->get(); }
    Iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator!=(const Iterator& o) const { return it_ != o.it_; }
    bool operator==(const Iterator& o) const { return it_ == o.it_; }

   private:
    Inner it_;
  };
  // List order: for (An_Appointment& e : book) ...
  Iterator begin() const { return Iterator(list_.begin()); }
  Iterator end() const { return Iterator(list_.end()); }

  // Orders the list by ascending time; entries of equal time keep their
  // relative order.
  void Sort();

  // --- Lookups ------------------------------------------------------------

  // The first entry in list order with this key, skipping `skip`.
  An_Appointment* FindAt(int year, int month, int day, int hour, int minute,
                         const An_Appointment* skip = nullptr) const;
  // The first (or with `last`, the last) entry of that date in list order.
  An_Appointment* FindOnDay(int year, int month, int day, bool last = false) const;
  // Some entry of that date has noHighlight 0.
  bool HasHighlightedEntryOn(int year, int month, int day) const;
  // The first entry in list order whose time is later than the moment.
  An_Appointment* NextAppointmentAfter(Moment moment) const;
  // Sorts, then the entry just before `entry` in time order.
  An_Appointment* EntryBefore(const An_Appointment& entry);
  // The first entry whose reminder timer has this identifier.
  An_Appointment* FindByReminderTimer(std::uint32_t timerId) const;

  // --- Reminders (an entry whose key does not convert is passed over) -------

  void ReArmIdleReminders();  // ArmReminder on every entry without a timer
  void ReArmLiveReminders();  // ArmReminder on every entry with a timer
  // After the clock or the time zone changed, or the machine woke up: every
  // entry's time is computed anew and its timer started afresh from the
  // current clock; a reminder whose moment passed after `missedSince` (and
  // that was not shown) fires at once.
  void ReArmAllReminders(std::int64_t missedSince);
  // The moment the last run ended: entries loaded afterwards whose
  // reminder came before it are not shown late.
  void SetRemindersSeenUntil(std::int64_t moment) { remindersSeenUntil_ = moment; }

  // The bookkeeping of an expired reminder timer: stops it and finds its
  // entry. A timer that came more than a minute early shows nothing and
  // the entry is armed again (so it keeps a live timer). Otherwise the
  // entry is left without a timer; a reminder of 60 minutes or more becomes
  // one at the entry's own time (reminderMinutes 0, armed again). The
  // caller shows the entry's pop-up when `popUp` is set.
  ReminderDue FireReminder(std::uint32_t timerId);

  // --- Deleting -----------------------------------------------------------

  // Deletes the entry and the "continued" entries that follow it in time
  // order; with `askAboutRepeats`, asks about the other copies of a
  // repeating entry first. Adds each destroyed entry to *removedCount.
  void Delete(An_Appointment& entry, bool askAboutRepeats, int* removedCount = nullptr);
  // The repeat question of Delete, and its effect on Yes.
  void AskDeleteRepeats(An_Appointment& entry);
  void DeleteDay(int year, int month, int day);
  void DeleteYear(int year);
  // Takes one entry out of the book and destroys it: nothing else is touched
  // and the book is not sorted (a dropped repeat copy).
  void Destroy(An_Appointment& entry);

  // --- The data file (DataFile.cpp) ----------------------------------------

  // Start-up load: the weekday backup copy, then the data file; or the data
  // file of the current folder (adopted once, then renamed
  // "Lumetta.old.bin"); or, with neither, `importOldText` (the old text
  // format's import, run without messages). False only when the current
  // folder's file vanished while it was being read.
  bool LoadAtStartup(const std::function<void()>& importOldText);
  enum class LoadOutcome {
    Missing,     // no file at the path
    Loaded,      // read to its end
    Unreadable,  // could not be opened, or a read failed part-way
    TooLarge,    // far larger than any data file: not read at all
  };
  struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Missing;
    std::size_t records = 0;  // records taken into the book (made or merged)
  };
  // Merges every record of the file into the book and says how far it got.
  LoadResult ReadDataFile(const std::string& path);
  // ReadDataFile; false only when no file exists.
  bool LoadDataFile(const std::string& path);

  enum class RecordFate { Refused, Merged, Made };
  // The merge rule for one record. A record whose date or time cannot be
  // converted is refused (no change).
  RecordFate MergeRecord(const AppointmentRecord& record, MomentCache* cache = nullptr);
  // MergeRecord: true when a new entry was made.
  bool AddRecord(const AppointmentRecord& record, MomentCache* cache = nullptr) {
    return MergeRecord(record, cache) == RecordFate::Made;
  }
  // Writes the book to the data file. When the data file found at start-up
  // could not be read, it is read again and merged first; while it still
  // cannot be read it is left alone and the book goes to the side file
  // "Lumetta.unsaved.bin" beside it, or in the data folder when that folder
  // cannot be written (the user is told once where both are). Once the data
  // file has been written, the side files taken into the book are removed
  // (the user is told once).
  bool Save();
  // Writes every entry whose key converts to a moment, safely; an empty book
  // deletes the file. Shows the failure message when it cannot write.
  bool SaveTo(const std::string& path);
  // SaveTo (folder + "Lumetta.bin") and the "Wrote %d entries" message.
  // Nothing is written, and the user is told why, while the data file could
  // not be read (the book holds only part of the appointments) or when no
  // entry would be written: an existing backup is never replaced by those.
  bool WriteBackup(const std::string& folderWithSeparator);

  // True while the data file found at start-up could not be read; saves
  // then leave it alone (see Save).
  bool DataFileUnread() const { return !unreadDataFile_.empty(); }
  // True while the book holds entries of a side file that the data file
  // does not hold yet.
  bool SideFilePending() const { return !sideFiles_.empty(); }

 private:
  friend class An_Appointment;
  friend class EntryTime;

  // List order labels: spaced kOrderGap apart, halved on insertion.
  static constexpr std::uint64_t kOrderGap = std::uint64_t{1} << 32;
  static constexpr std::uint64_t kLastOrder = ~std::uint64_t{0};
  // Up to this many entries out of order are inserted one by one by Sort.
  static constexpr std::size_t kFewOutOfOrder = 8;

  // A new entry with every field at its default, in no list yet.
  EntryPtr NewEntry();
  An_Appointment& Append(EntryPtr entry);
  An_Appointment& CreateAt(int year, int month, int day, int hour, int minute);
  void InsertAt(std::size_t at, EntryPtr entry);
  void Relabel();
  // The entry's position in the list, or Count() when it is not in it.
  std::size_t IndexOf(const An_Appointment& e) const;
  void Link(An_Appointment& e);
  void Unlink(An_Appointment& e);
  void Rekey(An_Appointment& e, int year, int month, int day, int hour, int minute);
  void NoteTimer(An_Appointment& e, std::uint32_t oldId);
  // Marks an entry that may stand out of time order (new, or its time changed).
  void TimeChanged(An_Appointment& e);
  void ForgetTimeChange(An_Appointment& e);
  bool KnownSorted() const { return !manyTimesChanged_ && timesChanged_.empty(); }
  void SortChanged();
  void ReArm(bool live);
  // Removes every entry for which `doomed` holds, keeping the order of the rest.
  template <typename Pred>
  std::size_t RemoveWhere(Pred doomed);

  // MergeRecord; in a pass over many records, `passNow` is the clock read
  // once for all of them (nullptr: read for each entry with a reminder).
  RecordFate Merge(const AppointmentRecord& record, MomentCache* cache, const Moment* passNow);
  void Reserve(std::size_t more);
  // Writes the records (an empty book removes the file); no message.
  bool WriteRecords(const std::string& path, int* written);
  // WriteRecords, with the failure message.
  bool WriteBook(const std::string& path, int* written);
  void ShowSaveFailure(const std::string& path);
  void LoadSideFiles(const std::string& dataFile);
  bool SaveBesideUnreadFile();
  void RemoveMergedSideFiles();

  StoreContext context_;
  int codePage_ = 1252;
  EntryPool pool_;  // before list_: outlives the entries
  std::vector<EntryPtr> list_;
  KeyedChains slots_{KeyedChains::Links::Slot};
  KeyedChains days_{KeyedChains::Links::Day};
  // Entries whose key has no index key (fields outside 0..255).
  std::vector<An_Appointment*> oddSlots_;
  std::vector<An_Appointment*> oddDays_;
  std::unordered_map<std::uint32_t, An_Appointment*> armed_;  // timerId -> entry
  // The list without the entries marked time.changed_ is in time order.
  // The marked ones are listed while they are few.
  std::vector<An_Appointment*> timesChanged_;
  bool manyTimesChanged_ = false;
  std::int64_t remindersSeenUntil_ = INT64_MIN;
  bool timerIdsShared_ = false;

  // The data file that existed at start-up but could not be read.
  std::string unreadDataFile_;
  bool toldAboutUnreadFile_ = false;
  // Side files of earlier runs taken into the book at start-up, and the
  // one this run writes: removed once the data file holds their entries.
  std::vector<std::string> sideFiles_;
  std::string sideFile_;
  // A side file that exists but could not be read: never written over.
  std::string unreadSideFile_;
};

}  // namespace store
