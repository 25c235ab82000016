// Dialog data exchange: filling controls, reading them back on OK, and the
// two standard validation messages with focus on the refused field.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "TestDialog.h"
#include "framework/DateTimePicker.h"
#include "framework/MessageBoxPrompter.h"
#include "support/DialogWatcher.h"
#include "support/Pump.h"
#include "support/RecordingPrompter.h"
#include "support/WindowText.h"
#include "test_resource.h"

using testing_support::ControlText;
using testing_support::DialogWatcher;
using testing_support::RecordingPrompter;
using testing_support::SeenDialog;

namespace {

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

class DataExchangeTest : public ::testing::Test {
 protected:
  fw::MessageBoxPrompter prompter_{"Lumetta"};
  DialogWatcher watcher_;
  ExchangeData data_;
};

TEST_F(DataExchangeTest, ModalDialogShowsTheDataAndStoresEditsOnOK) {
  std::string dayShown, nameShown;
  bool flagShown = false, secondRadioShown = false;
  watcher_.Then([&](const SeenDialog& dialog) {
    dayShown = ControlText(dialog.hwnd, IDC_TEST_DAY);
    nameShown = ControlText(dialog.hwnd, IDC_TEST_NAME);
    flagShown = IsChecked(dialog.hwnd, IDC_TEST_FLAG);
    secondRadioShown = IsChecked(dialog.hwnd, IDC_TEST_RADIO_SECOND);
    SetDlgItemTextA(dialog.hwnd, IDC_TEST_DAY, "7");
    SetDlgItemTextA(dialog.hwnd, IDC_TEST_NAME, "Bob");
    CheckDlgButton(dialog.hwnd, IDC_TEST_FLAG, BST_UNCHECKED);
    CheckRadioButton(dialog.hwnd, IDC_TEST_RADIO_FIRST, IDC_TEST_RADIO_THIRD, IDC_TEST_RADIO_THIRD);
    return IDOK;
  });

  TestDialog dialog(prompter_, data_);
  EXPECT_EQ(IDOK, dialog.DoModal(nullptr));

  EXPECT_EQ("15", dayShown);
  EXPECT_EQ("Ann", nameShown);
  EXPECT_TRUE(flagShown);
  EXPECT_TRUE(secondRadioShown);
  EXPECT_EQ(7, data_.day);
  EXPECT_EQ("Bob", data_.name);
  EXPECT_FALSE(data_.flag);
  EXPECT_EQ(2, data_.choice);
  EXPECT_EQ(nullptr, dialog.Handle());
}

TEST_F(DataExchangeTest, CancelLeavesTheDataAlone) {
  watcher_.Then([](const SeenDialog& dialog) {
    SetDlgItemTextA(dialog.hwnd, IDC_TEST_DAY, "9");
    SetDlgItemTextA(dialog.hwnd, IDC_TEST_NAME, "Zed");
    return IDCANCEL;
  });
  TestDialog dialog(prompter_, data_);
  EXPECT_EQ(IDCANCEL, dialog.DoModal(nullptr));
  EXPECT_EQ(15, data_.day);
  EXPECT_EQ("Ann", data_.name);
}

TEST_F(DataExchangeTest, OutOfRangeIntegerIsRefusedAndTheDialogStaysOpenOnTheField) {
  HWND dialogWindow = nullptr;
  watcher_.Then([&](const SeenDialog& dialog) {
    dialogWindow = dialog.hwnd;
    SetDlgItemTextA(dialog.hwnd, IDC_TEST_DAY, "32");
    // The user was in another field when pressing OK.
    PostMessageA(dialog.hwnd, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog.hwnd, IDC_TEST_NAME)), TRUE);
    PostMessageA(dialog.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  // The validation message: close it, then look at the dialog once the
  // refusal has finished (the probe runs in the dialog's own loop).
  watcher_.Then([&](const SeenDialog& box) {
    PostMessageA(box.hwnd, WM_COMMAND, IDOK, 0);
    PostMessageA(dialogWindow, TestDialog::kProbeMessage, 0, 0);
    return 0;
  });

  HWND focusAfterRefusal = nullptr, dayField = nullptr;
  DWORD selectionStart = 99, selectionEnd = 99;
  int dayWhileOpen = 0;
  TestDialog dialog(prompter_, data_);
  dialog.probe = [&](HWND hwnd) {
    focusAfterRefusal = GetFocus();
    dayField = GetDlgItem(hwnd, IDC_TEST_DAY);
    SendDlgItemMessageA(hwnd, IDC_TEST_DAY, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                        reinterpret_cast<LPARAM>(&selectionEnd));
    dayWhileOpen = data_.day;
    SetDlgItemTextA(hwnd, IDC_TEST_DAY, "31");
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  };
  EXPECT_EQ(IDOK, dialog.DoModal(nullptr));

  const std::vector<SeenDialog>& seen = watcher_.Seen();
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ("Lumetta", seen[1].caption);
  EXPECT_EQ("Enter an integer between 1 and 31.", seen[1].message);
  EXPECT_EQ(dayField, focusAfterRefusal);
  EXPECT_EQ(0u, selectionStart);
  EXPECT_EQ(2u, selectionEnd);  // the whole "32" is selected
  EXPECT_EQ(15, dayWhileOpen);
  EXPECT_EQ(31, data_.day);
}

// The same checks, run directly on an open modeless dialog. Message boxes
// are closed by the watcher's default answer.
class OpenDialogTest : public DataExchangeTest {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog_.CreateModeless(nullptr)); }
  HWND Hwnd() const { return dialog_.Handle(); }

  // Reads the dialog back; returns the message shown, empty when none was.
  std::string Save(bool& saved) {
    const size_t before = watcher_.Seen().size();
    saved = dialog_.UpdateData(true);
    if (watcher_.Seen().size() == before) return std::string();
    return watcher_.Seen().back().message;
  }

  std::string SaveWithDay(const char* day, bool& saved) {
    SetDlgItemTextA(Hwnd(), IDC_TEST_DAY, day);
    return Save(saved);
  }

  TestDialog dialog_{prompter_, data_};
};

TEST_F(OpenDialogTest, AnythingButAWholeNumberInRangeIsRefusedWithTheRangeMessage) {
  const char* const refused[] = {"0", "32", "-5", "abc", "12x", "", "   ", "4.5", "99999999999"};
  for (const char* text : refused) {
    bool saved = true;
    EXPECT_EQ("Enter an integer between 1 and 31.", SaveWithDay(text, saved))
        << "day \"" << text << "\"";
    EXPECT_FALSE(saved) << "day \"" << text << "\"";
    EXPECT_EQ(15, data_.day);
  }
}

TEST_F(OpenDialogTest, WholeNumbersInRangeAreAcceptedIncludingBothEndsAndBlanks) {
  const struct {
    const char* text;
    int value;
  } accepted[] = {{"1", 1}, {"31", 31}, {" 12 ", 12}, {"+3", 3}};
  for (const auto& item : accepted) {
    bool saved = false;
    EXPECT_EQ("", SaveWithDay(item.text, saved)) << "day \"" << item.text << "\"";
    EXPECT_TRUE(saved);
    EXPECT_EQ(item.value, data_.day);
  }
}

TEST_F(OpenDialogTest, OverlongTextIsRefusedWithTheMaxCharsMessageAndSelected) {
  EXPECT_EQ(5, SendDlgItemMessageA(Hwnd(), IDC_TEST_NAME, EM_GETLIMITTEXT, 0, 0))
      << "typing is limited when the dialog is filled";

  SetDlgItemTextA(Hwnd(), IDC_TEST_NAME, "Abcdef");  // setting the text bypasses the limit
  bool saved = true;
  EXPECT_EQ("Enter no more than 5 characters.", Save(saved));
  EXPECT_FALSE(saved);
  EXPECT_EQ("Ann", data_.name);
  EXPECT_EQ(GetDlgItem(Hwnd(), IDC_TEST_NAME), GetFocus());
  DWORD start = 99, end = 99;
  SendDlgItemMessageA(Hwnd(), IDC_TEST_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                      reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(0u, start);
  EXPECT_EQ(6u, end);

  SetDlgItemTextA(Hwnd(), IDC_TEST_NAME, "Abcde");
  EXPECT_EQ("", Save(saved));
  EXPECT_TRUE(saved);
  EXPECT_EQ("Abcde", data_.name);
}

TEST_F(OpenDialogTest, TheFirstRefusalEndsThePassSoOneMessageIsShownAndLaterFieldsAreNotRead) {
  SetDlgItemTextA(Hwnd(), IDC_TEST_DAY, "40");
  SetDlgItemTextA(Hwnd(), IDC_TEST_NAME, "Toolong");
  CheckDlgButton(Hwnd(), IDC_TEST_FLAG, BST_UNCHECKED);
  SetFocus(GetDlgItem(Hwnd(), IDC_TEST_FLAG));
  bool saved = true;
  EXPECT_EQ("Enter an integer between 1 and 31.", Save(saved));
  EXPECT_EQ(1u, watcher_.Seen().size());
  EXPECT_EQ("Ann", data_.name);
  EXPECT_TRUE(data_.flag);
  EXPECT_EQ(GetDlgItem(Hwnd(), IDC_TEST_DAY), GetFocus());
}

TEST_F(OpenDialogTest, RadioGroupReadsMinusOneWhenNothingIsChecked) {
  CheckDlgButton(Hwnd(), IDC_TEST_RADIO_SECOND, BST_UNCHECKED);
  bool saved = false;
  Save(saved);
  EXPECT_TRUE(saved);
  EXPECT_EQ(-1, data_.choice);

  data_.choice = 0;
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_TRUE(IsChecked(Hwnd(), IDC_TEST_RADIO_FIRST));
  EXPECT_FALSE(IsChecked(Hwnd(), IDC_TEST_RADIO_SECOND));
  EXPECT_FALSE(IsChecked(Hwnd(), IDC_TEST_RADIO_THIRD));
}

TEST(DataExchangeWithoutWindows, RefusalGoesThroughThePrompterAsAWarning) {
  RecordingPrompter prompter;
  ExchangeData data;
  TestDialog dialog(prompter, data);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  SetDlgItemTextA(dialog.Handle(), IDC_TEST_NAME, "Sixsix");
  EXPECT_FALSE(dialog.UpdateData(true));
  ASSERT_EQ(1u, prompter.texts.size());
  EXPECT_EQ("Enter no more than 5 characters.", prompter.texts[0]);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), prompter.types[0]);
}

TEST(DateTimePicker, ShowsAndGivesBackTheDateAndTimeToTheSecond) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&controls));
  HWND picker = CreateWindowExA(0, DATETIMEPICK_CLASSA, "", WS_POPUP, 0, 0, 200, 24, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, picker);
  const struct {
    int year, month, day, hour, minute, second;
    WORD weekday;  // worked out by the picker
  } cases[] = {{2025, 3, 7, 8, 30, 0, 5}, {1999, 12, 31, 23, 59, 59, 5}, {2040, 2, 29, 0, 0, 1, 3}};
  SYSTEMTIME shown = {};
  for (const auto& c : cases) {
    fw::SetPickerTime(picker, c.year, c.month, c.day, c.hour, c.minute, c.second);
    ASSERT_TRUE(fw::GetPickerTime(picker, shown));
    EXPECT_EQ(c.year, shown.wYear);
    EXPECT_EQ(c.month, shown.wMonth);
    EXPECT_EQ(c.day, shown.wDay);
    EXPECT_EQ(c.hour, shown.wHour);
    EXPECT_EQ(c.minute, shown.wMinute);
    EXPECT_EQ(c.second, shown.wSecond);
    EXPECT_EQ(c.weekday, shown.wDayOfWeek);
  }
  DestroyWindow(picker);
}

}  // namespace
