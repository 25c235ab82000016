// The data file: the record, loading with the merge rule, the weekday backup
// copies, the one-time adoption, and saving.
#include "store/DataFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "store/AppointmentBook.h"
#include "store/CivilDate.h"
#include "store/FixedFields.h"
#include "store/SafeFile.h"

namespace store {

namespace {

// Record offsets.
enum : std::size_t {
  kOffYear = 0,
  kOffMonth = 4,
  kOffDay = 8,
  kOffHour = 12,
  kOffMinute = 16,
  kOffMonthDay = 20,
  kOffRepeatKind = 24,
  kOffTimerId = 28,
  kOffTime = 32,
  kOffReminderMinutes = 36,
  kOffWeekOrdinal = 40,
  kOffWeekdayText = 45,
  kOffText = 56,
  kOffDayBefore = 160,
  kOffRed = 164,
  kOffGreen = 168,
  kOffBlue = 172,
  kOffRepeatUntil = 176,
  kOffReminderOn = 180,
  kOffTildeFlag = 184,
  kOffNoHighlight = 188,
  kOffWideRepeatUntil = 192,  // in the reserved bytes: see EncodeRecord
};

constexpr std::size_t kRecordsPerChunk = 320;  // 65,280 bytes per read or write

}  // namespace

const char* WeekdayBackupName(int weekday) {
  static const char* const kNames[7] = {"Lumetta.Sun.bin", "Lumetta.Mon.bin",  "Lumetta.Tue.bin",
                                        "Lumetta.Wed.bin", "Lumetta.Thur.bin", "Lumetta.Fri.bin",
                                        "Lumetta.Sat.bin"};
  return kNames[weekday >= 0 && weekday <= 6 ? weekday : 0];
}

namespace {

std::int32_t Clamped32(Moment m) {
  return static_cast<std::int32_t>(std::clamp<Moment>(m, INT32_MIN, INT32_MAX));
}

void PutInt64(unsigned char* p, std::int64_t value) {
  const auto v = static_cast<std::uint64_t>(value);
  PutInt32(p, static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  PutInt32(p + 4, static_cast<std::int32_t>(static_cast<std::uint32_t>(v >> 32)));
}

std::int64_t GetInt64(const unsigned char* p) {
  const std::uint64_t low = static_cast<std::uint32_t>(GetInt32(p));
  const std::uint64_t high = static_cast<std::uint32_t>(GetInt32(p + 4));
  return static_cast<std::int64_t>(low | (high << 32));
}

}  // namespace

// Moments that fit 32 bits are written as they always were, so a file of such
// entries is the same byte for byte. The stored `time` is only ever recomputed
// and is clamped. A repeat end that does not fit keeps its full value in the
// first eight reserved bytes and the largest 32-bit value in the old field
// (past it, the smallest: no end), so that an older version repeats as far as
// it can.
void EncodeRecord(const An_Appointment& e, unsigned char* r) {
  std::memset(r, 0, kRecordSize);
  PutInt32(r + kOffYear, e.year());
  PutInt32(r + kOffMonth, e.month());
  PutInt32(r + kOffDay, e.day());
  PutInt32(r + kOffHour, e.hour());
  PutInt32(r + kOffMinute, e.minute());
  PutInt32(r + kOffMonthDay, e.monthDay);
  PutInt32(r + kOffRepeatKind, e.repeatKind);
  PutInt32(r + kOffTimerId, static_cast<std::int32_t>(e.timerId()));
  PutInt32(r + kOffTime, Clamped32(e.time));
  PutInt32(r + kOffReminderMinutes, e.reminderMinutes);
  char* text = reinterpret_cast<char*>(r);
  CopyToField(text + kOffWeekOrdinal, kWeekOrdinalChars + 1, e.weekOrdinal);
  CopyToField(text + kOffWeekdayText, kWeekdayTextChars + 1, e.weekdayText);
  CopyToField(text + kOffText, kTextChars + 1, e.text);
  PutInt32(r + kOffDayBefore, e.dayBefore);
  PutInt32(r + kOffRed, RedOf(e.colour));
  PutInt32(r + kOffGreen, GreenOf(e.colour));
  PutInt32(r + kOffBlue, BlueOf(e.colour));
  const Moment until = e.repeatUntil;
  PutInt32(r + kOffRepeatUntil, Clamped32(until));
  if (until != Clamped32(until)) PutInt64(r + kOffWideRepeatUntil, until);
  PutInt32(r + kOffReminderOn, e.reminderOn);
  PutInt32(r + kOffTildeFlag, e.tildeFlag);
  PutInt32(r + kOffNoHighlight, e.noHighlight);
}

void DecodeRecord(const unsigned char* r, AppointmentRecord& out) {
  out.year = GetInt32(r + kOffYear);
  out.month = GetInt32(r + kOffMonth);
  out.day = GetInt32(r + kOffDay);
  out.hour = GetInt32(r + kOffHour);
  out.minute = GetInt32(r + kOffMinute);
  out.monthDay = GetInt32(r + kOffMonthDay);
  out.repeatKind = GetInt32(r + kOffRepeatKind);
  out.timerId = static_cast<std::uint32_t>(GetInt32(r + kOffTimerId));
  out.time = GetInt32(r + kOffTime);
  out.reminderMinutes = GetInt32(r + kOffReminderMinutes);
  const char* text = reinterpret_cast<const char*>(r);
  // Assigned in place: a record decoded again and again keeps its strings' room.
  out.weekOrdinal.assign(FieldText(text + kOffWeekOrdinal, kWeekOrdinalChars + 1));
  out.weekdayText.assign(FieldText(text + kOffWeekdayText, kWeekdayTextChars + 1));
  out.text.assign(FieldText(text + kOffText, kTextChars + 1));
  out.dayBefore = GetInt32(r + kOffDayBefore);
  out.colour = MakeColour(GetInt32(r + kOffRed), GetInt32(r + kOffGreen), GetInt32(r + kOffBlue));
  const std::int64_t wideUntil = GetInt64(r + kOffWideRepeatUntil);
  out.repeatUntil = wideUntil != 0 ? wideUntil : GetInt32(r + kOffRepeatUntil);
  out.reminderOn = GetInt32(r + kOffReminderOn);
  out.tildeFlag = GetInt32(r + kOffTildeFlag);
  out.noHighlight = GetInt32(r + kOffNoHighlight);
}

bool RecordDay(const unsigned char* r, std::int64_t& day) {
  const std::int32_t y = GetInt32(r + kOffYear);
  const std::int32_t m = GetInt32(r + kOffMonth);
  const std::int32_t d = GetInt32(r + kOffDay);
  if (m < 1 || m > 12 || d < 1 || d > 31 || y < kFirstCalendarYear || y > kLastCalendarYear) {
    return false;
  }
  day = DayNumber(y, m, d);
  return true;
}

// --- Loading -----------------------------------------------------------------

All_Appointments::RecordFate All_Appointments::MergeRecord(const AppointmentRecord& r,
                                                           MomentCache* cache) {
  return Merge(r, cache, nullptr);
}

All_Appointments::RecordFate All_Appointments::Merge(const AppointmentRecord& r, MomentCache* cache,
                                                     const Moment* passNow) {
  // A record that cannot be turned into a moment (month 13, hour 99, a year
  // before 1970...) is refused; the rest of the file still loads.
  Moment t = 0;
  const bool converts = cache != nullptr
                            ? cache->TryConvert(r.year, r.month, r.day, r.hour, r.minute, t)
                            : TryMakeTime(r.year, r.month, r.day, r.hour, r.minute, t);
  if (!converts) return RecordFate::Refused;

  if (An_Appointment* existing = FindAt(r.year, r.month, r.day, r.hour, r.minute)) {
    if (existing->text.find(r.text) == std::string::npos) {
      existing->text += ' ';
      existing->text += r.text;
      if (existing->text.size() > kMergedTextChars) existing->text.resize(kMergedTextChars);
    }
    return RecordFate::Merged;
  }

  An_Appointment& e = CreateAt(r.year, r.month, r.day, r.hour, r.minute);
  e.text = r.text;
  e.SetRepeat(r.repeatKind, r.weekOrdinal, r.weekdayText, r.monthDay);
  e.dayBefore = r.dayBefore;
  e.colour = r.colour;
  e.repeatUntil = r.repeatUntil;
  e.reminderMinutes = r.reminderMinutes;
  e.reminderOn = r.reminderOn;
  e.tildeFlag = r.tildeFlag;
  e.noHighlight = r.noHighlight;
  // Its reminder was shown when the last run that held it was running.
  e.NoteSeenUntil(t, remindersSeenUntil_);
  if (passNow != nullptr) {
    e.ArmAt(t, *passNow);
  } else {
    e.ArmReminder(cache);
  }
  context_.notices.DayChanged(r.year, r.month, r.day);
  return RecordFate::Made;
}

All_Appointments::LoadResult All_Appointments::ReadDataFile(const std::string& path) {
  LoadResult result;
  if (!context_.files.Exists(path)) return result;
  const std::unique_ptr<InputFile> in = context_.files.OpenRead(path);
  result.outcome = LoadOutcome::Unreadable;
  if (!in) return result;
  if (in->SizeHint() > kLargestDataFileSize) {
    result.outcome = LoadOutcome::TooLarge;
    return result;
  }

  // Room for every record of the file (a hint: merged records need none).
  const std::uint64_t records = in->SizeHint() / kRecordSize;
  if (records > 0) Reserve(static_cast<std::size_t>(records));

  MomentCache cache;
  const Moment now = context_.clock.Now();
  AppointmentRecord record;
  std::vector<unsigned char> buffer(kRecordSize * kRecordsPerChunk);
  std::size_t have = 0;
  for (;;) {
    const std::size_t n = in->Read(buffer.data() + have, buffer.size() - have);
    if (n == 0) break;
    have += n;
    std::size_t at = 0;
    for (; at + kRecordSize <= have; at += kRecordSize) {
      // The slot lookup of a record a few ahead is fetched meanwhile:
      // in a shuffled file every lookup lands somewhere new.
      constexpr std::size_t kAhead = 16 * kRecordSize;
      if (at + kAhead + kRecordSize <= have) {
        const unsigned char* r = buffer.data() + at + kAhead;
        std::uint64_t key = 0;
        if (MakeSlotKey(GetInt32(r), GetInt32(r + 4), GetInt32(r + 8), GetInt32(r + 12),
                        GetInt32(r + 16), key)) {
          slots_.Prefetch(key);
        }
      }
      DecodeRecord(buffer.data() + at, record);
      if (Merge(record, &cache, &now) != RecordFate::Refused) ++result.records;
    }
    std::memmove(buffer.data(), buffer.data() + at, have - at);
    have -= at;
  }
  // A trailing partial record is ignored.
  if (!in->Failed()) result.outcome = LoadOutcome::Loaded;
  return result;
}

void All_Appointments::Reserve(std::size_t more) {
  list_.reserve(list_.size() + more);
  pool_.Reserve(more);
  slots_.Reserve(list_.size() + more);
}

bool All_Appointments::LoadDataFile(const std::string& path) {
  return ReadDataFile(path).outcome != LoadOutcome::Missing;
}

bool All_Appointments::LoadAtStartup(const std::function<void()>& importOldText) {
  FileSystem& files = context_.files;
  const std::string path = context_.paths.DataFilePath(kDataFileName, false);
  if (files.Exists(path)) {
    CalendarFields today;
    LocalFields(context_.clock.Now(), today);
    const std::string backup =
        context_.paths.DataFilePath("", true) + WeekdayBackupName(today.weekday);
    files.CopyReplacing(path, backup);  // a failed copy is ignored
    if (ReadDataFile(path).outcome != LoadOutcome::Loaded) unreadDataFile_ = path;
    LoadSideFiles(path);
    return true;
  }
  // An older version's data file in the current folder is adopted once.
  if (files.Exists(kDataFileName)) {
    switch (ReadDataFile(kDataFileName).outcome) {
      case LoadOutcome::Loaded:
        files.Rename(kDataFileName, kAdoptedDataFileName);  // failure ignored
        break;
      case LoadOutcome::Unreadable:
      case LoadOutcome::TooLarge:
        unreadDataFile_ = kDataFileName;  // keep it where it is; see Save
        break;
      case LoadOutcome::Missing:
        return false;
    }
    LoadSideFiles(kDataFileName);
    return true;
  }
  if (importOldText) importOldText();
  LoadSideFiles(path);
  return true;
}

void All_Appointments::LoadSideFiles(const std::string& dataFile) {
  // An earlier run could not read the data file and kept its book in a side
  // file: its entries belong to the book from the start (reminders, views).
  const std::string beside = FolderOf(dataFile) + kUnsavedDataFileName;
  const std::string inDataFolder = context_.paths.DataFilePath(kUnsavedDataFileName, true);
  for (const std::string& side : {beside, inDataFolder}) {
    if (side == unreadSideFile_ ||
        std::find(sideFiles_.begin(), sideFiles_.end(), side) != sideFiles_.end()) {
      continue;
    }
    switch (ReadDataFile(side).outcome) {
      case LoadOutcome::Missing:
        break;
      case LoadOutcome::Loaded:
        sideFiles_.push_back(side);
        break;
      case LoadOutcome::Unreadable:
      case LoadOutcome::TooLarge:
        unreadSideFile_ = side;
        break;
    }
  }
}

// --- Saving ------------------------------------------------------------------

bool All_Appointments::WriteRecords(const std::string& path, int* written) {
  int count = 0;
  bool ok = true;
  if (list_.empty()) {
    context_.files.Remove(path);  // a missing file is no error
  } else {
    ok = WriteFileSafely(context_.files, path, [&](OutputFile& out) {
      std::vector<unsigned char> chunk(kRecordSize * kRecordsPerChunk);
      std::size_t used = 0;
      for (const auto& entry : list_) {
        const An_Appointment& e = *entry;
        // Every entry whose date converts to a moment is written.
        if (!ConvertsToMoment(e.year(), e.month(), e.day(), e.hour(), e.minute())) continue;
        EncodeRecord(e, chunk.data() + used);
        used += kRecordSize;
        ++count;
        if (used == chunk.size()) {
          if (!out.Write(chunk.data(), used)) return false;
          used = 0;
        }
      }
      return used == 0 || out.Write(chunk.data(), used);
    });
  }
  if (written != nullptr) *written = ok ? count : 0;
  return ok;
}

void All_Appointments::ShowSaveFailure(const std::string& path) {
  context_.prompts.Show(
      "Lumetta had a problem saving your appointment data, unable to open file: " + path,
      kPromptCaption, PromptButtons::Ok, PromptIcon::None);
}

bool All_Appointments::WriteBook(const std::string& path, int* written) {
  const bool ok = WriteRecords(path, written);
  if (!ok) ShowSaveFailure(path);
  return ok;
}

bool All_Appointments::SaveTo(const std::string& path) { return WriteBook(path, nullptr); }

bool All_Appointments::Save() {
  if (!unreadDataFile_.empty()) {
    // The data file could not be read at start-up: merge it first when it
    // can be read now, and never replace it by this smaller book otherwise.
    if (ReadDataFile(unreadDataFile_).outcome != LoadOutcome::Loaded) {
      return SaveBesideUnreadFile();
    }
    unreadDataFile_.clear();
  }
  if (!SaveTo(context_.paths.DataFilePath(kDataFileName, true))) return false;
  RemoveMergedSideFiles();
  return true;
}

bool All_Appointments::SaveBesideUnreadFile() {
  if (sideFile_.empty()) {
    // Beside the unread file; when its folder cannot be written (an older
    // version's file in the program's own folder), in the data folder.
    const std::string beside = FolderOf(unreadDataFile_) + kUnsavedDataFileName;
    const std::string inDataFolder = context_.paths.DataFilePath(kUnsavedDataFileName, true);
    for (const std::string& side : {beside, inDataFolder}) {
      if (side == unreadSideFile_) continue;  // never over a file not read
      if (WriteRecords(side, nullptr)) {
        sideFile_ = side;
        break;
      }
    }
    if (sideFile_.empty()) {
      ShowSaveFailure(unreadSideFile_ == beside ? inDataFolder : beside);
      return false;
    }
  } else if (!WriteBook(sideFile_, nullptr)) {
    return false;
  }
  if (!toldAboutUnreadFile_) {
    toldAboutUnreadFile_ = true;
    context_.prompts.Show(
        "Lumetta could not read its data file:\n" + unreadDataFile_ +
            "\n\nThat file has been left untouched. Your appointments have been saved to:\n" +
            sideFile_ +
            "\n\nWhen the data file can be read again, Lumetta merges the two the next time "
            "it saves.",
        kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
  }
  return true;
}

void All_Appointments::RemoveMergedSideFiles() {
  if (!sideFile_.empty() &&
      std::find(sideFiles_.begin(), sideFiles_.end(), sideFile_) == sideFiles_.end()) {
    sideFiles_.push_back(sideFile_);
  }
  sideFile_.clear();
  if (sideFiles_.empty()) return;
  std::string removed;
  for (const std::string& side : sideFiles_) {
    context_.files.Remove(side);
    removed += "\n" + side;
  }
  sideFiles_.clear();
  context_.prompts.Show(
      "Lumetta can read its data file again. The appointments kept while it could not be read "
      "have been merged into:\n" +
          context_.paths.DataFilePath(kDataFileName, true) +
          "\n\nand this file has been removed:" + removed,
      kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
}

bool All_Appointments::WriteBackup(const std::string& folderWithSeparator) {
  const std::string path = folderWithSeparator + kDataFileName;
  const bool anyToWrite = std::any_of(list_.begin(), list_.end(), [](const auto& e) {
    return ConvertsToMoment(e->year(), e->month(), e->day(), e->hour(), e->minute());
  });
  if (DataFileUnread() || !anyToWrite) {
    std::string why = DataFileUnread()
                          ? "Lumetta did not write a backup: its data file could not be read, "
                            "so only part of your appointments is at hand:\n" +
                                unreadDataFile_
                          : std::string(
                                "Lumetta did not write a backup: there are no entries "
                                "to back up.");
    if (context_.files.Exists(path)) {
      why += "\n\nThe backup file \"" + path + "\" has been left as it is.";
    }
    context_.prompts.Show(why, kPromptCaption, PromptButtons::Ok,
                          DataFileUnread() ? PromptIcon::Warning : PromptIcon::Information);
    return false;
  }
  int written = 0;
  if (!WriteRecords(path, &written)) {
    // Written safely: a backup already there is still whole.
    std::string why = "Lumetta could not write the backup file \"" + path +
                      "\": that folder cannot be written to.\nPlease choose another folder with "
                      "the Location button, for example a folder in your Documents folder.";
    if (context_.files.Exists(path)) why += "\n\nThe backup already there has been left as it is.";
    context_.prompts.Show(why, kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
    return false;
  }
  context_.prompts.Show(
      "Wrote " + std::to_string(written) + " entries to the backup file \"" + path + "\"",
      kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
  return true;
}

}  // namespace store
