// Help > Version and Contact Info and Help > Quick Hints: the about box and
// the month view's hints show their texts (the about box the version of
// version.h), carry a small icon, have no OK or Cancel button and close
// with Esc; the about box's button opens the maker's web site and the box
// stays open.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MainFrameTestSupport.h"
#include "resource.h"
#include "support/DialogWatcher.h"
#include "support/Input.h"
#include "support/Pump.h"
#include "support/WindowText.h"
#include "version.h"

using main_frame_testing::MainFrameTest;
using testing_support::SeenDialog;

namespace {

// What a dialog shows, top to bottom: the texts of its controls (blank
// ones skipped) and the number of pictures (icons and bullets) that hold one.
struct Shown {
  std::vector<std::string> texts;
  int pictures = 0;
};

Shown ShownBy(HWND dialog) {
  Shown shown;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0) continue;
    const LONG type = style & SS_TYPEMASK;
    if (testing_support::ClassNameOf(child) == "Static" && (type == SS_ICON || type == SS_BITMAP)) {
      const WPARAM kind = type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
      shown.pictures += SendMessageA(child, STM_GETIMAGE, kind, 0) != 0 ? 1 : 0;
      continue;
    }
    const std::string text = testing_support::WindowText(child);
    if (!text.empty()) shown.texts.push_back(text);
  }
  return shown;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts)
    if (t.find(text) != std::string::npos) return true;
  return false;
}

struct InfoDialogCase {
  UINT command;
  const char* caption;
  std::vector<std::string> someTexts;  // among what the dialog shows
  int minPictures;                     // the application icon, or a bullet per tip
};

class AboutAndHintsTest : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    ASSERT_TRUE(MakeFrame());
  }
};

TEST_F(AboutAndHintsTest, EachShowsItsTextsAndClosesWithEsc) {
  const InfoDialogCase cases[] = {
      {ID_APP_ABOUT,
       "About Lumetta",
       {LUMETTA_PRODUCT_NAME, "Version " LUMETTA_VERSION_TEXT, LUMETTA_WEBSITE_BUTTON_TEXT},
       1},
      {ID_HELP_QUICK_HINTS,
       "Quick hints on using the Month View",
       {"left click on a date to access the Day Planner for that day",
        "right click on a date to access the Week View for that week"},
       2},
  };
  for (const InfoDialogCase& c : cases) {
    SCOPED_TRACE(c.caption);
    testing_support::DialogWatcher watcher;
    Shown shown;
    bool okOrCancel = true;
    bool smallIcon = false;
    watcher.Then([&](const SeenDialog& dialog) {
      shown = ShownBy(dialog.hwnd);
      okOrCancel =
          GetDlgItem(dialog.hwnd, IDOK) != nullptr || GetDlgItem(dialog.hwnd, IDCANCEL) != nullptr;
      smallIcon = SendMessageA(dialog.hwnd, WM_GETICON, ICON_SMALL, 0) != 0;
      PostMessageA(dialog.hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
      return 0;
    });
    testing_support::SendCommand(frame_->Handle(), c.command);
    testing_support::PumpPending();
    ASSERT_EQ(1u, watcher.Seen().size());
    EXPECT_EQ(c.caption, watcher.Seen()[0].caption);
    EXPECT_FALSE(IsWindow(watcher.Seen()[0].hwnd)) << "closed by Esc";
    for (const std::string& text : c.someTexts) EXPECT_TRUE(Contains(shown.texts, text)) << text;
    EXPECT_GE(shown.pictures, c.minPictures);
    EXPECT_FALSE(okOrCancel);
    EXPECT_TRUE(smallIcon);
  }
}

TEST_F(AboutAndHintsTest, TheAboutBoxButtonOpensTheWebSiteAndTheBoxStaysOpen) {
  testing_support::DialogWatcher watcher;
  bool openAfterClick = false;
  watcher.Then([&](const SeenDialog& dialog) {
    SendMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_WEBSITE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog.hwnd, IDC_ABOUT_WEBSITE)));
    openAfterClick = IsWindow(dialog.hwnd) != FALSE;
    return IDCANCEL;
  });
  testing_support::SendCommand(frame_->Handle(), ID_APP_ABOUT);
  testing_support::PumpPending();
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_TRUE(openAfterClick);
  ASSERT_EQ(1u, services_.shell.opened.size());
  EXPECT_EQ("https://lumetta.example.org", services_.shell.opened[0]);
}

}  // namespace
