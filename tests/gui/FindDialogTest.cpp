// The find dialog: its keyboard, the 50-character limit, the case-insensitive
// check box, and the Find command that runs the search after OK.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/Fakes.h"
#include "DialogTestHelpers.h"
#include "framework/MessageBoxPrompter.h"
#include "resource.h"
#include "shell/FindDialog.h"
#include "store/AppointmentBook.h"
#include "store/Search.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/WindowText.h"

using namespace dialog_test;
using testing_support::ControlText;
using testing_support::DialogWatcher;
using testing_support::SeenDialog;

namespace {

class FindDialogTest : public ::testing::Test {
 protected:
  void Add(int y, int m, int d, int h, int min, const std::string& text) {
    store::An_Appointment& e = book_.Create();
    e.SetSlot(y, m, d, h, min, text);
    e.ArmReminder();
  }

  fakes::FakeWorld world_;
  store::All_Appointments book_{world_.Context()};
  fakes::RecordingOutlets outlets_;
  fw::MessageBoxPrompter prompter_{"Lumetta"};
  DialogWatcher watcher_;
};

// What a user meets: the caption, the text box focused, Tab through the
// check box and the buttons, every text fitting; Enter searches for what
// was typed, Esc closes the dialog without a search.
TEST_F(FindDialogTest, TheKeyboardTypesTabsAndEnterSearchesOrEscCloses) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  const struct {
    UINT key;
    std::size_t searches;
  } cases[] = {{VK_RETURN, 1}, {VK_ESCAPE, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    world_.prompts.shown.clear();
    std::vector<std::string> misfits, tabs;
    LRESULT icon = 0;
    watcher_.Then([&](const SeenDialog& d) {
      misfits = Misfits(d.hwnd);
      icon = SendMessageA(d.hwnd, WM_GETICON, ICON_SMALL, 0);
      WhenUp(d.hwnd, [&, dialog = d.hwnd] {
        tabs = TabOrder(dialog);
        PostTyped("dentist");
        testing_support::PostKey(GetFocus(), c.key);
      });
      return 0;
    });
    shell::RunFindCommand(nullptr, book_, outlets_, prompter_);
    ASSERT_FALSE(watcher_.Seen().empty());
    EXPECT_EQ("Find a day planner entry", watcher_.Seen().back().caption);
    EXPECT_FALSE(IsWindow(watcher_.Seen().back().hwnd));
    EXPECT_EQ(std::vector<std::string>{}, misfits);
    EXPECT_EQ(
        (std::vector<std::string>{"Edit", "Perform case insensitive search ", "OK", "Cancel"}),
        tabs);
    EXPECT_EQ(c.searches, world_.prompts.shown.size());
    EXPECT_EQ(c.searches, outlets_.planners.size()) << "the one hit's planner opens";
    outlets_.planners.clear();
    EXPECT_NE(0, icon) << "the title bar shows the program's small icon";
  }
}

TEST_F(FindDialogTest, TheEditBoxStopsAt50Characters) {
  std::string typed;
  watcher_.Then([&](const SeenDialog& d) {
    HWND edit = GetDlgItem(d.hwnd, IDC_FIND_TEXT);
    SetFocus(edit);
    for (int i = 0; i < 51; ++i) SendMessageA(edit, WM_CHAR, 'a' + i % 26, 1);
    typed = ControlText(d.hwnd, IDC_FIND_TEXT);
    return IDOK;
  });
  shell::FindDialog dialog(prompter_);
  EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
  EXPECT_EQ(50u, typed.size());
  EXPECT_EQ(typed, dialog.text);
}

TEST_F(FindDialogTest, OKSearchesWithTheTextAndTheCheckBox) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  Add(2025, 3, 20, 8, 0, "DENTIST follow-up");
  watcher_.Then([&](const SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, IDC_FIND_TEXT, "Dentist");
    Click(d.hwnd, IDC_FIND_CASE_INSENSITIVE);  // off: exact case only
    return IDOK;
  });
  shell::RunFindCommand(nullptr, book_, outlets_, prompter_);
  ASSERT_EQ(1u, world_.prompts.shown.size());
  EXPECT_EQ("Found one entry with the text \"Dentist\":\nMarch 14, 2025 at 10:30am  Dentist\r\n",
            world_.prompts.shown[0].text);
  EXPECT_EQ(std::vector<std::string>{"2025-3-14"}, outlets_.planners);

  // Checked (as it opens): both entries, into the results file.
  watcher_.Then([&](const SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, IDC_FIND_TEXT, "dentist");
    return IDOK;
  });
  shell::RunFindCommand(nullptr, book_, outlets_, prompter_);
  EXPECT_EQ(1u, world_.prompts.shown.size());
  EXPECT_EQ(std::vector<std::string>{"data/SearchResults.txt"}, outlets_.viewed);
}

TEST_F(FindDialogTest, ABlankTextIsRefusedAndCancelDoesNothing) {
  Add(2025, 3, 14, 10, 30, "Dentist");
  watcher_.ThenPress(IDOK);
  shell::RunFindCommand(nullptr, book_, outlets_, prompter_);
  ASSERT_EQ(1u, world_.prompts.shown.size());
  EXPECT_EQ("I cannot search for an blank string.", world_.prompts.shown[0].text);
  EXPECT_EQ(store::PromptIcon::Information, world_.prompts.shown[0].icon);

  watcher_.Then([&](const SeenDialog& d) {
    SetDlgItemTextA(d.hwnd, IDC_FIND_TEXT, "Dentist");
    return IDCANCEL;
  });
  shell::RunFindCommand(nullptr, book_, outlets_, prompter_);
  EXPECT_EQ(1u, world_.prompts.shown.size());
  EXPECT_TRUE(outlets_.planners.empty());
}

}  // namespace
