// The set-up the store's tests share: fakes of the whole platform (files in
// memory), a book of entries over them in a fixed time zone, and bytes
// written by hand for the tests of a file layout.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "TimeZone.h"
#include "common/Fakes.h"
#include "store/AppointmentBook.h"

// Fakes of the platform in a fixed time zone; the book's tests add a book.
class WorldFixture : public ::testing::Test {
 protected:
  explicit WorldFixture(const char* zone = "UTC") : tz_(zone) {}

  std::string& File(const std::string& path) { return world_.files.files[path]; }
  bool HasFile(const std::string& path) const { return world_.files.files.count(path) != 0; }
  // The text of the last message shown, "" when none was.
  std::string LastMessage() const {
    return world_.prompts.shown.empty() ? std::string() : world_.prompts.shown.back().text;
  }

  // Exactly one message was shown: this text, with these buttons and icon.
  void ExpectOnlyMessage(const std::string& text,
                         store::PromptButtons buttons = store::PromptButtons::Ok,
                         store::PromptIcon icon = store::PromptIcon::None) const {
    ASSERT_EQ(world_.prompts.shown.size(), 1u);
    EXPECT_EQ(world_.prompts.shown[0].text, text);
    EXPECT_EQ(world_.prompts.shown[0].buttons, buttons);
    EXPECT_EQ(world_.prompts.shown[0].icon, icon);
  }

  ScopedTimeZone tz_;
  fakes::FakeWorld world_;
};

// A book over the fakes.
class BookFixture : public WorldFixture {
 protected:
  explicit BookFixture(const char* zone = "UTC") : WorldFixture(zone) {}

  // A new entry in the slot with the text and repeat kind, its reminder armed.
  store::An_Appointment& Add(int y, int m, int d, int h, int min, const std::string& text,
                             int kind = store::kRepeatNone) {
    return AddTo(book_, y, m, d, h, min, text, kind);
  }
  static store::An_Appointment& AddTo(store::All_Appointments& book, int y, int m, int d, int h,
                                      int min, const std::string& text,
                                      int kind = store::kRepeatNone) {
    store::An_Appointment& e = book.Create();
    e.SetSlot(y, m, d, h, min, text);
    e.repeatKind = kind;
    e.ArmReminder();
    return e;
  }

  // Every field that neither the slot nor the repeat rule sets, away from its
  // default; the reminder switched off (a copy switches it on).
  static void SetOtherFields(store::An_Appointment& e) {
    e.reminderMinutes = 45;
    e.reminderOn = 0;
    e.dayBefore = 1;
    e.tildeFlag = 1;
    e.noHighlight = 1;
    e.colour = store::MakeColour(200, 100, 50);
  }

  // The entries' texts in list order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const store::An_Appointment& e : book_) out.push_back(e.text);
    return out;
  }

  store::All_Appointments book_{world_.Context()};
};

// Little-endian int32 values at their offsets, written by hand, independent
// of the writer, for the tests of a layout itself.
inline void PutInts(std::string& bytes,
                    std::initializer_list<std::pair<std::size_t, std::int32_t>> values) {
  for (const auto& [at, v] : values) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  }
}

inline void PutText(std::string& bytes, std::size_t at, const std::string& s) {
  bytes.replace(at, s.size(), s);
}
