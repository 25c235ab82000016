// Scheduling a to-do line into the day planner through the scheduling
// dialog: the proposed slot, the chosen time rounded up (the date follows
// past midnight), taken slots passed over, the remove box, dates the
// calendar refuses, and a planner of that day with a slot being typed.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ToDoFixture.h"
#include "store/AppointmentBook.h"
#include "support/DialogWatcher.h"
#include "support/WindowText.h"
#include "todo/ScheduleDialog.h"

using testing_support::SendCommand;
using todo::ToDo;
using todo_test::ToDoWindowTest;

namespace {

struct Slot {
  int year, month, day, hour, minute;
};

std::string Shown(const Slot& s) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", s.year, s.month, s.day, s.hour,
                s.minute);
  return text;
}

Slot PickerSlot(HWND dialog, int id) {
  SYSTEMTIME st = {};
  SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return Slot{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute};
}

void SetPicker(HWND dialog, int id, const Slot& s) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(s.year);
  st.wMonth = static_cast<WORD>(s.month);
  st.wDay = static_cast<WORD>(s.day);
  st.wHour = static_cast<WORD>(s.hour);
  st.wMinute = static_cast<WORD>(s.minute);
  SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

// What the dialog showed when it opened, and its date once OK was pressed.
struct DialogSeen {
  std::string caption;
  std::string proposedDate;
  std::string proposedTime;
  bool removeChecked = true;
  std::string dateAfterOk;
};

class ToDoScheduleTest : public ToDoWindowTest {
 protected:
  void SetUp() override {
    ToDoWindowTest::SetUp();
    host.planners.diary.SetNow(2025, 3, 7, 14, 7);
  }

  void Take(const std::vector<Slot>& slots) {
    for (const Slot& s : slots) {
      host.planners.diary.Add(s.year, s.month, s.day, s.hour, s.minute, "taken");
    }
  }

  // Schedules the selected line: `choose` (when given) sets the pickers,
  // then OK is pressed; the dialog's state is recorded.
  DialogSeen Schedule(const std::function<void(HWND)>& choose, bool remove = false) {
    DialogSeen seen;
    watcher_.Then([&](const testing_support::SeenDialog& d) {
      seen.caption = d.caption;
      const Slot date = PickerSlot(d.hwnd, IDC_SCHEDULE_DATE);
      const Slot time = PickerSlot(d.hwnd, IDC_SCHEDULE_TIME);
      seen.proposedDate = Shown({date.year, date.month, date.day, 0, 0}).substr(0, 10);
      seen.proposedTime = Shown(time).substr(11);
      seen.removeChecked = IsDlgButtonChecked(d.hwnd, IDC_SCHEDULE_REMOVE) == BST_CHECKED;
      if (choose) choose(d.hwnd);
      if (remove) CheckDlgButton(d.hwnd, IDC_SCHEDULE_REMOVE, BST_CHECKED);
      SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      if (IsWindow(d.hwnd)) {
        seen.dateAfterOk = Shown(PickerSlot(d.hwnd, IDC_SCHEDULE_DATE)).substr(0, 10);
      }
      return 0;  // closed by the OK above
    });
    SendCommand(ToDo::Current()->Handle(), ID_SCHEDULE);
    testing_support::PumpPending(&loop);
    return seen;
  }

  static std::function<void(HWND)> Choose(const Slot& s) {
    return [s](HWND dialog) {
      SetPicker(dialog, IDC_SCHEDULE_DATE, s);
      SetPicker(dialog, IDC_SCHEDULE_TIME, s);
    };
  }

  // Where the book holds that text, in time order.
  std::vector<std::string> SlotsOf(const std::string& text) {
    std::vector<std::string> slots;
    for (const store::An_Appointment& e : host.planners.diary.book) {
      if (e.text == text) {
        slots.push_back(Shown({e.year(), e.month(), e.day(), e.hour(), e.minute()}));
      }
    }
    return slots;
  }

  testing_support::DialogWatcher watcher_;
};

struct ChoiceCase {
  const char* name;
  std::vector<Slot> taken;
  Slot chosen;
  std::string filedAt;
  std::string dateAfterOk;
};

TEST_F(ToDoScheduleTest, TheChosenTimeIsRoundedUpAndPastTakenSlots) {
  const std::vector<ChoiceCase> cases = {
      {"9:30 free stays", {}, {2025, 3, 10, 9, 30}, "2025-03-10 09:30", "2025-03-10"},
      {"9:10 goes to 9:30", {}, {2025, 3, 11, 9, 10}, "2025-03-11 09:30", "2025-03-11"},
      {"9:40 taken 10:00",
       {{2025, 3, 12, 10, 0}},
       {2025, 3, 12, 9, 40},
       "2025-03-12 10:30",
       "2025-03-12"},
      {"23:45 is midnight", {}, {2025, 3, 13, 23, 45}, "2025-03-14 00:00", "2025-03-14"},
      {"23:30 taken crosses midnight",
       {{2025, 3, 15, 23, 30}},
       {2025, 3, 15, 23, 30},
       "2025-03-16 00:00",
       "2025-03-15"},
  };
  ASSERT_NE(nullptr, Open());
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    Take(c.taken);
    SendMessageA(Editor(), EM_SETSEL, 0, -1);
    Type(c.name);
    const DialogSeen seen = Schedule(Choose(c.chosen));
    EXPECT_EQ(c.dateAfterOk, seen.dateAfterOk);
    EXPECT_EQ(std::vector<std::string>{c.filedAt}, SlotsOf(c.name));
  }
  EXPECT_EQ(static_cast<int>(cases.size()), host.scheduled);
}

TEST_F(ToDoScheduleTest, TheDialogProposesTheFirstFreeSlotFromNowAndNamesTheLine) {
  Take({{2025, 3, 7, 14, 30}, {2025, 3, 7, 15, 0}});
  ASSERT_NE(nullptr, Open());
  Type("Water the plants");
  const DialogSeen seen = Schedule(nullptr);
  EXPECT_EQ("Scheduling Water the plants", seen.caption);
  EXPECT_EQ("2025-03-07", seen.proposedDate);
  EXPECT_EQ("15:30", seen.proposedTime);
  EXPECT_FALSE(seen.removeChecked);
  EXPECT_EQ(std::vector<std::string>{"2025-03-07 15:30"}, SlotsOf("Water the plants"));
}

TEST_F(ToDoScheduleTest, WithoutTheRemoveBoxTheLineStaysAndASecondTimeLandsInTheNextSlot) {
  ASSERT_NE(nullptr, Open());
  Type("Stretch");
  Schedule(Choose({2025, 3, 8, 9, 30}));
  Schedule(Choose({2025, 3, 8, 9, 30}));
  EXPECT_EQ("Stretch", Line(0, 0));
  EXPECT_EQ((std::vector<std::string>{"2025-03-08 09:30", "2025-03-08 10:00"}), SlotsOf("Stretch"));

  Schedule(Choose({2025, 3, 8, 9, 30}), /*remove=*/true);
  EXPECT_EQ("", Line(0, 0));
  EXPECT_EQ("", testing_support::WindowText(Editor()));
  EXPECT_EQ(3u, SlotsOf("Stretch").size());
}

TEST_F(ToDoScheduleTest, AnEmptyLineIsToldAndNoDialogOpens) {
  ASSERT_NE(nullptr, Open());
  SendCommand(ToDo::Current()->Handle(), ID_SCHEDULE);
  EXPECT_TRUE(watcher_.Seen().empty());
  EXPECT_EQ(std::vector<std::string>{"Please first select a non-empty entry."},
            host.prompter.texts);
  EXPECT_EQ(0u, host.planners.diary.book.Count());
}

TEST_F(ToDoScheduleTest, ADateBefore1900KeepsTheDialogOpenUntilItIsCorrected) {
  ASSERT_NE(nullptr, Open());
  Type("Old times");
  // The corrected date is read by a second OK: the first one left the dialog open.
  Schedule([&](HWND dialog) {
    SetPicker(dialog, IDC_SCHEDULE_DATE, {1899, 12, 30, 9, 0});
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SetPicker(dialog, IDC_SCHEDULE_DATE, {2040, 4, 1, 9, 0});
    SetPicker(dialog, IDC_SCHEDULE_TIME, {2040, 4, 1, 9, 0});
  });
  EXPECT_EQ(std::vector<std::string>{todo::ScheduleDialog::kDateRangeMessage}, host.prompter.texts);
  EXPECT_EQ(std::vector<std::string>{"2040-04-01 09:00"}, SlotsOf("Old times"));
}

TEST_F(ToDoScheduleTest, CancelSchedulesNothing) {
  ASSERT_NE(nullptr, Open());
  Type("Maybe later");
  watcher_.ThenPress(IDCANCEL);
  SendCommand(ToDo::Current()->Handle(), ID_SCHEDULE);
  EXPECT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ(0u, host.planners.diary.book.Count());
  EXPECT_EQ(0, host.scheduled);
}

TEST_F(ToDoScheduleTest, WhatIsTypedInAnOpenPlannerOfThatDayIsCommittedFirstAndAvoided) {
  planner::OpenDayPlanner(host.planners, 2025, 3, 9, font.Get());
  planner::AppointBook2* planner = planner::FindDayPlanner(2025, 3, 9);
  ASSERT_NE(nullptr, planner);
  UpdateWindow(planner->Handle());
  testing_support::PumpPending(&loop);
  ASSERT_NE(nullptr, planner->SlotEditor()) << "the editor opens on 8:00";
  for (char c : std::string("Dentist"))
    SendMessageA(planner->SlotEditor()->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);

  ASSERT_NE(nullptr, Open());
  Type("Buy flowers");
  Schedule(Choose({2025, 3, 9, 8, 0}));

  EXPECT_EQ(std::vector<std::string>{"2025-03-09 08:00"}, SlotsOf("Dentist"));
  EXPECT_EQ(std::vector<std::string>{"2025-03-09 08:30"}, SlotsOf("Buy flowers"));
}

}  // namespace
