// The data file: the record, loading with the merge rule, the weekday backup
// copies, the one-time adoption, and saving.
#include "store/DataFile.h"

#include <cstring>
#include <vector>

#include "store/AppointmentBook.h"
#include "store/FixedFields.h"
#include "store/SafeFile.h"

namespace lumetta {

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
};

constexpr std::size_t kRecordsPerChunk = 320;  // 65,280 bytes per read or write

}  // namespace

const char* WeekdayBackupName(int weekday) {
    static const char* const kNames[7] = {"Lumetta.Sun.bin", "Lumetta.Mon.bin", "Lumetta.Tue.bin",
                                          "Lumetta.Wed.bin", "Lumetta.Thur.bin", "Lumetta.Fri.bin",
                                          "Lumetta.Sat.bin"};
    return kNames[weekday >= 0 && weekday <= 6 ? weekday : 0];
}

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
    PutInt32(r + kOffTime, e.time);
    PutInt32(r + kOffReminderMinutes, e.reminderMinutes);
    char* text = reinterpret_cast<char*>(r);
    CopyToField(text + kOffWeekOrdinal, kWeekOrdinalChars + 1, e.weekOrdinal);
    CopyToField(text + kOffWeekdayText, kWeekdayTextChars + 1, e.weekdayText);
    CopyToField(text + kOffText, kTextChars + 1, e.text);
    PutInt32(r + kOffDayBefore, e.dayBefore);
    PutInt32(r + kOffRed, RedOf(e.colour));
    PutInt32(r + kOffGreen, GreenOf(e.colour));
    PutInt32(r + kOffBlue, BlueOf(e.colour));
    PutInt32(r + kOffRepeatUntil, e.repeatUntil);
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
    out.weekOrdinal = ReadField(text + kOffWeekOrdinal, kWeekOrdinalChars + 1);
    out.weekdayText = ReadField(text + kOffWeekdayText, kWeekdayTextChars + 1);
    out.text = ReadField(text + kOffText, kTextChars + 1);
    out.dayBefore = GetInt32(r + kOffDayBefore);
    out.colour = MakeColour(GetInt32(r + kOffRed), GetInt32(r + kOffGreen), GetInt32(r + kOffBlue));
    out.repeatUntil = GetInt32(r + kOffRepeatUntil);
    out.reminderOn = GetInt32(r + kOffReminderOn);
    out.tildeFlag = GetInt32(r + kOffTildeFlag);
    out.noHighlight = GetInt32(r + kOffNoHighlight);
}

// --- Loading -----------------------------------------------------------------

bool All_Appointments::AddRecord(const AppointmentRecord& r, MomentCache* cache) {
    // A record that cannot be turned into a moment (month 13, hour 99, a year
    // before 1970...) is refused; the rest of the file still loads.
    Moment ignored = 0;
    const bool converts = cache != nullptr
                              ? cache->TryConvert(r.year, r.month, r.day, r.hour, r.minute, ignored)
                              : TryMakeTime(r.year, r.month, r.day, r.hour, r.minute, ignored);
    if (!converts) return false;

    if (An_Appointment* existing = FindAt(r.year, r.month, r.day, r.hour, r.minute)) {
        if (existing->text.find(r.text) == std::string::npos) {
            existing->text += ' ';
            existing->text += r.text;
            if (existing->text.size() > kMergedTextChars) existing->text.resize(kMergedTextChars);
        }
        return false;
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
    e.ArmReminder(cache);  // converts: checked above
    context_.notices.DayChanged(r.year, r.month, r.day);
    return true;
}

All_Appointments::LoadOutcome All_Appointments::LoadFile(const std::string& path) {
    if (!context_.files.Exists(path)) return LoadOutcome::Missing;
    const std::unique_ptr<InputFile> in = context_.files.OpenRead(path);
    if (!in) return LoadOutcome::Unreadable;

    // Room for every record of the file (a hint: merged records need none).
    const std::uint64_t records = in->SizeHint() / kRecordSize;
    if (records > 0 && records < (std::uint64_t{1} << 26)) Reserve(static_cast<std::size_t>(records));

    MomentCache cache;
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
            AddRecord(record, &cache);
        }
        std::memmove(buffer.data(), buffer.data() + at, have - at);
        have -= at;
    }
    // A trailing partial record is ignored.
    return in->Failed() ? LoadOutcome::Unreadable : LoadOutcome::Loaded;
}

void All_Appointments::Reserve(std::size_t more) {
    list_.reserve(list_.size() + more);
    slots_.Reserve(list_.size() + more);
}

bool All_Appointments::LoadDataFile(const std::string& path) {
    return LoadFile(path) != LoadOutcome::Missing;
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
        if (LoadFile(path) == LoadOutcome::Unreadable) unreadDataFile_ = path;
        return true;
    }
    // An older version's data file in the current folder is adopted once.
    if (files.Exists(kDataFileName)) {
        switch (LoadFile(kDataFileName)) {
            case LoadOutcome::Loaded:
                files.Rename(kDataFileName, kAdoptedDataFileName);  // failure ignored
                return true;
            case LoadOutcome::Unreadable:
                unreadDataFile_ = kDataFileName;  // keep it where it is; see Save
                return true;
            case LoadOutcome::Missing:
                return false;
        }
    }
    if (importOldText) importOldText();
    return true;
}

// --- Saving ------------------------------------------------------------------

bool All_Appointments::WriteBook(const std::string& path, int* written) {
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
    if (!ok) {
        context_.prompts.Show(
            "Lumetta had a problem saving your appointment data, unable to open file: " + path,
            kPromptCaption, PromptButtons::Ok, PromptIcon::None);
        count = 0;
    }
    if (written != nullptr) *written = count;
    return ok;
}

bool All_Appointments::SaveTo(const std::string& path) { return WriteBook(path, nullptr); }

bool All_Appointments::Save() {
    if (!unreadDataFile_.empty()) {
        // The data file could not be read at start-up: merge it first when it
        // can be read now, and never replace it by this smaller book otherwise.
        if (LoadFile(unreadDataFile_) == LoadOutcome::Unreadable) return SaveBesideUnreadFile();
        unreadDataFile_.clear();
    }
    return SaveTo(context_.paths.DataFilePath(kDataFileName, true));
}

bool All_Appointments::SaveBesideUnreadFile() {
    const std::string side = FolderOf(unreadDataFile_) + kUnsavedDataFileName;
    if (!mergedSideFile_ && context_.files.Exists(side)) {
        // Left by an earlier run in the same state: carry its entries forward.
        if (LoadFile(side) == LoadOutcome::Unreadable) {
            context_.prompts.Show(
                "Lumetta had a problem saving your appointment data, unable to open file: " + side,
                kPromptCaption, PromptButtons::Ok, PromptIcon::None);
            return false;
        }
    }
    mergedSideFile_ = true;
    if (!WriteBook(side, nullptr)) return false;
    if (!toldAboutUnreadFile_) {
        toldAboutUnreadFile_ = true;
        context_.prompts.Show(
            "Lumetta could not read its data file:\n" + unreadDataFile_ +
                "\n\nThat file has been left untouched. Your appointments have been saved to:\n" +
                side +
                "\n\nWhen the data file can be read again, restore this file from the Backup "
                "dialog to merge the two.",
            kPromptCaption, PromptButtons::Ok, PromptIcon::Warning);
    }
    return true;
}

bool All_Appointments::WriteBackup(const std::string& folderWithSeparator) {
    const std::string path = folderWithSeparator + kDataFileName;
    int written = 0;
    if (!WriteBook(path, &written)) return false;
    context_.prompts.Show("Wrote " + std::to_string(written) + " entries to the backup file \"" +
                              path + "\"",
                          kPromptCaption, PromptButtons::Ok, PromptIcon::Information);
    return true;
}

}  // namespace lumetta
