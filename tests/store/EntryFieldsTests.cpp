// Every field of an entry reaches each copy of it: the book's copy and the
// data file's record merged back into a book. The size checks fail when an
// entry or a record gains a field: add it to test_common::StoredFields and
// to every place that lists the fields one by one (All_Appointments::
// CreateCopy, EncodeRecord, DecodeRecord, All_Appointments::MergeRecord, the
// text import's ParseFields and the shell's book fingerprint).
#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "common/Records.h"
#include "store/DataFile.h"

using namespace store;
using test_common::StoredFields;

namespace {

#if defined(__x86_64__) && defined(__GLIBCXX__)
static_assert(sizeof(An_Appointment) == 224, "an entry gained or lost a field");
static_assert(sizeof(AppointmentRecord) == 176, "a record gained or lost a field");
#endif

class EntryFieldsTest : public BookFixture {
 protected:
  EntryFieldsTest() {
    // Every field away from its default, the reminder switched off (copies
    // switch it on).
    source_.SetSlot(2026, 11, 30, 23, 45, "Dentist");
    source_.SetRepeat(kRepeatMonthlyByWeekday, "3rd", "Sundays", 29);
    SetOtherFields(source_);
    source_.repeatUntil = 1900000000;
    source_.ArmReminder();
  }

  // The source as a copy shows it: every field, the reminder on.
  std::string CopiedFields() {
    source_.reminderOn = 1;
    const std::string fields = StoredFields(source_);
    source_.reminderOn = 0;
    return fields;
  }

  An_Appointment& source_ = book_.Create();
};

}  // namespace

TEST_F(EntryFieldsTest, TheBooksCopyHasEveryField) {
  for (const auto sorting : {All_Appointments::Sorting::Now, All_Appointments::Sorting::Later}) {
    const An_Appointment& copy = book_.CreateCopy(source_, sorting);
    EXPECT_EQ(StoredFields(copy), CopiedFields());
  }
}

TEST_F(EntryFieldsTest, TheDataFilesRecordCarriesEveryField) {
  source_.reminderOn = 1;
  unsigned char bytes[kRecordSize];
  EncodeRecord(source_, bytes);
  AppointmentRecord record;
  DecodeRecord(bytes, record);

  All_Appointments other(world_.Context());
  ASSERT_TRUE(other.AddRecord(record));
  EXPECT_EQ(StoredFields(other.At(0)), StoredFields(source_));
}

TEST_F(EntryFieldsTest, TheBookSortsACopyOnlyWhenAskedTo) {
  // The source sorts after an earlier entry only when the book sorts.
  An_Appointment& earlier = book_.Create();
  earlier.SetSlot(2026, 1, 1, 8, 0, "New Year");
  earlier.ArmReminder();
  book_.Sort();
  ASSERT_EQ(&book_.At(0), &earlier);

  source_.SetDate(2025, 1, 1);
  source_.ArmReminder();
  book_.CreateCopy(source_, All_Appointments::Sorting::Later);
  EXPECT_EQ(book_.At(2).text, "Dentist") << "appended, not yet sorted";
  book_.CreateCopy(source_);
  EXPECT_EQ(book_.At(0).year(), 2025) << "sorted";
  EXPECT_EQ(book_.At(1).year(), 2025);
  EXPECT_EQ(book_.At(2).year(), 2025);
}
