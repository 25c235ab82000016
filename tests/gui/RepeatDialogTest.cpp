// The repeat dialog: its keyboard, the texts made from the entry, default
// end dates on a click, the date picker's own choice, OK applying the rule,
// and the "Yikes!" message for dates a moment cannot hold.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Fakes.h"
#include "DialogTestHelpers.h"
#include "framework/DialogColors.h"
#include "framework/Dpi.h"
#include "framework/MessageBoxPrompter.h"
#include "planner/RepeatDialog.h"
#include "resource.h"
#include "store/AppointmentBook.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/WindowText.h"

using namespace dialog_test;
using store::An_Appointment;
using store::MakeTime;
using testing_support::ClassNameOf;
using testing_support::ControlText;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;
using testing_support::WindowText;

namespace {

constexpr int kKindIds[] = {IDC_REPEAT_NONE,
                            IDC_REPEAT_EVERY_WEEKDAY,
                            IDC_REPEAT_EVERYDAY,
                            IDC_REPEAT_WEEKLY,
                            IDC_REPEAT_EVERY_OTHER_WEEK,
                            IDC_REPEAT_MONTHLY_BY_DATE,
                            IDC_REPEAT_MONTHLY_BY_WEEKDAY,
                            IDC_REPEAT_YEARLY};

class RepeatDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
  }

  An_Appointment& Add(int y, int m, int d, int h, int min, const std::string& text,
                      int kind = store::kRepeatNone, store::Moment until = 0) {
    An_Appointment& e = book_.Create();
    e.SetSlot(y, m, d, h, min, text);
    e.repeatKind = kind;
    e.repeatUntil = until;
    e.ArmReminder();
    return e;
  }

  bool Run(An_Appointment& e, bool twentyFourHour = false) {
    return planner::RunRepeatDialog(
        nullptr, [&e] { return &e; }, store::RepeatFormInput::From(e), twentyFourHour, prompter_);
  }

  fakes::FakeWorld world_;
  store::All_Appointments book_{world_.Context()};
  fw::MessageBoxPrompter prompter_{"Lumetta"};
  DialogWatcher watcher_;
};

// From the keyboard: Tab reaches the kinds, the end date and both buttons;
// Enter applies the chosen kind, Esc leaves the entry as it was. Every text
// fits its control.
TEST_F(RepeatDialogTest, TabReachesTheEndDateAndEnterAppliesWhileEscCancels) {
  const struct {
    UINT key;
    bool applied;
    int kind;
  } cases[] = {{VK_RETURN, true, store::kRepeatEveryday}, {VK_ESCAPE, false, store::kRepeatNone}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    An_Appointment& e = Add(2025, 3, 14, 9, 0, "Walk");
    std::vector<std::string> misfits, tabs;
    watcher_.Then([&](const SeenDialog& d) {
      misfits = Misfits(d.hwnd);
      Click(d.hwnd, IDC_REPEAT_EVERYDAY);
      WhenUp(d.hwnd, [&, dialog = d.hwnd] {
        tabs = TabOrder(dialog);
        testing_support::PostKey(GetFocus(), c.key);
      });
      return 0;
    });
    EXPECT_EQ(c.applied, Run(e));
    EXPECT_FALSE(IsWindow(watcher_.Seen().back().hwnd));
    EXPECT_EQ(std::vector<std::string>{}, misfits);
    for (const char* reached : {"everyday", "OK", "Cancel"})
      EXPECT_NE(tabs.end(), std::find(tabs.begin(), tabs.end(), reached)) << reached;
    // The end date picker, showing its date.
    EXPECT_NE(tabs.end(), std::find_if(tabs.begin(), tabs.end(), [](const std::string& t) {
                return t.find("2025") != std::string::npos;
              }));
    EXPECT_EQ(c.kind, e.repeatKind);
    book_.Delete(e, false);
  }
}

TEST_F(RepeatDialogTest, OpensWithTheEntrysTitleTextsKindAndEndDate) {
  // 2025-03-11 is the second Tuesday of March.
  An_Appointment& e =
      Add(2025, 3, 11, 14, 30, "Piano lesson", store::kRepeatWeekly, MakeTime(2025, 8, 1, 14, 30));
  std::vector<std::string> texts;
  std::vector<bool> checked;
  std::string date;
  watcher_.Then([&](const SeenDialog& d) {
    for (int id : kKindIds) {
      texts.push_back(ControlText(d.hwnd, id));
      checked.push_back(Checked(d.hwnd, id));
    }
    date = DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL));
    return IDCANCEL;
  });
  EXPECT_FALSE(Run(e));
  ASSERT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("2:30pm: Piano lesson", watcher_.Seen()[0].caption);
  const std::vector<std::string> expected = {"does not repeat",
                                             "every weekday",
                                             "everyday",
                                             "every Tuesday",
                                             "every other Tuesday",
                                             "every month on the 11th",
                                             "2nd Tuesday of every month",
                                             "every year on this day"};
  EXPECT_EQ(expected, texts);
  EXPECT_EQ((std::vector<bool>{false, false, false, true, false, false, false, false}), checked);
  EXPECT_EQ("2025-8-1", date);
  EXPECT_EQ(store::kRepeatWeekly, e.repeatKind);  // Cancel changes nothing
  EXPECT_EQ(1u, book_.Count());
}

TEST_F(RepeatDialogTest, TitleFollowsTheTwentyFourHourSettingAndAKindAbove7SelectsNone) {
  An_Appointment& e = Add(2025, 3, 11, 14, 30, "Piano lesson", 11);
  bool noneChecked = false;
  watcher_.Then([&](const SeenDialog& d) {
    noneChecked = Checked(d.hwnd, IDC_REPEAT_NONE);
    return IDCANCEL;
  });
  Run(e, true);
  ASSERT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("14:30: Piano lesson", watcher_.Seen()[0].caption);
  EXPECT_TRUE(noneChecked);
}

TEST_F(RepeatDialogTest, OpensCentredOnTheMousePointerWithItsSmallIconAndColours) {
  // Near the middle of the screen at any DPI, so no edge moves the dialog.
  const fw::Dpi dpi = fw::Dpi::System();
  SetCursorPos(dpi.Scale(500), dpi.Scale(380));
  POINT cursor = {};
  GetCursorPos(&cursor);
  An_Appointment& e = Add(2025, 3, 11, 9, 0, "x");
  POINT centre = {};
  LRESULT icon = 0;
  HBRUSH brush = nullptr;
  COLORREF text = 0;
  watcher_.Then([&](const SeenDialog& d) {
    centre = CentreOf(d.hwnd);
    icon = SendMessageA(d.hwnd, WM_GETICON, ICON_SMALL, 0);
    HDC dc = GetDC(d.hwnd);
    brush = reinterpret_cast<HBRUSH>(
        SendMessageA(d.hwnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(d.hwnd, IDC_REPEAT_WEEKLY))));
    text = GetTextColor(dc);
    ReleaseDC(d.hwnd, dc);
    return IDCANCEL;
  });
  Run(e);
  EXPECT_LE(std::abs(centre.x - cursor.x), 1);
  EXPECT_LE(std::abs(centre.y - cursor.y), 1);
  const bool haveIcon =
      FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(163), RT_GROUP_ICON) != nullptr;
  EXPECT_EQ(haveIcon, icon != 0) << "icon resource 163 is the small icon when it exists";
  EXPECT_EQ(fw::DialogColors::SharedBrush(), brush);
  EXPECT_EQ(RGB(46, 34, 255), text);
}

TEST_F(RepeatDialogTest, AClickWithoutEndDateOffersTheKindsDefault) {
  An_Appointment& e = Add(2030, 6, 1, 9, 0, "Anniversary");
  std::vector<std::string> shown;
  watcher_.Then([&](const SeenDialog& d) {
    shown.push_back(DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL)));
    Click(d.hwnd, IDC_REPEAT_YEARLY);
    shown.push_back(DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL)));
    Click(d.hwnd, IDC_REPEAT_WEEKLY);
    shown.push_back(DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL)));
    Click(d.hwnd, IDC_REPEAT_EVERYDAY);
    shown.push_back(DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL)));
    Click(d.hwnd, IDC_REPEAT_NONE);
    shown.push_back(DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL)));
    return IDCANCEL;
  });
  Run(e);
  EXPECT_EQ(
      (std::vector<std::string>{"2030-6-1", "2040-6-1", "2031-6-1", "2030-6-29", "2030-6-29"}),
      shown);
}

TEST_F(RepeatDialogTest, AClickKeepsAnExistingEndDate) {
  An_Appointment& e =
      Add(2025, 3, 11, 9, 0, "Choir", store::kRepeatWeekly, MakeTime(2025, 9, 30, 9, 0));
  std::string after;
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, IDC_REPEAT_YEARLY);
    after = DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL));
    return IDCANCEL;
  });
  Run(e);
  EXPECT_EQ("2025-9-30", after);
}

TEST_F(RepeatDialogTest, ADateChangedInThePickerIsKeptByLaterClicks) {
  An_Appointment& e = Add(2025, 3, 11, 9, 0, "Choir");
  std::string changed, afterClick;
  watcher_.Then([&](const SeenDialog& d) {
    HWND picker = GetDlgItem(d.hwnd, IDC_REPEAT_UNTIL);
    SetFocus(picker);
    // Select a field, then step it: the picker reports a changed date.
    for (UINT key : {VK_RIGHT, VK_UP, VK_UP}) {
      SendMessageA(picker, WM_KEYDOWN, key, 1);
      SendMessageA(picker, WM_KEYUP, key, 0xC0000001);
    }
    changed = DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL));
    Click(d.hwnd, IDC_REPEAT_EVERYDAY);
    afterClick = DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL));
    return IDCANCEL;
  });
  Run(e);
  ASSERT_NE("2025-3-11", changed) << "the keys did not change the picker's date";
  EXPECT_EQ(changed, afterClick);
}

TEST_F(RepeatDialogTest, OKAppliesTheChosenRuleToTheEntry) {
  // A Friday: every day for the default 28 days.
  An_Appointment& e = Add(2025, 3, 14, 9, 0, "Walk");
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, IDC_REPEAT_EVERYDAY);
    return IDOK;
  });
  EXPECT_TRUE(Run(e));
  EXPECT_EQ(store::kRepeatEveryday, e.repeatKind);
  EXPECT_EQ(MakeTime(2025, 4, 11, 9, 0), e.repeatUntil);
  EXPECT_EQ("every Friday", e.weekdayText);
  EXPECT_EQ("2nd", e.weekOrdinal);
  EXPECT_EQ(14, e.monthDay);
  EXPECT_EQ(29u, book_.Count());
  EXPECT_TRUE(world_.prompts.shown.empty());
  EXPECT_EQ(1, world_.notices.months);
}

TEST_F(RepeatDialogTest, AnEndDatePast2038MakesCopiesToIt) {
  An_Appointment& e = Add(2030, 6, 1, 9, 0, "Anniversary");
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, IDC_REPEAT_YEARLY);
    SetPickerValue(d.hwnd, IDC_REPEAT_UNTIL, 2040, 6, 1);
    return IDOK;
  });
  EXPECT_TRUE(Run(e));
  EXPECT_EQ(MakeTime(2040, 6, 1, 9, 0), e.repeatUntil);  // the picker keeps the entry's time
  EXPECT_EQ(11u, book_.Count());                         // 2030 .. 2040
}

TEST_F(RepeatDialogTest, AnEndDateOutsideTheCalendarIsRefusedWithTheYearsMessage) {
  An_Appointment& e = Add(2030, 6, 1, 9, 0, "Anniversary");
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, IDC_REPEAT_YEARLY);
    SetPickerValue(d.hwnd, IDC_REPEAT_UNTIL, 1899, 6, 1);
    return IDOK;
  });
  watcher_.ThenPress(IDOK);
  EXPECT_FALSE(Run(e));
  ASSERT_EQ(2u, watcher_.Seen().size());
  EXPECT_EQ("Yikes! Please stick to the years 1990 - 2036.", watcher_.Seen()[1].message);
  EXPECT_EQ(store::kRepeatNone, e.repeatKind);
  EXPECT_EQ(0, e.repeatUntil);
  EXPECT_EQ(1u, book_.Count());
}

TEST_F(RepeatDialogTest, AnEntryDateThatCannotBeConvertedShowsOnlyTheYearsMessage) {
  An_Appointment& e = book_.Create();
  e.SetSlot(2025, 13, 1, 9, 0, "bad");
  watcher_.ThenPress(IDOK);
  EXPECT_FALSE(Run(e));
  ASSERT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("Yikes! Please stick to the years 1990 - 2036.", watcher_.Seen()[0].message);
  EXPECT_EQ(store::kRepeatNone, e.repeatKind);
}

// An old text file can give an entry a negative end: the dialog opens as for
// an entry without one, instead of refusing with the years message.
TEST_F(RepeatDialogTest, ANegativeEndDateOpensTheDialogWithoutOne) {
  An_Appointment& e = Add(2025, 3, 11, 14, 30, "Piano lesson", store::kRepeatWeekly, -3600);
  std::string date, offered;
  watcher_.Then([&](const SeenDialog& d) {
    date = DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL));
    Click(d.hwnd, IDC_REPEAT_YEARLY);
    offered = DateOf(PickerValue(d.hwnd, IDC_REPEAT_UNTIL));
    return IDCANCEL;
  });
  EXPECT_FALSE(Run(e));
  ASSERT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("2:30pm: Piano lesson", watcher_.Seen()[0].caption);
  EXPECT_EQ("2025-3-11", date);
  EXPECT_EQ("2035-3-11", offered);
}

TEST_F(RepeatDialogTest, HelpOpensTheHelpFileAndLeavesTheDialogOpen) {
  store::RepeatFormInput input;
  input.year = 2025;
  input.month = 3;
  input.day = 11;
  input.hour = 9;
  input.text = "x";
  const store::RepeatForm form(input, false);
  planner::Repeat dialog(prompter_, form);
  int helpOpened = 0;
  dialog.openHelp = [&] { ++helpOpened; };
  bool stillOpen = false;
  watcher_.Then([&](const SeenDialog& d) {
    Click(d.hwnd, IDC_REPEAT_HELP);
    stillOpen = IsWindow(d.hwnd) != FALSE;
    return IDOK;  // ends with IDOK only if Help left the dialog open
  });
  EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
  EXPECT_EQ(1, helpOpened);
  EXPECT_TRUE(stillOpen);
}

}  // namespace
